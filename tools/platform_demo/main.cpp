// A window with one ImGui button and one text field, driven by tests/e2e/platform_input.sh.
// Escape or closing the window ends it; it then reports the button presses and the field's
// text to the file named by the first argument, or to stdout.
#include "platform/Platform.hpp"
#include "GlDriverPin.hpp"

#include <SFML/Graphics.hpp>
#include <imgui.h>
#include <imgui_stdlib.h>

#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    sf::RenderWindow window(sf::VideoMode(400, 200), "RUX platform demo");
    PinGlDrivers();
    window.setFramerateLimit(60);
    ImGui::CreateContext();
    ImGui::GetIO().IniFilename = nullptr;
    if (!rux::platform::Init(window)) return 1;

    // Fixed layout so the test can aim: button at (20,20) 120x40, field at (20,100) 300 wide.
    int clicks = 0;
    std::string text;
    bool running = true, timedOut = false;
    sf::Clock frameClock, lifetime;
    while (running) {
        sf::Event event;
        while (window.pollEvent(event)) {
            rux::platform::ProcessEvent(event);
            if (event.type == sf::Event::Closed ||
                (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape))
                running = false;
        }
        if (lifetime.getElapsedTime() > sf::seconds(60)) running = false, timedOut = true;
        if (!running) break;

        rux::platform::Update(window, frameClock.restart());
        ImGui::SetNextWindowPos(ImVec2(0, 0));
        ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
        ImGui::Begin("demo", nullptr, ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove);
        ImGui::SetCursorPos(ImVec2(20, 20));
        if (ImGui::Button("Click me", ImVec2(120, 40))) ++clicks;
        ImGui::SetCursorPos(ImVec2(20, 100));
        ImGui::SetNextItemWidth(300);
        ImGui::InputText("##text", &text);
        ImGui::End();

        window.clear(sf::Color(30, 30, 40));
        rux::platform::Render(window);
        window.display();
    }
    rux::platform::Shutdown();
    ImGui::DestroyContext();
    window.close();

    std::ofstream file;
    if (argc > 1) file.open(argv[1]);
    std::ostream& out = argc > 1 ? static_cast<std::ostream&>(file) : std::cout;
    out << "clicks=" << clicks << "\ntext=" << text << "\n";
    if (timedOut) std::cerr << "platform_demo: no Escape within 60 s\n";
    return out && !timedOut ? 0 : 1;
}
