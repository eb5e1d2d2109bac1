#pragma once
// Version constants and the fixed tables shared by the editor, the level files and games.
#include <SFML/Graphics/BlendMode.hpp>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace rux {

inline constexpr std::array<std::uint8_t, 3> c_versionNumber{1, 7, 2};
inline const std::string c_AppVersion = "v." + std::to_string(c_versionNumber[0]) + "." +
                                        std::to_string(c_versionNumber[1]) + "." +
                                        std::to_string(c_versionNumber[2]);
inline const std::string c_AppName = "RUX " + c_AppVersion;
// The level file tag: "#" major "." minor.
inline const std::string c_version =
    "#" + std::to_string(c_versionNumber[0]) + "." + std::to_string(c_versionNumber[1]);

// Files store the index. Spelled out instead of copying sf::BlendAlpha and friends so the
// table does not depend on the order in which static objects of two libraries are built.
inline const std::array<sf::BlendMode, 4> c_blendModes{
    sf::BlendMode(sf::BlendMode::One, sf::BlendMode::Zero, sf::BlendMode::Add,
                  sf::BlendMode::One, sf::BlendMode::Zero, sf::BlendMode::Add),
    sf::BlendMode(sf::BlendMode::SrcAlpha, sf::BlendMode::One, sf::BlendMode::Add,
                  sf::BlendMode::One, sf::BlendMode::One, sf::BlendMode::Add),
    sf::BlendMode(sf::BlendMode::SrcAlpha, sf::BlendMode::OneMinusSrcAlpha, sf::BlendMode::Add,
                  sf::BlendMode::One, sf::BlendMode::OneMinusSrcAlpha, sf::BlendMode::Add),
    sf::BlendMode(sf::BlendMode::DstColor, sf::BlendMode::Zero, sf::BlendMode::Add,
                  sf::BlendMode::DstColor, sf::BlendMode::Zero, sf::BlendMode::Add),
};
inline constexpr std::array<std::string_view, 4> c_blendModeNames{"none", "additive", "alpha",
                                                                  "multiply"};
inline constexpr int c_defaultBlendIndex = 2;

// Index of the table entry equal to `mode`, or -1 when none is.
inline int BlendIndex(const sf::BlendMode& mode) {
    for (std::size_t i = 0; i < c_blendModes.size(); ++i)
        if (c_blendModes[i] == mode) return static_cast<int>(i);
    return -1;
}

inline const std::string c_mainCameraName = "[Main Camera]";

// Limits that keep a damaged or hostile file from asking for absurd amounts of memory.
inline constexpr std::uint32_t c_maxTileCount = 4096;          // tiles per axis of a tile map
inline constexpr std::int32_t c_maxParticles = 1'000'000;      // particles of one system
inline constexpr std::size_t c_maxParticleEvents = 1u << 16;   // events waiting for the owner
inline constexpr unsigned c_maxLightResolution = 4096;

} // namespace rux
