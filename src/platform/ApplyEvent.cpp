#include "platform/Platform.hpp"

#include <cfloat>

namespace rux::platform {
namespace {

constexpr int c_mouseButtons = 5;

bool Down(const ImGuiIO& io, sf::Keyboard::Key a, sf::Keyboard::Key b) {
    return io.KeysDown[a] || io.KeysDown[b];
}

// X11 reports the modifier state from before the event, so a modifier's own press or release
// would leave its flag stale; for those keys the held keys decide.
void SetModifiers(ImGuiIO& io, const sf::Event::KeyEvent& key) {
    using K = sf::Keyboard;
    io.KeyCtrl = key.control;
    io.KeyShift = key.shift;
    io.KeyAlt = key.alt;
    io.KeySuper = key.system;
    switch (key.code) {
    case K::LControl: case K::RControl: io.KeyCtrl = Down(io, K::LControl, K::RControl); break;
    case K::LShift: case K::RShift: io.KeyShift = Down(io, K::LShift, K::RShift); break;
    case K::LAlt: case K::RAlt: io.KeyAlt = Down(io, K::LAlt, K::RAlt); break;
    case K::LSystem: case K::RSystem: io.KeySuper = Down(io, K::LSystem, K::RSystem); break;
    default: break;
    }
}

// After latched releases: only the modifiers whose own keys were released change.
void RecomputeModifiers(ImGuiIO& io, const ReleaseLatch& released) {
    using K = sf::Keyboard;
    auto was = [&](K::Key a, K::Key b) { return released.keys.test(a) || released.keys.test(b); };
    if (was(K::LControl, K::RControl)) io.KeyCtrl = Down(io, K::LControl, K::RControl);
    if (was(K::LShift, K::RShift)) io.KeyShift = Down(io, K::LShift, K::RShift);
    if (was(K::LAlt, K::RAlt)) io.KeyAlt = Down(io, K::LAlt, K::RAlt);
    if (was(K::LSystem, K::RSystem)) io.KeySuper = Down(io, K::LSystem, K::RSystem);
}

bool IsTypedCharacter(sf::Uint32 c) {
    if (c < 32 || (c >= 127 && c < 160)) return false;
    if (c >= 0xD800 && c <= 0xDFFF) return false;
    return c <= 0x10FFFF;
}

void SetKey(ImGuiIO& io, const sf::Event::KeyEvent& key, bool down, ReleaseLatch* latch) {
    if (key.code < 0 || key.code >= sf::Keyboard::KeyCount) return;
    if (down) {
        io.KeysDown[key.code] = true;
        if (latch) latch->keys.reset(key.code);
    } else if (latch && io.KeysDown[key.code] && io.KeysDownDuration[key.code] < 0.f) {
        latch->keys.set(key.code);  // ImGui has not seen this press yet
    } else {
        io.KeysDown[key.code] = false;
    }
    SetModifiers(io, key);
}

void SetButton(ImGuiIO& io, int button, bool down, ReleaseLatch* latch) {
    if (button < 0 || button >= c_mouseButtons) return;
    if (down) {
        io.MouseDown[button] = true;
        if (latch) latch->mouse[button] = false;
    } else if (latch && io.MouseDown[button] && io.MouseDownDuration[button] < 0.f) {
        latch->mouse[button] = true;
    } else {
        io.MouseDown[button] = false;
    }
}

void ReleaseAll(ImGuiIO& io, ReleaseLatch* latch) {
    for (bool& k : io.KeysDown) k = false;
    for (bool& b : io.MouseDown) b = false;
    io.KeyCtrl = io.KeyShift = io.KeyAlt = io.KeySuper = false;
    if (latch) *latch = ReleaseLatch{};
}

void Apply(ImGuiIO& io, const sf::Event& event, ReleaseLatch* latch) {
    switch (event.type) {
    case sf::Event::KeyPressed:
    case sf::Event::KeyReleased:
        SetKey(io, event.key, event.type == sf::Event::KeyPressed, latch);
        break;
    case sf::Event::TextEntered:
        if (IsTypedCharacter(event.text.unicode)) io.AddInputCharacter(event.text.unicode);
        break;
    case sf::Event::MouseMoved:
        io.MousePos = ImVec2(float(event.mouseMove.x), float(event.mouseMove.y));
        break;
    case sf::Event::MouseButtonPressed:
    case sf::Event::MouseButtonReleased:
        io.MousePos = ImVec2(float(event.mouseButton.x), float(event.mouseButton.y));
        SetButton(io, event.mouseButton.button, event.type == sf::Event::MouseButtonPressed, latch);
        break;
    case sf::Event::MouseWheelScrolled:
        if (event.mouseWheelScroll.wheel == sf::Mouse::VerticalWheel)
            io.MouseWheel += event.mouseWheelScroll.delta;
        else
            io.MouseWheelH += event.mouseWheelScroll.delta;
        break;
    case sf::Event::MouseLeft:
        io.MousePos = ImVec2(-FLT_MAX, -FLT_MAX);
        break;
    case sf::Event::GainedFocus:
        io.AddFocusEvent(true);
        break;
    case sf::Event::LostFocus:
        io.AddFocusEvent(false);
        ReleaseAll(io, latch);
        break;
    case sf::Event::TouchBegan:
    case sf::Event::TouchMoved:
    case sf::Event::TouchEnded:
        if (event.touch.finger != 0) break;
        io.MousePos = ImVec2(float(event.touch.x), float(event.touch.y));
        if (event.type != sf::Event::TouchMoved) SetButton(io, 0, event.type == sf::Event::TouchBegan, latch);
        break;
    default:
        break;
    }
}

}  // namespace

void ApplyEvent(ImGuiIO& io, const sf::Event& event) { Apply(io, event, nullptr); }

void ApplyEvent(ImGuiIO& io, const sf::Event& event, ReleaseLatch& latch) { Apply(io, event, &latch); }

void ApplyLatchedReleases(ImGuiIO& io, ReleaseLatch& latch) {
    for (int b = 0; b < c_mouseButtons; ++b)
        if (latch.mouse[b]) io.MouseDown[b] = false;
    for (int k = 0; k < sf::Keyboard::KeyCount; ++k)
        if (latch.keys.test(k)) io.KeysDown[k] = false;
    RecomputeModifiers(io, latch);
    latch = ReleaseLatch{};
}

}  // namespace rux::platform
