#include "editor/ParticleLinks.hpp"

#include <unordered_map>

namespace rux {

std::vector<ParticleLink> CollectParticleLinks(const std::map<std::string, Level::Object>& objects,
                                               const std::set<std::string>& names) {
    std::unordered_map<const ParticleSystem*, const std::string*> owner;
    for (const auto& [name, o] : objects)
        if (o.particleSystem) owner.emplace(o.particleSystem.get(), &name);
    std::vector<ParticleLink> links;
    for (const auto& [name, o] : objects) {
        if (!o.particleSystem) continue;
        for (std::uint8_t slot = 0; slot < o.particleSystem->eventTargets.size(); ++slot) {
            const auto it = owner.find(o.particleSystem->eventTargets[slot]);
            if (it == owner.end()) continue;
            if (names.count(name) || names.count(*it->second)) links.push_back({name, slot, *it->second});
        }
    }
    return links;
}

void ClearLinksTo(std::map<std::string, Level::Object>& objects, const ParticleSystem* target) {
    if (!target) return;
    for (auto& [name, o] : objects)
        if (o.particleSystem)
            for (ParticleSystem*& link : o.particleSystem->eventTargets)
                if (link == target) link = nullptr;
}

void RestoreParticleLinks(std::map<std::string, Level::Object>& objects, const std::vector<ParticleLink>& links,
                          const std::map<std::string, std::string>& rename) {
    auto now = [&](const std::string& name) -> const std::string& {
        const auto it = rename.find(name);
        return it == rename.end() ? name : it->second;
    };
    for (const ParticleLink& link : links) {
        const auto source = objects.find(now(link.source));
        const auto target = objects.find(now(link.target));
        if (source == objects.end() || target == objects.end()) continue;
        if (!source->second.particleSystem || !target->second.particleSystem) continue;
        if (link.slot >= source->second.particleSystem->eventTargets.size()) continue;
        source->second.particleSystem->eventTargets[link.slot] = target->second.particleSystem.get();
    }
}

} // namespace rux
