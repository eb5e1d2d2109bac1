// The JSON export of a level and the flat-table writer it goes through.
#include "Helpers.hpp"
#include "env/JSON.hpp"
#include "level/JsonTable.hpp"
#include "level/LevelJson.hpp"
#include <RUX.hpp>
#include <gtest/gtest.h>

using namespace rux;

namespace {
std::string Write(const std::vector<std::pair<std::string, std::string>>& entries) {
    JsonTable t;
    for (const auto& [k, v] : entries) t.setValueStr(k, v);
    std::string out;
    t.saveToMemory(out);
    return out;
}

// The export read back through the editor's JSON reader, for looking keys up.
JSON Export(const Level& level) {
    std::string text;
    level.saveJSON(text);
    JSON doc;
    EXPECT_TRUE(doc.loadFromMemory(text)) << text;
    return doc;
}

std::string At(const JSON& doc, const std::string& key) {
    const std::string* v = doc.find(key);
    return v ? *v : "<absent>";
}

Level::Object& AddTileMap(Level& level, const std::string& name, std::vector<std::vector<std::uint16_t>> ids) {
    Level::Object& o = level.objects[name];
    o.UseTileMap(*Level::getMissingTexture());
    o.tileMap->count = {static_cast<unsigned>(ids.size()), static_cast<unsigned>(ids[0].size())};
    o.tileMap->ResizeBuffer();
    o.tileMap->tiles = std::move(ids);
    return o;
}
} // namespace

TEST(JsonTable, WriterLayout) {
    EXPECT_EQ(Write({}), "{}");
    EXPECT_EQ(Write({{"a", ""}}), "{}");
    EXPECT_EQ(Write({{"b", "2"}, {"a.x", "1"}}), R"({"a":{"x":"1"},"b":"2"})");
    EXPECT_EQ(Write({{"list[0].x", "1"}, {"list[1].x", "2"}, {"z", "3"}}), R"({"list":[{"x":"1"},{"x":"2"}],"z":"3"})");
    std::vector<std::pair<std::string, std::string>> twelve;
    for (int i = 0; i < 12; ++i) twelve.emplace_back("l[" + std::to_string(i) + "].v", std::to_string(i));
    EXPECT_EQ(Write(twelve), R"({"l":[{"v":"0"},{"v":"10"},{"v":"11"},{"v":"1"},{"v":"2"},{"v":"3"},)"
                             R"({"v":"4"},{"v":"5"},{"v":"6"},{"v":"7"},{"v":"8"},{"v":"9"}]})");
    EXPECT_EQ(Write({{"n", "a\"b\\c\nd\x01"}}), R"({"n":"a\"b\\c\nd\u0001"})");
    EXPECT_EQ(Write({{"n", "\xe4"}}), "{\"n\":\"\xc3\xa4\"}"); // not UTF-8: taken as Latin-1
}

TEST(LevelJson, ObjectsAndKinds) {
    testing_rux::Headless headless;
    Level level;
    auto& cam = level.objects[c_mainCameraName];
    cam.camera = std::make_unique<Camera>(sf::FloatRect(0, 0, 1000, 1000));
    cam.type = ObjectType::Camera;
    cam.color = {1.f, 0.f, 0.f, 1.f};
    auto& sprite = level.objects["Sprite \"quoted\""];
    sprite.sprite = std::make_unique<sf::Sprite>();
    sprite.sprite->setTextureRect({0, 16, 32, 32});
    sprite.transformable = sprite.sprite.get();
    sprite.type = ObjectType::Sprite;
    sprite.color = {1.f, 1.f, 1.f, 1.f};
    sprite.blendMode = c_blendModes[1];
    AddTileMap(level, "Tiles A", {{1, 2}, {3, 4}});
    AddTileMap(level, "Tiles B", {{9}});

    const JSON doc = Export(level);
    EXPECT_EQ(At(doc, "rux-ver"), "#1.7");
    EXPECT_EQ(At(doc, "object-count"), "4");
    // Name order is byte order: "S" < "T" < "[".
    EXPECT_EQ(At(doc, "objects[0].name"), "Sprite \"quoted\"");
    EXPECT_EQ(At(doc, "objects[0].color"), "4294967295");
    EXPECT_EQ(At(doc, "objects[0].texture-rect"), "0,16,32,32");
    EXPECT_EQ(At(doc, "objects[0].blend"), "additive");
    EXPECT_EQ(At(doc, "objects[0].rotation"), "0.000000");
    EXPECT_EQ(At(doc, "objects[1].tile-data"), "0001000200030004");
    EXPECT_EQ(At(doc, "objects[1].tile-count"), "2,2");
    EXPECT_EQ(At(doc, "objects[2].tile-data"), "0009");
    EXPECT_EQ(At(doc, "objects[3].type"), "camera");
    EXPECT_EQ(At(doc, "objects[3].center"), "500.000000,500.000000");
    EXPECT_EQ(At(doc, "objects[3].size"), "1000.000000,1000.000000");
    EXPECT_EQ(At(doc, "objects[3].rotation"), "0.000000");
    EXPECT_EQ(At(doc, "objects[3].texture-multiplier"), "1.000000");
    EXPECT_EQ(At(doc, "objects[3].position"), "<absent>");
    EXPECT_EQ(At(doc, "objects[3].color"), "4278190335");
}

// The export must be exactly what the editor's JSON document writes for the same table.
TEST(LevelJson, SameTextAsTheEditorsJsonWriter) {
    testing_rux::Headless headless;
    Level level;
    for (int i = 0; i < 12; ++i) {
        auto& o = level.objects[(i < 10 ? "obj0" : "obj") + std::to_string(i)];
        o.UseParticleSystem();
        o.hitbox = std::make_unique<Hitbox>();
        o.hitbox->lines.push_back({{1.f, 2.f}, {3.f, -4.5f}});
    }
    auto& v = level.objects["verts"];
    v.vertexObject = std::make_unique<VertexObject>();
    v.vertexObject->vertices.append(sf::Vertex({1.f, 2.f}, sf::Color::Red, {3.f, 4.f}));
    v.transformable = v.vertexObject.get();
    v.type = ObjectType::VertexObject;
    level.assets["a.png"].type = ObjectType::Texture;
    level.assets["s.frag"].type = ObjectType::FragmentShader;
    v.fragmentShader = &level.assets["s.frag"];
    v.fragmentUniformData = {0x00, 0xab, 0xff};

    std::string ours;
    level.saveJSON(ours);
    const JsonTable table = LevelJsonTable(level);
    const auto& t = table.table();
    EXPECT_EQ(t.at("objects[12].fragment-shader-data"), "00abff");
    EXPECT_EQ(t.at("objects[12].vertex-0-col"), "4278190335");
    EXPECT_EQ(t.at("objects[12].vertex-0-tex"), "3.000000,4.000000");
    EXPECT_EQ(t.at("texture-objects[1].type"), "fragment-shader");
    EXPECT_EQ(t.at("objects[0].hitbox-0-end"), "3.000000,-4.500000");
    // Twelve and more objects: "objects[10]" is written between "objects[0]" and "objects[1]".
    EXPECT_LT(ours.find("\"name\":\"obj10\""), ours.find("\"name\":\"obj01\""));

    JSON theirs;
    for (const auto& [key, value] : t) theirs.setValueStr(key, value);
    std::string reference;
    theirs.saveToMemory(reference);
    EXPECT_EQ(ours, reference);
}
