#include "editor/TransformType.hpp"
#include "env/InputEvent.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <gtest/gtest.h>

#include <cmath>

using namespace rux;

TEST(GizmoDrag, HandlesReadTheMouseMovement) {
    struct Case {
        std::int32_t tool;
        std::int8_t handle;
        sf::Vector2f d;
        sf::Vector2f delta;
        float angle;
        sf::Vector2f factor;
    };
    const Case cases[] = {
        {ToolMove, HandleVertical, {3, 4}, {0, 4}, 0, {1, 1}},
        {ToolMove, HandleHorizontal, {3, 4}, {3, 0}, 0, {1, 1}},
        {ToolMove, HandleCenter, {3, 4}, {3, 4}, 0, {1, 1}},
        {ToolScale, HandleVertical, {5, 10}, {0, 0}, 0, {1, 2}},    // 10 units double the scale
        {ToolScale, HandleHorizontal, {-5, 10}, {0, 0}, 0, {0.5f, 1}},
        {ToolScale, HandleCenter, {10, 0}, {0, 0}, 0, {1.5f, 1.5f}},
        {ToolScale, HandleHorizontal, {-30, 0}, {0, 0}, 0, {0.1f, 1}}, // never zero or mirrored
        {ToolRotate, HandleVertical, {12, 40}, {0, 0}, 12, {1, 1}},
        {ToolSelect, HandleCenter, {3, 4}, {0, 0}, 0, {1, 1}},
    };
    for (const Case& c : cases) {
        const DragRequest r = DragFromMouse(c.tool, c.handle, c.d);
        EXPECT_EQ(r.delta, c.delta) << "tool " << c.tool << " handle " << int(c.handle);
        EXPECT_FLOAT_EQ(r.angle, c.angle);
        EXPECT_FLOAT_EQ(r.factor.x, c.factor.x);
        EXPECT_FLOAT_EQ(r.factor.y, c.factor.y);
    }
}

TEST(GizmoDrag, FreeStepsApplyEverythingAndRefreshTheMouse) {
    GizmoResult result;
    sf::Vector2f last(1, 1);
    ApplyFree({{2.5f, 0}, 30.f, {1.2f, 1}}, result, last, {9, 9});
    EXPECT_TRUE(result.moved && result.rotated && result.scaled);
    EXPECT_EQ(result.moveDelta, sf::Vector2f(2.5f, 0));
    EXPECT_FLOAT_EQ(result.rotation, 30.f * 0.017453292f);
    EXPECT_EQ(result.scaleFactor, sf::Vector2f(1.2f, 1));
    EXPECT_EQ(last, sf::Vector2f(9, 9));

    GizmoResult none;
    ApplyFree({}, none, last, {3, 3});
    EXPECT_FALSE(none.moved || none.rotated || none.scaled);
    EXPECT_EQ(last, sf::Vector2f(3, 3));
}

TEST(GizmoDrag, SnappedMoveTakesWholeCellsAndKeepsTheRest) {
    GizmoResult result;
    sf::Vector2f last(0, 0);
    // 25.3 units with a 10-unit grid: 20 now, 5.3 kept for the next frame.
    ApplySnapped({{25.3f, 0}, 0, {1, 1}}, {10, 10}, result, last, {25.3f, 0});
    EXPECT_TRUE(result.moved);
    EXPECT_EQ(result.moveDelta, sf::Vector2f(20, 0));
    EXPECT_EQ(last, sf::Vector2f(20, 0));
    result.clear();
    ApplySnapped({{10.f, 0}, 0, {1, 1}}, {10, 10}, result, last, {30, 0}); // 5.3 + 4.7
    EXPECT_EQ(result.moveDelta, sf::Vector2f(10, 0));

    struct Case {
        sf::Vector2f delta;
        sf::Vector2i grid;
        sf::Vector2f moved;
    };
    const Case cases[] = {
        {{-25.3f, 9.9f}, {10, 10}, {-20, 0}},
        {{7, -7}, {3, 5}, {6, -5}},
        {{0.5f, 0.5f}, {0, 0}, {0, 0}},      // a cell below 1 counts as 1
        {{1e9f, 0}, {1, 1}, {1e9f, 0}},      // a huge jump costs no loop
    };
    for (const Case& c : cases) {
        GizmoResult r;
        sf::Vector2f l;
        ApplySnapped({c.delta, 0, {1, 1}}, c.grid, r, l, c.delta);
        EXPECT_EQ(r.moveDelta, c.moved);
        EXPECT_EQ(r.moved, c.moved != sf::Vector2f());
        EXPECT_EQ(l, c.moved); // the reference advances only by what was applied
    }
}

