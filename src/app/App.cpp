#include "app/App.hpp"

#include "app/Constants.hpp"
#include "app/DialogTessly.hpp"
#include "app/DragDrop.hpp"
#include "app/ErrorLogs.hpp"
#include "app/InternalResource.hpp"
#include "app/Layout.hpp"
#include "app/Startup.hpp"
#include "env/Global.hpp"
#include "env/InputEvent.hpp"
#include "env/LL.hpp"
#include "env/Shortcuts.hpp"
#include "env/Themes.hpp"
#include "platform/Platform.hpp"

#include <imgui.h>

#include <SFML/System/Err.hpp>
#include <SFML/System/Sleep.hpp>

#include <cmath>
#include <system_error>

namespace fs = std::filesystem;

namespace rux {

App::App() : tessly(std::make_unique<TesslyDialogs>()) {
    LL::get().load(InternalResource::getResource(105));
}

App::~App() {
    std::error_code ec;
    fs::remove(c_heartbeatFile, ec);
    if (ImGui::GetCurrentContext()) {
        platform::Shutdown();
        ImGui::DestroyContext();
    }
}

bool App::Start(const fs::path& project, bool fromCommandLine, sf::Clock& clock, int restarts) {
    restartCount = restarts;
    projectToOpen = project;
    openedFromCommandLine = fromCommandLine;
    startClock = &clock;
    ErrorLogs::Install();

    settings.SetWindowFlagDefaults();
    settings.Load();
    if (settings.autoSave)
        autosaveRemaining = sf::seconds(settings.autoSaveInterval * 60.f);

    sf::Image logo;
    const std::string logoBytes = InternalResource::getResource(107);
    if (logoBytes.empty() || !logo.loadFromMemory(logoBytes.data(), logoBytes.size())) {
        sf::err() << "Cannot start: the logo " << InternalResource::getPath(107) << " is missing or unreadable."
                  << std::endl;
        return false;
    }
    logoTexture.loadFromImage(logo);
    logoTexture.setSmooth(true);
    iconImage.create(512, 512, sf::Color::Transparent);
    iconImage.copy(logo, (512 - std::min(512u, logo.getSize().x)) / 2, (512 - std::min(512u, logo.getSize().y)) / 2,
                   {0, 0, 0, 0}, true);

    if (!fs::exists(LayoutFile(0)))
        WriteFileAtomically(LayoutFile(0), InternalResource::getResource(108));

    RecreateAppWindow();
    window.clear(sf::Color::Black);
    window.display();

    const std::string setupBytes = InternalResource::getResource(102);
    if (setupBytes.empty() || !setupTexture.loadFromMemory(setupBytes.data(), setupBytes.size()))
        setupTexture.create(3, 3);
    setupTexture.setSmooth(true);
    GenerateTextures();

    ImGui::CreateContext();
    platform::Init(window, false);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // layouts are saved explicitly, one file per layout
    io.ConfigWindowsMoveFromTitleBarOnly = true;
    layoutInUse = settings.layout;
    LoadLayout(layoutInUse);

    settings.fontSize = static_cast<int>(16.f * settings.menuScale);
    uiFontData = InternalResource::getResource(104);
    cursor = std::make_unique<sf::Cursor>();
    if (cursor->loadFromSystem(sf::Cursor::Arrow))
        window.setMouseCursor(*cursor);
    RebuildFont();
    fonts["default"].loadFromMemory(uiFontData.data(), uiFontData.size());
    {
        // Texts without a font of their own draw with the interface font. Its bytes must
        // outlive every level, so the process keeps one copy for good.
        static const std::string missingFontData = uiFontData;
        static sf::Font missingFont;
        static const bool loaded = missingFont.loadFromMemory(missingFontData.data(), missingFontData.size());
        if (loaded)
            Level::getMissingFont(&missingFont);
    }
    codeFontData = InternalResource::getResource(111);
    fonts["code"].loadFromMemory(codeFontData.data(), codeFontData.size());

    ApplyTheme(Global::Get().theme);
    ApplyStyleOverrides();

    const std::string icons = InternalResource::getResource(103);
    textures["files"].loadFromMemory(icons.data(), icons.size());

    MainCamera().setCenter(0, 0);
    grid.Start();
    gizmo.Start();
    scene.gizmo = &gizmo;
    scene.handleTexture = &textures["circle64"];
    scene.hooks.gizmoTarget = [this](sf::Transformable* target) {
        gizmo.target = target;
        if (!target)
            gizmo.tool = ToolSelect;
    };

    std::error_code ec;
    for (const char* dir : {"Projects", "Backups", "Cache", "Cache/Thumbnails"})
        fs::create_directories(dir, ec);

    const bool restart = app();

    DragDrop::get().accepting = false;
    if (settings.autoOpenLast)
        settings.autoOpenLevel = openedFromCommandLine ? std::string() : projectPaths.folder.string();
    settings.Save();
    SaveLayout(layoutInUse);
    platform::Shutdown();
    ImGui::DestroyContext();
    return restart;
}

void App::RecreateAppWindow() {
    sf::ContextSettings request(0, 0, settings.antialiasing, 4, 2);
    const sf::VideoMode mode(settings.resX, settings.resY, 32);
    window.create(mode, c_AppName, settings.fullscreen ? sf::Style::Fullscreen : sf::Style::Default, request);
    contextSettings = window.getSettings();
    if (iconImage.getSize().x)
        window.setIcon(iconImage.getSize().x, iconImage.getSize().y, iconImage.getPixelsPtr());
    ApplyFrameLimit();
}

sf::Image MakeCircleImage() {
    sf::Image image;
    image.create(64, 64, sf::Color::Transparent);
    for (int i = 0; i < 64; ++i)
        for (int j = 0; j < 64; ++j) {
            const float d = static_cast<float>(std::abs(i - 32) + std::abs(j - 32));
            if (d < 64 / 2.3f)
                image.setPixel(i, j, sf::Color::White);
            else if (d < 64 / 2.1f)
                image.setPixel(i, j, sf::Color::Black);
        }
    return image;
}

void App::GenerateTextures() {
    textures["circle64"].loadFromImage(MakeCircleImage());
    textures["circle64"].setSmooth(true);
}

void App::RebuildFont() {
    ImGuiIO& io = ImGui::GetIO();
    io.Fonts->Clear();
    if (!uiFontData.empty()) {
        ImFontConfig config;
        config.FontDataOwnedByAtlas = false;
        io.Fonts->AddFontFromMemoryTTF(uiFontData.data(), static_cast<int>(uiFontData.size()),
                                       static_cast<float>(settings.fontSize), &config);
    } else {
        io.Fonts->AddFontDefault();
    }
    platform::UpdateFontTexture();
}

void TrimSeries(std::vector<float>& series) {
    while (series.size() > 60)
        series.erase(series.begin());
}

bool App::IsQueued(PopUpState state) const {
    return std::find(popUpQueue.begin(), popUpQueue.end(), state) != popUpQueue.end();
}

void App::ProcessEvents() {
    InputEvent& input = InputEvent::Get();
    sf::Event event;
    while (window.pollEvent(event)) {
        platform::ProcessEvent(event);
        if (event.type == sf::Event::Closed) {
            // Nothing to lose while no project is open; otherwise the exit prompt decides.
            if (!projectPaths.open())
                window.close();
            else if (!IsQueued(ExitPrompt))
                popUpQueue.push_back(ExitPrompt);
        } else if (event.type == sf::Event::Resized) {
            RescaleWindow({event.size.width, event.size.height});
        }
        input.Process(event);
    }
}

void App::Heartbeat() {
    if (heartbeatClock.getElapsedTime() <= sf::seconds(1))
        return;
    heartbeatClock.restart();
    std::error_code ec;
    if (fs::exists(c_focusRequestFile, ec)) {
        fs::remove(c_focusRequestFile, ec);
        window.requestFocus();
    }
    TouchFile(c_heartbeatFile);
}

void App::HandleEscape() {
    const InputEvent& input = InputEvent::Get();
    if (!input.keyPressed[sf::Keyboard::Escape] || Global::Get().textInputActive || !InputEvent::noSpecialPressed())
        return;
    // Without a project there is nothing to lose; the create and open screens and the
    // dialogs above the start screen take Escape for themselves.
    const PopUpState top = popUpQueue.empty() ? PopUpStateCount : popUpQueue.back();
    if (!projectPaths.open() && ((top == LevelSelect && levelSelectScreen == 0) || top == UpdateAvailable))
        window.close();
    else if (popUpQueue.empty())
        popUpQueue.push_back(ExitPrompt);
}

void App::ToggleFullscreen() {
    // The panels rescale from the size the window had before the switch.
    const sf::Vector2u before(settings.resX, settings.resY);
    sf::Vector2u size(1280, 720);
    if (fullscreenMode) {
        settings.fullscreen = false;
    } else {
        const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
        size = {desktop.width, desktop.height};
        settings.fullscreen = true;
    }
    fullscreenMode = settings.fullscreen;
    settings.resX = size.x;
    settings.resY = size.y;
    RecreateAppWindow();
    settings.resX = before.x;
    settings.resY = before.y;
    RescaleWindow(size);
    settings.Save();
}

bool App::app() {
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    fullscreenMode = settings.fullscreen && window.getSize() == sf::Vector2u(desktop.width, desktop.height);
    bool firstFrame = true;
    sf::Clock stepClock;
    while (true) {
        if (!window.isOpen())
            return restartRequested;
        InputEvent::Get().ClearEdges();
        ProcessEvents();

        while (!DragDrop::get().entries.empty()) {
            DragDrop::Entry entry = std::move(DragDrop::get().entries.front());
            DragDrop::get().entries.pop_front();
            std::error_code ec;
            if (fs::is_directory(entry.path, ec))
                continue;
            droppedFiles.push_back(entry.path);
            // One dialog copies everything dropped until it closes.
            if (!IsQueued(CopyFiles)) {
                popUpQueue.push_back(CopyFiles);
                popUpFreshOpen[CopyFiles] = true;
            }
        }

        Heartbeat();

        if (settings.outOfFocus && !InputEvent::Get().windowFocused) {
            sf::sleep(sf::milliseconds(100));
            TimeControl::get().Update();
            continue;
        }
        if (fontRebuildRequested) {
            RebuildFont();
            fontRebuildRequested = false;
        }
        SwitchLayoutIfAsked();
        HandleEscape();
        if (mainViewState.viewHovered && mainViewState.viewFocused && Shortcuts::get()[ActionShortcut::CenterCamera])
            MoveCamera(-MainCamera().getCenter());

        for (auto& series : frameSeries)
            TrimSeries(series);

        stepClock.restart();
        platform::Update(window, TimeControl::get().deltaTime);
        if (settings.showDebugRefresh)
            frameSeries[1].push_back(stepClock.getElapsedTime().asSeconds() * 1000.f);

        Global::Get().textInputActive = ImGui::GetIO().WantTextInput;
        TitleBar();
        Panels();
        stepClock.restart();
        UpdateScene();
        if (settings.showDebugRefresh)
            frameSeries[0].push_back(stepClock.getElapsedTime().asSeconds() * 1000.f);

        if (Shortcuts::get()[ActionShortcut::Fullscreen] && !Global::Get().textInputActive)
            ToggleFullscreen();
        ErrorDialogUpkeep();
        PopUp();

        if (!window.isOpen())
            return restartRequested;
        window.clear(sf::Color::Black);
        stepClock.restart();
        platform::Render(window);
        if (settings.showDebugRefresh)
            frameSeries[3].push_back(stepClock.getElapsedTime().asSeconds() * 1000.f);
        window.display();

        if (firstFrame) {
            firstFrame = false;
            startupTime = startClock ? startClock->getElapsedTime() : sf::Time::Zero;
            sf::err() << "RUX started in " << startupTime.asMilliseconds() << " ms" << std::endl;
        }
        TimeControl::get().Update();
    }
}

} // namespace rux
