#include "env/Themes.hpp"

#include "env/Global.hpp"
#include "env/LL.hpp"

#include <utility>

namespace rux {
namespace {

// The colour tables name the slots of Dear ImGui 1.86. Slots of newer ImGui versions map
// as follows; those 1.86 does not have are not written:
//
//   | newer slot                | 1.86 slot                   |
//   |---------------------------|-----------------------------|
//   | TabSelected               | ImGuiCol_TabActive          |
//   | TabDimmed                 | ImGuiCol_TabUnfocused       |
//   | TabDimmedSelected         | ImGuiCol_TabUnfocusedActive |
//   | NavCursor                 | ImGuiCol_NavHighlight       |
//   | TabSelectedOverline       | (none)                      |
//   | TabDimmedSelectedOverline | (none)                      |
//   | DockingPreview            | (none, no docking)          |
//   | DockingEmptyBg            | (none, no docking)          |
//   | TextLink                  | (none)                      |

using Entry = std::pair<ImGuiCol, ImVec4>;

const Entry c_turquoiseLeaf[] = {
    {ImGuiCol_Text, {0.95f, 0.95f, 0.95f, 1.00f}},
    {ImGuiCol_TextDisabled, {0.60f, 0.60f, 0.60f, 1.00f}},
    {ImGuiCol_WindowBg, {0.00f, 0.00f, 0.00f, 0.85f}},
    {ImGuiCol_ChildBg, {0.00f, 0.00f, 0.00f, 0.00f}},
    {ImGuiCol_PopupBg, {0.11f, 0.11f, 0.14f, 0.92f}},
    {ImGuiCol_Border, {0.50f, 1.00f, 0.70f, 0.80f}},
    {ImGuiCol_BorderShadow, {0.00f, 0.00f, 0.00f, 0.00f}},
    {ImGuiCol_FrameBg, {0.16f, 0.27f, 0.21f, 0.79f}},
    {ImGuiCol_FrameBgHovered, {0.21f, 0.32f, 0.26f, 0.80f}},
    {ImGuiCol_FrameBgActive, {0.25f, 0.36f, 0.30f, 1.00f}},
    {ImGuiCol_TitleBg, {0.10f, 0.40f, 0.25f, 0.80f}},
    {ImGuiCol_TitleBgActive, {0.20f, 0.55f, 0.40f, 0.90f}},
    {ImGuiCol_TitleBgCollapsed, {0.35f, 0.70f, 0.55f, 0.20f}},
    {ImGuiCol_MenuBarBg, {0.16f, 0.27f, 0.21f, 0.80f}},
    {ImGuiCol_ScrollbarBg, {0.20f, 0.30f, 0.25f, 0.60f}},
    {ImGuiCol_ScrollbarGrab, {0.36f, 0.47f, 0.41f, 0.30f}},
    {ImGuiCol_ScrollbarGrabHovered, {0.36f, 0.47f, 0.41f, 0.40f}},
    {ImGuiCol_ScrollbarGrabActive, {0.36f, 0.47f, 0.41f, 0.60f}},
    {ImGuiCol_CheckMark, {0.90f, 0.90f, 0.90f, 0.50f}},
    {ImGuiCol_SliderGrab, {1.00f, 1.00f, 1.00f, 0.30f}},
    {ImGuiCol_SliderGrabActive, {0.65f, 0.84f, 0.56f, 0.60f}},
    {ImGuiCol_Button, {0.14f, 0.69f, 0.41f, 0.62f}},
    {ImGuiCol_ButtonHovered, {0.19f, 0.74f, 0.46f, 0.79f}},
    {ImGuiCol_ButtonActive, {0.24f, 0.79f, 0.51f, 1.00f}},
    {ImGuiCol_Header, {0.34f, 0.69f, 0.56f, 0.45f}},
    {ImGuiCol_HeaderHovered, {0.34f, 0.69f, 0.56f, 0.80f}},
    {ImGuiCol_HeaderActive, {0.39f, 0.74f, 0.61f, 0.80f}},
    {ImGuiCol_Separator, {0.50f, 1.00f, 0.70f, 0.80f}},
    {ImGuiCol_SeparatorHovered, {0.60f, 0.60f, 0.70f, 1.00f}},
    {ImGuiCol_SeparatorActive, {0.70f, 0.70f, 0.90f, 1.00f}},
    {ImGuiCol_ResizeGrip, {1.00f, 1.00f, 1.00f, 0.10f}},
    {ImGuiCol_ResizeGripHovered, {0.78f, 0.82f, 1.00f, 0.60f}},
    {ImGuiCol_ResizeGripActive, {0.78f, 0.82f, 1.00f, 0.90f}},
    {ImGuiCol_TabHovered, {0.34f, 0.69f, 0.56f, 0.80f}},
    {ImGuiCol_PlotLines, {1.00f, 1.00f, 1.00f, 1.00f}},
    {ImGuiCol_PlotLinesHovered, {0.90f, 0.70f, 0.00f, 1.00f}},
    {ImGuiCol_PlotHistogram, {0.90f, 0.70f, 0.00f, 1.00f}},
    {ImGuiCol_PlotHistogramHovered, {1.00f, 0.60f, 0.00f, 1.00f}},
    {ImGuiCol_TextSelectedBg, {0.00f, 1.00f, 0.00f, 0.35f}},
    {ImGuiCol_DragDropTarget, {0.67f, 0.92f, 0.75f, 0.90f}},
    {ImGuiCol_NavHighlight, {0.34f, 0.69f, 0.56f, 0.80f}},
    {ImGuiCol_NavWindowingHighlight, {1.00f, 1.00f, 1.00f, 0.70f}},
    {ImGuiCol_NavWindowingDimBg, {0.80f, 0.80f, 0.80f, 0.20f}},
    {ImGuiCol_ModalWindowDimBg, {0.20f, 0.20f, 0.20f, 0.35f}},
};

const Entry c_laserRed[] = {
    {ImGuiCol_Text, {0.95f, 0.95f, 0.95f, 1.00f}},
    {ImGuiCol_TextDisabled, {0.60f, 0.60f, 0.60f, 1.00f}},
    {ImGuiCol_WindowBg, {0.00f, 0.00f, 0.00f, 0.86f}},
    {ImGuiCol_ChildBg, {0.00f, 0.00f, 0.00f, 0.00f}},
    {ImGuiCol_PopupBg, {0.05f, 0.00f, 0.00f, 0.86f}},
    {ImGuiCol_Border, {1.00f, 0.00f, 0.00f, 1.00f}},
    {ImGuiCol_BorderShadow, {0.00f, 0.00f, 0.00f, 0.00f}},
    {ImGuiCol_FrameBg, {0.52f, 0.03f, 0.00f, 0.32f}},
    {ImGuiCol_FrameBgHovered, {0.26f, 0.03f, 0.00f, 1.00f}},
    {ImGuiCol_FrameBgActive, {0.32f, 0.02f, 0.00f, 1.00f}},
    {ImGuiCol_TitleBg, {0.13f, 0.00f, 0.00f, 0.83f}},
    {ImGuiCol_TitleBgActive, {0.35f, 0.10f, 0.10f, 0.87f}},
    {ImGuiCol_TitleBgCollapsed, {0.24f, 0.06f, 0.05f, 0.20f}},
    {ImGuiCol_MenuBarBg, {0.00f, 0.00f, 0.00f, 0.80f}},
    {ImGuiCol_ScrollbarBg, {0.18f, 0.00f, 0.01f, 0.60f}},
    {ImGuiCol_ScrollbarGrab, {0.47f, 0.36f, 0.39f, 0.31f}},
    {ImGuiCol_ScrollbarGrabHovered, {0.47f, 0.36f, 0.42f, 0.40f}},
    {ImGuiCol_ScrollbarGrabActive, {0.47f, 0.36f, 0.40f, 0.60f}},
    {ImGuiCol_CheckMark, {1.00f, 0.00f, 0.00f, 1.00f}},
    {ImGuiCol_SliderGrab, {1.00f, 0.00f, 0.00f, 0.96f}},
    {ImGuiCol_SliderGrabActive, {1.00f, 0.72f, 0.72f, 0.60f}},
    {ImGuiCol_Button, {0.69f, 0.14f, 0.14f, 0.62f}},
    {ImGuiCol_ButtonHovered, {0.74f, 0.19f, 0.19f, 0.79f}},
    {ImGuiCol_ButtonActive, {0.79f, 0.24f, 0.24f, 1.00f}},
    {ImGuiCol_Header, {0.64f, 0.00f, 0.00f, 0.59f}},
    {ImGuiCol_HeaderHovered, {0.74f, 0.00f, 0.00f, 0.31f}},
    {ImGuiCol_HeaderActive, {1.00f, 0.00f, 0.00f, 0.31f}},
    {ImGuiCol_Separator, {1.00f, 0.00f, 0.00f, 1.00f}},
    {ImGuiCol_SeparatorHovered, {0.70f, 0.60f, 0.60f, 1.00f}},
    {ImGuiCol_SeparatorActive, {0.90f, 0.70f, 0.70f, 1.00f}},
    {ImGuiCol_ResizeGrip, {1.00f, 0.00f, 0.00f, 0.50f}},
    {ImGuiCol_ResizeGripHovered, {1.00f, 0.78f, 0.78f, 0.60f}},
    {ImGuiCol_ResizeGripActive, {1.00f, 0.78f, 0.78f, 0.90f}},
    {ImGuiCol_TabHovered, {0.43f, 0.00f, 0.00f, 0.80f}},
    {ImGuiCol_Tab, {0.07f, 0.00f, 0.00f, 0.79f}},
    {ImGuiCol_TabActive, {0.36f, 0.01f, 0.01f, 0.84f}},
    {ImGuiCol_TabUnfocused, {0.00f, 0.00f, 0.00f, 0.82f}},
    {ImGuiCol_TabUnfocusedActive, {0.00f, 0.00f, 0.00f, 0.84f}},
    {ImGuiCol_PlotLines, {1.00f, 1.00f, 1.00f, 1.00f}},
    {ImGuiCol_PlotLinesHovered, {0.90f, 0.70f, 0.00f, 1.00f}},
    {ImGuiCol_PlotHistogram, {0.90f, 0.70f, 0.00f, 1.00f}},
    {ImGuiCol_PlotHistogramHovered, {1.00f, 0.60f, 0.00f, 1.00f}},
    {ImGuiCol_TableHeaderBg, {0.19f, 0.19f, 0.20f, 1.00f}},
    {ImGuiCol_TableBorderStrong, {0.31f, 0.31f, 0.35f, 1.00f}},
    {ImGuiCol_TableBorderLight, {0.23f, 0.23f, 0.25f, 1.00f}},
    {ImGuiCol_TableRowBg, {0.00f, 0.00f, 0.00f, 0.00f}},
    {ImGuiCol_TableRowBgAlt, {1.00f, 1.00f, 1.00f, 0.06f}},
    {ImGuiCol_TextSelectedBg, {1.00f, 0.00f, 0.00f, 0.35f}},
    {ImGuiCol_DragDropTarget, {0.92f, 0.67f, 0.67f, 0.90f}},
    {ImGuiCol_NavHighlight, {0.69f, 0.34f, 0.34f, 0.80f}},
    {ImGuiCol_NavWindowingHighlight, {1.00f, 1.00f, 1.00f, 0.70f}},
    {ImGuiCol_NavWindowingDimBg, {0.80f, 0.80f, 0.80f, 0.20f}},
    {ImGuiCol_ModalWindowDimBg, {0.20f, 0.20f, 0.20f, 0.35f}},
};

const Entry c_midnight[] = {
    {ImGuiCol_Text, {0.90f, 0.90f, 0.90f, 1.00f}},
    {ImGuiCol_TextDisabled, {0.60f, 0.60f, 0.60f, 1.00f}},
    {ImGuiCol_WindowBg, {0.00f, 0.00f, 0.00f, 0.93f}},
    {ImGuiCol_ChildBg, {0.00f, 0.00f, 0.00f, 0.00f}},
    {ImGuiCol_PopupBg, {0.00f, 0.00f, 0.00f, 0.92f}},
    {ImGuiCol_Border, {0.43f, 0.36f, 0.85f, 0.52f}},
    {ImGuiCol_BorderShadow, {0.00f, 0.00f, 0.00f, 0.00f}},
    {ImGuiCol_FrameBg, {0.14f, 0.12f, 0.23f, 0.83f}},
    {ImGuiCol_FrameBgHovered, {0.16f, 0.12f, 0.35f, 0.83f}},
    {ImGuiCol_FrameBgActive, {0.17f, 0.11f, 0.51f, 0.63f}},
    {ImGuiCol_TitleBg, {0.04f, 0.01f, 0.21f, 0.83f}},
    {ImGuiCol_TitleBgActive, {0.09f, 0.04f, 0.37f, 0.87f}},
    {ImGuiCol_TitleBgCollapsed, {0.02f, 0.02f, 0.33f, 0.20f}},
    {ImGuiCol_MenuBarBg, {0.04f, 0.01f, 0.14f, 0.80f}},
    {ImGuiCol_ScrollbarBg, {0.20f, 0.25f, 0.30f, 0.60f}},
    {ImGuiCol_ScrollbarGrab, {0.00f, 0.00f, 0.00f, 0.58f}},
    {ImGuiCol_ScrollbarGrabHovered, {0.00f, 0.00f, 0.00f, 0.40f}},
    {ImGuiCol_ScrollbarGrabActive, {0.39f, 0.39f, 0.39f, 0.60f}},
    {ImGuiCol_CheckMark, {0.90f, 0.90f, 0.90f, 0.50f}},
    {ImGuiCol_SliderGrab, {1.00f, 1.00f, 1.00f, 0.30f}},
    {ImGuiCol_SliderGrabActive, {0.85f, 0.65f, 1.00f, 0.50f}},
    {ImGuiCol_Button, {0.19f, 0.17f, 0.54f, 0.85f}},
    {ImGuiCol_ButtonHovered, {0.15f, 0.11f, 0.84f, 0.82f}},
    {ImGuiCol_ButtonActive, {0.26f, 0.23f, 0.95f, 0.91f}},
    {ImGuiCol_Header, {0.00f, 0.00f, 0.27f, 1.00f}},
    {ImGuiCol_HeaderHovered, {0.05f, 0.05f, 0.48f, 1.00f}},
    {ImGuiCol_HeaderActive, {0.08f, 0.08f, 0.70f, 1.00f}},
    {ImGuiCol_Separator, {0.50f, 0.50f, 0.50f, 0.60f}},
    {ImGuiCol_SeparatorHovered, {0.60f, 0.60f, 0.70f, 1.00f}},
    {ImGuiCol_SeparatorActive, {0.70f, 0.70f, 0.90f, 1.00f}},
    {ImGuiCol_ResizeGrip, {1.00f, 1.00f, 1.00f, 0.10f}},
    {ImGuiCol_ResizeGripHovered, {0.78f, 0.82f, 1.00f, 0.60f}},
    {ImGuiCol_ResizeGripActive, {0.78f, 0.82f, 1.00f, 0.90f}},
    {ImGuiCol_TabHovered, {0.45f, 0.45f, 0.90f, 0.80f}},
    {ImGuiCol_Tab, {0.11f, 0.11f, 0.21f, 0.79f}},
    {ImGuiCol_TabActive, {0.35f, 0.35f, 0.65f, 0.84f}},
    {ImGuiCol_TabUnfocused, {0.28f, 0.28f, 0.57f, 0.82f}},
    {ImGuiCol_TabUnfocusedActive, {0.34f, 0.34f, 0.73f, 0.84f}},
    {ImGuiCol_PlotLines, {1.00f, 1.00f, 1.00f, 1.00f}},
    {ImGuiCol_PlotLinesHovered, {0.90f, 0.70f, 0.00f, 1.00f}},
    {ImGuiCol_PlotHistogram, {0.90f, 0.70f, 0.00f, 1.00f}},
    {ImGuiCol_PlotHistogramHovered, {1.00f, 0.60f, 0.00f, 1.00f}},
    {ImGuiCol_TableHeaderBg, {0.27f, 0.27f, 0.38f, 1.00f}},
    {ImGuiCol_TableBorderStrong, {0.31f, 0.31f, 0.45f, 1.00f}},
    {ImGuiCol_TableBorderLight, {0.26f, 0.26f, 0.28f, 1.00f}},
    {ImGuiCol_TableRowBg, {0.00f, 0.00f, 0.00f, 0.00f}},
    {ImGuiCol_TableRowBgAlt, {1.00f, 1.00f, 1.00f, 0.07f}},
    {ImGuiCol_TextSelectedBg, {0.00f, 0.00f, 1.00f, 0.35f}},
    {ImGuiCol_DragDropTarget, {0.55f, 0.60f, 1.00f, 0.90f}},
    {ImGuiCol_NavHighlight, {0.48f, 0.48f, 0.84f, 0.80f}},
    {ImGuiCol_NavWindowingHighlight, {1.00f, 1.00f, 1.00f, 0.70f}},
    {ImGuiCol_NavWindowingDimBg, {0.80f, 0.80f, 0.80f, 0.20f}},
    {ImGuiCol_ModalWindowDimBg, {0.05f, 0.01f, 0.18f, 0.28f}},
};

template <std::size_t N> void write(const Entry (&entries)[N]) {
    ImVec4* colors = ImGui::GetStyle().Colors;
    for (const auto& [slot, color] : entries)
        colors[slot] = color;
}

ImVec4 lerp(const ImVec4& a, const ImVec4& b, float t) {
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z), a.w + t * (b.w - a.w)};
}

} // namespace

