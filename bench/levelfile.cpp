// Level file speed: 100,000 sprites on 4 textures plus one 512 x 512 tile map, saved and
// loaded in memory. Headless, so texture decoding is left out and only the format is timed.
#include <RUX.hpp>
#include <SFML/System/MemoryInputStream.hpp>
#include <benchmark/benchmark.h>
#include <fstream>
#include <string>

namespace {

rux::Level& BigLevel() {
    static rux::Level level = [] {
        rux::Graphics::setHeadless(true);
        rux::Level l;
        const rux::Level::AssetObject* textures[4];
        for (int t = 0; t < 4; ++t) {
            auto& a = l.assets["textures/t" + std::to_string(t) + ".png"];
            a.type = rux::ObjectType::Texture;
            a.path = "textures/t" + std::to_string(t) + ".png";
            textures[t] = &a;
        }
        for (int i = 0; i < 100000; ++i) {
            auto& o = l.objects["sprite-" + std::to_string(i)];
            o.sprite = std::make_unique<sf::Sprite>();
            o.sprite->setTextureRect({0, 0, 32, 32});
            o.sprite->setPosition(float(i % 1000) * 32.f, float(i / 1000) * 32.f);
            o.transformable = o.sprite.get();
            o.type = rux::ObjectType::Sprite;
            o.texture = textures[i % 4];
            o.zOrder = static_cast<std::int8_t>(i % 16);
            o.color = {1.f, 1.f, 1.f, 1.f};
        }
        auto& m = l.objects["ground"];
        m.UseTileMap(*textures[0]);
        m.tileMap->count = {512, 512};
        m.tileMap->ResizeBuffer();
        return l;
    }();
    return level;
}

long PeakKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

} // namespace

static void BM_LevelSave(benchmark::State& state) {
    const rux::Level& level = BigLevel();
    std::string bytes;
    for (auto _ : state) {
        level.saveToMemory(bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["objects/s"] = benchmark::Counter(double(level.objects.size()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["file_MB"] = double(bytes.size()) / 1e6;
    state.counters["peak_MiB"] = double(PeakKiB()) / 1024.0;
}
BENCHMARK(BM_LevelSave)->Unit(benchmark::kMillisecond);

static void BM_LevelLoad(benchmark::State& state) {
    std::string bytes;
    BigLevel().saveToMemory(bytes);
    std::size_t objects = 0;
    for (auto _ : state) {
        rux::Level level;
        sf::MemoryInputStream in;
        in.open(bytes.data(), bytes.size());
        if (!level.loadFromStream(in, "/nonexistent")) state.SkipWithError("load failed");
        objects = level.objects.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["objects/s"] = benchmark::Counter(double(objects), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_MiB"] = double(PeakKiB()) / 1024.0;
}
BENCHMARK(BM_LevelLoad)->Unit(benchmark::kMillisecond);
