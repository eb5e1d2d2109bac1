// Draws the editor's pictures into the folder given as the only argument.
#include <SFML/Graphics/Image.hpp>
#include <string>
int main(int argc, char** argv) {
    if (argc != 2) return 1;
    const std::string dir = argv[1];
    for (const char* n : {"Arrows.png", "Rotate.png", "Gizmo.png", "FileIcons.png", "PropIcon.png", "RUX.png", "Setup.png"}) {
        sf::Image img;
        img.create(64, 64, sf::Color::White);
        if (!img.saveToFile(dir + "/" + n)) return 1;
    }
    return 0;
}
