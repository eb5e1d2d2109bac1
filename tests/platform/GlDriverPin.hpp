#pragma once
// Mesa unloads its DRI driver with the last GL context. What the driver keeps allocated then
// shows up in LeakSanitizer as a leak from an unknown module, which no suppression can name;
// with the driver kept loaded those blocks stay reachable. Call once a window exists.

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <string>
#include <vector>

inline void PinGlDrivers() {
    std::vector<std::string> drivers;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* out) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                static_cast<std::vector<std::string>*>(out)->push_back(info->dlpi_name);
            return 0;
        },
        &drivers);
    for (const std::string& path : drivers) dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}
