#include "env/ShortcutEditor.hpp"

#include "env/LL.hpp"
#include "env/Shortcuts.hpp"

#include <imgui.h>

#include <string>

namespace rux {

void ShortcutRows(float menuScale, int& capturing) {
    Shortcuts& shortcuts = Shortcuts::get();
    const float height = 25 * menuScale;
    for (int i = 0; i < static_cast<int>(Shortcuts::c_count); ++i) {
        const auto action = static_cast<ActionShortcut>(i);
        if (capturing == i) {
            shortcuts.captureShortcut(action);
            const std::string name = shortcuts.getName(action);
            // Only modifiers so far ("Ctrl + ") or nothing held: keep listening.
            if (!name.empty() && name.back() != ' ')
                capturing = -1;
        }
        ImGui::PushID(i);
        const std::string label = LL::ind("shortcut[]", i) + "##" + std::to_string(i);
        ImGui::Selectable(label.c_str(), capturing == i, 0,
                          ImVec2(ImGui::GetContentRegionAvail().x * 0.5f, height));
        ImGui::SameLine();
        if (ImGui::Button((shortcuts.getName(action) + "##key").c_str(), ImVec2(0, height)))
            capturing = i;
        ImGui::SameLine();
        if (ImGui::Button(("Clear"_S + "##clear").c_str(), ImVec2(0, height))) {
            shortcuts.clear(action);
            if (capturing == i)
                capturing = -1;
        }
        ImGui::PopID();
    }
}

} // namespace rux
