#pragma once
// Vertex editing arithmetic: which vertex a click selects and where a snapped vertex lands.
#include <SFML/Graphics/VertexArray.hpp>

#include <cstdint>

namespace rux {

// In world units, whatever the zoom: the extent of a vertex handle.
inline constexpr float c_vertexPickRadius = 2.82842f;

// The vertex a click at `point` selects when `current` is selected (−1: none). Among the
// vertices nearest the point (within the pick radius) the one after `current` in index order,
// cyclically, so that repeated clicks step through stacked vertices; a click on the only
// nearest vertex when it is already selected deselects it; −1 when none is close enough.
std::int32_t NextSelectedVertex(const sf::VertexArray& vertices, sf::Vector2f point, std::int32_t current);

// `point` on the nearest grid crossing (halves away from zero); a grid axis below 1 counts as 1.
sf::Vector2f SnapToGrid(sf::Vector2f point, sf::Vector2i grid);

} // namespace rux
