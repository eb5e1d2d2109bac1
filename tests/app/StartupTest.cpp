#include "app/ErrorLogs.hpp"
#include "app/Startup.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <tuple>

namespace fs = std::filesystem;
using rux::InstanceState;
using rux::StartMode;

namespace {
struct TempDir {
    fs::path path = fs::temp_directory_path() / ("rux_startup_" + std::to_string(::getpid()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
};
} // namespace

TEST(SelectMode, ChoosesEditorOrToolsByArguments) {
    TempDir dir;
    fs::create_directories(dir.path / "proj");
    std::ofstream(dir.path / "level.rux") << "#1.7";
    std::ofstream(dir.path / "image.png") << "x";
    const std::string exe = "/opt/rux/rux";
    struct Case {
        std::vector<std::string> args;
        StartMode mode;
        fs::path project;
    } cases[] = {
        {{exe}, StartMode::Editor, {}},
        {{exe, (dir.path / "proj").string()}, StartMode::Editor, dir.path / "proj"},
        {{exe, (dir.path / "level.rux").string()}, StartMode::Editor, dir.path / "level.rux"},
        {{exe, (dir.path / "image.png").string()}, StartMode::Tools, {}},
        {{exe, (dir.path / "missing").string()}, StartMode::Tools, {}},
        {{exe, (dir.path / "missing.rux").string()}, StartMode::Tools, {}},
        {{exe, (dir.path / "proj").string(), "-G"}, StartMode::Tools, {}},
        {{exe, "--help"}, StartMode::Tools, {}},
    };
    for (const auto& c : cases) {
        const auto choice = rux::SelectMode(c.args, "/launch");
        EXPECT_EQ(choice.mode, c.mode) << c.args.back();
        EXPECT_EQ(choice.project, c.project) << c.args.back();
        EXPECT_EQ(choice.fromCommandLine, !c.project.empty());
    }
}

TEST(SelectMode, RelativeProjectResolvesAgainstLaunchDirectory) {
    TempDir dir;
    fs::create_directories(dir.path / "proj");
    const fs::path before = fs::current_path();
    fs::current_path(dir.path);
    const auto choice = rux::SelectMode({"rux", "proj"}, dir.path);
    fs::current_path(before);
    EXPECT_EQ(choice.mode, StartMode::Editor);
    EXPECT_EQ(choice.project, dir.path / "proj");
}

TEST(CheckInstance, JudgesTheHeartbeatByItsAge) {
    TempDir dir;
    const fs::path beat = dir.path / "pdo.pdo";
    const std::time_t now = std::time(nullptr);
    EXPECT_EQ(rux::CheckInstance(beat, now), InstanceState::Missing);
    ASSERT_TRUE(rux::TouchFile(beat));
    const auto setAge = [&](int seconds) {
        const auto when = std::chrono::system_clock::from_time_t(now - seconds);
        fs::last_write_time(beat, std::chrono::file_clock::from_sys(when));
    };
    struct Case {
        int age;
        InstanceState state;
    } cases[] = {{0, InstanceState::Alive},  {5, InstanceState::Alive},    {6, InstanceState::Stale},
                 {600, InstanceState::Stale}, {-1, InstanceState::Stale}, {-3600, InstanceState::Stale}};
    for (const auto& c : cases) {
        setAge(c.age);
        EXPECT_EQ(rux::CheckInstance(beat, now), c.state) << "age " << c.age;
    }
}

namespace {
// Stands in for the editor: asks for a restart a given number of times.
struct FakeApp {
    static inline std::vector<std::tuple<fs::path, bool, int>> starts;
    static inline int restartsLeft = 0;
    fs::path projectToOpen;
    bool Start(const fs::path& project, bool fromCommandLine, sf::Clock&, int restartCount) {
        starts.emplace_back(project, fromCommandLine, restartCount);
        projectToOpen = "/projects/next" + std::to_string(restartCount);
        return restartsLeft-- > 0;
    }
};
} // namespace

TEST(RestartLoop, CountsRestartsAndHandsOverTheProject) {
    FakeApp::starts.clear();
    FakeApp::restartsLeft = 2;
    std::string err;
    {
        ErrorLogs capture(err);
        rux::ModeChoice choice{rux::StartMode::Editor, "/projects/first", true};
        EXPECT_EQ(rux::RestartLoop(choice, [] { return true; }, [] { return std::make_unique<FakeApp>(); }), 0);
    }
    ASSERT_EQ(FakeApp::starts.size(), 3u);
    EXPECT_EQ(FakeApp::starts[0], std::make_tuple(fs::path("/projects/first"), true, 0));
    EXPECT_EQ(FakeApp::starts[1], std::make_tuple(fs::path("/projects/next0"), false, 1));
    EXPECT_EQ(FakeApp::starts[2], std::make_tuple(fs::path("/projects/next1"), false, 2));
    EXPECT_EQ(err, "Exit\nExit\n");
}

TEST(RestartLoop, EndsBeforeBuildingAnEditorWhenAnotherIsAlive) {
    FakeApp::starts.clear();
    EXPECT_EQ(rux::RestartLoop({}, [] { return false; }, [] { return std::make_unique<FakeApp>(); }), 0);
    EXPECT_TRUE(FakeApp::starts.empty());
}
