// Main view costs: building the grid for a 1280 × 720 image at zoom 1.4 (lines alone, and with
// the upload into the vertex buffers), and one editor frame while panning — grid, scene and
// gizmo drawn into the view's image, the image shown through ImGui in a 1280 × 720 window —
// for an empty level and for 10,000 sprites. Needs a display (xvfb-run).
#include "app/TileMapLines.hpp"
#include "app/ViewControl.hpp"
#include "editor/Scene.hpp"
#include "editor/TransformType.hpp"
#include "platform/Platform.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Context.hpp>
#include <benchmark/benchmark.h>
#include <imgui.h>

#include <string>

namespace {

const sf::View c_viewAt14({123.f, -45.f}, {1280.f * 1.4f, 720.f * 1.4f});

void BM_GridBuildLinesZoom14(benchmark::State& state) {
    rux::GridLines lines;
    for (auto _ : state)
        benchmark::DoNotOptimize(rux::BuildGridLines(c_viewAt14, {10, 10}, lines));
    state.counters["lines"] = static_cast<double>(lines.minor.getVertexCount() + lines.major.getVertexCount()) / 2;
}
BENCHMARK(BM_GridBuildLinesZoom14)->Unit(benchmark::kMicrosecond);

void BM_GridRebuildAndUploadZoom14(benchmark::State& state) {
    sf::Context context;
    rux::TileMapLines grid;
    grid.Start();
    for (auto _ : state)
        grid.Rebuild(c_viewAt14, {10, 10});
    state.counters["lines"] = static_cast<double>(grid.builtLines);
}
BENCHMARK(BM_GridRebuildAndUploadZoom14)->Unit(benchmark::kMicrosecond);

// One frame as the editor makes it, the camera panned a few pixels each frame.
void BM_EditorFramePanning(benchmark::State& state) {
    const int sprites = static_cast<int>(state.range(0));
    sf::RenderWindow window(sf::VideoMode(1280, 720), "bench");
    window.setVerticalSyncEnabled(false);
    window.setFramerateLimit(0);
    ImGui::CreateContext();
    ImGui::GetIO().IniFilename = nullptr;
    rux::platform::Init(window);

    rux::UndoSystem undo;
    rux::Level reference;
    rux::Scene scene{undo, reference};
    for (int i = 0; i < sprites; ++i) {
        const std::string name = "Sprite-" + std::to_string(i);
        scene.AddObjectNoTextures(name, rux::ObjectType::Sprite);
        scene.objects.at(name).transformable->setPosition(float(i % 100) * 40.f - 2000.f,
                                                          float(i / 100) * 40.f - 2000.f);
    }
    if (sprites > 0) {
        scene.SelectObject("Sprite-0");
    }
    rux::TransformType gizmo;
    gizmo.Start();
    gizmo.tool = rux::ToolMove;
    gizmo.target = scene.SelectionTransformable();
    rux::TileMapLines grid;
    grid.Start();

    const sf::Vector2u image(1264, 660); // the free area of a main view filling the window
    sf::RenderTexture mainView;
    mainView.create(image.x, image.y);
    sf::View camera({0, 0}, sf::Vector2f(image));
    const sf::View uiView(sf::FloatRect(0, 0, float(image.x), float(image.y)));
    sf::Clock clock;
    int frame = 0;
    for (auto _ : state) {
        sf::Event event;
        while (window.pollEvent(event))
            rux::platform::ProcessEvent(event);
        rux::platform::Update(window, clock.restart());
        camera.move(rux::PanOffset(1.f, {0, 0}, {(frame % 40) < 20 ? 3 : -3, 1}));
        ++frame;
        if (grid.NeedsRebuild(camera, 1.f))
            grid.Rebuild(camera, {10, 10});

        mainView.clear(sf::Color(16, 16, 16));
        mainView.setView(camera);
        mainView.draw(grid);
        mainView.draw(scene);
        if (gizmo.target)
            mainView.draw(gizmo);
        mainView.setView(uiView);
        if (gizmo.target)
            mainView.draw(gizmo.gizmos);
        mainView.display();
        mainView.setSmooth(true);
        mainView.generateMipmap();

        ImGui::SetNextWindowPos({0, 0});
        ImGui::SetNextWindowSize({1280, 720});
        ImGui::Begin("Main view");
        rux::platform::Image(mainView, sf::Vector2f(image));
        ImGui::End();
        window.clear();
        rux::platform::Render(window);
        window.display();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    rux::platform::Shutdown();
    ImGui::DestroyContext();
}
BENCHMARK(BM_EditorFramePanning)->Arg(0)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
