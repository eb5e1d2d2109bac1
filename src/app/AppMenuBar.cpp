// The main menu bar: title item, File, Edit, Settings, View, the add-item menus, Tessly and
// Help, then the status area; also the menu shortcuts and the autosave countdown.
#include "app/App.hpp"
#include "app/ViewControl.hpp"

#include "env/Global.hpp"
#include "env/LL.hpp"
#include "env/Shortcuts.hpp"

#include <imgui.h>

#include <algorithm>
#include <array>

namespace rux {

namespace {
constexpr ImGuiWindowFlags c_barFlags = ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize |
                                        ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoScrollbar |
                                        ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_MenuBar |
                                        ImGuiWindowFlags_NoBringToFrontOnFocus;

// The object kinds of "AssetType[]" 0..7, in menu order.
constexpr std::array<ObjectType, 8> c_addItemKinds{ObjectType::Sprite,     ObjectType::TileMap,
                                                   ObjectType::ParticleSystem, ObjectType::Text,
                                                   ObjectType::VertexObject, ObjectType::Camera,
                                                   ObjectType::PointLight, ObjectType::DirectionalLight};

std::string ShortcutName(ActionShortcut action) { return Shortcuts::get().getName(action); }
} // namespace

void App::TitleBar() {
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    ImGui::SetNextWindowPos({0, 0});
    ImGui::SetNextWindowSize({display.x, display.y / 18.f});
    ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 0.f);
    if (ImGui::Begin("##MenuBar", nullptr, c_barFlags)) {
        if (ImGui::BeginMenuBar()) {
            if (ImGui::MenuItem(appTitle.c_str()) ||
                (Shortcuts::get()[ActionShortcut::About] && popUpQueue.empty()))
                popUpQueue.push_back(About);
            FileMenu();
            EditMenu();
            SettingsMenuItem();
            ViewMenu();
            AddItemMenus();
            TesslyMenu();
            HelpMenu();
            StatusLine();
            ImGui::EndMenuBar();
        }
    }
    ImGui::End();
    ImGui::PopStyleVar();
    MenuShortcuts();
    Autosave();
}

void App::SaveFromMenu() {
    autosaveRemaining = sf::seconds(static_cast<float>(settings.autoSaveInterval) * 60.f);
    if (SaveScene())
        savedNoticeTime = sf::Time::Zero;
}

void App::FileMenu() {
    const LL& ll = LL::get();
    if (!ImGui::BeginMenu(ll.lookup("File").c_str()))
        return;
    const bool open = projectPaths.open();
    if (ImGui::MenuItem(LL::ind("fileMenu[]", 0).c_str(), ShortcutName(ActionShortcut::NewLevel).c_str())) {
        restartRequested = true;
        popUpQueue.push_back(ExitPrompt);
    }
    if (ImGui::BeginMenu(LL::ind("fileMenu[]", 3).c_str(), !projectList.empty())) {
        for (const std::string& entry : projectList)
            if (ImGui::MenuItem(entry.c_str())) {
                projectToOpen = entry;
                restartRequested = true;
                popUpQueue.push_back(ExitPrompt);
            }
        ImGui::EndMenu();
    }
    if (ImGui::MenuItem(LL::ind("fileMenu[]", 5).c_str(), ShortcutName(ActionShortcut::Save).c_str(), false, open))
        SaveFromMenu();
    if (ImGui::MenuItem(LL::ind("fileMenu[]", 6).c_str(), "Escape"))
        popUpQueue.push_back(ExitPrompt);
    ImGui::EndMenu();
}

void App::EditMenu() {
    if (!ImGui::BeginMenu(LL::get().lookup("Edit").c_str()))
        return;
    const bool selected = !scene.selection.empty();
    if (ImGui::MenuItem(LL::ind("editMenu[]", 0).c_str(), ShortcutName(ActionShortcut::Undo).c_str(), false,
                        undo.getUndoStepCount() > 0))
        ProcessUndoRedoStep();
    if (ImGui::MenuItem(LL::ind("editMenu[]", 1).c_str(), ShortcutName(ActionShortcut::Copy).c_str(), false, selected))
        scene.CopySelectedObjectsToClipboard();
    if (ImGui::MenuItem(LL::ind("editMenu[]", 2).c_str(), ShortcutName(ActionShortcut::Paste).c_str(), false,
                        !scene.clipboard.empty()))
        scene.PasteObjectsFromClipboardAndSelect();
    if (ImGui::MenuItem(LL::ind("editMenu[]", 3).c_str(), ShortcutName(ActionShortcut::Duplicate).c_str(), false,
                        selected)) {
        std::vector<std::string> names;
        if (scene.DuplicateSelectedObjects(names)) {
            scene.DeselectAll();
            scene.SelectObjectAuto(names);
        }
    }
    if (ImGui::MenuItem(LL::ind("editMenu[]", 4).c_str(), "Ctrl + A")) {
        std::vector<std::string> names;
        for (const auto& entry : scene.objects)
            names.push_back(entry.first);
        scene.DeselectAll();
        scene.SelectObjectAuto(names);
    }
    if (ImGui::MenuItem(LL::ind("editMenu[]", 5).c_str(), ShortcutName(ActionShortcut::Delete).c_str(), false,
                        selected))
        scene.DeleteSelectedObjects();
    ImGui::EndMenu();
}

void App::SettingsMenuItem() {
    const bool shortcut = Shortcuts::get()[ActionShortcut::OpenSettings] && !IsQueued(LevelSelect) &&
                          !IsQueued(UpdateAvailable) && !IsQueued(Settings) && !Global::Get().textInputActive;
    if (ImGui::MenuItem(LL::get().lookup("Settings").c_str()) || shortcut) {
        if (settings.enableBackups)
            RefillBackupList();
        popUpQueue.push_back(Settings);
        popUpFreshOpen[Settings] = true;
    }
}

