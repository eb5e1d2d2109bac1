#pragma once
// Constants of the editor that every part of it may use. The version constants that games
// share live with the level library (level/Constants.hpp).
#include "level/Constants.hpp"

#include <array>
#include <cstdint>
#include <string_view>

namespace rux {

inline constexpr std::string_view c_RPK_VERSION = "RPK001";
inline constexpr std::string_view c_SFML_ARCH = "x64";
// The GLSL version line of the generator's shaders.
inline constexpr std::string_view version = "#version 420";

// File kinds by extension, for the files panel and the file picker; unknown extensions are 0.
inline constexpr std::array<std::string_view, 15> c_fileExtensions{
    ".txt", ".png", ".jpg", ".bmp", ".glsl", ".part", ".tmap", ".ttf",
    ".otf", ".psy", ".tlm", ".rpk", ".tyu", ".tyv", ".lua"};
inline constexpr std::array<std::uint8_t, 15> c_fileExtensionsID{2, 3, 3, 3, 4, 5, 6, 7, 7, 5, 6, 8, 9, 10, 11};

// The kind code of an extension (".png" -> 3), 0 when it is not in the table.
constexpr std::uint8_t FileKindOf(std::string_view extension) {
    for (std::size_t i = 0; i < c_fileExtensions.size(); ++i)
        if (c_fileExtensions[i] == extension)
            return c_fileExtensionsID[i];
    return 0;
}

// Property sections offered per object kind (index = ObjectType); bit k = section k.
inline constexpr std::array<std::uint32_t, 13> c_ItemTabs{0x0,   0x103F, 0x1037, 0x4,   0x80,  0x80, 0x77,
                                                          0x4,   0x1137, 0x1237, 0x401, 0x803, 0x803};

// Lines starting with "-" are list items; other non-empty lines are headings.
inline constexpr std::string_view c_changelog =
    "v.1.7.2\n"
    "- Levels, settings and layouts are written atomically: a failed write never loses the old file\n"
    "- Settings with a bad value keep their default instead of failing the start\n"
    "- Tool mode reports failures through its exit status\n"
    "v.1.7.0\n"
    "- Level files \"#1.7\" with blend modes, shaders and uniforms per object\n"
    "- Tessly generator, re-render and video merger from the command line\n";

inline constexpr std::string_view c_futurePlan =
    "Editor\n"
    "- Redo\n"
    "- Prefabs shared between levels\n"
    "Tessly\n"
    "- More shape kinds than squares\n";

} // namespace rux
