#include "app/Project.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
struct Projects : ::testing::Test {
    // Own folder per test: ctest runs the tests of this executable side by side in one folder.
    fs::path root = fs::absolute(std::string("projects_") +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                                 std::to_string(::getpid()));
    void SetUp() override {
        fs::remove_all(root);
        fs::create_directories(root / "Demo");
        fs::create_directories(root / "Empty");
        std::ofstream(root / "Demo.rux", std::ios::binary).write("\x05\0\0\0#1.7", 8);
        std::ofstream(root / "Old.rux", std::ios::binary).write("\x05\0\0\0#1.6", 8);
        std::ofstream(root / "image.png") << "x";
    }
    void TearDown() override { fs::remove_all(root); }
};
} // namespace

TEST_F(Projects, VersionTagAtOffsetFour) {
    EXPECT_EQ(rux::getProjectVersion(root / "Demo.rux"), 1 | 7 << 8);
    EXPECT_EQ(rux::getProjectVersion(root / "Old.rux"), 1 | 6 << 8);
    EXPECT_EQ(rux::getProjectVersion(root / "image.png"), 0);
    EXPECT_EQ(rux::getProjectVersion(root / "missing.rux"), 0);
}

TEST_F(Projects, CommandLinePathsOpenTheRightProject) {
    using K = rux::ProjectTarget;
    struct Case {
        fs::path path;
        K::Kind kind;
        fs::path folder;
        std::string title;
    } cases[] = {
        {root / "Demo", K::Level, root / "Demo", "RUX - Demo"},
        {root / "Demo/", K::Level, root / "Demo", "RUX - Demo"},
        {root / "Demo/./", K::Level, root / "Demo", "RUX - Demo"},
        {root / "Empty", K::FolderOnly, root / "Empty", "RUX - Empty"},
        {root / "Empty/", K::FolderOnly, root / "Empty", "RUX - Empty"},
        {root / "Demo.rux", K::Level, root / "Demo", "RUX - Demo.rux"},
        {root / "image.png", K::None, {}, ""},
        {root / "nothing", K::None, {}, ""},
    };
    for (const auto& c : cases) {
        const auto target = rux::ResolveProjectPath(c.path);
        EXPECT_EQ(target.kind, c.kind) << c.path;
        EXPECT_EQ(target.folder, c.folder) << c.path;
        EXPECT_EQ(target.title, c.title) << c.path;
    }
}

TEST_F(Projects, AFolderInsideAnotherProjectIsNotMistakenForItsParent) {
    // "Demo/Sub" must open Sub, although "Demo.rux" lies beside Sub's parent.
    fs::create_directories(root / "Demo/Sub");
    const auto target = rux::ResolveProjectPath(root / "Demo/Sub");
    EXPECT_EQ(target.kind, rux::ProjectTarget::FolderOnly);
    EXPECT_EQ(target.folder, root / "Demo/Sub");
}

TEST_F(Projects, CreateChecks) {
    EXPECT_EQ(rux::CreateProjectProblem("New", root), "");
    EXPECT_NE(rux::CreateProjectProblem("", root), "");
    EXPECT_NE(rux::CreateProjectProblem("Demo", root), "");   // folder exists
    EXPECT_NE(rux::CreateProjectProblem("Old", root), "");    // level file exists
    EXPECT_NE(rux::CreateProjectProblem("a/b", root), "");
    EXPECT_NE(rux::CreateProjectProblem("..", root), "");
    EXPECT_NE(rux::CreateProjectProblem("New", root / "no-such-location"), "");
}

TEST_F(Projects, ListsFoldersWithTheirLevels) {
    auto list = rux::ListProjects(root);
    std::sort(list.begin(), list.end(), [](auto& a, auto& b) { return a.folder < b.folder; });
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].folder, root / "Demo");
    EXPECT_TRUE(list[0].hasLevel);
    EXPECT_EQ(list[0].version, 1 | 7 << 8);
    EXPECT_FALSE(list[1].hasLevel);
    EXPECT_TRUE(rux::ListProjects(root / "missing").empty());
}

TEST(ProjectTimes, BackupStampAndListDate) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 2;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 7;
    EXPECT_EQ(rux::BackupTimeStamp(t), "2026_03_02_09_05_07");
    EXPECT_EQ(rux::ListDate(t), "2/3/2026 09:05");
}
