#pragma once
// A vertex buffer that is created only when first filled, so that objects holding one can be
// built, copied and destroyed without an OpenGL context (headless readers, fuzzers). A copy
// starts empty: its owner uploads again, and until then draws from its own vertex array.
#include <SFML/Graphics/PrimitiveType.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/VertexBuffer.hpp>
#include <cstddef>
#include <memory>

namespace sf { class RenderTarget; }

namespace rux {

class GpuBuffer {
public:
    explicit GpuBuffer(sf::PrimitiveType primitive = sf::Triangles,
                       sf::VertexBuffer::Usage usage = sf::VertexBuffer::Dynamic);
    GpuBuffer(const GpuBuffer& other);
    GpuBuffer& operator=(const GpuBuffer& other);
    GpuBuffer(GpuBuffer&&) noexcept = default;
    GpuBuffer& operator=(GpuBuffer&&) noexcept = default;
    ~GpuBuffer();

    void setPrimitiveType(sf::PrimitiveType primitive);
    sf::PrimitiveType getPrimitiveType() const { return m_primitive; }
    sf::VertexBuffer::Usage getUsage() const { return m_usage; }
    // Vertices held on the GPU; 0 while nothing was uploaded.
    std::size_t getVertexCount() const;

    // Replaces the whole contents (resizing the buffer when the count differs). Does nothing
    // and returns false when vertex buffers are unavailable.
    bool upload(const sf::Vertex* vertices, std::size_t count);
    // Overwrites `count` vertices at `offset`; false when the range is outside the buffer.
    bool uploadRange(const sf::Vertex* vertices, std::size_t count, std::size_t offset);
    void clear();

    // Draws the buffer when it holds exactly `count` vertices; otherwise returns false and
    // the caller draws its vertex array instead.
    bool draw(sf::RenderTarget& target, std::size_t count, const sf::RenderStates& states) const;

private:
    std::unique_ptr<sf::VertexBuffer> m_buffer;
    sf::PrimitiveType m_primitive;
    sf::VertexBuffer::Usage m_usage;
};

} // namespace rux
