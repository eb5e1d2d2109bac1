// The main view's tool row, right-click menu, key commands and drop target.
#include "app/App.hpp"
#include "app/DropPayload.hpp"

#include "env/Global.hpp"
#include "env/InputEvent.hpp"
#include "env/LL.hpp"
#include "env/Shortcuts.hpp"
#include "level/Collision.hpp"

#include <imgui.h>

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <array>
#include <vector>

namespace rux {

namespace {
struct QuickItem {
    const char* label;
    ObjectType kind;
};
constexpr std::array<QuickItem, 8> c_quickItems{{
    {"Sprite", ObjectType::Sprite},
    {"Tilemap", ObjectType::TileMap},
    {"Particle system", ObjectType::ParticleSystem},
    {"Text", ObjectType::Text},
    {"Vertex object", ObjectType::VertexObject},
    {"Camera", ObjectType::Camera},
    {"Point light", ObjectType::PointLight},
    {"Directional light", ObjectType::DirectionalLight},
}};

// A menu item that also fires on its shortcut while the menu is open.
bool CommandItem(const char* label, ActionShortcut action, bool enabled = true) {
    const bool clicked = ImGui::MenuItem(LL::get().lookup(label).c_str(),
                                         Shortcuts::get().getName(action).c_str(), false, enabled);
    return enabled && (clicked || Shortcuts::get()[action]);
}
} // namespace

bool App::SelectedObjectAt(sf::Vector2f world) {
    for (const auto& [name, kind] : scene.selection) {
        if (!Scene::SelectableInView(kind))
            continue;
        const auto it = scene.objects.find(name);
        if (it == scene.objects.end() || !it->second.transformable)
            continue;
        const Level::Object& o = it->second;
        if (Collision::TransformedRectangle_Point(Scene::getBB(o), o.transformable->getTransform(), world))
            return true;
    }
    return false;
}

void App::AddQuick(ObjectType kind) {
    const std::string name = scene.getFreeNextObjectName(kind);
    if (!scene.AddObjectNoTextures(name, kind))
        return;
    Level::Object& object = scene.objects.at(name);
    if (kind != ObjectType::Camera && object.transformable) {
        object.transformable->setPosition(mainViewState.createOnPos);
        scene.MirrorToReference(name);
    }
    scene.SelectObject(name);
    // The click on the menu item must not reach the picking below the menu.
    InputEvent::Get().mouseReleased[sf::Mouse::Left] = false;
}

void App::MainViewRightClick() {
    if (!ImGui::BeginPopup("RightClick"))
        return;
    if (mainViewState.pressHitSelected) {
        if (CommandItem("Copy", ActionShortcut::Copy)) {
            scene.CopySelectedObjectsToClipboard();
            ImGui::CloseCurrentPopup();
        }
        if (CommandItem("Duplicate", ActionShortcut::Duplicate)) {
            std::vector<std::string> names;
            if (scene.DuplicateSelectedObjects(names)) {
                scene.DeselectAll();
                scene.SelectObjectAuto(names);
            }
            ImGui::CloseCurrentPopup();
        }
        if (CommandItem("Delete", ActionShortcut::Delete)) {
            scene.DeleteSelectedObjects();
            ImGui::CloseCurrentPopup();
        }
    } else {
        if (ImGui::BeginMenu("Add quick"_C)) {
            for (const QuickItem& item : c_quickItems)
                if (ImGui::MenuItem(LL::get().lookup(item.label).c_str()))
                    AddQuick(item.kind);
            ImGui::EndMenu();
        }
        if (CommandItem("Center camera", ActionShortcut::CenterCamera)) {
            MoveCamera(-MainCamera().getCenter());
            ImGui::CloseCurrentPopup();
        }
        if (CommandItem("Paste", ActionShortcut::Paste, !scene.clipboard.empty())) {
            scene.PasteObjectsFromClipboardAndSelect();
            ImGui::CloseCurrentPopup();
        }
    }
    ImGui::EndPopup();
}

void App::ToggleView(int index) {
    bool* flags[] = {&grid.visible, &scene.animateShaders, &scene.updateParticles};
    bool& flag = *flags[index];
    AddUndoStep(UndoStepType::UIToggle, static_cast<std::uint16_t>(index), flag);
    flag = !flag;
}

void App::MainViewTools() {
    MainViewState& st = mainViewState;
    static constexpr const char* labels[] = {"Grid", "Animate shaders", "Update particles"};
    static constexpr ActionShortcut keys[] = {ActionShortcut::ToggleGrid, ActionShortcut::ToggleShaderAnimation,
                                              ActionShortcut::ToggleParticleUpdate};
    const bool values[] = {grid.visible, scene.animateShaders, scene.updateParticles};
    const bool viewActive = st.viewFocused && st.viewHovered && !Global::Get().textInputActive;
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            ImGui::SameLine();
        bool value = values[i];
        if (ImGui::Checkbox(LL::get().lookup(labels[i]).c_str(), &value) || (viewActive && Shortcuts::get()[keys[i]]))
            ToggleView(i);
        if (i == 0) {
            ImGui::SameLine();
            ImGui::SetNextItemWidth(75.f * settings.menuScale);
            int size[2] = {st.gridSize.x, st.gridSize.y};
            if (ImGui::InputInt2("Grid size"_C, size)) {
                const sf::Vector2i corrected(std::max(1, size[0]), std::max(1, size[1]));
                if (corrected != st.gridSize) {
                    st.gridSize = corrected;
                    grid.rebuild = true;
                }
            }
        }
    }
}

