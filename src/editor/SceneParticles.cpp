// Particle simulation in the editor, and the events that make one system spawn in another.
#include "editor/Scene.hpp"

namespace rux {

void Scene::UpdateParticles(sf::Time dt) {
    for (auto& [name, o] : objects) {
        if (!o.visible || !o.particleSystem || !o.particleSystem->updateEnabled) continue;
        ParticleSystem& system = *o.particleSystem;
        system.Update(dt);
        // The list is taken first: a target's spawns add events of their own (even to this
        // system through a self link), which wait for that system's next turn.
        for (const ParticleSystemEvent& event : system.takeEvents()) {
            std::int8_t slot = -1;
            switch (event.type) {
            case ParticleSystemEvent::Creation: slot = 0; break;
            case ParticleSystemEvent::Update: slot = 1; break;
            case ParticleSystemEvent::Death: slot = 2; break;
            }
            if (slot >= 0 && system.eventTargets[static_cast<std::size_t>(slot)]) ParticleEvents(event, system, slot);
        }
    }
}

void Scene::ParticleEvents(const ParticleSystemEvent& event, const ParticleSystem& system, std::int8_t slot) {
    if (slot < 0 || static_cast<std::size_t>(slot) >= system.eventTargets.size()) return;
    ParticleSystem* target = system.eventTargets[static_cast<std::size_t>(slot)];
    if (!target) return;
    const auto s = static_cast<std::size_t>(slot);
    // The target's own settings come back exactly as they were: they are level data that the
    // reference and the saved file must still match.
    const sf::Vector2f spawnPosition = target->spawnPosition;
    const sf::Glsl::Vec4 startColor = target->startColor;
    const float lifetime = target->lifetime;
    if (system.inheritPosition[s]) target->spawnPosition = event.position;
    if (system.inheritColor[s])
        target->startColor = {event.color.r / 255.f, event.color.g / 255.f, event.color.b / 255.f, event.color.a / 255.f};
    if (system.inheritLifetime[s]) target->lifetime = static_cast<float>(static_cast<double>(event.lifetime) / 1e6);
    target->Create();
    target->spawnPosition = spawnPosition;
    target->startColor = startColor;
    target->lifetime = lifetime;
}

} // namespace rux
