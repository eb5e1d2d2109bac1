#pragma once
// The editor: owns the window, the user interface, the panels, the settings and
// everything that lives as long as one start of the editor.
#include "app/DialogAddItem.hpp"
#include "app/DialogFind.hpp"
#include "app/DialogLoadAsset.hpp"
#include "app/MainViewState.hpp"
#include "app/PopUpState.hpp"
#include "app/Project.hpp"
#include "app/ProjectFiles.hpp"
#include "app/TileMapLines.hpp"
#include "editor/Properties.hpp"
#include "editor/Scene.hpp"
#include "editor/SceneGizmo.hpp"
#include "editor/TransformType.hpp"
#include "editor/UndoSystem.hpp"
#include "env/AppSettings.hpp"

#include <SFML/Graphics.hpp>

#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace rux {

struct TesslyDialogs;

// A window's place on screen, as the layout keeps it.
struct PanelRect {
    sf::Vector2f position;
    sf::Vector2f size;
};

// Keeps panels proportional when the window goes from oldSize to newSize: widths scale
// with the window, heights with the area below the menu bar (h0 pixels high).
PanelRect RescalePanel(const PanelRect& panel, sf::Vector2u oldSize, sf::Vector2u newSize, float menuScale);

// The image of circle64: a white diamond with a black rim on transparent.
sf::Image MakeCircleImage();

class App {
public:
    App();
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Opens the window and runs the frame loop until it closes. True asks the caller to
    // build a fresh App for projectToOpen.
    bool Start(const std::filesystem::path& project, bool fromCommandLine, sf::Clock& startClock, int restartCount);

    std::filesystem::path projectToOpen;
    bool openedFromCommandLine = false;
    int restartCount = 0;

    // The five main windows, in the order of their open flags.
    static constexpr int c_panelCount = 5;
    static const std::array<const char*, c_panelCount> c_panelIds;
    // "windowNames[]" entry + fixed identity, so a window keeps its place across languages.
    static std::string PanelTitle(int index);
    // The layout file of layout i: its English name + ".ini", whatever the interface language.
    static std::string LayoutFile(int layout);

    // Opens the frame viewer on a ".tyu" file or the video player on a ".tyv" file.
    void OpenTesslyFile(const std::filesystem::path& file);

    // --- projects, saving and backups (AppProject.cpp, DialogProject.cpp, AppMenuBar.cpp) ---
    // Opens the project folder L/N: its level L/N.rux, side file and shaders, queueing the
    // open-failure, upgrade and missing-assets dialogs as needed.
    void LoadProject(const std::filesystem::path& folder);
    // Saves level, side file and (if enabled) a backup. On failure the reason goes to the
    // error dialog and false is returned.
    bool SaveScene();
    static std::uint16_t getProjectVersion(const std::filesystem::path& levelFile) {
        return rux::getProjectVersion(levelFile);
    }
    // Records a view toggle (kind UIToggle, index 0 grid, 1 shader animation, 2 particle
    // updating, the value before the change); other kinds are ignored.
    template <class T> void AddUndoStep(UndoStepType type, std::uint16_t index, T previous) {
        if constexpr (std::is_same_v<T, bool>)
            if (type == UndoStepType::UIToggle)
                undo.addUIToggle(index, previous);
    }
    // Whether the scene differs from the level file on disk.
    bool HasUnsavedChanges();
    const ProjectPaths& project() const { return projectPaths; }

private:
    bool app();
    void RecreateAppWindow();
    void RescaleWindow(sf::Vector2u newSize);
    // Moves and sizes main window `index` (an existing window; ImGui ignores unknown ones).
    void PlacePanel(int index, const PanelRect& rect);
    void GenerateTextures();
    void ProcessEvents();
    void Heartbeat();
    void SwitchLayoutIfAsked();
    void HandleEscape();
    void ToggleFullscreen();
    void TitleBar();
    void ViewMenu();
    void HelpMenu();
    void Panels();
    void DrawProperties();
    void PopUp();
    void LevelSelectDialog();
    void SettingsDialog();
    void AboutDialog();
    void OutlineDialog(std::string_view text);
    void GraphicsInfoDialog();
    void ClosePopUp();
    bool OkButton(float scale);
    void ApplyFrameLimit();
    bool IsQueued(PopUpState state) const;
    void SaveLayout(int layout);
    void LoadLayout(int layout);
    void RebuildFont();

    // --- projects, saving and backups ---------------------------------------------------------
    void OpenProjectFromCommandLine();
    void OpenListedProject(const std::filesystem::path& folder);
    void AfterProjectOpened(const std::filesystem::path& folder, const std::string& title);
    void LevelSelectFirstFrame();
    void CreateProject();
    void RefillBackupList();
    void TravelToBackup();
    void ErrorDialogUpkeep();
    void LevelSelectTiles();
    void LevelCreateScreen();
    void LevelOpenScreen();
    void ExitPromptDialog();
    void ErrorMessageDialog();
    void OpenFailedDialog();
    void UpgradeProjectDialog();
    void MissingAssetsDialog();
    void BackupSection();
    void RestartNow();
    void FileMenu();
    void EditMenu();
    void AddItemMenus();
    void SettingsMenuItem();
    void StatusLine();
    void MenuShortcuts();
    void Autosave();
    void SaveFromMenu();
    void QueueAddItem(std::uint8_t type);
    ProjectPaths projectPaths;
    std::string errorMessage;
    std::string newLevelName;
    std::string newLevelLocation = "Projects";
    std::string createProblem = "empty name";
    std::vector<ProjectEntry> projectEntries;
    bool levelSelectListed = false;
    std::vector<std::string> backupList;
    int backupIndex = 0;
    bool travelConfirm = false;
    // The level file on disk could not be read: the first save keeps a copy of it aside.
    bool levelUnread = false;
    // The level image as opened, the comparison when there is no level file yet.
    std::string openedImage;
    sf::Clock savedNoticeClock;
    sf::Time savedNoticeTime = sf::seconds(60);

