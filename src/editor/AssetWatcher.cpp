#include "editor/AssetWatcher.hpp"

#include <algorithm>
#include <system_error>

namespace rux {
namespace {
bool Watched(const Level::AssetObject& a, AssetWatcher::Kinds kinds) {
    if (a.type == ObjectType::Texture) return kinds.textures;
    if (a.type == ObjectType::FragmentShader || a.type == ObjectType::VertexShader) return kinds.shaders;
    return false;
}
} // namespace

void AssetWatcher::Clear() {
    seen.clear();
    cursor.clear();
    last = -1.0;
    owed = 0.0;
    lastPrune = -1e300;
}

void AssetWatcher::Remember(const std::filesystem::path& key, const std::filesystem::path& folder) {
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(folder / key, ec);
    ++lookups;
    seen[key] = Seen{ec ? std::filesystem::file_time_type{} : time, !ec};
}

std::vector<std::filesystem::path> AssetWatcher::Poll(const AssetMap& assets, const std::filesystem::path& folder,
                                                      double now, Kinds kinds) {
    std::vector<std::filesystem::path> changed;
    // Entries of removed assets and of kinds turned off go: at once when the kinds change,
    // otherwise once a period, so that a frame costs only its share.
    const bool kindsChanged = kinds.textures != lastKinds.textures || kinds.shaders != lastKinds.shaders;
    if (kindsChanged || now - lastPrune >= period || now < lastPrune) {
        for (auto it = seen.begin(); it != seen.end();) {
            const auto a = assets.find(it->first);
            it = a == assets.end() || !Watched(a->second, kinds) ? seen.erase(it) : std::next(it);
        }
        lastPrune = now;
        lastKinds = kinds;
    }
    if (assets.empty()) return changed;
    const double elapsed = last < 0 ? period : std::clamp(now - last, 0.0, period);
    last = now;
    owed += static_cast<double>(assets.size()) * elapsed / period;
    auto budget = static_cast<std::size_t>(std::min(owed, static_cast<double>(assets.size())));
    owed = std::min(owed - static_cast<double>(budget), 1.0);
    auto it = assets.lower_bound(cursor);
    // Every asset counts towards the share, watched or not, so a full round takes one period.
    for (std::size_t visited = 0; visited < budget; ++visited) {
        if (it == assets.end()) it = assets.begin();
        const auto& [key, asset] = *it;
        ++it;
        if (!Watched(asset, kinds)) continue;
        std::error_code ec;
        const auto time = std::filesystem::last_write_time(folder / key, ec);
        ++lookups;
        if (ec) {
            seen[key].exists = false;
            continue;
        }
        const auto found = seen.find(key);
        if (found == seen.end() || !found->second.exists) {
            // First sight (or the file came back): remember only when never seen before.
            const bool cameBack = found != seen.end();
            seen[key] = Seen{time, true};
            if (cameBack) changed.push_back(key);
        } else if (found->second.time != time) {
            found->second.time = time;
            changed.push_back(key);
        }
    }
    cursor = it == assets.end() ? std::filesystem::path() : it->first;
    return changed;
}

} // namespace rux
