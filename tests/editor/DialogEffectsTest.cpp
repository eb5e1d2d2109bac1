// What the add-item, load-asset, find, export and import dialogs do to a scene.
#include "SceneFixture.hpp"
#include "UndoExact.hpp"

#include "app/DialogAddItem.hpp"
#include "app/DialogFind.hpp"
#include "app/DialogLoadAsset.hpp"
#include "app/DialogTileMapIO.hpp"
#include "level/ParticleSystem.hpp"
#include "level/TileMap.hpp"

#include <filesystem>

namespace fs = std::filesystem;
using rux::ObjectType;
using rux_test::ReferenceInStep;
using rux_test::SceneTest;

namespace {
class Dialogs : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        ASSERT_TRUE(scene.AddAsset("font.ttf", ObjectType::Font));
    }
    fs::path File(const std::string& name) const { return fs::path(rux_test::ProjectFolder()) / name; }
};
} // namespace

TEST_F(Dialogs, AddItemCreatesEveryKindSelectedAndUndoable) {
    rux_test::UndoExact exact(scene);
    struct Case {
        int type;
        const char* name;
        const char* asset;
    } cases[] = {
        {0, "hero", "tex.png"},  {1, "ground", "tex.png"}, {2, "smoke", ""}, {3, "title", "font.ttf"},
        {4, "shape", ""},        {5, "cam", ""},           {6, "lamp", ""},  {7, "sun", ""},
    };
    for (const Case& c : cases) {
        rux::AddItemRequest request{c.type, c.name, c.asset, {8, 4}, {12, 700}};
        ASSERT_TRUE(rux::AddItemToScene(scene, request)) << c.name;
        const rux::Level::Object& o = scene.objects.at(c.name);
        EXPECT_EQ(o.type, rux::AddItemKind(c.type)) << c.name;
        EXPECT_TRUE(o.selected) << c.name;
        ASSERT_EQ(scene.selection.size(), 1u);
        EXPECT_EQ(scene.selection[0].first, c.name);
    }
    EXPECT_EQ(scene.objects.at("hero").texture, &scene.assets.at("tex.png"));
    EXPECT_EQ(scene.objects.at("title").font, &scene.assets.at("font.ttf"));
    const rux::TileMap& map = *scene.objects.at("ground").tileMap;
    EXPECT_EQ(map.textureTileSize, sf::Vector2u(8, 4));
    EXPECT_EQ(map.count, sf::Vector2u(12, 500)) << "map size held to 500";
    EXPECT_EQ(map.tiles.size(), 12u);
    EXPECT_TRUE(ReferenceInStep(scene));
    EXPECT_TRUE(exact.UndoAllAndCompare());
}

TEST_F(Dialogs, AddItemRefusesTakenNamesAndForeignAssetsWithoutChanges) {
    ASSERT_TRUE(rux::AddItemToScene(scene, {3, "title", "font.ttf"}));
    rux::Level::Object& title = scene.objects.at("title");
    const std::string before = rux_test::SceneImage(scene);
    const int steps = undo.getUndoStepCount();
    // A second text of the same name must not hand the first one another font.
    EXPECT_FALSE(rux::AddItemToScene(scene, {3, "title", "font.ttf"}));
    EXPECT_FALSE(rux::AddItemToScene(scene, {0, "title", "tex.png"}));
    EXPECT_FALSE(rux::AddItemToScene(scene, {0, "new", "nothere.png"}));
    EXPECT_FALSE(rux::AddItemToScene(scene, {0, "new", "font.ttf"}));  // a font is no texture
    EXPECT_FALSE(rux::AddItemToScene(scene, {3, "new", "tex.png"}));
    EXPECT_FALSE(rux::AddItemToScene(scene, {6, "", ""}));
    EXPECT_EQ(title.font, &scene.assets.at("font.ttf"));
    EXPECT_FALSE(scene.objects.count("new"));
    EXPECT_EQ(undo.getUndoStepCount(), steps);
    EXPECT_TRUE(rux_test::SameBytes(before, rux_test::SceneImage(scene)));
}

