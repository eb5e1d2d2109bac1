#pragma once
// The lines of the graphics-information dialog, built from what the driver reported.
#include <string>
#include <vector>

namespace rux {

// Any string may be null (no current context, or a driver that does not answer).
struct GraphicsStrings {
    const char* extensions = nullptr;
    const char* version = nullptr;
    const char* vendor = nullptr;
    const char* renderer = nullptr;
    bool shaders = false;
    bool vertexBuffers = false;
};

// One line per extension (names end at a blank; a last name without one is dropped), then
// version, vendor, renderer, and whether shaders, vertex buffers and Vulkan are available.
// The graphics library cannot tell about Vulkan: that line says "unknown".
std::vector<std::string> GraphicsInfoLines(const GraphicsStrings& gl);

} // namespace rux