void App::ViewMenu() {
    if (!ImGui::BeginMenu(LL::get().lookup("View").c_str()))
        return;
    if (ImGui::MenuItem(LL::get().lookup("Zoom in").c_str(), ShortcutName(ActionShortcut::ZoomIn).c_str()))
        ZoomIn(false);
    if (ImGui::MenuItem(LL::get().lookup("Zoom out").c_str(), ShortcutName(ActionShortcut::ZoomOut).c_str()))
        ZoomOut(false);
    if (ImGui::BeginMenu(LL::get().lookup("Open window").c_str())) {
        auto& open = settings.windowFlags[static_cast<std::size_t>(layoutInUse)];
        for (int i = 0; i < c_panelCount; ++i)
            if (ImGui::MenuItem(LL::ind("windowNames[]", i).c_str(), nullptr, open[static_cast<std::size_t>(i)]))
                open[static_cast<std::size_t>(i)] = true;
        ImGui::EndMenu();
    }
    ImGui::Separator();
    // Choosing a layout only stores it; the frame loop saves the old one and switches next frame.
    for (int i = 0; i < 3; ++i)
        if (ImGui::MenuItem(LL::ind("WindowLayout[]", i).c_str(), nullptr, settings.layout == i))
            settings.layout = static_cast<std::uint8_t>(i);
    ImGui::EndMenu();
}

void App::QueueAddItem(std::uint8_t type) {
    addItemType = type;
    newObjectName = scene.getFreeNextObjectName(c_addItemKinds[type]);
    popUpQueue.push_back(AddItem);
    popUpFreshOpen[AddItem] = true;
}

void App::AddItemMenus() {
    if (ImGui::BeginMenu(LL::get().lookup("Add item").c_str())) {
        for (std::uint8_t i = 0; i < c_addItemKinds.size(); ++i)
            if (ImGui::MenuItem(LL::ind("AssetType[]", i).c_str()))
                QueueAddItem(i);
        ImGui::EndMenu();
    }
    if (ImGui::BeginMenu(LL::get().lookup("Add ext. item").c_str())) {
        for (std::uint8_t i = 0; i < 4; ++i)
            if (ImGui::MenuItem(LL::ind("ExtAssetType[]", i).c_str())) {
                addExtItemType = i;
                popUpQueue.push_back(AddExtItem);
                popUpFreshOpen[AddExtItem] = true;
            }
        ImGui::EndMenu();
    }
}

void App::HelpMenu() {
    if (!ImGui::BeginMenu(LL::get().lookup("Help").c_str()))
        return;
    static constexpr PopUpState entries[] = {Changelog, FuturePlans, PopUpStateCount, GraphicsInfo, About};
    for (int i = 0; i < 5; ++i) {
        if (entries[i] == PopUpStateCount)
            continue;  // the update check comes with the network client
        if (ImGui::MenuItem(LL::ind("OtherType[]", i).c_str()))
            popUpQueue.push_back(entries[i]);
    }
    ImGui::EndMenu();
}

void App::StatusLine() {
    const LL& ll = LL::get();
    savedNoticeTime += savedNoticeClock.restart();
    if (savedNoticeTime < sf::seconds(1)) {
        ImGui::Text(" %s", ll.lookup("Saved").c_str());
        ImGui::SameLine();
    }
    const float fpsX = ImGui::GetCursorPosX();
    const float dt = TimeControl::get().deltaTime.asSeconds();
    ImGui::Text(" FPS: %f\t", dt > 0.f ? 1.f / dt : 0.f);
    const MainViewState& st = mainViewState;
    if (st.viewHovered) {
        // The frame rate's six decimals are wider than its 70-pixel slot in most fonts.
        const float fpsWidth = ImGui::GetItemRectSize().x + ImGui::GetStyle().ItemSpacing.x;
        ImGui::SameLine(fpsX + std::max(70.f * settings.menuScale, fpsWidth));
        const sf::Vector2f world = getSFMLViewMousePos(st.viewRect, MainCamera());
        ImGui::Text("%s %.2f  %s %.2f  %s %.3f", ll.lookup("Tile X:").c_str(),
                    world.x / static_cast<float>(st.gridSize.x), ll.lookup("Tile Y:").c_str(),
                    world.y / static_cast<float>(st.gridSize.y), ll.lookup("Scale:").c_str(), st.zoom);
    }
}

void App::MenuShortcuts() {
    if (Global::Get().textInputActive || !popUpQueue.empty())
        return;
    const Shortcuts& keys = Shortcuts::get();
    if (keys[ActionShortcut::NewLevel]) {
        restartRequested = true;
        popUpQueue.push_back(ExitPrompt);
    } else if (keys[ActionShortcut::Save] && projectPaths.open()) {
        SaveFromMenu();
    } else if (keys[ActionShortcut::AddItem] && mainViewState.viewFocused && mainViewState.viewHovered) {
        QueueAddItem(addItemType);
    }
}

void App::Autosave() {
    if (!popUpQueue.empty())
        return;
    autosaveRemaining -= TimeControl::get().deltaTime;
    if (settings.autoSave && autosaveRemaining < sf::Time::Zero) {
        autosaveRemaining = sf::seconds(static_cast<float>(settings.autoSaveInterval) * 60.f);
        if (SaveScene())
            savedNoticeTime = sf::Time::Zero;
    }
}

} // namespace rux
