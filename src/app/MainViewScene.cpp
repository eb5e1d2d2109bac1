// The part of the per-frame scene update that the main view needs before the scene's own
// update exists: the gizmo on the selection with its undo commit, hover and click picking.
#include "app/App.hpp"

#include "env/InputEvent.hpp"

#include <imgui.h>

#include <SFML/Window/Mouse.hpp>

namespace rux {

void App::SceneEditingStep() {
    MainViewState& st = mainViewState;
    InputEvent& in = InputEvent::Get();
    if (st.shownFrame != ImGui::GetFrameCount())
        st.viewHovered = st.viewFocused = false; // closed or hidden this frame
    const sf::Vector2f mouse = getSFMLViewMousePos(st.viewRect, MainCamera());

    GizmoFrame frame;
    frame.focused = st.viewFocused;
    frame.zoom = st.zoom;
    frame.mouse = mouse;
    frame.uiMouse = getSFMLViewMousePos(st.viewRect, st.uiView);
    frame.menuScale = settings.menuScale;
    frame.grid = st.gridSize;
    UpdateSceneGizmo(scene, gizmo, frame, gizmoChanges);

    const bool held = in.mouseHeld[sf::Mouse::Left];
    if (!held) {
        focusedNow = st.viewFocused;
        CommitGizmoChanges(scene, gizmoChanges, scene.draggingSelection);
    }
    for (auto& entry : scene.objects)
        entry.second.hovered = false;
    if (held && st.viewFocused)
        pressFocused = focusedNow;

    const bool ctrlOnly = InputEvent::onlyCtrlPressed();
    const bool noModifier = InputEvent::noSpecialPressed();
    const bool overImage = st.viewRect.contains(static_cast<sf::Vector2f>(in.mousePosition));
    if (st.viewFocused && st.viewHovered && overImage && (ctrlOnly || noModifier)) {
        PickInput pick;
        pick.world = mouse;
        pick.release = in.mouseReleased[sf::Mouse::Left];
        pick.pressFocused = pressFocused;
        pick.gizmoIdle = gizmo.idle();
        pick.ctrlOnly = ctrlOnly;
        pick.noModifier = noModifier;
        if (scene.Pick(pick))
            in.mouseReleased[sf::Mouse::Left] = false;
    }
}

} // namespace rux
