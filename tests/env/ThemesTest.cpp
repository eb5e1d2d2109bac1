#include "env/Themes.hpp"

#include <gtest/gtest.h>
#include <imgui.h>

namespace {

class Themes : public ::testing::Test {
protected:
    void SetUp() override { ImGui::CreateContext(); }
    void TearDown() override { ImGui::DestroyContext(); }
    static const ImVec4& color(ImGuiCol slot) { return ImGui::GetStyle().Colors[slot]; }
};

void expectColor(const ImVec4& actual, ImVec4 expected, const char* what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-4) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-4) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-4) << what;
    EXPECT_NEAR(actual.w, expected.w, 1e-4) << what;
}

TEST_F(Themes, LaserRedBorderAndSelectionBox) {
    rux::ApplyTheme(rux::LaserRed);
    expectColor(color(ImGuiCol_Border), {1, 0, 0, 1}, "Border");
    expectColor(color(ImGuiCol_TabActive), {0.36f, 0.01f, 0.01f, 0.84f}, "TabSelected -> TabActive");
    EXPECT_EQ(rux::SelectionBoxColor(), sf::Color(175, 35, 35, 96));
}

TEST_F(Themes, MidnightRenamedSlots) {
    rux::ApplyTheme(rux::Midnight);
    expectColor(color(ImGuiCol_NavHighlight), {0.48f, 0.48f, 0.84f, 0.80f}, "NavCursor -> NavHighlight");
    expectColor(color(ImGuiCol_TabUnfocused), {0.28f, 0.28f, 0.57f, 0.82f}, "TabDimmed -> TabUnfocused");
    expectColor(color(ImGuiCol_TabUnfocusedActive), {0.34f, 0.34f, 0.73f, 0.84f}, "TabDimmedSelected");
    expectColor(color(ImGuiCol_ModalWindowDimBg), {0.05f, 0.01f, 0.18f, 0.28f}, "ModalWindowDimBg");
}

TEST_F(Themes, TurquoiseLeafDerivesItsTabColours) {
    rux::ApplyTheme(rux::TurquoiseLeaf);
    expectColor(color(ImGuiCol_WindowBg), {0, 0, 0, 0.85f}, "WindowBg");
    expectColor(color(ImGuiCol_Tab), {0.228f, 0.578f, 0.432f, 0.81f}, "Tab");
    expectColor(color(ImGuiCol_TabActive), {0.276f, 0.626f, 0.484f, 0.86f}, "TabActive");
    expectColor(color(ImGuiCol_TabUnfocused), {0.1256f, 0.4356f, 0.2864f, 0.802f}, "TabUnfocused");
    expectColor(color(ImGuiCol_TabUnfocusedActive), {0.2056f, 0.5356f, 0.3904f, 0.836f}, "TabUnfocusedActive");
}

TEST_F(Themes, UnwrittenSlotsKeepThePreviousColours) {
    ImGui::StyleColorsDark();
    const ImVec4 darkTableHeader = color(ImGuiCol_TableHeaderBg);
    rux::ApplyTheme(rux::TurquoiseLeaf);
    expectColor(color(ImGuiCol_TableHeaderBg), darkTableHeader, "fresh TurquoiseLeaf");

    rux::ApplyTheme(rux::LaserRed);
    rux::ApplyTheme(rux::TurquoiseLeaf);
    expectColor(color(ImGuiCol_TableHeaderBg), {0.19f, 0.19f, 0.20f, 1}, "after LaserRed");
    expectColor(color(ImGuiCol_TableRowBgAlt), {1, 1, 1, 0.06f}, "after LaserRed");

    const ImGuiStyle before = ImGui::GetStyle();
    rux::ApplyTheme(7);
    for (int slot = 0; slot < ImGuiCol_COUNT; ++slot)
        expectColor(color(slot), before.Colors[slot], "theme 7 writes nothing");

    rux::ApplyTheme(rux::Dark);
    expectColor(color(ImGuiCol_TableHeaderBg), darkTableHeader, "Dark");
}

TEST_F(Themes, StyleOverridesAndTints) {
    rux::ApplyTheme(rux::LaserRed);
    rux::ApplyStyleOverrides();
    const ImGuiStyle& style = ImGui::GetStyle();
    EXPECT_EQ(style.WindowMenuButtonPosition, ImGuiDir_None);
    EXPECT_FLOAT_EQ(style.WindowTitleAlign.x, 0.005f);
    EXPECT_FLOAT_EQ(style.WindowMinSize.x, 150);
    EXPECT_FLOAT_EQ(style.WindowMinSize.y, 75);
    EXPECT_FLOAT_EQ(style.FramePadding.x, 6);
    EXPECT_FLOAT_EQ(style.FrameRounding, 3);
    expectColor(rux::HoverTint(false), color(ImGuiCol_ButtonHovered), "hovered");
    expectColor(rux::StartTileTint(true, true), color(ImGuiCol_ButtonActive), "hovered and held");
    expectColor(rux::StartTileTint(false, true), {1, 1, 1, 32 / 255.f}, "idle tile");
}

} // namespace
