// Tessly generator speed and quality on a 256 x 256 picture drawn here (a landscape with sky,
// sun, hills, a lake and fine texture, so it has both flat areas and detail).
//   bench_generator --benchmark_filter=Shapes     wall time and error for 100, 250, 500 shapes
//   bench_generator --benchmark_filter=Split      time per generation by step
// Run under Xvfb; on Mesa's llvmpipe the numbers are those of a software rasteriser.
#include "generator/RUXtyu.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

namespace
{
    const std::string c_target = "bench_landscape.png";

    void DrawLandscape()
    {
        if (std::filesystem::exists(c_target))
            return;
        const unsigned n = 256;
        sf::Image image;
        image.create(n, n);
        for (unsigned y = 0; y < n; ++y)
            for (unsigned x = 0; x < n; ++x)
            {
                const float fx = float(x) / n, fy = float(y) / n;
                const float grain = 0.5f + 0.5f * std::sin(x * 12.9898f + y * 78.233f) * std::cos(x * 4.1f - y * 2.7f);
                float r = 90 + 120 * fy, g = 140 + 80 * fy, b = 230 - 40 * fy;   // sky
                const float sun = std::hypot(fx - 0.72f, fy - 0.22f);
                if (sun < 0.08f)
                    r = 255, g = 225, b = 120;
                const float hill = 0.55f + 0.08f * std::sin(fx * 9.f) + 0.04f * std::sin(fx * 23.f + 1.f);
                if (fy > hill)
                    r = 40 + 50 * grain, g = 110 + 60 * grain * fy, b = 40 + 20 * grain;
                if (fy > 0.8f && std::abs(fx - 0.35f) < 0.25f - (fy - 0.8f))
                    r = 30 + 40 * grain, g = 80 + 50 * grain, b = 160 + 60 * grain;   // lake
                image.setPixel(x, y, sf::Color(sf::Uint8(r), sf::Uint8(g), sf::Uint8(b)));
            }
        image.saveToFile(c_target);
    }

    double Rmse(const sf::Image& a, const sf::Image& b)
    {
        double sum = 0;
        for (unsigned y = 0; y < a.getSize().y; ++y)
            for (unsigned x = 0; x < a.getSize().x; ++x)
            {
                const sf::Color p = a.getPixel(x, y), q = b.getPixel(x, y);
                sum += std::pow(p.r - q.r, 2) + std::pow(p.g - q.g, 2) + std::pow(p.b - q.b, 2);
            }
        return std::sqrt(sum / (3.0 * a.getSize().x * a.getSize().y));
    }

    sf::Image Square()
    {
        sf::Image image;
        image.create(16, 16, sf::Color::White);
        return image;
    }

    // The command line's defaults: 500 candidates, 3 generations, sizes 3..512, any rotation.
    void Shapes(benchmark::State& state)
    {
        DrawLandscape();
        const int shapes = int(state.range(0));
        double rmse = 0;
        for (auto _ : state)
        {
            Tesslify::RUXtyu job(true, false, 500, 3, {0, 360}, false, false, 1);
            job.Start(c_target, "bench_out", Square(), shapes, 3, 512, 0);
            while (!job.Update(false))
            {
            }
            state.PauseTiming();
            sf::Image target, out;
            target.loadFromFile(c_target);
            out.loadFromFile("bench_out.png");
            rmse = Rmse(out, target);
            state.ResumeTiming();
        }
        state.counters["rmse"] = rmse;
        state.counters["shapes_per_s"] =
            benchmark::Counter(double(shapes) * double(state.iterations()), benchmark::Counter::kIsRate);
    }
    BENCHMARK(Shapes)->Arg(100)->Arg(250)->Arg(500)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

    // Where a generation's time goes, over the first 50 shapes.
    void Split(benchmark::State& state)
    {
        DrawLandscape();
        Tesslify::RUXtyu::Timings t;
        for (auto _ : state)
        {
            Tesslify::RUXtyu job(false, false, 500, 3, {0, 360}, false, false, 1);
            job.setProfiling(true);
            job.Start(c_target, "bench_split", Square(), 50, 3, 512, 0);
            while (!job.Update(false))
            {
            }
            t = job.timings();
        }
        const double g = std::max(1, t.generations);
        state.counters["upload_ms"] = t.upload.asSeconds() * 1000 / g;
        state.counters["colour_ms"] = t.colourPass.asSeconds() * 1000 / g;
        state.counters["score_ms"] = t.scorePass.asSeconds() * 1000 / g;
        state.counters["readback_ms"] = t.readBack.asSeconds() * 1000 / g;
    }
    BENCHMARK(Split)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
}
