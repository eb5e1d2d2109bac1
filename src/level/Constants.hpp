#pragma once
// Version constants shared by the editor, the level files and games.
#include <array>
#include <cstdint>
#include <string>

namespace rux {

inline constexpr std::array<std::uint8_t, 3> c_versionNumber{1, 7, 2};
inline const std::string c_AppVersion = "v." + std::to_string(c_versionNumber[0]) + "." +
                                        std::to_string(c_versionNumber[1]) + "." +
                                        std::to_string(c_versionNumber[2]);
inline const std::string c_AppName = "RUX " + c_AppVersion;
// The level file tag: "#" major "." minor.
inline const std::string c_version =
    "#" + std::to_string(c_versionNumber[0]) + "." + std::to_string(c_versionNumber[1]);

} // namespace rux
