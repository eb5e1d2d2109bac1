// The properties window: choosing the item, the tab bar, the general and transform tabs, and
// recording finished edits.
#include "editor/Properties.hpp"

#include "app/Constants.hpp"
#include "editor/ObjectProperty.hpp"
#include "env/Global.hpp"
#include "env/InputEvent.hpp"
#include "env/LL.hpp"
#include "env/Shortcuts.hpp"

#include <SFML/Window/Keyboard.hpp>

#include <imgui.h>
#include <imgui_stdlib.h>

namespace rux {

using A = UndoAction;

Properties::Properties(Scene& s) : scene(s) {}

std::string Properties::Label(const char* key, const char* id) { return LL::get().lookup(key) + "###" + id; }

void Properties::OpenTab(PropertyTabes tab) {
    if (Global::Get().allowMultipleTabs) openTabs |= 1u << tab;
    else openTabs = 1u << tab;
}

void Properties::Edited(UndoAction action, int index) {
    const Pending p{action, index};
    for (const Pending& q : pending)
        if (q == p) return;
    pending.push_back(p);
}

void Properties::CommitPending() {
    if (pending.empty() || ImGui::IsAnyItemActive()) return;
    scene.undo.startGroupStep();
    for (const Pending& p : pending) {
        switch (p.action) {
        case A::Vertex: PropertyEdit::CommitVertex(scene, name, p.index); break;
        case A::HitLineStart: PropertyEdit::CommitHitLine(scene, name, p.index, false); break;
        case A::HitLineEnd: PropertyEdit::CommitHitLine(scene, name, p.index, true); break;
        default: PropertyEdit::CommitEdit(scene, name, p.action); break;
        }
    }
    scene.undo.endGroupStep();
    pending.clear();
}

void Properties::Select() {
    object = nullptr;
    asset = nullptr;
    kind = ObjectType::None;
    tabMask = 0;
    if (scene.selection.size() != 1) return;
    const auto& [entryName, entryKind] = scene.selection.front();
    if (entryName != name) {
        CommitPending(); // what the last item still had open is recorded under its own name
        pending.clear();
        name = entryName;
        nameEdit = entryName;
        selectedVertex = 0;
        replaceState = 0;
    }
    if (IsAssetKind(static_cast<std::int32_t>(entryKind))) {
        const auto it = scene.assets.find(entryName);
        if (it != scene.assets.end()) asset = &it->second;
    } else {
        const auto it = scene.objects.find(entryName);
        if (it != scene.objects.end()) object = &it->second;
    }
    if (!object && !asset) return;
    kind = entryKind;
    const auto k = static_cast<std::size_t>(kind);
    tabMask = k < c_ItemTabs.size() ? c_ItemTabs[k] : 0;
}

void Properties::Draw() {
    Select();
    if (!object && !asset) {
        pending.clear();
        return;
    }
    if (ImGui::IsWindowHovered(ImGuiHoveredFlags_ChildWindows) && !ImGui::IsWindowFocused(ImGuiFocusedFlags_ChildWindows) &&
        ImGui::IsMouseDown(ImGuiMouseButton_Right))
        ImGui::SetWindowFocus();
    ImGui::PushItemWidth(ImGui::GetContentRegionAvail().x / 1.75f);
    TabBar();
    TabKeys();
    if (object && Shortcuts::get()[ActionShortcut::ToggleVisibility] && !Global::Get().textInputActive) {
        object->visible = !object->visible;
        Edited(A::Visible);
    }
    GeneralTab();
    const std::uint32_t shown = openTabs & tabMask;
    if (shown & (1u << Transform_)) TransformTab();
    if (shown & (1u << Textures_)) asset ? TextureAssetTab() : TexturesTab();
    if (shown & (1u << Tiles_)) TilesTab();
    if (shown & (1u << VShader_)) ShaderTab(true);
    if (shown & (1u << FShader_)) ShaderTab(false);
    if (shown & (1u << Src_)) SourceTab();
    if (shown & (1u << ParticleSys_)) ParticleTab();
    if (shown & (1u << Text_)) TextTab();
    if (shown & (1u << VertexObject_)) VertexTab();
    if (shown & (1u << Camera_)) CameraTab();
    if (shown & (1u << Light_)) LightTab();
    if (shown & (1u << HitBox_)) HitBoxTab();
    ImGui::PopItemWidth();
    CommitPending();
    std::vector<std::function<void()>> work;
    work.swap(afterDraw);
    for (auto& w : work) w();
}

void Properties::TabBar() {
    const bool multiple = Global::Get().allowMultipleTabs;
    bool first = true;
    for (int i = 1; i < PropertyTabesCount; ++i) {
        if (!(tabMask & (1u << i))) continue;
        if (!first) ImGui::SameLine();
        first = false;
        const std::string label = LL::ind("PropertiesTabs[]", i) + "###tab" + std::to_string(i);
        const bool open = openTabs & (1u << i);
        const ImVec2 size(ImGui::CalcTextSize(label.c_str(), nullptr, true).x, 0.f);
        if (ImGui::Selectable(label.c_str(), open, 0, size)) {
            if (multiple) openTabs ^= 1u << i;
            else openTabs = open ? 0u : 1u << i;
        }
    }
    if (multiple && ImGui::Button(Label("Collapse all", "collapse").c_str())) openTabs = 0;
    ImGui::Separator();
}

void Properties::TabKeys() {
    const InputEvent& in = InputEvent::Get();
    if (!ImGui::IsWindowFocused(ImGuiFocusedFlags_ChildWindows) || Global::Get().textInputActive ||
        ImGui::GetIO().WantTextInput || !InputEvent::noSpecialPressed())
        return;
    const bool up = in.pressed(sf::Keyboard::Up) || in.pressed(sf::Keyboard::W);
    const bool down = in.pressed(sf::Keyboard::Down) || in.pressed(sf::Keyboard::S);
    if (up == down || tabMask == 0) return;
    int current = 0;
    for (int i = 1; i < PropertyTabesCount; ++i)
        if ((tabMask & openTabs) & (1u << i)) {
            current = i;
            break;
        }
    int next = current;
    for (int step = 0; step < PropertyTabesCount; ++step) {
        next = (next + (up ? PropertyTabesCount - 1 : 1)) % PropertyTabesCount;
        if (next != General_ && (tabMask & (1u << next))) break;
    }
    openTabs = 1u << next;
    scene.editModeFlag = false;
}

void Properties::GeneralTab() {
    if (asset) {
        ImGui::TextUnformatted(asset->path.string().c_str());
        return;
    }
    // Applied on Enter only; leaving the field any other way gives the old name back.
    if (ImGui::InputText(Label("Item name", "name").c_str(), &nameEdit, ImGuiInputTextFlags_EnterReturnsTrue)) {
        if (nameEdit != name && scene.RenameObject(name, nameEdit)) name = nameEdit;
        else nameEdit = name;
    } else if (!ImGui::IsItemActive()) {
        nameEdit = name;
    }
    if (ImGui::Button(Label("Duplicate", "duplicate").c_str()))
        afterDraw.push_back([this] {
            std::vector<std::string> names;
            scene.DuplicateSelectedObjects(names);
        });
    ImGui::SameLine();
    if (ImGui::Button(Label("Delete", "delete").c_str())) afterDraw.push_back([this] { scene.DeleteSelectedObjects(); });
    if (ImGui::Checkbox(Label("Visible", "visible").c_str(), &object->visible)) Edited(A::Visible);
    int z = object->zOrder;
    if (ImGui::DragInt(Label("Z layer", "zlayer").c_str(), &z, 0.1f, -120, 120, "%d", ImGuiSliderFlags_AlwaysClamp)) {
        object->zOrder = static_cast<std::int8_t>(PropertyEdit::ClampZ(z));
        Edited(A::ZOrder);
    }
    if (ImGui::ColorEdit4(Label("Color", "color").c_str(), &object->color.x)) {
        ApplyObjectColor(*object);
        Edited(A::Color);
    }
    const int blend = std::max(0, BlendIndex(object->blendMode));
    if (ImGui::BeginCombo(Label("Blend mode", "blend").c_str(), LL::ind("blendModeName[]", blend).c_str())) {
        for (int i = 0; i < static_cast<int>(c_blendModes.size()); ++i)
            if (ImGui::Selectable((LL::ind("blendModeName[]", i) + "###blend" + std::to_string(i)).c_str(), i == blend) &&
                i != blend) {
                object->blendMode = c_blendModes[static_cast<std::size_t>(i)];
                Edited(A::BlendMode);
            }
        ImGui::EndCombo();
    }
    ImGui::Separator();
}

void Properties::TransformTab() {
    sf::Transformable* t = object ? object->transformable : nullptr;
    if (!t) return;
    auto reset = [&](const char* id) {
        ImGui::SameLine();
        const bool pressed = ImGui::Button((std::string("R###") + id).c_str());
        if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", LL::get().lookup("Reset").c_str());
        return pressed;
    };
    sf::Vector2f p = t->getPosition();
    if (ImGui::DragFloat2(Label("Position", "position").c_str(), &p.x, 0.1f, 0, 0, "%.3f")) t->setPosition(p);
    if (ImGui::IsItemEdited()) Edited(A::Position);
    if (reset("resetposition")) t->setPosition(0, 0), Edited(A::Position);
    float r = t->getRotation();
    if (ImGui::DragFloat(Label("Rotation", "rotation").c_str(), &r, 0.1f, 0, 0, "%.3f")) t->setRotation(r);
    if (ImGui::IsItemEdited()) Edited(A::Rotation);
    if (reset("resetrotation")) t->setRotation(0), Edited(A::Rotation);
    sf::Vector2f s = t->getScale();
    if (ImGui::DragFloat2(Label("Scale", "scale").c_str(), &s.x, 0.1f, 0, 0, "%.3f")) t->setScale(s);
    if (ImGui::IsItemEdited()) Edited(A::Scale);
    if (reset("resetscale")) t->setScale(1, 1), Edited(A::Scale);
    sf::Vector2f o = t->getOrigin();
    if (ImGui::DragFloat2(Label("Origin", "origin").c_str(), &o.x, 0.1f, 0, 0, "%.3f")) t->setOrigin(o);
    if (ImGui::IsItemEdited()) Edited(A::Origin);
    if (reset("resetorigin")) t->setOrigin(0, 0), Edited(A::Origin);
    ImGui::Separator();
}

} // namespace rux
