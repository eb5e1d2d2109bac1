// Adding, copying and removing objects and assets, and keeping the reference level's twins.
#include "editor/ObjectProperty.hpp"
#include "editor/Scene.hpp"
#include "editor/SceneFiles.hpp"
#include "level/Binary.hpp"
#include "level/Graphics.hpp"

#include <SFML/Graphics/Shader.hpp>
#include <SFML/System/Err.hpp>

namespace rux {
namespace {

// The object's drawable for a new object of `kind`, on `asset` where the kind uses one.
bool CreateDrawable(Level::Object& o, ObjectType kind, const Level::AssetObject& asset) {
    const sf::Texture* tex = asset.texture.get();
    switch (kind) {
    case ObjectType::TileMap:
        if (!o.UseTileMap(asset)) return false;
        break;
    case ObjectType::Sprite:
        o.sprite = std::make_unique<sf::Sprite>();
        if (tex) o.sprite->setTexture(*tex, true);
        o.texture = &asset;
        o.transformable = o.sprite.get();
        break;
    case ObjectType::ParticleSystem:
        o.texture = &asset;
        if (!o.UseParticleSystem()) return false;
        if (tex) {
            o.particleSystem->texture = tex;
            o.particleSystem->applyTexture(tex);
        }
        break;
    case ObjectType::Text:
        o.text = std::make_unique<sf::Text>();
        if (asset.font) o.text->setFont(*asset.font);
        o.text->setCharacterSize(30);
        o.text->setString("Text");
        o.font = &asset;
        o.transformable = o.text.get();
        break;
    case ObjectType::VertexObject:
        o.vertexObject = std::make_unique<VertexObject>();
        o.vertexObject->vertices.resize(1);
        o.vertexObject->vertices[0].color = sf::Color::White;
        if (o.vertexObject->useGpuBuffer) o.vertexObject->Update();
        o.transformable = o.vertexObject.get();
        break;
    case ObjectType::Camera:
        o.camera = std::make_unique<Camera>(sf::FloatRect(0.f, 0.f, 1000.f, 1000.f));
        o.transformable = nullptr;
        break;
    case ObjectType::PointLight:
        o.pointLight = std::make_unique<PointLight>();
        o.pointLight->radius = 50.f;
        o.pointLight->intensity = 0.6f;
        o.pointLight->color = sf::Color::White;
        o.pointLight->resolution = ClampLightResolution(512);
        o.transformable = o.pointLight.get();
        break;
    case ObjectType::DirectionalLight:
        o.directionalLight = std::make_unique<DirectionalLight>();
        o.directionalLight->size = {50.f, 50.f};
        o.directionalLight->intensity = 0.6f;
        o.directionalLight->color = sf::Color::White;
        o.directionalLight->resolution = ClampLightResolution(512);
        o.transformable = o.directionalLight.get();
        break;
    default: return false;
    }
    o.type = kind;
    return true;
}

bool CreateObjectIn(Level& level, const std::string& name, const Level::AssetObject& asset, ObjectType kind) {
    if (!IsObjectKind(static_cast<int>(kind))) return false;
    const auto existing = level.objects.find(name);
    if (existing != level.objects.end() && existing->second.anyUsed()) return false;
    const bool created = existing == level.objects.end();
    Level::Object& o = level.objects[name];
    o.zOrder = 0;
    o.type = kind;
    o.color = {1.f, 1.f, 1.f, 1.f};
    if (!CreateDrawable(o, kind, asset)) {
        if (created) level.objects.erase(name);
        return false;
    }
    ApplyObjectColor(o);
    return true;
}

// A colour component rounded through a byte, chosen so that writing it gives that byte again.
float Quantise(float c) {
    const std::uint8_t b = ColorByte(c);
    float q = static_cast<float>(b) / 255.f;
    while (ColorByte(q) < b) q = std::nextafter(q, 2.f);
    return q;
}

bool CopyDrawable(const Level::Object& s, Level::Object& d) {
    if (s.sprite) {
        d.sprite = std::make_unique<sf::Sprite>(*s.sprite);
        d.transformable = d.sprite.get();
    } else if (s.tileMap) {
        d.tileMap = std::make_unique<TileMap>(*s.tileMap);
        d.tileMap->flags = TileMap::All;
        d.transformable = d.tileMap.get();
    } else if (s.particleSystem) {
        d.particleSystem = std::make_unique<ParticleSystem>(*s.particleSystem);
        d.particleSystem->eventTargets = {};
        d.transformable = d.particleSystem.get();
    } else if (s.text) {
        d.text = std::make_unique<sf::Text>(*s.text);
        d.transformable = d.text.get();
    } else if (s.vertexObject) {
        d.vertexObject = std::make_unique<VertexObject>(*s.vertexObject);
        if (d.vertexObject->useGpuBuffer) d.vertexObject->Update();
        d.transformable = d.vertexObject.get();
    } else if (s.camera) {
        d.camera = std::make_unique<Camera>(*s.camera);
        d.transformable = nullptr;
    } else if (s.pointLight) {
        d.pointLight = std::make_unique<PointLight>(*s.pointLight);
        d.transformable = d.pointLight.get();
    } else if (s.directionalLight) {
        d.directionalLight = std::make_unique<DirectionalLight>(*s.directionalLight);
        d.transformable = d.directionalLight.get();
    } else {
        return false;
    }
    return true;
}

} // namespace

// --- creating -----------------------------------------------------------------------------------

bool Scene::AddObjectNoTexturesToLevel(Level& level, const std::string& name, ObjectType kind) {
    // An entry prepared beforehand (the load dialog gives a text its font first) keeps its asset.
    const auto existing = level.objects.find(name);
    const AssetObject* preset = nullptr;
    if (existing != level.objects.end())
        preset = kind == ObjectType::Text ? existing->second.font : existing->second.texture;
    const AssetObject& asset =
        preset ? *preset : kind == ObjectType::Text ? *getMissingFont() : *getMissingTexture();
    return CreateObjectIn(level, name, asset, kind);
}

bool Scene::AddObjectToLevel(Level& level, const std::string& name, const AssetObject& asset, ObjectType kind) {
    return CreateObjectIn(level, name, asset, kind);
}

bool Scene::AddAssetToLevel(Level& level, const std::filesystem::path& base, const std::filesystem::path& path,
                            ObjectType kind) {
    if (level.assets.count(path)) return false;
    const std::filesystem::path file = base / path;
    AssetObject asset;
    asset.path = path;
    asset.type = kind;
    switch (kind) {
    case ObjectType::Texture:
        if (Graphics::isHeadless()) {
            std::error_code ec;
            if (!std::filesystem::is_regular_file(file, ec)) return false;
            break;
        }
        asset.texture = std::make_unique<sf::Texture>();
        if (!asset.texture->loadFromFile(file.string())) return false;
        break;
    case ObjectType::Font:
        asset.font = std::make_unique<sf::Font>();
        if (!asset.font->loadFromFile(file.string())) return false;
        break;
    case ObjectType::FragmentShader:
    case ObjectType::VertexShader: {
        if (Graphics::isHeadless() || !sf::Shader::isAvailable()) return false;
        const sf::Shader::Type stage =
            kind == ObjectType::VertexShader ? sf::Shader::Vertex : sf::Shader::Fragment;
        sf::Shader probe;
        if (!probe.loadFromFile(file.string(), stage)) return false;
        asset.uniforms = std::make_unique<Uniforms>();
        copyFileToMemory(file, asset.source);
        DetectUniformsOf(asset);
        break;
    }
    default: return false;
    }
    level.assets.emplace(path, std::move(asset));
    return true;
}

bool Scene::AddAssetAndObjectToLevel(Level& level, const std::string& name, const std::filesystem::path& base,
                                     const std::filesystem::path& path, ObjectType assetKind, ObjectType objectKind) {
    if (!level.assets.count(path) && !AddAssetToLevel(level, base, path, assetKind)) return false;
    return AddObjectToLevel(level, name, level.assets.at(path), objectKind);
}

bool Scene::AddObjectNoTextures(const std::string& name, ObjectType kind) {
    if (!AddObjectNoTexturesToLevel(*this, name, kind)) return false;
    MirrorToReference(name);
    auto step = std::make_shared<UndoSystem::CreateObject>();
    step->name = name;
    undo.addUndoStep(UndoStepType::CreateObject, step);
    return true;
}

bool Scene::AddObject(const std::string& name, const AssetObject& asset, ObjectType kind) {
    // Only this scene's assets (or the shared missing ones) may be referred to: anything else
    // could be freed while the object still points at it.
    const auto own = assets.find(asset.path);
    const bool ours = (own != assets.end() && &own->second == &asset) || &asset == getMissingTexture() ||
                      &asset == getMissingFont();
    if (!ours) {
        sf::err() << "Asset not part of the scene!" << std::endl;
        return false;
    }
    if (!AddObjectToLevel(*this, name, asset, kind)) return false;
    MirrorToReference(name);
    auto step = std::make_shared<UndoSystem::CreateObject>();
    step->name = name;
    undo.addUndoStep(UndoStepType::CreateObject, step);
    return true;
}

bool Scene::AddAssetAndObject(const std::string& name, const std::filesystem::path& path, ObjectType assetKind,
                              ObjectType objectKind) {
    undo.startGroupStep();
    const bool ok = AddAssetAndObjectToLevel(*this, name, projectFolder, path, assetKind, objectKind);
    if (ok) {
        MirrorToReference(name);
        auto step = std::make_shared<UndoSystem::CreateObject>();
        step->name = name;
        undo.addUndoStep(UndoStepType::CreateObject, step);
    }
    undo.endGroupStep();
    return ok;
}

bool Scene::AddAsset(const std::filesystem::path& path, ObjectType kind) {
    return AddAssetToLevel(*this, projectFolder, path, kind);
}

// --- copying ------------------------------------------------------------------------------------

bool Scene::CopyObjects(const ObjectMap& source, const std::vector<std::string>& names, ObjectMap& destination,
                        const std::vector<std::string>& newNames, CopyMode mode) {
    const bool exact = mode == CopyMode::Exact;
    for (std::size_t i = 0; i < names.size() && i < newNames.size(); ++i) {
        const Object& s = source.at(names[i]);
        Object& d = destination[newNames[i]];
        if (s.anyUsed()) {
            if (d.anyUsed()) return false;
            CopyDrawable(s, d);
            d.type = s.type;
        } else if (i == 0) {
            return false;
        }
        d.zOrder = s.zOrder;
        d.visible = s.visible;
        d.texture = s.texture;
        d.font = s.font;
        d.blendMode = s.blendMode;
        d.color = exact ? s.color
                        : sf::Glsl::Vec4(Quantise(s.color.x), Quantise(s.color.y), Quantise(s.color.z),
                                         Quantise(s.color.w));
        ApplyObjectColor(d);
        d.hitbox = s.hitbox ? std::make_unique<Hitbox>(*s.hitbox) : nullptr;
        d.vertexShader = s.vertexShader;
        d.fragmentShader = s.fragmentShader;
        d.vertexUniformData = s.vertexShader || exact ? s.vertexUniformData : std::vector<std::uint8_t>{};
        d.fragmentUniformData = s.fragmentShader || exact ? s.fragmentUniformData : std::vector<std::uint8_t>{};
    }
    return true;
}

void Scene::MirrorToReference(const std::string& name) {
    treeRowsDirty = true;
    referenceLevel.objects.erase(name);
    const auto it = objects.find(name);
    if (it == objects.end() || !it->second.anyUsed()) return;
    CopyObjects(objects, {name}, referenceLevel.objects, {name}, CopyMode::Exact);
}

void Scene::MirrorAllToReference() {
    treeRowsDirty = true;
    referenceLevel.objects.clear();
    for (const auto& [name, o] : objects)
        if (o.anyUsed()) CopyObjects(objects, {name}, referenceLevel.objects, {name}, CopyMode::Exact);
}

// --- removing -----------------------------------------------------------------------------------

void Scene::EraseObject(const std::string& name) {
    treeRowsDirty = true;
    const auto it = objects.find(name);
    if (it != objects.end()) {
        ClearLinksTo(objects, it->second.particleSystem.get());
        objects.erase(it);
    }
    const auto twin = referenceLevel.objects.find(name);
    if (twin != referenceLevel.objects.end()) {
        ClearLinksTo(referenceLevel.objects, twin->second.particleSystem.get());
        referenceLevel.objects.erase(twin);
    }
    std::erase_if(previousSelection, [&](const SelectionEntry& e) {
        return e.first == name && !IsAssetKind(static_cast<int>(e.second));
    });
}

bool Scene::DeleteObjects(const std::vector<std::string>& requested) {
    std::vector<std::string> names;
    for (const std::string& name : requested)
        if (name != c_mainCameraName && objects.count(name) &&
            std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    if (names.empty()) return false;
    auto step = std::make_shared<UndoSystem::DeleteObject>();
    CopyObjects(objects, names, step->objects, names, CopyMode::Exact);
    step->links = CollectParticleLinks(objects, {names.begin(), names.end()});
    undo.addUndoStep(UndoStepType::DeleteObject, step);
    DeselectAll();
    for (const std::string& name : names) EraseObject(name);
    return true;
}

void Scene::DeleteObject(const std::string& name) { DeleteObjects({name}); }

void Scene::DeleteSelectedObjects() {
    std::vector<std::string> names;
    for (const auto& [name, kind] : selection)
        if (!IsAssetKind(static_cast<int>(kind))) names.push_back(name);
    if (!DeleteObjects(names)) DeselectAll();
}

namespace {
bool Uses(const Level::Object& o, const Level::AssetObject* a) {
    return o.texture == a || o.font == a || o.vertexShader == a || o.fragmentShader == a;
}

// Points a copy that is not part of the level at the missing asset instead of `a`.
void Redirect(Level::Object& o, const Level::AssetObject* a) {
    if (o.texture == a) SetObjectTexture(o, Level::getMissingTexture());
    if (o.font == a) SetObjectFont(o, Level::getMissingFont());
    if (o.vertexShader == a) {
        o.vertexShader = nullptr;
        o.vertexUniformData.clear();
    }
    if (o.fragmentShader == a) {
        o.fragmentShader = nullptr;
        o.fragmentUniformData.clear();
    }
    if (!o.vertexShader && !o.fragmentShader) o.shader.reset();
}
} // namespace

bool Scene::DeleteAsset(const std::filesystem::path& path) {
    const auto it = assets.find(path);
    if (it == assets.end()) return false;
    const AssetObject* asset = &it->second;
    std::set<std::string> users;
    for (const auto& [name, o] : objects)
        if (Uses(o, asset)) users.insert(name);
    for (const auto& [name, o] : referenceLevel.objects)
        if (Uses(o, asset)) users.insert(name);
    if (!users.empty()) {
        std::string list;
        for (const std::string& name : users) list += (list.empty() ? "" : ", ") + name;
        sf::err() << "Asset " << path.string() << " is used by: " << list << std::endl;
        return false;
    }
    for (auto& [name, o] : clipboard) Redirect(o, asset);
    for (const auto& [type, step] : undo.getSteps())
        if (type == UndoStepType::DeleteObject)
            for (auto& [name, o] : static_cast<UndoSystem::DeleteObject&>(*step).objects) Redirect(o, asset);
    const std::string key = path.string();
    if (std::any_of(selection.begin(), selection.end(),
                    [&](const SelectionEntry& e) { return e.first == key && IsAssetKind(static_cast<int>(e.second)); }))
        DeselectAll();
    std::erase_if(previousSelection, [&](const SelectionEntry& e) {
        return e.first == key && IsAssetKind(static_cast<int>(e.second));
    });
    assets.erase(it);
    referenceLevel.assets.erase(path);
    return true;
}

void Scene::ResetAll() {
    treeRowsDirty = true;
    DeselectAll();
    selection.clear();
    previousSelection.clear();
    clipboard.clear();
    clipboardLinks.clear();
    undo.Clear();
    referenceLevel.objects.clear();
    referenceLevel.assets.clear();
    for (auto it = objects.begin(); it != objects.end();)
        it = it->first == c_mainCameraName ? std::next(it) : objects.erase(it);
    if (!objects.count(c_mainCameraName)) AddObjectNoTexturesToLevel(*this, c_mainCameraName, ObjectType::Camera);
    const auto camera = objects.find(c_mainCameraName);
    if (camera != objects.end()) {
        Object& o = camera->second;
        o.texture = o.font = o.vertexShader = o.fragmentShader = nullptr;
        o.shader.reset();
        o.vertexUniformData.clear();
        o.fragmentUniformData.clear();
        o.hovered = false;
    }
    assets.clear();
    assetWatcher.Clear();
    assetsMissing = false;
    editModeFlag = false;
    multiSelection = false;
    boxSelecting = false;
    draggingSelection = false;
    selectionBox.setOutlineThickness(0.f);
    MirrorToReference(c_mainCameraName);
}

} // namespace rux
