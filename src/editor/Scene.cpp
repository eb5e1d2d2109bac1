// Construction, selection, naming and renaming.
#include "editor/Scene.hpp"

#include "editor/Naming.hpp"

#include <SFML/System/Err.hpp>

#include <algorithm>

namespace rux {

Scene::Scene(UndoSystem& undoSystem, Level& reference) : undo(undoSystem), referenceLevel(reference) {
    undo.attach(*this, referenceLevel);
    selectionBox.setOutlineColor(sf::Color(255, 255, 255, 0));
    selectionBox.setOutlineThickness(0.f);
    Level::Object::editMode = &editModeFlag;
    AddObjectNoTexturesToLevel(*this, c_mainCameraName, ObjectType::Camera);
    MirrorToReference(c_mainCameraName);
}

Scene::~Scene() {
    // Twins, the history and the clipboard point at this scene's assets.
    undo.Clear();
    undo.detach();
    referenceLevel.objects.clear();
    clipboard.clear();
    if (Level::Object::editMode == &editModeFlag) Level::Object::editMode = nullptr;
}

// --- selection ----------------------------------------------------------------------------------

void Scene::ObjectSelectedFlags(const std::string& keep) {
    for (auto& [name, o] : objects)
        if (name != keep) o.selected = false;
    for (auto& [path, a] : assets)
        if (path.string() != keep) a.selected = false;
}

void Scene::DeselectAll() {
    ClearSelectedVertex();
    for (auto& [name, o] : objects) o.selected = false;
    for (auto& [path, a] : assets) a.selected = false;
    if (hooks.panelDeselect) hooks.panelDeselect();
    previousSelection = selection;
    selection.clear();
    if (hooks.gizmoTarget) hooks.gizmoTarget(nullptr);
}

void Scene::SelectObject(const std::string& name) {
    const auto it = objects.find(name);
    if (it == objects.end()) return;
    Object& o = it->second;
    ClearSelectedVertex();
    editModeFlag = false;
    multiSelection = false;
    const bool was = o.selected;
    o.selected = !was;
    if (was) {
        selection.clear();
        if (hooks.gizmoTarget) hooks.gizmoTarget(nullptr);
        if (hooks.panelDeselect) hooks.panelDeselect();
    } else {
        selection = {{name, o.type}};
        if (hooks.gizmoTarget) hooks.gizmoTarget(o.transformable);
        if (hooks.panelShowObject) hooks.panelShowObject(o);
    }
    ObjectSelectedFlags(name);
    if (!selection.empty()) forceOpenSections |= 1u << static_cast<unsigned>(selection.front().second);
}

void Scene::SelectObjectMulti(const std::string& name) {
    const auto it = objects.find(name);
    if (it == objects.end()) return;
    Object& o = it->second;
    ClearSelectedVertex();
    editModeFlag = false;
    const bool was = o.selected;
    o.selected = !was;
    if (was) {
        std::erase_if(selection, [&](const SelectionEntry& e) { return e.first == name && !IsAssetKind(static_cast<int>(e.second)); });
        // The gizmo follows the newest remaining object rather than the one just dropped.
        if (!selection.empty() && hooks.gizmoTarget) {
            const auto last = objects.find(selection.back().first);
            if (last != objects.end()) hooks.gizmoTarget(last->second.transformable);
        }
    } else {
        selection.emplace_back(name, o.type);
        if (hooks.gizmoTarget) hooks.gizmoTarget(o.transformable);
    }
    // Flags and entries are kept in step, so the entries count the selected items.
    const std::size_t count = selection.size();
    const unsigned bit = 1u << static_cast<unsigned>(o.type);
    if (count == 0) {
        multiSelection = false;
        if (hooks.gizmoTarget) hooks.gizmoTarget(nullptr);
        if (hooks.panelDeselect) hooks.panelDeselect();
    } else if (count == 1) {
        multiSelection = false;
        const SelectionEntry& last = selection.back();
        if (IsAssetKind(static_cast<int>(last.second))) {
            const auto a = assets.find(last.first);
            if (a != assets.end() && hooks.panelShowAsset) hooks.panelShowAsset(a->second);
        } else {
            const auto l = objects.find(last.first);
            if (l != objects.end() && hooks.panelShowObject) hooks.panelShowObject(l->second);
        }
        forceOpenSections |= bit;
    } else {
        multiSelection = true;
        forceOpenSections |= bit;
    }
}

void Scene::SelectObjectAuto(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (selection.empty()) SelectObject(name);
        else SelectObjectMulti(name);
    }
}

