#pragma once

#include "ddd/RenderTarget3D.hpp"
#include "ddd/Texture3D.hpp"

namespace DDD
{
    // An OpenGL framebuffer drawing into an attached texture.
    class FrameBuffer3D : public RenderTarget3D
    {
    public:
        enum Type : unsigned
        {
            Color0 = 0x8CE0,   // GL_COLOR_ATTACHMENT0
            Depth = 0x8D00,    // GL_DEPTH_ATTACHMENT
        };

        FrameBuffer3D();
        ~FrameBuffer3D() override;
        FrameBuffer3D(const FrameBuffer3D&) = delete;
        FrameBuffer3D& operator=(const FrameBuffer3D&) = delete;

        // Attaches level 0 of the texture; the viewport becomes the texture's size and the
        // projection a default perspective until the caller sets its own.
        void attachTexture(const Texture3D& texture, Type attachment = Color0);

        unsigned getHandle() const { return m_name; }
        sf::Vector2u getSize() const { return m_size; }

    protected:
        void activate() override;

    private:
        unsigned m_name = 0;
        sf::Vector2u m_size;
    };

    // Binds the framebuffer, or the default one for null.
    void BindFrameBuffer(const FrameBuffer3D* framebuffer);
}
