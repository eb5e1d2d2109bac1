// The level model: kinds, accessors, uniforms and the shared missing assets.
#include "Helpers.hpp"
#include <RUX.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <gtest/gtest.h>

using namespace rux;
using testing_rux::ErrCapture;

TEST(Model, BlendTableMatchesTheLibraryModesAndDefaultsToAlpha) {
    EXPECT_EQ(c_blendModes[0], sf::BlendNone);
    EXPECT_EQ(c_blendModes[1], sf::BlendAdd);
    EXPECT_EQ(c_blendModes[2], sf::BlendAlpha);
    EXPECT_EQ(c_blendModes[3], sf::BlendMultiply);
    EXPECT_EQ(Level::Object().blendMode, sf::BlendAlpha);
    EXPECT_EQ(BlendIndex(sf::BlendMode(sf::BlendMode::One, sf::BlendMode::One)), -1);
}

TEST(Model, AccessorsReportTheWrongKind) {
    struct Case {
        const char* message;
        void* (*get)(const Level::Object&);
    };
    const Case cases[] = {
        {"Object not a sprite!\n", [](const Level::Object& o) -> void* { return o.getSprite(); }},
        {"Object not a tilemap!\n", [](const Level::Object& o) -> void* { return o.getTileMap(); }},
        {"Object not a particle system!\n", [](const Level::Object& o) -> void* { return o.getParticleSystem(); }},
        {"Object not a text object!\n", [](const Level::Object& o) -> void* { return o.getText(); }},
        {"Object not a vertex object!\n", [](const Level::Object& o) -> void* { return o.getVertexObject(); }},
        {"Object not a camera!\n", [](const Level::Object& o) -> void* { return o.getCamera(); }},
        {"Object not a point light!\n", [](const Level::Object& o) -> void* { return o.getPointLight(); }},
        {"Object not a directional light!\n", [](const Level::Object& o) -> void* { return o.getDirectionalLight(); }},
    };
    Level::Object empty;
    for (const auto& c : cases) {
        ErrCapture err;
        EXPECT_EQ(c.get(empty), nullptr);
        EXPECT_EQ(err.text(), c.message);
    }
    Level::Object cam;
    cam.camera = std::make_unique<Camera>();
    ErrCapture err;
    EXPECT_EQ(cam.getCamera(), cam.camera.get());
    EXPECT_EQ(cam.getPointer(), cam.camera.get());
    EXPECT_EQ(err.text(), "");
}

TEST(Model, HitboxAloneIsNoDrawableAndKindsAreExclusive) {
    Level::Object o;
    o.hitbox = std::make_unique<Hitbox>();
    EXPECT_FALSE(o.anyUsed());
    EXPECT_EQ(o.getPointer(), nullptr);

    Level::AssetObject tex;
    o.sprite = std::make_unique<sf::Sprite>();
    EXPECT_FALSE(o.UseTileMap(tex));
    EXPECT_FALSE(o.UseParticleSystem());
    EXPECT_TRUE(o.sprite);
    EXPECT_FALSE(o.tileMap);

    Level::Object fresh;
    ASSERT_TRUE(fresh.UseTileMap(tex));
    EXPECT_EQ(fresh.type, ObjectType::TileMap);
    EXPECT_EQ(fresh.texture, &tex);
    EXPECT_EQ(fresh.transformable, fresh.tileMap.get());
}

TEST(Model, MissingTexturePixels) {
    const Level::AssetObject* missing = Level::getMissingTexture();
    ASSERT_TRUE(missing->texture);
    EXPECT_EQ(missing->type, ObjectType::Texture);
    EXPECT_TRUE(missing->texture->isRepeated());
    const sf::Image img = missing->texture->copyToImage();
    ASSERT_EQ(img.getSize(), sf::Vector2u(16, 16));
    EXPECT_EQ(img.getPixel(0, 0), sf::Color::Magenta);
    EXPECT_EQ(img.getPixel(8, 0), sf::Color::Black);
    EXPECT_EQ(img.getPixel(8, 8), sf::Color::Magenta);
    EXPECT_EQ(img.getPixel(15, 7), sf::Color::Black);
    EXPECT_EQ(Level::getMissingTexture(), missing);
}

// Renders one pixel through a shader whose colour shows which uniforms were applied.
TEST(Model, ApplyUniformsSkipsValuesThatRunPastTheData) {
    if (!sf::Shader::isAvailable()) GTEST_SKIP() << "no shaders";
    Level::AssetObject asset;
    asset.type = ObjectType::FragmentShader;
    asset.uniforms = std::make_unique<Level::Uniforms>();
    auto& u = *asset.uniforms;
    u.types = {Level::Uniforms::Float, Level::Uniforms::Vec3, Level::Uniforms::Bool};
    u.names = {"a", "b", "c"};
    u.totalSize = 17;

    Level::Object o;
    o.fragmentShader = &asset;
    o.shader = std::make_unique<sf::Shader>();
    ASSERT_TRUE(o.shader->loadFromMemory(
        "uniform float a; uniform vec3 b; uniform bool c;"
        "void main() { gl_FragColor = vec4(a, b.x, c ? 1.0 : 0.0, 1.0); }",
        sf::Shader::Fragment));
    auto render = [&](std::size_t bytes) {
        std::vector<std::uint8_t> data(17, 0);
        const float a = 0.5f, b[3] = {1.f, 1.f, 1.f};
        std::memcpy(data.data(), &a, 4);
        std::memcpy(data.data() + 4, b, 12);
        data[16] = 1;
        data.resize(bytes);
        o.fragmentUniformData = data;
        // Reset to zero first, so only what ApplyUniforms sets shows.
        o.shader->setUniform("a", 0.f);
        o.shader->setUniform("b", sf::Glsl::Vec3(0, 0, 0));
        o.shader->setUniform("c", false);
        Level::ApplyUniforms(o);
        sf::RenderTexture rt;
        rt.create(2, 2);
        rt.clear();
        sf::RectangleShape quad({2.f, 2.f});
        rt.draw(quad, o.shader.get());
        rt.display();
        const sf::Color c = rt.getTexture().copyToImage().getPixel(0, 0);
        return std::array<int, 3>{c.r >= 120 ? (c.r > 200 ? 2 : 1) : 0, c.g > 200, c.b > 200};
    };
    // 1 = the float's 0.5 arrived; vec3 and bool show as 1 when applied.
    EXPECT_EQ(render(10), (std::array<int, 3>{1, 0, 0})); // only the float fits in 10 bytes
    EXPECT_EQ(render(16), (std::array<int, 3>{1, 1, 0}));
    EXPECT_EQ(render(17), (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(Level::Uniforms::SizeOf(9), 0u);
}
