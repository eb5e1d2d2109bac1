// Writes a small project for the end-to-end scripts: L/N/white.png (32 x 32, white),
// L/N/tint.frag (a fragment shader with a vec3 uniform) and the level L/N.rux holding the
// texture, the shader, "Sprite-1" at the origin with the texture and no shader, and "Shaded"
// at (200, 0) with both (a level keeps only the assets its objects use).
// Usage: e2e_make_level L/N
#include "editor/Scene.hpp"

#include <SFML/Graphics/Image.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: e2e_make_level PROJECT_FOLDER\n";
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path folder = argv[1];
    fs::create_directories(folder);
    sf::Image white;
    white.create(32, 32, sf::Color::White);
    if (!white.saveToFile((folder / "white.png").string())) return 1;
    std::ofstream(folder / "tint.frag") << "uniform sampler2D texture;\nuniform vec3 tint;\n"
                                           "void main() {\n"
                                           "    vec4 c = texture2D(texture, gl_TexCoord[0].xy);\n"
                                           "    gl_FragColor = vec4(c.rgb * tint, c.a);\n}\n";
    rux::Level level;
    if (!rux::Scene::AddAssetAndObjectToLevel(level, "Sprite-1", folder, "white.png", rux::ObjectType::Texture,
                                              rux::ObjectType::Sprite) ||
        !rux::Scene::AddAssetAndObjectToLevel(level, "Shaded", folder, "white.png", rux::ObjectType::Texture,
                                              rux::ObjectType::Sprite) ||
        !rux::Scene::AddAssetToLevel(level, folder, "tint.frag", rux::ObjectType::FragmentShader)) {
        std::cerr << "could not build the level\n";
        return 1;
    }
    rux::Level::Object& shaded = level.objects.at("Shaded");
    shaded.transformable->setPosition(200.f, 0.f);
    shaded.fragmentShader = &level.assets.at("tint.frag");
    std::string error;
    fs::path levelFile = folder;
    levelFile += ".rux";
    if (!level.saveToFile(levelFile, &error)) {
        std::cerr << error << '\n';
        return 1;
    }
    return 0;
}
