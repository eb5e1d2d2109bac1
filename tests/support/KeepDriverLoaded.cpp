// Mesa unloads its driver at exit, after which LeakSanitizer can no longer name the frames
// of the driver's own end-of-process allocations and the suppression list cannot match them.
// Keeping the driver mapped lets the "swrast_dri" suppression apply.
#include <dlfcn.h>

namespace
{
    const bool kDriverKept = [] {
        dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_LAZY | RTLD_NODELETE);
        return true;
    }();
}
