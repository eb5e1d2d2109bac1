#include "editor/SceneGizmo.hpp"

#include "env/Global.hpp"
#include "env/InputEvent.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <vector>

namespace rux {

namespace {
constexpr float c_radToDeg = 57.295776f;

bool anyObjectSelected(const Scene& scene) {
    return std::any_of(scene.selection.begin(), scene.selection.end(),
                       [](const Scene::SelectionEntry& e) { return IsObjectKind(static_cast<int>(e.second)); });
}

NudgeKeys nudgeKeys() {
    const InputEvent& in = InputEvent::Get();
    NudgeKeys keys;
    keys.ctrl = InputEvent::isCtrlPressed();
    keys.alt = InputEvent::isAltPressed();
    keys.shift = InputEvent::isShiftPressed();
    keys.up = in.keyPressed[sf::Keyboard::Up];
    keys.down = in.keyPressed[sf::Keyboard::Down];
    keys.left = in.keyPressed[sf::Keyboard::Left];
    keys.right = in.keyPressed[sf::Keyboard::Right];
    return keys;
}
} // namespace

void UpdateSceneGizmo(Scene& scene, TransformType& gizmo, const GizmoFrame& frame, GizmoChanges& changes) {
    if (!anyObjectSelected(scene))
        return;
    gizmo.target = scene.SelectionTransformable();
    gizmo.Update(frame.focused, frame.zoom, frame.mouse, frame.uiMouse, frame.menuScale, frame.grid);

    GizmoResult& r = gizmo.result;
    if (r.moved) {
        scene.moveSelected(r.moveDelta);
        changes.moved = true;
    }
    if (r.rotated) {
        scene.rotateSelected(r.rotation * c_radToDeg);
        changes.rotated = true;
    }
    if (r.scaled) {
        scene.scaleSelected(r.scaleFactor);
        changes.scaled = true;
    }
    r.clear();

    // Ctrl + arrows in a code editor or a panel must not nudge the level.
    if (!frame.focused || Global::Get().textInputActive)
        return;
    const NudgeKeys keys = nudgeKeys();
    const sf::Vector2f move = MoveNudge(keys);
    if (move != sf::Vector2f()) {
        scene.moveSelected(move);
        scene.CommitSelectionChanges({UndoAction::Position});
    }
    const float angle = RotateNudge(keys);
    if (angle != 0.f) {
        scene.rotateSelected(angle);
        scene.CommitSelectionChanges({UndoAction::Rotation});
    }
}

int CommitGizmoChanges(Scene& scene, GizmoChanges& changes, bool draggingSelection) {
    if (InputEvent::Get().mouseHeld[sf::Mouse::Left])
        return 0;
    std::vector<UndoAction> actions;
    if (changes.moved || draggingSelection)
        actions.push_back(UndoAction::Position);
    if (changes.rotated)
        actions.push_back(UndoAction::Rotation);
    if (changes.scaled)
        actions.push_back(UndoAction::Scale);
    changes = {};
    return actions.empty() ? 0 : scene.CommitSelectionChanges(actions);
}

} // namespace rux
