// Particle system frame cost: 100,000 live particles in pool mode, updated and drawn each frame.
#include <RUX.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <benchmark/benchmark.h>

namespace {
rux::ParticleSystem LivePool(std::int32_t count, std::int32_t type) {
    rux::ParticleSystem p;
    p.newestTop = false;
    p.maxParticles = count;
    p.particleType = type;
    p.lifetime = 1e6f; // nobody dies during the run
    p.setupArray();
    p.spawnCount = count;
    p.Create();
    p.spawnCount = 0;
    return p;
}
} // namespace

static void BM_ParticleUpdate(benchmark::State& state) {
    rux::ParticleSystem p = LivePool(100000, static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) p.Update(sf::milliseconds(16));
    state.counters["particles"] = static_cast<double>(p.activeParticles);
}
BENCHMARK(BM_ParticleUpdate)->Arg(rux::ParticleSystem::Points)->Arg(rux::ParticleSystem::Triangles)
    ->Unit(benchmark::kMillisecond);

static void BM_ParticleUpdateAndDraw(benchmark::State& state) {
    rux::ParticleSystem p = LivePool(100000, static_cast<std::int32_t>(state.range(0)));
    p.setPosition(640.f, 360.f);
    sf::RenderTexture target;
    if (!target.create(1280, 720)) {
        state.SkipWithError("no render texture (needs a display)");
        return;
    }
    for (auto _ : state) {
        p.Update(sf::milliseconds(16));
        target.clear();
        target.draw(p);
        target.display();
        // Wait for the frame, so the draw is counted and not queued.
        target.getTexture().copyToImage();
    }
}
BENCHMARK(BM_ParticleUpdateAndDraw)->Arg(rux::ParticleSystem::Points)->Arg(rux::ParticleSystem::Triangles)
    ->Unit(benchmark::kMillisecond);
