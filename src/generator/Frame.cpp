#include "Tessly.hpp"

#include "generator/FrameVertices.hpp"

#include <SFML/System/FileInputStream.hpp>

#include <algorithm>

namespace tyu
{
    Frame::Frame() : m_vertices(sf::Triangles), m_buffer(sf::Triangles, sf::VertexBuffer::Static) {}

    bool Frame::loadFromStream(sf::InputStream& stream)
    {
        Tessly::FrameData data;
        const Tessly::ReadResult result = Tessly::ReadFrame(stream, data);
        if (result == Tessly::ReadResult::WrongMagic)
            return false;
        m_width = data.width;
        m_height = data.height;
        m_vertices.clear();
        Tessly::AppendBodyVertices(m_vertices, data.body);
        if (m_texture)
            Tessly::SetTextureCoords(m_vertices, m_texture->getSize());
        Tessly::FillBuffer(m_buffer, m_vertices);
        return result == Tessly::ReadResult::Complete;
    }

    bool Frame::loadFromFile(const std::string& path)
    {
        sf::FileInputStream stream;
        return stream.open(path) && loadFromStream(stream);
    }

    void Frame::setTexture(const sf::Texture* texture)
    {
        if (texture && texture != m_texture)
        {
            Tessly::SetTextureCoords(m_vertices, texture->getSize());
            // The buffer is what gets drawn, so it must carry the new coordinates too.
            Tessly::FillBuffer(m_buffer, m_vertices);
        }
        m_texture = texture;
    }

    void Frame::drawShapes(sf::RenderTarget& target, sf::RenderStates states, std::size_t count) const
    {
        const std::size_t vertices = std::min(count, getShapeCount()) * 6;
        if (vertices == 0)
            return;
        if (m_texture)
            states.texture = m_texture;
        if (m_buffer.getVertexCount() == m_vertices.getVertexCount())
            target.draw(m_buffer, 0, vertices, states);
        else
            target.draw(&m_vertices[0], vertices, sf::Triangles, states);
    }

    void Frame::draw(sf::RenderTarget& target, sf::RenderStates states) const
    {
        drawShapes(target, states, getShapeCount());
    }
}
