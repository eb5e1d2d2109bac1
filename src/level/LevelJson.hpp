#pragma once
// The flat table behind Level::saveJSON, for callers that want the entries themselves.
#include "level/JsonTable.hpp"

namespace rux {

class Level;
JsonTable LevelJsonTable(const Level& level);

} // namespace rux
