#include "level/VertexObject.hpp"
#include "level/Graphics.hpp"
#include <SFML/Graphics/RenderTarget.hpp>

namespace rux {
namespace {
constexpr float c_iconExtent = 2.82842f;
}

VertexObject::VertexObject()
    : buffer(sf::Points, sf::VertexBuffer::Dynamic), useGpuBuffer(Graphics::vertexBuffersAvailable()),
      selectIcons(sf::Triangles) {}

sf::PrimitiveType VertexObject::PrimitiveFor(std::int32_t code) {
    switch (code) {
    case 0: return sf::Points;
    case 1: return sf::Lines;
    case 2: return sf::LineStrip;
    case 3: return sf::Triangles;
    case 4: return sf::TriangleStrip;
    case 5: return sf::TriangleFan;
    default: return sf::Triangles;
    }
}

void VertexObject::setPrimitiveCode(std::int32_t code) {
    m_primitiveCode = code;
    vertices.setPrimitiveType(PrimitiveFor(code));
    buffer.setPrimitiveType(PrimitiveFor(code));
}

std::int32_t VertexObject::getPrimitiveCode() const {
    const sf::PrimitiveType current = vertices.getPrimitiveType();
    return PrimitiveFor(m_primitiveCode) == current ? m_primitiveCode : static_cast<std::int32_t>(current);
}

void VertexObject::Update() {
    if (vertices.getVertexCount() == 0) return;
    buffer.setPrimitiveType(vertices.getPrimitiveType());
    buffer.upload(&vertices[0], vertices.getVertexCount());
}

void VertexObject::placeIcon(std::size_t first, sf::Vector2f p) {
    const float e = c_iconExtent;
    const sf::Vector2f pos[6] = {{p.x - e, p.y - e}, {p.x + e, p.y - e}, {p.x + e, p.y + e},
                                 {p.x - e, p.y + e}, {p.x - e, p.y - e}, {p.x + e, p.y + e}};
    for (std::size_t k = 0; k < 6; ++k) selectIcons[first + k].position = pos[k];
}

void VertexObject::generateSelectIcons() {
    static const sf::Vector2f tex[6] = {{0, 0}, {64, 0}, {64, 64}, {0, 64}, {0, 0}, {64, 64}};
    selectIcons.clear();
    selectIcons.setPrimitiveType(sf::Triangles);
    for (std::size_t i = 0; i < vertices.getVertexCount(); ++i) {
        for (const auto& t : tex) selectIcons.append(sf::Vertex({}, sf::Color::Black, t));
        placeIcon(i * 6, vertices[i].position);
    }
}

void VertexObject::addSelectIcon(int i) {
    static const sf::Vector2f tex[6] = {{0, 0}, {64, 0}, {64, 64}, {0, 64}, {0, 0}, {64, 64}};
    const std::size_t icons = selectIcons.getVertexCount() / 6;
    if (i < 0 || static_cast<std::size_t>(i) > icons) return;
    // sf::VertexArray cannot insert: rebuild with the new icon in place.
    sf::VertexArray grown(sf::Triangles);
    for (std::size_t k = 0; k < std::size_t(i) * 6; ++k) grown.append(selectIcons[k]);
    for (const auto& t : tex) grown.append(sf::Vertex({}, sf::Color::Black, t));
    for (std::size_t k = std::size_t(i) * 6; k < icons * 6; ++k) grown.append(selectIcons[k]);
    selectIcons = grown;
    updateSelectIcon(i);
}

void VertexObject::updateSelectIcon(int i) {
    if (i < 0 || std::size_t(i) >= vertices.getVertexCount() ||
        std::size_t(i) * 6 + 6 > selectIcons.getVertexCount())
        return;
    placeIcon(std::size_t(i) * 6, vertices[std::size_t(i)].position);
}

void VertexObject::selectSelectIcon(int i, bool selected) {
    if (i < 0 || std::size_t(i) * 6 + 6 > selectIcons.getVertexCount()) return;
    for (std::size_t k = 0; k < 6; ++k)
        selectIcons[std::size_t(i) * 6 + k].color = selected ? sf::Color::White : sf::Color::Black;
}

void VertexObject::draw(sf::RenderTarget& target, sf::RenderStates states) const {
    states.transform *= getTransform();
    states.texture = texture;
    const std::size_t n = vertices.getVertexCount();
    if (n == 0) return;
    if (useGpuBuffer && buffer.draw(target, n, states)) return;
    target.draw(vertices, states);
}

} // namespace rux
