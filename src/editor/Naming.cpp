#include "editor/Naming.hpp"

#include <cstdint>
#include <limits>

namespace rux {

std::string_view KindBaseName(ObjectType kind) {
    switch (kind) {
    case ObjectType::TileMap: return "TileMap";
    case ObjectType::Sprite: return "Sprite";
    case ObjectType::ParticleSystem: return "ParticleSystem";
    case ObjectType::Text: return "Text";
    case ObjectType::VertexObject: return "VertexObject";
    case ObjectType::Camera: return "Camera";
    case ObjectType::PointLight: return "PointLight";
    case ObjectType::DirectionalLight: return "DirectionalLight";
    default: return {};
    }
}

std::string FreeNextObjectName(ObjectType kind, const NameTaken& taken) {
    const std::string base(KindBaseName(kind));
    if (base.empty()) return {};
    for (int n = 1; n <= 998; ++n) {
        std::string candidate = base + "-" + std::to_string(n);
        if (!taken(candidate)) return candidate;
    }
    return base + "-999";
}

std::string UnusedDuplicateName(const std::string& name, const NameTaken& taken) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    // The first character stays in the stem, unless the whole name is a number: "A7" -> "A8",
    // "7" -> "8".
    std::size_t split = name.size();
    while (split > 1 && digit(name[split - 1])) --split;
    if (split == 1 && digit(name[0])) split = 0;
    std::string stem = name.substr(0, split);
    const std::string digits = name.substr(split);

    std::int64_t n = 1;
    if (!digits.empty()) {
        // A digit run beyond 32 bits is kept as part of the stem, so the name still gets a
        // fresh number after it instead of overflowing.
        std::int64_t value = 0;
        bool fits = true;
        for (char c : digits) {
            value = value * 10 + (c - '0');
            if (value > std::numeric_limits<std::int32_t>::max()) {
                fits = false;
                break;
            }
        }
        if (fits) n = value;
        else stem = name;
    }
    std::string candidate;
    for (std::int64_t k = 1; k <= 65535; ++k) {
        candidate = stem + std::to_string(n + k);
        if (!taken(candidate)) return candidate;
    }
    return candidate;
}

} // namespace rux
