// The JSON reader on any bytes; then the writer's text of flat tables must read back exactly.
#include "env/JSON.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    JSON doc;
    doc.loadFromMemory(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string text;
    doc.saveToMemory(text);

    JSON flat;
    for (const auto& [key, value] : doc.entries())
        if (!value.empty() && key.find_first_of(".[]") == std::string::npos)
            flat.setValueStr(key, value);
    text.clear();
    flat.saveToMemory(text);
    JSON back;
    if (!back.loadFromMemory(text) || back.entries() != flat.entries())
        __builtin_trap();
    return 0;
}