void StyleColorsThemeTurquoiseLeaf() {
    write(c_turquoiseLeaf);
    // The tab colours follow from the header and title colours.
    ImVec4* colors = ImGui::GetStyle().Colors;
    colors[ImGuiCol_Tab] = lerp(colors[ImGuiCol_Header], colors[ImGuiCol_TitleBgActive], 0.80f);
    colors[ImGuiCol_TabActive] = lerp(colors[ImGuiCol_HeaderActive], colors[ImGuiCol_TitleBgActive], 0.60f);
    colors[ImGuiCol_TabUnfocused] = lerp(colors[ImGuiCol_Tab], colors[ImGuiCol_TitleBg], 0.80f);
    colors[ImGuiCol_TabUnfocusedActive] = lerp(colors[ImGuiCol_TabActive], colors[ImGuiCol_TitleBg], 0.40f);
}

void StyleColorsThemeLaserRed() { write(c_laserRed); }

void StyleColorsThemeMidnight() { write(c_midnight); }

void ApplyTheme(int theme) {
    switch (theme) {
    case TurquoiseLeaf: StyleColorsThemeTurquoiseLeaf(); break;
    case LaserRed: StyleColorsThemeLaserRed(); break;
    case Midnight: StyleColorsThemeMidnight(); break;
    case Dark: ImGui::StyleColorsDark(&ImGui::GetStyle()); break;
    default: break;
    }
}

