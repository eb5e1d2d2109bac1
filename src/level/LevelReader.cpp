// Reading level files: version dispatch and one parser for all versions. Each asset and object
// record is parsed and checked completely before it touches the level, so a damaged file
// leaves only whole records behind.
#include "level/Binary.hpp"
#include "level/Graphics.hpp"
#include "level/Level.hpp"
#include "level/TextCodec.hpp"
#include <SFML/System/Err.hpp>
#include <SFML/System/InputStream.hpp>
#include <algorithm>
#include <array>

namespace rux {

// What distinguishes the file versions.
struct Level::Format {
    bool reservedIndex = true;    // index assetCount selects the missing asset (no shader)
    bool oldPaths = false;        // paths carry two extra leading components
    bool markMissing = true;      // failed asset loads point at the missing asset
    bool trimNameZero = false;    // names may end in one zero byte
    bool cameraAndLights = true;  // kinds 10..12 exist
    bool transformAlways = false; // cameras have a transform block too
    bool hitboxes = true;
    bool narrowGaps = false;      // tile map gaps are uint16
    bool headerlessParticles = false;
    bool clampPrimitive = false;  // vertex primitive above 5 means triangles
};

namespace {

struct ObjectRecord {
    std::string name;
    std::array<std::uint8_t, 4> color{};
    std::int32_t type = 0;
    std::int32_t assetIndex = -1;
    std::int32_t fragmentIndex = -1;
    std::string_view fragmentData;
    std::int32_t vertexIndex = -1;
    std::string_view vertexData;
    std::int32_t visible = 1, zOrder = 0, blend = 0;
    bool hasTransform = false;
    std::array<float, 7> transform{};
    bool hasHitbox = false;
    std::string_view hitLines;
    std::string_view payload;
};

const char* KindName(std::int32_t type) {
    switch (type) {
    case 1: return "tile map";
    case 2: return "sprite";
    case 6: return "particle system";
    case 8: return "text";
    case 9: return "vertex object";
    case 10: return "camera";
    case 11: return "point light";
    case 12: return "directional light";
    default: return "object";
    }
}

// Everything up to and including the first '/' or '\' removed; empty when there is none.
std::string DropFirstComponent(std::string_view p) {
    const auto cut = p.find_first_of("/\\");
    return cut == std::string_view::npos ? std::string() : std::string(p.substr(cut + 1));
}

bool IsFile(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);
}

sf::Color ToColor(const std::array<std::uint8_t, 4>& c) { return sf::Color(c[0], c[1], c[2], c[3]); }

bool HasDrawableOf(const Level::Object& o, std::int32_t type) {
    switch (type) {
    case 1: return o.tileMap != nullptr;
    case 2: return o.sprite != nullptr;
    case 6: return o.particleSystem != nullptr;
    case 8: return o.text != nullptr;
    case 9: return o.vertexObject != nullptr;
    case 10: return o.camera != nullptr;
    case 11: return o.pointLight != nullptr;
    case 12: return o.directionalLight != nullptr;
    default: return false;
    }
}

// Parses one object record; checks indices, counts and the kind's payload size.
bool ParseObject(ByteReader& in, const Level::Format& f, std::int32_t tableSize, ObjectRecord& r) {
    const std::string_view name = in.str();
    r.name.assign(name);
    if (f.trimNameZero && !r.name.empty() && r.name.back() == '\0') r.name.pop_back();
    for (auto& c : r.color) c = in.u8();
    r.type = in.i32();
    if (!in.ok()) return false;
    const bool known = r.type == 1 || r.type == 2 || r.type == 6 || r.type == 8 || r.type == 9 ||
                       (f.cameraAndLights && (r.type == 10 || r.type == 11 || r.type == 12));
    if (!known) {
        in.fail("object '" + r.name + "' has unknown kind " + std::to_string(r.type));
        return false;
    }
    auto index = [&](std::int32_t& out, const char* what) {
        out = in.i32();
        if (in.ok() && out != -1 && (out < 0 || out >= tableSize))
            in.fail("object '" + r.name + "': " + what + " index " + std::to_string(out) + " out of range");
    };
    index(r.assetIndex, "asset");
    if (in.ok() && r.assetIndex == -1 && (r.type == 1 || r.type == 2 || r.type == 8))
        in.fail("object '" + r.name + "': " + KindName(r.type) + " without " + (r.type == 8 ? "font" : "texture"));
    index(r.fragmentIndex, "fragment shader");
    if (in.ok() && r.fragmentIndex != -1) r.fragmentData = in.str();
    index(r.vertexIndex, "vertex shader");
    if (in.ok() && r.vertexIndex != -1) r.vertexData = in.str();
    r.visible = in.i32();
    r.zOrder = in.i32();
    r.blend = in.i32();
    if (in.ok() && (r.blend < 0 || r.blend > 3))
        in.fail("object '" + r.name + "': blend mode " + std::to_string(r.blend) + " out of range");
    r.hasTransform = f.transformAlways || r.type != 10;
    if (r.hasTransform)
        for (auto& v : r.transform) v = in.f32();
    if (f.hitboxes && in.u8() != 0) {
        r.hasHitbox = true;
        const std::int32_t lines = in.i32();
        if (in.ok() && lines < 0) in.fail("object '" + r.name + "': negative hit line count");
        if (in.fits(std::uint32_t(lines), 16, "hit line")) r.hitLines = in.bytes(std::uint64_t(lines) * 16);
    }
    if (!in.ok()) return false;

    const std::size_t start = in.offset();
    switch (r.type) {
    case 1: {
        in.bytes(f.narrowGaps ? 4 : 8);
        in.bytes(8);
        const std::uint32_t cx = in.u32(), cy = in.u32();
        in.bytes(8);
        if (in.ok() && (cx > c_maxTileCount || cy > c_maxTileCount))
            in.fail("object '" + r.name + "': tile count " + std::to_string(cx) + " x " + std::to_string(cy) + " too large");
        if (in.fits(std::uint64_t(cx) * cy, 2, "tile")) in.bytes(std::uint64_t(cx) * cy * 2);
        break;
    }
    case 2: in.bytes(16); break;
    case 6:
        if (!f.headerlessParticles) {
            const std::string_view magic = in.bytes(6);
            if (in.ok() && magic != "PSY002" && magic != "PSY001")
                in.fail("object '" + r.name + "': particle system data without its PSY002 tag");
        }
        in.bytes(ParticleSystem::c_imageSize);
        break;
    case 8: in.str(); in.bytes(4 + 1 + 4 + 4); break;
    case 9: {
        in.bytes(4 + 1);
        const std::uint32_t n = in.u32();
        if (in.fits(n, 20, "vertex")) in.bytes(std::uint64_t(n) * 20);
        break;
    }
    case 10: in.bytes(r.name == c_mainCameraName ? 12 : 24); break;
    case 11: in.bytes(4 + 4 + 2); break;
    case 12: in.bytes(8 + 4 + 2); break;
    }
    if (!in.ok()) return false;
    r.payload = in.slice(start, in.offset());
    return true;
}

} // namespace

