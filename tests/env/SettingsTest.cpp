#include "env/AppSettings.hpp"
#include "env/Global.hpp"
#include "env/LL.hpp"
#include "env/Shortcuts.hpp"

#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

namespace {

using rux::AppSettings;
using rux::Global;

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

void resetShared() {
    Global::Get() = Global{};
    for (std::size_t i = 0; i < Shortcuts::c_count; ++i) {
        const auto action = static_cast<ActionShortcut>(i);
        Shortcuts::get().setCode(action, Shortcuts::defaultCode(action));
    }
    LL::get().language = 0;
}

class Settings : public ::testing::Test {
protected:
    void SetUp() override { resetShared(); }
    void TearDown() override { resetShared(); }
};

// Every field that Load and Save carry, printed so that a mismatch names the field.
std::string describe(const AppSettings& s) {
    std::ostringstream out;
    out << "res " << s.resX << "x" << s.resY << " fs " << s.fullscreen << " scale " << s.menuScale << " font "
        << s.fontSize << " images " << s.alwaysShowImages << " vsync " << s.verticalSync << " focus "
        << s.outOfFocus << " bg " << int(s.bgColor.r) << "," << int(s.bgColor.g) << "," << int(s.bgColor.b)
        << " aa " << int(s.antialiasing) << " updates " << s.checkUpdatesOnStart << " backups "
        << s.enableBackups << " gridFirst " << s.drawGridFirst << " zoom " << s.overrideMaxZoom << " fps "
        << s.maxFPS << " debug " << s.showDebugRefresh << " autosave " << s.autoSave << "/"
        << s.autoSaveInterval << " lang " << s.language << " open [" << s.autoOpenLevel << "] last "
        << s.autoOpenLast << " touch " << s.touchPadSupport << " anim " << s.animateGrid << s.animateZoom
        << " host [" << s.targetHTTPServer << "] layout " << int(s.layout) << " flags";
    for (const auto& layout : s.windowFlags)
        for (bool flag : layout)
            out << flag;
    const Global& g = Global::Get();
    out << " theme " << g.theme << " global " << g.autoUpdateShaders << g.doNotPrintErrors << g.allowMultipleTabs
        << g.autoUpdateTextures << g.autoApplyUniforms << " shortcuts";
    for (std::size_t i = 0; i < Shortcuts::c_count; ++i)
        out << " " << Shortcuts::get().code(static_cast<ActionShortcut>(i));
    return out.str();
}

TEST_F(Settings, MissingFileKeepsDefaults) {
    AppSettings settings;
    const std::string before = describe(settings);
    settings.Load("missing.json");
    EXPECT_EQ(describe(settings), before);
    EXPECT_EQ(settings.resX, 1280u);
    EXPECT_EQ(settings.resY, 720u);
    EXPECT_EQ(settings.maxFPS, 60);
    EXPECT_EQ(settings.bgColor, sf::Color(16, 16, 16, 255));
    EXPECT_FLOAT_EQ(settings.menuScale, 1.f);
    EXPECT_EQ(Global::Get().theme, 0);
}

TEST_F(Settings, RoundTripsEveryValue) {
    AppSettings s;
    s.resX = 1920;
    s.resY = 1080;
    s.fullscreen = true;
    s.menuScale = 1.25f;
    s.fontSize = 20; // derived from the scale when loading
    s.alwaysShowImages = false;
    s.verticalSync = true;
    s.outOfFocus = false;
    s.bgColor = sf::Color(1, 128, 255);
    s.antialiasing = 4;
    s.checkUpdatesOnStart = false;
    s.enableBackups = true;
    s.drawGridFirst = false;
    s.overrideMaxZoom = true;
    s.maxFPS = 144;
    s.showDebugRefresh = true;
    s.autoSave = true;
    s.autoSaveInterval = 7;
    s.language = 1;
    s.autoOpenLevel = "/home/u/Projects/My \"best\" level\\x";
    s.autoOpenLast = true;
    s.touchPadSupport = true;
    s.animateGrid = false;
    s.animateZoom = false;
    s.targetHTTPServer = "updates.example.org";
    s.layout = 2;
    for (int k = 0; k < 3; ++k)
        for (int w = 0; w < AppSettings::WindowCount; ++w)
            s.windowFlags[k][w] = (k + w) % 2 == 0;
    Global& g = Global::Get();
    g.theme = 2;
    g.autoUpdateShaders = false;
    g.doNotPrintErrors = true;
    g.allowMultipleTabs = true;
    g.autoUpdateTextures = false;
    g.autoApplyUniforms = false;
    Shortcuts::get().setCode(ActionShortcut::Save, Shortcuts::Pack(sf::Keyboard::F2, Shortcuts::c_alt));
    Shortcuts::get().clear(ActionShortcut::Cut);

    ASSERT_TRUE(s.Save("rt.json"));
    EXPECT_FALSE(std::filesystem::exists("rt.json.tmp"));
    const std::string expected = describe(s);
    const std::string text = readFile("rt.json");
    EXPECT_NE(text.find(R"("menuScale":"1.250000")"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("layout0OpenFiles":"0")"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("shortcut_20":"65535")"), std::string::npos) << text;

    resetShared();
    AppSettings loaded;
    loaded.Load("rt.json");
    EXPECT_EQ(describe(loaded), expected);
    EXPECT_EQ(LL::get().language, 1);
}

TEST_F(Settings, EmptyTextsAreNotWritten) {
    AppSettings s;
    ASSERT_TRUE(s.Save("empty.json"));
    const std::string text = readFile("empty.json");
    EXPECT_EQ(text.find("autoOpenLevel"), std::string::npos);
    AppSettings loaded;
    loaded.autoOpenLevel = "";
    loaded.Load("empty.json");
    EXPECT_TRUE(loaded.autoOpenLevel.empty());
}

TEST_F(Settings, SaveFailsWhereItCannotWrite) {
    AppSettings s;
    EXPECT_FALSE(s.Save("no-such-folder/sett.json"));
}

struct BrokenCase {
    const char* name;
    std::string text;
    std::function<void(const AppSettings&)> check;
};

TEST_F(Settings, BrokenFiles) {
    const AppSettings defaults;
    const BrokenCase cases[] = {
        {"only resX", R"({"resX":"1920"})",
         [&](const AppSettings& s) {
             EXPECT_EQ(s.resX, 1920u);
             AppSettings expected;
             expected.resX = 1920;
             EXPECT_EQ(describe(s), describe(expected));
         }},
        {"truncated", R"({"resX":"1920","resY":"1000","fullscreen":"1","maxF)",
         [](const AppSettings& s) {
             EXPECT_EQ(s.resX, 1920u);
             EXPECT_EQ(s.resY, 1000u);
             EXPECT_TRUE(s.fullscreen);
             EXPECT_EQ(s.maxFPS, 60);
         }},
        {"non-numeric values keep their defaults and spare the others",
         R"({"resX":"wide","resY":"900","maxFPS":"fast","fullscreen":"yes","menuScale":"big","theme":"x","shortcut_7":"ctrl-s","animateGrid":"0"})",
         [](const AppSettings& s) {
             EXPECT_EQ(s.resX, 1280u);
             EXPECT_EQ(s.resY, 900u);
             EXPECT_EQ(s.maxFPS, 60);
             EXPECT_FALSE(s.fullscreen);
             EXPECT_FLOAT_EQ(s.menuScale, 1.f);
             EXPECT_EQ(Global::Get().theme, 0);
             EXPECT_EQ(Shortcuts::get().code(ActionShortcut::Save), Shortcuts::defaultCode(ActionShortcut::Save));
             EXPECT_FALSE(s.animateGrid);
         }},
        {"out of range values are clamped",
         R"({"resX":"100","resY":"50","maxFPS":"2","autoSaveInterval":"99","language":"7","theme":"9","layoutMode":"-1","menuScale":"3.5","antialiasing":"3"})",
         [](const AppSettings& s) {
             EXPECT_EQ(s.resX, 800u);
             EXPECT_EQ(s.resY, 600u);
             EXPECT_EQ(s.maxFPS, 5);
             EXPECT_EQ(s.autoSaveInterval, 10);
             EXPECT_EQ(s.language, 1);
             EXPECT_EQ(Global::Get().theme, 3);
             EXPECT_EQ(s.layout, 0);
             EXPECT_FLOAT_EQ(s.menuScale, 1.5f);
             EXPECT_EQ(s.fontSize, 24);
             EXPECT_EQ(s.antialiasing, 0);
             EXPECT_EQ(LL::get().language, 1);
         }},
        {"numbers past the conversion range and negative sizes",
         R"({"maxFPS":"99999999999","resX":"-5","menuScale":"nan","autoSaveInterval":"0"})",
         [](const AppSettings& s) {
             EXPECT_EQ(s.maxFPS, 60);
             EXPECT_EQ(s.resX, 1280u);
             EXPECT_FLOAT_EQ(s.menuScale, 1.f);
             EXPECT_EQ(s.autoSaveInterval, 1);
         }},
        {"wide numbers keep the field's low bits", R"({"bgColorR":"300","fullscreen":"2","antialiasing":"264"})",
         [](const AppSettings& s) {
             EXPECT_EQ(s.bgColor.r, 44);
             EXPECT_TRUE(s.fullscreen);
             EXPECT_EQ(s.antialiasing, 8);
         }},
        {"shortcut codes",
         R"({"shortcut_7":"4294967295","shortcut_4":"200","shortcut_5":"10485770","shortcut_6":"18939917"})",
         [](const AppSettings&) {
             const Shortcuts& sc = Shortcuts::get();
             EXPECT_EQ(sc.code(ActionShortcut::Save), Shortcuts::defaultCode(ActionShortcut::Save));
             EXPECT_EQ(sc.code(ActionShortcut::Duplicate), Shortcuts::defaultCode(ActionShortcut::Duplicate));
             // Ctrl + Shift + K
             EXPECT_EQ(sc.code(ActionShortcut::Delete), Shortcuts::c_ctrl | Shortcuts::c_shift | sf::Keyboard::K);
             // Ctrl + N with bits 16 and 24 set: the stray bits are dropped.
             EXPECT_EQ(sc.code(ActionShortcut::NewLevel), Shortcuts::c_ctrl | sf::Keyboard::N);
         }},
        {"not JSON at all", std::string("\0\xff{garbage\"", 11),
         [&](const AppSettings& s) { EXPECT_EQ(describe(s), describe(defaults)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        resetShared();
        writeFile("broken.json", c.text);
        AppSettings s;
        s.Load("broken.json");
        c.check(s);
    }
}

} // namespace
