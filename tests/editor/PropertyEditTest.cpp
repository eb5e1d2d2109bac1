// Every family of property the panel edits comes back exactly on undo, and the twins stay in
// step after each edit. Values typed into the panel are clamped.
#include "SceneFixture.hpp"

#include "editor/ObjectProperty.hpp"
#include "editor/PropertyEdit.hpp"

#include <functional>
#include <limits>

namespace {

using rux::ObjectType;
using rux::UndoAction;
using rux::Level;
namespace PE = rux::PropertyEdit;
using A = UndoAction;

// Edits object "X" of `kind` on the scene and records the edit; returns whether it recorded.
struct Row {
    const char* family;
    ObjectType kind;
    std::function<bool(rux::Scene&, Level::Object&)> edit;
};

bool Commit(rux::Scene& s, A a) { return PE::CommitEdit(s, "X", a); }

const Row rows[] = {
    {"general", ObjectType::Sprite,
     [](rux::Scene& s, Level::Object& o) {
         o.visible = false;
         o.zOrder = 17;
         o.color = {0.1f, 0.2f, 0.3f, 0.4f};
         rux::ApplyObjectColor(o);
         o.blendMode = rux::c_blendModes[1];
         return Commit(s, A::Visible) && Commit(s, A::ZOrder) && Commit(s, A::Color) && Commit(s, A::BlendMode);
     }},
    {"transform", ObjectType::Sprite,
     [](rux::Scene& s, Level::Object& o) {
         o.transformable->setPosition(3.5f, -2.f);
         o.transformable->setRotation(33.f);
         o.transformable->setScale(2.f, 0.5f);
         o.transformable->setOrigin(1.f, 1.f);
         return Commit(s, A::Position) && Commit(s, A::Rotation) && Commit(s, A::Scale) && Commit(s, A::Origin);
     }},
    {"sprite texture", ObjectType::Sprite,
     [](rux::Scene& s, Level::Object& o) {
         o.sprite->setTextureRect({1, 2, 3, 4});
         return Commit(s, A::TextureRect) && PE::ChangeTexture(s, "X", &s.assets.at("other.png")) &&
                PE::ChangeTexture(s, "X", nullptr);
     }},
    {"tile map", ObjectType::TileMap,
     [](rux::Scene& s, Level::Object& o) {
         o.tileMap->textureTileSize = {8, 8};
         o.tileMap->gap = {1, 2};
         o.tileMap->tileSize = {20, 30};
         return Commit(s, A::TileTextureSize) && Commit(s, A::TileTextureGap) && Commit(s, A::TileSize) &&
                PE::FillTiles(s, "X", 3) && PE::ShiftTiles(s, "X", 2) && PE::ResizeTiles(s, "X", {9, 2});
     }},
    {"shader and uniforms", ObjectType::Sprite,
     [](rux::Scene& s, Level::Object& o) {
         if (!s.AttachShader("X", &s.assets.at("shaders/tint.frag"), ObjectType::FragmentShader)) return false;
         if (o.fragmentUniformData.size() != 16) return false;
         o.fragmentUniformData[5] = 0x3f;
         return Commit(s, A::FragmentUniforms) &&
                s.AttachShader("X", &s.assets.at("shaders/move.vert"), ObjectType::VertexShader);
     }},
    {"particles", ObjectType::ParticleSystem,
     [](rux::Scene& s, Level::Object& o) {
         rux::ParticleSystem& ps = *o.particleSystem;
         ps.maxParticles = 7;
         ps.setupArray();
         ps.spawnRate = 0.5f;
         ps.lifetime = 4.f;
         ps.startColor = {0.f, 1.f, 0.f, 1.f};
         ps.useBothColors = !ps.useBothColors;
         ps.constantForce = {1.f, 2.f};
         ps.randomEndSize = 3.f;
         return Commit(s, A::MaxParticles) && Commit(s, A::SpawnDelay) && Commit(s, A::Lifetime) &&
                Commit(s, A::StartColor) && Commit(s, A::UseBothColors) && Commit(s, A::ConstantForce) &&
                Commit(s, A::RandomEndSize);
     }},
    {"text", ObjectType::Text,
     [](rux::Scene& s, Level::Object& o) {
         o.text->setString(L"Gr\u00fc\u00dfe");
         o.text->setCharacterSize(40);
         o.text->setStyle(sf::Text::Bold | sf::Text::Italic);
         o.text->setLetterSpacing(2.f);
         o.text->setLineSpacing(1.5f);
         return Commit(s, A::TextString) && Commit(s, A::CharacterSize) && Commit(s, A::TextStyle) &&
                Commit(s, A::LetterSpacing) && Commit(s, A::LineSpacing) && PE::ChangeFont(s, "X", nullptr);
     }},
    {"vertices", ObjectType::VertexObject,
     [](rux::Scene& s, Level::Object& o) {
         if (!PE::AppendVertex(s, "X", sf::Vertex({1.f, 2.f}, sf::Color::Red)) ||
             !PE::AppendVertex(s, "X", sf::Vertex({3.f, 4.f}, sf::Color::Blue)))
             return false;
         o.vertexObject->vertices[0].position = {9.f, 9.f};
         o.vertexObject->setPrimitiveCode(1);
         return PE::CommitVertex(s, "X", 0) && Commit(s, A::PrimitiveType) && PE::RemoveVertex(s, "X", 0);
     }},
    {"camera", ObjectType::Camera,
     [](rux::Scene& s, Level::Object& o) {
         o.camera->setCenter(5.f, 6.f);
         o.camera->setSize(300.f, 200.f);
         o.camera->setRotation(12.f);
         return Commit(s, A::CameraCenter) && Commit(s, A::CameraSize) && Commit(s, A::CameraRotation);
     }},
    {"point light", ObjectType::PointLight,
     [](rux::Scene& s, Level::Object& o) {
         o.pointLight->intensity = 0.25f;
         o.pointLight->resolution = PE::LightResolutionFromExponent(6);
         o.pointLight->radius = 80.f;
         return Commit(s, A::PointIntensity) && Commit(s, A::PointResolution) && Commit(s, A::PointRadius);
     }},
    {"directional light", ObjectType::DirectionalLight,
     [](rux::Scene& s, Level::Object& o) {
         o.directionalLight->intensity = 0.75f;
         o.directionalLight->resolution = PE::LightResolutionFromExponent(4);
         o.directionalLight->size = {30.f, 40.f};
         return Commit(s, A::DirectionalIntensity) && Commit(s, A::DirectionalResolution) &&
                Commit(s, A::DirectionalSize);
     }},
    {"hitbox", ObjectType::Sprite,
     [](rux::Scene& s, Level::Object& o) {
         if (!PE::AddHitbox(s, "X") || !PE::AddHitLine(s, "X", {0, 0}, {1, 1}) || !PE::AddHitLine(s, "X", {1, 1}, {2, 0}))
             return false;
         o.hitbox->lines[1].end = {5.f, 5.f};
         o.hitbox->lines[0].start = {-1.f, 0.f};
         return PE::CommitHitLine(s, "X", 1, true) && PE::CommitHitLine(s, "X", 0, false) &&
                PE::RemoveHitLine(s, "X", 0) && PE::DeleteHitbox(s, "X");
     }},
};

class PropertyEditTest : public rux_test::SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        ASSERT_TRUE(scene.AddAsset("other.png", ObjectType::Texture));
        ASSERT_TRUE(scene.AddAsset("font.ttf", ObjectType::Font));
        ASSERT_TRUE(scene.AddAsset("shaders/tint.frag", ObjectType::FragmentShader));
        ASSERT_TRUE(scene.AddAsset("shaders/move.vert", ObjectType::VertexShader));
    }
    bool Add(ObjectType kind) {
        if (kind == ObjectType::Text) return scene.AddObject("X", scene.assets.at("font.ttf"), kind);
        if (kind == ObjectType::Sprite || kind == ObjectType::TileMap) return scene.AddObject("X", texture(), kind);
        return scene.AddObjectNoTextures("X", kind);
    }
};

