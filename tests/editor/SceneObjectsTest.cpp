#include "SceneFixture.hpp"

using rux::ObjectType;
using rux_test::ErrCapture;
using rux_test::ReferenceInStep;
using rux_test::SceneTest;
using rux_test::UndoExact;

namespace {

TEST_F(SceneTest, NewSceneHoldsTheMainCameraAndItsTwin) {
    ASSERT_TRUE(scene.objects.count(rux::c_mainCameraName));
    ASSERT_NE(scene.getMainCamera(), nullptr);
    EXPECT_EQ(scene.getMainCamera()->getSize(), sf::Vector2f(1000, 1000));
    EXPECT_TRUE(reference.objects.count(rux::c_mainCameraName));
    EXPECT_TRUE(ReferenceInStep(scene));
    EXPECT_EQ(rux::Level::Object::editMode, scene.editMode());
}

TEST_F(SceneTest, EveryKindCanBeCreatedAndIsMirrored) {
    for (ObjectType kind : {ObjectType::TileMap, ObjectType::Sprite, ObjectType::ParticleSystem, ObjectType::Text,
                            ObjectType::VertexObject, ObjectType::Camera, ObjectType::PointLight,
                            ObjectType::DirectionalLight}) {
        const std::string name = scene.getFreeNextObjectName(kind);
        ASSERT_TRUE(scene.AddObjectNoTextures(name, kind)) << name;
        const rux::Level::Object& o = scene.objects.at(name);
        EXPECT_EQ(o.type, kind);
        EXPECT_EQ(o.zOrder, 0);
        EXPECT_TRUE(rux_test::SameColor(o.color, {1, 1, 1, 1}));
        EXPECT_EQ(o.transformable == nullptr, kind == ObjectType::Camera) << name;
    }
    EXPECT_EQ(scene.objects.at("Text-1").text->getString(), "Text");
    EXPECT_EQ(scene.objects.at("Text-1").text->getCharacterSize(), 30u);
    EXPECT_EQ(scene.objects.at("VertexObject-1").vertexObject->vertices.getVertexCount(), 1u);
    EXPECT_EQ(scene.objects.at("Camera-1").camera->getCenter(), sf::Vector2f(500, 500));
    EXPECT_EQ(scene.objects.at("PointLight-1").pointLight->radius, 50.f);
    EXPECT_EQ(scene.objects.at("DirectionalLight-1").directionalLight->size, sf::Vector2f(50, 50));
    EXPECT_EQ(scene.objects.at("Sprite-1").texture, rux::Level::getMissingTexture());
    EXPECT_EQ(undo.getUndoStepCount(), 8);
    EXPECT_TRUE(ReferenceInStep(scene));
}

TEST_F(SceneTest, AddObjectUnderAnExistingNameIsRefused) {
    AddSprite("Box").zOrder = 7;
    const int steps = undo.getUndoStepCount();
    EXPECT_FALSE(scene.AddObject("Box", texture(), ObjectType::TileMap));
    EXPECT_FALSE(scene.AddObjectNoTextures("Box", ObjectType::PointLight));
    EXPECT_EQ(scene.objects.at("Box").type, ObjectType::Sprite);
    EXPECT_EQ(scene.objects.at("Box").zOrder, 7);
    EXPECT_EQ(undo.getUndoStepCount(), steps);
    EXPECT_FALSE(scene.AddObjectNoTextures("T", ObjectType::Texture)) << "asset kinds are not objects";
    EXPECT_FALSE(scene.objects.count("T"));
}

TEST_F(SceneTest, AddObjectOnlyTakesTheScenesOwnAssets) {
    rux::Level::AssetObject stray;
    stray.path = "tex.png";
    stray.type = ObjectType::Texture;
    ErrCapture err;
    EXPECT_FALSE(scene.AddObject("S", stray, ObjectType::Sprite));
    EXPECT_FALSE(scene.objects.count("S"));
}

TEST_F(SceneTest, AddingAssets) {
    EXPECT_FALSE(scene.AddAsset("tex.png", ObjectType::Texture)) << "already loaded";
    {
        ErrCapture err;
        EXPECT_FALSE(scene.AddAsset("missing.png", ObjectType::Texture));
        EXPECT_FALSE(scene.AddAsset("shaders/broken.frag", ObjectType::FragmentShader));
    }
    EXPECT_FALSE(scene.assets.count("missing.png"));
    EXPECT_FALSE(scene.assets.count("shaders/broken.frag")) << "a shader that does not compile adds nothing";
    EXPECT_FALSE(scene.AddAsset("font.ttf", ObjectType::Sprite));

    ASSERT_TRUE(scene.AddAsset("font.ttf", ObjectType::Font));
    ASSERT_TRUE(scene.AddAsset("shaders/tint.frag", ObjectType::FragmentShader));
    const rux::Level::AssetObject& frag = scene.assets.at("shaders/tint.frag");
    ASSERT_TRUE(frag.uniforms);
    std::vector<std::string> names = frag.uniforms->names;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"amount", "tint"})) << "the sampler is ignored";
    EXPECT_EQ(frag.uniforms->totalSize, 16u);
    EXPECT_NE(frag.source.find("uniform float amount"), std::string::npos);
    EXPECT_TRUE(reference.assets.empty()) << "twins use the scene's assets";

    const int steps = undo.getUndoStepCount();
    ASSERT_TRUE(scene.AddAssetAndObject("Label", "font.ttf", ObjectType::Font, ObjectType::Text));
    ASSERT_TRUE(scene.AddAssetAndObject("Pic", "other.png", ObjectType::Texture, ObjectType::Sprite));
    EXPECT_EQ(undo.getUndoStepCount(), steps + 2);
    EXPECT_EQ(scene.objects.at("Label").font, &scene.assets.at("font.ttf"));
    EXPECT_EQ(scene.objects.at("Pic").sprite->getTextureRect(), sf::IntRect(0, 0, 8, 8));
    EXPECT_TRUE(ReferenceInStep(scene));
}

