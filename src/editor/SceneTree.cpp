// The Scene window: every object and asset of the level in twelve sections by kind.
#include "editor/Scene.hpp"
#include "env/LL.hpp"

#include <imgui.h>

#include <array>
#include <optional>

namespace rux {
namespace {

constexpr std::array<ObjectType, 12> c_sectionKinds{
    ObjectType::Camera,     ObjectType::Sprite,         ObjectType::TileMap,      ObjectType::ParticleSystem,
    ObjectType::Texture,    ObjectType::FragmentShader, ObjectType::VertexShader, ObjectType::Font,
    ObjectType::Text,       ObjectType::VertexObject,   ObjectType::PointLight,   ObjectType::DirectionalLight};

// A selectable row whose label is shown as typed: names may contain "##", which ImGui would
// otherwise read as an identifier marker.
bool Row(const std::string& label, bool selected) {
    ImGui::PushID(label.data(), label.data() + label.size());
    const bool clicked = ImGui::Selectable("##row", selected, ImGuiSelectableFlags_AllowItemOverlap);
    ImGui::PopID();
    return clicked;
}

void RowText(const std::string& label, float x) {
    ImGui::SameLine(x);
    ImGui::TextUnformatted(label.data(), label.data() + label.size());
}

} // namespace

void Scene::RefreshTreeRows() {
    // Changes that bypass the scene's operations are caught by the size, or at the latest by
    // the periodic rebuild; a stale name is skipped, never dereferenced.
    if (!treeRowsDirty && treeRowsSize == objects.size() && treeRowsAge < 120) return;
    for (auto& rows : treeRows) rows.clear();
    for (const auto& [name, o] : objects) {
        const auto kind = static_cast<std::size_t>(o.type);
        if (kind < treeRows.size()) treeRows[kind].push_back(name);
    }
    treeRowsSize = objects.size();
    treeRowsDirty = false;
    treeRowsAge = 0;
}

bool Scene::UpdateTree(const char* label, ObjectType kind) {
    if (!ImGui::TreeNode(label)) return false;
    RefreshTreeRows();
    const auto k = static_cast<std::size_t>(kind);
    const std::vector<std::string> empty;
    const std::vector<std::string>& rows = k < treeRows.size() ? treeRows[k] : empty;
    std::string clicked;
    ImGuiListClipper clipper;
    clipper.Begin(static_cast<int>(rows.size()));
    while (clipper.Step())
        for (int i = clipper.DisplayStart; i < clipper.DisplayEnd; ++i) {
            const std::string& name = rows[static_cast<std::size_t>(i)];
            const auto it = objects.find(name);
            if (it == objects.end()) {
                treeRowsDirty = true;
                ImGui::TextDisabled("-");
                continue;
            }
            const float x = ImGui::GetCursorPosX();
            if (Row(name, it->second.selected)) clicked = name;
            if (ImGui::IsItemHovered()) it->second.hovered = true;
            RowText(name, x);
        }
    ImGui::TreePop();
    if (!clicked.empty()) SelectObject(clicked);
    return true;
}

bool Scene::UpdateTextureTree(const char* label, ObjectType kind) {
    if (!ImGui::TreeNode(label)) return false;
    std::optional<std::filesystem::path> clicked;
    for (auto& [path, a] : assets) {
        if (a.type != kind) continue;
        const std::string text = path.string();
        const float x = ImGui::GetCursorPosX();
        if (Row(text, a.selected)) clicked = path;
        if (kind == ObjectType::Texture && ImGui::BeginDragDropSource()) {
            ImGui::SetDragDropPayload("addtexture", text.data(), text.size());
            ImGui::TextUnformatted(text.c_str());
            ImGui::EndDragDropSource();
        }
        RowText(text, x);
    }
    ImGui::TreePop();
    if (clicked) SelectAsset(*clicked);
    return true;
}

void Scene::DrawSceneTree() {
    if (ImGui::IsWindowHovered() && !ImGui::IsWindowFocused() && ImGui::IsMouseDown(ImGuiMouseButton_Right))
        ImGui::SetWindowFocus();
    ++treeRowsAge;
    std::optional<bool> openAll;
    if (ImGui::Button(openSectionCount == 0 ? "Expand all"_C : "Collapse all"_C)) openAll = openSectionCount == 0;
    std::uint32_t open = 0;
    for (std::size_t i = 0; i < c_sectionKinds.size(); ++i) {
        const ObjectType kind = c_sectionKinds[i];
        const std::uint32_t bit = 1u << static_cast<unsigned>(kind);
        if (openAll) ImGui::SetNextItemOpen(*openAll);
        if (forceOpenSections & bit) {
            ImGui::SetNextItemOpen(true);
            forceOpenSections &= ~bit;
        }
        // The identity stays fixed while the label follows the language.
        const std::string label = LL::ind("sceneAssetNames[]", i) + "###section" + std::to_string(i);
        const bool isOpen = IsAssetKind(static_cast<int>(kind)) ? UpdateTextureTree(label.c_str(), kind)
                                                                 : UpdateTree(label.c_str(), kind);
        open += isOpen;
    }
    openSectionCount = open;
}

} // namespace rux
