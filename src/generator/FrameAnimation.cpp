#include "Tessly.hpp"

#include "generator/FrameVertices.hpp"

#include <SFML/System/FileInputStream.hpp>

namespace tyu
{
    bool FrameAnimation::loadFromStream(sf::InputStream& stream)
    {
        Tessly::VideoData data;
        const Tessly::ReadResult result = Tessly::ReadVideo(stream, data);
        if (result == Tessly::ReadResult::WrongMagic)
            return false;
        m_width = data.width;
        m_height = data.height;
        m_frameCount = static_cast<sf::Uint16>(data.frames.size());
        m_frames.assign(data.frames.size(), sf::VertexArray(sf::Triangles));
        m_buffers.assign(data.frames.size(), sf::VertexBuffer(sf::Triangles, sf::VertexBuffer::Static));
        for (std::size_t i = 0; i < data.frames.size(); ++i)
        {
            Tessly::AppendBodyVertices(m_frames[i], data.frames[i]);
            if (m_texture)
                Tessly::SetTextureCoords(m_frames[i], m_texture->getSize());
            Tessly::FillBuffer(m_buffers[i], m_frames[i]);
        }
        return result == Tessly::ReadResult::Complete;
    }

    bool FrameAnimation::loadFromFile(const std::string& path)
    {
        sf::FileInputStream stream;
        return stream.open(path) && loadFromStream(stream);
    }

    void FrameAnimation::setTexture(const sf::Texture* texture)
    {
        if (texture && texture != m_texture)
            for (std::size_t i = 0; i < m_frames.size(); ++i)
            {
                Tessly::SetTextureCoords(m_frames[i], texture->getSize());
                Tessly::FillBuffer(m_buffers[i], m_frames[i]);
            }
        m_texture = texture;
    }

    void FrameAnimation::drawFrame(sf::RenderTarget& target, const sf::RenderStates& states, std::size_t index) const
    {
        if (index >= m_frames.size() || m_frames[index].getVertexCount() == 0)
            return;
        sf::RenderStates s = states;
        if (m_texture)
            s.texture = m_texture;
        if (m_buffers[index].getVertexCount() == m_frames[index].getVertexCount())
            target.draw(m_buffers[index], s);
        else
            target.draw(m_frames[index], s);
    }
}
