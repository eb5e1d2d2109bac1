// Set-up shared by every generator test.
#include "generator/GLSupport.hpp"

#include <dlfcn.h>

namespace
{
    const bool kReady = [] {
        // Mesa unloads its driver at exit, after which LeakSanitizer can no longer name the
        // frames of the driver's own end-of-process allocations and the suppression list cannot
        // match them. Keeping the driver mapped lets the "swrast_dri" suppression apply.
        dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_LAZY | RTLD_NODELETE);
        // One lasting connection keeps the X server from resetting between the tests' contexts.
        Tessly::HasDisplay();
        return true;
    }();
}
