// Vertex editing in edit mode: clicking selects (and steps through stacked vertices), dragging
// moves the selected vertex, Ctrl + click appends one; each finished edit is one undo step.
#include "editor/Scene.hpp"
#include "editor/VertexEdit.hpp"
#include "env/InputEvent.hpp"

#include <SFML/System/Err.hpp>
#include <SFML/Window/Mouse.hpp>

#include <cmath>
#include <cstring>

namespace rux {
namespace {

VertexObject* VerticesOf(Level::Object* o) { return o ? o->vertexObject.get() : nullptr; }

float Distance(sf::Vector2f a, sf::Vector2f b) {
    const sf::Vector2f d = a - b;
    return std::sqrt(d.x * d.x + d.y * d.y);
}

// The value of an undo step of the vertex action: index, position, colour, texture coordinates.
std::vector<std::uint8_t> VertexBytes(std::int32_t index, const sf::Vertex& v) {
    std::vector<std::uint8_t> out(24);
    std::uint8_t* p = out.data();
    const std::uint8_t colour[4] = {v.color.r, v.color.g, v.color.b, v.color.a};
    std::memcpy(p, &index, 4);
    std::memcpy(p + 4, &v.position.x, 4);
    std::memcpy(p + 8, &v.position.y, 4);
    std::memcpy(p + 12, colour, 4);
    std::memcpy(p + 16, &v.texCoords.x, 4);
    std::memcpy(p + 20, &v.texCoords.y, 4);
    return out;
}

} // namespace

void Scene::ClearSelectedVertex() {
    if (VertexObject* vo = VerticesOf(EditedObject())) vo->selectSelectIcon(selectedVertex, false);
    selectedVertex = -1;
    vertexGrabbed = vertexMoved = false;
}

void Scene::CheckSelectedVertex() {
    if (selectedVertex < 0) return;
    const VertexObject* vo = VerticesOf(EditedObject());
    if (!vo || static_cast<std::size_t>(selectedVertex) >= vo->vertices.getVertexCount()) {
        selectedVertex = -1;
        vertexGrabbed = vertexMoved = false;
    }
}

void Scene::SelectVertex(std::int32_t index) {
    VertexObject* vo = VerticesOf(EditedObject());
    if (vo) vo->selectSelectIcon(selectedVertex, false);
    selectedVertex = vo && index >= 0 && static_cast<std::size_t>(index) < vo->vertices.getVertexCount() ? index : -1;
    if (vo) vo->selectSelectIcon(selectedVertex, true);
}

void Scene::EditVertices(const SceneInput& input) {
    if (!editModeFlag) return;
    Object* o = EditedObject();
    VertexObject* vo = VerticesOf(o);
    if (!vo) return;
    const std::string name = selection.front().first;
    InputEvent& in = InputEvent::Get();
    const bool held = in.mouseHeld[sf::Mouse::Left];
    const sf::Vector2f m = input.mouse;
    // A release that ends a drag is not also a click on the vertex.
    const bool dragEnded = vertexMoved;

    if (input.viewFocused && held && selectedVertex >= 0) {
        const auto index = static_cast<std::size_t>(selectedVertex);
        if (!vertexGrabbed) {
            vertexGrabbed = Distance(vo->vertices[index].position, m) < c_vertexPickRadius;
        } else if (m != vertexLastPos) {
            bool changed = false;
            if (InputEvent::noSpecialPressed()) {
                vo->vertices[index].position += m - vertexLastPos;
                changed = true;
            } else if (InputEvent::onlyShiftPressed()) {
                vo->vertices[index].position = SnapToGrid(m, input.grid);
                changed = true;
            }
            if (changed) {
                // Snapped moves are recorded too, or the reference would keep the old place.
                vertexMoved = true;
                if (vo->useGpuBuffer) vo->Update();
                vo->updateSelectIcon(selectedVertex);
            }
        }
        vertexLastPos = m;
    } else if (!held) {
        if (vertexMoved) RecordVertexMove(*o, name);
        vertexGrabbed = vertexMoved = false;
    }

    if (input.viewFocused && !dragEnded && !vertexMoved && in.mouseReleased[sf::Mouse::Left]) {
        in.mouseReleased[sf::Mouse::Left] = false;
        if (InputEvent::onlyCtrlPressed()) AddVertexAt(*o, name, m);
        else if (InputEvent::noSpecialPressed()) SelectVertex(NextSelectedVertex(vo->vertices, m, selectedVertex));
    }
}

void Scene::RecordVertexMove(Object& o, const std::string& name) {
    const auto index = static_cast<std::size_t>(selectedVertex);
    const auto twinIt = referenceLevel.objects.find(name);
    VertexObject* twin = twinIt == referenceLevel.objects.end() ? nullptr : twinIt->second.vertexObject.get();
    if (!twin || index >= twin->vertices.getVertexCount() || index >= o.vertexObject->vertices.getVertexCount()) {
        sf::err() << "Vertex " << selectedVertex << " not found on the reference of " << name << "!" << std::endl;
        MirrorToReference(name);
        return;
    }
    undo.addModify(UndoStepType::ModifyObject, UndoAction::Vertex, name, VertexBytes(selectedVertex, twin->vertices[index]));
    twin->vertices[index] = o.vertexObject->vertices[index];
    if (twin->useGpuBuffer) twin->Update();
}

void Scene::AddVertexAt(Object& o, const std::string& name, sf::Vector2f position) {
    VertexObject& vo = *o.vertexObject;
    vo.selectSelectIcon(selectedVertex, false);
    const std::size_t n = vo.vertices.getVertexCount();
    sf::Vertex added;
    added.position = position;
    vo.vertices.append(added);
    vo.addSelectIcon(static_cast<int>(n));
    if (vo.useGpuBuffer) vo.Update();
    // The twin gets the same vertex, so that a later change of it undoes to this place.
    const auto twinIt = referenceLevel.objects.find(name);
    if (twinIt != referenceLevel.objects.end() && twinIt->second.vertexObject) {
        VertexObject& twin = *twinIt->second.vertexObject;
        twin.vertices.append(added);
        twin.addSelectIcon(static_cast<int>(twin.vertices.getVertexCount() - 1));
        if (twin.useGpuBuffer) twin.Update();
    }
    selectedVertex = static_cast<std::int32_t>(n);
    vo.selectSelectIcon(selectedVertex, true);
    undo.addMOP(UndoAction::VertexAppended, name, std::int32_t{0});
}

} // namespace rux
