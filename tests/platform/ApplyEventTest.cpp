#include "platform/Platform.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <string>
#include <vector>

using rux::platform::ApplyEvent;
using rux::platform::ApplyLatchedReleases;
using rux::platform::ReleaseLatch;
using K = sf::Keyboard;

namespace {

sf::Event Key(sf::Event::EventType type, K::Key code, bool ctrl = false, bool shift = false, bool alt = false,
              bool sys = false) {
    sf::Event e{};
    e.type = type;
    e.key = {code, alt, ctrl, shift, sys};
    return e;
}
sf::Event Press(K::Key code, bool ctrl = false) { return Key(sf::Event::KeyPressed, code, ctrl); }
sf::Event Release(K::Key code, bool ctrl = false) { return Key(sf::Event::KeyReleased, code, ctrl); }

sf::Event Text(sf::Uint32 c) {
    sf::Event e{};
    e.type = sf::Event::TextEntered;
    e.text.unicode = c;
    return e;
}
sf::Event Moved(int x, int y) {
    sf::Event e{};
    e.type = sf::Event::MouseMoved;
    e.mouseMove = {x, y};
    return e;
}
sf::Event Button(sf::Event::EventType type, sf::Mouse::Button b, int x = 0, int y = 0) {
    sf::Event e{};
    e.type = type;
    e.mouseButton = {b, x, y};
    return e;
}
sf::Event Down(sf::Mouse::Button b, int x = 0, int y = 0) { return Button(sf::Event::MouseButtonPressed, b, x, y); }
sf::Event Up(sf::Mouse::Button b, int x = 0, int y = 0) { return Button(sf::Event::MouseButtonReleased, b, x, y); }
sf::Event Wheel(sf::Mouse::Wheel w, float delta) {
    sf::Event e{};
    e.type = sf::Event::MouseWheelScrolled;
    e.mouseWheelScroll = {w, delta, 0, 0};
    return e;
}
sf::Event Plain(sf::Event::EventType type) {
    sf::Event e{};
    e.type = type;
    return e;
}
sf::Event Touch(sf::Event::EventType type, unsigned finger, int x, int y) {
    sf::Event e{};
    e.type = type;
    e.touch = {finger, x, y};
    return e;
}

class PlatformEvents : public ::testing::Test {
protected:
    void SetUp() override {
        ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr;
        io.DisplaySize = ImVec2(400, 300);
        io.DeltaTime = 1.f / 60.f;
        unsigned char* pixels;
        int w, h;
        io.Fonts->GetTexDataAsRGBA32(&pixels, &w, &h);
    }
    void TearDown() override { ImGui::DestroyContext(); }
    ImGuiIO& io() { return ImGui::GetIO(); }
    void Feed(const std::vector<sf::Event>& events) {
        for (const sf::Event& e : events) ApplyEvent(io(), e);
    }
    std::u16string Queue() { return std::u16string(io().InputQueueCharacters.begin(), io().InputQueueCharacters.end()); }
};

struct Case {
    const char* name;
    std::vector<sf::Event> events;
    std::function<void(const ImGuiIO&)> expect;
};

TEST_F(PlatformEvents, EventsSetIoFields) {
    const Case cases[] = {
        {"key press", {Press(K::A)},
         [](const ImGuiIO& io) {
             EXPECT_TRUE(io.KeysDown[K::A]);
             EXPECT_FALSE(io.KeyCtrl || io.KeyShift || io.KeyAlt || io.KeySuper);
         }},
        {"key with ctrl held", {Press(K::C, true)},
         [](const ImGuiIO& io) { EXPECT_TRUE(io.KeysDown[K::C] && io.KeyCtrl); }},
        {"all modifier flags", {Key(sf::Event::KeyPressed, K::F1, true, true, true, true)},
         [](const ImGuiIO& io) { EXPECT_TRUE(io.KeyCtrl && io.KeyShift && io.KeyAlt && io.KeySuper); }},
        // X11 reports the state before the event: the modifier's own press says "not held".
        {"ctrl press reported without ctrl", {Press(K::LControl, false)},
         [](const ImGuiIO& io) { EXPECT_TRUE(io.KeyCtrl); }},
        {"shift, alt, system presses",
         {Key(sf::Event::KeyPressed, K::RShift), Key(sf::Event::KeyPressed, K::LAlt, false, true),
          Key(sf::Event::KeyPressed, K::RSystem, false, true, true)},
         [](const ImGuiIO& io) { EXPECT_TRUE(io.KeyShift && io.KeyAlt && io.KeySuper); }},
        {"ctrl release reported with ctrl", {Press(K::LControl), Release(K::LControl, true)},
         [](const ImGuiIO& io) {
             EXPECT_FALSE(io.KeyCtrl);
             EXPECT_FALSE(io.KeysDown[K::LControl]);
         }},
        {"one ctrl of two released", {Press(K::LControl), Press(K::RControl, true), Release(K::LControl, true)},
         [](const ImGuiIO& io) { EXPECT_TRUE(io.KeyCtrl); }},
        {"key release", {Press(K::Backspace), Release(K::Backspace)},
         [](const ImGuiIO& io) { EXPECT_FALSE(io.KeysDown[K::Backspace]); }},
        {"unknown key ignored", {Press(K::Unknown)},
         [](const ImGuiIO& io) {
             for (bool k : io.KeysDown) EXPECT_FALSE(k);
         }},
        {"mouse move", {Moved(12, 34)},
         [](const ImGuiIO& io) { EXPECT_EQ(io.MousePos.x, 12.f); EXPECT_EQ(io.MousePos.y, 34.f); }},
        {"right button with position", {Down(sf::Mouse::Right, 5, 6)},
         [](const ImGuiIO& io) {
             EXPECT_TRUE(io.MouseDown[1]);
             EXPECT_FALSE(io.MouseDown[0]);
             EXPECT_EQ(io.MousePos.x, 5.f);
             EXPECT_EQ(io.MousePos.y, 6.f);
         }},
        {"middle and extra buttons", {Down(sf::Mouse::Middle), Down(sf::Mouse::XButton1), Down(sf::Mouse::XButton2)},
         [](const ImGuiIO& io) { EXPECT_TRUE(io.MouseDown[2] && io.MouseDown[3] && io.MouseDown[4]); }},
        {"button release", {Down(sf::Mouse::Left), Up(sf::Mouse::Left)},
         [](const ImGuiIO& io) { EXPECT_FALSE(io.MouseDown[0]); }},
        {"vertical wheel accumulates", {Wheel(sf::Mouse::VerticalWheel, 1.f), Wheel(sf::Mouse::VerticalWheel, 2.5f)},
         [](const ImGuiIO& io) {
             EXPECT_FLOAT_EQ(io.MouseWheel, 3.5f);
             EXPECT_EQ(io.MouseWheelH, 0.f);
         }},
        {"horizontal wheel accumulates",
         {Wheel(sf::Mouse::HorizontalWheel, -1.f), Wheel(sf::Mouse::HorizontalWheel, -0.5f)},
         [](const ImGuiIO& io) {
             EXPECT_FLOAT_EQ(io.MouseWheelH, -1.5f);
             EXPECT_EQ(io.MouseWheel, 0.f);
         }},
        {"deprecated wheel event ignored", {Plain(sf::Event::MouseWheelMoved)},
         [](const ImGuiIO& io) { EXPECT_EQ(io.MouseWheel, 0.f); }},
        {"mouse left", {Moved(3, 4), Plain(sf::Event::MouseLeft)},
         [](const ImGuiIO& io) { EXPECT_EQ(io.MousePos.x, -FLT_MAX); EXPECT_EQ(io.MousePos.y, -FLT_MAX); }},
        {"focus lost releases everything",
         {Press(K::LControl), Press(K::S, true), Down(sf::Mouse::Left), Down(sf::Mouse::Right), Plain(sf::Event::LostFocus)},
         [](const ImGuiIO& io) {
             EXPECT_TRUE(io.AppFocusLost);
             EXPECT_FALSE(io.KeysDown[K::LControl] || io.KeysDown[K::S] || io.KeyCtrl);
             EXPECT_FALSE(io.MouseDown[0] || io.MouseDown[1]);
         }},
        {"focus regained", {Plain(sf::Event::LostFocus), Plain(sf::Event::GainedFocus)},
         [](const ImGuiIO& io) { EXPECT_FALSE(io.AppFocusLost); }},
        {"first finger is the left button", {Touch(sf::Event::TouchBegan, 0, 7, 8)},
         [](const ImGuiIO& io) {
             EXPECT_TRUE(io.MouseDown[0]);
             EXPECT_EQ(io.MousePos.x, 7.f);
         }},
        {"finger lifted", {Touch(sf::Event::TouchBegan, 0, 7, 8), Touch(sf::Event::TouchMoved, 0, 9, 9),
                           Touch(sf::Event::TouchEnded, 0, 9, 9)},
         [](const ImGuiIO& io) {
             EXPECT_FALSE(io.MouseDown[0]);
             EXPECT_EQ(io.MousePos.x, 9.f);
         }},
        {"other fingers ignored", {Touch(sf::Event::TouchBegan, 1, 7, 8)},
         [](const ImGuiIO& io) { EXPECT_FALSE(io.MouseDown[0]); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImGui::DestroyContext();
        SetUp();
        Feed(c.events);
        c.expect(io());
    }
}

TEST_F(PlatformEvents, TypedCharactersQueueButControlCharactersDoNot) {
    Feed({Text('H'), Text(8), Text('i'), Text('\r'), Text('\t'), Text(27), Text(127), Text(0x85), Text(0xFC),
          Text(0x20AC), Text(0xD800), Text(0x110000)});
    EXPECT_EQ(Queue(), u"Hi\u00FC\u20AC");
    // Beyond the 16-bit ImWchar of this build ImGui stores the replacement character.
    Feed({Text(0x1F600)});
    EXPECT_EQ(Queue().back(), u'\uFFFD');
}

// A press and release within one frame must still reach ImGui as a click.
TEST_F(PlatformEvents, ReleaseInTheFrameOfThePressIsLatched) {
    ReleaseLatch latch;
    auto frame = [&](const std::vector<sf::Event>& events) {
        for (const sf::Event& e : events) ApplyEvent(io(), e, latch);
        ImGui::NewFrame();
        ApplyLatchedReleases(io(), latch);
    };
    frame({Down(sf::Mouse::Left), Up(sf::Mouse::Left), Press(K::LControl), Press(K::Z, true), Release(K::Z, true),
           Release(K::LControl, true)});
    EXPECT_TRUE(ImGui::IsMouseClicked(0));
    EXPECT_TRUE(ImGui::IsKeyPressed(K::Z));
    EXPECT_TRUE(io().KeyMods & ImGuiKeyModFlags_Ctrl);  // what this frame saw
    EXPECT_FALSE(io().MouseDown[0]);
    EXPECT_FALSE(io().KeysDown[K::Z]);
    EXPECT_FALSE(io().KeyCtrl);
    ImGui::EndFrame();
    frame({});
    EXPECT_TRUE(ImGui::IsMouseReleased(0));
    ImGui::EndFrame();

    // Once ImGui has seen the press, the release applies at once.
    frame({Down(sf::Mouse::Right)});
    ImGui::EndFrame();
    ApplyEvent(io(), Up(sf::Mouse::Right), latch);
    EXPECT_FALSE(io().MouseDown[1]);
    EXPECT_FALSE(latch.mouse[1]);
}

TEST_F(PlatformEvents, FastClickPressesButton) {
    ReleaseLatch latch;
    bool clicked = false;
    auto frame = [&](const std::vector<sf::Event>& events) {
        for (const sf::Event& e : events) ApplyEvent(io(), e, latch);
        ImGui::NewFrame();
        ApplyLatchedReleases(io(), latch);
        ImGui::SetNextWindowPos(ImVec2(0, 0));
        ImGui::SetNextWindowSize(ImVec2(200, 100));
        ImGui::Begin("w", nullptr, ImGuiWindowFlags_NoDecoration);
        ImGui::SetCursorPos(ImVec2(10, 10));
        clicked |= ImGui::Button("Press", ImVec2(80, 30));
        ImGui::End();
        ImGui::Render();
    };
    frame({Moved(40, 20)});
    frame({Down(sf::Mouse::Left, 40, 20), Up(sf::Mouse::Left, 40, 20)});
    frame({});
    EXPECT_TRUE(clicked);
}

}  // namespace
