// The JSON export of a level: every asset and object as a flat table of texts.
#include "level/Binary.hpp"
#include "level/LevelJson.hpp"
#include "level/Level.hpp"
#include "level/TextCodec.hpp"
#include <charconv>

namespace rux {
namespace {

std::string Real(float v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(v), std::chars_format::fixed, 6);
    return std::string(buf, r.ptr);
}
std::string Pair(sf::Vector2f v) { return Real(v.x) + "," + Real(v.y); }
std::string Pair(sf::Vector2u v) { return std::to_string(v.x) + "," + std::to_string(v.y); }
std::uint32_t Colour(sf::Color c) {
    return (std::uint32_t(c.r) << 24) | (std::uint32_t(c.g) << 16) | (std::uint32_t(c.b) << 8) | c.a;
}
std::uint32_t Colour(const sf::Glsl::Vec4& c) {
    return Colour(sf::Color(ColorByte(c.x), ColorByte(c.y), ColorByte(c.z), ColorByte(c.w)));
}
std::string Hex(const std::uint8_t* data, std::size_t n) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(n * 2);
    for (std::size_t i = 0; i < n; ++i) {
        out += digits[data[i] >> 4];
        out += digits[data[i] & 15];
    }
    return out;
}

const char* AssetTypeName(ObjectType t) {
    switch (t) {
    case ObjectType::Texture: return "texture";
    case ObjectType::FragmentShader: return "fragment-shader";
    case ObjectType::VertexShader: return "vertex-shader";
    case ObjectType::Font: return "font";
    default: return nullptr;
    }
}

void WriteParticles(JsonTable& doc, const ParticleSystem& p) {
    doc.setValueStr("constant-force", Pair(p.constantForce));
    doc.setValueStr("start-force", Pair(p.startForce));
    doc.setValueStr("spawn-position", Pair(p.spawnPosition));
    doc.setValue("start-color", Colour(p.startColor));
    doc.setValue("end-color", Colour(p.endColor));
    doc.setValue("secondary-start", Colour(p.secondaryStart));
    doc.setValue("secondary-end", Colour(p.secondaryEnd));
    doc.setValue("max-particles", p.maxParticles);
    doc.setValue("particle-type", p.particleType);
    doc.setValue("spawn-count", p.spawnCount);
    doc.setValue("random-rotation", p.randomRotation);
    doc.setValue("newest-top", p.newestTop);
    doc.setValue("keep-up-framerate", p.keepUpFramerate);
    const std::pair<const char*, float> reals[] = {
        {"end-rotation", p.endRotation},         {"end-size", p.endSize},
        {"end-speed", p.endSpeed},               {"fading", p.fading},
        {"lifetime", p.lifetime},                {"spawn-angle", p.spawnAngle},
        {"spawn-rate", p.spawnRate},             {"spawn-rotation", p.spawnRotation},
        {"start-rotation", p.startRotation},     {"start-size", p.startSize},
        {"start-speed", p.startSpeed},           {"random-lifetime", p.randomLifetime},
        {"random-end-size", p.randomEndSize},    {"random-start-size", p.randomStartSize},
        {"random-end-speed", p.randomEndSpeed},  {"random-start-speed", p.randomStartSpeed},
        {"spawn-radius", p.spawnRadius},
    };
    for (const auto& [key, value] : reals) doc.setValueStr(key, Real(value));
}

