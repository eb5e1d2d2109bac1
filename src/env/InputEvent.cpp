#include "env/InputEvent.hpp"

#include <cstring>

#include <SFML/Window/Event.hpp>

InputEvent& InputEvent::Get() {
    static InputEvent instance;
    return instance;
}

void InputEvent::ClearEdges() {
    keyPressed.fill(false);
    keyReleased.fill(false);
    mouseReleased.fill(false);
    touchEnded.fill(false);
    wheelHorizontal = 0;
    wheelVertical = 0;
    textEntered = 0;
    typed.clear();
}

void InputEvent::Process(const sf::Event& event) {
    switch (event.type) {
    case sf::Event::LostFocus:
        // Keys released while another window has focus never reach us.
        windowFocused = false;
        keyHeld.fill(false);
        mouseHeld.fill(false);
        touchHeld.fill(false);
        break;
    case sf::Event::GainedFocus:
        windowFocused = true;
        break;
    case sf::Event::TextEntered:
        if (typed.empty())
            textEntered = event.text.unicode;
        typed += static_cast<char32_t>(event.text.unicode);
        break;
    case sf::Event::KeyPressed:
    case sf::Event::KeyReleased: {
        // Read as a plain int: a code the enumeration does not know must not reach an index.
        int code = -1;
        std::memcpy(&code, &event.key.code, sizeof code);
        if (isValidKey(code)) {
            const bool down = event.type == sf::Event::KeyPressed;
            keyHeld[code] = down;
            (down ? keyPressed : keyReleased)[code] = true;
        }
        break;
    }
    case sf::Event::MouseWheelScrolled:
        if (event.mouseWheelScroll.wheel == sf::Mouse::VerticalWheel)
            wheelVertical += event.mouseWheelScroll.delta;
        else
            wheelHorizontal += event.mouseWheelScroll.delta;
        break;
    case sf::Event::MouseButtonPressed:
        if (event.mouseButton.button >= 0 && event.mouseButton.button < c_buttonCount)
            mouseHeld[event.mouseButton.button] = true;
        break;
    case sf::Event::MouseButtonReleased:
        if (event.mouseButton.button >= 0 && event.mouseButton.button < c_buttonCount) {
            mouseHeld[event.mouseButton.button] = false;
            mouseReleased[event.mouseButton.button] = true;
        }
        break;
    case sf::Event::MouseMoved:
        mousePosition = {event.mouseMove.x, event.mouseMove.y};
        break;
    case sf::Event::MouseEntered:
        mouseInside = true;
        break;
    case sf::Event::MouseLeft:
        mouseInside = false;
        break;
    case sf::Event::TouchBegan:
        if (event.touch.finger < c_fingerCount) {
            touchHeld[event.touch.finger] = true;
            touchPosition[event.touch.finger] = {event.touch.x, event.touch.y};
        }
        break;
    case sf::Event::TouchMoved:
        if (event.touch.finger < c_fingerCount)
            touchPosition[event.touch.finger] = {event.touch.x, event.touch.y};
        break;
    case sf::Event::TouchEnded:
        if (event.touch.finger < c_fingerCount) {
            touchHeld[event.touch.finger] = false;
            touchEnded[event.touch.finger] = true;
        }
        break;
    default:
        break;
    }
}

namespace {
bool eitherHeld(sf::Keyboard::Key left, sf::Keyboard::Key right) {
    const auto& in = InputEvent::Get();
    return in.keyHeld[left] || in.keyHeld[right];
}
} // namespace

bool InputEvent::isCtrlPressed() { return eitherHeld(sf::Keyboard::LControl, sf::Keyboard::RControl); }
bool InputEvent::isShiftPressed() { return eitherHeld(sf::Keyboard::LShift, sf::Keyboard::RShift); }
bool InputEvent::isAltPressed() { return eitherHeld(sf::Keyboard::LAlt, sf::Keyboard::RAlt); }
bool InputEvent::isSystemPressed() { return eitherHeld(sf::Keyboard::LSystem, sf::Keyboard::RSystem); }

bool InputEvent::onlyCtrlPressed() {
    return isCtrlPressed() && !isShiftPressed() && !isAltPressed() && !isSystemPressed();
}
bool InputEvent::onlyShiftPressed() {
    return isShiftPressed() && !isCtrlPressed() && !isAltPressed() && !isSystemPressed();
}
bool InputEvent::noSpecialPressed() {
    return !isCtrlPressed() && !isShiftPressed() && !isAltPressed() && !isSystemPressed();
}
