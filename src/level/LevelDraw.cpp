// Drawing a level: z layers from -128 to 127, name order inside a layer, each object with its
// blend mode and shader, and the editor's selection outlines.
#include "level/Level.hpp"
#include <SFML/Graphics/RenderTarget.hpp>
#include <array>

namespace rux {

// The order is cached as (object, z) in map order plus the sorted result. Each frame one walk
// over the map compares against the cached sequence; any insertion, removal, rename (a map
// position change) or z change differs from it and triggers an O(n) counting sort. So the
// order follows every edit without the editor having to report one.
void Level::updateDrawOrder() const {
    bool same = m_drawKey.size() == objects.size();
    if (same) {
        std::size_t i = 0;
        for (const auto& entry : objects) {
            const auto& key = m_drawKey[i++];
            if (key.first != &entry.second || key.second != entry.second.zOrder) {
                same = false;
                break;
            }
        }
    }
    if (same) return;

    m_drawKey.clear();
    m_drawKey.reserve(objects.size());
    std::array<std::size_t, 257> start{};
    for (const auto& entry : objects) {
        m_drawKey.emplace_back(&entry.second, entry.second.zOrder);
        ++start[static_cast<std::size_t>(entry.second.zOrder + 128) + 1];
    }
    for (std::size_t z = 1; z < start.size(); ++z) start[z] += start[z - 1];
    m_drawOrder.resize(m_drawKey.size());
    for (const auto& [object, z] : m_drawKey) m_drawOrder[start[static_cast<std::size_t>(z + 128)]++] = object;
}

void Level::draw(sf::RenderTarget& target, sf::RenderStates states) const {
    states.transform *= getTransform();
    updateDrawOrder();
    for (const Object* object : m_drawOrder)
        if (object->visible) target.draw(*object, states);
}

bool Level::Object::getOutlineRect(sf::FloatRect& r) const {
    if (sprite) {
        const sf::IntRect t = sprite->getTextureRect();
        r = {0.f, 0.f, float(t.width), float(t.height)};
    } else if (tileMap) {
        r = {0.f, 0.f, float(double(tileMap->count.x) * tileMap->tileSize.x),
             float(double(tileMap->count.y) * tileMap->tileSize.y)};
    } else if (particleSystem) {
        const ParticleSystem& p = *particleSystem;
        const float h = 5.f + p.spawnRadius + (p.startSpeed + p.endSpeed) * 0.5f * p.lifetime;
        r = {-h, -h, 2.f * h, 2.f * h};
    } else if (text) {
        r = text->getLocalBounds();
    } else if (vertexObject) {
        r = vertexObject->vertices.getBounds();
    } else if (pointLight) {
        const sf::Vector2f s = pointLight->getScale();
        const float R = pointLight->radius;
        r = {-s.x * R, -s.y * R, 2.f * s.x * R, 2.f * s.y * R};
    } else if (directionalLight) {
        const sf::Vector2f s = directionalLight->getScale();
        const sf::Vector2f size = directionalLight->size;
        r = {0.f, -s.y * size.y / 2.f, s.x * size.x, s.y * size.y};
    } else {
        return false;
    }
    return true;
}

void Level::Object::draw(sf::RenderTarget& target, sf::RenderStates states) const {
    if (!visible || camera) return;
    states.blendMode = blendMode;
    if (shader) {
        states.shader = shader.get();
        sf::Transform mvp = target.getView().getTransform();
        if (!sprite && transformable) mvp *= transformable->getTransform();
        shader->setUniform("u_mvp", sf::Glsl::Mat4(mvp.getMatrix()));
    }
    if (sprite) target.draw(*sprite, states);
    else if (tileMap) target.draw(*tileMap, states);
    else if (particleSystem) target.draw(*particleSystem, states);
    else if (text) target.draw(*text, states);
    else if (vertexObject) target.draw(*vertexObject, states);
    else if (pointLight) target.draw(*pointLight, states);
    else if (directionalLight) target.draw(*directionalLight, states);

    if ((selected || hovered) && !(editMode && *editMode)) drawOutline(target, states);
}

void Level::Object::drawOutline(sf::RenderTarget& target, sf::RenderStates states) const {
    sf::FloatRect r;
    if (!getOutlineRect(r)) return;
    if (transformable) states.transform *= transformable->getTransform();
    states.blendMode = c_blendModes[2];
    states.shader = nullptr;

    const sf::Vector2f view = target.getView().getSize();
    const sf::Vector2u size = target.getSize();
    const float px = size.x ? view.x / float(size.x) : 0.f;
    const float py = size.y ? view.y / float(size.y) : 0.f;
    const sf::Color color = selected ? sf::Color(255, 255, 0, 255) : sf::Color(255, 128, 0, 255);

    for (int i = 0; i < 3; ++i) {
        const float l = r.left - i * px, t = r.top - i * py;
        const float rt = r.left + r.width + i * px, b = r.top + r.height + i * py;
        const sf::Vertex strip[5] = {{{l, t}, color}, {{rt, t}, color}, {{rt, b}, color}, {{l, b}, color}, {{l, t}, color}};
        target.draw(strip, 5, sf::LineStrip, states);
    }
}

} // namespace rux
