// The textures tab (objects and texture or font assets) and the tiles tab of tile maps.
#include "editor/Properties.hpp"

#include "env/LL.hpp"
#include "platform/Platform.hpp"

#include <SFML/System/Err.hpp>

#include <imgui.h>

#include <algorithm>

namespace rux {

using A = UndoAction;

namespace {
// The texture shown for an object, null for the placeholder.
const Level::AssetObject* RealAsset(const Level::AssetObject* a) {
    return a && a != Level::getMissingTexture() && a != Level::getMissingFont() ? a : nullptr;
}

void Preview(const sf::Texture& texture) {
    const sf::Vector2u size = texture.getSize();
    if (size.x == 0 || size.y == 0) return;
    const float scale = std::min(250.f / static_cast<float>(size.x), 50.f / static_cast<float>(size.y));
    platform::Image(texture, {size.x * std::min(scale, 1.f), size.y * std::min(scale, 1.f)});
}

// A combo over "None" and the assets of `kind`; returns true with `chosen` set on a choice.
bool AssetCombo(const std::string& label, Scene& scene, ObjectType kind, const Level::AssetObject* current,
                const Level::AssetObject*& chosen) {
    bool picked = false;
    const std::string shown = current ? current->path.string() : LL::get().lookup("None");
    if (ImGui::BeginCombo(label.c_str(), shown.c_str())) {
        if (ImGui::Selectable((LL::get().lookup("None") + "###none").c_str(), current == nullptr)) {
            chosen = nullptr;
            picked = true;
        }
        for (const auto& [path, a] : scene.assets) {
            if (a.type != kind) continue;
            if (ImGui::Selectable(path.string().c_str(), &a == current)) {
                chosen = &a;
                picked = true;
            }
        }
        ImGui::EndCombo();
    }
    return picked && chosen != current;
}
} // namespace

void Properties::TexturesTab() {
    if (object->type == ObjectType::Text) {
        const Level::AssetObject* font = RealAsset(object->font);
        const Level::AssetObject* chosen = nullptr;
        if (AssetCombo(Label("Fonts", "fonts"), scene, ObjectType::Font, font, chosen))
            PropertyEdit::ChangeFont(scene, name, chosen);
        if (object->font && object->font->font)
            ImGui::Text("%s: %s", LL::get().lookup("Family").c_str(), object->font->font->getInfo().family.c_str());
        ImGui::Separator();
        return;
    }
    const Level::AssetObject* texture = RealAsset(object->texture);
    if (object->texture && object->texture->texture) {
        Preview(*object->texture->texture);
        const sf::Vector2u size = object->texture->texture->getSize();
        ImGui::Text("%s: %u x %u", LL::get().lookup("Texture size").c_str(), size.x, size.y);
    }
    const Level::AssetObject* chosen = nullptr;
    if (AssetCombo(Label("Texture", "texture"), scene, ObjectType::Texture, texture, chosen))
        PropertyEdit::ChangeTexture(scene, name, chosen);
    if (ImGui::BeginDragDropTarget()) {
        if (const ImGuiPayload* payload = ImGui::AcceptDragDropPayload("addtexture")) {
            const std::string path(static_cast<const char*>(payload->Data), static_cast<std::size_t>(payload->DataSize));
            const auto it = scene.assets.find(std::string(path.c_str()));
            if (it != scene.assets.end() && it->second.type == ObjectType::Texture)
                PropertyEdit::ChangeTexture(scene, name, &it->second);
        }
        ImGui::EndDragDropTarget();
    }
    if (texture && ImGui::Button(Label("Remove texture", "removetexture").c_str()))
        PropertyEdit::ChangeTexture(scene, name, nullptr);
    if (object->sprite) {
        sf::IntRect r = object->sprite->getTextureRect();
        int xy[2] = {r.left, r.top};
        int wh[2] = {std::max(r.width, 0), std::max(r.height, 0)};
        const bool a = ImGui::DragInt2(Label("RectXY", "rectxy").c_str(), xy, 1.f, 0, 0, "%d");
        const bool b = ImGui::DragInt2(Label("RectWH", "rectwh").c_str(), wh, 1.f, 0, 1 << 16, "%u",
                                       ImGuiSliderFlags_AlwaysClamp);
        if (a || b) {
            object->sprite->setTextureRect({xy[0], xy[1], wh[0], wh[1]});
            Edited(A::TextureRect);
        }
    }
    if (object->tileMap) {
        TileMap& map = *object->tileMap;
        int size[2] = {static_cast<int>(map.textureTileSize.x), static_cast<int>(map.textureTileSize.y)};
        if (ImGui::DragInt2(Label("Tile textureWH", "tiletexturewh").c_str(), size, 1.f, 1, 1 << 16, "%u",
                            ImGuiSliderFlags_AlwaysClamp)) {
            map.textureTileSize = PropertyEdit::ClampTileSize({static_cast<unsigned>(size[0]), static_cast<unsigned>(size[1])});
            map.flags = TileMap::All;
            Edited(A::TileTextureSize);
        }
        int gap[2] = {static_cast<int>(map.gap.x), static_cast<int>(map.gap.y)};
        if (ImGui::DragInt2(Label("Texture gap", "texturegap").c_str(), gap, 1.f, 0, 1 << 16, "%u",
                            ImGuiSliderFlags_AlwaysClamp)) {
            map.gap = {static_cast<unsigned>(gap[0]), static_cast<unsigned>(gap[1])};
            map.flags = TileMap::All;
            Edited(A::TileTextureGap);
        }
    }
    ImGui::Separator();
}

void Properties::TextureAssetTab() {
    if (asset->font) {
        ImGui::Text("%s: %s", LL::get().lookup("Family").c_str(), asset->font->getInfo().family.c_str());
    } else if (asset->texture) {
        sf::Texture& t = *asset->texture;
        Preview(t);
        ImGui::Text("%s: %u x %u", LL::get().lookup("Local bounds").c_str(), t.getSize().x, t.getSize().y);
        bool smooth = t.isSmooth(), repeated = t.isRepeated();
        if (ImGui::Checkbox(Label("Smooth texture", "smooth").c_str(), &smooth))
            PropertyEdit::SetTextureSmooth(scene, asset->path, smooth);
        if (ImGui::Checkbox(Label("Repeat texture", "repeat").c_str(), &repeated))
            PropertyEdit::SetTextureRepeated(scene, asset->path, repeated);
    }
    ImGui::TextUnformatted(LL::get().lookup("Used by").c_str());
    for (const auto& [n, o] : scene.objects)
        if (o.texture == asset || o.font == asset) ImGui::BulletText("%s", n.c_str());
    ImGui::Separator();
}

void Properties::TilesTab() {
    if (!object->tileMap) {
        sf::err() << "Object not a tilemap!" << std::endl;
        return;
    }
    TileMap& map = *object->tileMap;
    if (ImGui::Button(Label("Export tilemap", "exporttilemap").c_str()) && queuePopUp) queuePopUp(ExportAsset);
    ImGui::SameLine();
    if (ImGui::Button(Label("Import tilemap", "importtilemap").c_str()) && queuePopUp) queuePopUp(ImportTileMapStart);
    int count[2] = {static_cast<int>(map.count.x), static_cast<int>(map.count.y)};
    if (ImGui::InputInt2(Label("Map size", "mapsize").c_str(), count, ImGuiInputTextFlags_EnterReturnsTrue)) {
        const sf::Vector2u wanted{static_cast<unsigned>(std::max(count[0], 1)), static_cast<unsigned>(std::max(count[1], 1))};
        afterDraw.push_back([this, wanted] { PropertyEdit::ResizeTiles(scene, name, wanted); });
    }
    int cell[2] = {static_cast<int>(map.tileSize.x), static_cast<int>(map.tileSize.y)};
    if (ImGui::DragInt2(Label("Tile size", "tilesize").c_str(), cell, 1.f, 1, 1 << 16, "%u", ImGuiSliderFlags_AlwaysClamp)) {
        map.tileSize = PropertyEdit::ClampTileSize({static_cast<unsigned>(std::max(cell[0], 1)),
                                                    static_cast<unsigned>(std::max(cell[1], 1))});
        map.flags = TileMap::All;
        Edited(A::TileSize);
    }
    bool edit = scene.editModeFlag;
    if (ImGui::Checkbox(Label("Edit mode", "editmode").c_str(), &edit)) {
        scene.undo.addMOP(A::EditMode, name, static_cast<std::uint8_t>(scene.editModeFlag));
        scene.editModeFlag = edit;
    }
    ImGui::Checkbox(Label("Scroll tiles", "scrolltiles").c_str(), &scrollTiles);
    ImGui::DragInt(Label("Icons size", "iconsize").c_str(), &iconSize, 0.5f, 8, 256, "%d", ImGuiSliderFlags_AlwaysClamp);
    ImGui::DragInt(Label("Icons per row", "iconsperrow").c_str(), &iconsPerRow, 0.1f, 1, 64, "%d",
                   ImGuiSliderFlags_AlwaysClamp);
    ImGui::Checkbox(Label("Hide objects when editing", "hideobjects").c_str(), &hideObjectsWhenEditing);

    // The tile picker: one button per atlas cell.
    if (map.texture && map.texture->getSize().x > 0) {
        const sf::Vector2u ts = map.texture->getSize();
        const unsigned stepX = map.textureTileSize.x + map.gap.x, stepY = map.textureTileSize.y + map.gap.y;
        const unsigned perRow = std::max(1u, (ts.x + map.gap.x) / std::max(stepX, 1u));
        const unsigned rows = std::max(1u, (ts.y + map.gap.y) / std::max(stepY, 1u));
        const unsigned total = std::min(perRow * rows, 65536u);
        ImGui::BeginChild("tilepicker", ImVec2(0, std::min(300.f, (iconSize + 8.f) * ((total + iconsPerRow - 1) / iconsPerRow))),
                          true, scrollTiles ? 0 : ImGuiWindowFlags_NoScrollWithMouse);
        // Only the rows in sight are built: an atlas may hold thousands of cells.
        const unsigned perLine = static_cast<unsigned>(iconsPerRow);
        ImGuiListClipper clipper;
        clipper.Begin(static_cast<int>((total + perLine - 1) / perLine), iconSize + ImGui::GetStyle().ItemSpacing.y);
        while (clipper.Step())
            for (int row = clipper.DisplayStart; row < clipper.DisplayEnd; ++row)
                for (unsigned id = static_cast<unsigned>(row) * perLine; id < std::min(total, (row + 1u) * perLine); ++id) {
                    if (id % perLine != 0) ImGui::SameLine();
                    ImGui::PushID(static_cast<int>(id));
                    const sf::FloatRect cellRect(static_cast<float>((id % perRow) * stepX),
                                                 static_cast<float>((id / perRow) * stepY),
                                                 static_cast<float>(map.textureTileSize.x),
                                                 static_cast<float>(map.textureTileSize.y));
                    const ImVec2 at = ImGui::GetCursorScreenPos();
                    const sf::Vector2f icon(static_cast<float>(iconSize), static_cast<float>(iconSize));
                    platform::Image(*map.texture, icon, cellRect, sf::Color::White,
                                    id == paintTileId ? sf::Color::Yellow : sf::Color::Transparent);
                    ImGui::SetCursorScreenPos(at);
                    if (ImGui::InvisibleButton(("TileID##" + std::to_string(id)).c_str(), ImVec2(icon.x, icon.y))) {
                        // While replacing, the second tile chosen replaces the first.
                        if (replaceState == 1) replaceState = 2;
                        paintTileId = static_cast<std::uint16_t>(id);
                    }
                    ImGui::PopID();
                }
        ImGui::EndChild();
    }
    ImGui::Text("%s: %u", LL::get().lookup("Selected tile").c_str(), static_cast<unsigned>(paintTileId));
    ImGui::Button(Label("Clear [Double click]", "cleartiles").c_str());
    if (ImGui::IsItemHovered() && ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left)) {
        const std::uint16_t id = paintTileId;
        afterDraw.push_back([this, id] { PropertyEdit::FillTiles(scene, name, id); });
    }
    if (replaceState == 1) {
        if (ImGui::Button(Label("Second tile", "secondtile").c_str())) replaceState = 0;
    } else if (ImGui::Button(Label("Replace selected", "replacetile").c_str())) {
        replaceState = 1;
        replaceTileId = paintTileId;
    }
    ImGui::TextUnformatted(LL::get().lookup("Move all").c_str());
    static const char* const directions[] = {"Left", "Right", "Up", "Down"};
    for (int d = 0; d < 4; ++d) {
        ImGui::SameLine();
        if (ImGui::Button(Label(directions[d], (std::string("shift") + directions[d]).c_str()).c_str()))
            afterDraw.push_back([this, d] { PropertyEdit::ShiftTiles(scene, name, d + 1); });
    }
    ImGui::Separator();
}

} // namespace rux
