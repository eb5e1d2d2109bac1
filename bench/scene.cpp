// Change detection and undo memory on a level of 100,000 sprites: the commit that runs on
// mouse release (nothing changed / one selected object moved), picking under the mouse, and
// the heap held by one property step and by the step that deletes 1,000 objects.
#include "SpriteGrid.hpp"
#include "editor/Scene.hpp"

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

constexpr int c_objects = 100'000;

rux_bench::SpriteGrid& Level100k() { return rux_bench::SharedSpriteGrid(c_objects, 1000); }

std::size_t HeapInUse() { return mallinfo2().uordblks; }

void BM_CommitNothingChanged(benchmark::State& state) {
    auto& f = Level100k();
    f.scene.DeselectAll();
    f.scene.SelectObject("Sprite-50000");
    for (auto _ : state) benchmark::DoNotOptimize(f.scene.CommitSelectionChanges());
    f.undo.Clear();
}
BENCHMARK(BM_CommitNothingChanged);

void BM_CommitOneMoved(benchmark::State& state) {
    auto& f = Level100k();
    f.scene.DeselectAll();
    f.scene.SelectObject("Sprite-50000");
    sf::Transformable& t = *f.scene.objects.at("Sprite-50000").transformable;
    for (auto _ : state) {
        t.move(1.f, 0.f);
        benchmark::DoNotOptimize(f.scene.CommitSelectionChanges({rux::UndoAction::Position}));
    }
    f.undo.Clear();
}
BENCHMARK(BM_CommitOneMoved);

void BM_CommitAllPropertiesOneMoved(benchmark::State& state) {
    auto& f = Level100k();
    f.scene.DeselectAll();
    f.scene.SelectObject("Sprite-50000");
    sf::Transformable& t = *f.scene.objects.at("Sprite-50000").transformable;
    for (auto _ : state) {
        t.move(1.f, 0.f);
        benchmark::DoNotOptimize(f.scene.CommitSelectionChanges());
    }
    f.undo.Clear();
}
BENCHMARK(BM_CommitAllPropertiesOneMoved);

// Hover picking walks the whole level once per frame.
void BM_PickUnderMouse(benchmark::State& state) {
    auto& f = Level100k();
    for (auto _ : state) benchmark::DoNotOptimize(f.scene.ObjectAt({20000.5f, 2000.5f}));
}
BENCHMARK(BM_PickUnderMouse);

void BM_MemoryPerPropertyStep(benchmark::State& state) {
    auto& f = Level100k();
    f.scene.DeselectAll();
    f.scene.SelectObject("Sprite-123");
    sf::Transformable& t = *f.scene.objects.at("Sprite-123").transformable;
    constexpr int steps = 10'000;
    double bytes = 0;
    for (auto _ : state) {
        f.undo.Clear();
        const std::size_t before = HeapInUse();
        for (int i = 0; i < steps; ++i) {
            t.move(1.f, 0.f);
            f.undo.findFromDiff(rux::UndoAction::Position, "Sprite-123");
        }
        bytes = double(HeapInUse() - before) / steps;
    }
    state.counters["bytes_per_step"] = bytes;
    f.undo.Clear();
}
BENCHMARK(BM_MemoryPerPropertyStep)->Iterations(1);

void BM_MemoryDeleteThousand(benchmark::State& state) {
    auto& f = Level100k();
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i) names.push_back("Sprite-" + std::to_string(60000 + i));
    double bytes = 0;
    for (auto _ : state) {
        f.undo.Clear();
        f.scene.DeselectAll();
        f.scene.SelectObjectAuto(names);
        f.scene.DeleteSelectedObjects();
        // What the history holds is what clearing it gives back.
        const std::size_t held = HeapInUse();
        f.undo.Clear();
        bytes = double(held - HeapInUse());
        state.PauseTiming();
        for (const std::string& name : names) f.scene.AddObjectNoTextures(name, rux::ObjectType::Sprite);
        f.undo.Clear();
        state.ResumeTiming();
    }
    state.counters["step_bytes"] = bytes;
    state.counters["bytes_per_object"] = bytes / 1000;
}
BENCHMARK(BM_MemoryDeleteThousand)->Iterations(1);

} // namespace

namespace {
// For scale: the bare walk over the object map that any per-frame pass pays.
void BM_WalkObjects(benchmark::State& state) {
    auto& f = Level100k();
    for (auto _ : state) {
        int visible = 0;
        for (const auto& [name, o] : f.scene.objects) visible += o.visible && o.transformable;
        benchmark::DoNotOptimize(visible);
    }
}
BENCHMARK(BM_WalkObjects);
} // namespace
