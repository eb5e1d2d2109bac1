#pragma once

namespace rux {

// The shortcut rows of the settings dialog: per action its name, a button showing the
// combination (click: capture a new one from the keys held) and "Clear". `capturing` is the
// action being captured or -1, kept by the dialog between frames; capture ends as soon as a
// non-modifier key is part of the combination.
void ShortcutRows(float menuScale, int& capturing);

} // namespace rux
