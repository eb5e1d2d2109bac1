#include "SceneFixture.hpp"

using rux::ObjectType;
using rux_test::SceneTest;

namespace {

using Names = std::vector<std::string>;

rux::PickInput Click(sf::Vector2f at, bool ctrl = false) {
    rux::PickInput in;
    in.world = at;
    in.release = true;
    in.pressFocused = true;
    in.ctrlOnly = ctrl;
    in.noModifier = !ctrl;
    return in;
}

TEST_F(SceneTest, ClickRules) {
    AddSprite("A", {0, 0});
    AddSprite("B", {100, 0});
    AddSprite("C", {200, 0});
    int shown = 0, cleared = 0;
    std::string lastShown;
    scene.hooks.panelShowObject = [&](rux::Level::Object& o) {
        ++shown;
        for (auto& [n, x] : scene.objects)
            if (&x == &o) lastShown = n;
    };
    scene.hooks.panelDeselect = [&] { ++cleared; };

    // Plain click on the only selected object leaves nothing selected.
    scene.Pick(Click({5, 5}));
    EXPECT_EQ(SelectedNames(), Names{"A"});
    scene.Pick(Click({5, 5}));
    EXPECT_TRUE(scene.selection.empty());
    EXPECT_FALSE(scene.objects.at("A").selected);

    // Ctrl-click adds; Ctrl-click on one of three removes it.
    scene.Pick(Click({5, 5}));
    scene.Pick(Click({105, 5}, true));
    scene.Pick(Click({205, 5}, true));
    EXPECT_EQ(SelectedNames(), (Names{"A", "B", "C"}));
    EXPECT_TRUE(scene.multiSelection);
    scene.Pick(Click({105, 5}, true));
    EXPECT_EQ(SelectedNames(), (Names{"A", "C"}));
    EXPECT_FALSE(scene.objects.at("B").selected);
    scene.Pick(Click({5, 5}, true));
    EXPECT_EQ(SelectedNames(), Names{"C"});
    EXPECT_FALSE(scene.multiSelection);
    EXPECT_EQ(lastShown, "C");

    // Ctrl on empty space keeps the selection, a plain click there clears it.
    scene.Pick(Click({500, 500}, true));
    EXPECT_EQ(SelectedNames(), Names{"C"});
    scene.Pick(Click({500, 500}));
    EXPECT_TRUE(scene.selection.empty());
    EXPECT_EQ(scene.previousSelection, (std::vector<rux::Scene::SelectionEntry>{{"C", ObjectType::Sprite}}));

    // A plain click on another object replaces the selection.
    scene.Pick(Click({5, 5}));
    scene.Pick(Click({105, 5}));
    EXPECT_EQ(SelectedNames(), Names{"B"});
    EXPECT_FALSE(scene.objects.at("A").selected);
}

TEST_F(SceneTest, ReleaseAfterAHandleDragOnlyHighlights) {
    AddSprite("A");
    rux::PickInput in = Click({5, 5});
    in.gizmoIdle = false;
    scene.Pick(in);
    EXPECT_TRUE(scene.selection.empty());
    EXPECT_TRUE(scene.objects.at("A").hovered);
}

TEST_F(SceneTest, EditModePicksNothing) {
    AddSprite("A");
    scene.editModeFlag = true;
    EXPECT_FALSE(scene.Pick(Click({5, 5})));
    EXPECT_TRUE(scene.selection.empty());
}

struct PickCase {
    const char* what;
    std::vector<std::pair<std::string, int>> sprites; // name, z; all at the same place
    std::string expected;
};

TEST_F(SceneTest, PickingOrder) {
    const PickCase cases[] = {
        {"higher z wins", {{"A", 1}, {"B", 5}}, "B"},
        {"equal z: first name", {{"b", 3}, {"B", 3}}, "B"},
        {"top of the z range", {{"A", 126}, {"B", 127}}, "B"},
        {"bottom of the z range alone", {{"A", -128}}, "A"},
        {"bottom loses to anything", {{"A", -128}, {"B", -127}}, "B"},
    };
    for (const auto& c : cases) {
        scene.ResetAll();
        ASSERT_TRUE(scene.AddAsset("tex.png", ObjectType::Texture));
        for (const auto& [name, z] : c.sprites) AddSprite(name, {0, 0}, static_cast<std::int8_t>(z));
        std::string hit;
        ASSERT_NE(scene.ObjectAt({4, 4}, &hit), nullptr) << c.what;
        EXPECT_EQ(hit, c.expected) << c.what;
    }
}

TEST_F(SceneTest, InvisibleObjectsAndCamerasAreNotPicked) {
    AddSprite("A").visible = false;
    ASSERT_TRUE(scene.AddObjectNoTextures("Cam", ObjectType::Camera));
    scene.objects.at("Cam").camera->setCenter(4, 4);
    EXPECT_EQ(scene.ObjectAt({4, 4}), nullptr);
    EXPECT_FALSE(rux::Scene::SelectableInView(ObjectType::Camera));
    for (int k : {0, 3, 4, 5, 7, 10}) EXPECT_FALSE(rux::Scene::SelectableInView(static_cast<ObjectType>(k))) << k;
    for (int k : {1, 2, 6, 8, 9, 11, 12, 13, 40}) EXPECT_TRUE(rux::Scene::SelectableInView(static_cast<ObjectType>(k))) << k;
}

TEST_F(SceneTest, BoxSelection) {
    AddSprite("A", {0, 0});   // 0..32 × 0..16
    AddSprite("B", {100, 0}); // 100..132
    AddSprite("C", {0, 100}, -128);
    auto box = [&](sf::Vector2f from, sf::Vector2f to, bool ctrl = false) {
        scene.BoxSelectBegin(from, 1.f);
        scene.BoxSelectDrag(to, 1.f);
        scene.BoxSelectEnd(ctrl);
        EXPECT_EQ(scene.selectionBox.getOutlineThickness(), 0.f);
        EXPECT_FALSE(scene.boxSelecting);
        auto names = SelectedNames();
        std::sort(names.begin(), names.end());
        return names;
    };
    EXPECT_EQ(box({-10, -10}, {50, 150}), (Names{"A", "C"}));
    EXPECT_EQ(box({50, 150}, {-10, -10}), (Names{"A", "C"})) << "dragged up and left";
    // The outline reaches 3 units beyond the corner: touching B's left edge at 100 is no overlap.
    EXPECT_EQ(box({-10, -10}, {97, 5}), Names{"A"});
    EXPECT_EQ(box({-10, -10}, {97.5f, 5}), (Names{"A", "B"}));
    EXPECT_EQ(box({110, 5}, {120, 5}), Names{"B"}) << "a box of zero height still has its outline";
    // Ctrl adds to what is selected.
    box({-10, -10}, {40, 20});
    EXPECT_EQ(box({90, -10}, {140, 20}, true), (Names{"A", "B"}));
}

TEST_F(SceneTest, BoxThatNeverMovedSelectsNothing) {
    AddSprite("A");
    scene.SelectObject("A");
    scene.BoxSelectBegin({5, 5}, 1.f);
    scene.BoxSelectDrag({5, 5}, 1.f);
    EXPECT_FALSE(scene.boxSelecting);
    scene.BoxSelectEnd(false);
    EXPECT_EQ(SelectedNames(), Names{"A"});
}

TEST_F(SceneTest, SelectingAnAssetAndBack) {
    AddSprite("A");
    scene.SelectObject("A");
    scene.SelectAsset("tex.png");
    EXPECT_EQ(scene.selection, (std::vector<rux::Scene::SelectionEntry>{{"tex.png", ObjectType::Texture}}));
    EXPECT_FALSE(scene.objects.at("A").selected);
    EXPECT_TRUE(scene.getSelectedObjects().empty());
    const auto assetCount = scene.assets.size();
    scene.SelectAsset("no/such.png");
    EXPECT_EQ(scene.assets.size(), assetCount) << "an unknown path adds no asset record";
    scene.DeselectAll();
    EXPECT_FALSE(scene.assets.at("tex.png").selected);
}

TEST_F(SceneTest, BoundingBoxes) {
    ASSERT_TRUE(scene.AddObjectNoTextures("L", ObjectType::PointLight));
    rux::Level::Object& l = scene.objects.at("L");
    l.transformable->setScale(2, 1);
    EXPECT_EQ(rux::Scene::getBB(l), sf::FloatRect(-100, -50, 200, 100));
    ASSERT_TRUE(scene.AddObjectNoTextures("D", ObjectType::DirectionalLight));
    EXPECT_EQ(rux::Scene::getBB(scene.objects.at("D")), sf::FloatRect(0, -25, 50, 50));
    ASSERT_TRUE(scene.AddObjectNoTextures("P", ObjectType::ParticleSystem));
    scene.objects.at("P").particleSystem->spawnRadius = 10;
    EXPECT_EQ(rux::Scene::getBB(scene.objects.at("P")), sf::FloatRect(-17, -17, 34, 34));
    EXPECT_EQ(rux::Scene::getBB(AddSprite("S")), sf::FloatRect(0, 0, 32, 16));
    EXPECT_EQ(rux::Scene::getBB(scene.objects.at(rux::c_mainCameraName)), sf::FloatRect(0, 0, 0, 0));
}

} // namespace
