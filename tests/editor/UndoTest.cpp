#include "editor/ObjectProperty.hpp"
#include "SceneFixture.hpp"

using rux::ObjectType;
using rux::UndoAction;
using rux::UndoStepType;
using rux_test::ErrCapture;
using rux_test::ReferenceInStep;
using rux_test::SceneTest;
using rux_test::UndoExact;

namespace {

TEST_F(SceneTest, GroupedMovesUndoTogether) {
    AddSprite("A", {0, 0});
    AddSprite("B", {10, 0});
    AddSprite("C", {20, 0});
    UndoExact exact(scene);
    scene.SelectObjectAuto({"A", "B", "C"});
    for (auto* o : scene.getSelectedObjects()) o->transformable->move(3, 4);
    EXPECT_EQ(scene.CommitSelectionChanges({UndoAction::Position}), 3);
    const auto& steps = undo.getSteps();
    ASSERT_EQ(steps.size(), 6u);
    EXPECT_FALSE(steps[3].second->grouped);
    EXPECT_TRUE(steps[4].second->grouped);
    EXPECT_TRUE(steps[5].second->grouped);
    EXPECT_TRUE(ReferenceInStep(scene));
    EXPECT_EQ(undo.Undo(scene), 3);
    EXPECT_EQ(scene.objects.at("C").transformable->getPosition(), sf::Vector2f(20, 0));
    EXPECT_TRUE(exact.UndoAllAndCompare());
}

TEST_F(SceneTest, AGroupWithOneChangeRecordsOneUngroupedStep) {
    AddSprite("A");
    AddSprite("B");
    scene.SelectObjectAuto({"A", "B"});
    scene.objects.at("B").transformable->setRotation(30);
    const int before = undo.getUndoStepCount();
    EXPECT_EQ(scene.CommitSelectionChanges({UndoAction::Position, UndoAction::Rotation}), 1);
    ASSERT_EQ(undo.getUndoStepCount(), before + 1);
    EXPECT_FALSE(undo.getSteps().back().second->grouped);
    EXPECT_EQ(undo.Undo(scene), 1);
    EXPECT_EQ(scene.objects.at("B").transformable->getRotation(), 0.f);
}

TEST_F(SceneTest, DraggingBackToTheStartRecordsNothing) {
    AddSprite("A", {5, 5});
    scene.SelectObject("A");
    const int before = undo.getUndoStepCount();
    auto* t = scene.objects.at("A").transformable;
    t->move(40, 0);
    t->move(-40, 0);
    EXPECT_EQ(scene.CommitSelectionChanges(), 0);
    t->move(1, 0);
    EXPECT_EQ(scene.CommitSelectionChanges(), 1);
    EXPECT_EQ(scene.CommitSelectionChanges(), 0) << "a second commit finds nothing new";
    EXPECT_EQ(undo.getUndoStepCount(), before + 1);
}

TEST_F(SceneTest, UndoOfCreateAndDelete) {
    ASSERT_TRUE(scene.AddAsset("shaders/tint.frag", ObjectType::FragmentShader));
    ASSERT_TRUE(scene.AddAsset("shaders/move.vert", ObjectType::VertexShader));
    rux::Level::Object& a = AddSprite("A", {1, 2});
    a.fragmentShader = &scene.assets.at("shaders/tint.frag");
    a.vertexShader = &scene.assets.at("shaders/move.vert");
    a.fragmentUniformData.assign(16, 1);
    a.vertexUniformData.assign(8, 2);
    scene.ReloadShader(a);
    ASSERT_TRUE(a.shader);
    ASSERT_NE(a.shader->getNativeHandle(), 0u);
    scene.MirrorToReference("A");
    AddSprite("B");
    AddSprite("C");

    UndoExact exact(scene);
    scene.SelectObjectAuto({"A", "B", "C", rux::c_mainCameraName});
    scene.DeleteSelectedObjects();
    EXPECT_EQ(scene.objects.size(), 1u);
    EXPECT_EQ(reference.objects.size(), 1u);
    EXPECT_EQ(undo.Undo(scene), 1) << "one step holds all three";
    ASSERT_TRUE(scene.objects.count("A"));
    ASSERT_TRUE(scene.objects.at("A").shader) << "the shader is built again";
    EXPECT_NE(scene.objects.at("A").shader->getNativeHandle(), 0u);
    EXPECT_TRUE(exact.UndoAllAndCompare());

    // Undo of a creation removes the object from both levels.
    ASSERT_TRUE(scene.AddObjectNoTextures("L", ObjectType::PointLight));
    scene.SelectObject("L");
    undo.Undo(scene);
    EXPECT_FALSE(scene.objects.count("L"));
    EXPECT_FALSE(reference.objects.count("L"));
    EXPECT_TRUE(scene.selection.empty());
}

TEST_F(SceneTest, UndoNeverRemovesTheMainCamera) {
    auto step = std::make_shared<rux::UndoSystem::CreateObject>();
    step->name = rux::c_mainCameraName;
    undo.addUndoStep(UndoStepType::CreateObject, step);
    undo.Undo(scene);
    EXPECT_TRUE(scene.objects.count(rux::c_mainCameraName));
    EXPECT_EQ(undo.Undo(scene), 0) << "empty history";
}

TEST_F(SceneTest, UnknownStepTypesAreReported) {
    ErrCapture err;
    scene.ProcessUndoRedoStep(static_cast<UndoStepType>(9), std::make_shared<rux::UndoSystem::UndoStep>(), false);
    EXPECT_EQ(err.text(), "UndoStepType not recognized\n");
}

TEST_F(SceneTest, UiTogglesGoToTheApplication) {
    undo.addUIToggle(3, true);
    std::vector<std::pair<int, bool>> seen;
    undo.Undo(scene, [&](std::uint16_t id, bool value) { seen.emplace_back(id, value); });
    EXPECT_EQ(seen, (std::vector<std::pair<int, bool>>{{3, true}}));
}

TEST_F(SceneTest, HistoryLines) {
    AddSprite("A");
    scene.SelectObject("A");
    scene.objects.at("A").transformable->move(1, 0);
    scene.CommitSelectionChanges();
    undo.addMAP(UndoAction::TextureSmooth, "tex.png", false);
    undo.addUIToggle(2, false);
    scene.DeleteSelectedObjects();
    std::vector<std::string> lines;
    for (const auto& e : undo.getSteps()) lines.push_back(rux::UndoSystem::HistoryLine(e));
    EXPECT_EQ(lines, (std::vector<std::string>{"Create object: A", "Modify object: A, ID: 8",
                                               "Modify asset: tex.png, ID: 84", "Toggle UI setting ID: 2",
                                               "Delete 1 object(s)"}));
}

TEST_F(SceneTest, TileUndo) {
    ErrCapture err;
    AddSprite("S");
    scene.SelectObject("S");
    scene.AddTilemapUndoStep();
    EXPECT_NE(err.text().find("Object not a tilemap!"), std::string::npos);

    ASSERT_TRUE(scene.AddObject("M", texture(), ObjectType::TileMap));
    UndoExact exact(scene);
    scene.SelectObject("M");
    rux::TileMap& map = *scene.objects.at("M").tileMap;
    map.setTile(1, 2, 9);
    scene.AddTilemapUndoStep();
    map.count = {7, 3};
    map.ResizeBuffer();
    map.setTile(6, 0, 4);
    scene.AddTilemapUndoStep();
    EXPECT_TRUE(ReferenceInStep(scene));
    EXPECT_TRUE(exact.UndoAllAndCompare());
}

// Every directly recorded property: record the old value, change it, undo.
TEST_F(SceneTest, DirectlyRecordedProperties) {
    ASSERT_TRUE(scene.AddObjectNoTextures("V", ObjectType::VertexObject));
    ASSERT_TRUE(scene.AddObjectNoTextures("P", ObjectType::ParticleSystem));
    ASSERT_TRUE(scene.AddObjectNoTextures("C", ObjectType::Camera));
    rux::Level::Object& s = AddSprite("S");
    ASSERT_TRUE(scene.AddAsset("other.png", ObjectType::Texture));
    UndoExact exact(scene);
    undo.addMOP(UndoAction::ZOrder, "S", s.zOrder);
    s.zOrder = -128;
    undo.addMOP(UndoAction::BlendMode, "S", std::int8_t{2});
    s.blendMode = rux::c_blendModes[1];
    undo.addMOP(UndoAction::MaxParticles, "P", scene.objects.at("P").particleSystem->maxParticles);
    scene.objects.at("P").particleSystem->maxParticles = 7;
    undo.addMOP(UndoAction::CameraCenter, "C", scene.objects.at("C").camera->getCenter());
    scene.objects.at("C").camera->setCenter(1, 1);
    rux::VertexObject& v = *scene.objects.at("V").vertexObject;
    v.vertices.append(sf::Vertex({4, 4}, sf::Color::Red));
    undo.addModify(UndoStepType::ModifyObject, UndoAction::VertexAppended, "V", {});
    scene.MirrorToReference("V"); // the twin follows as the panel keeps it
    s.hitbox = std::make_unique<rux::Hitbox>();
    undo.addModify(UndoStepType::ModifyObject, UndoAction::HitboxAdded, "S", {});
    scene.MirrorToReference("S");
    // Texture asset change, recorded with the old path.
    undo.addModify(UndoStepType::ModifyObject, UndoAction::TextureAsset, "S", {}, "tex.png");
    rux::SetObjectTexture(s, &scene.assets.at("other.png"));
    scene.MirrorToReference("S");
    EXPECT_TRUE(exact.UndoAllAndCompare());
    EXPECT_EQ(scene.objects.at("S").sprite->getTexture(), texture().texture.get());
}

TEST(ObjectProperty, EveryDiffedValueRoundTrips) {
    rux::Level::Object objects[6];
    objects[0].sprite = std::make_unique<sf::Sprite>();
    objects[0].transformable = objects[0].sprite.get();
    objects[1].particleSystem = std::make_unique<rux::ParticleSystem>();
    objects[1].transformable = objects[1].particleSystem.get();
    objects[2].text = std::make_unique<sf::Text>();
    objects[2].transformable = objects[2].text.get();
    objects[3].pointLight = std::make_unique<rux::PointLight>();
    objects[3].transformable = objects[3].pointLight.get();
    objects[4].tileMap = std::make_unique<rux::TileMap>(nullptr);
    objects[4].transformable = objects[4].tileMap.get();
    objects[5].directionalLight = std::make_unique<rux::DirectionalLight>();
    objects[5].transformable = objects[5].directionalLight.get();
    for (UndoAction a : rux::DiffedActions()) {
        bool somewhere = false;
        for (auto& o : objects) {
            rux::PropertyBytes bytes, again;
            if (!rux::ReadProperty(o, a, bytes)) continue;
            somewhere = true;
            // A different value of the same layout: flags flip, words count as floats.
            if (bytes.size() == 1) {
                bytes[0] ^= 1;
            } else if (a == UndoAction::TextString) {
                bytes = {'H', 0, 0, 0, 'i', 0, 0, 0};
            } else {
                for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
                    float f;
                    std::memcpy(&f, &bytes[i], 4);
                    f = a == UndoAction::Rotation ? 45.f : f + 1.5f;
                    std::memcpy(&bytes[i], &f, 4);
                }
            }
            ASSERT_TRUE(rux::WriteProperty(o, a, bytes)) << static_cast<int>(a);
            ASSERT_TRUE(rux::ReadProperty(o, a, again));
            EXPECT_EQ(again, bytes) << static_cast<int>(a);
            EXPECT_FALSE(rux::WriteProperty(o, a, {1, 2, 3})) << "wrong size " << static_cast<int>(a);
        }
        EXPECT_TRUE(somewhere) << static_cast<int>(a);
    }
}