TEST_F(PropertyEditTest, EveryFamilyUndoesExactly) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.family);
        scene.ResetAll();
        SetUp();
        ASSERT_TRUE(Add(row.kind));
        rux_test::UndoExact exact(scene);
        EXPECT_TRUE(row.edit(scene, scene.objects.at("X")));
        EXPECT_TRUE(rux_test::ReferenceInStep(scene)) << "twin after the edit";
        EXPECT_FALSE(PE::CommitEdit(scene, "X", A::Position)) << "nothing left unrecorded";
        EXPECT_TRUE(exact.UndoAllAndCompare());
    }
}

TEST_F(PropertyEditTest, OutOfRangeIndicesAreRefusedWithAMessage) {
    ASSERT_TRUE(scene.AddObjectNoTextures("X", ObjectType::VertexObject));
    ASSERT_TRUE(PE::AddHitbox(scene, "X"));
    const int steps = undo.getUndoStepCount();
    const auto count = [&] { return static_cast<int>(scene.objects.at("X").vertexObject->vertices.getVertexCount()); };
    rux_test::ErrCapture err;
    EXPECT_FALSE(PE::RemoveVertex(scene, "X", count()));
    EXPECT_FALSE(PE::CommitVertex(scene, "X", -1));
    EXPECT_FALSE(PE::RemoveHitLine(scene, "X", 3));
    EXPECT_FALSE(PE::CommitHitLine(scene, "X", 0, true));
    EXPECT_NE(err.text().find("out of range"), std::string::npos);
    EXPECT_EQ(undo.getUndoStepCount(), steps);

    // A stored step whose index no longer fits is ignored with a message.
    ASSERT_TRUE(PE::AppendVertex(scene, "X", sf::Vertex({1.f, 1.f})));
    const int n = count();
    std::vector<std::uint8_t> step(4 + 8 + 4 + 8, 0);
    step[0] = static_cast<std::uint8_t>(n + 5);
    undo.addModify(rux::UndoStepType::ModifyObject, A::Vertex, "X", step);
    undo.addModify(rux::UndoStepType::ModifyObject, A::HitLineEnd, "X", std::vector<std::uint8_t>(12, 0));
    rux_test::ErrCapture later;
    EXPECT_EQ(undo.Undo(scene), 1);
    EXPECT_EQ(undo.Undo(scene), 1);
    EXPECT_EQ(count(), n);
    EXPECT_EQ(scene.objects.at("X").vertexObject->vertices[static_cast<std::size_t>(n - 1)].position, sf::Vector2f(1.f, 1.f));
    EXPECT_NE(later.text().find("Vertex index " + std::to_string(n + 5) + " out of range"), std::string::npos)
        << later.text();
    EXPECT_NE(later.text().find("Hit line index 0 out of range"), std::string::npos) << later.text();
}

