#pragma once
// Where projects live and how a path names one: a project N in location L is the folder
// L/N with the level file L/N.rux and the side file L/N.led beside it.
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace rux {

// The level file's version tag "#M.m" at byte offset 4 as major | minor << 8; 0 when the
// file cannot be read or holds no tag.
std::uint16_t getProjectVersion(const std::filesystem::path& levelFile);

// "2026_03_02_09_05_07": the local time of a save, for backup file names.
std::string BackupTimeStamp(const std::tm& local);

// "2/3/2026 09:05": day and month unpadded, hour and minute padded.
std::string ListDate(const std::tm& local);

// What a path handed over on the command line opens.
struct ProjectTarget {
    enum Kind { None, Level, FolderOnly } kind = None;
    std::filesystem::path folder;  // the project folder L/N, without a trailing separator
    std::string title;             // the window's title text, "RUX - " + name
};

// A folder (with or without a trailing separator) with a level file beside it opens that
// level; any other folder opens as a project without a level yet; a ".rux" file opens its
// project.
ProjectTarget ResolveProjectPath(const std::filesystem::path& path);

// Why a new project named `name` cannot be created in `location`; empty when it can.
std::string CreateProjectProblem(const std::string& name, const std::filesystem::path& location);

struct ProjectEntry {
    std::filesystem::path folder;
    bool hasLevel = false;
    std::tm written{};            // last write of the level file, local time
    std::uint16_t version = 0;
};

// The folders directly inside `projects`, in directory order.
std::vector<ProjectEntry> ListProjects(const std::filesystem::path& projects);

} // namespace rux
