#include "ddd/GL.hpp"
#include "generator/CounterImage.hpp"

namespace Tessly
{
    CounterImage::~CounterImage()
    {
        if (m_name)
            glDeleteTextures(1, &m_name);
    }

    void CounterImage::create(std::size_t texels)
    {
        if (!m_name)
            glGenTextures(1, &m_name);
        m_host.assign(texels, 0);
        m_zeros.assign(texels, 0);
        glBindTexture(GL_TEXTURE_1D, m_name);
        glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage1D(GL_TEXTURE_1D, 0, GL_R32I, static_cast<GLsizei>(texels), 0, GL_RED_INTEGER, GL_INT, m_zeros.data());
        glBindImageTexture(0, m_name, 0, GL_FALSE, 0, GL_READ_WRITE, GL_R32I);
    }

    void CounterImage::resetAndBind()
    {
        // Earlier shader writes must land before the upload overwrites them.
        glMemoryBarrier(GL_TEXTURE_UPDATE_BARRIER_BIT);
        glBindTexture(GL_TEXTURE_1D, m_name);
        glTexSubImage1D(GL_TEXTURE_1D, 0, 0, static_cast<GLsizei>(m_zeros.size()), GL_RED_INTEGER, GL_INT,
                        m_zeros.data());
        glBindImageTexture(0, m_name, 0, GL_FALSE, 0, GL_READ_WRITE, GL_R32I);
    }

    const std::vector<std::int32_t>& CounterImage::read()
    {
        glMemoryBarrier(GL_TEXTURE_UPDATE_BARRIER_BIT);
        glBindTexture(GL_TEXTURE_1D, m_name);
        glGetTexImage(GL_TEXTURE_1D, 0, GL_RED_INTEGER, GL_INT, m_host.data());
        return m_host;
    }
}
