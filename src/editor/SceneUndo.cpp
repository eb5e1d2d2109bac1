// Reversing undo steps on the scene and its twins, and recording the changes of a commit.
#include "editor/ObjectProperty.hpp"
#include "editor/Scene.hpp"

#include <SFML/System/Err.hpp>

namespace rux {
namespace {

using A = UndoAction;

bool IsStructural(A a) {
    switch (a) {
    case A::Tiles:
    case A::Vertex:
    case A::VertexAppended:
    case A::VertexRemoved:
    case A::HitLineAdded:
    case A::HitLineRemoved:
    case A::HitLineStart:
    case A::HitLineEnd:
    case A::HitboxAdded:
    case A::HitboxDeleted: return true;
    default: return false;
    }
}

} // namespace

void Scene::RestoreObjects(const ObjectMap& kept, const std::vector<ParticleLink>& links) {
    std::vector<std::string> names;
    for (const auto& [name, o] : kept)
        if (!objects.count(name) || !objects.at(name).anyUsed()) names.push_back(name);
    CopyObjects(kept, names, objects, names, CopyMode::Exact);
    for (const std::string& name : names) {
        MirrorToReference(name);
        ReloadShadersOf(objects.at(name));
    }
    RestoreParticleLinks(objects, links);
}

void Scene::ProcessUndoRedoStep(UndoStepType type, const std::shared_ptr<UndoSystem::UndoStep>& step, bool redo) {
    if (redo || !step) return;
    // Undo may remove the vertex that was selected, or the object holding it.
    ClearSelectedVertex();
    switch (type) {
    case UndoStepType::CreateObject: {
        const std::string& name = static_cast<const UndoSystem::CreateObject&>(*step).name;
        if (name == c_mainCameraName || !objects.count(name)) return;
        DeselectAll();
        EraseObject(name);
        return;
    }
    case UndoStepType::DeleteObject: {
        const auto& d = static_cast<const UndoSystem::DeleteObject&>(*step);
        RestoreObjects(d.objects, d.links);
        return;
    }
    case UndoStepType::ModifyAsset:
        ProcessModifyAssetProperty(static_cast<const UndoSystem::ModifyAssetObjectProperty&>(*step));
        return;
    case UndoStepType::ModifyObject:
        ProcessModifyObjectProperty(static_cast<const UndoSystem::ModifyAssetObjectProperty&>(*step));
        return;
    default: sf::err() << "UndoStepType not recognized" << std::endl;
    }
}

bool Scene::ProcessModifyAssetProperty(const UndoSystem::ModifyAssetObjectProperty& step) {
    if (step.data.size() != 1) return false;
    bool done = false;
    for (Level* level : {static_cast<Level*>(this), &referenceLevel}) {
        const auto it = level->assets.find(step.name);
        if (it == level->assets.end() || !it->second.texture) continue;
        if (step.action == A::TextureSmooth) it->second.texture->setSmooth(step.data[0] != 0);
        else if (step.action == A::TextureRepeated) it->second.texture->setRepeated(step.data[0] != 0);
        else continue;
        done = true;
    }
    return done;
}

bool Scene::ProcessModifyObjectProperty(const UndoSystem::ModifyAssetObjectProperty& step) {
    if (step.action == A::Rename) {
        if (!objects.count(step.name) || objects.count(step.path)) return false;
        RenameNoRecord(step.name, step.path);
        return true;
    }
    if (step.action == A::EditMode) {
        if (step.data.size() == 1) editModeFlag = step.data[0] != 0;
        return true;
    }
    const auto it = objects.find(step.name);
    if (it == objects.end()) return false;
    Object& o = it->second;
    const auto twinIt = referenceLevel.objects.find(step.name);
    Object* twin = twinIt == referenceLevel.objects.end() ? nullptr : &twinIt->second;

    // Asset references are kept by path; a path that is gone gives the placeholder.
    auto asset = [&](ObjectType kind) -> const AssetObject* {
        const auto a = assets.find(step.path);
        if (!step.path.empty() && a != assets.end() && a->second.type == kind) return &a->second;
        if (kind == ObjectType::Texture) return getMissingTexture();
        if (kind == ObjectType::Font) return getMissingFont();
        return nullptr;
    };
    switch (step.action) {
    case A::TextureAsset:
        for (Object* x : {&o, twin})
            if (x) SetObjectTexture(*x, asset(ObjectType::Texture));
        return true;
    case A::FontAsset:
        for (Object* x : {&o, twin})
            if (x) SetObjectFont(*x, asset(ObjectType::Font));
        return true;
    case A::VertexShaderAsset:
    case A::FragmentShaderAsset: {
        const bool vertex = step.action == A::VertexShaderAsset;
        const AssetObject* a = asset(vertex ? ObjectType::VertexShader : ObjectType::FragmentShader);
        for (Object* x : {&o, twin})
            if (x) (vertex ? x->vertexShader : x->fragmentShader) = a;
        if (o.vertexShader || o.fragmentShader) ReloadShadersOf(o);
        else o.shader.reset();
        return true;
    }
    default: break;
    }
    const bool structural = IsStructural(step.action);
    const bool ok = structural ? ReverseStructural(o, step.action, step.data) : WriteProperty(o, step.action, step.data);
    if (ok && twin) structural ? ReverseStructural(*twin, step.action, step.data) : WriteProperty(*twin, step.action, step.data);
    return ok;
}

void Scene::AddTilemapUndoStep() {
    const std::vector<Object*> selected = getSelectedObjects();
    std::string name;
    for (const auto& [n, kind] : selection)
        if (!IsAssetKind(static_cast<int>(kind))) {
            name = n;
            break;
        }
    const auto twinIt = referenceLevel.objects.find(name);
    if (selected.empty() || !selected.front()->tileMap || twinIt == referenceLevel.objects.end() ||
        !twinIt->second.tileMap) {
        sf::err() << "Object not a tilemap!" << std::endl;
        return;
    }
    const TileMap& now = *selected.front()->tileMap;
    TileMap& twin = *twinIt->second.tileMap;
    PropertyBytes before = TileBytes(twin);
    twin.count = now.count;
    twin.ResizeBuffer();
    twin.tiles = now.tiles;
    twin.flags = TileMap::All;
    undo.addModify(UndoStepType::ModifyObject, A::Tiles, name, std::move(before));
}

int Scene::CommitSelectionChanges() {
    undo.startGroupStep();
    int recorded = 0;
    for (const auto& [name, kind] : selection)
        if (!IsAssetKind(static_cast<int>(kind))) recorded += undo.findAllFromDiff(name);
    undo.endGroupStep();
    return recorded;
}

int Scene::CommitSelectionChanges(const std::vector<UndoAction>& actions) {
    undo.startGroupStep();
    int recorded = 0;
    for (const UndoAction action : actions)
        for (const auto& [name, kind] : selection)
            if (!IsAssetKind(static_cast<int>(kind))) recorded += undo.findFromDiff(action, name);
    undo.endGroupStep();
    return recorded;
}

} // namespace rux