namespace {

// Adds the particles a pool-mode image allocates up front to `total` and returns the sum.
std::int64_t PoolParticles(std::string_view image, bool headerless, std::int64_t& total) {
    ByteReader p(image.substr(headerless ? 0 : 6));
    p.bytes(32);
    const std::int32_t max = p.i32();
    p.bytes(81 - 36);
    const bool newestTop = p.u8() != 0;
    if (!newestTop) total += std::clamp(max, 0, c_maxParticles);
    return total;
}

struct AssetTables {
    std::vector<const Level::AssetObject*> texture, font, fragment, vertex;
    void resize(std::size_t n) {
        texture.assign(n, nullptr);
        font.assign(n, nullptr);
        fragment.assign(n, nullptr);
        vertex.assign(n, nullptr);
    }
};

void ApplyPayload(Level::Object& obj, const ObjectRecord& r, const Level::Format& f) {
    ByteReader p(r.payload);
    const sf::Color color = ToColor(r.color);
    const sf::Texture* tex = obj.texture ? obj.texture->texture.get() : nullptr;
    switch (r.type) {
    case 1: {
        TileMap& map = *obj.tileMap;
        if (f.narrowGaps) {
            const std::uint32_t gx = p.u16();
            map.gap = {gx, p.u16()};
        } else {
            const std::uint32_t gx = p.u32();
            map.gap = {gx, p.u32()};
        }
        const std::uint32_t tx = p.u32();
        map.textureTileSize = {tx, p.u32()};
        const std::uint32_t cx = p.u32();
        map.count = {cx, p.u32()};
        map.ResizeBuffer();
        const std::uint32_t sx = p.u32();
        map.tileSize = {sx, p.u32()};
        map.color = color;
        for (auto& column : map.tiles)
            for (auto& id : column) id = p.u16();
        map.texture = tex;
        map.flags = TileMap::All;
        break;
    }
    case 2: {
        sf::Sprite& s = *obj.sprite;
        s.setColor(color);
        sf::IntRect rect;
        rect.left = p.i32();
        rect.top = p.i32();
        rect.width = p.i32();
        rect.height = p.i32();
        s.setTextureRect(rect);
        if (tex) s.setTexture(*tex, false);
        break;
    }
    case 6: {
        ParticleSystem& ps = *obj.particleSystem;
        ps.loadFromMemory(r.payload, f.headerlessParticles);
        if (tex) {
            ps.texture = tex;
            ps.applyTexture(tex);
        }
        break;
    }
    case 8: {
        sf::Text& t = *obj.text;
        t.setString(FromStoredText(p.str()));
        t.setCharacterSize(p.u32());
        t.setStyle(p.u8());
        t.setLineSpacing(p.f32());
        t.setLetterSpacing(p.f32());
        if (obj.font && obj.font->font) t.setFont(*obj.font->font);
        t.setFillColor(color);
        break;
    }
    case 9: {
        VertexObject& vo = *obj.vertexObject;
        std::int32_t code = p.i32();
        if (f.clampPrimitive && code > 5) code = 3;
        vo.useGpuBuffer = p.u8() != 0;
        vo.setPrimitiveCode(code);
        const std::uint32_t n = p.u32();
        vo.vertices.resize(n);
        for (std::uint32_t i = 0; i < n; ++i) {
            sf::Vertex& v = vo.vertices[i];
            v.position.x = p.f32();
            v.position.y = p.f32();
            v.color.r = p.u8();
            v.color.g = p.u8();
            v.color.b = p.u8();
            v.color.a = p.u8();
            v.texCoords.x = p.f32();
            v.texCoords.y = p.f32();
        }
        if (tex) vo.texture = tex;
        if (vo.useGpuBuffer) vo.Update();
        break;
    }
    case 10: {
        Camera& cam = *obj.camera;
        const float cx = p.f32();
        cam.setCenter(cx, p.f32());
        if (r.name != c_mainCameraName) {
            const float sx = p.f32();
            cam.setSize(sx, p.f32());
            cam.setRotation(p.f32());
        }
        cam.textureMultiplier = p.f32();
        break;
    }
    case 11: {
        PointLight& l = *obj.pointLight;
        l.radius = p.f32();
        l.intensity = p.f32();
        l.resolution = ClampLightResolution(p.u16());
        l.color = color;
        break;
    }
    case 12: {
        DirectionalLight& l = *obj.directionalLight;
        const float sx = p.f32();
        l.size = {sx, p.f32()};
        l.intensity = p.f32();
        l.resolution = ClampLightResolution(p.u16());
        l.color = color;
        break;
    }
    }
}

void CreateDrawable(Level::Object& obj, std::int32_t type) {
    const sf::Texture* tex = obj.texture ? obj.texture->texture.get() : nullptr;
    switch (type) {
    case 1:
        obj.tileMap = std::make_unique<TileMap>(tex);
        obj.transformable = obj.tileMap.get();
        break;
    case 2:
        obj.sprite = std::make_unique<sf::Sprite>();
        if (tex) obj.sprite->setTexture(*tex, true);
        obj.transformable = obj.sprite.get();
        break;
    case 6: obj.UseParticleSystem(); break;
    case 8:
        obj.text = std::make_unique<sf::Text>();
        if (obj.font && obj.font->font) obj.text->setFont(*obj.font->font);
        obj.text->setCharacterSize(30);
        obj.transformable = obj.text.get();
        break;
    case 9:
        obj.vertexObject = std::make_unique<VertexObject>();
        obj.vertexObject->vertices.resize(1);
        obj.transformable = obj.vertexObject.get();
        break;
    case 10: obj.camera = std::make_unique<Camera>(); break;
    case 11:
        obj.pointLight = std::make_unique<PointLight>();
        obj.transformable = obj.pointLight.get();
        break;
    case 12:
        obj.directionalLight = std::make_unique<DirectionalLight>();
        obj.transformable = obj.directionalLight.get();
        break;
    }
}

} // namespace

