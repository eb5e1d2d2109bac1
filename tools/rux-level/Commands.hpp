#pragma once
// The commands of rux-level. Each returns the process exit status: 0 on success, 1 when a file
// cannot be read or written (after one line on stderr naming the file and the fault).
#include <string>
#include <vector>

namespace ruxlevel {

int Info(const std::string& level);
int Json(const std::string& level, const std::string& out);
int Resave(const std::string& in, const std::string& out);
struct RenderOptions {
    unsigned width = 0, height = 0; // 0: the default for the camera
    std::string camera;             // empty: the main camera
};
int Render(const std::string& in, const std::string& out, const RenderOptions& options);

} // namespace ruxlevel
