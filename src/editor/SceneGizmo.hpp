#pragma once
// The gizmo's part of the per-frame scene update: running the gizmo on the selection, the
// keyboard nudges, and recording the finished change for undo once the mouse is released.
#include "editor/Scene.hpp"
#include "editor/TransformType.hpp"

namespace rux {

// What the main view tells the gizmo each frame.
struct GizmoFrame {
    bool focused = false;   // the main view has focus
    float zoom = 1.f;
    sf::Vector2f mouse;     // main camera coordinates
    sf::Vector2f uiMouse;   // the main view's pixel view
    float menuScale = 1.f;
    sf::Vector2i grid{1, 1};
};

// While an object is selected: one frame of the gizmo, applied to the selection, then the
// keyboard nudges (Ctrl + arrows move, Alt + Left/Right rotate; each recorded at once, and
// only while the main view has focus and no text field takes the keys).
void UpdateSceneGizmo(Scene& scene, TransformType& gizmo, const GizmoFrame& frame, GizmoChanges& changes);

// On a frame without the left button: one undo group with the position, rotation and scale
// changes of the selected objects that the gizmo (or a selection drag) made. Clears `changes`;
// returns the number of steps recorded.
int CommitGizmoChanges(Scene& scene, GizmoChanges& changes, bool draggingSelection = false);

} // namespace rux
