// Writing the "#1.7" level image. Deterministic: the same level always gives the same bytes
// (objects in name order, assets in key order, no uninitialised or address-dependent data).
#include "level/Binary.hpp"
#include "level/Level.hpp"
#include "level/TextCodec.hpp"
#include <unordered_map>
#include <unordered_set>

namespace rux {
namespace {

void PutColorBytes(std::string& out, const sf::Glsl::Vec4& c) {
    PutU8(out, ColorByte(c.x));
    PutU8(out, ColorByte(c.y));
    PutU8(out, ColorByte(c.z));
    PutU8(out, ColorByte(c.w));
}

void PutVector(std::string& out, sf::Vector2f v) {
    PutF32(out, v.x);
    PutF32(out, v.y);
}

void PutPayload(std::string& out, const std::string& name, const Level::Object& o, ObjectType kind) {
    switch (kind) {
    case ObjectType::TileMap: {
        const TileMap& m = *o.tileMap;
        PutU32(out, m.gap.x);
        PutU32(out, m.gap.y);
        PutU32(out, m.textureTileSize.x);
        PutU32(out, m.textureTileSize.y);
        PutU32(out, m.count.x);
        PutU32(out, m.count.y);
        PutU32(out, m.tileSize.x);
        PutU32(out, m.tileSize.y);
        for (std::size_t x = 0; x < m.count.x; ++x) {
            const bool column = x < m.tiles.size();
            for (std::size_t y = 0; y < m.count.y; ++y)
                PutU16(out, column && y < m.tiles[x].size() ? m.tiles[x][y] : 0);
        }
        break;
    }
    case ObjectType::Sprite: {
        const sf::IntRect r = o.sprite->getTextureRect();
        PutI32(out, r.left);
        PutI32(out, r.top);
        PutI32(out, r.width);
        PutI32(out, r.height);
        break;
    }
    case ObjectType::ParticleSystem: o.particleSystem->saveToMemory(out, false); break;
    case ObjectType::Text: {
        const sf::Text& t = *o.text;
        PutStr(out, ToUtf8(t.getString()));
        PutU32(out, t.getCharacterSize());
        PutU8(out, static_cast<std::uint8_t>(t.getStyle()));
        PutF32(out, t.getLineSpacing());
        PutF32(out, t.getLetterSpacing());
        break;
    }
    case ObjectType::VertexObject: {
        const VertexObject& v = *o.vertexObject;
        PutI32(out, v.getPrimitiveCode());
        PutU8(out, v.useGpuBuffer);
        const std::size_t n = v.vertices.getVertexCount();
        PutU32(out, static_cast<std::uint32_t>(n));
        for (std::size_t i = 0; i < n; ++i) {
            const sf::Vertex& vx = v.vertices[i];
            PutVector(out, vx.position);
            PutU8(out, vx.color.r);
            PutU8(out, vx.color.g);
            PutU8(out, vx.color.b);
            PutU8(out, vx.color.a);
            PutVector(out, vx.texCoords);
        }
        break;
    }
    case ObjectType::Camera: {
        const Camera& c = *o.camera;
        PutVector(out, c.getCenter());
        if (name != c_mainCameraName) {
            PutVector(out, c.getSize());
            PutF32(out, c.getRotation());
        }
        PutF32(out, c.textureMultiplier);
        break;
    }
    case ObjectType::PointLight:
        PutF32(out, o.pointLight->radius);
        PutF32(out, o.pointLight->intensity);
        PutU16(out, o.pointLight->resolution);
        break;
    case ObjectType::DirectionalLight:
        PutVector(out, o.directionalLight->size);
        PutF32(out, o.directionalLight->intensity);
        PutU16(out, o.directionalLight->resolution);
        break;
    default: break;
    }
}

// The kind the object's drawable says, whatever `type` holds.
ObjectType DrawableKind(const Level::Object& o) {
    if (o.sprite) return ObjectType::Sprite;
    if (o.tileMap) return ObjectType::TileMap;
    if (o.particleSystem) return ObjectType::ParticleSystem;
    if (o.text) return ObjectType::Text;
    if (o.vertexObject) return ObjectType::VertexObject;
    if (o.camera) return ObjectType::Camera;
    if (o.pointLight) return ObjectType::PointLight;
    if (o.directionalLight) return ObjectType::DirectionalLight;
    return ObjectType::None;
}

} // namespace

void Level::saveToMemory(std::string& out) const {
    out.clear();
    SaveStr(out, c_version);

    std::unordered_set<const AssetObject*> usedTexture, usedFont, usedFragment, usedVertex;
    for (const auto& [name, o] : objects) {
        if (o.texture) usedTexture.insert(o.texture);
        if (o.font) usedFont.insert(o.font);
        if (o.fragmentShader) usedFragment.insert(o.fragmentShader);
        if (o.vertexShader) usedVertex.insert(o.vertexShader);
    }
    std::vector<const AssetObject*> used;
    for (const auto& [key, a] : assets) {
        const bool isUsed = (a.type == ObjectType::Texture && usedTexture.count(&a)) ||
                            (a.type == ObjectType::Font && usedFont.count(&a)) ||
                            (a.type == ObjectType::FragmentShader && usedFragment.count(&a)) ||
                            (a.type == ObjectType::VertexShader && usedVertex.count(&a));
        if (isUsed) used.push_back(&a);
    }
    std::unordered_map<const AssetObject*, std::int32_t> index;
    const auto assetCount = static_cast<std::int32_t>(used.size());
    PutI32(out, assetCount);
    for (std::int32_t i = 0; i < assetCount; ++i) {
        const AssetObject& a = *used[static_cast<std::size_t>(i)];
        index[&a] = i;
        PutI32(out, static_cast<std::int32_t>(a.type));
        PutStr(out, a.path.string());
        const bool tex = a.type == ObjectType::Texture && a.texture;
        PutU8(out, tex && a.texture->isSmooth());
        PutU8(out, tex && a.texture->isRepeated());
    }
    auto indexOf = [&](const AssetObject* a, ObjectType kind) -> std::int32_t {
        if (!a) return -1;
        if (kind == ObjectType::Texture && a == getMissingTexture()) return assetCount;
        if (kind == ObjectType::Font && a == getMissingFont()) return assetCount;
        const auto it = index.find(a);
        return it != index.end() && a->type == kind ? it->second : -1;
    };

    std::int32_t objectCount = 0;
    for (const auto& [name, o] : objects) objectCount += o.anyUsed();
    PutI32(out, objectCount);
    out.reserve(out.size() + static_cast<std::size_t>(objectCount) * 96);

    for (const auto& [name, o] : objects) {
        if (!o.anyUsed()) continue;
        // The drawable decides the record's layout, so the two can never disagree.
        const ObjectType kind = DrawableKind(o);
        PutStr(out, name);
        PutColorBytes(out, o.color);
        PutI32(out, static_cast<std::int32_t>(kind));
        std::int32_t asset = kind == ObjectType::Text ? indexOf(o.font, ObjectType::Font)
                                                      : indexOf(o.texture, ObjectType::Texture);
        // Sprites, tile maps and texts always name an asset; without one they get the missing
        // asset rather than -1, which no reader accepts for them.
        if (asset == -1 && (kind == ObjectType::Sprite || kind == ObjectType::TileMap || kind == ObjectType::Text))
            asset = assetCount;
        PutI32(out, asset);
        const std::int32_t fs = indexOf(o.fragmentShader, ObjectType::FragmentShader);
        PutI32(out, fs);
        if (fs != -1) PutStr(out, std::string_view(reinterpret_cast<const char*>(o.fragmentUniformData.data()),
                                                   o.fragmentUniformData.size()));
        const std::int32_t vs = indexOf(o.vertexShader, ObjectType::VertexShader);
        PutI32(out, vs);
        if (vs != -1) PutStr(out, std::string_view(reinterpret_cast<const char*>(o.vertexUniformData.data()),
                                                   o.vertexUniformData.size()));
        PutI32(out, o.visible ? 1 : 0);
        PutI32(out, o.zOrder);
        const int blend = BlendIndex(o.blendMode);
        PutI32(out, blend < 0 ? c_defaultBlendIndex : blend);
        if (kind != ObjectType::Camera) {
            const sf::Transformable* t = o.transformable;
            const sf::Transformable identity;
            if (!t) t = &identity;
            PutVector(out, t->getPosition());
            PutF32(out, t->getRotation());
            PutVector(out, t->getScale());
            PutVector(out, t->getOrigin());
        }
        PutU8(out, o.hitbox ? 1 : 0);
        if (o.hitbox) {
            PutI32(out, static_cast<std::int32_t>(o.hitbox->lines.size()));
            for (const auto& line : o.hitbox->lines) {
                PutVector(out, line.start);
                PutVector(out, line.end);
            }
        }
        PutPayload(out, name, o, kind);
    }
}

} // namespace rux
