#include "app/Startup.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

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