void App::ProcessUndoRedoStep() {
    undo.Undo(scene, [this](std::uint16_t id, bool previous) {
        bool* flags[] = {&grid.visible, &scene.animateShaders, &scene.updateParticles};
        if (id < 3)
            *flags[id] = previous;
    });
}

void App::MainViewKeys() {
    MainViewState& st = mainViewState;
    const InputEvent& in = InputEvent::Get();
    if (Global::Get().textInputActive)
        return;
    if (st.viewFocused && Shortcuts::get()[ActionShortcut::SelectAll]) {
        std::vector<std::string> names;
        for (const auto& entry : scene.objects)
            names.push_back(entry.first);
        scene.DeselectAll();
        scene.SelectObjectAuto(names);
    }
    if (st.viewFocused && Shortcuts::get()[ActionShortcut::Undo])
        ProcessUndoRedoStep();
    if (!IsQueued(LevelSelect) && !IsQueued(UpdateAvailable) && !IsQueued(Find) &&
        Shortcuts::get()[ActionShortcut::Find])
        popUpQueue.push_back(Find);

    // Q: bring back the last selection, or let go of the current one.
    if (st.viewFocused && in.keyPressed[sf::Keyboard::Q] && InputEvent::noSpecialPressed()) {
        if (scene.selection.empty()) {
            std::vector<std::string> names;
            for (const auto& [name, kind] : scene.previousSelection)
                if (!IsAssetKind(static_cast<int>(kind)) && scene.objects.count(name))
                    names.push_back(name);
            scene.SelectObjectAuto(names);
        } else if (!gizmo.dragging()) {
            scene.DeselectAll();
        }
    }
}

void App::MainViewDrop(sf::Vector2i pointer) {
    if (!ImGui::BeginDragDropTarget())
        return;
    const ImGuiPayload* payload = ImGui::AcceptDragDropPayload(c_createObjPayload);
    const auto drop = payload ? DecodeCreateObj(payload->Data, static_cast<std::size_t>(payload->DataSize))
                              : std::nullopt;
    if (drop) {
        MainViewState& st = mainViewState;
        chosenFile = ChosenFileFromDrop(scene.projectFolder, *drop);
        st.dropPosition = getSFMLViewMousePos(st.viewRect, MainCamera(), pointer);
        const bool ctrlOnly = InputEvent::onlyCtrlPressed();
        switch (drop->type) {
        case FileType::Image:
        case FileType::Font:
            if (ctrlOnly) {
                scene.AddAsset(drop->path, drop->type == FileType::Image ? ObjectType::Texture : ObjectType::Font);
                break;
            }
            [[fallthrough]];
        case FileType::Shader:
        case FileType::ParticleSystem:
        case FileType::TileMap: {
            ObjectType kind = ObjectType::None;
            if (drop->type == FileType::ParticleSystem)
                kind = ObjectType::ParticleSystem;
            else if (drop->type == FileType::TileMap)
                kind = ObjectType::TileMap;
            else if (drop->type == FileType::Image)
                kind = LoadTypeKind(st.loadAssetType);
            newObjectName = scene.getFreeNextObjectName(kind);
            popUpQueue.push_back(LoadAsset);
            break;
        }
        case FileType::Text: popUpQueue.push_back(CannotOpen); break;
        case FileType::Package: popUpQueue.push_back(ImportPackage); break;
        case FileType::GeneratorFrame: popUpQueue.push_back(TesslyViewer); break;
        case FileType::GeneratorVideo: popUpQueue.push_back(TesslyVideo); break;
        case FileType::LuaScript: // opens in a code editor once the code editor windows exist
        case FileType::Folder: break;
        }
    }
    ImGui::EndDragDropTarget();
}

} // namespace rux
