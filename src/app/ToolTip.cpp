#include "app/ToolTip.hpp"

#include <imgui.h>

namespace rux {

void ToolTip(const char* text) {
    ImGui::SameLine();
    ImGui::TextColored(ImVec4(192 / 255.f, 192 / 255.f, 192 / 255.f, 128 / 255.f), "[?]");
    if (ImGui::IsItemHovered()) {
        ImGui::BeginTooltip();
        ImGui::PushTextWrapPos(400.f);
        ImGui::TextUnformatted(text);
        ImGui::PopTextWrapPos();
        ImGui::EndTooltip();
    }
}

} // namespace rux
