#include "editor/UndoSystem.hpp"

#include "editor/ObjectProperty.hpp"
#include "editor/Scene.hpp"
#include "env/LL.hpp"

#include <imgui.h>

namespace rux {
namespace {

// The type of drawable the object holds, whatever `type` says.
const void* DrawableKindTag(const Level::Object& o) {
    if (o.sprite) return "sprite";
    if (o.tileMap) return "tilemap";
    if (o.particleSystem) return "particles";
    if (o.text) return "text";
    if (o.vertexObject) return "vertex";
    if (o.camera) return "camera";
    if (o.pointLight) return "point";
    if (o.directionalLight) return "directional";
    return nullptr;
}

// Replaces the "%s" and "%d" markers of a translated line, in order, with `args`. The line
// comes from a data file, so it is never handed to printf.
std::string Fill(std::string_view format, std::initializer_list<std::string> args) {
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && (format[i + 1] == 's' || format[i + 1] == 'd') &&
            next != args.end()) {
            out += *next++;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

} // namespace

void UndoSystem::attach(Level& sceneLevel, Level& referenceLevel) {
    scene = &sceneLevel;
    reference = &referenceLevel;
}

void UndoSystem::addUndoStep(UndoStepType type, std::shared_ptr<UndoStep> step) {
    if (step) steps.emplace_back(type, std::move(step));
}

UndoSystem::Entry UndoSystem::getUndoStep() {
    if (steps.empty()) return {UndoStepType::CreateObject, nullptr};
    Entry e = std::move(steps.back());
    steps.pop_back();
    return e;
}

void UndoSystem::Clear() {
    steps.clear();
    groupStart = 0;
}

void UndoSystem::startGroupStep() { groupStart = getUndoStepCount(); }

void UndoSystem::endGroupStep() {
    const std::int32_t n = getUndoStepCount();
    if (groupStart < 0 || groupStart + 1 >= n) return;
    for (std::int32_t i = groupStart + 1; i < n; ++i) steps[static_cast<std::size_t>(i)].second->grouped = true;
}

void UndoSystem::addModify(UndoStepType type, UndoAction action, const std::string& name,
                           std::vector<std::uint8_t> value, const std::string& path) {
    auto step = std::make_shared<ModifyAssetObjectProperty>();
    step->name = name;
    step->path = path;
    step->action = action;
    step->data = std::move(value);
    addUndoStep(type, std::move(step));
}

void UndoSystem::addMAP(UndoAction action, const std::string& path, bool value) {
    addModify(UndoStepType::ModifyAsset, action, path, {static_cast<std::uint8_t>(value)});
}

void UndoSystem::addUIToggle(std::uint16_t toggleId, bool previous) {
    auto step = std::make_shared<UIToggle>();
    step->toggleId = toggleId;
    step->data = {static_cast<std::uint8_t>(previous)};
    addUndoStep(UndoStepType::UIToggle, std::move(step));
}

namespace {
// Scratch buffers: change detection runs every commit and should not allocate when nothing
// changed.
thread_local PropertyBytes t_now, t_before;

bool DiffOne(UndoSystem& undo, UndoAction action, const std::string& name, const Level::Object& now,
             Level::Object& twin) {
    if (!ReadProperty(now, action, t_now) || !ReadProperty(twin, action, t_before)) return false;
    if (t_now == t_before) return false;
    undo.addModify(UndoStepType::ModifyObject, action, name, t_before);
    WriteProperty(twin, action, t_now);
    return true;
}
} // namespace

bool UndoSystem::findFromDiff(UndoAction action, const std::string& name) {
    if (name.empty() || !scene || !reference) return false;
    const auto s = scene->objects.find(name);
    const auto r = reference->objects.find(name);
    if (s == scene->objects.end() || r == reference->objects.end()) return false;
    if (DrawableKindTag(s->second) != DrawableKindTag(r->second)) return false;
    return DiffOne(*this, action, name, s->second, r->second);
}

int UndoSystem::findAllFromDiff(const std::string& name) {
    if (name.empty() || !scene || !reference) return 0;
    const auto s = scene->objects.find(name);
    const auto r = reference->objects.find(name);
    if (s == scene->objects.end() || r == reference->objects.end()) return 0;
    if (DrawableKindTag(s->second) != DrawableKindTag(r->second)) return 0;
    int recorded = 0;
    for (const UndoAction action : DiffedActions()) recorded += DiffOne(*this, action, name, s->second, r->second);
    return recorded;
}

int UndoSystem::Undo(Scene& target, const std::function<void(std::uint16_t, bool)>& uiToggle) {
    int undone = 0;
    while (!steps.empty()) {
        const Entry e = getUndoStep();
        ++undone;
        if (e.first == UndoStepType::UIToggle) {
            const auto& toggle = static_cast<const UIToggle&>(*e.second);
            if (uiToggle && !toggle.data.empty()) uiToggle(toggle.toggleId, toggle.data[0] != 0);
        } else {
            target.ProcessUndoRedoStep(e.first, e.second, false);
        }
        if (!e.second->grouped) break;
    }
    return undone;
}

std::string UndoSystem::HistoryLine(const Entry& e) {
    if (!e.second) return {};
    switch (e.first) {
    case UndoStepType::CreateObject:
        return Fill("Create object: %s"_S, {static_cast<const CreateObject&>(*e.second).name});
    case UndoStepType::DeleteObject:
        return Fill("Delete %d object(s)"_S,
                    {std::to_string(static_cast<const DeleteObject&>(*e.second).objects.size())});
    case UndoStepType::ModifyAsset:
    case UndoStepType::ModifyObject: {
        const auto& m = static_cast<const ModifyAssetObjectProperty&>(*e.second);
        const std::string& format =
            e.first == UndoStepType::ModifyAsset ? "Modify asset: %s, ID: %d"_S : "Modify object: %s, ID: %d"_S;
        return Fill(format, {m.name, std::to_string(static_cast<int>(m.action))});
    }
    case UndoStepType::UIToggle:
        return Fill("Toggle UI setting ID: %d"_S,
                    {std::to_string(static_cast<const UIToggle&>(*e.second).toggleId)});
    }
    return {};
}

void UndoSystem::DrawHistory() {
    if (ImGui::IsWindowHovered() && !ImGui::IsWindowFocused() && ImGui::IsMouseDown(ImGuiMouseButton_Right))
        ImGui::SetWindowFocus();
    ImGui::TextUnformatted(Fill("Total undo steps: %d"_S, {std::to_string(steps.size())}).c_str());
    // The history has no limit; only the visible lines are built.
    ImGuiListClipper clipper;
    clipper.Begin(static_cast<int>(steps.size()));
    while (clipper.Step())
        for (int i = clipper.DisplayStart; i < clipper.DisplayEnd; ++i)
            ImGui::TextUnformatted(HistoryLine(steps[static_cast<std::size_t>(i)]).c_str());
}

} // namespace rux
