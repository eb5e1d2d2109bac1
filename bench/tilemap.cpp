// Tile map costs for a 1024 x 1024 map: a full vertex rebuild, and one changed tile redrawn.
#include <RUX.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
struct Fixture {
    sf::Texture atlas;
    std::unique_ptr<rux::TileMap> map;
    Fixture() {
        sf::Image img;
        img.create(256, 256, sf::Color::White);
        atlas.loadFromImage(img);
        map = std::make_unique<rux::TileMap>(atlas);
        map->count = {1024, 1024};
        map->ResizeBuffer();
        for (unsigned x = 0; x < 1024; ++x)
            for (unsigned y = 0; y < 1024; ++y) map->tiles[x][y] = static_cast<std::uint16_t>((x + y) % 256);
        map->DrawUpdate();
    }
};
} // namespace

static void BM_TileMapFullRebuild(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        f.map->flags = rux::TileMap::All;
        f.map->DrawUpdate(); // vertices and the GPU upload
    }
}
BENCHMARK(BM_TileMapFullRebuild)->Unit(benchmark::kMillisecond);

static void DrawLoop(benchmark::State& state, bool oneTile) {
    Fixture f;
    sf::RenderTexture target;
    if (!target.create(1280, 720)) {
        state.SkipWithError("no render texture (needs a display)");
        return;
    }
    std::uint16_t id = 0;
    for (auto _ : state) {
        if (oneTile) f.map->setTile(512, 512, ++id);
        else f.map->flags = rux::TileMap::All;
        target.clear();
        target.draw(*f.map);
        target.display();
        target.getTexture().copyToImage();
    }
}
static void BM_TileMapChangeOneTileAndDraw(benchmark::State& state) { DrawLoop(state, true); }
static void BM_TileMapRebuildAllAndDraw(benchmark::State& state) { DrawLoop(state, false); }
BENCHMARK(BM_TileMapChangeOneTileAndDraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TileMapRebuildAllAndDraw)->Unit(benchmark::kMillisecond);
