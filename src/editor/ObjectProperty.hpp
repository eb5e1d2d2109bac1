#pragma once
// Reading and writing one editable property of an object as the bytes an undo step keeps
// (layouts in UndoAction.hpp). Writing what was read gives back the same object, which is
// what makes undo exact.
#include "editor/UndoAction.hpp"
#include "level/Level.hpp"

#include <cstdint>
#include <vector>

namespace rux {

using PropertyBytes = std::vector<std::uint8_t>;

// The properties findFromDiff compares.
bool IsDiffedAction(UndoAction action);
const std::vector<UndoAction>& DiffedActions();

// False when the object has no such property (wrong kind) or the action is not a plain value.
bool ReadProperty(const Level::Object& object, UndoAction action, PropertyBytes& out);
// False, changing nothing, when the object has no such property or the bytes do not fit.
bool WriteProperty(Level::Object& object, UndoAction action, const PropertyBytes& value);

// Reverses the structural actions (vertices, hit lines, hitboxes, tiles) on one object.
bool ReverseStructural(Level::Object& object, UndoAction action, const PropertyBytes& value);

// The object's colour pushed into its drawable (sprite, text, tile map and light colours).
void ApplyObjectColor(Level::Object& object);

// Points the object and its drawable at another texture or font asset (null: none). The
// drawable never keeps a pointer to the resource of the asset it leaves.
void SetObjectTexture(Level::Object& object, const Level::AssetObject* asset);
void SetObjectFont(Level::Object& object, const Level::AssetObject* asset);

// Tile ids of a tile map in the layout of UndoAction::Tiles.
PropertyBytes TileBytes(const TileMap& map);

} // namespace rux
