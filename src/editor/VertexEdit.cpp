#include "editor/VertexEdit.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace rux {

std::int32_t NextSelectedVertex(const sf::VertexArray& vertices, sf::Vector2f point, std::int32_t current) {
    float best = 0.f;
    std::vector<std::int32_t> nearest;
    for (std::size_t i = 0; i < vertices.getVertexCount(); ++i) {
        const sf::Vector2f d = vertices[i].position - point;
        const float distance = std::sqrt(d.x * d.x + d.y * d.y);
        if (nearest.empty() || distance < best) {
            best = distance;
            nearest.assign(1, static_cast<std::int32_t>(i));
        } else if (distance == best) {
            nearest.push_back(static_cast<std::int32_t>(i));
        }
    }
    if (nearest.empty() || !(best < c_vertexPickRadius)) return -1;
    if (nearest.size() == 1) return nearest.front() == current ? -1 : nearest.front();
    const auto it = std::find(nearest.begin(), nearest.end(), current);
    if (it == nearest.end() || it + 1 == nearest.end()) return nearest.front();
    return *(it + 1);
}

sf::Vector2f SnapToGrid(sf::Vector2f point, sf::Vector2i grid) {
    const float gx = static_cast<float>(std::max(1, grid.x));
    const float gy = static_cast<float>(std::max(1, grid.y));
    return {std::round(point.x / gx) * gx, std::round(point.y / gy) * gy};
}

} // namespace rux
