#include "editor/Scene.hpp"

namespace rux {

void Scene::moveSelected(sf::Vector2f offset) {
    for (Object* o : getSelectedObjects())
        if (o->transformable)
            o->transformable->move(offset);
}

void Scene::rotateSelected(float degrees) {
    for (Object* o : getSelectedObjects())
        if (o->transformable)
            o->transformable->rotate(degrees);
}

void Scene::scaleSelected(sf::Vector2f factor) {
    for (Object* o : getSelectedObjects())
        if (o->transformable)
            o->transformable->scale(factor);
}

sf::Transformable* Scene::SelectionTransformable() {
    for (auto it = selection.rbegin(); it != selection.rend(); ++it) {
        if (IsAssetKind(static_cast<int>(it->second)))
            continue;
        const auto found = objects.find(it->first);
        if (found != objects.end() && found->second.transformable)
            return found->second.transformable;
    }
    return nullptr;
}

} // namespace rux
