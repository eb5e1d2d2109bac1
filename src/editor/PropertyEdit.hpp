#pragma once
// The edits the properties panel makes, without the panel: each changes the scene object,
// records one undo step (or one group) with the old value and brings the object's twin in
// the reference level up to date, so that undo gives back exactly what was there.
//
// Plain values are edited on the object by the caller (many frames of a drag) and recorded
// once when the edit is finished with CommitEdit, which finds the old value in the twin.
#include "editor/Scene.hpp"

#include <SFML/Graphics/Vertex.hpp>

#include <cstdint>
#include <string>

namespace rux::PropertyEdit {

// Records object `name`'s property `action` when it differs from the twin's. Works for every
// property ReadProperty knows, diffed or not. True when a step was recorded.
bool CommitEdit(Scene& scene, const std::string& name, UndoAction action);

// Asset references (null: the placeholder texture or font).
bool ChangeTexture(Scene& scene, const std::string& name, const Level::AssetObject* asset);
bool ChangeFont(Scene& scene, const std::string& name, const Level::AssetObject* asset);
// Texture asset switches (asset steps).
bool SetTextureSmooth(Scene& scene, const std::filesystem::path& path, bool on);
bool SetTextureRepeated(Scene& scene, const std::filesystem::path& path, bool on);

// Vertex objects. Indices out of range are refused with a line on sf::err().
bool AppendVertex(Scene& scene, const std::string& name, const sf::Vertex& vertex);
bool RemoveVertex(Scene& scene, const std::string& name, int index);
// The vertex at `index` was edited on the object.
bool CommitVertex(Scene& scene, const std::string& name, int index);

// Hitboxes.
bool AddHitbox(Scene& scene, const std::string& name);
bool DeleteHitbox(Scene& scene, const std::string& name);
bool AddHitLine(Scene& scene, const std::string& name, sf::Vector2f start, sf::Vector2f end);
bool RemoveHitLine(Scene& scene, const std::string& name, int index);
// Line `index` was edited on the object: its start (or end) is recorded.
bool CommitHitLine(Scene& scene, const std::string& name, int index, bool end);

// Tile maps: new map size (ids kept where they fit), whole-map fill and shifts.
bool ResizeTiles(Scene& scene, const std::string& name, sf::Vector2u count);
bool FillTiles(Scene& scene, const std::string& name, std::uint16_t id);
// direction 1 left, 2 right, 3 up, 4 down; the row or column pushed out comes in on the
// other side.
bool ShiftTiles(Scene& scene, const std::string& name, int direction);

// Clamps applied where values are typed.
int ClampZ(int z);
sf::Vector2u ClampTileSize(sf::Vector2u size);   // each side at least 1
sf::Vector2u ClampTileCount(sf::Vector2u count); // 1 … c_maxTileCount per side
float ClampSpawnDelay(float seconds);           // above zero
std::int32_t ClampMaxParticles(std::int32_t n); // 1 … c_maxParticles
std::int32_t ClampSpawnCount(std::int32_t n);   // 1 … c_maxParticles
// Light resolution typed as the exponent n of 2^n; gives the stored power of two.
std::uint16_t LightResolutionFromExponent(int n);
int LightResolutionExponent(std::uint16_t resolution);
unsigned ClampCharacterSize(int size);          // 1 … 1000

} // namespace rux::PropertyEdit
