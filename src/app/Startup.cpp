#include "app/Startup.hpp"

#include <chrono>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace rux {

ModeChoice SelectMode(const std::vector<std::string>& args, const fs::path& launchDir) {
    ModeChoice choice;
    if (args.size() <= 1)
        return choice;
    if (args.size() == 2) {
        std::error_code ec;
        const fs::path arg = args[1];
        const auto status = fs::status(arg, ec);
        const bool exists = !ec && status.type() != fs::file_type::not_found;
        if (exists && (fs::is_directory(status) || arg.extension() == ".rux")) {
            choice.project = (launchDir / arg).lexically_normal();
            choice.fromCommandLine = true;
            return choice;
        }
    }
    choice.mode = StartMode::Tools;
    return choice;
}

bool setWorkingDirectory() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        return false;
    fs::current_path(exe.parent_path(), ec);
    return !ec;
}

InstanceState CheckInstance(const fs::path& heartbeat, std::time_t now) {
    std::error_code ec;
    const auto written = fs::last_write_time(heartbeat, ec);
    if (ec)
        return InstanceState::Missing;
    const auto sys = std::chrono::file_clock::to_sys(written);
    const std::time_t mtime = std::chrono::system_clock::to_time_t(sys);
    const long long age = static_cast<long long>(now) - static_cast<long long>(mtime);
    // A date in the future is as good as a stale file; otherwise a wrong clock would
    // block every start until the clock caught up.
    return age >= 0 && age <= 5 ? InstanceState::Alive : InstanceState::Stale;
}

bool TouchFile(const fs::path& file) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out);
}

} // namespace rux
