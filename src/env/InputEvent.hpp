#pragma once
// Keyboard, mouse and touch state collected from window events, with per-frame edges.
// Key codes are sf::Keyboard::Key values 0..100.
#include <SFML/System/Vector2.hpp>

#include <array>
#include <cstdint>
#include <string>

namespace sf { class Event; }

class InputEvent {
public:
    static constexpr int c_keyCount = 101;
    static constexpr int c_buttonCount = 5;
    static constexpr int c_fingerCount = 5;

    std::array<bool, c_keyCount> keyHeld{};
    std::array<bool, c_keyCount> keyPressed{};  // went down this frame
    std::array<bool, c_keyCount> keyReleased{}; // went up this frame
    std::array<bool, c_buttonCount> mouseHeld{};
    // Went up this frame; a consumer that handles the release may clear it.
    std::array<bool, c_buttonCount> mouseReleased{};
    std::array<bool, c_fingerCount> touchHeld{};
    std::array<bool, c_fingerCount> touchEnded{};
    std::array<sf::Vector2i, c_fingerCount> touchPosition{};
    // Summed over the frame.
    float wheelHorizontal = 0;
    float wheelVertical = 0;
    bool windowFocused = true;
    bool mouseInside = false;
    sf::Vector2i mousePosition;
    // First code point typed this frame, 0 if none; typed holds all of them in order.
    std::uint32_t textEntered = 0;
    std::u32string typed;

    static InputEvent& Get();

    // Start of every frame: drop the edges of the previous one.
    void ClearEdges();
    void Process(const sf::Event& event);

    // Modifier queries on the shared state.
    static bool isCtrlPressed();
    static bool isShiftPressed();
    static bool isAltPressed();
    static bool isSystemPressed();
    static bool onlyCtrlPressed();
    static bool onlyShiftPressed();
    static bool noSpecialPressed();

    static bool isValidKey(int key) { return key >= 0 && key < c_keyCount; }
    bool held(int key) const { return isValidKey(key) && keyHeld[key]; }
    bool pressed(int key) const { return isValidKey(key) && keyPressed[key]; }
    bool released(int key) const { return isValidKey(key) && keyReleased[key]; }
};