TEST(GizmoDrag, SnappedRotationAndScaleNeedAFullStep) {
    struct Case {
        DragRequest request;
        bool rotated;
        float rotationDegrees;
        bool scaled;
        sf::Vector2f factor;
    };
    const Case cases[] = {
        {{{}, 14.f, {1, 1}}, false, 0, false, {1, 1}},
        {{{}, 15.f, {1, 1}}, true, 15, false, {1, 1}},
        {{{}, -40.f, {1, 1}}, true, -15, false, {1, 1}}, // one step per frame
        {{{}, 0, {0.95f, 1}}, false, 0, false, {1, 1}},
        {{{}, 0, {0.9f, 1}}, false, 0, true, {0.9f, 1}},
        {{{}, 0, {1, 1.1f}}, false, 0, true, {1, 1.1f}},
        {{{}, 0, {1.05f, 1.05f}}, false, 0, false, {1, 1}},
    };
    for (const Case& c : cases) {
        GizmoResult r;
        sf::Vector2f last(0, 0);
        ApplySnapped(c.request, {10, 10}, r, last, {7, 7});
        EXPECT_EQ(r.rotated, c.rotated);
        EXPECT_NEAR(r.rotation, c.rotationDegrees * 0.017453292f, 1e-6f);
        EXPECT_EQ(r.scaled, c.scaled);
        EXPECT_FLOAT_EQ(r.scaleFactor.x, c.factor.x);
        EXPECT_FLOAT_EQ(r.scaleFactor.y, c.factor.y);
        // The mouse becomes the reference only when something was applied.
        EXPECT_EQ(last, (c.rotated || c.scaled) ? sf::Vector2f(7, 7) : sf::Vector2f(0, 0));
    }
}

TEST(GizmoNudge, OneDirectionPerFrameAndRotationSteps) {
    struct Case {
        NudgeKeys keys;
        sf::Vector2f move;
        float angle;
    };
    // keys: ctrl, alt, shift, up, down, left, right
    const Case cases[] = {
        {{true, false, false, false, true, false, true}, {0, 10}, 0},   // Right + Down: down only
        {{true, false, true, true, false, true, false}, {0, -1}, 0},    // Up before Left; Shift: 1
        {{true, false, false, false, false, true, false}, {-10, 0}, 0},
        {{true, true, false, false, true, false, false}, {0, 0}, 0},    // Ctrl + Alt: neither
        {{false, true, false, false, false, true, true}, {0, 0}, 45},   // Right before Left
        {{false, true, true, false, false, true, false}, {0, 0}, -15},
        {{false, true, false, false, false, false, false}, {0, 0}, 0},  // Alt alone
        {{false, false, false, true, true, true, true}, {0, 0}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MoveNudge(c.keys), c.move);
        EXPECT_EQ(RotateNudge(c.keys), c.angle);
    }
}

// The whole frame step with the shared input state.
class GizmoUpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        InputEvent::Get() = InputEvent();
        gizmo.Start();
        gizmo.target = &object;
        gizmo.tool = ToolMove;
    }
    void TearDown() override { InputEvent::Get() = InputEvent(); }

    // One frame with the left button as given and the mouse at `mouse` (world = UI here).
    void Frame(sf::Vector2f mouse, bool held, bool focused = true) {
        InputEvent& in = InputEvent::Get();
        in.ClearEdges();
        if (in.mouseHeld[sf::Mouse::Left] && !held)
            in.mouseReleased[sf::Mouse::Left] = true;
        in.mouseHeld[sf::Mouse::Left] = held;
        gizmo.result.clear();
        gizmo.Update(focused, 1.f, mouse, {500, 500}, 1.f, {10, 10});
    }

    TransformType gizmo;
    sf::Transformable object;
};

