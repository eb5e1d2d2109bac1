#pragma once
// Names for new objects and for copies. Pure functions over a "is this name taken" test, so
// that a batch (paste, duplicate) can count the names it has already chosen as taken.
#include "level/ObjectType.hpp"

#include <functional>
#include <string>
#include <string_view>

namespace rux {

using NameTaken = std::function<bool(const std::string&)>;

// "Sprite", "TileMap", ... for object kinds; empty for any other kind.
std::string_view KindBaseName(ObjectType kind);

// base-1 … base-998, the first one not taken; base-999 when all are; "" for non-object kinds.
std::string FreeNextObjectName(ObjectType kind, const NameTaken& taken);

// A stem plus a number one higher than the name's trailing number (1 when it has none):
// Box -> Box2, Box9 -> Box10, Box007 -> Box8, 7 -> 8; the first of up to 65535 candidates that
// is not taken, or the last candidate. Never returns the name itself.
std::string UnusedDuplicateName(const std::string& name, const NameTaken& taken);

} // namespace rux
