// The tabs of texts, vertex objects, cameras, lights and hitboxes.
#include "editor/Properties.hpp"

#include "env/LL.hpp"

#include <SFML/System/Err.hpp>

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>

namespace rux {

using A = UndoAction;

void Properties::TextTab() {
    if (!object->text) return;
    sf::Text& text = *object->text;
    if (ImGui::Checkbox(Label("Multi-line", "multiline").c_str(), &multiLine))
        scene.undo.addMOP(A::TextTab, name, static_cast<std::uint8_t>(!multiLine));
    const std::string label = Label("Text string", "textstring");
    bool changed = false;
    if (multiLine) changed = ImGui::InputTextMultiline(label.c_str(), &textEdit);
    else changed = ImGui::InputText(label.c_str(), &textEdit);
    if (!ImGui::IsItemActive() && !changed) {
        const std::basic_string<sf::Uint8> utf8 = text.getString().toUtf8();
        textEdit.assign(utf8.begin(), utf8.end());
    }
    if (changed) {
        text.setString(sf::String::fromUtf8(textEdit.begin(), textEdit.end()));
        Edited(A::TextString);
    }
    int size = static_cast<int>(text.getCharacterSize());
    if (ImGui::InputInt(Label("Character size", "charactersize").c_str(), &size)) {
        text.setCharacterSize(PropertyEdit::ClampCharacterSize(size));
        Edited(A::CharacterSize);
    }
    static const struct {
        const char* label;
        const char* id;
        sf::Uint32 bit;
    } styles[] = {{"Bold", "bold", sf::Text::Bold},
                  {"Italic", "italic", sf::Text::Italic},
                  {"Underline", "underline", sf::Text::Underlined},
                  {"Strikethrough", "strikethrough", sf::Text::StrikeThrough}};
    for (const auto& s : styles) {
        bool on = text.getStyle() & s.bit;
        if (ImGui::Checkbox(Label(s.label, s.id).c_str(), &on)) {
            text.setStyle(on ? text.getStyle() | s.bit : text.getStyle() & ~s.bit);
            Edited(A::TextStyle);
        }
    }
    float letter = text.getLetterSpacing(), line = text.getLineSpacing();
    if (ImGui::DragFloat(Label("Letter spacing", "letterspacing").c_str(), &letter, 0.01f, 0, 0, "%.3f")) {
        text.setLetterSpacing(letter);
        Edited(A::LetterSpacing);
    }
    if (ImGui::DragFloat(Label("Line spacing", "linespacing").c_str(), &line, 0.01f, 0, 0, "%.3f")) {
        text.setLineSpacing(line);
        Edited(A::LineSpacing);
    }
    ImGui::Separator();
}

void Properties::VertexTab() {
    if (!object->vertexObject) {
        sf::err() << "Object not a vertex object!" << std::endl;
        return;
    }
    VertexObject& vo = *object->vertexObject;
    const int count = static_cast<int>(vo.vertices.getVertexCount());
    ImGui::Text("%s: %d", LL::get().lookup("Vertex count").c_str(), count);
    const int primitive = std::clamp(vo.getPrimitiveCode(), 0, 5);
    if (ImGui::BeginCombo(Label("Primitive type", "primitivetype").c_str(), LL::ind("PrimitiveTypes[]", primitive).c_str())) {
        for (int i = 0; i <= 5; ++i)
            if (ImGui::Selectable((LL::ind("PrimitiveTypes[]", i) + "###prim" + std::to_string(i)).c_str(), i == primitive) &&
                i != primitive) {
                vo.setPrimitiveCode(i);
                Edited(A::PrimitiveType);
            }
        ImGui::EndCombo();
    }
    if (ImGui::Checkbox(Label("Use GPU", "usegpu").c_str(), &vo.useGpuBuffer)) {
        if (vo.useGpuBuffer) vo.Update();
        Edited(A::VertexBuffer);
    }
    bool edit = scene.editModeFlag;
    if (ImGui::Checkbox(Label("Edit mode", "editmode").c_str(), &edit)) {
        scene.undo.addMOP(A::EditMode, name, static_cast<std::uint8_t>(scene.editModeFlag));
        scene.editModeFlag = edit;
        selectedVertex = 0;
    }
    ImGui::Checkbox(Label("Hide objects when editing", "hideobjects").c_str(), &hideObjectsWhenEditing);
    if (ImGui::Button(Label("Add vertex", "addvertex").c_str())) {
        sf::Vertex v;
        if (count > 0) v = vo.vertices[static_cast<std::size_t>(count - 1)];
        afterDraw.push_back([this, v] {
            if (PropertyEdit::AppendVertex(scene, name, v)) {
                const auto it = scene.objects.find(name);
                if (it != scene.objects.end() && it->second.vertexObject)
                    selectedVertex = static_cast<int>(it->second.vertexObject->vertices.getVertexCount()) - 1;
            }
        });
    }
    // The shown vertex is checked against the count every frame: undo may have removed it.
    selectedVertex = count == 0 ? 0 : std::clamp(selectedVertex, 0, count - 1);
    if (count == 0) {
        ImGui::Separator();
        return;
    }
    ImGui::InputInt(Label("Vertex ID", "vertexid").c_str(), &selectedVertex);
    selectedVertex = std::clamp(selectedVertex, 0, count - 1);
    sf::Vertex& v = vo.vertices[static_cast<std::size_t>(selectedVertex)];
    bool changed = ImGui::DragFloat2(Label("Position", "vertexposition").c_str(), &v.position.x, 0.1f, 0, 0, "%.3f");
    float color[4] = {v.color.r / 255.f, v.color.g / 255.f, v.color.b / 255.f, v.color.a / 255.f};
    if (ImGui::ColorEdit4(Label("Color", "vertexcolor").c_str(), color)) {
        auto byte = [](float c) { return static_cast<sf::Uint8>(std::clamp(c, 0.f, 1.f) * 255.f + 0.5f); };
        v.color = sf::Color(byte(color[0]), byte(color[1]), byte(color[2]), byte(color[3]));
        changed = true;
    }
    changed |= ImGui::DragFloat2(Label("Tex coord", "texcoord").c_str(), &v.texCoords.x, 0.1f, 0, 0, "%.3f");
    if (changed) {
        vo.updateSelectIcon(selectedVertex);
        if (vo.useGpuBuffer) vo.Update();
        Edited(A::Vertex, selectedVertex);
    }
    if (ImGui::Button(Label("Delete", "deletevertex").c_str())) {
        const int index = selectedVertex;
        afterDraw.push_back([this, index] { PropertyEdit::RemoveVertex(scene, name, index); });
    }
    ImGui::Separator();
}

void Properties::CameraTab() {
    if (!object->camera) return;
    Camera& camera = *object->camera;
    sf::Vector2f center = camera.getCenter(), size = camera.getSize();
    float rotation = camera.getRotation();
    if (ImGui::DragFloat2(Label("Center", "cameracenter").c_str(), &center.x, 0.1f, 0, 0, "%.3f")) {
        camera.setCenter(center);
        Edited(A::CameraCenter);
    }
    if (ImGui::DragFloat2(Label("Size", "camerasize").c_str(), &size.x, 0.1f, 0, 0, "%.3f")) {
        camera.setSize(size);
        Edited(A::CameraSize);
    }
    if (ImGui::DragFloat(Label("Rotation", "camerarotation").c_str(), &rotation, 0.1f, 0, 0, "%.3f")) {
        camera.setRotation(rotation);
        Edited(A::CameraRotation);
    }
    ImGui::DragFloat(Label("Res multiplier", "resmultiplier").c_str(), &camera.textureMultiplier, 0.01f, 0.01f, 16.f,
                     "%.3f", ImGuiSliderFlags_AlwaysClamp);
    ImGui::Text("%s: %.0f x %.0f", LL::get().lookup("Texture multiplied").c_str(), size.x * camera.textureMultiplier,
                size.y * camera.textureMultiplier);
    ImGui::Separator();
}

void Properties::LightTab() {
    auto resolution = [&](std::uint16_t& stored, A action) {
        int n = PropertyEdit::LightResolutionExponent(stored);
        ImGui::TextUnformatted("2^");
        ImGui::SameLine();
        if (ImGui::InputInt(Label("Resolution", "resolution").c_str(), &n)) {
            const std::uint16_t r = PropertyEdit::LightResolutionFromExponent(n);
            if (r != stored) {
                stored = r;
                Edited(action);
            }
        }
        ImGui::SameLine();
        ImGui::Text("= %u", static_cast<unsigned>(stored));
    };
    if (PointLight* light = object->pointLight.get()) {
        if (ImGui::DragFloat(Label("Intensity", "intensity").c_str(), &light->intensity, 0.01f, 0.f, 1.f, "%.3f",
                             ImGuiSliderFlags_AlwaysClamp))
            Edited(A::PointIntensity);
        resolution(light->resolution, A::PointResolution);
        if (ImGui::DragFloat(Label("Radius", "radius").c_str(), &light->radius, 0.1f, 0.f, 1e6f, "%.3f",
                             ImGuiSliderFlags_AlwaysClamp))
            Edited(A::PointRadius);
    } else if (DirectionalLight* light = object->directionalLight.get()) {
        if (ImGui::DragFloat(Label("Intensity", "intensity").c_str(), &light->intensity, 0.01f, 0.f, 1.f, "%.3f",
                             ImGuiSliderFlags_AlwaysClamp))
            Edited(A::DirectionalIntensity);
        resolution(light->resolution, A::DirectionalResolution);
        if (ImGui::DragFloat2(Label("Size", "lightsize").c_str(), &light->size.x, 0.1f, 0.f, 1e6f, "%.3f",
                              ImGuiSliderFlags_AlwaysClamp))
            Edited(A::DirectionalSize);
    }
    ImGui::Separator();
}

void Properties::HitBoxTab() {
    if (!object->hitbox) {
        if (ImGui::Button(Label("+ Add hitbox", "addhitbox").c_str()))
            afterDraw.push_back([this] { PropertyEdit::AddHitbox(scene, name); });
        ImGui::Separator();
        return;
    }
    auto& lines = object->hitbox->lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int index = static_cast<int>(i);
        ImGui::PushID(index);
        ImGui::Text("%s: %d", LL::get().lookup("Index").c_str(), index);
        if (ImGui::DragFloat2(Label("Start", "start").c_str(), &lines[i].start.x, 0.1f, 0, 0, "%.3f"))
            Edited(A::HitLineStart, index);
        if (ImGui::DragFloat2(Label("End", "end").c_str(), &lines[i].end.x, 0.1f, 0, 0, "%.3f"))
            Edited(A::HitLineEnd, index);
        ImGui::PopID();
    }
    if (ImGui::Button(Label("+ Add hitbox line", "addhitline").c_str())) {
        const sf::Vector2f from = lines.empty() ? sf::Vector2f() : lines.back().end;
        afterDraw.push_back([this, from] { PropertyEdit::AddHitLine(scene, name, from, from + sf::Vector2f(10.f, 0.f)); });
    }
    if (ImGui::TreeNode(Label("Danger zone", "dangerzone").c_str())) {
        if (ImGui::Button(Label("- Delete hitboxes", "deletehitbox").c_str()))
            afterDraw.push_back([this] { PropertyEdit::DeleteHitbox(scene, name); });
        ImGui::TextUnformatted(LL::get().lookup("Delete hitbox line by ID").c_str());
        ImGui::InputInt(Label("ID", "hitlineid").c_str(), &hitLineDeleteId);
        ImGui::SameLine();
        if (ImGui::Button(Label("Delete", "deletehitline").c_str())) {
            const int index = hitLineDeleteId;
            afterDraw.push_back([this, index] { PropertyEdit::RemoveHitLine(scene, name, index); });
        }
        ImGui::TreePop();
    }
    ImGui::Separator();
}

} // namespace rux
