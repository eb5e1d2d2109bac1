#pragma once
// The editor's user preferences, stored in "sett.json" together with the Global flags and
// the shortcut codes.
#include <SFML/Graphics/Color.hpp>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace rux {

struct AppSettings {
    // Window flag slots, in the order the panels take them.
    enum Window { MainView, SceneWindow, FilesPanel, PropertiesPanel, HistoryWindow, WindowCount };

    std::uint32_t resX = 1280;
    std::uint32_t resY = 720;
    bool fullscreen = false;
    float menuScale = 1.f;
    int fontSize = 16; // not stored: 16 x menuScale
    bool alwaysShowImages = true;
    bool verticalSync = false;
    bool outOfFocus = true;
    sf::Color bgColor{16, 16, 16, 255};
    std::uint8_t antialiasing = 0;
    bool checkUpdatesOnStart = true;
    bool enableBackups = false;
    bool drawGridFirst = true;
    bool overrideMaxZoom = false;
    int maxFPS = 60;
    bool showDebugRefresh = false;
    bool autoSave = false;
    int autoSaveInterval = 5; // minutes
    int language = 0;
    std::string autoOpenLevel;
    bool autoOpenLast = false;
    bool touchPadSupport = false;
    // [layout][window]; stored under "layout<k>" + c_windowFlagKeys[window].
    std::array<std::array<bool, WindowCount>, 3> windowFlags{};
    bool animateGrid = true;
    bool animateZoom = true;
    std::string targetHTTPServer;
    std::uint8_t layout = 0;

    // The keys of the five flags, in slot order: the scene window's flag is the one under
    // "OpenFiles" and the files panel's the one under "OpenScene".
    static constexpr std::array<const char*, WindowCount> c_windowFlagKeys{
        "OpenMain", "OpenFiles", "OpenScene", "OpenProperties", "OpenHistory"};

    AppSettings() { SetWindowFlagDefaults(); }
    void SetWindowFlagDefaults();

    // Writes a temporary file beside `file` and renames it over, so a crash never leaves a
    // half-written file. False when nothing could be written.
    bool Save(const std::filesystem::path& file = "sett.json") const;
    // Sets every value whose key is present and well-formed, then brings values into range
    // and hands the language to LL. A missing file changes nothing.
    void Load(const std::filesystem::path& file = "sett.json");
};

} // namespace rux
