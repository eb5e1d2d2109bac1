#pragma once
// Particle systems chain to each other through raw pointers (ParticleSystem::eventTargets).
// Copies that live outside the scene — the clipboard and the objects kept by undo steps —
// keep their links by name instead, so that no pointer outlives the system it points at.
#include "level/Level.hpp"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace rux {

struct ParticleLink {
    std::string source;
    std::uint8_t slot = 0; // index into eventTargets
    std::string target;

    bool operator==(const ParticleLink&) const = default;
};

// The links whose source or target is one of `names` (a self-link counts once).
std::vector<ParticleLink> CollectParticleLinks(const std::map<std::string, Level::Object>& objects,
                                               const std::set<std::string>& names);

// Clears every link in `objects` that points at `target` (nothing happens for null).
void ClearLinksTo(std::map<std::string, Level::Object>& objects, const ParticleSystem* target);

// Sets the links whose source and target are both particle systems in `objects`; the others
// are skipped. `rename` maps names of the links to the names they have now (absent = same).
void RestoreParticleLinks(std::map<std::string, Level::Object>& objects, const std::vector<ParticleLink>& links,
                          const std::map<std::string, std::string>& rename = {});

} // namespace rux
