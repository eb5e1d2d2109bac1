// The per-frame scene update: tile painting and the panel's tile requests, vertex editing,
// the selected vertex's life, Ctrl-drag and box selection, edit-mode camera and particle events.
#include "SceneFixture.hpp"

#include "editor/TileEdit.hpp"
#include "editor/VertexEdit.hpp"
#include "env/InputEvent.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

using rux::ObjectType;
using rux::UndoAction;
using rux_test::ErrCapture;
using rux_test::SceneTest;
using rux_test::UndoExact;

namespace {

class SceneUpdateTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        InputEvent::Get() = InputEvent();
    }
    void TearDown() override { InputEvent::Get() = InputEvent(); }

    // One frame over a focused, hovered view whose pixels are world units. `held` is the left
    // button; `key` a modifier held during the frame.
    void Frame(sf::Vector2f world, bool held, sf::Keyboard::Key key = sf::Keyboard::Unknown) {
        InputEvent& in = InputEvent::Get();
        in.ClearEdges();
        if (in.mouseHeld[sf::Mouse::Left] && !held) in.mouseReleased[sf::Mouse::Left] = true;
        in.mouseHeld[sf::Mouse::Left] = held;
        in.keyHeld.fill(false);
        if (key != sf::Keyboard::Unknown) in.keyHeld[key] = true;
        rux::SceneInput input;
        input.viewFocused = input.viewHovered = true;
        input.viewRect = {-1000, -1000, 3000, 3000};
        input.mouse = world;
        input.mousePixel = {static_cast<int>(std::lround(world.x)), static_cast<int>(std::lround(world.y))};
        input.grid = {10, 10};
        input.frameTime = sf::milliseconds(16);
        scene.Update(input);
    }
    void Click(sf::Vector2f world, sf::Keyboard::Key key = sf::Keyboard::Unknown) {
        Frame(world, true, key);
        Frame(world, false, key);
    }

    // A 10 × 2 map of 10 × 10 cells, selected, in edit mode.
    rux::TileMap& EditedMap() {
        EXPECT_TRUE(scene.AddObjectNoTextures("Map", ObjectType::TileMap));
        rux::TileMap& map = *scene.objects.at("Map").tileMap;
        map.count = {10, 2};
        map.tileSize = {10, 10};
        map.ResizeBuffer();
        scene.MirrorToReference("Map");
        scene.SelectObject("Map");
        scene.editModeFlag = true;
        return map;
    }

    // Vertices at `points`, selected, in edit mode.
    rux::VertexObject& EditedVertices(const std::vector<sf::Vector2f>& points) {
        EXPECT_TRUE(scene.AddObjectNoTextures("V", ObjectType::VertexObject));
        rux::VertexObject& vo = *scene.objects.at("V").vertexObject;
        vo.vertices.resize(points.size());
        for (std::size_t i = 0; i < points.size(); ++i) vo.vertices[i].position = points[i];
        vo.generateSelectIcons();
        scene.MirrorToReference("V");
        scene.SelectObject("V");
        scene.editModeFlag = true;
        return vo;
    }

    int Steps() const { return undo.getUndoStepCount(); }
    // Edit mode moves the main camera, which the level saves; leaving gives the centre back.
    void LeaveEditMode() {
        scene.editModeFlag = false;
        Frame({5000, 5000}, false);
    }
};

TEST(TileEditTest, CellUnderThePointTruncatesTowardZero) {
    rux::TileMap map;
    map.count = {5, 4};
    map.tileSize = {10, 20};
    map.ResizeBuffer();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        sf::Vector2f local;
        bool hit;
        sf::Vector2u cell;
    } cases[] = {
        {{0, 0}, true, {0, 0}},        {{49.9f, 79.9f}, true, {4, 3}}, {{-5, -10}, true, {0, 0}},
        {{-10, 0}, false, {}},         {{0, -20}, false, {}},          {{50, 0}, false, {}},
        {{0, 80}, false, {}},          {{1e30f, 0}, false, {}},        {{-1e30f, 0}, false, {}},
        {{nan, 0}, false, {}},         {{25, 45}, true, {2, 2}},
    };
    for (const Case& c : cases) {
        const auto cell = rux::TileCellAt(map, c.local);
        EXPECT_EQ(cell.has_value(), c.hit) << c.local.x << "," << c.local.y;
        if (cell && c.hit) {
            EXPECT_EQ(*cell, c.cell) << c.local.x << "," << c.local.y;
        }
    }
    map.tileSize = {0, 20};
    EXPECT_FALSE(rux::TileCellAt(map, {1, 1}));
}

