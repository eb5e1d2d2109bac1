#include "ddd/GL.hpp"
#include "ddd/VertexBuffer3D.hpp"

namespace DDD
{
    unsigned CreateBuffer()
    {
        GLuint name = 0;
        glGenBuffers(1, &name);
        return name;
    }

    void DeleteBuffer(unsigned name)
    {
        if (name)
            glDeleteBuffers(1, &name);
    }

    void UploadBuffer(unsigned name, const void* data, std::size_t bytes, int usage)
    {
        const GLenum glUsage = usage == 1 ? GL_DYNAMIC_DRAW : usage == 2 ? GL_STREAM_DRAW : GL_STATIC_DRAW;
        glBindBuffer(GL_ARRAY_BUFFER, name);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), data, glUsage);
    }
}
