// A thousand random edits through the scene's operations, then as many undos: the scene must
// serialise to the bytes it started with.
#include "editor/ObjectProperty.hpp"
#include "SceneFixture.hpp"

#include <random>
#include <unordered_set>

using rux::ObjectType;
using rux::UndoAction;
using rux::UndoStepType;
using rux_test::ErrCapture;
using rux_test::ReferenceInStep;
using rux_test::SceneTest;
using rux_test::UndoExact;

namespace {

class RandomEdits : public SceneTest {
protected:
    std::mt19937 rng{20240611};

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    float Float(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); }

    // A random object name (the main camera included when `camera`), or "" when there is none.
    std::string AnyObject(bool camera = true) {
        std::vector<std::string> names;
        for (const auto& [name, o] : scene.objects)
            if (camera || name != rux::c_mainCameraName) names.push_back(name);
        return names.empty() ? std::string() : names[static_cast<std::size_t>(Int(0, int(names.size()) - 1))];
    }

    std::string OfKind(ObjectType kind) {
        std::vector<std::string> names;
        for (const auto& [name, o] : scene.objects)
            if (o.type == kind) names.push_back(name);
        return names.empty() ? std::string() : names[static_cast<std::size_t>(Int(0, int(names.size()) - 1))];
    }

    void BuildStart() {
        ASSERT_TRUE(scene.AddAsset("other.png", ObjectType::Texture));
        ASSERT_TRUE(scene.AddAsset("font.ttf", ObjectType::Font));
        ASSERT_TRUE(scene.AddAsset("shaders/tint.frag", ObjectType::FragmentShader));
        for (ObjectType kind : {ObjectType::TileMap, ObjectType::Sprite, ObjectType::ParticleSystem, ObjectType::Text,
                                ObjectType::VertexObject, ObjectType::Camera, ObjectType::PointLight,
                                ObjectType::DirectionalLight, ObjectType::ParticleSystem, ObjectType::Sprite})
            ASSERT_TRUE(scene.AddObjectNoTextures(scene.getFreeNextObjectName(kind), kind));
        ASSERT_TRUE(scene.AddObject("Label", scene.assets.at("font.ttf"), ObjectType::Text));
        rux::Level::Object& shaded = AddSprite("Shaded", {10, 10}, -128);
        shaded.fragmentShader = &scene.assets.at("shaders/tint.frag");
        shaded.fragmentUniformData = {0, 0, 128, 63, 0, 0, 0, 63, 0, 0, 0, 0, 0, 0, 0, 0};
        scene.ReloadShader(shaded);
        scene.MirrorToReference("Shaded");
        auto& p1 = *scene.objects.at("ParticleSystem-1").particleSystem;
        p1.eventTargets[1] = scene.objects.at("ParticleSystem-2").particleSystem.get();
        p1.eventTargets[2] = &p1;
        // Colours between two bytes, which only an exact copy keeps.
        for (auto& [name, o] : scene.objects) {
            o.color = {0.3f, Float(0, 1), 0.07f, 0.9f};
            rux::ApplyObjectColor(o);
            if (o.particleSystem) startSystems.insert(o.particleSystem.get());
        }
        scene.MirrorAllToReference();
    }

    // Records the old z order and sets the new one in both levels, as the panel does.
    void SetZ(const std::string& name, int z) {
        rux::Level::Object& o = scene.objects.at(name);
        scene.undo.addMOP(UndoAction::ZOrder, name, o.zOrder);
        o.zOrder = static_cast<std::int8_t>(z);
        reference.objects.at(name).zOrder = o.zOrder;
    }