TEST_F(SceneTest, ParticleLinks) {
    ASSERT_TRUE(scene.AddObjectNoTextures("A", ObjectType::ParticleSystem));
    ASSERT_TRUE(scene.AddObjectNoTextures("B", ObjectType::ParticleSystem));
    rux::ParticleSystem* a = scene.objects.at("A").particleSystem.get();
    rux::ParticleSystem* b = scene.objects.at("B").particleSystem.get();
    a->eventTargets[2] = b;
    a->eventTargets[0] = a; // a self-link
    b->eventTargets[1] = a;
    UndoExact exact(scene);

    // Deleting the target clears the links to it; undo brings them back.
    scene.SelectObject("B");
    scene.DeleteSelectedObjects();
    EXPECT_EQ(a->eventTargets[2], nullptr);
    EXPECT_EQ(a->eventTargets[0], a);
    EXPECT_TRUE(exact.UndoAllAndCompare());
    b = scene.objects.at("B").particleSystem.get();
    EXPECT_EQ(a->eventTargets[2], b);
    EXPECT_EQ(b->eventTargets[1], a);

    // Copies keep links inside the batch to each other, a self-link to themselves.
    scene.SelectObjectAuto({"A", "B"});
    std::vector<std::string> names;
    ASSERT_TRUE(scene.DuplicateSelectedObjects(names));
    ASSERT_EQ(names, (std::vector<std::string>{"A2", "B2"}));
    rux::ParticleSystem* a2 = scene.objects.at("A2").particleSystem.get();
    rux::ParticleSystem* b2 = scene.objects.at("B2").particleSystem.get();
    EXPECT_EQ(a2->eventTargets[0], a2);
    EXPECT_EQ(a2->eventTargets[2], b2);
    EXPECT_EQ(b2->eventTargets[1], a2);
    // A copy of A alone still starts the original B.
    scene.DeselectAll();
    scene.SelectObject("A");
    scene.CopySelectedObjectsToClipboard();
    scene.PasteObjectsFromClipboardAndSelect();
    EXPECT_EQ(scene.objects.at("A3").particleSystem->eventTargets[2], b);
    // Undo of the creations clears every link to the copies.
    b->eventTargets[0] = scene.objects.at("A3").particleSystem.get();
    EXPECT_TRUE(exact.UndoAllAndCompare());
    EXPECT_EQ(b->eventTargets[0], nullptr);
    for (const auto& [name, o] : reference.objects) {
        if (o.particleSystem) {
            EXPECT_EQ(o.particleSystem->eventTargets, (std::array<rux::ParticleSystem*, 3>{}));
        }
    }
}

} // namespace
