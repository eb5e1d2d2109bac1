#pragma once
// Builds level file images record by record, for fixtures of every version.
#include "Helpers.hpp"
#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace testing_rux {

struct Shader {
    std::int32_t index;
    std::string data;
};

struct Record {
    std::string name = "Obj";
    std::uint8_t color[4] = {255, 255, 255, 255};
    std::int32_t type = 2;
    std::int32_t asset = 0;
    std::optional<Shader> fragment, vertex;
    std::int32_t visible = 1, z = 0, blend = 2;
    bool transform = true;
    float tf[7] = {10.f, 20.f, 0.f, 1.f, 1.f, 0.f, 0.f};
    std::optional<std::vector<std::array<float, 4>>> hitbox; // "#1.6"/"#1.7" only
    std::string payload = Bytes().i32(0).i32(0).i32(16).i32(16).s; // a sprite's rectangle
};

inline std::string Encode(const Record& r, bool withHitboxFlag = true) {
    Bytes b;
    b.str(r.name);
    for (auto c : r.color) b.u8(c);
    b.i32(r.type).i32(r.asset);
    for (const auto* s : {&r.fragment, &r.vertex}) {
        if (*s) b.i32((*s)->index).str((*s)->data);
        else b.i32(-1);
    }
    b.i32(r.visible).i32(r.z).i32(r.blend);
    if (r.transform)
        for (float v : r.tf) b.f32(v);
    if (withHitboxFlag) {
        if (r.hitbox) {
            b.u8(1).i32(static_cast<std::int32_t>(r.hitbox->size()));
            for (const auto& l : *r.hitbox)
                for (float v : l) b.f32(v);
        } else {
            b.u8(0);
        }
    }
    return b.s + r.payload;
}

struct Image {
    std::string tag = "#1.7";
    std::vector<std::pair<std::int32_t, std::string>> assets; // kind, path
    std::vector<Record> records;

    std::string bytes() const {
        Bytes b;
        b.str(tag).i32(static_cast<std::int32_t>(assets.size()));
        for (const auto& [kind, path] : assets) b.i32(kind).str(path).u8(0).u8(0);
        b.i32(static_cast<std::int32_t>(records.size()));
        const bool hitboxes = tag == "#1.7" || tag == "#1.6";
        for (const auto& r : records) b.text(Encode(r, hitboxes));
        return b.s;
    }
};

} // namespace testing_rux
