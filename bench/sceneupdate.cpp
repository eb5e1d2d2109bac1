// Per-frame cost of the scene update on a level of 10,000 sprites: with the mouse resting over
// the view and nothing happening, and while one selected object is dragged with Ctrl held.
#include "SpriteGrid.hpp"
#include "editor/Scene.hpp"
#include "env/InputEvent.hpp"

#include <benchmark/benchmark.h>

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

namespace {

constexpr int c_objects = 10'000;

rux_bench::SpriteGrid& Level10k() { return rux_bench::SharedSpriteGrid(c_objects, 100); }

rux::SceneInput Input(sf::Vector2i pixel) {
    rux::SceneInput input;
    input.viewFocused = input.viewHovered = true;
    input.viewRect = {0, 0, 4000, 4000};
    input.mousePixel = pixel;
    input.mouse = sf::Vector2f(pixel);
    input.grid = {10, 10};
    input.frameTime = sf::milliseconds(16);
    return input;
}

void BM_UpdateIdle(benchmark::State& state) {
    auto& f = Level10k();
    f.scene.DeselectAll();
    InputEvent::Get() = InputEvent();
    const rux::SceneInput input = Input({1234, 1234}); // between sprites
    for (auto _ : state) {
        InputEvent::Get().ClearEdges();
        f.scene.Update(input);
    }
}
BENCHMARK(BM_UpdateIdle)->Unit(benchmark::kMicrosecond);

void BM_UpdateDraggingOne(benchmark::State& state) {
    auto& f = Level10k();
    f.scene.DeselectAll();
    f.scene.SelectObject("Sprite-5050"); // at (2000, 2000)
    // Without a display the placeholder texture is empty; give the sprite an area to grab.
    f.scene.objects.at("Sprite-5050").sprite->setTextureRect({0, 0, 32, 32});
    InputEvent& in = InputEvent::Get();
    in = InputEvent();
    in.keyHeld[sf::Keyboard::LControl] = true;
    sf::Vector2i pixel{2005, 2005};
    f.scene.Update(Input(pixel));
    in.mouseHeld[sf::Mouse::Left] = true;
    int step = 1;
    for (auto _ : state) {
        in.ClearEdges();
        pixel.x += step; // back and forth, so the object stays under the mouse
        step = -step;
        f.scene.Update(Input(pixel));
    }
    state.counters["dragging"] = f.scene.draggingSelection;
    in.mouseHeld[sf::Mouse::Left] = false;
    in.keyHeld[sf::Keyboard::LControl] = false;
    f.scene.Update(Input(pixel)); // the release records the move
    f.undo.Clear();
}
BENCHMARK(BM_UpdateDraggingOne)->Unit(benchmark::kMicrosecond);

} // namespace