void Scene::SelectAsset(const std::filesystem::path& path) {
    // An unknown path selects nothing rather than adding an empty asset record.
    const auto it = assets.find(path);
    if (it == assets.end()) return;
    AssetObject& a = it->second;
    ClearSelectedVertex();
    const bool was = a.selected;
    a.selected = !was;
    const std::string key = path.string();
    if (was) {
        selection.clear();
        if (hooks.panelDeselect) hooks.panelDeselect();
    } else {
        selection = {{key, a.type}};
        if (hooks.panelShowAsset) hooks.panelShowAsset(a);
    }
    for (auto& [name, o] : objects)
        if (name != key) o.selected = false;
    for (auto& [p, other] : assets)
        if (&other != &a) other.selected = false;
    if (!selection.empty()) forceOpenSections |= 1u << static_cast<unsigned>(selection.front().second);
}

std::vector<Level::Object*> Scene::getSelectedObjects() {
    std::vector<Object*> out;
    out.reserve(selection.size());
    for (const auto& [name, kind] : selection) {
        if (IsAssetKind(static_cast<int>(kind))) continue;
        const auto it = objects.find(name);
        if (it != objects.end()) out.push_back(&it->second);
    }
    return out;
}

Level::Object& Scene::getObject(const std::string& name) { return objects.at(name); }

Camera* Scene::getMainCamera() {
    const auto it = objects.find(c_mainCameraName);
    if (it == objects.end()) {
        sf::err() << "Object not a camera!" << std::endl;
        return nullptr;
    }
    return it->second.getCamera();
}

// --- naming --------------------------------------------------------------------------------------

std::string Scene::getFreeNextObjectName(ObjectType kind) const {
    return FreeNextObjectName(kind, [&](const std::string& n) { return objects.count(n) != 0; });
}

std::string Scene::FindUnusedDuplicateName(const std::string& name, const std::set<std::string>& alsoTaken) const {
    return UnusedDuplicateName(name,
                               [&](const std::string& n) { return objects.count(n) != 0 || alsoTaken.count(n) != 0; });
}

namespace {
// Moves the map entry to a new key; the object itself stays where it is, so pointers to it
// (the gizmo's target, particle links) remain valid.
void Rekey(std::map<std::string, Level::Object>& map, const std::string& from, const std::string& to) {
    auto node = map.extract(from);
    if (node.empty()) return;
    node.key() = to;
    map.insert(std::move(node));
}
} // namespace

bool Scene::RenameObject(const std::string& from, const std::string& to) {
    const char* refusal = nullptr;
    if (to.empty()) refusal = "Object name is empty!";
    else if (from == c_mainCameraName || to == c_mainCameraName) refusal = "[Main Camera] cannot be renamed!";
    else if (!objects.count(from)) refusal = "Object not found!";
    else if (from != to && (objects.count(to) || referenceLevel.objects.count(to))) refusal = "Object name already in use!";
    if (refusal) {
        sf::err() << refusal << std::endl;
        return false;
    }
    if (from == to) return true;
    RenameNoRecord(from, to);
    undo.addModify(UndoStepType::ModifyObject, UndoAction::Rename, to, {}, from);
    return true;
}

void Scene::RenameNoRecord(const std::string& from, const std::string& to) {
    treeRowsDirty = true;
    Rekey(objects, from, to);
    Rekey(referenceLevel.objects, from, to);
    for (auto* list : {&selection, &previousSelection})
        for (auto& [name, kind] : *list)
            if (name == from && !IsAssetKind(static_cast<int>(kind))) name = to;
    if (hooks.renamed) hooks.renamed(from, to);
}

} // namespace rux
