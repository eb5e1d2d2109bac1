// The properties window drawn through ImGui without a renderer: every tab of every kind draws
// without recording anything, and only a single selection shows.
#include "SceneFixture.hpp"

#include "app/Constants.hpp"
#include "editor/PropertyEdit.hpp"
#include "editor/Properties.hpp"
#include "env/Global.hpp"

#include <imgui.h>

namespace {

using rux::ObjectType;

class PanelTest : public rux_test::SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.DisplaySize = {800, 2000};
        io.IniFilename = nullptr;
        unsigned char* pixels;
        int w, h;
        io.Fonts->GetTexDataAsRGBA32(&pixels, &w, &h);
    }
    void TearDown() override {
        ImGui::DestroyContext();
        rux::Global::Get().allowMultipleTabs = false;
    }
    void Frame() {
        ImGuiIO& io = ImGui::GetIO();
        io.DeltaTime = 1.f / 60.f;
        ImGui::NewFrame();
        ImGui::SetNextWindowPos({0, 0});
        ImGui::SetNextWindowSize({800, 2000});
        ImGui::Begin("Properties###Properties");
        // Collapsed sections open, as if the user had clicked their headers.
        for (const char* id : {"###psgeneral", "###psevents", "###psrandom", "###dangerzone"})
            ImGui::GetStateStorage()->SetInt(ImGui::GetID(id), 1);
        panel.Draw();
        ImGui::End();
        ImGui::Render();
    }
    rux::Properties panel{scene};
};

TEST_F(PanelTest, EveryTabOfEveryKindDrawsAndRecordsNothing) {
    ASSERT_TRUE(scene.AddAsset("font.ttf", ObjectType::Font));
    ASSERT_TRUE(scene.AddAsset("shaders/tint.frag", ObjectType::FragmentShader));
    ASSERT_TRUE(scene.AddAsset("shaders/move.vert", ObjectType::VertexShader));
    AddSprite("Sprite");
    ASSERT_TRUE(scene.AttachShader("Sprite", &scene.assets.at("shaders/tint.frag"), ObjectType::FragmentShader));
    ASSERT_TRUE(scene.AttachShader("Sprite", &scene.assets.at("shaders/move.vert"), ObjectType::VertexShader));
    ASSERT_TRUE(rux::PropertyEdit::AddHitbox(scene, "Sprite"));
    ASSERT_TRUE(rux::PropertyEdit::AddHitLine(scene, "Sprite", {0, 0}, {1, 1}));
    ASSERT_TRUE(scene.AddObject("Map", texture(), ObjectType::TileMap));
    ASSERT_TRUE(scene.AddObject("Label", scene.assets.at("font.ttf"), ObjectType::Text));
    ASSERT_TRUE(scene.AddObjectNoTextures("Shape", ObjectType::VertexObject));
    ASSERT_TRUE(rux::PropertyEdit::AppendVertex(scene, "Shape", sf::Vertex({1, 1})));
    ASSERT_TRUE(scene.AddObjectNoTextures("Sparks", ObjectType::ParticleSystem));
    ASSERT_TRUE(scene.AddObjectNoTextures("Sparks2", ObjectType::ParticleSystem));
    scene.objects.at("Sparks").particleSystem->eventFlags = 7;
    scene.objects.at("Sparks").particleSystem->eventTargets[1] = scene.objects.at("Sparks2").particleSystem.get();
    scene.MirrorToReference("Sparks");
    ASSERT_TRUE(scene.AddObjectNoTextures("Cam", ObjectType::Camera));
    ASSERT_TRUE(scene.AddObjectNoTextures("Lamp", ObjectType::PointLight));
    ASSERT_TRUE(scene.AddObjectNoTextures("Sun", ObjectType::DirectionalLight));
    rux::Global::Get().allowMultipleTabs = true;
    panel.openTabs = 0x1FFF;
    const int steps = undo.getUndoStepCount();
    for (const char* name : {"Sprite", "Map", "Label", "Shape", "Sparks", "Cam", "Lamp", "Sun"}) {
        SCOPED_TRACE(name);
        scene.SelectObject(name);
        Frame();
        Frame();
        const auto kind = static_cast<std::size_t>(scene.objects.at(name).type);
        EXPECT_EQ(panel.TabMask(), rux::c_ItemTabs[kind]);
    }
    for (const char* path : {"tex.png", "font.ttf", "shaders/tint.frag"}) {
        SCOPED_TRACE(path);
        scene.SelectAsset(path);
        Frame();
        EXPECT_NE(panel.TabMask(), 0u);
    }
    EXPECT_EQ(undo.getUndoStepCount(), steps) << "drawing alone records nothing";
}

TEST_F(PanelTest, OnlyASingleSelectionShows) {
    AddSprite("A");
    AddSprite("B");
    scene.SelectObject("A");
    Frame();
    EXPECT_EQ(panel.TabMask(), rux::c_ItemTabs[static_cast<std::size_t>(ObjectType::Sprite)]);
    scene.SelectObjectMulti("B");
    Frame();
    EXPECT_EQ(panel.TabMask(), 0u);
    scene.SelectObjectMulti("B"); // toggles B off again
    Frame();
    ASSERT_EQ(scene.selection.size(), 1u);
    EXPECT_NE(panel.TabMask(), 0u) << "deselecting one shows the other";
    scene.DeselectAll();
    Frame();
    EXPECT_EQ(panel.TabMask(), 0u);
}

TEST_F(PanelTest, SelectedVertexFollowsTheVertexCount) {
    ASSERT_TRUE(scene.AddObjectNoTextures("Shape", ObjectType::VertexObject));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(rux::PropertyEdit::AppendVertex(scene, "Shape", sf::Vertex({1, 1})));
    panel.openTabs = 1u << rux::VertexObject_;
    scene.SelectObject("Shape");
    Frame();
    const int last = static_cast<int>(scene.objects.at("Shape").vertexObject->vertices.getVertexCount()) - 1;
    panel.selectedVertex = last;
    Frame();
    EXPECT_EQ(panel.selectedVertex, last);
    undo.Undo(scene);
    Frame();
    EXPECT_EQ(panel.selectedVertex, last - 1) << "undo removed the vertex shown";
}

} // namespace