bool Level::readLevel(sf::InputStream& stream, const std::filesystem::path& folder, const Format& f) {
    std::string data;
    if (!ReadRest(stream, data)) {
        m_loadError = "read error";
        sf::err() << "Cannot read level: " << m_loadError << std::endl;
        return false;
    }
    ByteReader in(data);
    const bool headless = Graphics::isHeadless();
    auto fault = [&](const std::string& what) {
        in.fail(what);
        m_loadError = in.error();
        sf::err() << "Cannot read level: " << m_loadError << std::endl;
        return false;
    };
    auto checkRead = [&]() {
        if (in.ok()) return true;
        m_loadError = in.error();
        sf::err() << "Cannot read level: " << m_loadError << std::endl;
        return false;
    };

    const std::int32_t assetCount = in.i32();
    if (!checkRead()) return false;
    if (assetCount < 0) return fault("negative asset count");
    if (!in.fits(std::uint32_t(assetCount), 10, "asset")) return checkRead();
    const std::int32_t tableSize = assetCount + (f.reservedIndex ? 1 : 0);
    AssetTables tables;
    tables.resize(static_cast<std::size_t>(tableSize));
    if (f.reservedIndex) {
        tables.texture.back() = getMissingTexture();
        tables.font.back() = getMissingFont();
    }

    for (std::int32_t i = 0; i < assetCount; ++i) {
        const std::int32_t type = in.i32();
        const std::string_view stored = in.str();
        const bool smooth = in.u8() != 0;
        const bool repeated = in.u8() != 0;
        if (!checkRead()) return false;
        if (!IsAssetKind(type)) continue;

        std::string key(stored);
        if (f.oldPaths) {
            // Old files stored "Projects/<project>/<path>"; the file is at folder / <path>, and
            // it is keyed by that too so the next save still finds it.
            key = DropFirstComponent(DropFirstComponent(key));
            for (auto& c : key)
                if (c == '\\') c = '/';
        }
        const auto kind = static_cast<ObjectType>(type);
        auto found = assets.find(key);
        if (found != assets.end() && found->second.type != ObjectType::None && found->second.type != kind)
            return fault("asset '" + key + "' is stored as two kinds");
        AssetObject& asset = assets[key];
        asset.type = kind;
        if (!asset.hasResource()) {
            if (kind == ObjectType::Texture && !headless) asset.texture = std::make_unique<sf::Texture>();
            else if (kind == ObjectType::Font) asset.font = std::make_unique<sf::Font>();
            else if (kind == ObjectType::FragmentShader || kind == ObjectType::VertexShader)
                asset.uniforms = std::make_unique<Uniforms>();
        }
        asset.path = key;

        const std::filesystem::path file = folder / key;
        bool failed = false;
        if (kind == ObjectType::Texture) {
            failed = !IsFile(file) || (asset.texture && !asset.texture->loadFromFile(file.string()));
            if (asset.texture) {
                asset.texture->setSmooth(smooth);
                asset.texture->setRepeated(repeated);
            }
        } else if (kind == ObjectType::Font) {
            failed = !IsFile(file) || (!headless && asset.font && !asset.font->loadFromFile(file.string()));
        }
        const auto slot = static_cast<std::size_t>(i);
        switch (kind) {
        case ObjectType::Texture: tables.texture[slot] = &asset; break;
        case ObjectType::Font: tables.font[slot] = &asset; break;
        case ObjectType::FragmentShader: tables.fragment[slot] = &asset; break;
        default: tables.vertex[slot] = &asset; break;
        }
        if (failed && f.markMissing) {
            if (kind == ObjectType::Texture) tables.texture[slot] = getMissingTexture();
            if (kind == ObjectType::Font) tables.font[slot] = getMissingFont();
            assetsMissing = true;
        }
    }

    const std::int32_t objectCount = in.i32();
    if (!checkRead()) return false;
    if (objectCount < 0) return fault("negative object count");
    if (!in.fits(std::uint32_t(objectCount), 36, "object")) return checkRead();

    std::int64_t poolParticles = 0;
    for (std::int32_t i = 0; i < objectCount; ++i) {
        ObjectRecord r;
        if (!ParseObject(in, f, tableSize, r)) return checkRead();
        // Pools are allocated in full when read: a few bytes may ask for hundreds of megabytes,
        // so the pools of one file share one budget.
        if (r.type == 6 && PoolParticles(r.payload, f.headerlessParticles, poolParticles) > c_maxParticles)
            return fault("particle pools ask for more than " + std::to_string(c_maxParticles) + " particles in all");

        auto existing = objects.find(r.name);
        if (existing != objects.end() && existing->second.anyUsed() && !HasDrawableOf(existing->second, r.type))
            return fault("object '" + r.name + "' already exists as another kind");
        Object& obj = existing != objects.end() ? existing->second : objects[r.name];

        obj.color = {r.color[0] / 255.f, r.color[1] / 255.f, r.color[2] / 255.f, r.color[3] / 255.f};
        obj.type = static_cast<ObjectType>(r.type);
        if (r.assetIndex != -1) {
            // An index that names an asset of another kind counts as a missing asset.
            const auto idx = static_cast<std::size_t>(r.assetIndex);
            if (r.type == 8) {
                obj.font = tables.font[idx];
                if (!obj.font) obj.font = getMissingFont();
            } else {
                obj.texture = tables.texture[idx];
                if (!obj.texture) obj.texture = getMissingTexture();
            }
            if (!(r.type == 8 ? tables.font[idx] : tables.texture[idx])) assetsMissing = true;
        }
        if (!obj.anyUsed()) CreateDrawable(obj, r.type);

        auto shaderSlot = [&](std::int32_t index, const std::vector<const AssetObject*>& table,
                              const AssetObject*& target, std::vector<std::uint8_t>& store,
                              std::string_view bytes) {
            if (index == -1) return;
            target = table[static_cast<std::size_t>(index)];
            if (!target && index < assetCount) assetsMissing = true;
            store.assign(bytes.begin(), bytes.end());
        };
        shaderSlot(r.fragmentIndex, tables.fragment, obj.fragmentShader, obj.fragmentUniformData, r.fragmentData);
        shaderSlot(r.vertexIndex, tables.vertex, obj.vertexShader, obj.vertexUniformData, r.vertexData);
        if ((obj.vertexShader || obj.fragmentShader) && !headless) {
            obj.shader = std::make_unique<sf::Shader>();
            const std::filesystem::path vs = obj.vertexShader ? folder / obj.vertexShader->path : std::filesystem::path();
            const std::filesystem::path fs = obj.fragmentShader ? folder / obj.fragmentShader->path : std::filesystem::path();
            const bool present = (!obj.vertexShader || IsFile(vs)) && (!obj.fragmentShader || IsFile(fs));
            if (!present && f.markMissing) {
                assetsMissing = true;
            } else if (obj.vertexShader && obj.fragmentShader) {
                obj.shader->loadFromFile(vs.string(), fs.string());
            } else if (obj.vertexShader) {
                obj.shader->loadFromFile(vs.string(), sf::Shader::Vertex);
            } else {
                obj.shader->loadFromFile(fs.string(), sf::Shader::Fragment);
            }
        }

        obj.visible = r.visible != 0;
        obj.zOrder = static_cast<std::int8_t>(static_cast<std::uint8_t>(r.zOrder & 0xFF));
        obj.blendMode = c_blendModes[static_cast<std::size_t>(r.blend)];
        if (obj.transformable && r.hasTransform) {
            const auto& t = r.transform;
            obj.transformable->setPosition(t[0], t[1]);
            obj.transformable->setRotation(t[2]);
            obj.transformable->setScale(t[3], t[4]);
            obj.transformable->setOrigin(t[5], t[6]);
        }
        if (r.hasHitbox) {
            obj.hitbox = std::make_unique<Hitbox>();
            ByteReader h(r.hitLines);
            obj.hitbox->lines.resize(r.hitLines.size() / 16);
            for (auto& line : obj.hitbox->lines) {
                line.start.x = h.f32();
                line.start.y = h.f32();
                line.end.x = h.f32();
                line.end.y = h.f32();
            }
        }
        ApplyPayload(obj, r, f);
    }
    m_loadError.clear();
    return true;
}

