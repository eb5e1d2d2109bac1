// Drawing a level: layer and name order, blend modes, hidden objects and cameras, outlines.
#include "Helpers.hpp"
#include <RUX.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

using namespace rux;

namespace {

const sf::Texture& White() {
    static sf::Texture t = [] {
        sf::Image img;
        img.create(100, 50, sf::Color::White);
        sf::Texture tex;
        tex.loadFromImage(img);
        return tex;
    }();
    return t;
}

Level::Object& AddSprite(Level& level, const std::string& name, sf::Vector2f pos, sf::Color color, std::int8_t z = 0) {
    Level::Object& o = level.objects[name];
    o.sprite = std::make_unique<sf::Sprite>(White());
    o.sprite->setPosition(pos);
    o.sprite->setColor(color);
    o.transformable = o.sprite.get();
    o.type = ObjectType::Sprite;
    o.zOrder = z;
    return o;
}

sf::Image Render(const Level& level, sf::RenderStates states = sf::RenderStates::Default,
                 sf::Vector2u size = {200, 100}, sf::Color background = sf::Color::Black) {
    sf::RenderTexture rt;
    EXPECT_TRUE(rt.create(size.x, size.y));
    if (size.x == 500) rt.setView(sf::View(sf::FloatRect(0, 0, 1000, 1000)));
    rt.clear(background);
    rt.draw(level, states);
    rt.display();
    return rt.getTexture().copyToImage();
}

const sf::Color c_yellow(255, 255, 0), c_orange(255, 128, 0);

} // namespace

TEST(LevelDraw, LayersThenByteWiseNameOrder) {
    Level level;
    AddSprite(level, "a", {0, 0}, sf::Color::Red);
    AddSprite(level, "B", {0, 0}, sf::Color::Green); // "B" < "a": drawn first, so below
    EXPECT_EQ(Render(level).getPixel(10, 10), sf::Color::Red);

    level.objects.at("B").zOrder = 127; // now above, though earlier by name
    EXPECT_EQ(Render(level).getPixel(10, 10), sf::Color::Green);
    level.objects.at("a").zOrder = 127;
    level.objects.at("B").zOrder = -128;
    EXPECT_EQ(Render(level).getPixel(10, 10), sf::Color::Red);

    // Renaming moves an object in name order; the next frame follows.
    auto node = level.objects.extract("B");
    node.key() = "z";
    node.mapped().zOrder = 127;
    level.objects.insert(std::move(node));
    EXPECT_EQ(Render(level).getPixel(10, 10), sf::Color::Green);
    // So do objects added after a frame was drawn.
    AddSprite(level, "zz", {0, 0}, sf::Color::Blue, 127);
    EXPECT_EQ(Render(level).getPixel(10, 10), sf::Color::Blue);
    level.objects.erase("zz");
    EXPECT_EQ(Render(level).getPixel(10, 10), sf::Color::Green);
}

TEST(LevelDraw, BlendNoneOverwritesAlphaWhateverTheIncomingMode) {
    Level level;
    Level::Object& o = AddSprite(level, "S", {0, 0}, sf::Color(0, 0, 255, 128));
    o.blendMode = c_blendModes[0];
    sf::RenderStates add;
    add.blendMode = sf::BlendAdd;
    EXPECT_EQ(Render(level, add, {200, 100}, sf::Color::Red).getPixel(10, 10), sf::Color(0, 0, 255, 128));
    o.blendMode = c_blendModes[2];
    const sf::Color mixed = Render(level, add, {200, 100}, sf::Color::Red).getPixel(10, 10);
    EXPECT_GT(mixed.r, 100);
    EXPECT_EQ(mixed.a, 255);
}

TEST(LevelDraw, OutlinesThreePixelsWide) {
    Level level;
    Level::Object& o = AddSprite(level, "S", {201, 201}, sf::Color::Blue);
    o.selected = true;
    // 1000 x 1000 units on 500 x 500 pixels: the strips lie 0, 2 and 4 units outside.
    sf::Image img = Render(level, sf::RenderStates::Default, {500, 500});
    for (unsigned x : {98u, 99u, 100u}) EXPECT_EQ(img.getPixel(x, 113), c_yellow) << x;
    EXPECT_NE(img.getPixel(97, 113), c_yellow);
    EXPECT_EQ(img.getPixel(125, 113), sf::Color::Blue);

    o.hovered = true; // selected wins
    EXPECT_EQ(Render(level, sf::RenderStates::Default, {500, 500}).getPixel(99, 113), c_yellow);
    o.selected = false;
    EXPECT_EQ(Render(level, sf::RenderStates::Default, {500, 500}).getPixel(99, 113), c_orange);

    bool editing = true;
    Level::Object::editMode = &editing;
    EXPECT_EQ(Render(level, sf::RenderStates::Default, {500, 500}).getPixel(99, 113), sf::Color::Black);
    Level::Object::editMode = nullptr;
}

TEST(LevelDraw, HiddenObjectsAndCamerasDrawNothing) {
    Level level;
    Level::Object& s = AddSprite(level, "S", {20, 20}, sf::Color::Red);
    s.visible = false;
    s.selected = true;
    Level::Object& cam = level.objects["Cam"];
    cam.camera = std::make_unique<Camera>(sf::FloatRect(0, 0, 50, 50));
    cam.type = ObjectType::Camera;
    cam.selected = true;
    const sf::Image img = Render(level);
    for (unsigned x = 0; x < 200; x += 3)
        for (unsigned y = 0; y < 100; y += 3) ASSERT_EQ(img.getPixel(x, y), sf::Color::Black) << x << "," << y;
}

TEST(LevelDraw, UnknownPrimitiveDrawsAsTriangles) {
    Level level;
    Level::Object& o = level.objects["V"];
    o.vertexObject = std::make_unique<VertexObject>();
    o.vertexObject->setPrimitiveCode(42);
    for (sf::Vector2f p : {sf::Vector2f(0, 0), sf::Vector2f(40, 0), sf::Vector2f(0, 40)})
        o.vertexObject->vertices.append(sf::Vertex(p, sf::Color::Green));
    o.vertexObject->Update();
    o.transformable = o.vertexObject.get();
    o.type = ObjectType::VertexObject;
    EXPECT_EQ(Render(level).getPixel(5, 5), sf::Color::Green);
}
