#include "env/AppSettings.hpp"
#include "env/Global.hpp"
#include "env/InputEvent.hpp"
#include "env/Shortcuts.hpp"

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

#include <vector>

namespace {

using K = sf::Keyboard;
constexpr auto ctrl = Shortcuts::c_ctrl, shift = Shortcuts::c_shift, alt = Shortcuts::c_alt,
               sys = Shortcuts::c_system;

class ShortcutsTest : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        InputEvent::Get() = InputEvent{};
        rux::Global::Get() = rux::Global{};
        for (std::size_t i = 0; i < Shortcuts::c_count; ++i) {
            const auto action = static_cast<ActionShortcut>(i);
            Shortcuts::get().setCode(action, Shortcuts::defaultCode(action));
        }
    }
    // One frame in which `held` are down and `pressed` went down.
    static void frame(std::vector<K::Key> held, std::vector<K::Key> pressed) {
        InputEvent& in = InputEvent::Get();
        in.ClearEdges();
        in.keyHeld.fill(false);
        for (auto key : held)
            in.keyHeld[key] = true;
        for (auto key : pressed)
            in.keyHeld[key] = in.keyPressed[key] = true;
    }
};

TEST_F(ShortcutsTest, Names) {
    const Shortcuts& sc = Shortcuts::get();
    EXPECT_EQ(sc.getName(ActionShortcut::Duplicate), "Ctrl + D");
    EXPECT_EQ(sc.getName(ActionShortcut::AddItem), "Shift + A");
    EXPECT_EQ(sc.getName(ActionShortcut::CenterCamera), "Period");
    EXPECT_EQ(sc.getName(ActionShortcut::ZoomIn), "Ctrl + Equal");
    EXPECT_EQ(Shortcuts::getCodeName(Shortcuts::Pack(K::F5, sys | ctrl | alt | shift)),
              "System + Ctrl + Alt + Shift + F5");
    EXPECT_EQ(Shortcuts::getCodeName(Shortcuts::c_noKey), "");
    EXPECT_EQ(Shortcuts::getCodeName(Shortcuts::c_noKey | ctrl), "Ctrl + ");

    const std::pair<int, const char*> keys[] = {
        {K::A, "A"},      {K::Z, "Z"},          {K::Num0, "0"},   {K::Num9, "9"},      {K::Numpad7, "Numpad7"},
        {K::F15, "F15"},  {K::Escape, "Escape"}, {K::Menu, "Menu"}, {K::Hyphen, "Hyphen"}, {K::Down, "Down"},
        {K::Pause, "Pause"}, {K::Unknown, "?"}, {K::LShift, ""},  {K::RSystem, ""},    {101, ""}};
    for (const auto& [key, name] : keys)
        EXPECT_EQ(Shortcuts::getKeyName(key), name) << key;
}

struct MatchCase {
    const char* name;
    std::uint32_t code;
    std::vector<K::Key> held, pressed;
    bool fires;
};

TEST_F(ShortcutsTest, Matching) {
    const MatchCase cases[] = {
        {"Ctrl + S", ctrl | K::S, {K::LControl}, {K::S}, true},
        {"right Ctrl counts too", ctrl | K::S, {K::RControl}, {K::S}, true},
        {"extra Shift", ctrl | K::S, {K::LControl, K::LShift}, {K::S}, false},
        {"missing Ctrl", ctrl | K::S, {}, {K::S}, false},
        {"plain key while Ctrl held", K::S, {K::LControl}, {K::S}, false},
        {"plain key", K::S, {}, {K::S}, true},
        {"held from an earlier frame", ctrl | K::S, {K::LControl, K::S}, {}, false},
        {"all modifiers", sys | ctrl | alt | shift | K::F5, {K::LSystem, K::RControl, K::LAlt, K::RShift}, {K::F5}, true},
        {"other key", ctrl | K::S, {K::LControl}, {K::D}, false},
        {"cleared", Shortcuts::c_noKey, {}, {K::S}, false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Shortcuts::get().setCode(ActionShortcut::Save, c.code)) << c.name;
        frame(c.held, c.pressed);
        EXPECT_EQ(Shortcuts::get()[ActionShortcut::Save], c.fires) << c.name;
        EXPECT_EQ(Shortcuts(false)[ActionShortcut::Save], c.fires) << c.name << " (through an empty table)";
    }
}

