#include "editor/ObjectProperty.hpp"

#include "level/Binary.hpp"

#include <SFML/System/Err.hpp>

#include <algorithm>
#include <cstring>

namespace rux {
namespace {

using A = UndoAction;
using PS = ParticleSystem;

// --- byte packing ---------------------------------------------------------------------------

template <class T> void Put(PropertyBytes& out, const T& v) {
    static_assert(std::is_trivially_copyable_v<T>);
    const std::size_t at = out.size();
    out.resize(at + sizeof(T));
    std::memcpy(out.data() + at, &v, sizeof(T));
}
void Put(PropertyBytes& out, sf::Vector2f v) {
    Put(out, v.x);
    Put(out, v.y);
}
void Put(PropertyBytes& out, sf::Vector2u v) {
    Put(out, v.x);
    Put(out, v.y);
}
void Put(PropertyBytes& out, const sf::Glsl::Vec4& v) {
    Put(out, v.x);
    Put(out, v.y);
    Put(out, v.z);
    Put(out, v.w);
}

// Reads fields in order; `end` says whether exactly all bytes were used.
class Cursor {
public:
    explicit Cursor(const PropertyBytes& bytes) : b(bytes) {}
    template <class T> bool get(T& v) {
        static_assert(std::is_trivially_copyable_v<T>);
        if (b.size() - pos < sizeof(T)) return false;
        std::memcpy(&v, b.data() + pos, sizeof(T));
        pos += sizeof(T);
        return true;
    }
    bool get(sf::Vector2f& v) { return get(v.x) && get(v.y); }
    bool get(sf::Vector2u& v) { return get(v.x) && get(v.y); }
    bool get(sf::Glsl::Vec4& v) { return get(v.x) && get(v.y) && get(v.z) && get(v.w); }
    template <class... T> bool all(T&... v) { return (get(v) && ...) && pos == b.size(); }
    bool end() const { return pos == b.size(); }
    std::size_t left() const { return b.size() - pos; }

private:
    const PropertyBytes& b;
    std::size_t pos = 0;
};

// Particle-system settings that are plain members, by action.
template <class T> struct Field {
    A action;
    T PS::*member;
};
const Field<float> c_particleFloats[] = {
    {A::SpawnDelay, &PS::spawnRate},         {A::Lifetime, &PS::lifetime},
    {A::SpawnRadius, &PS::spawnRadius},      {A::StartRotation, &PS::startRotation},
    {A::EndRotation, &PS::endRotation},      {A::StartSize, &PS::startSize},
    {A::EndSize, &PS::endSize},              {A::StartSpeed, &PS::startSpeed},
    {A::EndSpeed, &PS::endSpeed},            {A::FireAngle, &PS::spawnAngle},
    {A::FireRotation, &PS::spawnRotation},   {A::Fading, &PS::fading},
    {A::RandomLifetime, &PS::randomLifetime}, {A::RandomStartSpeed, &PS::randomStartSpeed},
    {A::RandomEndSpeed, &PS::randomEndSpeed}, {A::RandomStartSize, &PS::randomStartSize},
    {A::RandomEndSize, &PS::randomEndSize},
};
const Field<std::int32_t> c_particleInts[] = {
    {A::MaxParticles, &PS::maxParticles}, {A::SpawnCount, &PS::spawnCount}, {A::ParticleType, &PS::particleType}};
const Field<bool> c_particleBools[] = {
    {A::UpdateParticles, &PS::updateEnabled}, {A::UseBothColors, &PS::useBothColors},
    {A::RandomRotation, &PS::randomRotation}, {A::NewestOnTop, &PS::newestTop},
    {A::CreateOnUpdate, &PS::continuousEmission}, {A::KeepUpFrameRate, &PS::keepUpFramerate},
    {A::UseSecondaryColors, &PS::useSecondaryColors}};
const Field<sf::Vector2f> c_particleVectors[] = {
    {A::SpawnPosition, &PS::spawnPosition}, {A::ConstantForce, &PS::constantForce}, {A::StartForce, &PS::startForce}};
const Field<sf::Glsl::Vec4> c_particleColors[] = {
    {A::StartColor, &PS::startColor}, {A::EndColor, &PS::endColor},
    {A::SecondaryStart, &PS::secondaryStart}, {A::SecondaryEnd, &PS::secondaryEnd}};

template <class T, std::size_t N> T PS::*Find(const Field<T> (&table)[N], A action) {
    for (const auto& f : table)
        if (f.action == action) return f.member;
    return nullptr;
}

// Settings whose change invalidates the particle arrays.
bool ResetsParticles(A a) { return a == A::MaxParticles || a == A::ParticleType || a == A::NewestOnTop; }

bool ReadParticle(const PS& ps, A a, PropertyBytes& out) {
    if (auto m = Find(c_particleFloats, a)) return Put(out, ps.*m), true;
    if (auto m = Find(c_particleInts, a)) return Put(out, ps.*m), true;
    if (auto m = Find(c_particleBools, a)) return Put(out, static_cast<std::uint8_t>(ps.*m)), true;
    if (auto m = Find(c_particleVectors, a)) return Put(out, ps.*m), true;
    if (auto m = Find(c_particleColors, a)) return Put(out, ps.*m), true;
    return false;
}

bool WriteParticle(PS& ps, A a, const PropertyBytes& v) {
    Cursor c(v);
    bool done = false;
    if (auto m = Find(c_particleFloats, a)) {
        float f;
        if (!c.all(f)) return false;
        ps.*m = f;
        done = true;
    } else if (auto m = Find(c_particleInts, a)) {
        std::int32_t i;
        if (!c.all(i)) return false;
        ps.*m = i;
        done = true;
    } else if (auto m = Find(c_particleBools, a)) {
        std::uint8_t b;
        if (!c.all(b)) return false;
        ps.*m = b != 0;
        done = true;
    } else if (auto m = Find(c_particleVectors, a)) {
        sf::Vector2f p;
        if (!c.all(p)) return false;
        ps.*m = p;
        done = true;
    } else if (auto m = Find(c_particleColors, a)) {
        sf::Glsl::Vec4 col;
        if (!c.all(col)) return false;
        ps.*m = col;
        done = true;
    }
    if (done && ResetsParticles(a)) ps.setupArray();
    return done;
}

void PutString(PropertyBytes& out, const sf::String& s) {
    for (const sf::Uint32 cp : s) Put(out, cp);
}

} // namespace

bool IsDiffedAction(UndoAction a) {
    const auto& d = DiffedActions();
    return std::find(d.begin(), d.end(), a) != d.end();
}

const std::vector<UndoAction>& DiffedActions() {
    static const std::vector<UndoAction> list = [] {
        std::vector<UndoAction> l{A::Visible,         A::Color,         A::Position,      A::Rotation,
                                  A::Scale,           A::Origin,        A::TextureRect,   A::TileTextureSize,
                                  A::TileTextureGap,  A::TextString,    A::LetterSpacing, A::LineSpacing,
                                  A::PointIntensity,  A::PointRadius,   A::DirectionalIntensity,
                                  A::DirectionalSize, A::SecondaryStart, A::SecondaryEnd};
        for (int i = 29; i <= 44; ++i) l.push_back(static_cast<A>(i));
        for (int i = 50; i <= 54; ++i) l.push_back(static_cast<A>(i));
        return l;
    }();
    return list;
}

void ApplyObjectColor(Level::Object& o) {
    const sf::Color c(ColorByte(o.color.x), ColorByte(o.color.y), ColorByte(o.color.z), ColorByte(o.color.w));
    if (o.sprite) o.sprite->setColor(c);
    if (o.text) o.text->setFillColor(c);
    if (o.tileMap) {
        o.tileMap->color = c;
        o.tileMap->flags |= TileMap::Colors;
    }
    if (o.pointLight) o.pointLight->color = c;
    if (o.directionalLight) o.directionalLight->color = c;
}

void SetObjectTexture(Level::Object& o, const Level::AssetObject* asset) {
    o.texture = asset;
    const sf::Texture* tex = asset ? asset->texture.get() : nullptr;
    if (o.sprite) {
        if (tex) {
            o.sprite->setTexture(*tex, false);
        } else {
            // A sprite cannot drop its texture; a fresh one takes over everything else.
            sf::Sprite bare;
            static_cast<sf::Transformable&>(bare) = *o.sprite;
            bare.setTextureRect(o.sprite->getTextureRect());
            bare.setColor(o.sprite->getColor());
            *o.sprite = bare;
        }
    }
    if (o.tileMap) {
        o.tileMap->texture = tex;
        o.tileMap->flags = TileMap::All;
    }
    if (o.particleSystem) {
        o.particleSystem->texture = tex;
        o.particleSystem->applyTexture(tex);
    }
    if (o.vertexObject) o.vertexObject->texture = tex;
}

void SetObjectFont(Level::Object& o, const Level::AssetObject* asset) {
    o.font = asset;
    if (!o.text) return;
    if (asset && asset->font) {
        o.text->setFont(*asset->font);
        return;
    }
    sf::Text bare;
    const sf::Text& t = *o.text;
    static_cast<sf::Transformable&>(bare) = t;
    bare.setString(t.getString());
    bare.setCharacterSize(t.getCharacterSize());
    bare.setStyle(t.getStyle());
    bare.setLetterSpacing(t.getLetterSpacing());
    bare.setLineSpacing(t.getLineSpacing());
    bare.setFillColor(t.getFillColor());
    bare.setOutlineColor(t.getOutlineColor());
    bare.setOutlineThickness(t.getOutlineThickness());
    *o.text = bare;
}

PropertyBytes TileBytes(const TileMap& map) {
    PropertyBytes out;
    Put(out, map.count.x);
    Put(out, map.count.y);
    for (std::size_t x = 0; x < map.count.x; ++x)
        for (std::size_t y = 0; y < map.count.y; ++y) {
            const bool in = x < map.tiles.size() && y < map.tiles[x].size();
            Put(out, in ? map.tiles[x][y] : std::uint16_t{0});
        }
    return out;
}

bool ReadProperty(const Level::Object& o, UndoAction a, PropertyBytes& out) {
    out.clear();
    const sf::Transformable* t = o.transformable;
    switch (a) {
    case A::Visible: Put(out, static_cast<std::uint8_t>(o.visible)); return true;
    case A::ZOrder: Put(out, o.zOrder); return true;
    case A::Color: Put(out, o.color); return true;
    case A::BlendMode: {
        const int i = BlendIndex(o.blendMode);
        Put(out, static_cast<std::int8_t>(i < 0 ? c_defaultBlendIndex : i));
        return true;
    }
    case A::Position: return t && (Put(out, t->getPosition()), true);
    case A::Rotation: return t && (Put(out, t->getRotation()), true);
    case A::Scale: return t && (Put(out, t->getScale()), true);
    case A::Origin: return t && (Put(out, t->getOrigin()), true);
    case A::TextureRect: {
        if (!o.sprite) return false;
        const sf::IntRect r = o.sprite->getTextureRect();
        Put(out, r.left), Put(out, r.top), Put(out, r.width), Put(out, r.height);
        return true;
    }
    case A::TileTextureSize: return o.tileMap && (Put(out, o.tileMap->textureTileSize), true);
    case A::TileTextureGap: return o.tileMap && (Put(out, o.tileMap->gap), true);
    case A::TileSize: return o.tileMap && (Put(out, o.tileMap->tileSize), true);
    case A::Tiles: return o.tileMap && (out = TileBytes(*o.tileMap), true);
    case A::VertexUniforms: out.assign(o.vertexUniformData.begin(), o.vertexUniformData.end()); return true;
    case A::FragmentUniforms: out.assign(o.fragmentUniformData.begin(), o.fragmentUniformData.end()); return true;
    case A::TextString: return o.text && (PutString(out, o.text->getString()), true);
    case A::CharacterSize: return o.text && (Put(out, static_cast<std::uint32_t>(o.text->getCharacterSize())), true);
    case A::TextStyle: return o.text && (Put(out, static_cast<std::uint32_t>(o.text->getStyle())), true);
    case A::LetterSpacing: return o.text && (Put(out, o.text->getLetterSpacing()), true);
    case A::LineSpacing: return o.text && (Put(out, o.text->getLineSpacing()), true);
    case A::PrimitiveType: return o.vertexObject && (Put(out, o.vertexObject->getPrimitiveCode()), true);
    case A::VertexBuffer:
        return o.vertexObject && (Put(out, static_cast<std::uint8_t>(o.vertexObject->useGpuBuffer)), true);
    case A::CameraCenter: return o.camera && (Put(out, o.camera->getCenter()), true);
    case A::CameraSize: return o.camera && (Put(out, o.camera->getSize()), true);
    case A::CameraRotation: return o.camera && (Put(out, o.camera->getRotation()), true);
    case A::PointIntensity: return o.pointLight && (Put(out, o.pointLight->intensity), true);
    case A::PointResolution: return o.pointLight && (Put(out, o.pointLight->resolution), true);
    case A::PointRadius: return o.pointLight && (Put(out, o.pointLight->radius), true);
    case A::DirectionalIntensity: return o.directionalLight && (Put(out, o.directionalLight->intensity), true);
    case A::DirectionalResolution: return o.directionalLight && (Put(out, o.directionalLight->resolution), true);
    case A::DirectionalSize: return o.directionalLight && (Put(out, o.directionalLight->size), true);
    default: return o.particleSystem && ReadParticle(*o.particleSystem, a, out);
    }
}

bool WriteProperty(Level::Object& o, UndoAction a, const PropertyBytes& v) {
    Cursor c(v);
    sf::Transformable* t = o.transformable;
    sf::Vector2f p;
    sf::Vector2u u;
    float f;
    std::uint8_t b;
    std::uint16_t s;
    std::uint32_t n;
    std::int32_t i;
    switch (a) {
    case A::Visible:
        if (!c.all(b)) return false;
        o.visible = b != 0;
        return true;
    case A::ZOrder: {
        std::int8_t z;
        if (!c.all(z)) return false;
        o.zOrder = z;
        return true;
    }
    case A::Color: {
        sf::Glsl::Vec4 col;
        if (!c.all(col)) return false;
        o.color = col;
        ApplyObjectColor(o);
        return true;
    }
    case A::BlendMode: {
        std::int8_t index;
        if (!c.all(index) || index < 0 || index >= static_cast<int>(c_blendModes.size())) return false;
        o.blendMode = c_blendModes[static_cast<std::size_t>(index)];
        return true;
    }
    case A::Position:
        if (!t || !c.all(p)) return false;
        t->setPosition(p);
        return true;
    case A::Rotation:
        if (!t || !c.all(f)) return false;
        t->setRotation(f);
        return true;
    case A::Scale:
        if (!t || !c.all(p)) return false;
        t->setScale(p);
        return true;
    case A::Origin:
        if (!t || !c.all(p)) return false;
        t->setOrigin(p);
        return true;
    case A::TextureRect: {
        sf::IntRect r;
        if (!o.sprite || !c.all(r.left, r.top, r.width, r.height)) return false;
        o.sprite->setTextureRect(r);
        return true;
    }
    case A::TileTextureSize:
    case A::TileTextureGap:
    case A::TileSize:
        if (!o.tileMap || !c.all(u)) return false;
        (a == A::TileTextureSize ? o.tileMap->textureTileSize : a == A::TileTextureGap ? o.tileMap->gap
                                                                                        : o.tileMap->tileSize) = u;
        o.tileMap->flags = TileMap::All;
        return true;
    case A::VertexUniforms:
    case A::FragmentUniforms:
        (a == A::VertexUniforms ? o.vertexUniformData : o.fragmentUniformData) = v;
        Level::ApplyUniforms(o);
        return true;
    case A::TextString: {
        if (!o.text || v.size() % 4 != 0) return false;
        sf::String str;
        for (std::size_t k = 0; k < v.size(); k += 4) {
            sf::Uint32 cp;
            std::memcpy(&cp, v.data() + k, 4);
            str += cp;
        }
        o.text->setString(str);
        return true;
    }
    case A::CharacterSize:
        if (!o.text || !c.all(n)) return false;
        o.text->setCharacterSize(n);
        return true;
    case A::TextStyle:
        if (!o.text || !c.all(n)) return false;
        o.text->setStyle(n);
        return true;
    case A::LetterSpacing:
        if (!o.text || !c.all(f)) return false;
        o.text->setLetterSpacing(f);
        return true;
    case A::LineSpacing:
        if (!o.text || !c.all(f)) return false;
        o.text->setLineSpacing(f);
        return true;
    case A::PrimitiveType:
        if (!o.vertexObject || !c.all(i)) return false;
        o.vertexObject->setPrimitiveCode(i);
        return true;
    case A::VertexBuffer:
        if (!o.vertexObject || !c.all(b)) return false;
        o.vertexObject->useGpuBuffer = b != 0;
        if (o.vertexObject->useGpuBuffer) o.vertexObject->Update();
        return true;
    case A::CameraCenter:
        if (!o.camera || !c.all(p)) return false;
        o.camera->setCenter(p);
        return true;
    case A::CameraSize:
        if (!o.camera || !c.all(p)) return false;
        o.camera->setSize(p);
        return true;
    case A::CameraRotation:
        if (!o.camera || !c.all(f)) return false;
        o.camera->setRotation(f);
        return true;
    case A::PointIntensity:
    case A::PointRadius:
        if (!o.pointLight || !c.all(f)) return false;
        (a == A::PointIntensity ? o.pointLight->intensity : o.pointLight->radius) = f;
        return true;
    case A::PointResolution:
        if (!o.pointLight || !c.all(s)) return false;
        o.pointLight->resolution = s;
        return true;
    case A::DirectionalIntensity:
        if (!o.directionalLight || !c.all(f)) return false;
        o.directionalLight->intensity = f;
        return true;
    case A::DirectionalResolution:
        if (!o.directionalLight || !c.all(s)) return false;
        o.directionalLight->resolution = s;
        return true;
    case A::DirectionalSize:
        if (!o.directionalLight || !c.all(p)) return false;
        o.directionalLight->size = p;
        return true;
    default: return o.particleSystem && WriteParticle(*o.particleSystem, a, v);
    }
}

namespace {

bool ReadVertex(Cursor& c, std::int32_t& index, sf::Vertex& vx) {
    return c.all(index, vx.position.x, vx.position.y, vx.color.r, vx.color.g, vx.color.b, vx.color.a,
                 vx.texCoords.x, vx.texCoords.y);
}

void SetVertices(VertexObject& vo, const std::vector<sf::Vertex>& list) {
    vo.vertices.resize(list.size());
    for (std::size_t k = 0; k < list.size(); ++k) vo.vertices[k] = list[k];
    vo.generateSelectIcons();
    if (vo.useGpuBuffer) vo.Update();
}

// A stored index that no longer fits the object (the step is ignored).
bool OutOfRange(const char* what, std::int32_t index, std::size_t size) {
    sf::err() << what << " index " << index << " out of range (" << size << "), undo step ignored" << std::endl;
    return false;
}

std::vector<sf::Vertex> Vertices(const VertexObject& vo) {
    std::vector<sf::Vertex> list(vo.vertices.getVertexCount());
    for (std::size_t k = 0; k < list.size(); ++k) list[k] = vo.vertices[k];
    return list;
}

} // namespace

bool ReverseStructural(Level::Object& o, UndoAction a, const PropertyBytes& v) {
    Cursor c(v);
    std::int32_t index = 0;
    switch (a) {
    case A::Tiles: {
        sf::Vector2u count;
        if (!o.tileMap || !c.get(count)) return false;
        if (static_cast<std::uint64_t>(count.x) * count.y * 2 != c.left()) return false;
        TileMap& map = *o.tileMap;
        map.count = count;
        map.ResizeBuffer();
        for (std::size_t x = 0; x < count.x; ++x)
            for (std::size_t y = 0; y < count.y; ++y) {
                std::uint16_t id = 0;
                c.get(id);
                if (x < map.tiles.size() && y < map.tiles[x].size()) map.tiles[x][y] = id;
            }
        map.flags = TileMap::All;
        return true;
    }
    case A::Vertex:
    case A::VertexRemoved: {
        sf::Vertex vx;
        if (!o.vertexObject || !ReadVertex(c, index, vx)) return false;
        if (index < 0) return OutOfRange("Vertex", index, o.vertexObject->vertices.getVertexCount());
        std::vector<sf::Vertex> list = Vertices(*o.vertexObject);
        const auto at = static_cast<std::size_t>(index);
        if (a == A::Vertex) {
            if (at >= list.size()) return OutOfRange("Vertex", index, list.size());
            list[at] = vx;
        } else {
            if (at > list.size()) return OutOfRange("Vertex", index, list.size());
            list.insert(list.begin() + index, vx);
        }
        SetVertices(*o.vertexObject, list);
        return true;
    }
    case A::VertexAppended: {
        if (!o.vertexObject || o.vertexObject->vertices.getVertexCount() == 0) return false;
        std::vector<sf::Vertex> list = Vertices(*o.vertexObject);
        list.pop_back();
        SetVertices(*o.vertexObject, list);
        return true;
    }
    case A::HitLineAdded:
        if (!o.hitbox || o.hitbox->lines.empty()) return false;
        o.hitbox->lines.pop_back();
        return true;
    case A::HitLineRemoved: {
        Hitbox::HitLine line;
        if (!o.hitbox || !c.all(index, line.start, line.end)) return false;
        if (index < 0 || static_cast<std::size_t>(index) > o.hitbox->lines.size())
            return OutOfRange("Hit line", index, o.hitbox->lines.size());
        o.hitbox->lines.insert(o.hitbox->lines.begin() + index, line);
        return true;
    }
    case A::HitLineStart:
    case A::HitLineEnd: {
        sf::Vector2f p;
        if (!o.hitbox || !c.all(index, p)) return false;
        if (index < 0 || static_cast<std::size_t>(index) >= o.hitbox->lines.size())
            return OutOfRange("Hit line", index, o.hitbox->lines.size());
        Hitbox::HitLine& line = o.hitbox->lines[static_cast<std::size_t>(index)];
        (a == A::HitLineStart ? line.start : line.end) = p;
        return true;
    }
    case A::HitboxAdded:
        if (!o.hitbox) return false;
        o.hitbox.reset();
        return true;
    case A::HitboxDeleted: {
        std::uint32_t count = 0;
        if (!c.get(count) || static_cast<std::uint64_t>(count) * 16 != c.left()) return false;
        auto box = std::make_unique<Hitbox>();
        box->lines.resize(count);
        for (auto& line : box->lines) c.get(line.start), c.get(line.end);
        o.hitbox = std::move(box);
        return true;
    }
    default: return false;
    }
}

} // namespace rux
