// Drawing the scene: the level in z order with the editor's extras (hitboxes of the
// selection, vertex handles), edit mode in the edited object's own space, and the preview
// of the selected camera.
#include "editor/Scene.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/System/Err.hpp>

#include <algorithm>
#include <array>
#include <cmath>

namespace rux {
namespace {
constexpr std::uint32_t c_hitboxTab = 1u << 12;

sf::Transform TransformOf(const Level::Object& o) {
    return o.transformable ? o.transformable->getTransform() : sf::Transform::Identity;
}
} // namespace

const std::vector<const Level::Object*>& Scene::DrawOrder() const {
    bool same = drawKey.size() == objects.size();
    if (same) {
        std::size_t i = 0;
        for (const auto& [name, o] : objects) {
            const auto& key = drawKey[i++];
            if (key.first != &o || key.second != o.zOrder) {
                same = false;
                break;
            }
        }
    }
    if (same) return drawOrder;
    // A counting sort over the map keeps name order inside each z.
    drawKey.clear();
    drawKey.reserve(objects.size());
    std::array<std::size_t, 257> start{};
    for (const auto& [name, o] : objects) {
        drawKey.emplace_back(&o, o.zOrder);
        ++start[static_cast<std::size_t>(o.zOrder + 128) + 1];
    }
    for (std::size_t z = 1; z < start.size(); ++z) start[z] += start[z - 1];
    drawOrder.resize(drawKey.size());
    for (const auto& [o, z] : drawKey) drawOrder[start[static_cast<std::size_t>(z + 128)]++] = o;
    return drawOrder;
}

void Scene::DrawVertexHandles(const Object& o, sf::RenderTarget& target, sf::RenderStates states) const {
    if (!o.vertexObject) {
        sf::err() << "Object not a vertex object!" << std::endl;
        return;
    }
    // The handles sit on the vertices, which are in the object's space.
    states.transform *= TransformOf(o);
    states.texture = handleTexture;
    states.shader = nullptr;
    states.blendMode = sf::BlendAlpha;
    target.draw(o.vertexObject->selectIcons, states);
}

void Scene::draw(sf::RenderTarget& target, sf::RenderStates states) const {
    states.transform *= getTransform();
    const Object* edited = editModeFlag ? EditedObject() : nullptr;
    if (edited) {
        // getInverse gives the identity for a flat transform.
        states.transform *= TransformOf(*edited).getInverse();
        if (hideObjectsWhenEditing) {
            target.draw(*edited, states);
            if (edited->type == ObjectType::VertexObject) DrawVertexHandles(*edited, target, states);
            return;
        }
    }
    const bool showHitboxes = (panelTabMask & c_hitboxTab) != 0;
    for (const Object* o : DrawOrder()) {
        if (!o->visible) continue;
        target.draw(*o, states);
        if (!o->selected) continue;
        if (showHitboxes && o->hitbox) {
            sf::RenderStates boxStates = states;
            boxStates.transform *= TransformOf(*o);
            target.draw(*o->hitbox, boxStates);
        }
        if (editModeFlag && o->type == ObjectType::VertexObject) DrawVertexHandles(*o, target, states);
    }
}

void Scene::RenderCameraPreview(const Camera& camera, sf::Color background) {
    const sf::Vector2f size = camera.getSize();
    const unsigned width = std::max(1u, cameraPreviewWidth);
    const float aspect = size.x != 0.f ? std::abs(size.y / size.x) : 1.f;
    const auto height = static_cast<unsigned>(std::clamp(static_cast<float>(width) * aspect, 1.f, 4.f * static_cast<float>(width)));
    if (!cameraPreview) cameraPreview = std::make_unique<sf::RenderTexture>();
    if (cameraPreview->getSize() != sf::Vector2u(width, height) && !cameraPreview->create(width, height)) {
        cameraPreview.reset();
        return;
    }
    cameraPreview->clear(background);
    cameraPreview->setView(camera);
    cameraPreview->draw(*this);
    cameraPreview->display();
}

} // namespace rux
