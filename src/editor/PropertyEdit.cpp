#include "editor/PropertyEdit.hpp"

#include "editor/ObjectProperty.hpp"

#include <SFML/System/Err.hpp>

#include <algorithm>
#include <cstring>

namespace rux::PropertyEdit {
namespace {

using A = UndoAction;

struct Pair {
    Level::Object* object = nullptr;
    Level::Object* twin = nullptr;
    explicit operator bool() const { return object && twin; }
};

Pair Find(Scene& scene, const std::string& name) {
    Pair p;
    const auto s = scene.objects.find(name);
    const auto r = scene.referenceLevel.objects.find(name);
    if (s != scene.objects.end()) p.object = &s->second;
    if (r != scene.referenceLevel.objects.end()) p.twin = &r->second;
    return p;
}

template <class T> void Put(PropertyBytes& out, const T& v) {
    const std::size_t at = out.size();
    out.resize(at + sizeof(T));
    std::memcpy(out.data() + at, &v, sizeof(T));
}

PropertyBytes VertexBytes(std::int32_t index, const sf::Vertex& v) {
    PropertyBytes out;
    Put(out, index);
    Put(out, v.position.x), Put(out, v.position.y);
    Put(out, v.color.r), Put(out, v.color.g), Put(out, v.color.b), Put(out, v.color.a);
    Put(out, v.texCoords.x), Put(out, v.texCoords.y);
    return out;
}

void Refresh(VertexObject& vo) {
    vo.generateSelectIcons();
    if (vo.useGpuBuffer) vo.Update();
}

void EraseVertex(VertexObject& vo, std::size_t index) {
    std::vector<sf::Vertex> list;
    for (std::size_t k = 0; k < vo.vertices.getVertexCount(); ++k)
        if (k != index) list.push_back(vo.vertices[k]);
    vo.vertices.resize(list.size());
    for (std::size_t k = 0; k < list.size(); ++k) vo.vertices[k] = list[k];
    Refresh(vo);
}

bool BadIndex(int index, std::size_t size, const char* what) {
    if (index >= 0 && static_cast<std::size_t>(index) < size) return false;
    sf::err() << what << " index " << index << " out of range (" << size << ")" << std::endl;
    return true;
}

// Records the twin's tiles as the old value and copies the object's tiles into the twin.
void RecordTiles(Scene& scene, const std::string& name, TileMap& now, TileMap& twin) {
    scene.undo.addModify(UndoStepType::ModifyObject, A::Tiles, name, TileBytes(twin));
    twin.count = now.count;
    twin.ResizeBuffer();
    twin.tiles = now.tiles;
    twin.flags = TileMap::All;
    now.flags = TileMap::All;
}

bool ChangeAsset(Scene& scene, const std::string& name, const Level::AssetObject* asset, bool font) {
    Pair p = Find(scene, name);
    if (!p) return false;
    const Level::AssetObject* old = font ? p.object->font : p.object->texture;
    const Level::AssetObject* now = asset ? asset : (font ? Level::getMissingFont() : Level::getMissingTexture());
    if (old == now) return false;
    const bool oldIsPlaceholder = !old || old == Level::getMissingTexture() || old == Level::getMissingFont();
    scene.undo.addModify(UndoStepType::ModifyObject, font ? A::FontAsset : A::TextureAsset, name, {},
                         oldIsPlaceholder ? std::string() : old->path.string());
    for (Level::Object* x : {p.object, p.twin}) font ? SetObjectFont(*x, now) : SetObjectTexture(*x, now);
    return true;
}

} // namespace

bool CommitEdit(Scene& scene, const std::string& name, UndoAction action) {
    Pair p = Find(scene, name);
    if (!p) return false;
    PropertyBytes now, before;
    if (!ReadProperty(*p.object, action, now) || !ReadProperty(*p.twin, action, before) || now == before) return false;
    scene.undo.addModify(UndoStepType::ModifyObject, action, name, before);
    WriteProperty(*p.twin, action, now);
    return true;
}

bool ChangeTexture(Scene& scene, const std::string& name, const Level::AssetObject* asset) {
    return ChangeAsset(scene, name, asset, false);
}
bool ChangeFont(Scene& scene, const std::string& name, const Level::AssetObject* asset) {
    return ChangeAsset(scene, name, asset, true);
}

bool SetTextureSmooth(Scene& scene, const std::filesystem::path& path, bool on) {
    const auto it = scene.assets.find(path);
    if (it == scene.assets.end() || !it->second.texture || it->second.texture->isSmooth() == on) return false;
    scene.undo.addMAP(A::TextureSmooth, path.string(), !on);
    it->second.texture->setSmooth(on);
    return true;
}

bool SetTextureRepeated(Scene& scene, const std::filesystem::path& path, bool on) {
    const auto it = scene.assets.find(path);
    if (it == scene.assets.end() || !it->second.texture || it->second.texture->isRepeated() == on) return false;
    scene.undo.addMAP(A::TextureRepeated, path.string(), !on);
    it->second.texture->setRepeated(on);
    return true;
}

// --- vertices -------------------------------------------------------------------------------

bool AppendVertex(Scene& scene, const std::string& name, const sf::Vertex& vertex) {
    Pair p = Find(scene, name);
    if (!p || !p.object->vertexObject || !p.twin->vertexObject) return false;
    scene.undo.addModify(UndoStepType::ModifyObject, A::VertexAppended, name, {});
    for (Level::Object* x : {p.object, p.twin}) {
        x->vertexObject->vertices.append(vertex);
        Refresh(*x->vertexObject);
    }
    return true;
}

bool RemoveVertex(Scene& scene, const std::string& name, int index) {
    Pair p = Find(scene, name);
    if (!p || !p.object->vertexObject || !p.twin->vertexObject) return false;
    VertexObject& vo = *p.object->vertexObject;
    if (BadIndex(index, vo.vertices.getVertexCount(), "Vertex") ||
        BadIndex(index, p.twin->vertexObject->vertices.getVertexCount(), "Vertex"))
        return false;
    const auto at = static_cast<std::size_t>(index);
    scene.undo.addModify(UndoStepType::ModifyObject, A::VertexRemoved, name, VertexBytes(index, vo.vertices[at]));
    for (Level::Object* x : {p.object, p.twin}) EraseVertex(*x->vertexObject, at);
    return true;
}

bool CommitVertex(Scene& scene, const std::string& name, int index) {
    Pair p = Find(scene, name);
    if (!p || !p.object->vertexObject || !p.twin->vertexObject) return false;
    VertexObject& vo = *p.object->vertexObject;
    VertexObject& twin = *p.twin->vertexObject;
    if (BadIndex(index, vo.vertices.getVertexCount(), "Vertex") ||
        BadIndex(index, twin.vertices.getVertexCount(), "Vertex"))
        return false;
    const auto at = static_cast<std::size_t>(index);
    PropertyBytes before = VertexBytes(index, twin.vertices[at]);
    if (before == VertexBytes(index, vo.vertices[at])) return false;
    scene.undo.addModify(UndoStepType::ModifyObject, A::Vertex, name, std::move(before));
    twin.vertices[at] = vo.vertices[at];
    Refresh(twin);
    if (vo.useGpuBuffer) vo.Update();
    return true;
}

// --- hitboxes -------------------------------------------------------------------------------

bool AddHitbox(Scene& scene, const std::string& name) {
    Pair p = Find(scene, name);
    if (!p || p.object->hitbox) return false;
    scene.undo.addModify(UndoStepType::ModifyObject, A::HitboxAdded, name, {});
    for (Level::Object* x : {p.object, p.twin}) x->hitbox = std::make_unique<Hitbox>();
    return true;
}

bool DeleteHitbox(Scene& scene, const std::string& name) {
    Pair p = Find(scene, name);
    if (!p || !p.object->hitbox) return false;
    const auto& lines = p.object->hitbox->lines;
    PropertyBytes old;
    Put(old, static_cast<std::uint32_t>(lines.size()));
    for (const auto& l : lines) Put(old, l.start.x), Put(old, l.start.y), Put(old, l.end.x), Put(old, l.end.y);
    scene.undo.addModify(UndoStepType::ModifyObject, A::HitboxDeleted, name, std::move(old));
    for (Level::Object* x : {p.object, p.twin}) x->hitbox.reset();
    return true;
}

bool AddHitLine(Scene& scene, const std::string& name, sf::Vector2f start, sf::Vector2f end) {
    Pair p = Find(scene, name);
    if (!p || !p.object->hitbox || !p.twin->hitbox) return false;
    scene.undo.addModify(UndoStepType::ModifyObject, A::HitLineAdded, name, {});
    for (Level::Object* x : {p.object, p.twin}) x->hitbox->lines.push_back({start, end});
    return true;
}

bool RemoveHitLine(Scene& scene, const std::string& name, int index) {
    Pair p = Find(scene, name);
    if (!p || !p.object->hitbox || !p.twin->hitbox) return false;
    auto& lines = p.object->hitbox->lines;
    if (BadIndex(index, lines.size(), "Hit line") || BadIndex(index, p.twin->hitbox->lines.size(), "Hit line"))
        return false;
    const Hitbox::HitLine& l = lines[static_cast<std::size_t>(index)];
    PropertyBytes old;
    Put(old, static_cast<std::int32_t>(index));
    Put(old, l.start.x), Put(old, l.start.y), Put(old, l.end.x), Put(old, l.end.y);
    scene.undo.addModify(UndoStepType::ModifyObject, A::HitLineRemoved, name, std::move(old));
    for (Level::Object* x : {p.object, p.twin}) x->hitbox->lines.erase(x->hitbox->lines.begin() + index);
    return true;
}

bool CommitHitLine(Scene& scene, const std::string& name, int index, bool end) {
    Pair p = Find(scene, name);
    if (!p || !p.object->hitbox || !p.twin->hitbox) return false;
    if (BadIndex(index, p.object->hitbox->lines.size(), "Hit line") ||
        BadIndex(index, p.twin->hitbox->lines.size(), "Hit line"))
        return false;
    const auto at = static_cast<std::size_t>(index);
    const sf::Vector2f now = end ? p.object->hitbox->lines[at].end : p.object->hitbox->lines[at].start;
    sf::Vector2f& twin = end ? p.twin->hitbox->lines[at].end : p.twin->hitbox->lines[at].start;
    if (now == twin) return false;
    PropertyBytes old;
    Put(old, static_cast<std::int32_t>(index));
    Put(old, twin.x), Put(old, twin.y);
    scene.undo.addModify(UndoStepType::ModifyObject, end ? A::HitLineEnd : A::HitLineStart, name, std::move(old));
    twin = now;
    return true;
}

// --- tiles ----------------------------------------------------------------------------------

bool ResizeTiles(Scene& scene, const std::string& name, sf::Vector2u count) {
    Pair p = Find(scene, name);
    if (!p || !p.object->tileMap || !p.twin->tileMap) return false;
    count = ClampTileCount(count);
    TileMap& map = *p.object->tileMap;
    if (map.count == count) return false;
    map.count = count;
    map.ResizeBuffer();
    RecordTiles(scene, name, map, *p.twin->tileMap);
    return true;
}

bool FillTiles(Scene& scene, const std::string& name, std::uint16_t id) {
    Pair p = Find(scene, name);
    if (!p || !p.object->tileMap || !p.twin->tileMap) return false;
    TileMap& map = *p.object->tileMap;
    for (auto& column : map.tiles) std::fill(column.begin(), column.end(), id);
    RecordTiles(scene, name, map, *p.twin->tileMap);
    return true;
}

bool ShiftTiles(Scene& scene, const std::string& name, int direction) {
    Pair p = Find(scene, name);
    if (!p || !p.object->tileMap || !p.twin->tileMap || direction < 1 || direction > 4) return false;
    auto& tiles = p.object->tileMap->tiles;
    if (tiles.empty() || tiles.front().empty()) return false;
    switch (direction) {
    case 1: std::rotate(tiles.begin(), tiles.begin() + 1, tiles.end()); break;
    case 2: std::rotate(tiles.rbegin(), tiles.rbegin() + 1, tiles.rend()); break;
    case 3:
        for (auto& column : tiles) std::rotate(column.begin(), column.begin() + 1, column.end());
        break;
    default:
        for (auto& column : tiles) std::rotate(column.rbegin(), column.rbegin() + 1, column.rend());
        break;
    }
    RecordTiles(scene, name, *p.object->tileMap, *p.twin->tileMap);
    return true;
}

// --- clamps ---------------------------------------------------------------------------------

int ClampZ(int z) { return std::clamp(z, -120, 120); }
sf::Vector2u ClampTileSize(sf::Vector2u s) { return {std::max(s.x, 1u), std::max(s.y, 1u)}; }
sf::Vector2u ClampTileCount(sf::Vector2u c) {
    return {std::clamp(c.x, 1u, c_maxTileCount), std::clamp(c.y, 1u, c_maxTileCount)};
}
float ClampSpawnDelay(float s) { return s > 0.001f ? s : 0.001f; } // also turns NaN into the minimum
std::int32_t ClampMaxParticles(std::int32_t n) { return std::clamp(n, 1, c_maxParticles); }
std::int32_t ClampSpawnCount(std::int32_t n) { return std::clamp(n, 1, c_maxParticles); }
std::uint16_t LightResolutionFromExponent(int n) { return ClampLightResolution(1u << std::clamp(n, 0, 12)); }
int LightResolutionExponent(std::uint16_t resolution) {
    int n = 0;
    while (n < 15 && (1u << (n + 1)) <= resolution) ++n;
    return n;
}
unsigned ClampCharacterSize(int size) { return static_cast<unsigned>(std::clamp(size, 1, 1000)); }

} // namespace rux::PropertyEdit
