// End to end: the rux-level program built beside rux, on files made here.
#include "LevelImage.hpp"
#include <RUX.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/System/FileInputStream.hpp>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace testing_rux;

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Each test works in its own folder: ctest runs the tests of one binary in parallel processes
// that share the working folder.
std::string g_dir;

Result Tool(const std::string& args, const std::string& tool = RUX_BUILD_DIR "/rux-level") {
    Result r;
    // Leak checks stay with the in-process tests: in a child, Mesa unloads its driver before
    // LeakSanitizer runs, which leaves the driver's own leftovers unnamed and unsuppressible.
    const std::string env = "ASAN_OPTIONS=detect_leaks=0 ";
    const int raw = std::system(("cd " + g_dir + " && " + env + tool + " " + args + " >../" + g_dir + ".out 2>../" +
                                 g_dir + ".err").c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = Slurp(g_dir + ".out");
    r.err = Slurp(g_dir + ".err");
    return r;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A sprite on the missing texture (16 x 16 checker), ten times enlarged, at the origin.
std::string CheckerLevel() {
    Record sprite;
    sprite.name = "Checker";
    sprite.asset = 0; // reserved index: the missing texture
    sprite.tf[0] = sprite.tf[1] = 0.f;
    sprite.tf[3] = sprite.tf[4] = 10.f;
    Record main;
    main.name = rux::c_mainCameraName;
    main.type = 10;
    main.asset = -1;
    main.transform = false;
    main.payload = Bytes().f32(160).f32(160).f32(1).s;
    Record cam = main;
    cam.name = "Close";
    cam.payload = Bytes().f32(40).f32(40).f32(80).f32(80).f32(0).f32(0.5f).s;
    return Image{"#1.7", {}, {sprite, cam, main}}.bytes();
}

class RuxLevelTool : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(RUX_BUILD_DIR "/rux-level")) GTEST_FAIL() << "rux-level was not built";
        g_dir = std::string("tool-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(g_dir);
        std::filesystem::create_directories(g_dir + "/tool");
        WriteFile(g_dir + "/tool/Good.rux", CheckerLevel());
    }
};

} // namespace

TEST_F(RuxLevelTool, HelpAndUsage) {
    const Result help = Tool("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("display"), std::string::npos);
    EXPECT_NE(help.out.find("resave"), std::string::npos);
    EXPECT_EQ(Tool("").status, 2);
    EXPECT_EQ(Tool("frobnicate x").status, 2);
}

TEST_F(RuxLevelTool, InfoJsonAndResaveOnAGoodFile) {
    const Result info = Tool("info tool/Good.rux");
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("#1.7"), std::string::npos);
    EXPECT_NE(info.out.find("Checker"), std::string::npos);
    EXPECT_NE(info.out.find("sprite"), std::string::npos);

    ASSERT_EQ(Tool("json tool/Good.rux").status, 0);
    const std::string json = Slurp(g_dir + "/tool/Good.json");
    EXPECT_EQ(json.rfind("{\"object-count\":\"3\"", 0), 0u) << json;

    const Result resave = Tool("resave tool/Good.rux tool/Again.rux");
    ASSERT_EQ(resave.status, 0) << resave.err;
    EXPECT_EQ(Slurp(g_dir + "/tool/Again.rux"), CheckerLevel());
}

TEST_F(RuxLevelTool, OldVersionIsResavedAsCurrent) {
    Record box;
    box.name = std::string("Box", 4);
    WriteFile(g_dir + "/tool/Old.rux", Image{"#1.5", {{3, "Projects/Old/tex.png"}}, {box}}.bytes());
    std::filesystem::create_directories(g_dir + "/tool/Old");
    sf::Image img;
    img.create(2, 2, sf::Color::Green);
    img.saveToFile(g_dir + "/tool/Old/tex.png");
    const Result r = Tool("resave tool/Old.rux tool/New.rux");
    ASSERT_EQ(r.status, 0) << r.err;
    rux::Level level;
    sf::FileInputStream stream;
    ASSERT_TRUE(stream.open(g_dir + "/tool/New.rux"));
    ASSERT_TRUE(level.loadFromStream(stream, g_dir + "/tool/Old")); // the textures stayed where they were
    EXPECT_EQ(Slurp(g_dir + "/tool/New.rux").substr(4, 4), "#1.7");
    ASSERT_TRUE(level.objects.count("Box"));
    EXPECT_EQ(level.objects.at("Box").texture->texture->getSize(), sf::Vector2u(2, 2));
}