TEST(TileEditTest, ShiftMovesContentOneCellAndClearsTheVacatedLine) {
    using Tiles = std::vector<std::vector<std::uint16_t>>; // column by column
    const Tiles start{{1, 2}, {3, 4}, {5, 6}};
    const struct {
        int direction;
        Tiles expected;
    } cases[] = {
        {1, {{3, 4}, {5, 6}, {0, 0}}}, // left
        {2, {{0, 0}, {1, 2}, {3, 4}}}, // right
        {3, {{2, 0}, {4, 0}, {6, 0}}}, // up
        {4, {{0, 1}, {0, 3}, {0, 5}}}, // down
        {5, start},
    };
    for (const auto& c : cases) {
        rux::TileMap map;
        map.count = {3, 2};
        map.ResizeBuffer();
        map.tiles = start;
        map.flags = 0;
        EXPECT_EQ(rux::ShiftTiles(map, c.direction), c.direction <= 4);
        EXPECT_EQ(map.tiles, c.expected) << "direction " << c.direction;
        EXPECT_EQ((map.flags & rux::TileMap::TexCoords) != 0, c.direction <= 4);
    }
}

TEST(VertexEditTest, ClicksCycleThroughStackedVerticesAndToggleASingleOne) {
    sf::VertexArray v(sf::Points, 4);
    v[3].position = {10, 0}; // 0, 1 and 2 stacked at the origin
    const struct {
        sf::Vector2f click;
        std::int32_t current, expected;
    } cases[] = {
        {{0, 0}, -1, 0}, {{0, 0}, 0, 1}, {{0, 0}, 1, 2}, {{0, 0}, 2, 0}, {{1, 1}, 3, 0},
        {{11, 0}, -1, 3}, {{11, 0}, 3, -1}, {{12.8f, 0}, 0, 3}, {{12.9f, 0}, 3, -1}, {{5, 5}, 0, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rux::NextSelectedVertex(v, c.click, c.current), c.expected)
            << c.click.x << "," << c.click.y << " from " << c.current;
    EXPECT_EQ(rux::NextSelectedVertex(sf::VertexArray(), {0, 0}, -1), -1);
}

TEST(VertexEditTest, SnapRoundsHalvesAwayFromZero) {
    const struct {
        sf::Vector2f point;
        sf::Vector2i grid;
        sf::Vector2f expected;
    } cases[] = {
        {{14.9f, -5}, {10, 10}, {10, -10}},
        {{15, 5}, {10, 10}, {20, 10}},
        {{-14.9f, 26}, {10, 4}, {-10, 28}},
        {{2.5f, -2.5f}, {0, -3}, {3, -3}}, // a grid axis below 1 counts as 1
    };
    for (const auto& c : cases) EXPECT_EQ(rux::SnapToGrid(c.point, c.grid), c.expected);
}

TEST_F(SceneUpdateTest, APaintStrokeIsOneUndoStepAndAClickOnTheSameIdToo) {
    rux::TileMap& map = EditedMap();
    scene.paintTileId = 3;
    UndoExact exact(scene);
    const int base = Steps();
    for (int x = 0; x < 10; ++x) Frame({x * 10.f + 5.f, 5.f}, true);
    EXPECT_EQ(Steps(), base);
    Frame({95, 5}, false);
    EXPECT_EQ(Steps(), base + 1);
    for (unsigned x = 0; x < 10; ++x) EXPECT_EQ(map.tiles[x][0], 3) << x;
    EXPECT_EQ(map.tiles[0][1], 0);

    Click({-4.f, 15.f}); // less than a tile left of the map: the first column
    EXPECT_EQ(map.tiles[0][1], 3);
    EXPECT_EQ(Steps(), base + 2);
    Click({5.f, 5.f}); // already 3
    EXPECT_EQ(Steps(), base + 3);
    Click({-15.f, 5.f}); // outside: nothing painted, nothing recorded
    EXPECT_EQ(Steps(), base + 3);

    scene.editModeFlag = false;
    Click({45.f, 15.f});
    EXPECT_EQ(map.tiles[4][1], 0) << "no painting outside edit mode";
    scene.editModeFlag = true;
    EXPECT_TRUE(exact.UndoAllAndCompare());
}

TEST_F(SceneUpdateTest, TileRequestsOfThePanelAreEachOneUndoStep) {
    rux::TileMap& map = EditedMap();
    UndoExact exact(scene);
    const int base = Steps();
    scene.paintTileId = 7;
    scene.requests.fillTiles = true;
    Frame({500, 500}, false);
    EXPECT_FALSE(scene.requests.fillTiles);
    EXPECT_EQ(map.tiles[9][1], 7);
    map.tiles[2][0] = 1; // as a paint stroke would, recorded:
    scene.AddTilemapUndoStep();
    scene.paintTileId = 9;
    scene.requests.replaceTileId = 7;
    scene.requests.replaceState = 2;
    Frame({500, 500}, false);
    EXPECT_EQ(scene.requests.replaceState, 0);
    EXPECT_EQ(map.tiles[9][1], 9);
    EXPECT_EQ(map.tiles[2][0], 1);
    scene.requests.shiftTiles = 1;
    Frame({500, 500}, false);
    EXPECT_EQ(scene.requests.shiftTiles, 0);
    EXPECT_EQ(map.tiles[1][0], 1);
    EXPECT_EQ(map.tiles[9][0], 0);
    EXPECT_EQ(Steps(), base + 4);
    LeaveEditMode();
    EXPECT_TRUE(exact.UndoAllAndCompare());
}

TEST_F(SceneUpdateTest, DraggingAVertexIsOneStepAndSnappingIsRecordedToo) {
    rux::VertexObject& vo = EditedVertices({{0, 0}, {20, 0}});
    UndoExact exact(scene);
    const int base = Steps();
    Click({21, 1});
    ASSERT_EQ(scene.selectedVertex, 1);
    Frame({21, 1}, true);  // grabs
    Frame({26, 4}, true);  // moves by (5, 3)
    EXPECT_EQ(vo.vertices[1].position, sf::Vector2f(25, 3));
    Frame({26, 4}, false);
    EXPECT_EQ(Steps(), base + 1);
    EXPECT_EQ(scene.selectedVertex, 1) << "the release that ends a drag is no click";
    EXPECT_EQ(reference.objects.at("V").vertexObject->vertices[1].position, sf::Vector2f(25, 3));

    Frame({25, 3}, true, sf::Keyboard::LShift);
    Frame({33, 7}, true, sf::Keyboard::LShift);
    EXPECT_EQ(vo.vertices[1].position, sf::Vector2f(30, 10));
    Frame({33, 7}, false, sf::Keyboard::LShift);
    EXPECT_EQ(Steps(), base + 2);

    Frame({30, 10}, true, sf::Keyboard::LAlt); // other modifiers move nothing
    Frame({40, 10}, true, sf::Keyboard::LAlt);
    Frame({40, 10}, false, sf::Keyboard::LAlt);
    EXPECT_EQ(vo.vertices[1].position, sf::Vector2f(30, 10));
    EXPECT_EQ(Steps(), base + 2);

    Frame({100, 100}, true); // a press away from the selected vertex does not grab it
    Frame({110, 100}, true);
    EXPECT_EQ(vo.vertices[1].position, sf::Vector2f(30, 10));
    Frame({110, 100}, false);
    EXPECT_EQ(scene.selectedVertex, -1) << "a click on nothing clears the vertex selection";
    LeaveEditMode();
    EXPECT_TRUE(exact.UndoAllAndCompare());
}

TEST_F(SceneUpdateTest, CtrlClickAppendsAVertexToTheObjectAndItsTwin) {
    rux::VertexObject& vo = EditedVertices({{0, 0}, {20, 0}});
    UndoExact exact(scene);
    Click({7, 8}, sf::Keyboard::LControl);
    ASSERT_EQ(vo.vertices.getVertexCount(), 3u);
    EXPECT_EQ(vo.vertices[2].position, sf::Vector2f(7, 8));
    EXPECT_EQ(vo.selectIcons.getVertexCount(), 18u);
    EXPECT_EQ(scene.selectedVertex, 2);
    const rux::VertexObject& twin = *reference.objects.at("V").vertexObject;
    ASSERT_EQ(twin.vertices.getVertexCount(), 3u);
    EXPECT_EQ(twin.vertices[2].position, sf::Vector2f(7, 8));
    Frame({7, 8}, true); // dragging it afterwards undoes to where it was added
    Frame({9, 8}, true);
    Frame({9, 8}, false);
    EXPECT_EQ(undo.Undo(scene), 1);
    EXPECT_EQ(vo.vertices[2].position, sf::Vector2f(7, 8));
    EXPECT_EQ(scene.selectedVertex, -1) << "undo lets go of the vertex";
    LeaveEditMode();
    EXPECT_TRUE(exact.UndoAllAndCompare());
    EXPECT_EQ(vo.vertices.getVertexCount(), 2u);
}

TEST_F(SceneUpdateTest, TheSelectedVertexIsLetGoWheneverItMightNoLongerExist) {
    rux::VertexObject& vo = EditedVertices({{0, 0}, {20, 0}, {40, 0}});
    AddSprite("S", {500, 500});
    scene.SelectObject("V");
    const std::vector<std::pair<const char*, std::function<void()>>> cases{
        {"selecting another object", [&] { scene.SelectObject("S"); }},
        {"adding to the selection", [&] { scene.SelectObjectMulti("S"); }},
        {"selecting an asset", [&] { scene.SelectAsset("tex.png"); }},
        {"deselecting", [&] { scene.DeselectAll(); }},
        {"leaving edit mode", [&] { scene.editModeFlag = false; Frame({500, 500}, false); }},
        {"an undo", [&] { undo.addMOP(UndoAction::ZOrder, "S", std::int8_t{0}); undo.Undo(scene); }},
        {"losing vertices", [&] { vo.vertices.resize(2); Frame({500, 500}, false); }},
    };
    for (const auto& [what, action] : cases) {
        vo.vertices.resize(3);
        vo.generateSelectIcons();
        scene.DeselectAll();
        scene.SelectObject("V");
        scene.editModeFlag = true;
        Frame({500, 500}, false);
        scene.SelectVertex(2);
        ASSERT_EQ(scene.selectedVertex, 2) << what;
        action();
        EXPECT_EQ(scene.selectedVertex, -1) << what;
    }
    scene.SelectVertex(3);
    EXPECT_EQ(scene.selectedVertex, -1) << "past the end selects nothing";
}

TEST_F(SceneUpdateTest, OutOfRangeIndicesInUndoStepsAreSkippedWithALine) {
    EditedVertices({{0, 0}, {20, 0}});
    rux::Level::Object& o = scene.objects.at("V");
    o.hitbox = std::make_unique<rux::Hitbox>();
    o.hitbox->lines.push_back({{0, 0}, {5, 5}});
    scene.MirrorToReference("V");
    UndoExact exact(scene);
    auto bytes = [](std::int32_t index, std::size_t rest) {
        std::vector<std::uint8_t> b(4 + rest);
        std::memcpy(b.data(), &index, 4);
        return b;
    };
    const struct {
        UndoAction action;
        std::int32_t index;
        std::size_t rest;
    } cases[] = {
        {UndoAction::Vertex, 2, 20},        {UndoAction::Vertex, -1, 20},      {UndoAction::VertexRemoved, 3, 20},
        {UndoAction::HitLineStart, 1, 8},   {UndoAction::HitLineEnd, -5, 8},   {UndoAction::HitLineRemoved, 2, 16},
    };
    for (const auto& c : cases) {
        undo.addModify(rux::UndoStepType::ModifyObject, c.action, "V", bytes(c.index, c.rest));
        ErrCapture err;
        EXPECT_EQ(undo.Undo(scene), 1);
        EXPECT_NE(err.text().find("out of range"), std::string::npos) << static_cast<int>(c.action) << " " << c.index;
        EXPECT_EQ(o.vertexObject->vertices.getVertexCount(), 2u);
        EXPECT_EQ(o.hitbox->lines.size(), 1u);
    }
    LeaveEditMode();
    EXPECT_TRUE(exact.UndoAllAndCompare());
}

TEST_F(SceneUpdateTest, CtrlDragMovesTheSelectionOnlyWhenItStartsOnIt) {
    rux::Level::Object& a = AddSprite("A", {100, 100}); // 32 × 16
    scene.SelectObject("A");
    UndoExact exact(scene);
    const int base = Steps();
    Frame({110, 105}, false, sf::Keyboard::LControl);
    Frame({110, 105}, true, sf::Keyboard::LControl);
    Frame({130, 115}, true, sf::Keyboard::LControl);
    EXPECT_EQ(a.transformable->getPosition(), sf::Vector2f(120, 110));
    EXPECT_TRUE(scene.draggingSelection);
    Frame({130, 115}, false, sf::Keyboard::LControl);
    EXPECT_FALSE(scene.draggingSelection);
    EXPECT_EQ(Steps(), base + 1);
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"A"}) << "the release of a drag is no click";

    Frame({0, 0}, false, sf::Keyboard::LControl); // outside A: a box instead
    Frame({0, 0}, true, sf::Keyboard::LControl);
    Frame({50, 50}, true, sf::Keyboard::LControl);
    EXPECT_TRUE(scene.boxSelecting);
    EXPECT_EQ(a.transformable->getPosition(), sf::Vector2f(120, 110));
    Frame({300, 300}, true, sf::Keyboard::LControl);
    EXPECT_TRUE(a.hovered);
    Frame({300, 300}, false, sf::Keyboard::LControl);
    EXPECT_FALSE(scene.boxSelecting);
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"A"}) << "Ctrl keeps A; the box found nothing new";
    EXPECT_EQ(Steps(), base + 1);
    EXPECT_TRUE(exact.UndoAllAndCompare());
}

