// What the main view hands the scene's per-frame update.
#include "app/App.hpp"

#include "env/Global.hpp"
#include "env/InputEvent.hpp"

#include <imgui.h>

namespace rux {

SceneInput App::SceneInputOfFrame() {
    MainViewState& st = mainViewState;
    if (st.shownFrame != ImGui::GetFrameCount())
        st.viewHovered = st.viewFocused = false; // closed or hidden this frame
    SceneInput input;
    input.viewFocused = st.viewFocused;
    input.viewHovered = st.viewHovered;
    input.viewRect = st.viewRect;
    input.mouse = getSFMLViewMousePos(st.viewRect, MainCamera());
    input.uiMouse = getSFMLViewMousePos(st.viewRect, st.uiView);
    input.mousePixel = InputEvent::Get().mousePosition;
    input.zoom = st.zoom;
    input.menuScale = settings.menuScale;
    input.grid = st.gridSize;
    input.background = settings.bgColor;
    input.frameTime = TimeControl::get().frameTime;
    auto& open = settings.windowFlags[static_cast<std::size_t>(layoutInUse)];
    input.sceneWindowOpen = &open[1];
    input.sceneWindowTitle = PanelTitle(1);
    return input;
}

void App::UpdateScene() {
    // The properties panel keeps the painting and editing choices; the scene acts on them.
    scene.paintTileId = properties.paintTileId;
    scene.hideObjectsWhenEditing = properties.hideObjectsWhenEditing;
    scene.panelTabMask = properties.TabMask() & properties.openTabs;
    if (properties.replaceState == 2) {
        scene.requests.replaceTileId = properties.replaceTileId;
        scene.requests.replaceState = 2;
        properties.replaceState = 0;
    }
    scene.Update(SceneInputOfFrame());
    // A vertex picked in the view is the one the panel shows.
    if (scene.selectedVertex >= 0)
        properties.selectedVertex = scene.selectedVertex;
    panelRects[1] = {{scene.sceneWindowRect.left, scene.sceneWindowRect.top},
                     {scene.sceneWindowRect.width, scene.sceneWindowRect.height}};
}

} // namespace rux
