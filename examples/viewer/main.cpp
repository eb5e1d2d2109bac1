// A minimal game on top of the RUX level library: loads a level made with the editor and
// shows it through its main camera. The arrow keys move the camera; Escape quits.
//
//   viewer Projects/Demo.rux           (assets are read from Projects/Demo/)
//   viewer Projects/Demo.rux --frames 3   (draw three frames and exit, for smoke tests)
#include <RUX.hpp>
#include <SFML/Graphics.hpp>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

constexpr float c_cameraSpeed = 400.f; // world units per second

// The main camera's centre, or the level's origin when the level has no main camera.
sf::Vector2f StartCentre(const rux::Level& level) {
    const auto found = level.objects.find(rux::c_mainCameraName);
    if (found != level.objects.end() && found->second.camera) return found->second.camera->getCenter();
    return {0.f, 0.f};
}

sf::Vector2f ArrowKeys() {
    sf::Vector2f d;
    if (sf::Keyboard::isKeyPressed(sf::Keyboard::Left)) d.x -= 1.f;
    if (sf::Keyboard::isKeyPressed(sf::Keyboard::Right)) d.x += 1.f;
    if (sf::Keyboard::isKeyPressed(sf::Keyboard::Up)) d.y -= 1.f;
    if (sf::Keyboard::isKeyPressed(sf::Keyboard::Down)) d.y += 1.f;
    return d;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--frames")) {
        std::cerr << "usage: viewer LEVEL.rux [--frames N]\n";
        return 2;
    }
    const long frameLimit = argc == 4 ? std::strtol(argv[3], nullptr, 10) : -1;

    sf::RenderWindow window(sf::VideoMode(1280, 720), "RUX viewer");
    window.setVerticalSyncEnabled(true);

    // Loading needs the window's OpenGL context for textures, so it comes after the window.
    rux::Level level;
    if (!level.loadFromFile(argv[1])) {
        std::cerr << "viewer: " << argv[1] << ": " << level.getLoadError() << "\n";
        return 1;
    }
    if (level.assetsMissing) std::cerr << "viewer: some assets are missing; they show as a checker\n";

    // The view is as large as the window, so one world unit is one pixel.
    sf::View camera(StartCentre(level), sf::Vector2f(window.getSize()));
    sf::Clock clock;
    for (long frame = 0; window.isOpen() && frame != frameLimit; ++frame) {
        sf::Event event;
        while (window.pollEvent(event)) {
            if (event.type == sf::Event::Closed ||
                (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape))
                window.close();
            if (event.type == sf::Event::Resized)
                camera.setSize(float(event.size.width), float(event.size.height));
        }
        const sf::Time dt = clock.restart();
        if (window.hasFocus()) camera.move(ArrowKeys() * c_cameraSpeed * dt.asSeconds());

        // Particle systems move on their own; the level only draws them.
        for (auto& [name, object] : level.objects)
            if (object.particleSystem) object.particleSystem->Update(dt);

        window.setView(camera);
        window.clear();
        window.draw(level);
        window.display();
    }
    return 0;
}
