// Picking objects with the mouse and selecting them with a box.
#include "editor/Scene.hpp"
#include "level/Collision.hpp"

#include <algorithm>
#include <cmath>

namespace rux {
namespace {

sf::FloatRect Normalised(sf::FloatRect r) {
    if (r.width < 0) {
        r.left += r.width;
        r.width = -r.width;
    }
    if (r.height < 0) {
        r.top += r.height;
        r.height = -r.height;
    }
    return r;
}

// Strict on both axes: rectangles that only touch do not overlap.
bool Overlap(sf::FloatRect a, sf::FloatRect b) {
    a = Normalised(a);
    b = Normalised(b);
    return std::max(a.left, b.left) < std::min(a.left + a.width, b.left + b.width) &&
           std::max(a.top, b.top) < std::min(a.top + a.height, b.top + b.height);
}

// Whether the point can be inside the object's rectangle at all: one multiplication with the
// cached inverse transform, so that hovering over a large level stays cheap. Conservative (a
// small margin, and no verdict for flat transforms); the exact test decides.
bool MayContain(const sf::FloatRect& bb, const sf::Transformable& t, sf::Vector2f world) {
    const sf::Vector2f s = t.getScale();
    if (s.x == 0.f || s.y == 0.f) return true;
    const sf::Vector2f p = t.getInverseTransform().transformPoint(world);
    const float mx = 1e-3f * (std::abs(bb.width) + 1.f), my = 1e-3f * (std::abs(bb.height) + 1.f);
    const float l = std::min(bb.left, bb.left + bb.width), r = std::max(bb.left, bb.left + bb.width);
    const float top = std::min(bb.top, bb.top + bb.height), b = std::max(bb.top, bb.top + bb.height);
    return p.x >= l - mx && p.x <= r + mx && p.y >= top - my && p.y <= b + my;
}

sf::FloatRect WorldRect(const Level::Object& o) {
    return o.transformable->getTransform().transformRect(Scene::getBB(o));
}

} // namespace

sf::FloatRect Scene::getBB(const Object& o) {
    if (o.sprite) {
        const sf::IntRect r = o.sprite->getTextureRect();
        return {0.f, 0.f, static_cast<float>(r.width), static_cast<float>(r.height)};
    }
    if (o.tileMap) {
        const TileMap& m = *o.tileMap;
        return {0.f, 0.f, static_cast<float>(m.count.x) * static_cast<float>(m.tileSize.x),
                static_cast<float>(m.count.y) * static_cast<float>(m.tileSize.y)};
    }
    if (o.particleSystem) {
        const ParticleSystem& p = *o.particleSystem;
        const float r = (std::min(p.startSize, p.endSize) + std::max(p.startSize, p.endSize)) * 0.5f + 5.f + p.spawnRadius;
        return {-r, -r, 2.f * r, 2.f * r};
    }
    if (o.text) return o.text->getLocalBounds();
    if (o.vertexObject) return o.vertexObject->vertices.getBounds();
    if (o.pointLight) {
        const float R = o.pointLight->radius;
        const sf::Vector2f s = o.pointLight->getScale();
        return {-s.x * R, -s.y * R, 2.f * s.x * R, 2.f * s.y * R};
    }
    if (o.directionalLight) {
        const sf::Vector2f size = o.directionalLight->size;
        const sf::Vector2f s = o.directionalLight->getScale();
        return {0.f, -0.5f * s.y * size.y, s.x * size.x, s.y * size.y};
    }
    return {0.f, 0.f, 0.f, 0.f};
}

bool Scene::SelectableInView(ObjectType kind) {
    const int k = static_cast<int>(kind);
    return k > 12 || (IsObjectKind(k) && kind != ObjectType::Camera);
}

Level::Object* Scene::ObjectAt(sf::Vector2f world, std::string* name) {
    // One pass instead of one per z layer: a later object replaces the hit only with a higher
    // z, so among equal z the first in name order wins.
    Object* hit = nullptr;
    for (auto& [key, o] : objects) {
        if (!o.visible || !o.transformable) continue;
        if (hit && o.zOrder <= hit->zOrder) continue;
        const sf::FloatRect bb = getBB(o);
        if (!MayContain(bb, *o.transformable, world)) continue;
        if (!Collision::TransformedRectangle_Point(bb, o.transformable->getTransform(), world)) continue;
        hit = &o;
        if (name) *name = key;
    }
    return hit;
}

bool Scene::Pick(const PickInput& in) {
    if (editModeFlag) return false;
    const bool release = in.release && (in.noModifier || in.ctrlOnly);
    std::string name;
    Object* hit = ObjectAt(in.world, &name);
    if (hit) {
        if (in.pressFocused && release) {
            if (!in.gizmoIdle) hit->hovered = true;
            else if (!selection.empty() && in.ctrlOnly) SelectObjectMulti(name);
            else SelectObject(name);
        } else {
            hit->hovered = true;
            if (release && in.gizmoIdle && in.noModifier) DeselectAll();
        }
    } else if (release && in.gizmoIdle && in.noModifier) {
        DeselectAll();
    }
    return release;
}

void Scene::BoxSelectBegin(sf::Vector2f world, float zoom) {
    boxStart = world;
    selectionBox.setPosition(world);
    selectionBox.setSize({0.f, 0.f});
    selectionBox.setOutlineThickness(3.f * zoom);
    boxSelecting = false;
}

sf::FloatRect Scene::BoxRect() const {
    // Computed from the corners rather than the shape's bounds, whose outline would grow
    // inwards for a box dragged up or left.
    const sf::Vector2f a = selectionBox.getPosition();
    const sf::Vector2f b = a + selectionBox.getSize();
    const float t = selectionBox.getOutlineThickness();
    const float left = std::min(a.x, b.x) - t, top = std::min(a.y, b.y) - t;
    return {left, top, std::max(a.x, b.x) + t - left, std::max(a.y, b.y) + t - top};
}

void Scene::BoxSelectDrag(sf::Vector2f world, float zoom) {
    if (!boxSelecting && world == boxStart) return;
    boxSelecting = true;
    selectionBox.setSize(world - boxStart);
    selectionBox.setOutlineThickness(3.f * zoom);
    const sf::FloatRect box = BoxRect();
    for (auto& [name, o] : objects)
        if (o.visible && o.transformable && Overlap(box, WorldRect(o))) o.hovered = true;
}

void Scene::BoxSelectEnd(bool ctrl) {
    if (boxSelecting) {
        if (!ctrl) DeselectAll();
        const sf::FloatRect box = BoxRect();
        std::vector<std::string> hits;
        for (auto& [name, o] : objects)
            if (o.visible && !o.selected && o.transformable && Overlap(box, WorldRect(o))) hits.push_back(name);
        for (const std::string& name : hits) {
            if (selection.empty()) SelectObject(name);
            else SelectObjectMulti(name);
        }
    }
    selectionBox.setOutlineThickness(0.f);
    boxSelecting = false;
}

} // namespace rux