TEST_F(SceneTest, ResetAllKeepsOnlyTheMainCamera) {
    AddSprite("A");
    AddSprite("B");
    ASSERT_TRUE(scene.AddAsset("font.ttf", ObjectType::Font));
    scene.SelectObject("A");
    scene.DeselectAll();
    scene.SelectObject("B");
    scene.CopySelectedObjectsToClipboard();
    scene.DeleteSelectedObjects();
    scene.getMainCamera()->setCenter(7, 8);

    scene.ResetAll();
    EXPECT_EQ(scene.objects.size(), 1u);
    EXPECT_EQ(scene.getMainCamera()->getCenter(), sf::Vector2f(7, 8));
    EXPECT_TRUE(scene.assets.empty());
    EXPECT_TRUE(scene.selection.empty());
    EXPECT_TRUE(scene.previousSelection.empty());
    EXPECT_TRUE(scene.clipboard.empty());
    EXPECT_EQ(undo.getUndoStepCount(), 0) << "undo steps would point into the old level";
    EXPECT_EQ(reference.objects.size(), 1u);
    EXPECT_TRUE(ReferenceInStep(scene));
    // The new level works as before.
    ASSERT_TRUE(scene.AddAsset("tex.png", ObjectType::Texture));
    AddSprite("A");
    EXPECT_TRUE(ReferenceInStep(scene));
}

TEST_F(SceneTest, DeletingAnAssetInUseIsRefused) {
    AddSprite("A");
    AddSprite("B");
    {
        ErrCapture err;
        EXPECT_FALSE(scene.DeleteAsset("tex.png"));
        EXPECT_NE(err.text().find("A, B"), std::string::npos) << err.text();
    }
    ASSERT_TRUE(scene.assets.count("tex.png"));

    // Once no object uses it, it goes; the copies in the clipboard and in the history that
    // still name it fall back to the missing texture.
    scene.SelectObjectAuto({"A", "B"});
    scene.CopySelectedObjectsToClipboard();
    scene.DeleteSelectedObjects();
    ASSERT_TRUE(scene.DeleteAsset("tex.png"));
    EXPECT_FALSE(scene.assets.count("tex.png"));
    EXPECT_EQ(scene.clipboard.at("A").texture, rux::Level::getMissingTexture());
    scene.PasteObjectsFromClipboardAndSelect();
    EXPECT_EQ(scene.objects.at("A2").texture, rux::Level::getMissingTexture());
    undo.Undo(scene); // the paste
    undo.Undo(scene); // the deletion
    EXPECT_EQ(scene.objects.at("A").texture, rux::Level::getMissingTexture());
    EXPECT_TRUE(ReferenceInStep(scene));
    EXPECT_FALSE(scene.DeleteAsset("tex.png")) << "already gone";
}

