// The watcher's look-ups are spread so that each file is looked at about once a period.
#include "editor/AssetWatcher.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class AssetWatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder);
        for (int i = 0; i < 50; ++i) {
            const std::string key = "t" + std::to_string(i) + ".png";
            std::ofstream(folder / key) << i;
            assets[key].type = rux::ObjectType::Texture;
        }
        assets["font.ttf"].type = rux::ObjectType::Font; // never looked at
    }
    void TearDown() override { fs::remove_all(folder); }

    const fs::path folder = "watch-" + std::to_string(::getpid());
    rux::AssetWatcher::AssetMap assets;
    rux::AssetWatcher watcher;
};

TEST_F(AssetWatcherTest, LooksAtEachFileAboutOnceASecondAtAnyFrameRate) {
    EXPECT_TRUE(watcher.Poll(assets, folder, 0.0, {}).empty());
    EXPECT_EQ(watcher.lookups, 50u) << "the first call looks at everything once";
    for (int frame = 1; frame <= 60; ++frame) EXPECT_TRUE(watcher.Poll(assets, folder, frame / 60.0, {}).empty());
    EXPECT_GE(watcher.lookups, 98u);
    EXPECT_LE(watcher.lookups, 101u);
    watcher.lookups = 0;
    watcher.Poll(assets, folder, 30.0, {});
    EXPECT_LE(watcher.lookups, 50u) << "a long pause owes no more than one round";
}

TEST_F(AssetWatcherTest, ReportsOnlyChangedFilesOnce) {
    watcher.Poll(assets, folder, 0.0, {});
    const fs::path file = folder / "t7.png";
    fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(3));
    EXPECT_EQ(watcher.Poll(assets, folder, 1.0, {}), std::vector<fs::path>{"t7.png"});
    EXPECT_TRUE(watcher.Poll(assets, folder, 2.0, {}).empty());

    fs::remove(file);
    EXPECT_TRUE(watcher.Poll(assets, folder, 3.0, {}).empty()) << "a missing file is skipped";
    std::ofstream(file) << "back";
    EXPECT_EQ(watcher.Poll(assets, folder, 4.0, {}), std::vector<fs::path>{"t7.png"}) << "and picked up when it returns";

    fs::last_write_time(folder / "t8.png", fs::last_write_time(folder / "t8.png") + std::chrono::seconds(3));
    EXPECT_TRUE(watcher.Poll(assets, folder, 5.0, {.textures = false, .shaders = true}).empty());
    EXPECT_TRUE(watcher.Poll(assets, folder, 6.0, {}).empty()) << "what changed while off is not reported later";
}

} // namespace
