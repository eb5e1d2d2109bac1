#include "app/ViewControl.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace rux;

namespace {
sf::View MakeView(sf::Vector2f center, sf::Vector2f size) { return sf::View(center, size); }

void ExpectNear(sf::Vector2f a, sf::Vector2f b, float tolerance) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
}
} // namespace

TEST(ViewMousePos, MapsTheRectangleOntoTheViewArea) {
    const sf::FloatRect rect(100, 50, 200, 100);
    const sf::View view = MakeView({10, 20}, {400, 200});
    struct Case {
        sf::Vector2i pointer;
        sf::Vector2f world;
    };
    const Case cases[] = {
        {{100, 50}, {-190, -80}}, // top-left corner of the image
        {{300, 150}, {210, 120}}, // bottom-right
        {{200, 100}, {10, 20}},   // centre
        {{0, 0}, {-390, -180}},   // outside the image still maps linearly
    };
    for (const Case& c : cases)
        ExpectNear(getSFMLViewMousePos(rect, view, c.pointer), c.world, 1e-4f);

    sf::View rotated = view;
    rotated.setRotation(30);
    ExpectNear(getSFMLViewMousePos(rect, rotated, {100, 50}), {-190, -80}, 1e-4f);
    // A collapsed image maps to the view centre instead of dividing by zero.
    const sf::Vector2f flat = getSFMLViewMousePos({100, 50, 0, 0}, view, {120, 70});
    ExpectNear(flat, {10, 20}, 0);
}

TEST(ZoomStep, StopsAtTheLimits) {
    const sf::FloatRect rect(0, 0, 800, 600);
    for (const bool override : {false, true}) {
        sf::View camera = MakeView({0, 0}, {800, 600});
        float zoom = 1.f, before = zoom;
        int steps = 0;
        while (ZoomStep(true, zoom, camera, rect, {400, 300}, true, override) && steps < 1000) {
            EXPECT_GT(before, c_zoomMin);
            before = zoom;
            ++steps;
        }
        EXPECT_LE(zoom, c_zoomMin);
        EXPECT_EQ(steps, 21); // 1.3^-20 = 0.0053 > 0.005, one more step goes below
        ExpectNear(camera.getSize(), {800 * zoom, 600 * zoom}, 1e-4f);
    }

    sf::View camera = MakeView({0, 0}, {800, 600});
    float zoom = 1.f;
    int steps = 0;
    while (ZoomStep(false, zoom, camera, rect, {400, 300}, true, false))
        ++steps;
    EXPECT_GE(zoom, c_zoomMax);
    EXPECT_LT(zoom / c_zoomOutFactor, c_zoomMax);
    EXPECT_EQ(steps, 8);

    // Overridden, zoom goes on until the camera would stop being finite, and no further.
    steps = 0;
    while (ZoomStep(false, zoom, camera, rect, {10, 10}, true, true) && steps < 10000)
        ++steps;
    EXPECT_GT(steps, 100);
    EXPECT_LT(steps, 10000);
    EXPECT_TRUE(std::isfinite(zoom));
    EXPECT_TRUE(std::isfinite(camera.getSize().x) && std::isfinite(camera.getCenter().x));
}

TEST(ZoomStep, KeepsTheWorldPointUnderThePointer) {
    const sf::FloatRect rect(30, 40, 640, 480);
    const sf::Vector2i pointers[] = {{30, 40}, {350, 280}, {669, 519}, {100, 500}};
    for (const sf::Vector2i pointer : pointers) {
        for (const bool in : {true, false}) {
            sf::View camera = MakeView({1234.5f, -250.f}, {640 * 2.f, 480 * 2.f});
            float zoom = 2.f;
            for (int i = 0; i < 5; ++i) {
                const sf::Vector2f before = getSFMLViewMousePos(rect, camera, pointer);
                ASSERT_TRUE(ZoomStep(in, zoom, camera, rect, pointer, true, false));
                ExpectNear(getSFMLViewMousePos(rect, camera, pointer), before, 5e-3f);
            }
        }
    }
    // Without the flag the centre stays.
    sf::View camera = MakeView({5, 5}, {640, 480});
    float zoom = 1.f;
    ASSERT_TRUE(ZoomStep(true, zoom, camera, rect, {30, 40}, false, false));
    EXPECT_EQ(camera.getCenter(), sf::Vector2f(5, 5));
}

