// Entry point: the command-line tools, or the editor in its restart loop.
#include "app/App.hpp"
#include "app/ErrorLogs.hpp"
#include "app/Startup.hpp"
#include "generator/CMDTools.hpp"

#include <SFML/System/Clock.hpp>
#include <SFML/System/Err.hpp>
#include <X11/Xlib.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Scripts see the tools' outcome: 0 when a mode ran or the help was printed, 1 otherwise.
int RunTools(std::vector<std::string>& args) {
    for (const auto& arg : args)
        sf::err() << arg << '\n';
    sf::err().flush();
    const int result = CMDTools::Start(args);
    if (result == 0)
        sf::err() << "Run with --help for help." << std::endl;
    return CMDTools::ExitStatus(result, CMDTools::HelpRequested(args));
}

bool HasDisplay() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}

int RunEditor(rux::ModeChoice choice) {
    // The window library aborts without a display; say why instead.
    if (!HasDisplay()) {
        sf::err() << "RUX needs an X display: cannot open one (is DISPLAY set?)." << std::endl;
        return 1;
    }
    const auto enter = [] {
        rux::setWorkingDirectory();
        switch (rux::CheckInstance(rux::c_heartbeatFile, std::time(nullptr))) {
        case rux::InstanceState::Alive:
            rux::TouchFile(rux::c_focusRequestFile);  // the running editor takes focus
            return false;
        case rux::InstanceState::Missing:
            rux::TouchFile(rux::c_heartbeatFile);
            return true;
        case rux::InstanceState::Stale:
            return true;
        }
        return true;
    };
    return rux::RestartLoop(choice, enter, [] { return std::make_unique<rux::App>(); });
}

} // namespace

int main(int argc, char** argv) {
    XInitThreads();
    ErrorLogs::Install();
    std::vector<std::string> args(argv, argv + argc);
    std::error_code ec;
    const fs::path launchDir = fs::current_path(ec);
    const rux::ModeChoice choice = rux::SelectMode(args, launchDir);
    if (choice.mode == rux::StartMode::Tools)
        return RunTools(args);
    return RunEditor(choice);
}
