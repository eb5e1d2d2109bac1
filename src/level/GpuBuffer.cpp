#include "level/GpuBuffer.hpp"
#include "level/Graphics.hpp"
#include <SFML/Graphics/RenderTarget.hpp>

namespace rux {

GpuBuffer::GpuBuffer(sf::PrimitiveType primitive, sf::VertexBuffer::Usage usage)
    : m_primitive(primitive), m_usage(usage) {}

GpuBuffer::GpuBuffer(const GpuBuffer& other)
    : m_primitive(other.m_primitive), m_usage(other.m_usage) {}

GpuBuffer& GpuBuffer::operator=(const GpuBuffer& other) {
    if (this != &other) {
        m_buffer.reset();
        m_primitive = other.m_primitive;
        m_usage = other.m_usage;
    }
    return *this;
}

GpuBuffer::~GpuBuffer() = default;

void GpuBuffer::setPrimitiveType(sf::PrimitiveType primitive) {
    m_primitive = primitive;
    if (m_buffer) m_buffer->setPrimitiveType(primitive);
}

std::size_t GpuBuffer::getVertexCount() const { return m_buffer ? m_buffer->getVertexCount() : 0; }

bool GpuBuffer::upload(const sf::Vertex* vertices, std::size_t count) {
    if (count == 0 || !Graphics::vertexBuffersAvailable()) return false;
    if (!m_buffer) m_buffer = std::make_unique<sf::VertexBuffer>(m_primitive, m_usage);
    if (m_buffer->getVertexCount() != count && !m_buffer->create(count)) {
        m_buffer.reset();
        return false;
    }
    return m_buffer->update(vertices, count, 0);
}

bool GpuBuffer::uploadRange(const sf::Vertex* vertices, std::size_t count, std::size_t offset) {
    if (!m_buffer || offset > m_buffer->getVertexCount() ||
        count > m_buffer->getVertexCount() - offset)
        return false;
    return count == 0 || m_buffer->update(vertices, static_cast<unsigned>(count),
                                          static_cast<unsigned>(offset));
}

void GpuBuffer::clear() { m_buffer.reset(); }

bool GpuBuffer::draw(sf::RenderTarget& target, std::size_t count,
                     const sf::RenderStates& states) const {
    if (!m_buffer || count == 0 || m_buffer->getVertexCount() != count) return false;
    target.draw(*m_buffer, states);
    return true;
}

} // namespace rux
