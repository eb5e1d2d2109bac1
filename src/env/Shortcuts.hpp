#pragma once
// The 22 remappable keyboard shortcuts. A code packs the key (bits 0..15, 0xFFFF = none)
// and the modifiers (bit 20 System, 21 Ctrl, 22 Alt, 23 Shift).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

enum class ActionShortcut : std::uint8_t {
    CenterCamera,
    ToggleGrid,
    ToggleShaderAnimation,
    ToggleParticleUpdate,
    Duplicate,
    Delete,
    NewLevel,
    Save,
    OpenSettings,
    AddItem,
    Fullscreen,
    ToggleVisibility,
    About,
    Undo,
    Find,
    Copy,
    Paste,
    SelectAll,
    ZoomIn,
    ZoomOut,
    Cut,
    Replace,
};

class Shortcuts {
public:
    static constexpr std::size_t c_count = 22;
    static constexpr std::uint32_t c_noKey = 0xFFFF;
    static constexpr std::uint32_t c_keyMask = 0xFFFF;
    static constexpr std::uint32_t c_system = 1u << 20;
    static constexpr std::uint32_t c_ctrl = 1u << 21;
    static constexpr std::uint32_t c_alt = 1u << 22;
    static constexpr std::uint32_t c_shift = 1u << 23;
    static constexpr std::uint32_t c_modifierMask = c_system | c_ctrl | c_alt | c_shift;

    // The shared table, filled with the defaults on first use.
    static Shortcuts& get();

    // fill: start with the defaults. An unfilled object holds no codes of its own and acts
    // on the shared table.
    explicit Shortcuts(bool fill);

    // The action's shortcut went down this frame with exactly its modifiers held, and no text
    // field has keyboard focus.
    bool operator[](ActionShortcut action) const;

    // "Ctrl + S"; empty for an action without shortcut.
    std::string getName(ActionShortcut action) const;
    static std::string getCodeName(std::uint32_t code);
    static std::string getKeyName(int key);

    // Sets the action's code from the keys held now; the highest non-modifier key wins.
    void captureShortcut(ActionShortcut action);

    std::uint32_t code(ActionShortcut action) const;
    // Refuses (false, code unchanged) a key part outside 0..100 that is not 0xFFFF; bits
    // other than the key and the four modifiers are dropped.
    bool setCode(ActionShortcut action, std::uint32_t code);
    void clear(ActionShortcut action) { setCode(action, c_noKey); }

    static std::uint32_t defaultCode(ActionShortcut action);
    static bool isValidCode(std::uint32_t code);
    static constexpr std::uint32_t Pack(int key, std::uint32_t modifiers = 0) {
        return (static_cast<std::uint32_t>(key) & c_keyMask) | (modifiers & c_modifierMask);
    }

private:
    std::array<std::uint32_t, c_count>& table();
    const std::array<std::uint32_t, c_count>& table() const;

    std::array<std::uint32_t, c_count> codes{};
    bool filled;
};