TEST_F(SceneTest, DeletingAShaderAssetDropsItFromCopies) {
    ASSERT_TRUE(scene.AddAsset("shaders/tint.frag", ObjectType::FragmentShader));
    rux::Level::Object& a = AddSprite("A");
    a.fragmentShader = &scene.assets.at("shaders/tint.frag");
    a.fragmentUniformData.assign(16, 0);
    scene.ReloadShader(a);
    scene.MirrorToReference("A");
    scene.SelectObject("A");
    scene.DeleteSelectedObjects();
    ASSERT_TRUE(scene.DeleteAsset("shaders/tint.frag"));
    undo.Undo(scene);
    EXPECT_EQ(scene.objects.at("A").fragmentShader, nullptr);
    EXPECT_TRUE(ReferenceInStep(scene));
}

TEST_F(SceneTest, DeleteObjectNeverTakesTheMainCamera) {
    AddSprite("A");
    scene.DeleteObject(rux::c_mainCameraName);
    scene.DeleteObject("nothing");
    EXPECT_TRUE(scene.objects.count(rux::c_mainCameraName));
    const int steps = undo.getUndoStepCount();
    scene.SelectObject(rux::c_mainCameraName);
    scene.DeleteSelectedObjects();
    EXPECT_TRUE(scene.objects.count(rux::c_mainCameraName));
    EXPECT_EQ(undo.getUndoStepCount(), steps) << "nothing deleted, nothing recorded";

    // Deleting one object by name removes its twin too and can be undone.
    UndoExact exact(scene);
    scene.SelectObject("A");
    scene.DeleteObject("A");
    EXPECT_FALSE(scene.objects.count("A"));
    EXPECT_FALSE(reference.objects.count("A"));
    EXPECT_TRUE(scene.selection.empty());
    EXPECT_TRUE(exact.UndoAllAndCompare());
}

struct RenameCase {
    std::string from, to;
    bool ok;
};

TEST_F(SceneTest, Renaming) {
    AddSprite("A");
    AddSprite("B");
    const RenameCase cases[] = {
        {"A", "", false},
        {"A", "B", false},
        {"A", rux::c_mainCameraName, false},
        {rux::c_mainCameraName, "Cam", false},
        {"missing", "C", false},
        {"A", "A", true},
    };
    for (const auto& c : cases) {
        ErrCapture err;
        EXPECT_EQ(scene.RenameObject(c.from, c.to), c.ok) << c.from << " -> " << c.to;
        EXPECT_EQ(err.text().empty(), c.ok) << err.text();
    }
    UndoExact exact(scene);
    scene.SelectObjectAuto({"B", "A"});
    rux::Level::Object* a = &scene.objects.at("A");
    ASSERT_TRUE(scene.RenameObject("A", "Z"));
    EXPECT_EQ(&scene.objects.at("Z"), a) << "the object stays where it is";
    EXPECT_TRUE(reference.objects.count("Z"));
    EXPECT_FALSE(reference.objects.count("A"));
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"B", "Z"}));
    EXPECT_EQ(scene.getSelectedObjects().size(), 2u);
    EXPECT_TRUE(ReferenceInStep(scene));
    // A later edit under the new name, then undo of both.
    scene.objects.at("Z").transformable->move(5, 5);
    EXPECT_EQ(scene.CommitSelectionChanges(), 1);
    EXPECT_TRUE(exact.UndoAllAndCompare());
    EXPECT_TRUE(scene.objects.count("A"));
}

} // namespace
