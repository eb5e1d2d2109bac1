#pragma once
#include <cstdint>

namespace rux {

// Kinds of objects and assets; files store the number as a 32-bit signed integer.
// Texture, FragmentShader, VertexShader and Font are asset kinds, the others object kinds.
enum class ObjectType : std::int32_t {
    None = 0,
    TileMap = 1,
    Sprite = 2,
    Texture = 3,
    FragmentShader = 4,
    VertexShader = 5,
    ParticleSystem = 6,
    Font = 7,
    Text = 8,
    VertexObject = 9,
    Camera = 10,
    PointLight = 11,
    DirectionalLight = 12,
};

inline constexpr bool IsObjectKind(std::int32_t t) {
    return t == 1 || t == 2 || t == 6 || t == 8 || t == 9 || t == 10 || t == 11 || t == 12;
}
inline constexpr bool IsAssetKind(std::int32_t t) { return t == 3 || t == 4 || t == 5 || t == 7; }

} // namespace rux
