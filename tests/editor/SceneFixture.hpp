#pragma once
// A scene with its reference level and history, and a small project folder with a texture,
// a font and shader sources. Textures and shaders need a display: run under Xvfb.
#include "editor/Scene.hpp"
#include "UndoExact.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace rux_test {

// Collects what is written to sf::err() while alive.
class ErrCapture {
public:
    ErrCapture() : old(sf::err().rdbuf(buffer.rdbuf())) {}
    ~ErrCapture() { sf::err().rdbuf(old); }
    std::string text() const { return buffer.str(); }

private:
    std::stringstream buffer;
    std::streambuf* old;
};

inline bool SameColor(const sf::Glsl::Vec4& a, const sf::Glsl::Vec4& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The project folder of this process: ctest runs the tests of one binary in parallel
// processes that share the working folder.
inline const std::string& ProjectFolder() {
    static const std::string folder = "project-" + std::to_string(::getpid());
    return folder;
}

class SceneTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::filesystem::path project = ProjectFolder();
        std::filesystem::create_directories(project / "shaders");
        sf::Image image;
        image.create(32, 16, sf::Color::Red);
        image.saveToFile((project / "tex.png").string());
        image.create(8, 8, sf::Color::Blue);
        image.saveToFile((project / "other.png").string());
        std::filesystem::copy_file(RUX_BUILD_DIR "/Res/Montserrat.ttf", project / "font.ttf",
                                   std::filesystem::copy_options::overwrite_existing);
        WriteText(project / "shaders/tint.frag",
                  "uniform float amount;\nuniform vec3 tint;\nuniform sampler2D texture;\n"
                  "void main() { gl_FragColor = vec4(tint * amount, 1.0) + texture2D(texture, gl_TexCoord[0].xy); }\n");
        WriteText(project / "shaders/move.vert",
                  "uniform vec2 offset;\nvoid main() { gl_Position = gl_ModelViewProjectionMatrix * (gl_Vertex + "
                  "vec4(offset, 0.0, 0.0)); gl_FrontColor = gl_Color; gl_TexCoord[0] = gl_MultiTexCoord0; }\n");
        WriteText(project / "shaders/broken.frag", "void main() { this is not glsl }\n");
    }

    static void TearDownTestSuite() {
        std::error_code ec;
        std::filesystem::remove_all(ProjectFolder(), ec);
    }

    void SetUp() override {
        scene.projectFolder = ProjectFolder();
        ASSERT_TRUE(scene.AddAsset("tex.png", rux::ObjectType::Texture));
    }

    const rux::Level::AssetObject& texture() { return scene.assets.at("tex.png"); }

    // A sprite of the 32 × 16 texture at `position`, recorded like any user's creation.
    rux::Level::Object& AddSprite(const std::string& name, sf::Vector2f position = {}, std::int8_t z = 0) {
        EXPECT_TRUE(scene.AddObject(name, texture(), rux::ObjectType::Sprite)) << name;
        rux::Level::Object& o = scene.objects.at(name);
        o.transformable->setPosition(position);
        o.zOrder = z;
        scene.MirrorToReference(name);
        return o;
    }

    std::vector<std::string> SelectedNames() const {
        std::vector<std::string> names;
        for (const auto& [name, kind] : scene.selection) names.push_back(name);
        return names;
    }

    rux::UndoSystem undo;
    rux::Level reference;
    rux::Scene scene{undo, reference};
};

} // namespace rux_test
