#pragma once
// Creating objects from the add-item and load-asset dialogs.
#include "level/Level.hpp"

#include <SFML/System/Vector2.hpp>

#include <filesystem>
#include <string>

namespace rux {

class Scene;

// The add-item entries 0..7: sprite, tile map, particle system, text, vertex object,
// camera, point light, directional light.
inline constexpr int c_addItemTypes = 8;
ObjectType AddItemKind(int type);
// The label of the name field for entry `type` ("Sprite name", ...).
const char* AddItemNameLabel(int type);

struct AddItemRequest {
    int type = 0;
    std::string name;
    // The texture (sprite, tile map) or font (text) asset, a path of the level's assets.
    std::filesystem::path asset;
    sf::Vector2i tileSize{16, 16}; // texture tile size in pixels, each at least 1
    sf::Vector2i mapSize{5, 5};    // tiles, each 1..500
};

// Tile fields as the dialogs let them be: tile size at least 1, map size 1..500.
sf::Vector2i ClampTileSize(sf::Vector2i size);
sf::Vector2i ClampMapSize(sf::Vector2i size);

// Whether "OK" is offered: sprites, tile maps and texts need a name and their asset.
bool AddItemReady(const AddItemRequest& request);

// Creates the object (recorded for undo, mirrored into the reference level) and selects
// it. False (and nothing changed) when the name is taken or the asset is not in the level.
bool AddItemToScene(Scene& scene, const AddItemRequest& request);

// Gives a new tile map its atlas cell size and tile count.
void ApplyTileMapSizes(Level::Object& object, sf::Vector2i tileSize, sf::Vector2i mapSize);

// The name field after the kind changes: a name still equal to the old proposal follows
// the kind; one the user typed stays.
std::string ProposeName(const std::string& current, const std::string& oldProposal, const std::string& newProposal);

} // namespace rux
