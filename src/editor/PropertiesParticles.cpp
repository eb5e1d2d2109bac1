// The particle system tab: emitter settings, events and random spreads.
#include "editor/Properties.hpp"

#include "env/LL.hpp"

#include <SFML/System/Err.hpp>

#include <imgui.h>

namespace rux {

using A = UndoAction;
using PS = ParticleSystem;

namespace {

struct FloatField {
    const char* label;
    const char* id;
    float PS::*member;
    A action;
};
struct VectorField {
    const char* label;
    const char* id;
    sf::Vector2f PS::*member;
    A action;
};
struct ColorField {
    const char* label;
    const char* id;
    sf::Glsl::Vec4 PS::*member;
    A action;
};
struct BoolField {
    const char* label;
    const char* id;
    bool PS::*member;
    A action;
};

const FloatField c_general[] = {
    {"Lifetime", "lifetime", &PS::lifetime, A::Lifetime},
    {"Spawn radius", "spawnradius", &PS::spawnRadius, A::SpawnRadius},
    {"Start rotation", "startrotation", &PS::startRotation, A::StartRotation},
    {"End rotation", "endrotation", &PS::endRotation, A::EndRotation},
    {"Start size", "startsize", &PS::startSize, A::StartSize},
    {"End size", "endsize", &PS::endSize, A::EndSize},
    {"Start speed", "startspeed", &PS::startSpeed, A::StartSpeed},
    {"End speed", "endspeed", &PS::endSpeed, A::EndSpeed},
    {"Fire angle", "fireangle", &PS::spawnAngle, A::FireAngle},
    {"Fire rotation", "firerotation", &PS::spawnRotation, A::FireRotation},
    {"Fading", "fading", &PS::fading, A::Fading},
};
const VectorField c_vectors[] = {
    {"Spawn position", "spawnposition", &PS::spawnPosition, A::SpawnPosition},
    {"Constant force", "constantforce", &PS::constantForce, A::ConstantForce},
    {"Start force", "startforce", &PS::startForce, A::StartForce},
};
const BoolField c_switches[] = {
    {"Use both colors", "usebothcolors", &PS::useBothColors, A::UseBothColors},
    {"Random starting rotation", "randomrotation", &PS::randomRotation, A::RandomRotation},
    {"Draw newest on top", "newestontop", &PS::newestTop, A::NewestOnTop},
    {"Create particles on update", "createonupdate", &PS::continuousEmission, A::CreateOnUpdate},
    {"Keep up with frame rate", "keepup", &PS::keepUpFramerate, A::KeepUpFrameRate},
};
const FloatField c_random[] = {
    {"Random lifetime", "randomlifetime", &PS::randomLifetime, A::RandomLifetime},
    {"Random start speed", "randomstartspeed", &PS::randomStartSpeed, A::RandomStartSpeed},
    {"Random end speed", "randomendspeed", &PS::randomEndSpeed, A::RandomEndSpeed},
    {"Random start size", "randomstartsize", &PS::randomStartSize, A::RandomStartSize},
    {"Random end size", "randomendsize", &PS::randomEndSize, A::RandomEndSize},
};

} // namespace

void Properties::ParticleTab() {
    if (!object->particleSystem) return;
    PS& ps = *object->particleSystem;
    if (ImGui::Button(Label("Export particle system", "exportparticles").c_str()) && queuePopUp) queuePopUp(ExportAsset);
    ImGui::Text("%s: %d", LL::get().lookup("Active particles").c_str(), ps.activeParticles);
    ImGui::Text("%s: %.3f ms", LL::get().lookup("Update time").c_str(), ps.updateTime.asMicroseconds() / 1000.0);
    if (ImGui::Button(Label("Create particle", "createparticle").c_str())) ps.Create();

    int maxParticles = ps.maxParticles;
    if (ImGui::InputInt(Label("Max particles", "maxparticles").c_str(), &maxParticles, 1, 100,
                        ImGuiInputTextFlags_EnterReturnsTrue)) {
        const std::int32_t n = PropertyEdit::ClampMaxParticles(maxParticles);
        if (n != ps.maxParticles) {
            ps.maxParticles = n;
            ps.setupArray();
            Edited(A::MaxParticles);
        }
    }
    int spawnCount = ps.spawnCount;
    if (ImGui::InputInt(Label("Spawn count when creating", "spawncount").c_str(), &spawnCount)) {
        ps.spawnCount = PropertyEdit::ClampSpawnCount(spawnCount);
        Edited(A::SpawnCount);
    }
    float delay = ps.spawnRate;
    if (ImGui::InputFloat(Label("Spawn delay", "spawndelay").c_str(), &delay, 0.01f, 0.1f, "%.3f")) {
        ps.spawnRate = PropertyEdit::ClampSpawnDelay(delay);
        Edited(A::SpawnDelay);
    }
    const int type = std::clamp(ps.particleType, 0, 6);
    if (ImGui::BeginCombo(Label("Particle type", "particletype").c_str(), LL::ind("ParticleTypes[]", type).c_str())) {
        for (int i = 0; i <= 6; ++i)
            if (ImGui::Selectable((LL::ind("ParticleTypes[]", i) + "###ptype" + std::to_string(i)).c_str(), i == type) &&
                i != ps.particleType) {
                ps.particleType = i;
                ps.setupArray();
                Edited(A::ParticleType);
            }
        ImGui::EndCombo();
    }

    if (ImGui::CollapsingHeader(Label("General", "psgeneral").c_str())) {
        if (ImGui::Checkbox(Label("Update particles", "updateparticles").c_str(), &ps.updateEnabled))
            Edited(A::UpdateParticles);
        for (const FloatField& f : c_general)
            if (ImGui::DragFloat(Label(f.label, f.id).c_str(), &(ps.*f.member), 0.1f, 0, 0, "%.3f")) Edited(f.action);
        for (const VectorField& f : c_vectors)
            if (ImGui::DragFloat2(Label(f.label, f.id).c_str(), &(ps.*f.member).x, 0.1f, 0, 0, "%.3f")) Edited(f.action);
        float createFor = static_cast<float>(ps.emitDuration) / 1e6f;
        if (ImGui::DragFloat(Label("Create for", "createfor").c_str(), &createFor, 0.1f, 0.f, 1e6f, "%.3f"))
            ps.emitDuration = static_cast<std::int64_t>(std::max(createFor, 0.f) * 1e6f);
        if (ImGui::ColorEdit4(Label("Start color", "startcolor").c_str(), &ps.startColor.x)) Edited(A::StartColor);
        if (ImGui::ColorEdit4(Label("End color", "endcolor").c_str(), &ps.endColor.x)) Edited(A::EndColor);
        for (const BoolField& f : c_switches)
            if (ImGui::Checkbox(Label(f.label, f.id).c_str(), &(ps.*f.member))) {
                if (f.action == A::NewestOnTop) ps.setupArray();
                Edited(f.action);
            }
    }
    if (ImGui::CollapsingHeader(Label("Events", "psevents").c_str())) ParticleEvents();
    if (ImGui::CollapsingHeader(Label("Random", "psrandom").c_str())) {
        for (const FloatField& f : c_random) {
            ImGui::TextUnformatted("+- ");
            ImGui::SameLine();
            if (ImGui::DragFloat(Label(f.label, f.id).c_str(), &(ps.*f.member), 0.05f, 0.f, 1e6f, "%.3f",
                                 ImGuiSliderFlags_AlwaysClamp))
                Edited(f.action);
        }
        if (ImGui::Checkbox(Label("Use secondary colors", "usesecondary").c_str(), &ps.useSecondaryColors))
            Edited(A::UseSecondaryColors);
        if (ImGui::ColorEdit4(Label("Secondary start", "secondarystart").c_str(), &ps.secondaryStart.x))
            Edited(A::SecondaryStart);
        if (ImGui::ColorEdit4(Label("Secondary end", "secondaryend").c_str(), &ps.secondaryEnd.x))
            Edited(A::SecondaryEnd);
    }
    ImGui::Separator();
}

void Properties::ParticleEvents() {
    PS& ps = *object->particleSystem;
    for (int e = 0; e < 3; ++e) {
        const auto k = static_cast<std::size_t>(e);
        ImGui::PushID(e);
        bool on = ps.eventFlags & (1u << e);
        if (ImGui::Checkbox(LL::ind("particleEventNames[]", e).c_str(), &on))
            ps.eventFlags = static_cast<std::uint8_t>(on ? ps.eventFlags | (1u << e) : ps.eventFlags & ~(1u << e));
        if (on) {
            std::string current = LL::get().lookup("None");
            for (const auto& [n, o] : scene.objects)
                if (o.particleSystem && o.particleSystem.get() == ps.eventTargets[k]) current = n;
            if (ImGui::BeginCombo(Label("Target", "target").c_str(), current.c_str())) {
                for (auto& [n, o] : scene.objects)
                    if (o.particleSystem && &o != object && ImGui::Selectable(n.c_str(), o.particleSystem.get() == ps.eventTargets[k]))
                        ps.eventTargets[k] = o.particleSystem.get();
                ImGui::EndCombo();
            }
            ImGui::SameLine();
            if (ImGui::Button(Label("Remove", "removetarget").c_str())) ps.eventTargets[k] = nullptr;
            ImGui::Checkbox(Label("Inherit position", "inheritposition").c_str(), &ps.inheritPosition[k]);
            ImGui::Checkbox(Label("Inherit color", "inheritcolor").c_str(), &ps.inheritColor[k]);
            ImGui::Checkbox(Label("Inherit lifetime", "inheritlifetime").c_str(), &ps.inheritLifetime[k]);
        }
        ImGui::PopID();
    }
}

} // namespace rux
