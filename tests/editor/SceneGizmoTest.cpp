// The gizmo applied to the scene's selection, and the undo steps its changes leave.
#include "SceneFixture.hpp"

#include "editor/SceneGizmo.hpp"
#include "env/InputEvent.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

using rux_test::SceneTest;
using rux_test::UndoExact;

namespace {
class SceneGizmoTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        InputEvent::Get() = InputEvent();
        gizmo.Start();
        scene.hooks.gizmoTarget = [this](sf::Transformable* t) {
            gizmo.target = t;
            if (!t)
                gizmo.tool = rux::ToolSelect;
        };
    }
    void TearDown() override { InputEvent::Get() = InputEvent(); }

    // One frame: the left button as given, the mouse at `mouse` in world units.
    void Frame(sf::Vector2f mouse, bool held) {
        InputEvent& in = InputEvent::Get();
        in.ClearEdges();
        if (in.mouseHeld[sf::Mouse::Left] && !held)
            in.mouseReleased[sf::Mouse::Left] = true;
        in.mouseHeld[sf::Mouse::Left] = held;
        rux::GizmoFrame frame;
        frame.focused = true;
        frame.mouse = mouse;
        frame.uiMouse = {900, 900};
        frame.grid = {10, 10};
        rux::UpdateSceneGizmo(scene, gizmo, frame, changes);
        rux::CommitGizmoChanges(scene, changes);
    }
    void Press(sf::Keyboard::Key key) {
        InputEvent& in = InputEvent::Get();
        in.ClearEdges();
        in.keyPressed[key] = true;
        rux::GizmoFrame frame;
        frame.focused = true;
        rux::UpdateSceneGizmo(scene, gizmo, frame, changes);
    }

    rux::TransformType gizmo;
    rux::GizmoChanges changes;
};
} // namespace

TEST_F(SceneGizmoTest, ADragMovesEverySelectedObjectAndIsOneUndoStep) {
    rux::Level::Object& a = AddSprite("A", {100, 100});
    rux::Level::Object& b = AddSprite("B", {-50, 0});
    scene.SelectObject("A");
    scene.SelectObjectMulti("B");
    ASSERT_EQ(gizmo.target, b.transformable); // the handles follow the last selected
    UndoExact exact(scene);
    const int base = scene.undo.getUndoStepCount();
    gizmo.tool = rux::ToolMove;

    Frame({-50 + 40, 0}, true);              // press on B's horizontal arrow
    Frame({-50 + 65, 30}, true);              // drag 25 right (and 30 down, ignored)
    EXPECT_EQ(a.transformable->getPosition(), sf::Vector2f(125, 100));
    EXPECT_EQ(b.transformable->getPosition(), sf::Vector2f(-25, 0));
    EXPECT_EQ(scene.undo.getUndoStepCount(), base); // nothing recorded while the button is held
    Frame({-50 + 65, 30}, false);
    EXPECT_EQ(scene.undo.getUndoStepCount(), base + 2); // one group: a position step per object
    Frame({-50 + 65, 30}, false);
    EXPECT_EQ(scene.undo.getUndoStepCount(), base + 2);
    EXPECT_EQ(scene.undo.Undo(scene), 2);
    EXPECT_EQ(a.transformable->getPosition(), sf::Vector2f(100, 100));
    EXPECT_TRUE(exact.UndoAllAndCompare());
}

TEST_F(SceneGizmoTest, RotateAndScaleAreRecordedAndUndoneExactly) {
    rux::Level::Object& a = AddSprite("A", {0, 0});
    scene.SelectObject("A");
    UndoExact exact(scene);
    const int base = scene.undo.getUndoStepCount();
    gizmo.tool = rux::ToolScale;
    Frame({40, 0}, true);
    Frame({45, 0}, true); // 5 units: × 1.5 along x
    Frame({45, 0}, false);
    EXPECT_FLOAT_EQ(a.transformable->getScale().x, 1.5f);
    gizmo.tool = rux::ToolRotate;
    Frame({0, 60}, true);
    Frame({30, 60}, true);
    Frame({30, 60}, false);
    EXPECT_FLOAT_EQ(a.transformable->getRotation(), 30.f);
    EXPECT_EQ(scene.undo.getUndoStepCount(), base + 2);
    EXPECT_TRUE(exact.UndoAllAndCompare());
}

TEST_F(SceneGizmoTest, KeyboardNudgesAreRecordedAtOnce) {
    rux::Level::Object& a = AddSprite("A", {0, 0});
    scene.SelectObject("A");
    UndoExact exact(scene);
    const int base = scene.undo.getUndoStepCount();
    InputEvent& in = InputEvent::Get();

    in.keyHeld[sf::Keyboard::LControl] = true;
    Press(sf::Keyboard::Down);
    EXPECT_EQ(a.transformable->getPosition(), sf::Vector2f(0, 10));
    EXPECT_EQ(scene.undo.getUndoStepCount(), base + 1);
    in.keyHeld[sf::Keyboard::LShift] = true;
    Press(sf::Keyboard::Left);
    EXPECT_EQ(a.transformable->getPosition(), sf::Vector2f(-1, 10));
    in.keyHeld.fill(false);

    in.keyHeld[sf::Keyboard::LAlt] = true;
    Press(sf::Keyboard::Space); // Alt alone
    EXPECT_EQ(scene.undo.getUndoStepCount(), base + 2);
    Press(sf::Keyboard::Right);
    EXPECT_FLOAT_EQ(a.transformable->getRotation(), 45.f);
    EXPECT_EQ(scene.undo.getUndoStepCount(), base + 3);
    in.keyHeld.fill(false);
    EXPECT_TRUE(exact.UndoAllAndCompare());
}

TEST_F(SceneGizmoTest, CamerasAndAssetsGiveTheGizmoNothingToHold) {
    ASSERT_TRUE(scene.AddObjectNoTextures("Cam", rux::ObjectType::Camera));
    scene.SelectObject("Cam");
    EXPECT_EQ(scene.SelectionTransformable(), nullptr);
    scene.SelectAsset("tex.png");
    EXPECT_EQ(scene.SelectionTransformable(), nullptr);
    gizmo.tool = rux::ToolMove;
    Frame({0, 0}, true);
    Frame({10, 10}, true);
    Frame({10, 10}, false);
    EXPECT_EQ(scene.undo.getUndoStepCount(), 1); // only the camera's creation
}