TEST_F(GizmoUpdateTest, ShiftDragOnTheHorizontalArrowMovesInWholeCells) {
    // At zoom 1 the horizontal arrow covers x 0..60, y -15..15 from the object's position.
    Frame({40, 0}, true);
    ASSERT_EQ(gizmo.activeHandle, HandleHorizontal);
    InputEvent::Get().keyHeld[sf::Keyboard::LShift] = true;
    Frame({65.3f, 3}, true);
    EXPECT_TRUE(gizmo.result.moved);
    EXPECT_EQ(gizmo.result.moveDelta, sf::Vector2f(20, 0));
    Frame({70, 3}, true);
    EXPECT_EQ(gizmo.result.moveDelta, sf::Vector2f(10, 0)); // 5.3 carried + 4.7
    InputEvent::Get().keyHeld[sf::Keyboard::LShift] = false;
    Frame({71, 50}, true);
    EXPECT_EQ(gizmo.result.moveDelta, sf::Vector2f(1, 0)); // free again: x only
    Frame({71, 50}, false);
    EXPECT_EQ(gizmo.activeHandle, -1); // the release frame
    EXPECT_FALSE(gizmo.idle());
    Frame({71, 50}, false);
    EXPECT_EQ(gizmo.activeHandle, -2);
    EXPECT_TRUE(gizmo.idle());
}

TEST_F(GizmoUpdateTest, HandlesAreGrabbedOnlyByAPressOnThem) {
    Frame({200, 200}, true); // press on empty space ...
    Frame({40, 0}, true);    // ... dragged over the arrow: no grab
    EXPECT_LT(gizmo.activeHandle, 0);
    Frame({40, 0}, false);
    Frame({0, 40}, true, false); // not focused: no grab
    EXPECT_LT(gizmo.activeHandle, 0);
    Frame({0, 40}, false);
    Frame({0, 40}, true);
    EXPECT_EQ(gizmo.activeHandle, HandleVertical);
    Frame({0, 52}, true);
    EXPECT_EQ(gizmo.result.moveDelta, sf::Vector2f(0, 12));

    // Rotate: the ring reaches 60 units (+1) from the centre at zoom 1.
    Frame({0, 52}, false);
    gizmo.tool = ToolRotate;
    Frame({0, 61}, true);
    EXPECT_EQ(gizmo.activeHandle, 0);
    Frame({20, 61}, true);
    EXPECT_TRUE(gizmo.result.rotated);
    EXPECT_NEAR(gizmo.result.rotation, 20 * 0.017453292f, 1e-6f);
    EXPECT_FLOAT_EQ(gizmo.rotateRing.getRotation(), 20.f);
}

TEST_F(GizmoUpdateTest, ToolKeysAndButtonsOnlyWhileFocused) {
    InputEvent& in = InputEvent::Get();
    struct Case {
        sf::Keyboard::Key key;
        bool focused;
        sf::Keyboard::Key modifier;
        bool applies;
        std::int32_t tool;
    };
    const Case cases[] = {
        {sf::Keyboard::R, true, sf::Keyboard::Unknown, true, ToolRotate},
        {sf::Keyboard::T, false, sf::Keyboard::Unknown, false, ToolRotate},
        {sf::Keyboard::T, true, sf::Keyboard::LControl, false, ToolRotate},
        {sf::Keyboard::T, true, sf::Keyboard::Unknown, true, ToolScale},
        {sf::Keyboard::Q, true, sf::Keyboard::Unknown, true, ToolSelect},
        {sf::Keyboard::E, true, sf::Keyboard::Unknown, true, ToolMove},
    };
    for (const Case& c : cases) {
        in.ClearEdges();
        if (c.modifier != sf::Keyboard::Unknown)
            in.keyHeld[c.modifier] = true;
        in.keyReleased[c.key] = true;
        gizmo.Update(c.focused, 1.f, {}, {500, 500}, 1.f, {10, 10});
        EXPECT_EQ(gizmo.tool, c.tool) << int(c.key);
        EXPECT_EQ(in.keyReleased[c.key], !c.applies) << "a release that picks a tool is consumed";
        in.keyHeld.fill(false);
    }

    // A click on the third button (rotate) at menu scale 2: buttons at y = 10 + 80 i.
    in.ClearEdges();
    in.mouseReleased[sf::Mouse::Left] = true;
    gizmo.Update(true, 1.f, {}, {20, 10 + 160 + 5}, 2.f, {10, 10});
    EXPECT_EQ(gizmo.tool, ToolRotate);
    EXPECT_FALSE(in.mouseReleased[sf::Mouse::Left]); // consumed
    EXPECT_EQ(gizmo.gizmos.buttons[2].getFillColor(), sf::Color::White);
    EXPECT_EQ(gizmo.gizmos.buttons[1].getFillColor(), sf::Color(175, 175, 175));
}