    void Edit(int i) {
        const std::string name = AnyObject();
        const std::string other = AnyObject(false);
        switch (Int(0, 21)) {
        case 0: {
            const ObjectType kinds[] = {ObjectType::TileMap, ObjectType::Sprite, ObjectType::ParticleSystem,
                                        ObjectType::Text, ObjectType::VertexObject, ObjectType::Camera,
                                        ObjectType::PointLight, ObjectType::DirectionalLight};
            const ObjectType kind = kinds[Int(0, 7)];
            scene.AddObjectNoTextures(scene.getFreeNextObjectName(kind), kind);
            break;
        }
        case 1: {
            const ObjectType kinds[] = {ObjectType::TileMap, ObjectType::Sprite, ObjectType::ParticleSystem};
            const ObjectType kind = kinds[Int(0, 2)];
            scene.AddObject(scene.getFreeNextObjectName(kind), scene.assets.at(Int(0, 1) ? "tex.png" : "other.png"),
                            kind);
            break;
        }
        case 2: scene.SelectObject(name); break;
        case 3: scene.SelectObjectMulti(name); break;
        case 4:
            for (auto* o : scene.getSelectedObjects())
                if (o->transformable) o->transformable->move(Float(-50, 50), Float(-50, 50));
            scene.CommitSelectionChanges({UndoAction::Position});
            break;
        case 5:
            for (auto* o : scene.getSelectedObjects())
                if (o->transformable) {
                    o->transformable->rotate(Float(-400, 400));
                    o->transformable->scale(Float(0.5f, 2), Float(0.5f, 2));
                    o->transformable->setOrigin(Float(-5, 5), Float(-5, 5));
                }
            scene.CommitSelectionChanges();
            break;
        case 6:
            if (!other.empty()) {
                rux::Level::Object& o = scene.objects.at(other);
                o.color = {Float(0, 1), Float(0, 1), Float(0, 1), Float(0, 1)};
                rux::ApplyObjectColor(o);
                scene.undo.findFromDiff(UndoAction::Color, other);
            }
            break;
        case 7:
            if (!other.empty()) {
                scene.objects.at(other).visible = !scene.objects.at(other).visible;
                scene.undo.findFromDiff(UndoAction::Visible, other);
            }
            break;
        case 8:
            if (!other.empty()) SetZ(other, Int(-128, 127));
            break;
        case 9: scene.DeleteSelectedObjects(); break;
        case 10: scene.CopySelectedObjectsToClipboard(); break;
        case 11: scene.PasteObjectsFromClipboardAndSelect(); break;
        case 12: {
            std::vector<std::string> names;
            if (scene.DuplicateSelectedObjects(names)) {
                scene.DeselectAll();
                scene.SelectObjectAuto(names);
            }
            break;
        }
        case 13:
            if (!other.empty()) scene.RenameObject(other, "Renamed" + std::to_string(i));
            break;
        case 14: {
            // Links are not recorded, so only systems made during the run get them.
            std::vector<rux::ParticleSystem*> made, all;
            for (auto& [n, o] : scene.objects)
                if (o.particleSystem) {
                    all.push_back(o.particleSystem.get());
                    if (!startSystems.count(o.particleSystem.get())) made.push_back(o.particleSystem.get());
                }
            if (!made.empty())
                made[static_cast<std::size_t>(Int(0, int(made.size()) - 1))]->eventTargets[static_cast<std::size_t>(
                    Int(0, 2))] = all[static_cast<std::size_t>(Int(0, int(all.size()) - 1))];
            break;
        }
        case 15: {
            const std::string map = OfKind(ObjectType::TileMap);
            if (map.empty()) break;
            scene.DeselectAll();
            scene.SelectObject(map);
            rux::TileMap& tiles = *scene.objects.at(map).tileMap;
            if (Int(0, 3) == 0) {
                tiles.count = {static_cast<unsigned>(Int(1, 9)), static_cast<unsigned>(Int(1, 9))};
                tiles.ResizeBuffer();
            }
            tiles.setTile(static_cast<unsigned>(Int(0, 8)), static_cast<unsigned>(Int(0, 8)),
                          static_cast<std::uint16_t>(Int(0, 30)));
            scene.AddTilemapUndoStep();
            break;
        }
        case 16: {
            const std::string text = OfKind(ObjectType::Text);
            if (text.empty()) break;
            sf::String str;
            for (int k = Int(0, 6); k > 0; --k) str += static_cast<sf::Uint32>(Int(0x20, 0x3000));
            scene.objects.at(text).text->setString(str);
            scene.undo.findFromDiff(UndoAction::TextString, text);
            break;
        }
        case 17: {
            const std::string ps = OfKind(ObjectType::ParticleSystem);
            if (ps.empty()) break;
            rux::ParticleSystem& p = *scene.objects.at(ps).particleSystem;
            p.lifetime = Float(0.1f, 5);
            p.endColor = {Float(0, 1), 0.5f, 0.25f, 1};
            p.spawnPosition = {Float(-9, 9), 3};
            scene.undo.findAllFromDiff(ps);
            break;
        }
        case 18: {
            const std::string light = OfKind(ObjectType::PointLight);
            if (light.empty()) break;
            scene.objects.at(light).pointLight->radius = Float(1, 200);
            scene.undo.findFromDiff(UndoAction::PointRadius, light);
            break;
        }
        case 19:
            if (!other.empty() && !scene.objects.at(other).hitbox) {
                scene.undo.addModify(UndoStepType::ModifyObject, UndoAction::HitboxAdded, other, {});
                for (rux::Level* level : {static_cast<rux::Level*>(&scene), &reference}) {
                    auto& box = level->objects.at(other).hitbox;
                    box = std::make_unique<rux::Hitbox>();
                    box->lines.push_back({{1, 2}, {3, static_cast<float>(i)}});
                }
            }
            break;
        case 20: {
            const std::string sprite = OfKind(ObjectType::Sprite);
            if (sprite.empty()) break;
            rux::Level::Object& o = scene.objects.at(sprite);
            const std::string old = o.texture && o.texture != rux::Level::getMissingTexture() ? o.texture->path.string() : "";
            const rux::Level::AssetObject* next = &scene.assets.at(Int(0, 1) ? "tex.png" : "other.png");
            scene.undo.addModify(UndoStepType::ModifyObject, UndoAction::TextureAsset, sprite, {}, old);
            rux::SetObjectTexture(o, next);
            rux::SetObjectTexture(reference.objects.at(sprite), next);
            break;
        }
        case 21:
            if (!other.empty()) scene.DeleteObject(other);
            break;
        }
    }

    std::unordered_set<const rux::ParticleSystem*> startSystems;
};

TEST_F(RandomEdits, AThousandEditsUndoToTheSameBytes) {
    BuildStart();
    UndoExact exact(scene);
    ErrCapture quiet; // refused renames and the like report on sf::err()
    for (int i = 0; i < 1000; ++i) {
        Edit(i);
        if (i % 100 == 99) {
            ASSERT_TRUE(ReferenceInStep(scene)) << "after edit " << i;
        }
    }
    EXPECT_GT(undo.getUndoStepCount(), 300);
    EXPECT_TRUE(exact.UndoAllAndCompare());
    EXPECT_TRUE(scene.objects.at("Shaded").shader);
}

} // namespace
