#include "ddd/GL.hpp"
#include "ddd/FrameBuffer3D.hpp"

namespace DDD
{
    FrameBuffer3D::FrameBuffer3D() { glGenFramebuffers(1, &m_name); }

    FrameBuffer3D::~FrameBuffer3D()
    {
        if (m_name)
            glDeleteFramebuffers(1, &m_name);
    }

    void FrameBuffer3D::attachTexture(const Texture3D& texture, Type attachment)
    {
        glBindFramebuffer(GL_FRAMEBUFFER, m_name);
        glFramebufferTexture2D(GL_FRAMEBUFFER, attachment, GL_TEXTURE_2D, texture.getHandle(), 0);
        m_size = texture.getSize();
        texture.m_attached = true;
        initialize(m_size);
    }

    void FrameBuffer3D::activate() { glBindFramebuffer(GL_FRAMEBUFFER, m_name); }

    void BindFrameBuffer(const FrameBuffer3D* framebuffer)
    {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer ? framebuffer->getHandle() : 0);
    }
}
