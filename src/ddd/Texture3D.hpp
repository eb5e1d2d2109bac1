#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Vector2.hpp>

namespace DDD
{
    class FrameBuffer3D;

    // A 2D OpenGL texture. GL calls go to the context current when they are made.
    class Texture3D
    {
    public:
        enum Type : unsigned
        {
            RGBA = 0x8058,     // GL_RGBA8
            Depth = 0x1902,    // GL_DEPTH_COMPONENT
        };

        Texture3D() = default;
        ~Texture3D();
        Texture3D(const Texture3D&) = delete;
        Texture3D& operator=(const Texture3D&) = delete;

        // (Re)creates the storage with undefined contents. An empty size is reported and ignored.
        bool create(sf::Vector2u size, Type type = RGBA);
        // Row 0 of the image becomes texture row 0.
        bool loadFromImage(const sf::Image& image, Type type = RGBA);
        // Texture row 0 first; a framebuffer's texture is flipped so the result reads top-down.
        void copyToImage(sf::Image& image) const;

        void setSmooth(bool smooth) { m_smooth = smooth; }
        void setRepeated(bool repeated) { m_repeated = repeated; }
        sf::Vector2u getSize() const { return m_size; }
        unsigned getHandle() const { return m_name; }

    private:
        friend class FrameBuffer3D;

        unsigned m_name = 0;
        sf::Vector2u m_size;
        Type m_type = RGBA;
        bool m_smooth = false;
        bool m_repeated = false;
        mutable bool m_attached = false;
    };

    // Makes texture unit `unit` the active one.
    void TextureSlot(unsigned unit);
    // Binds the texture (or none) as the 2D texture of the active unit.
    void BindTexture(const Texture3D* texture);
}
