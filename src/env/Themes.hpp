#pragma once
// Colour themes of the interface and the fixed style settings. A theme writes colours only;
// slots a theme leaves alone keep what the previous one (or ImGui's dark default) put there.
#include <SFML/Graphics/Color.hpp>
#include <imgui.h>

namespace rux {

enum Themes : int { TurquoiseLeaf = 0, LaserRed = 1, Midnight = 2, Dark = 3 };
inline constexpr int c_themeCount = 4;

void StyleColorsThemeTurquoiseLeaf();
void StyleColorsThemeLaserRed();
void StyleColorsThemeMidnight();
// 0..2 the themes above, 3 ImGui's dark colours; any other value writes nothing.
void ApplyTheme(int theme);
// Sizes and alignments set once at start-up, after the theme.
void ApplyStyleOverrides();

// Fill of the scene's selection box: the Button colour at alpha 0x60.
sf::Color SelectionBoxColor();
// Files panel entry under the pointer: ButtonActive while the left button is held, else
// ButtonHovered.
ImVec4 HoverTint(bool held);
// Start-screen tile of the level selection: HoverTint while hovered, else white at alpha 32.
ImVec4 StartTileTint(bool hovered, bool held);

// The "Theme" combo of the settings dialog. Clicking a row (the current one too) stores the
// theme in Global and applies it; returns true then, and the caller refreshes what caches
// theme colours (selection box, code editors, files panel) and saves the settings.
bool ThemeCombo();

} // namespace rux
