#pragma once
// The editor side file (L/N.led): the particle-system settings that the level file does not
// hold — continuous emission, colour options, event flags and the event links between
// systems. Kept apart from the level file so that games never see editor data.
#include "level/Level.hpp"

#include <string>
#include <string_view>

namespace rux {

inline constexpr std::string_view c_sideFileVersion = "#1.0";

// Appends the side-file image of `level`: the version, the number of objects of every kind,
// then one record per particle-system object in name order.
void WriteSideFile(const Level& level, std::string& out);

// Applies a side-file image to the particle systems of `level`. False when the version is
// not "#1.0" (nothing is changed). Records naming no particle system of the level are
// skipped; a record cut short applies the fields read before the end.
bool ReadSideFile(Level& level, std::string_view bytes);

} // namespace rux