TEST_F(SceneUpdateTest, EditModeCentresTheCameraOnTheMapAndGivesItBack) {
    EditedMap();
    scene.editModeFlag = false;
    Frame({0, 0}, false);
    rux::Camera& camera = *scene.getMainCamera();
    camera.setCenter(123, 45);
    scene.editModeFlag = true;
    Frame({0, 0}, false);
    EXPECT_EQ(camera.getCenter(), sf::Vector2f(50, 10));
    scene.editModeFlag = false;
    Frame({0, 0}, false);
    EXPECT_EQ(camera.getCenter(), sf::Vector2f(123, 45));
}

TEST_F(SceneUpdateTest, ParticleEventsChainAndLeaveTheTargetsSettingsExact) {
    for (const char* name : {"A", "B", "C"}) ASSERT_TRUE(scene.AddObjectNoTextures(name, ObjectType::ParticleSystem));
    rux::ParticleSystem& a = *scene.objects.at("A").particleSystem;
    rux::ParticleSystem& b = *scene.objects.at("B").particleSystem;
    rux::ParticleSystem& c = *scene.objects.at("C").particleSystem;
    a.eventFlags = 4; // creation events
    a.eventTargets[0] = &b;
    a.inheritPosition[0] = a.inheritColor[0] = a.inheritLifetime[0] = true;
    a.startColor = {0.2f, 0.4f, 0.6f, 1.f};
    b.eventFlags = 4;
    b.eventTargets[0] = &c;
    const sf::Glsl::Vec4 bColor{0.3f, 0.3f, 0.3f, 0.3f}; // no byte value times 1/255
    b.startColor = bColor;
    b.spawnPosition = {100, 100};
    b.lifetime = 0.123f;
    for (rux::ParticleSystem* s : {&b, &c}) s->continuousEmission = false; // only events spawn

    Frame({0, 0}, false);
    EXPECT_GT(a.activeParticles, 0);
    EXPECT_EQ(b.activeParticles, a.activeParticles * b.spawnCount);
    EXPECT_EQ(c.activeParticles, b.activeParticles * c.spawnCount) << "B comes after A in the same frame";
    EXPECT_TRUE(rux_test::SameColor(b.startColor, bColor));
    EXPECT_EQ(b.spawnPosition, sf::Vector2f(100, 100));
    EXPECT_EQ(b.lifetime, 0.123f);

    const int before = b.activeParticles;
    scene.updateParticles = false;
    Frame({0, 0}, false);
    EXPECT_EQ(b.activeParticles, before);
    scene.updateParticles = true;
    scene.objects.at("A").visible = false;
    Frame({0, 0}, false);
    EXPECT_EQ(b.activeParticles, before) << "hidden systems rest";

    scene.objects.at("A").visible = true;
    a.eventTargets[0] = &a; // a system that feeds itself still ends its frame
    for (int i = 0; i < 5; ++i) Frame({0, 0}, false);
    EXPECT_LE(a.activeParticles, a.maxParticles);
}

} // namespace
