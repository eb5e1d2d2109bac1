#include "env/InputEvent.hpp"

#include <SFML/Window/Event.hpp>
#include <gtest/gtest.h>

#include <cstring>

namespace {

using K = sf::Keyboard;

sf::Event keyEvent(sf::Event::EventType type, K::Key key) {
    sf::Event e{};
    e.type = type;
    e.key.code = key;
    return e;
}
sf::Event text(sf::Uint32 codePoint) {
    sf::Event e{};
    e.type = sf::Event::TextEntered;
    e.text.unicode = codePoint;
    return e;
}
sf::Event simple(sf::Event::EventType type) {
    sf::Event e{};
    e.type = type;
    return e;
}
sf::Event wheel(sf::Mouse::Wheel which, float delta) {
    sf::Event e{};
    e.type = sf::Event::MouseWheelScrolled;
    e.mouseWheelScroll.wheel = which;
    e.mouseWheelScroll.delta = delta;
    return e;
}
sf::Event button(sf::Event::EventType type, sf::Mouse::Button b) {
    sf::Event e{};
    e.type = type;
    e.mouseButton.button = b;
    return e;
}
sf::Event touch(sf::Event::EventType type, unsigned finger, int x, int y) {
    sf::Event e{};
    e.type = type;
    e.touch.finger = finger;
    e.touch.x = x;
    e.touch.y = y;
    return e;
}

TEST(InputEvent, EdgesLastOneFrame) {
    InputEvent in;
    in.ClearEdges();
    in.Process(keyEvent(sf::Event::KeyPressed, K::S));
    in.Process(button(sf::Event::MouseButtonPressed, sf::Mouse::Right));
    EXPECT_TRUE(in.keyHeld[K::S]);
    EXPECT_TRUE(in.keyPressed[K::S]);

    in.ClearEdges(); // next frame: still held, no longer "pressed"
    EXPECT_TRUE(in.keyHeld[K::S]);
    EXPECT_FALSE(in.keyPressed[K::S]);
    in.Process(keyEvent(sf::Event::KeyReleased, K::S));
    in.Process(button(sf::Event::MouseButtonReleased, sf::Mouse::Right));
    EXPECT_FALSE(in.keyHeld[K::S]);
    EXPECT_TRUE(in.keyReleased[K::S]);
    EXPECT_FALSE(in.mouseHeld[sf::Mouse::Right]);
    EXPECT_TRUE(in.mouseReleased[sf::Mouse::Right]);

    in.ClearEdges();
    EXPECT_FALSE(in.keyReleased[K::S]);
    EXPECT_FALSE(in.mouseReleased[sf::Mouse::Right]);
}

TEST(InputEvent, FocusLossReleasesEverything) {
    InputEvent in;
    in.Process(keyEvent(sf::Event::KeyPressed, K::LControl));
    in.Process(button(sf::Event::MouseButtonPressed, sf::Mouse::Left));
    in.Process(touch(sf::Event::TouchBegan, 1, 5, 6));
    in.Process(simple(sf::Event::LostFocus));
    EXPECT_FALSE(in.windowFocused);
    EXPECT_FALSE(in.keyHeld[K::LControl]);
    EXPECT_FALSE(in.mouseHeld[sf::Mouse::Left]);
    EXPECT_FALSE(in.touchHeld[1]);
    in.Process(simple(sf::Event::GainedFocus));
    EXPECT_TRUE(in.windowFocused);
    EXPECT_FALSE(in.keyHeld[K::LControl]);
}

TEST(InputEvent, TypedTextAndWheelAccumulateWithinAFrame) {
    InputEvent in;
    in.ClearEdges();
    for (sf::Uint32 c : {U'a', U'ß', U'😀'})
        in.Process(text(c));
    in.Process(wheel(sf::Mouse::VerticalWheel, 1.f));
    in.Process(wheel(sf::Mouse::VerticalWheel, 2.5f));
    in.Process(wheel(sf::Mouse::HorizontalWheel, -1.f));
    EXPECT_EQ(in.textEntered, U'a');
    EXPECT_EQ(in.typed, U"aß😀");
    EXPECT_FLOAT_EQ(in.wheelVertical, 3.5f);
    EXPECT_FLOAT_EQ(in.wheelHorizontal, -1.f);
    in.ClearEdges();
    EXPECT_EQ(in.textEntered, 0u);
    EXPECT_TRUE(in.typed.empty());
    EXPECT_EQ(in.wheelVertical, 0.f);
}

TEST(InputEvent, PointerTouchAndOutOfRangeCodes) {
    InputEvent in;
    in.Process(keyEvent(sf::Event::KeyPressed, K::Unknown));
    sf::Event outOfRange = keyEvent(sf::Event::KeyPressed, K::A);
    const int code = 500;  // written as bytes: no such enumerator exists
    std::memcpy(&outOfRange.key.code, &code, sizeof code);
    in.Process(outOfRange);
    for (bool held : in.keyHeld)
        EXPECT_FALSE(held);

    sf::Event moved{};
    moved.type = sf::Event::MouseMoved;
    moved.mouseMove = {12, -3};
    in.Process(moved);
    in.Process(simple(sf::Event::MouseEntered));
    EXPECT_EQ(in.mousePosition, sf::Vector2i(12, -3));
    EXPECT_TRUE(in.mouseInside);
    in.Process(simple(sf::Event::MouseLeft));
    EXPECT_FALSE(in.mouseInside);

    in.Process(touch(sf::Event::TouchBegan, 2, 10, 20));
    in.Process(touch(sf::Event::TouchMoved, 2, 11, 21));
    in.Process(touch(sf::Event::TouchBegan, 9, 1, 1)); // only fingers 0..4 are tracked
    EXPECT_TRUE(in.touchHeld[2]);
    EXPECT_EQ(in.touchPosition[2], sf::Vector2i(11, 21));
    in.Process(touch(sf::Event::TouchEnded, 2, 11, 21));
    EXPECT_FALSE(in.touchHeld[2]);
    EXPECT_TRUE(in.touchEnded[2]);
}

struct ModifierCase {
    std::vector<K::Key> held;
    bool ctrl, shift, alt, system, onlyCtrl, onlyShift, none;
};

TEST(InputEvent, ModifierQueries) {
    const ModifierCase cases[] = {
        {{}, false, false, false, false, false, false, true},
        {{K::LControl}, true, false, false, false, true, false, false},
        {{K::RControl}, true, false, false, false, true, false, false},
        {{K::RShift}, false, true, false, false, false, true, false},
        {{K::LControl, K::LShift}, true, true, false, false, false, false, false},
        {{K::RAlt}, false, false, true, false, false, false, false},
        {{K::LSystem, K::LShift}, false, true, false, true, false, false, false},
        {{K::A}, false, false, false, false, false, false, true},
    };
    InputEvent& in = InputEvent::Get();
    for (const auto& c : cases) {
        in.keyHeld.fill(false);
        for (auto key : c.held)
            in.keyHeld[key] = true;
        EXPECT_EQ(InputEvent::isCtrlPressed(), c.ctrl);
        EXPECT_EQ(InputEvent::isShiftPressed(), c.shift);
        EXPECT_EQ(InputEvent::isAltPressed(), c.alt);
        EXPECT_EQ(InputEvent::isSystemPressed(), c.system);
        EXPECT_EQ(InputEvent::onlyCtrlPressed(), c.onlyCtrl);
        EXPECT_EQ(InputEvent::onlyShiftPressed(), c.onlyShift);
        EXPECT_EQ(InputEvent::noSpecialPressed(), c.none);
    }
    in.keyHeld.fill(false);
}

} // namespace
