#include "generator/FrameVertices.hpp"

#include <SFML/Graphics/Transform.hpp>

namespace Tessly
{
    void AppendShapeVertices(sf::VertexArray& vertices, const FrameShape& shape)
    {
        sf::Transform t;
        t.translate(float(shape.x), float(shape.y));
        t.rotate(360.f - float(shape.rotation) * 360.f / 512.f);
        t.scale(float(shape.size), float(shape.size));
        const sf::Vector2f c[4] = {t.transformPoint(-0.5f, -0.5f), t.transformPoint(0.5f, -0.5f),
                                   t.transformPoint(0.5f, 0.5f), t.transformPoint(-0.5f, 0.5f)};
        const sf::Color colour(shape.red, shape.green, shape.blue, 255);
        for (int corner : {0, 1, 2, 3, 0, 2})
            vertices.append(sf::Vertex(c[corner], colour));
    }

    void AppendBodyVertices(sf::VertexArray& vertices, const FrameBody& body)
    {
        for (const FrameShape& shape : body.shapes)
            AppendShapeVertices(vertices, shape);
    }

    void SetTextureCoords(sf::VertexArray& vertices, sf::Vector2u textureSize)
    {
        const float w = float(textureSize.x), h = float(textureSize.y);
        const sf::Vector2f corner[6] = {{0, 0}, {w, 0}, {w, h}, {0, h}, {0, 0}, {w, h}};
        for (std::size_t i = 0; i < vertices.getVertexCount(); ++i)
            vertices[i].texCoords = corner[i % 6];
    }

    bool FillBuffer(sf::VertexBuffer& buffer, const sf::VertexArray& vertices)
    {
        if (!sf::VertexBuffer::isAvailable() || vertices.getVertexCount() == 0)
            return false;
        return buffer.create(vertices.getVertexCount()) && buffer.update(&vertices[0]);
    }
}