TEST(PropertyClamps, TypedValuesStayInRange) {
    EXPECT_EQ(PE::ClampZ(500), 120);
    EXPECT_EQ(PE::ClampZ(-121), -120);
    EXPECT_EQ(PE::ClampTileSize({0, 7}), sf::Vector2u(1, 7));
    EXPECT_EQ(PE::ClampTileCount({0, 1u << 20}), sf::Vector2u(1, rux::c_maxTileCount));
    EXPECT_GT(PE::ClampSpawnDelay(0.f), 0.f);
    EXPECT_GT(PE::ClampSpawnDelay(-3.f), 0.f);
    EXPECT_GT(PE::ClampSpawnDelay(std::numeric_limits<float>::quiet_NaN()), 0.f);
    EXPECT_EQ(PE::ClampSpawnDelay(0.25f), 0.25f);
    EXPECT_EQ(PE::ClampMaxParticles(0), 1);
    EXPECT_EQ(PE::ClampMaxParticles(std::numeric_limits<std::int32_t>::max()), rux::c_maxParticles);
    EXPECT_EQ(PE::LightResolutionFromExponent(-4), 1u);
    EXPECT_EQ(PE::LightResolutionFromExponent(9), 512u);
    EXPECT_LE(PE::LightResolutionFromExponent(40), rux::c_maxLightResolution);
    EXPECT_EQ(PE::LightResolutionExponent(512), 9);
    EXPECT_EQ(PE::ClampCharacterSize(0), 1u);
}

} // namespace
