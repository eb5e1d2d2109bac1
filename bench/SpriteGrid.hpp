#pragma once
// A scene of `count` untextured sprites, `perRow` to a row 40 units apart, with their twins and
// an empty history: the level most scene benchmarks measure. Made once per process, headless.
#include "editor/Scene.hpp"
#include "level/Graphics.hpp"

#include <string>

namespace rux_bench {

struct SpriteGrid {
    rux::UndoSystem undo;
    rux::Level reference;
    rux::Scene scene{undo, reference};

    SpriteGrid(int count, int perRow) {
        for (int i = 0; i < count; ++i) {
            const std::string name = "Sprite-" + std::to_string(i);
            scene.AddObjectNoTextures(name, rux::ObjectType::Sprite);
            scene.objects.at(name).transformable->setPosition(float(i % perRow) * 40.f, float(i / perRow) * 40.f);
            scene.MirrorToReference(name);
        }
        undo.Clear();
    }
};

// The process's one grid; later calls return the first one whatever they ask for.
inline SpriteGrid& SharedSpriteGrid(int count, int perRow) {
    static SpriteGrid* grid = [&] {
        rux::Graphics::setHeadless(true); // sprites without textures: no display needed
        return new SpriteGrid(count, perRow);
    }();
    return *grid;
}

} // namespace rux_bench
