// The main view window: the level's image, its camera moved and zoomed by mouse, wheel,
// touchpad and keys, the grid, and the transform gizmo drawn over the scene.
#include "app/App.hpp"

#include "env/Global.hpp"
#include "env/InputEvent.hpp"
#include "env/LL.hpp"
#include "env/Shortcuts.hpp"
#include "platform/Platform.hpp"

#include <imgui.h>

#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <cmath>

namespace rux {

namespace {
const char* const c_mainCamera = "[Main Camera]";

bool inside(const sf::FloatRect& r, sf::Vector2i p) {
    return r.contains(static_cast<float>(p.x), static_cast<float>(p.y));
}
} // namespace

sf::View& App::MainCamera() {
    const auto it = scene.objects.find(c_mainCamera);
    if (it != scene.objects.end() && it->second.camera)
        return *it->second.camera;
    return fallbackCamera;
}

void App::MoveCamera(sf::Vector2f offset) {
    MainCamera().move(offset);
    mainViewState.zoomAnimation.Shift(offset);
}

void App::ZoomIn(bool towardPointer) { Zoom(true, towardPointer); }
void App::ZoomOut(bool towardPointer) { Zoom(false, towardPointer); }

void App::Zoom(bool in, bool towardPointer) {
    MainViewState& st = mainViewState;
    sf::View& camera = MainCamera();
    const CameraState start = CameraState::Of(camera);
    if (!ZoomStep(in, st.zoom, camera, st.viewRect, InputEvent::Get().mousePosition, towardPointer,
                  settings.overrideMaxZoom))
        return;
    st.zoomAnimation.Begin(start, CameraState::Of(camera));
    // The camera shows the start; the animation glides it to the target.
    if (settings.animateZoom)
        start.applyTo(camera);
}

void App::MainView() {
    MainViewState& st = mainViewState;
    InputEvent& in = InputEvent::Get();
    const sf::Vector2i pointer = in.mousePosition;
    const bool textInput = Global::Get().textInputActive;
    const bool hovered = ImGui::IsWindowHovered();
    st.shownFrame = ImGui::GetFrameCount();

    // Right and middle presses; a right press that ends where it began is a click.
    if (!st.rightPress && in.mouseHeld[sf::Mouse::Right] && inside(st.viewRect, pointer)) {
        st.rightPress = true;
        st.pressPointer = pointer;
    }
    if (!st.middlePress && in.mouseHeld[sf::Mouse::Middle] && inside(st.viewRect, pointer))
        st.middlePress = true;
    if (!in.mouseHeld[sf::Mouse::Middle])
        st.middlePress = false;
    bool rightClick = false;
    if (st.rightPress && !in.mouseHeld[sf::Mouse::Right]) {
        rightClick = pointer == st.pressPointer && hovered;
        st.rightPress = false;
    } else if (!st.rightPress && in.mouseReleased[sf::Mouse::Right] && !in.mouseHeld[sf::Mouse::Right]) {
        // Pressed and released within one frame.
        rightClick = inside(st.viewRect, pointer) && hovered;
    }
    if (rightClick) {
        if (!ImGui::IsWindowFocused())
            ImGui::SetWindowFocus(); // a click too quick to be seen held still focuses the view
        st.createOnPos = getSFMLViewMousePos(st.viewRect, MainCamera(), pointer);
        st.pressHitSelected = SelectedObjectAt(st.createOnPos);
        ImGui::OpenPopup("RightClick");
    }
    MainViewRightClick();
    MainViewTools();

    // The image fills the free area; the camera keeps world units per pixel at zoom.
    const ImVec2 area = ImGui::GetContentRegionAvail();
    const sf::Vector2u image(static_cast<unsigned>(std::max(1.f, area.x)), static_cast<unsigned>(std::max(1.f, area.y)));
    if (image != st.imageSize) {
        st.imageSize = image;
        MainCamera().setSize(static_cast<float>(image.x) * st.zoom, static_cast<float>(image.y) * st.zoom);
        mainView.create(image.x, image.y, sf::ContextSettings(0, 0, settings.antialiasing));
        grid.rebuild = true;
    }
    const ImVec2 origin = ImGui::GetCursorScreenPos();
    st.viewRect = {origin.x, origin.y, static_cast<float>(image.x), static_cast<float>(image.y)};

    // Wheel: zoom toward the pointer, or pan on a touchpad.
    if (hovered && popUpQueue.empty()) {
        if (!settings.touchPadSupport) {
            if (in.wheelVertical > 0)
                ZoomIn(true);
            else if (in.wheelVertical < 0)
                ZoomOut(true);
        } else if (in.wheelHorizontal != 0 || in.wheelVertical != 0) {
            MoveCamera(TouchpadOffset(st.zoom, in.wheelHorizontal, in.wheelVertical));
        }
        if (Shortcuts::get()[ActionShortcut::ZoomIn])
            ZoomIn(true);
        if (Shortcuts::get()[ActionShortcut::ZoomOut])
            ZoomOut(true);
    }
    st.zoomAnimation.Apply(settings.animateZoom, MainCamera());

    MainViewPan(hovered);

    st.uiView.reset({0, 0, static_cast<float>(image.x), static_cast<float>(image.y)});
    st.viewHovered = hovered;
    st.viewFocused = ImGui::IsWindowFocused();
    if (hovered && !st.viewFocused && in.mouseHeld[sf::Mouse::Right]) {
        ImGui::SetWindowFocus();
        st.viewFocused = true;
    }
    if (st.viewHovered && st.viewFocused && !textInput && InputEvent::noSpecialPressed()) {
        PanKeys keys;
        keys.left = in.keyPressed[sf::Keyboard::A] || in.keyPressed[sf::Keyboard::Left];
        keys.right = in.keyPressed[sf::Keyboard::D] || in.keyPressed[sf::Keyboard::Right];
        keys.up = in.keyPressed[sf::Keyboard::W] || in.keyPressed[sf::Keyboard::Up];
        keys.down = in.keyPressed[sf::Keyboard::S] || in.keyPressed[sf::Keyboard::Down];
        const sf::Vector2f offset = KeyPanOffset(st.zoom, keys);
        if (offset != sf::Vector2f())
            MoveCamera(offset);
    }

    MainViewGrid(pointer);
    MainViewKeys();

    sf::Clock renderClock;
    MainViewDraw();
    if (settings.showDebugRefresh)
        frameSeries[2].push_back(renderClock.getElapsedTime().asSeconds() * 1000.f);

    platform::Image(mainView, {static_cast<float>(image.x), static_cast<float>(image.y)});
    if (inside(st.viewRect, pointer))
        MainViewDrop(pointer);
    FramePlots();
}

void App::MainViewPan(bool hovered) {
    MainViewState& st = mainViewState;
    InputEvent& in = InputEvent::Get();
    // Only a press that began on the image pans.
    const bool buttonHeld = (in.mouseHeld[sf::Mouse::Right] && st.rightPress) ||
                            (in.mouseHeld[sf::Mouse::Middle] && st.middlePress);
    if (!buttonHeld) {
        st.panning = false;
        return;
    }
    const bool focused = ImGui::IsWindowFocused();
    sf::Vector2i pointer = in.mousePosition;
    // A pan that reaches an edge goes on from the opposite one.
    const sf::IntRect rect(static_cast<int>(st.viewRect.left), static_cast<int>(st.viewRect.top),
                           static_cast<int>(st.viewRect.width), static_cast<int>(st.viewRect.height));
    sf::Vector2i warped;
    if (hovered && focused && st.panning && in.windowFocused && WrapPointer(rect, pointer, warped)) {
        MoveCamera(PanOffset(st.zoom, st.lastPointer, pointer));
        sf::Mouse::setPosition(warped, window);
        in.mousePosition = warped;
        st.lastPointer = pointer = warped;
    }
    if (!hovered || !focused)
        return;
    if (inside(st.viewRect, pointer)) {
        if (!st.panning) {
            st.panning = true;
            st.lastPointer = pointer;
        }
        const sf::Vector2i moved = pointer - st.lastPointer;
        if (moved.x != 0 && moved.y != 0)
            st.cursor = sf::Cursor::SizeAll;
        MoveCamera(PanOffset(st.zoom, st.lastPointer, pointer));
        st.lastPointer = pointer;
    }
    if (st.panning && st.cursor == sf::Cursor::SizeAll)
        ImGui::SetMouseCursor(ImGuiMouseCursor_ResizeAll);
}

void App::MainViewGrid(sf::Vector2i pointer) {
    MainViewState& st = mainViewState;
    const sf::View& camera = MainCamera();
    grid.zoom = st.zoom;
    grid.animate = settings.animateGrid;
    if (settings.animateGrid && grid.shadersAvailable()) {
        const GridFade::Step step = grid.fade.Update(st.zoom, TimeControl::get().deltaTime.asSeconds());
        if (step.crossedUp || step.changed) {
            const sf::Vector2f pixel(static_cast<float>(pointer.x) - st.viewRect.left,
                                     static_cast<float>(pointer.y) - st.viewRect.top);
            grid.SetFadeUniforms(pixel, st.viewRect.height, step.crossedUp);
        }
    }
    if (grid.NeedsRebuild(camera, st.zoom))
        grid.Rebuild(camera, st.gridSize);
}

void App::MainViewDraw() {
    MainViewState& st = mainViewState;
    mainView.clear(settings.bgColor);
    mainView.setView(MainCamera());
    if (settings.drawGridFirst)
        mainView.draw(grid);
    mainView.draw(scene);
    if (!settings.drawGridFirst)
        mainView.draw(grid);
    if (scene.boxSelecting)
        mainView.draw(scene.selectionBox);
    gizmo.target = scene.SelectionTransformable();
    const bool showGizmo = gizmo.target != nullptr;
    if (showGizmo)
        mainView.draw(gizmo);
    mainView.setView(st.uiView);
    if (showGizmo && !*scene.editMode())
        mainView.draw(gizmo.gizmos);
    mainView.display();
    mainView.setSmooth(true);
    mainView.generateMipmap();
}

void App::FramePlots() {
    if (!settings.showDebugRefresh)
        return;
    static const char* const labels[] = {"##Scene update", "##ImGui update", "##Scene render", "##ImGui render"};
    static const char* const overlays[] = {"Scene update", "ImGui update", "Scene render", "ImGui render"};
    const float s = settings.menuScale;
    const ImVec2 cursor = ImGui::GetCursorPos();
    for (int i = 0; i < 4; ++i) {
        const auto& series = frameSeries[static_cast<std::size_t>(i)];
        ImGui::SetCursorPos({ImGui::GetWindowWidth() - 150.f * s, (30.f + 50.f * static_cast<float>(i)) * s});
        ImGui::PlotLines(labels[i], series.data(), static_cast<int>(series.size()), 0,
                         LL::get().lookup(overlays[i]).c_str(), 0.f, 8.f, {135.f * s, 40.f * s});
    }
    ImGui::SetCursorPos(cursor);
}

} // namespace rux
