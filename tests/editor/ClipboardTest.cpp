#include "SceneFixture.hpp"
#include "level/Binary.hpp"

using rux::ObjectType;
using rux_test::ReferenceInStep;
using rux_test::SceneTest;
using rux_test::UndoExact;

namespace {

using Names = std::vector<std::string>;

TEST_F(SceneTest, PasteAfterDeletingTheOriginal) {
    AddSprite("Box", {3, 4});
    UndoExact exact(scene);
    scene.SelectObject("Box");
    scene.CopySelectedObjectsToClipboard();
    scene.DeleteSelectedObjects();
    scene.PasteObjectsFromClipboardAndSelect();
    EXPECT_FALSE(scene.objects.count("Box")) << "a pasted name is never the unchanged one";
    EXPECT_EQ(SelectedNames(), Names{"Box2"});
    scene.PasteObjectsFromClipboardAndSelect();
    EXPECT_EQ(SelectedNames(), Names{"Box3"});
    EXPECT_EQ(scene.objects.at("Box3").transformable->getPosition(), sf::Vector2f(3, 4));
    EXPECT_TRUE(ReferenceInStep(scene));
    EXPECT_TRUE(exact.UndoAllAndCompare());
}

TEST_F(SceneTest, BatchNamesNeverCollide) {
    AddSprite("Box");
    AddSprite("Box2");
    scene.SelectObjectAuto({"Box", "Box2"});
    scene.CopySelectedObjectsToClipboard();
    scene.PasteObjectsFromClipboardAndSelect();
    // Box -> Box3 (Box2 exists); Box2 would be Box3 too without counting the batch.
    EXPECT_EQ(SelectedNames(), (Names{"Box3", "Box4"}));
    std::vector<std::string> created;
    ASSERT_TRUE(scene.DuplicateSelectedObjects(created));
    EXPECT_EQ(created, (Names{"Box5", "Box6"}));
    EXPECT_EQ(scene.objects.size(), 7u);
    EXPECT_TRUE(ReferenceInStep(scene));
}

TEST_F(SceneTest, DuplicateAndItsUndo) {
    AddSprite("Sprite-1");
    scene.SelectObjectAuto({"Sprite-1", rux::c_mainCameraName});
    UndoExact exact(scene);
    std::vector<std::string> names;
    ASSERT_TRUE(scene.DuplicateSelectedObjects(names));
    EXPECT_EQ(names, (Names{"Sprite-2", "[Main Camera]2"}));
    EXPECT_TRUE(scene.objects.at("[Main Camera]2").camera) << "an ordinary camera";
    EXPECT_EQ(undo.Undo(scene), 2) << "one group";
    EXPECT_TRUE(exact.UndoAllAndCompare());
    scene.DeselectAll();
    EXPECT_FALSE(scene.DuplicateSelectedObjects(names)) << "nothing selected";
}

TEST_F(SceneTest, TheClipboardIsASnapshot) {
    rux::Level::Object& box = AddSprite("Box", {1, 1});
    box.color = {0.5f, 0.25f, 1.f, 1.f};
    scene.SelectObject("Box");
    scene.CopySelectedObjectsToClipboard();
    box.transformable->setPosition(50, 50);
    box.zOrder = 9;
    scene.PasteObjectsFromClipboardAndSelect();
    const rux::Level::Object& copy = scene.objects.at("Box2");
    EXPECT_EQ(copy.transformable->getPosition(), sf::Vector2f(1, 1));
    EXPECT_EQ(copy.zOrder, 0);
    EXPECT_TRUE(rux_test::SameColor(copy.color, {127 / 255.f, 63 / 255.f, 1.f, 1.f})) << "colours go through bytes";
    EXPECT_EQ(copy.texture, &texture());
}

TEST(CopyObjects, QuantisedColoursWriteTheSameBytes) {
    std::map<std::string, rux::Level::Object> from, to;
    rux::Level::Object& o = from["o"];
    o.sprite = std::make_unique<sf::Sprite>();
    o.transformable = o.sprite.get();
    for (int k = 0; k < 256; ++k) {
        const float c = (static_cast<float>(k) + 0.5f) / 255.f;
        o.color = {c, static_cast<float>(k) / 255.f, 1.f - c, 0.f};
        to.clear();
        ASSERT_TRUE(rux::Scene::CopyObjects(from, {"o"}, to, {"o"}));
        const sf::Glsl::Vec4 q = to.at("o").color;
        EXPECT_EQ(rux::ColorByte(q.x), rux::ColorByte(o.color.x)) << k;
        EXPECT_EQ(rux::ColorByte(q.y), rux::ColorByte(o.color.y)) << k;
        EXPECT_EQ(rux::ColorByte(q.z), rux::ColorByte(o.color.z)) << k;
    }
}

TEST(CopyObjects, StopsAtADestinationThatHasADrawable) {
    std::map<std::string, rux::Level::Object> from, to;
    for (const char* n : {"a", "b", "c"}) {
        from[n].pointLight = std::make_unique<rux::PointLight>();
        from[n].transformable = from[n].pointLight.get();
        from[n].type = ObjectType::PointLight;
    }
    to["y"].sprite = std::make_unique<sf::Sprite>();
    EXPECT_FALSE(rux::Scene::CopyObjects(from, {"a", "b", "c"}, to, {"x", "y", "z"}));
    EXPECT_TRUE(to.at("x").pointLight);
    EXPECT_TRUE(to.at("y").sprite);
    EXPECT_FALSE(to.at("y").pointLight);
    EXPECT_FALSE(to.count("z"));
    // A first source without a drawable is refused too.
    from["none"];
    EXPECT_FALSE(rux::Scene::CopyObjects(from, {"none"}, to, {"w"}));
}

TEST_F(SceneTest, CopiesAreDeep) {
    rux::Level::Object& a = AddSprite("A");
    a.hitbox = std::make_unique<rux::Hitbox>();
    a.hitbox->lines.push_back({{0, 0}, {1, 1}});
    scene.MirrorToReference("A");
    scene.SelectObject("A");
    std::vector<std::string> names;
    ASSERT_TRUE(scene.DuplicateSelectedObjects(names));
    rux::Level::Object& b = scene.objects.at("A2");
    ASSERT_TRUE(b.hitbox);
    EXPECT_NE(b.hitbox.get(), a.hitbox.get());
    EXPECT_NE(b.sprite.get(), a.sprite.get());
    EXPECT_EQ(b.transformable, b.sprite.get());
    EXPECT_EQ(b.sprite->getTexture(), a.sprite->getTexture()) << "assets stay shared";
}

} // namespace
