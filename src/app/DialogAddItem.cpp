// The add-item dialog: a new object of any kind, named and given its texture or font.
#include "app/DialogAddItem.hpp"

#include "app/App.hpp"
#include "app/DialogButtons.hpp"
#include "editor/Scene.hpp"
#include "env/LL.hpp"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <array>

namespace rux {

namespace {
constexpr std::array<ObjectType, c_addItemTypes> c_kinds{
    ObjectType::Sprite,       ObjectType::TileMap, ObjectType::ParticleSystem, ObjectType::Text,
    ObjectType::VertexObject, ObjectType::Camera,  ObjectType::PointLight,     ObjectType::DirectionalLight};
constexpr std::array<const char*, c_addItemTypes> c_nameLabels{
    "Sprite name",        "Tilemap name", "Particle system name", "Text name",
    "Vertex object name", "Camera name",  "Point light name",     "Directional light name"};

bool ValidType(int type) { return type >= 0 && type < c_addItemTypes; }
} // namespace

ObjectType AddItemKind(int type) { return ValidType(type) ? c_kinds[static_cast<std::size_t>(type)] : ObjectType::None; }

const char* AddItemNameLabel(int type) { return ValidType(type) ? c_nameLabels[static_cast<std::size_t>(type)] : ""; }

sf::Vector2i ClampTileSize(sf::Vector2i size) { return {std::max(1, size.x), std::max(1, size.y)}; }

sf::Vector2i ClampMapSize(sf::Vector2i size) { return {std::clamp(size.x, 1, 500), std::clamp(size.y, 1, 500)}; }

bool AddItemReady(const AddItemRequest& request) {
    const ObjectType kind = AddItemKind(request.type);
    if (kind == ObjectType::Sprite || kind == ObjectType::TileMap || kind == ObjectType::Text)
        return !request.name.empty() && !request.asset.empty();
    return kind != ObjectType::None;
}

void ApplyTileMapSizes(Level::Object& object, sf::Vector2i tileSize, sf::Vector2i mapSize) {
    TileMap* map = object.tileMap.get();
    if (!map)
        return;
    tileSize = ClampTileSize(tileSize);
    mapSize = ClampMapSize(mapSize);
    map->textureTileSize = {static_cast<unsigned>(tileSize.x), static_cast<unsigned>(tileSize.y)};
    map->flags |= TileMap::TexCoords;
    map->count = {static_cast<unsigned>(mapSize.x), static_cast<unsigned>(mapSize.y)};
    map->ResizeBuffer();
}

bool AddItemToScene(Scene& scene, const AddItemRequest& request) {
    const ObjectType kind = AddItemKind(request.type);
    if (!AddItemReady(request) || request.name.empty() || scene.objects.count(request.name))
        return false;
    const std::string& name = request.name;
    bool added = false;
    if (kind == ObjectType::Sprite || kind == ObjectType::TileMap) {
        const auto asset = scene.assets.find(request.asset);
        if (asset == scene.assets.end() || asset->second.type != ObjectType::Texture)
            return false;
        added = scene.AddObject(name, asset->second, kind);
        if (added && kind == ObjectType::TileMap) {
            ApplyTileMapSizes(scene.objects.at(name), request.tileSize, request.mapSize);
            scene.MirrorToReference(name);
        }
    } else if (kind == ObjectType::Text) {
        const auto asset = scene.assets.find(request.asset);
        if (asset == scene.assets.end() || asset->second.type != ObjectType::Font)
            return false;
        // A text takes its font from the entry prepared under its name.
        scene.objects[name].font = &asset->second;
        added = scene.AddObjectNoTextures(name, kind);
        if (!added)
            scene.objects.erase(name);
    } else {
        added = scene.AddObjectNoTextures(name, kind);
    }
    if (added)
        scene.SelectObject(name);
    return added;
}

std::string ProposeName(const std::string& current, const std::string& oldProposal, const std::string& newProposal) {
    return current == oldProposal ? newProposal : current;
}

void App::AddItemDialog() {
    const float scale = settings.menuScale;
    const LL& ll = LL::get();
    AddItemRequest& req = addItemRequest;
    if (popUpFreshOpen[AddItem]) {
        popUpFreshOpen[AddItem] = false;
        req.asset.clear();
    }
    if (addItemType >= c_addItemTypes)
        addItemType = 0;
    ImGui::BeginChild("##AddItem", {0, -30 * scale});
    if (ImGui::BeginCombo(ll.lookup("Item").c_str(), LL::ind("AssetType[]", addItemType).c_str())) {
        for (std::uint8_t u = 0; u < c_addItemTypes; ++u)
            if (ImGui::Selectable(LL::ind("AssetType[]", u).c_str(), u == addItemType)) {
                if (u != addItemType)
                    req.asset.clear();
                addItemType = u;
                newObjectName = scene.getFreeNextObjectName(AddItemKind(u));
            }
        ImGui::EndCombo();
    }
    req.type = addItemType;
    const ObjectType kind = AddItemKind(addItemType);
    ImGui::InputText(ll.lookup(AddItemNameLabel(addItemType)).c_str(), &newObjectName);
    if (kind == ObjectType::Sprite || kind == ObjectType::TileMap || kind == ObjectType::Text) {
        const ObjectType assetKind = kind == ObjectType::Text ? ObjectType::Font : ObjectType::Texture;
        const std::string preview = req.asset.generic_string();
        if (ImGui::BeginCombo(ll.lookup(assetKind == ObjectType::Font ? "Font" : "Texture").c_str(), preview.c_str())) {
            for (const auto& [path, asset] : scene.assets)
                if (asset.type == assetKind && ImGui::Selectable(path.generic_string().c_str(), path == req.asset))
                    req.asset = path;
            ImGui::EndCombo();
        }
    }
    if (kind == ObjectType::TileMap) {
        ImGui::InputInt2(ll.lookup("Texture tile size (pixels)").c_str(), &req.tileSize.x);
        req.tileSize = ClampTileSize(req.tileSize);
        ImGui::InputInt2(ll.lookup("Map size (tiles)").c_str(), &req.mapSize.x);
        req.mapSize = ClampMapSize(req.mapSize);
    }
    ImGui::EndChild();

    req.name = newObjectName;
    const bool ready = AddItemReady(req);
    ImGui::BeginDisabled(!ready);
    const bool ok = ImGui::Button(ll.lookup("OK").c_str(), {HalfWidth(), 0});
    ImGui::EndDisabled();
    if (ready && (ok || DialogEnter())) {
        if (!AddItemToScene(scene, req))
            scene.errorText += "Cannot add " + newObjectName + ": the name is taken or its asset is missing.\n";
        ClosePopUp();
        return;
    }
    ImGui::SameLine();
    if (ImGui::Button(ll.lookup("Cancel").c_str(), {-1, 0}) || DialogEscape())
        ClosePopUp();
}

} // namespace rux
