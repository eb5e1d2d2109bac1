#pragma once
// Keys and button rows shared by the dialogs of the pop-up queue.
#include "env/Global.hpp"
#include "env/InputEvent.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <imgui.h>

namespace rux {

// Enter this frame while no text field has focus.
inline bool DialogEnter() {
    return InputEvent::Get().keyPressed[sf::Keyboard::Enter] && !Global::Get().textInputActive;
}

inline bool DialogEscape() { return InputEvent::Get().keyPressed[sf::Keyboard::Escape]; }

// Puts the cursor on the button row at the bottom of a dialog.
inline void DialogButtonRow(float scale) { ImGui::SetCursorPosY(ImGui::GetWindowHeight() - 30 * scale); }

// Half the dialog's inner width, for the usual "OK | Cancel" pair.
inline float HalfWidth() { return (ImGui::GetContentRegionAvail().x - ImGui::GetStyle().ItemSpacing.x) / 2; }

} // namespace rux
