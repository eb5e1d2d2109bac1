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

#include <SFML/System/Clock.hpp>
#include <SFML/System/Err.hpp>

namespace rux {

// The editor's restart loop. `enter()` runs at the top of every pass (working directory,
// single-instance check) and returns false to end the process; `make()` builds a fresh
// editor, whose Start returns true to ask for another pass with its projectToOpen. Only the
// project path and the restart count survive a restart. Writes "Exit" for every restart.
template <class Enter, class Make>
int RestartLoop(const ModeChoice& choice, Enter enter, Make make) {
    int restartCount = 0;
    std::filesystem::path project = choice.project;
    bool fromCommandLine = choice.fromCommandLine;
    while (true) {
        sf::Clock startClock;
        if (!enter())
            return 0;
        auto app = make();
        if (!app->Start(project, fromCommandLine, startClock, restartCount))
            return 0;
        ++restartCount;
        project = app->projectToOpen;
        sf::err() << "Exit" << std::endl;
        app.reset();
        fromCommandLine = false;
    }
}

} // namespace rux
