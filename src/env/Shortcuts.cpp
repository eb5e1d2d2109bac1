#include "env/Shortcuts.hpp"

#include "env/Global.hpp"
#include "env/InputEvent.hpp"

#include <SFML/Window/Keyboard.hpp>

namespace {

using K = sf::Keyboard;
constexpr auto ctrl = Shortcuts::c_ctrl;

constexpr std::array<std::uint32_t, Shortcuts::c_count> c_defaults{
    Shortcuts::Pack(K::Period),          Shortcuts::Pack(K::F),
    Shortcuts::Pack(K::G),               Shortcuts::Pack(K::H),
    Shortcuts::Pack(K::D, ctrl),         Shortcuts::Pack(K::Delete, ctrl),
    Shortcuts::Pack(K::N, ctrl),         Shortcuts::Pack(K::S, ctrl),
    Shortcuts::Pack(K::F10),             Shortcuts::Pack(K::A, Shortcuts::c_shift),
    Shortcuts::Pack(K::F11),             Shortcuts::Pack(K::V),
    Shortcuts::Pack(K::F1),              Shortcuts::Pack(K::Z, ctrl),
    Shortcuts::Pack(K::F, ctrl),         Shortcuts::Pack(K::C, ctrl),
    Shortcuts::Pack(K::V, ctrl),         Shortcuts::Pack(K::A, ctrl),
    Shortcuts::Pack(K::Equal, ctrl),     Shortcuts::Pack(K::Hyphen, ctrl),
    Shortcuts::Pack(K::X, ctrl),         Shortcuts::Pack(K::H, ctrl),
};

// Names of the keys 36..74; the modifier keys 37..44 have none.
constexpr std::array<const char*, 39> c_keyNames{
    "Escape", "", "", "", "", "", "", "", "", "Menu", "LBracket", "RBracket", "Semicolon",
    "Comma", "Period", "Apostrophe", "Slash", "Backslash", "Grave", "Equal", "Hyphen", "Space",
    "Enter", "Backspace", "Tab", "PageUp", "PageDown", "End", "Home", "Insert", "Delete",
    "Add", "Subtract", "Multiply", "Divide", "Left", "Right", "Up", "Down",
};

bool isModifierKey(int key) { return key >= K::LControl && key <= K::RSystem; }

std::uint32_t heldModifiers() {
    std::uint32_t bits = 0;
    if (InputEvent::isSystemPressed()) bits |= Shortcuts::c_system;
    if (InputEvent::isCtrlPressed()) bits |= Shortcuts::c_ctrl;
    if (InputEvent::isAltPressed()) bits |= Shortcuts::c_alt;
    if (InputEvent::isShiftPressed()) bits |= Shortcuts::c_shift;
    return bits;
}

} // namespace

Shortcuts& Shortcuts::get() {
    static Shortcuts instance(true);
    return instance;
}

Shortcuts::Shortcuts(bool fill) : filled(fill) {
    codes.fill(c_noKey);
    if (fill)
        codes = c_defaults;
}

std::array<std::uint32_t, Shortcuts::c_count>& Shortcuts::table() { return filled ? codes : get().codes; }
const std::array<std::uint32_t, Shortcuts::c_count>& Shortcuts::table() const {
    return filled ? codes : get().codes;
}

bool Shortcuts::operator[](ActionShortcut action) const {
    const auto index = static_cast<std::size_t>(action);
    if (index >= c_count || rux::Global::Get().textInputActive)
        return false;
    const std::uint32_t code = table()[index];
    const int key = static_cast<int>(code & c_keyMask);
    if (!InputEvent::isValidKey(key))
        return false;
    if ((code & c_modifierMask) != heldModifiers())
        return false;
    return InputEvent::Get().keyPressed[key];
}

std::string Shortcuts::getName(ActionShortcut action) const { return getCodeName(code(action)); }

std::string Shortcuts::getCodeName(std::uint32_t code) {
    std::string name;
    if (code & c_system) name += "System + ";
    if (code & c_ctrl) name += "Ctrl + ";
    if (code & c_alt) name += "Alt + ";
    if (code & c_shift) name += "Shift + ";
    const std::uint32_t key = code & c_keyMask;
    if (key != c_noKey)
        name += getKeyName(static_cast<int>(key));
    return name;
}

std::string Shortcuts::getKeyName(int key) {
    if (key == K::Unknown)
        return "?";
    if (key >= K::A && key <= K::Z)
        return std::string(1, char('A' + key - K::A));
    if (key >= K::Num0 && key <= K::Num9)
        return std::string(1, char('0' + key - K::Num0));
    if (key >= K::Numpad0 && key <= K::Numpad9)
        return "Numpad" + std::to_string(key - K::Numpad0);
    if (key >= K::F1 && key <= K::F15)
        return "F" + std::to_string(key - K::F1 + 1);
    if (key >= K::Escape && key <= K::Down)
        return c_keyNames[key - K::Escape];
    if (key == K::Pause)
        return "Pause";
    return "";
}

void Shortcuts::captureShortcut(ActionShortcut action) {
    const auto index = static_cast<std::size_t>(action);
    if (index >= c_count)
        return;
    std::uint32_t code = heldModifiers() | c_noKey;
    const auto& in = InputEvent::Get();
    for (int key = 0; key < InputEvent::c_keyCount; ++key)
        if (!isModifierKey(key) && in.keyHeld[key])
            code = (code & c_modifierMask) | static_cast<std::uint32_t>(key);
    table()[index] = code;
}

std::uint32_t Shortcuts::code(ActionShortcut action) const {
    const auto index = static_cast<std::size_t>(action);
    return index < c_count ? table()[index] : c_noKey;
}

bool Shortcuts::setCode(ActionShortcut action, std::uint32_t code) {
    const auto index = static_cast<std::size_t>(action);
    if (index >= c_count || !isValidCode(code))
        return false;
    table()[index] = code & (c_keyMask | c_modifierMask);
    return true;
}

std::uint32_t Shortcuts::defaultCode(ActionShortcut action) {
    const auto index = static_cast<std::size_t>(action);
    return index < c_count ? c_defaults[index] : c_noKey;
}

bool Shortcuts::isValidCode(std::uint32_t code) {
    const std::uint32_t key = code & c_keyMask;
    return key == c_noKey || InputEvent::isValidKey(static_cast<int>(key));
}
