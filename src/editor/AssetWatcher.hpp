#pragma once
// Notices asset files changed on disk without stalling a frame: each call looks at the share
// of the assets that is due, so that every file is looked at about once per period however
// many there are, and reports only files whose write time differs from the one seen before.
// A file seen for the first time is only remembered; a missing file is skipped.
#include "level/Level.hpp"

#include <cstddef>
#include <filesystem>
#include <map>
#include <vector>

namespace rux {

class AssetWatcher {
public:
    using AssetMap = std::map<std::filesystem::path, Level::AssetObject>;
    // Which kinds to look at this call; assets of other kinds are forgotten, so that turning
    // a kind back on does not reload what changed while it was off.
    struct Kinds {
        bool textures = true;
        bool shaders = true;
    };

    explicit AssetWatcher(double periodSeconds = 1.0) : period(periodSeconds) {}

    // `now` in seconds on any steady clock. Returns the paths (keys of `assets`) whose file
    // changed since it was last looked at.
    std::vector<std::filesystem::path> Poll(const AssetMap& assets, const std::filesystem::path& folder, double now,
                                            Kinds kinds);
    // Remembers the current write time of one asset (after the editor wrote or reloaded it).
    void Remember(const std::filesystem::path& key, const std::filesystem::path& folder);
    void Clear();

    // File system look-ups made so far (for tests and measurements).
    std::size_t lookups = 0;

private:
    struct Seen {
        std::filesystem::file_time_type time{};
        bool exists = false;
    };
    double period;
    double last = -1.0;
    double owed = 0.0; // fractional look-ups carried to the next call
    double lastPrune = -1e300;
    Kinds lastKinds;
    std::filesystem::path cursor; // the next key to look at
    std::map<std::filesystem::path, Seen> seen;
};

} // namespace rux
