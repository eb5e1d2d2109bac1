#pragma once
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Transform.hpp>

namespace rux::Collision {

// Whether `point` lies inside the quadrilateral that `transform` makes of `rect`. Used for
// picking objects with the mouse; edges are half-open like the rectangle's own test.
bool TransformedRectangle_Point(const sf::Rect<float>& rect, const sf::Transform& transform,
                                const sf::Vector2<float>& point);

} // namespace rux::Collision
