#pragma once

namespace rux {

// A faint "[?]" on the line of the previous item; hovering it shows `text` wrapped at 400 pixels.
void ToolTip(const char* text);

} // namespace rux