void ApplyStyleOverrides() {
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowMenuButtonPosition = ImGuiDir_None;
    style.WindowTitleAlign = ImVec2(0.005f, 0.5f);
    style.WindowMinSize = ImVec2(150, 75);
    style.FramePadding = ImVec2(6, 4);
    style.FrameRounding = 3;
}

sf::Color SelectionBoxColor() {
    const ImVec4& button = ImGui::GetStyleColorVec4(ImGuiCol_Button);
    return sf::Color(static_cast<sf::Uint8>(button.x * 255), static_cast<sf::Uint8>(button.y * 255),
                     static_cast<sf::Uint8>(button.z * 255), 0x60);
}

ImVec4 HoverTint(bool held) {
    return ImGui::GetStyleColorVec4(held ? ImGuiCol_ButtonActive : ImGuiCol_ButtonHovered);
}

ImVec4 StartTileTint(bool hovered, bool held) {
    return hovered ? HoverTint(held) : ImVec4(1, 1, 1, 32 / 255.f);
}

bool ThemeCombo() {
    Global& global = Global::Get();
    bool chosen = false;
    if (ImGui::BeginCombo("Theme"_C, LL::ind("ThemeType[]", global.theme).c_str())) {
        for (int k = 0; k < c_themeCount; ++k) {
            ImGui::PushID(k);
            if (ImGui::Selectable(LL::ind("ThemeType[]", k).c_str(), false)) {
                global.theme = k;
                ApplyTheme(k);
                chosen = true;
            }
            ImGui::PopID();
        }
        ImGui::EndCombo();
    }
    return chosen;
}

} // namespace rux