TEST_F(RuxLevelTool, DamagedFilesWriteNothing) {
    const std::string good = CheckerLevel();
    WriteFile(g_dir + "/tool/Cut.rux", good.substr(0, good.size() - 5));
    WriteFile(g_dir + "/tool/Keep.json", "previous");
    for (const std::string& args : {std::string("json tool/Cut.rux tool/Keep.json"), std::string("resave tool/Cut.rux tool/Out.rux"),
                                    std::string("render tool/Cut.rux tool/Out.png"), std::string("info tool/Missing.rux")}) {
        const Result r = Tool(args);
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find(".rux: "), std::string::npos) << r.err;
    }
    EXPECT_EQ(Slurp(g_dir + "/tool/Keep.json"), "previous");
    EXPECT_FALSE(std::filesystem::exists(g_dir + "/tool/Out.rux"));
    EXPECT_FALSE(std::filesystem::exists(g_dir + "/tool/Out.png"));
    for (const auto& entry : std::filesystem::directory_iterator(g_dir + "/tool"))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST_F(RuxLevelTool, RenderThroughTheMainAndANamedCamera) {
    const Result r = Tool("render tool/Good.rux tool/Shot.png --size 320x320");
    ASSERT_EQ(r.status, 0) << r.err;
    sf::Image shot;
    ASSERT_TRUE(shot.loadFromFile(g_dir + "/tool/Shot.png"));
    ASSERT_EQ(shot.getSize(), sf::Vector2u(320, 320));
    // The view is centred on (160, 160): the sprite fills the top-left quarter.
    EXPECT_EQ(shot.getPixel(40, 40), sf::Color::Magenta);
    EXPECT_EQ(shot.getPixel(120, 40), sf::Color::Black);
    EXPECT_EQ(shot.getPixel(120, 120), sf::Color::Magenta);
    EXPECT_EQ(shot.getPixel(200, 200).a, 0);

    ASSERT_EQ(Tool("render tool/Good.rux tool/Default.png").status, 0);
    sf::Image def;
    ASSERT_TRUE(def.loadFromFile(g_dir + "/tool/Default.png"));
    EXPECT_EQ(def.getSize(), sf::Vector2u(1280, 720));

    // "Close" looks at (0..80, 0..80) with multiplier 0.5: a 40 x 40 image, all magenta.
    const Result close = Tool("render tool/Good.rux tool/Close.png --camera Close");
    ASSERT_EQ(close.status, 0) << close.err;
    sf::Image c;
    ASSERT_TRUE(c.loadFromFile(g_dir + "/tool/Close.png"));
    ASSERT_EQ(c.getSize(), sf::Vector2u(40, 40));
    EXPECT_EQ(c.getPixel(20, 20), sf::Color::Magenta);
    EXPECT_EQ(Tool("render tool/Good.rux tool/X.png --camera Nobody").status, 1);
}

// The example game: shows a level for a few frames, and refuses a damaged one.
TEST_F(RuxLevelTool, ViewerExample) {
    const std::string viewer = RUX_BUILD_DIR "/examples/viewer/viewer";
    ASSERT_TRUE(std::filesystem::exists(viewer));
    const Result good = Tool("tool/Good.rux --frames 3", viewer);
    EXPECT_EQ(good.status, 0) << good.err;
    const std::string bytes = CheckerLevel();
    WriteFile(g_dir + "/tool/Cut.rux", bytes.substr(0, 20));
    const Result bad = Tool("tool/Cut.rux --frames 3", viewer);
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("tool/Cut.rux"), std::string::npos);
}
