#pragma once
// Object kind 10: a view into the level; its position is the view centre.
#include <SFML/Graphics/View.hpp>

namespace rux {

struct Camera : sf::View {
    using sf::View::View;
    // Resolution multiplier used when the camera is rendered to an image.
    float textureMultiplier = 1.f;
};

} // namespace rux
