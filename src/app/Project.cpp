#include "app/Project.hpp"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace rux {

std::uint16_t getProjectVersion(const fs::path& levelFile) {
    std::ifstream in(levelFile, std::ios::binary);
    char tag[8] = {};
    if (!in.read(tag, sizeof tag) || tag[4] != '#' || tag[6] != '.')
        return 0;
    if (tag[5] < '0' || tag[5] > '9' || tag[7] < '0' || tag[7] > '9')
        return 0;
    return static_cast<std::uint16_t>((tag[5] - '0') | (tag[7] - '0') << 8);
}

std::string BackupTimeStamp(const std::tm& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d_%02d_%02d_%02d_%02d_%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

std::string ListDate(const std::tm& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%d/%d/%04d %02d:%02d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900, t.tm_hour,
                  t.tm_min);
    return text;
}

namespace {
bool IsFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}
fs::path WithSuffix(fs::path p, const char* suffix) {
    p += suffix;
    return p;
}
} // namespace

ProjectTarget ResolveProjectPath(const fs::path& path) {
    ProjectTarget target;
    const fs::path d = path.lexically_normal();
    const bool trailingSeparator = !d.empty() && !d.has_filename();
    const fs::path folder = trailingSeparator ? d.parent_path() : d;
    std::error_code ec;
    if (fs::is_directory(folder, ec)) {
        // "L/N/" and "L/N" both name the project L/N; a folder's parent is never opened
        // in its place.
        if (IsFile(WithSuffix(folder, ".rux")))
            return {ProjectTarget::Level, folder, "RUX - " + folder.filename().string()};
        const fs::path absolute = fs::absolute(folder, ec);
        return {ProjectTarget::FolderOnly, folder, "RUX - " + absolute.filename().string()};
    }
    if (IsFile(d) && d.extension() == ".rux")
        target = {ProjectTarget::Level, d.parent_path() / d.stem(), "RUX - " + d.filename().string()};
    return target;
}

std::string CreateProjectProblem(const std::string& name, const fs::path& location) {
    if (name.empty())
        return "empty name";
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos || name == "." || name == "..")
        return "the name contains a separator";
    std::error_code ec;
    if (!fs::is_directory(location, ec))
        return "the location does not exist";
    if (fs::exists(location / name, ec) || fs::exists(location / (name + ".rux"), ec))
        return "the project exists";
    return {};
}

std::vector<ProjectEntry> ListProjects(const fs::path& projects) {
    std::vector<ProjectEntry> list;
    std::error_code ec;
    for (fs::directory_iterator it(projects, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_directory(typeError))
            continue;
        ProjectEntry entry;
        entry.folder = it->path();
        const fs::path level = WithSuffix(entry.folder, ".rux");
        std::error_code timeError;
        const auto written = fs::last_write_time(level, timeError);
        if (!timeError) {
            entry.hasLevel = true;
            const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
            localtime_r(&t, &entry.written);
            entry.version = getProjectVersion(level);
        }
        list.push_back(std::move(entry));
    }
    return list;
}

} // namespace rux
