#include "editor/TileEdit.hpp"

#include <algorithm>

namespace rux {

std::optional<sf::Vector2u> TileCellAt(const TileMap& map, sf::Vector2f local) {
    if (map.tileSize.x == 0 || map.tileSize.y == 0) return std::nullopt;
    const float qx = local.x / static_cast<float>(map.tileSize.x);
    const float qy = local.y / static_cast<float>(map.tileSize.y);
    // Compared as floats first: a far-away point must not overflow the conversion.
    if (!(qx > -1.f && qy > -1.f) || qx >= static_cast<float>(map.count.x) || qy >= static_cast<float>(map.count.y))
        return std::nullopt;
    const auto column = static_cast<unsigned>(static_cast<long long>(qx));
    const auto row = static_cast<unsigned>(static_cast<long long>(qy));
    if (column >= map.count.x || row >= map.count.y) return std::nullopt;
    return sf::Vector2u(column, row);
}

bool PaintTile(TileMap& map, sf::Vector2u cell, std::uint16_t id) {
    if (cell.x >= map.tiles.size() || cell.y >= map.tiles[cell.x].size()) return false;
    if (map.tiles[cell.x][cell.y] == id) return false;
    map.setTile(cell.x, cell.y, id);
    return true;
}

void FillTiles(TileMap& map, std::uint16_t id) {
    for (auto& column : map.tiles) std::fill(column.begin(), column.end(), id);
    map.flags |= TileMap::TexCoords;
}

std::size_t ReplaceTiles(TileMap& map, std::uint16_t from, std::uint16_t to) {
    std::size_t changed = 0;
    for (auto& column : map.tiles)
        for (auto& id : column)
            if (id == from && from != to) {
                id = to;
                ++changed;
            }
    map.flags |= TileMap::TexCoords;
    return changed;
}

bool ShiftTiles(TileMap& map, int direction) {
    auto& t = map.tiles;
    switch (direction) {
    case 1: // left: each column takes the next one
        if (!t.empty()) {
            std::rotate(t.begin(), t.begin() + 1, t.end());
            std::fill(t.back().begin(), t.back().end(), 0);
        }
        break;
    case 2: // right
        if (!t.empty()) {
            std::rotate(t.rbegin(), t.rbegin() + 1, t.rend());
            std::fill(t.front().begin(), t.front().end(), 0);
        }
        break;
    case 3: // up: in each column each row takes the next one
        for (auto& column : t)
            if (!column.empty()) {
                std::rotate(column.begin(), column.begin() + 1, column.end());
                column.back() = 0;
            }
        break;
    case 4: // down
        for (auto& column : t)
            if (!column.empty()) {
                std::rotate(column.rbegin(), column.rbegin() + 1, column.rend());
                column.front() = 0;
            }
        break;
    default: return false;
    }
    map.flags |= TileMap::TexCoords;
    return true;
}

} // namespace rux
