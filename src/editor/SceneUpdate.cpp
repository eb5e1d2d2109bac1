// The per-frame update: the order in which input reaches the level, the selection shortcuts,
// dragging and box selection, the transform commit, picking and the Scene window.
#include "editor/Scene.hpp"
#include "editor/SceneGizmo.hpp"
#include "editor/TileEdit.hpp"
#include "env/Global.hpp"
#include "env/InputEvent.hpp"
#include "env/Shortcuts.hpp"
#include "level/Collision.hpp"

#include <imgui.h>

#include <SFML/Window/Mouse.hpp>

#include <algorithm>

namespace rux {
namespace {

bool AnyObjectSelected(const std::vector<Scene::SelectionEntry>& selection) {
    return std::any_of(selection.begin(), selection.end(),
                       [](const Scene::SelectionEntry& e) { return IsObjectKind(static_cast<int>(e.second)); });
}

bool InImage(const SceneInput& input) {
    return input.viewRect.contains(static_cast<float>(input.mousePixel.x), static_cast<float>(input.mousePixel.y));
}

} // namespace

Level::Object* Scene::EditedObject() {
    return const_cast<Object*>(static_cast<const Scene*>(this)->EditedObject());
}

const Level::Object* Scene::EditedObject() const {
    for (const auto& [name, kind] : selection) {
        if (IsAssetKind(static_cast<int>(kind))) continue;
        const auto it = objects.find(name);
        return it == objects.end() ? nullptr : &it->second;
    }
    return nullptr;
}

void Scene::Update(const SceneInput& input) {
    InputEvent& in = InputEvent::Get();
    const bool held = in.mouseHeld[sf::Mouse::Left];
    if (held && !leftWasHeld) pressInImage = input.viewHovered && InImage(input);
    leftWasHeld = held;

    totalTime += input.frameTime.asMicroseconds();
    UpdateProperties();
    CheckExternalChanges();
    if (animateShaders) SetShaderTime(static_cast<float>(static_cast<double>(totalTime) / 1e6));
    CheckSelectedVertex();

    ShortcutsOnSelection(input);

    if (gizmo && AnyObjectSelected(selection)) {
        GizmoFrame frame;
        frame.focused = input.viewFocused;
        frame.zoom = input.zoom;
        frame.mouse = input.mouse;
        frame.uiMouse = input.uiMouse;
        frame.menuScale = input.menuScale;
        frame.grid = input.grid;
        UpdateSceneGizmo(*this, *gizmo, frame, gizmoChanges);
    }

    if (!selection.empty()) {
        switch (selection.front().second) {
        case ObjectType::TileMap: PaintTiles(input); break;
        case ObjectType::VertexObject: EditVertices(input); break;
        case ObjectType::Camera: {
            const auto it = objects.find(selection.front().first);
            if (it != objects.end() && it->second.camera) RenderCameraPreview(*it->second.camera, input.background);
            break;
        }
        default: break;
        }
    }

    if (!held) {
        focusedNow = input.viewFocused;
        if (draggingSelection || boxSelecting) {
            in.mouseReleased[sf::Mouse::Left] = false;
            if (boxSelecting) BoxSelectEnd(InputEvent::isCtrlPressed());
        }
        selectionBox.setOutlineThickness(0.f);
        // Costs a diff per selected object, and only on the frame after a change.
        CommitGizmoChanges(*this, gizmoChanges, draggingSelection);
        draggingSelection = false;
        boxSelecting = false;
    }

    for (auto& [name, o] : objects) o.hovered = false;

    if (held && input.viewFocused) DragOrBoxSelect(input);
    lastMousePixel = input.mousePixel;

    const bool ctrlOnly = InputEvent::onlyCtrlPressed();
    const bool noModifier = InputEvent::noSpecialPressed();
    if (input.viewFocused && input.viewHovered && InImage(input) && !draggingSelection && (noModifier || ctrlOnly)) {
        PickInput pick;
        pick.world = input.mouse;
        pick.release = in.mouseReleased[sf::Mouse::Left];
        pick.pressFocused = pressFocused;
        pick.gizmoIdle = !gizmo || gizmo->idle();
        pick.ctrlOnly = ctrlOnly;
        pick.noModifier = noModifier;
        if (Pick(pick)) in.mouseReleased[sf::Mouse::Left] = false;
    }

    DrawSceneWindow(input);

    if (updateParticles) UpdateParticles(input.frameTime);
}

void Scene::ShortcutsOnSelection(const SceneInput& input) {
    // Shortcuts answer nothing while a text field takes the keys.
    if (!input.viewFocused) return;
    const Shortcuts& keys = Shortcuts::get();
    if (!selection.empty() && keys[ActionShortcut::Delete]) DeleteSelectedObjects();
    if (!selection.empty() && keys[ActionShortcut::Duplicate]) DuplicateAndSelect();
    if (!selection.empty() && keys[ActionShortcut::Copy]) CopySelectedObjectsToClipboard();
    if (!clipboard.empty() && keys[ActionShortcut::Paste]) PasteObjectsFromClipboardAndSelect();
}

void Scene::DuplicateAndSelect() {
    std::vector<std::string> names;
    if (!DuplicateSelectedObjects(names)) return;
    DeselectAll();
    SelectObjectAuto(names);
}

void Scene::DragOrBoxSelect(const SceneInput& input) {
    const bool selectTool = !gizmo || gizmo->tool == ToolSelect;
    // A press that began on the tool row, the title bar or a neighbouring window selects nothing.
    if (!editModeFlag && pressInImage) {
        if (!selection.empty() && !boxSelecting && selectTool && InputEvent::isCtrlPressed()) {
            bool grab = draggingSelection;
            for (Object* o : getSelectedObjects()) {
                if (grab) break;
                grab = o->transformable &&
                       Collision::TransformedRectangle_Point(getBB(*o), o->transformable->getTransform(), input.mouse);
            }
            if (grab) {
                const sf::Vector2i d = lastMousePixel - input.mousePixel;
                if (d != sf::Vector2i()) {
                    moveSelected(-sf::Vector2f(d) * input.zoom);
                    draggingSelection = true;
                }
            }
        }
        if (!draggingSelection && selectTool) {
            if (selectionBox.getOutlineThickness() == 0.f) BoxSelectBegin(input.mouse, input.zoom);
            else BoxSelectDrag(input.mouse, input.zoom);
        }
    }
    pressFocused = focusedNow;
}

void Scene::DrawSceneWindow(const SceneInput& input) {
    if (!input.sceneWindowOpen || !*input.sceneWindowOpen || !ImGui::GetCurrentContext()) return;
    const std::string title = input.sceneWindowTitle.empty() ? std::string("Scene###Scene") : input.sceneWindowTitle;
    if (ImGui::Begin(title.c_str(), input.sceneWindowOpen, ImGuiWindowFlags_NoCollapse)) {
        const ImVec2 pos = ImGui::GetWindowPos();
        const ImVec2 size = ImGui::GetWindowSize();
        sceneWindowRect = {pos.x, pos.y, size.x, size.y};
        DrawSceneTree();
    }
    ImGui::End();
}

// --- requests of the properties panel ---------------------------------------------------------

void Scene::UpdateProperties() {
    if (editModeFlag != seenEditMode) {
        seenEditMode = editModeFlag;
        if (Camera* view = getMainCamera()) UpdateEditCamera(*view);
        ClearSelectedVertex();
    }

    PanelRequests& r = requests;
    if (r.duplicate) {
        r.duplicate = false;
        if (!selection.empty()) DuplicateAndSelect();
    }
    if (r.remove) {
        r.remove = false;
        if (!selection.empty()) {
            const SelectionEntry first = selection.front();
            if (IsAssetKind(static_cast<int>(first.second))) DeleteAsset(first.first); // refused while in use
            else DeleteSelectedObjects();
        }
    }
    Object* object = EditedObject();
    auto shaderAsset = [&](bool vertex) -> const AssetObject* {
        if (!object) return nullptr;
        return vertex ? object->vertexShader : object->fragmentShader;
    };
    for (const bool vertex : {true, false}) {
        bool& select = vertex ? r.selectVertexShaderAsset : r.selectFragmentShaderAsset;
        if (select) {
            select = false;
            if (const AssetObject* a = shaderAsset(vertex)) SelectAsset(a->path);
            object = EditedObject(); // selecting an asset leaves no object selected
        }
        bool& reload = vertex ? r.reloadVertexShader : r.reloadFragmentShader;
        if (reload) {
            reload = false;
            if (object) {
                ReloadShader(*object);
                if (const AssetObject* a = shaderAsset(vertex)) {
                    const auto it = assets.find(a->path);
                    if (it != assets.end()) DetectUniforms(&it->second);
                }
            }
        }
    }
    if (r.nameEditDone) {
        r.nameEditDone = false;
        if (object && hooks.panelShowObject) hooks.panelShowObject(*object);
    }

    TileMap* map = object ? object->tileMap.get() : nullptr;
    if (r.fillTiles) {
        r.fillTiles = false;
        if (map) {
            FillTiles(*map, static_cast<std::uint16_t>(paintTileId));
            AddTilemapUndoStep();
        }
    }
    if (r.replaceState == 2) {
        r.replaceState = 0;
        if (map) {
            ReplaceTiles(*map, static_cast<std::uint16_t>(r.replaceTileId), static_cast<std::uint16_t>(paintTileId));
            AddTilemapUndoStep();
        }
    }
    if (r.applyUniforms) {
        r.applyUniforms = false;
        if (object) Level::ApplyUniforms(*object);
    }
    if (r.shiftTiles != 0) {
        const int direction = r.shiftTiles;
        r.shiftTiles = 0;
        if (map && ShiftTiles(*map, direction)) AddTilemapUndoStep();
    }
}

void Scene::UpdateEditCamera(sf::View& view) {
    if (!editModeFlag) {
        view.setCenter(savedCameraCenter);
        return;
    }
    savedCameraCenter = view.getCenter();
    Object* o = EditedObject();
    if (!o) return;
    if (o->tileMap) {
        const TileMap& m = *o->tileMap;
        view.setCenter(static_cast<float>(m.count.x) * static_cast<float>(m.tileSize.x) / 2.f,
                       static_cast<float>(m.count.y) * static_cast<float>(m.tileSize.y) / 2.f);
    } else if (o->vertexObject) {
        const sf::FloatRect b = o->vertexObject->vertices.getBounds();
        view.setCenter(b.left + b.width / 2.f, b.top + b.height / 2.f);
        o->vertexObject->generateSelectIcons();
    }
}

} // namespace rux
