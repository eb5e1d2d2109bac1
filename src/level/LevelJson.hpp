#pragma once
// The flat table behind Level::saveJSON, for callers that want the entries themselves.
#include "env/JSON.hpp"

namespace rux {

class Level;
JSON LevelJsonTable(const Level& level);

} // namespace rux