void WriteKind(JsonTable& doc, const Level::Object& o) {
    if (o.tileMap) {
        const TileMap& m = *o.tileMap;
        doc.setValueStr("type", "tilemap");
        doc.setValueStr("gap", Pair(m.gap));
        doc.setValueStr("texture-tile-size", Pair(m.textureTileSize));
        doc.setValueStr("tile-count", Pair(m.count));
        doc.setValueStr("tile-size", Pair(m.tileSize));
        static const char digits[] = "0123456789abcdef";
        std::string data;
        data.reserve(std::size_t(m.count.x) * m.count.y * 4);
        for (std::size_t x = 0; x < m.count.x; ++x)
            for (std::size_t y = 0; y < m.count.y; ++y) {
                const std::uint16_t id = x < m.tiles.size() && y < m.tiles[x].size() ? m.tiles[x][y] : 0;
                for (int shift = 12; shift >= 0; shift -= 4) data += digits[(id >> shift) & 15];
            }
        doc.setValueStr("tile-data", data);
    } else if (o.sprite) {
        const sf::IntRect r = o.sprite->getTextureRect();
        doc.setValueStr("type", "sprite");
        doc.setValueStr("texture-rect", std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                                            std::to_string(r.width) + "," + std::to_string(r.height));
    } else if (o.particleSystem) {
        doc.setValueStr("type", "particle-system");
        WriteParticles(doc, *o.particleSystem);
    } else if (o.text) {
        const sf::Text& t = *o.text;
        doc.setValueStr("type", "text");
        doc.setValueStr("string", ToUtf8(t.getString()));
        doc.setValue("char-size", t.getCharacterSize());
        doc.setValue("style", static_cast<std::uint32_t>(t.getStyle()));
        doc.setValueStr("line-spacing", Real(t.getLineSpacing()));
        doc.setValueStr("letter-spacing", Real(t.getLetterSpacing()));
    } else if (o.vertexObject) {
        const VertexObject& v = *o.vertexObject;
        doc.setValueStr("type", "vertex-object");
        doc.setValue("primitive-type", v.getPrimitiveCode());
        doc.setValue("use-gpu", v.useGpuBuffer);
        doc.setValue("vertex-count", static_cast<std::int32_t>(v.vertices.getVertexCount()));
        for (std::size_t k = 0; k < v.vertices.getVertexCount(); ++k) {
            const std::string key = "vertex-" + std::to_string(k);
            doc.setValueStr(key + "-pos", Pair(v.vertices[k].position));
            doc.setValue(key + "-col", Colour(v.vertices[k].color));
            doc.setValueStr(key + "-tex", Pair(v.vertices[k].texCoords));
        }
    } else if (o.camera) {
        const Camera& c = *o.camera;
        doc.setValueStr("type", "camera");
        doc.setValueStr("center", Pair(c.getCenter()));
        doc.setValueStr("size", Pair(c.getSize()));
        doc.setValueStr("rotation", Real(c.getRotation()));
        doc.setValueStr("texture-multiplier", Real(c.textureMultiplier));
    } else if (o.pointLight) {
        doc.setValueStr("type", "point-light");
        doc.setValueStr("intensity", Real(o.pointLight->intensity));
        doc.setValue("resolution", static_cast<std::int32_t>(o.pointLight->resolution));
        doc.setValueStr("radius", Real(o.pointLight->radius));
    } else if (o.directionalLight) {
        doc.setValueStr("type", "directional-light");
        doc.setValueStr("intensity", Real(o.directionalLight->intensity));
        doc.setValue("resolution", static_cast<std::int32_t>(o.directionalLight->resolution));
        doc.setValueStr("size", Pair(o.directionalLight->size));
    }
}

} // namespace

JsonTable LevelJsonTable(const Level& level) {
    const auto& assets = level.assets;
    const auto& objects = level.objects;
    JsonTable doc;
    doc.setValueStr("rux-ver", c_version);
    doc.setValue("texture-objects-count", static_cast<std::int32_t>(assets.size()));
    std::size_t j = 0;
    for (const auto& [key, asset] : assets) {
        doc.prefix = "texture-objects[" + std::to_string(j++) + "].";
        if (const char* name = AssetTypeName(asset.type)) doc.setValueStr("type", name);
        if (asset.type == ObjectType::Texture) {
            doc.setValue("smooth", asset.texture && asset.texture->isSmooth());
            doc.setValue("repeated", asset.texture && asset.texture->isRepeated());
        }
        doc.setValueStr("location", key.string());
    }
    doc.prefix.clear();
    doc.setValue("object-count", static_cast<std::int32_t>(objects.size()));
    std::size_t i = 0;
    for (const auto& [name, o] : objects) {
        doc.prefix = "objects[" + std::to_string(i++) + "].";
        doc.setValueStr("name", name);
        doc.setValue("color", Colour(o.color));
        if (o.texture) doc.setValueStr("texture", o.texture->path.string());
        if (o.vertexShader) {
            doc.setValueStr("vertex-shader", o.vertexShader->path.string());
            doc.setValueStr("vertex-shader-data", Hex(o.vertexUniformData.data(), o.vertexUniformData.size()));
        }
        if (o.fragmentShader) {
            doc.setValueStr("fragment-shader", o.fragmentShader->path.string());
            doc.setValueStr("fragment-shader-data", Hex(o.fragmentUniformData.data(), o.fragmentUniformData.size()));
        }
        doc.setValue("visible", o.visible);
        doc.setValue("z-order", static_cast<std::int32_t>(o.zOrder));
        const int blend = BlendIndex(o.blendMode);
        if (blend >= 0) doc.setValueStr("blend", c_blendModeNames[static_cast<std::size_t>(blend)]);
        if (o.transformable) {
            doc.setValueStr("position", Pair(o.transformable->getPosition()));
            doc.setValueStr("scale", Pair(o.transformable->getScale()));
            doc.setValueStr("origin", Pair(o.transformable->getOrigin()));
            doc.setValueStr("rotation", Real(o.transformable->getRotation()));
        }
        if (o.hitbox) {
            doc.setValue("hitbox-count", static_cast<std::int32_t>(o.hitbox->lines.size()));
            for (std::size_t k = 0; k < o.hitbox->lines.size(); ++k) {
                const std::string key = "hitbox-" + std::to_string(k);
                doc.setValueStr(key + "-start", Pair(o.hitbox->lines[k].start));
                doc.setValueStr(key + "-end", Pair(o.hitbox->lines[k].end));
            }
        }
        WriteKind(doc, o);
    }
    doc.prefix.clear();
    return doc;
}

void Level::saveJSON(std::string& out) const { LevelJsonTable(*this).saveToMemory(out); }

} // namespace rux
