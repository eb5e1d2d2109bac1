// The menu bar area and the five main panels. Their contents come from the scene, files,
// properties and history code; here they are placed and kept in step with the layout.
#include "app/App.hpp"

#include "env/LL.hpp"
#include "env/Shortcuts.hpp"
#include "env/Global.hpp"

#include <imgui.h>

namespace rux {

namespace {
constexpr ImGuiWindowFlags c_barFlags = ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize |
                                        ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoScrollbar |
                                        ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_MenuBar |
                                        ImGuiWindowFlags_NoBringToFrontOnFocus;
}

void App::TitleBar() {
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    ImGui::SetNextWindowPos({0, 0});
    ImGui::SetNextWindowSize({display.x, display.y / 18.f});
    ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 0.f);
    if (ImGui::Begin("##MenuBar", nullptr, c_barFlags)) {
        if (ImGui::BeginMenuBar()) {
            if (ImGui::MenuItem(appTitle.c_str()) ||
                (Shortcuts::get()[ActionShortcut::About] && popUpQueue.empty()))
                popUpQueue.push_back(About);
            ViewMenu();
            TesslyMenu();
            HelpMenu();
            const float dt = TimeControl::get().deltaTime.asSeconds();
            ImGui::Text(" FPS: %f\t", dt > 0.f ? 1.f / dt : 0.f);
            ImGui::EndMenuBar();
        }
    }
    ImGui::End();
    ImGui::PopStyleVar();
}

void App::ViewMenu() {
    if (!ImGui::BeginMenu(LL::get().lookup("View").c_str()))
        return;
    if (ImGui::BeginMenu(LL::get().lookup("Open window").c_str())) {
        auto& open = settings.windowFlags[static_cast<std::size_t>(layoutInUse)];
        for (int i = 0; i < c_panelCount; ++i)
            if (ImGui::MenuItem(LL::ind("windowNames[]", i).c_str(), nullptr, open[static_cast<std::size_t>(i)]))
                open[static_cast<std::size_t>(i)] = true;
        ImGui::EndMenu();
    }
    ImGui::Separator();
    // Choosing a layout only stores it; the frame loop saves the old one and switches next frame.
    for (int i = 0; i < 3; ++i)
        if (ImGui::MenuItem(LL::ind("WindowLayout[]", i).c_str(), nullptr, settings.layout == i))
            settings.layout = static_cast<std::uint8_t>(i);
    ImGui::EndMenu();
}

void App::HelpMenu() {
    if (!ImGui::BeginMenu(LL::get().lookup("Help").c_str()))
        return;
    static constexpr PopUpState entries[] = {Changelog, FuturePlans, PopUpStateCount, GraphicsInfo, About};
    for (int i = 0; i < 5; ++i) {
        if (entries[i] == PopUpStateCount)
            continue;  // the update check is not part of this build
        if (ImGui::MenuItem(LL::ind("OtherType[]", i).c_str()))
            popUpQueue.push_back(entries[i]);
    }
    ImGui::EndMenu();
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
        else if (i == 4)
            undo.DrawHistory();
        ImGui::End();
    }
}

} // namespace rux
