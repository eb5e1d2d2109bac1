#pragma once

#include <cstdint>
#include <vector>

namespace DDD
{
    // Uploads raw vertex bytes; keeps the template header free of OpenGL.
    unsigned CreateBuffer();
    void DeleteBuffer(unsigned name);
    void UploadBuffer(unsigned name, const void* data, std::size_t bytes, int usage);

    // A vertex list mirrored in an OpenGL array buffer. Every attribute of T is two floats,
    // laid out in order; attributes() lists their shader locations.
    template <typename T>
    class VertexBuffer3D
    {
    public:
        enum Usage { Static = 0, Dynamic = 1, Stream = 2 };

        explicit VertexBuffer3D(int usage = Static) : m_usage(usage), m_name(CreateBuffer()) {}
        ~VertexBuffer3D() { DeleteBuffer(m_name); }
        VertexBuffer3D(const VertexBuffer3D&) = delete;
        VertexBuffer3D& operator=(const VertexBuffer3D&) = delete;

        std::vector<T>& vertices() { return m_vertices; }
        const std::vector<T>& vertices() const { return m_vertices; }
        void setAttributes(std::vector<std::uint8_t> locations) { m_attributes = std::move(locations); }
        const std::vector<std::uint8_t>& attributes() const { return m_attributes; }

        // Sends the whole list to the buffer.
        void update() { UploadBuffer(m_name, m_vertices.data(), m_vertices.size() * sizeof(T), m_usage); }

        unsigned getHandle() const { return m_name; }

    private:
        std::vector<T> m_vertices;
        int m_usage;
        unsigned m_name;
        std::vector<std::uint8_t> m_attributes;
    };
}
