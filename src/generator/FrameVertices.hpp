#pragma once

#include "generator/FrameCodec.hpp"

#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/Graphics/VertexBuffer.hpp>

namespace Tessly
{
    // Six triangle vertices per shape: corners c0 c1 c2 c3 c0 c2 of the rotated square.
    void AppendShapeVertices(sf::VertexArray& vertices, const FrameShape& shape);
    void AppendBodyVertices(sf::VertexArray& vertices, const FrameBody& body);

    // Gives every shape the full rectangle of a texture of that size.
    void SetTextureCoords(sf::VertexArray& vertices, sf::Vector2u textureSize);

    // Fills the buffer from the array when the driver has vertex buffers; false otherwise.
    bool FillBuffer(sf::VertexBuffer& buffer, const sf::VertexArray& vertices);
}