TEST(ZoomAnimation, GlidesForATenthOfASecondThenStops) {
    ZoomAnimation animation;
    sf::View camera = MakeView({7, 7}, {1, 1});
    animation.Apply(0.05f, true, camera); // not running: untouched
    EXPECT_EQ(camera.getCenter(), sf::Vector2f(7, 7));

    animation.Begin({{0, 0}, {100, 100}}, {{10, -20}, {200, 300}});
    animation.Apply(0.05f, true, camera);
    const float k = std::pow(0.5f, 0.8f);
    ExpectNear(camera.getCenter(), {10 * k, -20 * k}, 1e-4f);
    ExpectNear(camera.getSize(), {100 + 100 * k, 100 + 200 * k}, 1e-3f);
    EXPECT_TRUE(animation.isRunning());

    animation.Shift({5, 5}); // a pan during the glide moves both ends
    animation.Apply(0.1f, true, camera);
    EXPECT_EQ(camera.getCenter(), sf::Vector2f(15, -15));
    EXPECT_EQ(camera.getSize(), sf::Vector2f(200, 300));
    EXPECT_FALSE(animation.isRunning());

    animation.Begin({{0, 0}, {1, 1}}, {{3, 3}, {2, 2}});
    animation.Apply(0.01f, false, camera); // animation off: straight to the target
    EXPECT_EQ(camera.getCenter(), sf::Vector2f(3, 3));
    EXPECT_FALSE(animation.isRunning());
}

TEST(Panning, OffsetsFollowThePointerKeysAndWheels) {
    EXPECT_EQ(PanOffset(2.f, {10, 10}, {15, 7}), sf::Vector2f(-10, 6));
    EXPECT_EQ(TouchpadOffset(0.5f, 2.f, -1.f), sf::Vector2f(-50, 25));
    struct Case {
        PanKeys keys;
        sf::Vector2f offset;
    };
    const Case cases[] = {
        {{true, false, false, false}, {-60, 0}},
        {{false, true, false, true}, {60, 60}},
        {{true, true, true, false}, {0, -60}},
        {{}, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyPanOffset(2.f, c.keys), c.offset);
}

TEST(Panning, PointerThatLeavesTheImageComesInAtTheOppositeEdge) {
    const sf::IntRect rect(100, 50, 200, 100); // pixels 100..299, 50..149
    struct Case {
        sf::Vector2i pointer;
        bool warped;
        sf::Vector2i out;
    };
    const Case cases[] = {
        {{300, 80}, true, {101, 80}},   // past the right edge -> left
        {{99, 80}, true, {298, 80}},    // past the left edge -> right
        {{150, 49}, true, {150, 148}},  // above -> bottom
        {{150, 150}, true, {150, 51}},  // below -> top
        {{310, 160}, true, {101, 51}},  // a corner wraps both axes
        {{299, 149}, false, {299, 149}},
        {{100, 50}, false, {100, 50}},
    };
    for (const Case& c : cases) {
        sf::Vector2i out = c.pointer;
        EXPECT_EQ(WrapPointer(rect, c.pointer, out), c.warped) << c.pointer.x << "," << c.pointer.y;
        if (c.warped) {
            EXPECT_EQ(out, c.out);
        }
    }
    sf::Vector2i out;
    EXPECT_FALSE(WrapPointer({0, 0, 2, 2}, {5, 5}, out)); // too small to wrap inside
}
