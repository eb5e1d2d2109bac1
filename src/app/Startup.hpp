#pragma once
// What runs before any window exists: choosing between the editor and the command-line
// tools, the working directory, and keeping one editor per installation folder.
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace rux {

enum class StartMode { Editor, Tools };

struct ModeChoice {
    StartMode mode = StartMode::Editor;
    std::filesystem::path project;  // absolute; empty without a project
    bool fromCommandLine = false;
};

// args holds every argument, the program path first. One argument that exists and is a
// folder or a ".rux" file names a project, resolved against launchDir; none opens the
// editor without a project; anything else runs the command-line tools.
ModeChoice SelectMode(const std::vector<std::string>& args, const std::filesystem::path& launchDir);

// Makes the executable's folder the working directory; false (and nothing changed) when
// its path cannot be found.
bool setWorkingDirectory();

enum class InstanceState {
    Missing,  // no heartbeat file
    Alive,  // another editor wrote its heartbeat within the last 5 seconds
    Stale,  // the heartbeat is older, or dated in the future: nobody is alive
};

// Judges the heartbeat file by its modification time alone.
InstanceState CheckInstance(const std::filesystem::path& heartbeat, std::time_t now);

// Creates or truncates an empty file; false on failure.
bool TouchFile(const std::filesystem::path& file);

inline constexpr const char* c_heartbeatFile = "pdo.pdo";
inline constexpr const char* c_focusRequestFile = "pdo";

} // namespace rux