TEST_F(ShortcutsTest, QuietWhileTypingInATextField) {
    frame({K::LControl}, {K::S});
    EXPECT_TRUE(Shortcuts::get()[ActionShortcut::Save]);
    rux::Global::Get().textInputActive = true;
    EXPECT_FALSE(Shortcuts::get()[ActionShortcut::Save]);
}

TEST_F(ShortcutsTest, OwnTableAndRejectedCodes) {
    Shortcuts own(true);
    EXPECT_TRUE(own.setCode(ActionShortcut::Save, K::F2));
    EXPECT_EQ(Shortcuts::get().code(ActionShortcut::Save), Shortcuts::defaultCode(ActionShortcut::Save));

    const std::uint32_t before = own.code(ActionShortcut::Copy);
    EXPECT_FALSE(own.setCode(ActionShortcut::Copy, 200));
    EXPECT_FALSE(own.setCode(ActionShortcut::Copy, ctrl | 0xFFFE));
    EXPECT_EQ(own.code(ActionShortcut::Copy), before);
    EXPECT_TRUE(own.setCode(ActionShortcut::Copy, 0xFF0F0000u | ctrl | K::C));
    EXPECT_EQ(own.code(ActionShortcut::Copy), ctrl | K::C);
    own.clear(ActionShortcut::Copy);
    EXPECT_EQ(own.getName(ActionShortcut::Copy), "");
}

TEST_F(ShortcutsTest, Capture) {
    Shortcuts& sc = Shortcuts::get();
    frame({K::LControl}, {});
    sc.captureShortcut(ActionShortcut::Find);
    EXPECT_EQ(sc.getName(ActionShortcut::Find), "Ctrl + ");
    frame({K::LControl, K::K}, {});
    sc.captureShortcut(ActionShortcut::Find);
    EXPECT_EQ(sc.getName(ActionShortcut::Find), "Ctrl + K");
    frame({K::B, K::M, K::RAlt}, {});
    sc.captureShortcut(ActionShortcut::Find);
    EXPECT_EQ(sc.code(ActionShortcut::Find), alt | K::M);
    frame({}, {});
    sc.captureShortcut(ActionShortcut::Find);
    EXPECT_EQ(sc.getName(ActionShortcut::Find), "");
}

TEST_F(ShortcutsTest, FocusLossLeavesNoModifierStuck) {
    InputEvent& in = InputEvent::Get();
    sf::Event e{};
    e.type = sf::Event::KeyPressed;
    e.key.code = K::LControl;
    in.Process(e);
    e.type = sf::Event::LostFocus;
    in.Process(e);
    e.type = sf::Event::GainedFocus;
    in.Process(e);
    in.ClearEdges();
    e.type = sf::Event::KeyPressed;
    e.key.code = K::V;
    in.Process(e);
    EXPECT_TRUE(Shortcuts::get()[ActionShortcut::ToggleVisibility]);
    EXPECT_FALSE(Shortcuts::get()[ActionShortcut::Paste]);
}

TEST_F(ShortcutsTest, StoredCodesRoundTripThroughSettings) {
    Shortcuts& sc = Shortcuts::get();
    std::vector<std::uint32_t> codes;
    for (std::size_t i = 0; i < Shortcuts::c_count; ++i) {
        const std::uint32_t code = i % 5 == 0 ? Shortcuts::c_noKey
                                              : Shortcuts::Pack(int(i * 4 % 101), (i % 16) << 20);
        ASSERT_TRUE(sc.setCode(static_cast<ActionShortcut>(i), code));
        codes.push_back(code);
    }
    ASSERT_TRUE(rux::AppSettings().Save("sett.json"));
    reset();
    rux::AppSettings().Load("sett.json");
    for (std::size_t i = 0; i < Shortcuts::c_count; ++i)
        EXPECT_EQ(sc.code(static_cast<ActionShortcut>(i)), codes[i]) << i;
}

} // namespace