TEST_F(Dialogs, LoadImageAsTileMapSpriteOrTextureOnly) {
    ASSERT_TRUE(scene.AddAsset("other.png", ObjectType::Texture));  // loading an asset is not undoable
    rux_test::UndoExact exact(scene);
    ASSERT_TRUE(rux::LoadImage(scene, {0, "floor", "other.png", {4, 2}, {3, 7}, {120, -40}}));
    const rux::Level::Object& floor = scene.objects.at("floor");
    EXPECT_EQ(floor.type, ObjectType::TileMap);
    EXPECT_EQ(floor.tileMap->textureTileSize, sf::Vector2u(4, 2));
    EXPECT_EQ(floor.tileMap->count, sf::Vector2u(3, 7));
    EXPECT_EQ(floor.transformable->getPosition(), sf::Vector2f(120, -40));
    EXPECT_EQ(floor.texture, &scene.assets.at("other.png"));

    ASSERT_TRUE(rux::LoadImage(scene, {1, "hero", "other.png", {}, {}, {5, 6}}));
    EXPECT_EQ(scene.objects.at("hero").type, ObjectType::Sprite);
    EXPECT_EQ(scene.objects.at("hero").transformable->getPosition(), sf::Vector2f(5, 6));
    EXPECT_TRUE(ReferenceInStep(scene));

    const std::size_t objects = scene.objects.size();
    EXPECT_FALSE(rux::LoadImage(scene, {1, "hero", "tex.png", {}, {}, {}})) << "name taken";
    EXPECT_FALSE(rux::LoadImage(scene, {1, "", "tex.png", {}, {}, {}}));
    EXPECT_FALSE(rux::LoadImage(scene, {1, "ghost", "missing.png", {}, {}, {}}));
    EXPECT_EQ(scene.objects.size(), objects);
    EXPECT_TRUE(exact.UndoAllAndCompare());

    // Texture only: no object, no name needed; loading it twice is no fault.
    sf::Image image;
    image.create(2, 2, sf::Color::Green);
    ASSERT_TRUE(image.saveToFile(File("only.png").string()));
    EXPECT_TRUE(rux::LoadImage(scene, {2, "", "only.png", {}, {}, {}}));
    EXPECT_TRUE(rux::LoadImage(scene, {2, "", "only.png", {}, {}, {}}));
    EXPECT_EQ(scene.assets.at("only.png").type, ObjectType::Texture);
    EXPECT_EQ(scene.objects.size(), 1u);
}

