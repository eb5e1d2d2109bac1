// The Scene and History windows drawn through ImGui without a renderer: a click on a row
// selects, "Expand all" opens every section, and odd names keep their rows.
#include "SceneFixture.hpp"

#include <imgui.h>

using rux::ObjectType;
using rux_test::SceneTest;

namespace {

class Windows : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.DisplaySize = {800, 600};
        io.IniFilename = nullptr;
        unsigned char* pixels;
        int w, h;
        io.Fonts->GetTexDataAsRGBA32(&pixels, &w, &h);
    }
    void TearDown() override { ImGui::DestroyContext(); }

    // One frame of both windows, with the mouse at `mouse` (button down when `down`).
    void Frame(ImVec2 mouse = {-1, -1}, bool down = false) {
        ImGuiIO& io = ImGui::GetIO();
        io.DeltaTime = 1.f / 60.f;
        io.MousePos = mouse;
        io.MouseDown[0] = down;
        ImGui::NewFrame();
        ImGui::SetNextWindowPos({0, 0});
        ImGui::SetNextWindowSize({400, 600});
        ImGui::Begin("Scene###Scene");
        scene.DrawSceneTree();
        ImGui::End();
        ImGui::SetNextWindowPos({400, 0});
        ImGui::SetNextWindowSize({400, 600});
        ImGui::Begin("History###History");
        undo.DrawHistory();
        ImGui::End();
        ImGui::Render();
    }

};

TEST_F(Windows, ExpandAllAndClickARow) {
    AddSprite("Box##odd");
    AddSprite("Plain");
    ASSERT_TRUE(scene.AddObjectNoTextures("Lamp", ObjectType::PointLight));
    Frame();
    EXPECT_EQ(scene.openSectionCount, 0u);
    // "Expand all" sits at the top left of the window's content.
    const ImVec2 button = {ImGui::GetStyle().WindowPadding.x + 10, 30};
    Frame(button, true);
    Frame(button, false);
    Frame();
    EXPECT_EQ(scene.openSectionCount, 12u);

    // Rows follow each other: find "Plain" by hovering down the window until it lights up.
    bool selected = false;
    for (float y = 40; y < 400 && !selected; y += 4) {
        Frame({100, y});
        if (!scene.objects.at("Plain").hovered) {
            for (auto& [n, o] : scene.objects) o.hovered = false;
            continue;
        }
        Frame({100, y}, true);
        Frame({100, y}, false);
        selected = scene.objects.at("Plain").selected;
    }
    EXPECT_TRUE(selected);
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"Plain"});
}

TEST_F(Windows, ForcedSectionsAndHistory) {
    AddSprite("A");
    scene.SelectObject("A");
    EXPECT_NE(scene.forceOpenSections & (1u << 2), 0u);
    Frame();
    EXPECT_EQ(scene.forceOpenSections, 0u) << "asked once";
    EXPECT_EQ(scene.openSectionCount, 1u);
    for (int i = 0; i < 500; ++i) undo.addUIToggle(1, true);
    Frame();
}

} // namespace

namespace {

// A large level draws only the rows in view, and rows follow renames and removals.
TEST_F(Windows, LargeLevelsAndChangedRows) {
    for (int i = 0; i < 3000; ++i) scene.AddObjectNoTextures("L" + std::to_string(1000 + i), ObjectType::PointLight);
    Frame();
    const ImVec2 button = {ImGui::GetStyle().WindowPadding.x + 10, 30};
    Frame(button, true);
    Frame(button, false);
    Frame();
    EXPECT_EQ(scene.openSectionCount, 12u);
    EXPECT_LT(ImGui::GetDrawData()->TotalVtxCount, 20000) << "rows out of view cost nothing";
    scene.DeleteObject("L1001");
    scene.SelectObject("L1000");
    ASSERT_TRUE(scene.RenameObject("L1000", "Renamed"));
    Frame();
    Frame();
    EXPECT_TRUE(scene.objects.at("Renamed").selected);
}

} // namespace
