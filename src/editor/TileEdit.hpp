#pragma once
// Tile map edits of the editor: the cell under the mouse, filling, replacing and shifting.
// Each changes ids only; the caller records the undo step.
#include "level/TileMap.hpp"

#include <cstdint>
#include <optional>

namespace rux {

// The cell at `local` (the map's own coordinates): each axis divided by the tile size and
// truncated toward zero, so a point less than one tile left of or above the map still hits
// the first column or row. Nothing outside the map or for a tile size of 0.
std::optional<sf::Vector2u> TileCellAt(const TileMap& map, sf::Vector2f local);

// Stores `id` in the cell; false when it held `id` already. Only that cell is redrawn.
bool PaintTile(TileMap& map, sf::Vector2u cell, std::uint16_t id);
void FillTiles(TileMap& map, std::uint16_t id);
// Returns the number of cells changed.
std::size_t ReplaceTiles(TileMap& map, std::uint16_t from, std::uint16_t to);

// Moves the whole content one cell: 1 left, 2 right, 3 up, 4 down; vacated cells become 0.
// Other directions do nothing (false).
bool ShiftTiles(TileMap& map, int direction);

} // namespace rux