TEST_F(Dialogs, TileMapAndParticleFilesLoadAndRoundTrip) {
    ASSERT_TRUE(rux::AddItemToScene(scene, {1, "ground", "tex.png", {16, 16}, {4, 3}}));
    scene.objects.at("ground").tileMap->setTile(2, 1, 9);
    ASSERT_TRUE(rux::AddItemToScene(scene, {2, "smoke", ""}));
    scene.objects.at("smoke").particleSystem->lifetime = 7.5f;
    scene.MirrorToReference("ground");
    scene.MirrorToReference("smoke");

    std::string error;
    EXPECT_EQ(rux::ExportObjectToFile(scene.objects.at("ground"), File("ground").string(), error), File("ground.tlm"))
        << error;
    EXPECT_EQ(rux::ExportObjectToFile(scene.objects.at("smoke"), File("smoke").string(), error), File("smoke.psy"))
        << error;
    EXPECT_TRUE(rux::ExportObjectToFile(scene.objects.at("[Main Camera]"), File("cam").string(), error).empty());
    EXPECT_TRUE(rux::ExportObjectToFile(scene.objects.at("ground"), File("no/such/dir/x").string(), error).empty());

    error.clear();
    ASSERT_TRUE(rux::LoadTileMapFile(scene, "copy", File("ground.tlm"), {7, 8}, error));
    EXPECT_TRUE(error.empty()) << error;
    const rux::TileMap& copy = *scene.objects.at("copy").tileMap;
    EXPECT_EQ(copy.count, sf::Vector2u(4, 3));
    EXPECT_EQ(copy.tiles[2][1], 9);
    EXPECT_EQ(scene.objects.at("copy").transformable->getPosition(), sf::Vector2f(7, 8));
    ASSERT_TRUE(rux::LoadParticleFile(scene, "puff", File("smoke.psy"), {1, 2}, error));
    EXPECT_TRUE(error.empty()) << error;
    EXPECT_EQ(scene.objects.at("puff").particleSystem->lifetime, 7.5f);
    EXPECT_TRUE(ReferenceInStep(scene));

    // A bad file still gives the object, with default contents and a reason.
    rux_test::WriteText(File("bad.tlm"), "TLM001\x01");
    ASSERT_TRUE(rux::LoadTileMapFile(scene, "bad", File("bad.tlm"), {}, error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(rux::LoadParticleFile(scene, "puff", File("smoke.psy"), {}, error)) << "name taken";
}

TEST_F(Dialogs, ImportTileMapIntoTheSelectionIsUndoable) {
    ASSERT_TRUE(rux::AddItemToScene(scene, {1, "src", "tex.png", {16, 16}, {6, 2}}));
    scene.objects.at("src").tileMap->setTile(5, 1, 3);
    scene.MirrorToReference("src");
    std::string error;
    ASSERT_FALSE(rux::ExportObjectToFile(scene.objects.at("src"), File("src.tlm").string(), error).empty());
    ASSERT_TRUE(rux::AddItemToScene(scene, {1, "dst", "tex.png", {16, 16}, {2, 2}}));  // selects "dst"

    rux_test::UndoExact exact(scene);
    ASSERT_TRUE(rux::ImportTileMapInto(scene, File("src.tlm"), error)) << error;
    EXPECT_EQ(scene.objects.at("dst").tileMap->count, sf::Vector2u(6, 2));
    EXPECT_EQ(scene.objects.at("dst").tileMap->tiles[5][1], 3);
    EXPECT_TRUE(ReferenceInStep(scene));
    EXPECT_FALSE(rux::ImportTileMapInto(scene, File("missing.tlm"), error));
    EXPECT_EQ(scene.objects.at("dst").tileMap->count, sf::Vector2u(6, 2));
    EXPECT_TRUE(exact.UndoAllAndCompare());

    scene.DeselectAll();
    EXPECT_FALSE(rux::ImportTileMapInto(scene, File("src.tlm"), error));
    AddSprite("sprite");
    scene.SelectObject("sprite");
    EXPECT_FALSE(rux::ImportTileMapInto(scene, File("src.tlm"), error));
}

TEST_F(Dialogs, FindChoosesObjectsAndAssets) {
    AddSprite("hero", {100, 50});
    scene.SelectObject("hero");
    const auto centre = rux::ChooseFindCandidate(scene, {ObjectType::Sprite, "hero"});
    ASSERT_TRUE(centre);
    const sf::FloatRect box = rux::Scene::getBB(scene.objects.at("hero"));
    EXPECT_EQ(*centre, sf::Vector2f(100 + box.left + box.width / 2, 50 + box.top + box.height / 2));
    EXPECT_TRUE(scene.objects.at("hero").selected) << "chosen, not toggled off";
    ASSERT_EQ(scene.selection.size(), 1u);

    EXPECT_FALSE(rux::ChooseFindCandidate(scene, {ObjectType::Texture, "tex.png"}));
    ASSERT_EQ(scene.selection.size(), 1u);
    EXPECT_EQ(scene.selection[0].first, "tex.png");
    EXPECT_FALSE(scene.objects.at("hero").selected);

    EXPECT_FALSE(rux::ChooseFindCandidate(scene, {ObjectType::Camera, "[Main Camera]"})) << "no transformable";
    EXPECT_FALSE(rux::ChooseFindCandidate(scene, {ObjectType::Sprite, "gone"}));
    EXPECT_TRUE(scene.selection.empty());
}