bool Level::loaderv162(sf::InputStream& stream, const std::filesystem::path& folder) {
    Format f;
    f.narrowGaps = true;
    f.headerlessParticles = true;
    f.clampPrimitive = true;
    return readLevel(stream, folder, f);
}

bool Level::loaderv153(sf::InputStream& stream, const std::filesystem::path& folder) {
    Format f;
    f.reservedIndex = false;
    f.oldPaths = true;
    f.markMissing = false;
    f.trimNameZero = true;
    f.cameraAndLights = false;
    f.transformAlways = true;
    f.hitboxes = false;
    f.narrowGaps = true;
    f.headerlessParticles = true;
    f.clampPrimitive = true;
    return readLevel(stream, folder, f);
}

bool Level::loadFromStream(sf::InputStream& stream, const std::filesystem::path& folder) {
    std::uint32_t length = 0;
    std::string tag;
    if (stream.read(&length, 4) == 4 && length <= 16) {
        tag.resize(length);
        if (length != 0 && stream.read(tag.data(), length) != static_cast<sf::Int64>(length)) tag.clear();
    }
    if (tag == "#1.7") return readLevel(stream, folder, Format{});
    if (tag == "#1.6") return loaderv162(stream, folder / "");
    if (tag == "#1.5" || tag == "#1.4") return loaderv153(stream, folder / "");
    m_loadError = "not a level file (unknown version tag)";
    sf::err() << "Cannot read level: " << m_loadError << std::endl;
    return false;
}

} // namespace rux
