// Watching 1,000 texture files: the cost of one frame's share of look-ups, and the work and
// the simulated time (frames at 60 Hz) until one changed texture is noticed and reloaded.
// Needs a display for the textures: run under xvfb-run.
#include "editor/Scene.hpp"

#include <SFML/Graphics/Image.hpp>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr int c_textures = 1000;
constexpr double c_frame = 1.0 / 60.0;

struct Fixture {
    rux::UndoSystem undo;
    rux::Level reference;
    rux::Scene scene{undo, reference};
    std::filesystem::path folder = std::filesystem::temp_directory_path() / ("assetpoll-" + std::to_string(::getpid()));
    double now = 0.0;

    Fixture() {
        std::filesystem::create_directories(folder);
        sf::Image image;
        image.create(16, 16, sf::Color::Red);
        scene.projectFolder = folder;
        for (int i = 0; i < c_textures; ++i) {
            const std::string key = "t" + std::to_string(i) + ".png";
            image.saveToFile((folder / key).string());
            scene.AddAsset(key, rux::ObjectType::Texture);
        }
        scene.CheckExternalChanges(now); // the first look only remembers
    }
    ~Fixture() { std::filesystem::remove_all(folder); }
};

Fixture& Textures() {
    static Fixture f;
    return f;
}

void BM_PollOneFrame(benchmark::State& state) {
    Fixture& f = Textures();
    for (auto _ : state) {
        f.now += c_frame;
        benchmark::DoNotOptimize(f.scene.CheckExternalChanges(f.now));
    }
}
BENCHMARK(BM_PollOneFrame);

void BM_DetectAndReloadOneChanged(benchmark::State& state) {
    Fixture& f = Textures();
    const std::filesystem::path file = f.folder / "t500.png";
    std::int64_t total = 0;
    for (auto _ : state) {
        std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(1));
        int reloaded = 0, frames = 0;
        while (reloaded == 0 && frames < 1000) {
            f.now += c_frame;
            reloaded = f.scene.CheckExternalChanges(f.now);
            ++frames;
        }
        total += frames;
    }
    const double average = static_cast<double>(total) / static_cast<double>(std::max<std::int64_t>(state.iterations(), 1));
    state.counters["frames_until_reload"] = average;
    state.counters["seconds_until_reload"] = average * c_frame;
}
BENCHMARK(BM_DetectAndReloadOneChanged)->Unit(benchmark::kMillisecond);

} // namespace
