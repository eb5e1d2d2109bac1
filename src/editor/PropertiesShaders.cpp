// The shader tabs of objects with their uniform editors, and the source tab of shader assets.
#include "editor/Properties.hpp"

#include "env/Global.hpp"
#include "env/LL.hpp"

#include <imgui.h>

#include <cstring>

namespace rux {

void Properties::ShaderTab(bool vertex) {
    const ObjectType stage = vertex ? ObjectType::VertexShader : ObjectType::FragmentShader;
    const Level::AssetObject* current = vertex ? object->vertexShader : object->fragmentShader;
    const char* id = vertex ? "vshader" : "fshader";
    ImGui::PushID(id);
    const std::string label = Label(vertex ? "Vert. shader" : "Frag. shader", id);
    if (ImGui::BeginCombo(label.c_str(), current ? current->path.string().c_str() : LL::get().lookup("None").c_str())) {
        if (ImGui::Selectable((LL::get().lookup("None") + "###none").c_str(), !current) && current)
            afterDraw.push_back([this, stage] { scene.AttachShader(name, nullptr, stage); });
        for (const auto& [path, a] : scene.assets) {
            if (a.type != stage) continue;
            const Level::AssetObject* chosen = &a;
            if (ImGui::Selectable(path.string().c_str(), chosen == current) && chosen != current)
                afterDraw.push_back([this, chosen, stage] { scene.AttachShader(name, chosen, stage); });
        }
        ImGui::EndCombo();
    }
    if (current) {
        if (ImGui::Button(Label("Select", "select").c_str())) {
            const std::filesystem::path path = current->path;
            afterDraw.push_back([this, path] { scene.SelectAsset(path); });
        }
        ImGui::SameLine();
        if (ImGui::Button(Label("Reload", "reload").c_str())) {
            afterDraw.push_back([this] {
                const auto it = scene.objects.find(name);
                if (it != scene.objects.end()) scene.ReloadShader(it->second);
            });
        }
        ImGui::SameLine();
        if (ImGui::Button(Label("Remove", "remove").c_str()))
            afterDraw.push_back([this, stage] { scene.AttachShader(name, nullptr, stage); });
        if (!autoApplyRead) {
            autoApply = Global::Get().autoApplyUniforms;
            autoApplyRead = true;
        }
        ImGui::Checkbox(Label("Auto apply", "autoapply").c_str(), &autoApply);
        ImGui::SameLine();
        if (ImGui::Button(Label("Apply", "apply").c_str())) Level::ApplyUniforms(*object);
        UniformEditors(vertex);
    }
    ImGui::PopID();
    ImGui::Separator();
}

void Properties::UniformEditors(bool vertex) {
    const Level::AssetObject* a = vertex ? object->vertexShader : object->fragmentShader;
    if (!a || !a->uniforms) return;
    const Level::Uniforms& u = *a->uniforms;
    std::vector<std::uint8_t>& data = vertex ? object->vertexUniformData : object->fragmentUniformData;
    std::uint64_t offset = 0;
    for (std::size_t i = 0; i < u.types.size() && i < u.names.size(); ++i) {
        const std::uint32_t size = Level::Uniforms::SizeOf(u.types[i]);
        // Values past the stored bytes are not shown, so no edit writes beyond them.
        if (size == 0 || offset + size > data.size()) break;
        std::uint8_t* at = data.data() + offset;
        offset += size;
        float f[4] = {};
        std::int32_t n[4] = {};
        std::memcpy(f, at, size);
        std::memcpy(n, at, size);
        const std::string label = u.names[i] + "###u" + std::to_string(i);
        bool changed = false;
        switch (u.types[i]) {
        case Level::Uniforms::Bool: {
            bool b = *at != 0;
            if ((changed = ImGui::Checkbox(label.c_str(), &b))) *at = b ? 1 : 0;
            break;
        }
        case Level::Uniforms::Int: changed = ImGui::DragInt(label.c_str(), n, 1.f, 0, 0, "%d"); break;
        case Level::Uniforms::IVec2: changed = ImGui::DragInt2(label.c_str(), n, 1.f, 0, 0, "%d"); break;
        case Level::Uniforms::IVec3: changed = ImGui::DragInt3(label.c_str(), n, 1.f, 0, 0, "%d"); break;
        case Level::Uniforms::IVec4: changed = ImGui::DragInt4(label.c_str(), n, 1.f, 0, 0, "%d"); break;
        case Level::Uniforms::Float: changed = ImGui::DragFloat(label.c_str(), f, 0.01f, 0, 0, "%.5f"); break;
        case Level::Uniforms::Vec2: changed = ImGui::DragFloat2(label.c_str(), f, 0.1f, 0, 0, "%.4f"); break;
        case Level::Uniforms::Vec3: changed = ImGui::DragFloat3(label.c_str(), f, 0.1f, 0, 0, "%.3f"); break;
        case Level::Uniforms::Vec4: changed = ImGui::DragFloat4(label.c_str(), f, 0.1f, 0, 0, "%.2f"); break;
        default: break;
        }
        if (!changed) continue;
        const bool ints = u.types[i] == Level::Uniforms::Int || u.types[i] >= Level::Uniforms::IVec2;
        if (u.types[i] != Level::Uniforms::Bool) std::memcpy(at, ints ? static_cast<void*>(n) : static_cast<void*>(f), size);
        Edited(vertex ? UndoAction::VertexUniforms : UndoAction::FragmentUniforms);
        if (autoApply) Level::ApplyUniforms(*object);
    }
}

void Properties::SourceTab() {
    if (openInCodeEditor && ImGui::Button(Label("Open in Code Editor", "opencode").c_str())) openInCodeEditor(asset->path);
    if (asset->uniforms) {
        const Level::Uniforms& u = *asset->uniforms;
        for (std::size_t i = 0; i < u.types.size() && i < u.names.size(); ++i)
            ImGui::BulletText("%s (%u)", u.names[i].c_str(), Level::Uniforms::SizeOf(u.types[i]));
    }
    ImGui::BeginChild("source", ImVec2(0, 0), true, ImGuiWindowFlags_HorizontalScrollbar);
    ImGui::TextUnformatted(asset->source.data(), asset->source.data() + asset->source.size());
    ImGui::EndChild();
}

} // namespace rux
