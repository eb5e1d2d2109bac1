#include "ddd/GL.hpp"
#include "ddd/Texture3D.hpp"

#include <SFML/System/Err.hpp>

#include <ostream>
#include <vector>

namespace DDD
{
    Texture3D::~Texture3D()
    {
        if (m_name)
            glDeleteTextures(1, &m_name);
    }

    bool Texture3D::create(sf::Vector2u size, Type type)
    {
        if (size.x == 0 || size.y == 0)
        {
            sf::err() << "Cannot create empty texture." << std::endl;
            return false;
        }
        if (!m_name)
            glGenTextures(1, &m_name);
        m_size = size;
        m_type = type;
        glBindTexture(GL_TEXTURE_2D, m_name);
        const GLint filter = m_smooth ? GL_LINEAR : GL_NEAREST;
        const GLint wrap = m_repeated ? GL_REPEAT : GL_CLAMP_TO_EDGE;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
        if (type == Depth)
            glTexImage2D(GL_TEXTURE_2D, 0, type, size.x, size.y, 0, GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
        else
            glTexImage2D(GL_TEXTURE_2D, 0, type, size.x, size.y, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        return true;
    }

    bool Texture3D::loadFromImage(const sf::Image& image, Type type)
    {
        if (!create(image.getSize(), type))
            return false;
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, m_size.x, m_size.y, GL_RGBA, GL_UNSIGNED_BYTE, image.getPixelsPtr());
        return true;
    }

    void Texture3D::copyToImage(sf::Image& image) const
    {
        if (!m_name)
            return;
        std::vector<sf::Uint8> pixels(std::size_t(m_size.x) * m_size.y * 4);
        glBindTexture(GL_TEXTURE_2D, m_name);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        image.create(m_size.x, m_size.y, pixels.data());
        if (m_attached)
            image.flipVertically();
    }

    void TextureSlot(unsigned unit) { glActiveTexture(GL_TEXTURE0 + unit); }

    void BindTexture(const Texture3D* texture) { glBindTexture(GL_TEXTURE_2D, texture ? texture->getHandle() : 0); }
}
