// Copy, paste and duplicate of the selected objects (delete lives with the other removals).
#include "editor/Scene.hpp"

namespace rux {
namespace {

std::vector<ParticleLink> OutgoingLinks(const Scene::ObjectMap& objects, const std::vector<std::string>& names) {
    const std::set<std::string> set(names.begin(), names.end());
    std::vector<ParticleLink> links = CollectParticleLinks(objects, set);
    std::erase_if(links, [&](const ParticleLink& l) { return !set.count(l.source); });
    return links;
}

} // namespace

void Scene::CopySelectedObjectsToClipboard() {
    clipboard.clear();
    std::vector<std::string> names;
    for (const auto& [name, kind] : selection)
        if (!IsAssetKind(static_cast<int>(kind)) && objects.count(name)) names.push_back(name);
    CopyObjects(objects, names, clipboard, names);
    clipboardLinks = OutgoingLinks(objects, names);
}

void Scene::PasteOrDuplicate(const ObjectMap& copies, const std::vector<std::string>& names,
                             const std::vector<ParticleLink>& links, std::vector<std::string>& newNames) {
    // Names already chosen in this batch count as taken, so no two copies share one.
    std::set<std::string> chosen;
    newNames.clear();
    for (const std::string& name : names) {
        std::string fresh = FindUnusedDuplicateName(name, chosen);
        chosen.insert(fresh);
        newNames.push_back(std::move(fresh));
    }
    if (!CopyObjects(copies, names, objects, newNames)) {
        // Never leave half a batch without twins or undo steps.
        for (const std::string& name : newNames) {
            const auto it = objects.find(name);
            if (it != objects.end() && !referenceLevel.objects.count(name)) objects.erase(it);
        }
        newNames.clear();
        return;
    }
    std::map<std::string, std::string> renamed;
    for (std::size_t i = 0; i < names.size(); ++i) renamed[names[i]] = newNames[i];
    undo.startGroupStep();
    for (const std::string& name : newNames) {
        MirrorToReference(name);
        ReloadShadersOf(objects.at(name));
        auto step = std::make_shared<UndoSystem::CreateObject>();
        step->name = name;
        undo.addUndoStep(UndoStepType::CreateObject, step);
    }
    undo.endGroupStep();
    // A link inside the batch goes to the new copy; a link to an object outside it goes to
    // that object when it still exists.
    std::vector<ParticleLink> own;
    for (const ParticleLink& l : links)
        if (renamed.count(l.source)) own.push_back(l);
    RestoreParticleLinks(objects, own, renamed);
}

void Scene::PasteObjectsFromClipboardAndSelect() {
    if (clipboard.empty()) return;
    std::vector<std::string> names, newNames;
    for (const auto& [name, o] : clipboard) names.push_back(name);
    PasteOrDuplicate(clipboard, names, clipboardLinks, newNames);
    if (newNames.empty()) return;
    DeselectAll();
    SelectObjectAuto(newNames);
}

bool Scene::DuplicateSelectedObjects(std::vector<std::string>& names) {
    std::vector<std::string> selected;
    for (const auto& [name, kind] : selection) {
        if (IsAssetKind(static_cast<int>(kind))) continue;
        const auto it = objects.find(name);
        if (it != objects.end() && it->second.anyUsed()) selected.push_back(name);
    }
    if (selected.empty()) return false;
    ObjectMap copies;
    CopyObjects(objects, selected, copies, selected);
    std::vector<std::string> created;
    PasteOrDuplicate(copies, selected, OutgoingLinks(objects, selected), created);
    names.insert(names.end(), created.begin(), created.end());
    return !created.empty();
}

} // namespace rux
