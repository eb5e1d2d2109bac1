// The menu bar area and the five main panels. Their contents come from the scene, files,
// properties and history code; here they are placed and kept in step with the layout.
#include "app/App.hpp"

#include "env/LL.hpp"
#include "env/Shortcuts.hpp"
#include "env/Global.hpp"

#include <imgui.h>

namespace rux {

void App::DrawProperties() {
    if (!properties.queuePopUp)
        properties.queuePopUp = [this](PopUpState state) { popUpQueue.push_back(state); };
    properties.Draw();
}

void App::Panels() {
    auto& open = settings.windowFlags[static_cast<std::size_t>(layoutInUse)];
    for (int i = 0; i < c_panelCount; ++i) {
        bool& isOpen = open[static_cast<std::size_t>(i)];
        // The Scene window is drawn by the scene's update, after the hover flags are reset.
        if (!isOpen || i == 1)
            continue;
        const std::string title = PanelTitle(i);
        ImGuiWindowFlags flags = ImGuiWindowFlags_NoCollapse;
        if (i == 0)
            flags |= ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse;
        const bool shown = ImGui::Begin(title.c_str(), &isOpen, flags);
        const ImVec2 pos = ImGui::GetWindowPos();
        const ImVec2 size = ImGui::GetWindowSize();
        panelRects[static_cast<std::size_t>(i)] = {{pos.x, pos.y}, {size.x, size.y}};
        if (i == 0 && shown)
            MainView();
        else if (i == 3 && shown)
            DrawProperties();
        else if (i == 4)
            undo.DrawHistory();
        ImGui::End();
    }
}

} // namespace rux