    // Tessly frame viewer and video player.
    void TesslyMenu();
    void TesslyViewerDialog();
    void TesslyVideoDialog();
    std::string TesslyFolder() const;
    // The shape textures on offer, by name.
    std::vector<std::pair<std::string, const sf::Texture*>> ShapeTextureChoices();
    std::unique_ptr<TesslyDialogs> tessly;

    AppSettings settings;
    sf::RenderWindow window;
    sf::ContextSettings contextSettings;
    std::unique_ptr<sf::Cursor> cursor;
    bool fullscreenMode = false;

    // The reference level mirrors the scene after every finished edit; the scene is built
    // last and goes first, taking its twins and its history with it.
    UndoSystem undo;
    Level referenceLevel;
    Scene scene{undo, referenceLevel};

    // --- properties panel (editor/Properties*.cpp): drawn by Panels() in its window --------
    Properties properties{scene};

    // --- main view (MainView.cpp, MainViewMenu.cpp, MainViewScene.cpp) ---------------------
    void MainView();
    void ZoomIn(bool towardPointer);
    void ZoomOut(bool towardPointer);
    void Zoom(bool in, bool towardPointer);
    void MoveCamera(sf::Vector2f offset);
    sf::View& MainCamera();
    void MainViewPan(bool hovered);
    void MainViewGrid(sf::Vector2i pointer);
    void MainViewDraw();
    void MainViewTools();
    void MainViewRightClick();
    void MainViewKeys();
    void MainViewDrop(sf::Vector2i pointer);
    void FramePlots();
    bool SelectedObjectAt(sf::Vector2f world);
    void AddQuick(ObjectType kind);
    void ToggleView(int index);
    void ProcessUndoRedoStep();
    // The main view's state for the scene's per-frame update.
    SceneInput SceneInputOfFrame();
    // Hands the panel's choices to the scene and runs its per-frame update.
    void UpdateScene();

    sf::RenderTexture mainView;
    MainViewState mainViewState;
    sf::View fallbackCamera;
    TileMapLines grid;
    TransformType gizmo;

    // --- dialogs: add item, load asset, files, find, tile map and particle files ---------
    // (DialogAddItem.cpp, DialogLoadAsset.cpp, DialogAddExtItem.cpp, DialogFiles.cpp,
    // DialogFind.cpp, DialogTileMapIO.cpp)
    void AddItemDialog();
    void LoadAssetDialog();
    void CannotOpenDialog();
    void AddExtItemDialog();
    void CopyFilesDialog();
    void NewFolderDialog();
    void ExportAssetDialog();
    void ImportTileMapStartStep();
    void ImportTileMapDialog();
    void FindDialog();
    void CloseFind();
    // The folder the files panel shows; the project folder while there is no files panel.
    std::filesystem::path FilesCurrentFolder() const;
    std::string newObjectName;
    std::uint8_t addItemType = 0;    // "AssetType[]" entry 0..7
    std::uint8_t addExtItemType = 0; // "ExtAssetType[]" entry 0..3
    AddItemRequest addItemRequest;
    // The file last dropped on the main view (later also the files panel's choice).
    ChosenFile chosenFile;
    sf::Vector2i loadAssetTileSize{16, 16};
    sf::Vector2i loadAssetMapSize{5, 5};
    int loadShaderType = 0;          // 0 fragment, 1 vertex
    // Where exported items go and tile maps are imported from; the project folder on opening.
    std::string exportLocation;
    std::string importLocation;
    // The path last dropped on the properties panel's tile section, relative to the folder.
    std::string tileMapDropPath;
    std::string copyFilesDestination;
    bool copyFilesToCurrent = true;
    std::string newFolderName = "New_folder";
    FindState findState;

    std::vector<PopUpState> popUpQueue{PopUpState::LevelSelect};
    std::array<bool, PopUpStateCount> popUpFreshOpen{};
    std::array<bool, PopUpStateCount> popUpCentred{};
    int levelSelectScreen = 0;
    int fontSizeEdit = 16;
    int shortcutCapturing = -1;
    std::vector<std::string> projectList;
    std::vector<std::string> graphicsInfo;
    std::size_t graphicsInfoShown = 0;

    bool restartRequested = false;
    bool exitCheckPending = true;
    bool fontRebuildRequested = false;
    int layoutInUse = 0;

    sf::Image iconImage;
    sf::Texture logoTexture;
    sf::Texture setupTexture;
    std::map<std::string, sf::Texture> textures;
    std::map<std::string, sf::Font> fonts;
    std::string uiFontData;
    std::string codeFontData;

    std::string appTitle = "RUX";
    std::vector<std::string> droppedFiles;

    // Panel places of the last frame, read by RescaleWindow.
    std::array<PanelRect, c_panelCount> panelRects{};

    // Frame times in milliseconds: scene update, ImGui update, scene render, ImGui render.
    std::array<std::vector<float>, 4> frameSeries;

    sf::Clock heartbeatClock;
    sf::Clock* startClock = nullptr;
    sf::Time startupTime;
    sf::Time autosaveRemaining;
};

// Drops the oldest samples so that a series never holds more than 61 after a frame adds one.
void TrimSeries(std::vector<float>& series);

} // namespace rux
