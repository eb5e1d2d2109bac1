#pragma once
// Keys and button rows shared by the dialogs of the pop-up queue.
#include "env/Global.hpp"
#include "env/InputEvent.hpp"
#include "env/LL.hpp"

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

enum class DialogChoice { None, Confirm, Cancel };

// The usual "<confirm> | Cancel" row: the confirm button takes half the width and, with
// `enter`, also answers Enter; "Cancel" takes the rest and answers Escape.
inline DialogChoice ConfirmCancelRow(const char* confirmKey, bool enter) {
    const LL& ll = LL::get();
    if (ImGui::Button(ll.lookup(confirmKey).c_str(), {HalfWidth(), 0}) || (enter && DialogEnter()))
        return DialogChoice::Confirm;
    ImGui::SameLine();
    if (ImGui::Button(ll.lookup("Cancel").c_str(), {-1, 0}) || DialogEscape())
        return DialogChoice::Cancel;
    return DialogChoice::None;
}

} // namespace rux
