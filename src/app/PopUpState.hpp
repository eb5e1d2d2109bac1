#pragma once
#include <cstdint>

namespace rux {

// The modal dialogs. The values are stable: the title of each is "PopUpTitle[]" at its value.
enum PopUpState : std::uint32_t {
    AddItem = 0,
    Unused1 = 1,
    ExitPrompt = 2,
    Settings = 3,
    LoadAsset = 4,
    CannotOpen = 5,
    LevelSelect = 6,
    ErrorMessage = 7,
    About = 8,
    ExportAsset = 9,
    ImportTileMap = 10,
    ImportTileMapStart = 11,
    AddExtItem = 12,
    UpdateAvailable = 13,
    TesslyGenerator = 14,
    Changelog = 15,
    DeleteFile = 16,
    GraphicsInfo = 17,
    TesslyViewer = 18,
    TesslyVideo = 19,
    CopyFiles = 20,
    NewFolder = 21,
    UpgradeProject = 22,
    OpenFailed = 23,
    FuturePlans = 24,
    ExportProgress = 25,
    SavePackage = 26,
    ImportPackage = 27,
    OpenInCodeEditor = 28,
    NoUpdate = 29,
    MissingAssets = 30,
    SaveCodeAs = 31,
    Find = 32,
    PopUpStateCount = 33
};

} // namespace rux
