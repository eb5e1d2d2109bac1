#pragma once

#include "ddd/Transform3D.hpp"

#include <SFML/Graphics/BlendMode.hpp>

namespace DDD
{
    class Texture3D;
    class Shader3D;

    struct RenderStates3D
    {
        enum CoordinateType { Normalized, Pixels };

        sf::BlendMode blendMode = sf::BlendAlpha;
        Transform3D transform;
        const Texture3D* texture = nullptr;
        Shader3D* shader = nullptr;
        CoordinateType coordinateType = Pixels;
    };
}
