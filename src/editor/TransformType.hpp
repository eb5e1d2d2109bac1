#pragma once
// The transform gizmo: the move, rotate and scale handles drawn on the selected object, the
// tool bar that picks the active tool, and the drag state that turns mouse movement into a
// requested move, rotation or scale for the scene to apply.
#include "editor/GizmoMath.hpp"

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Transformable.hpp>

#include <array>
#include <cstdint>
#include <map>
#include <string>

namespace rux {

// The four tool buttons, drawn in the main view's pixel view.
class Gizmos : public sf::Drawable {
public:
    std::array<sf::RectangleShape, 4> buttons;
    sf::Texture texture;

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
};

class TransformType : public sf::Drawable {
public:
    // Loads the pictures and sets up the shapes; missing pictures leave plain shapes.
    void Start();
    // One frame of interaction: tool buttons and keys, handle grabs and drags. `mouse` is in
    // main camera coordinates, `uiMouse` in the main view's pixel view. Fills `result`.
    void Update(bool focused, float zoom, sf::Vector2f mouse, sf::Vector2f uiMouse, float menuScale,
                sf::Vector2i grid);

    // A handle is being dragged (activeHandle ≥ 0).
    bool dragging() const { return activeHandle >= 0; }
    // No handle is dragged and none was released in this frame.
    bool idle() const { return activeHandle < -1; }

    sf::RectangleShape verticalArrow;
    sf::RectangleShape horizontalArrow;
    sf::RectangleShape centerBox;
    sf::RectangleShape rotateRing;
    std::map<std::string, sf::Texture> textures;
    Gizmos gizmos;

    sf::Vector2f lastMouse;
    sf::Transformable* target = nullptr;
    std::int8_t activeHandle = -2;
    std::int32_t tool = ToolSelect;
    GizmoResult result;

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

private:
    void UpdateButtons(bool focused, sf::Vector2f uiMouse, float menuScale, bool& overButton);
    void UpdateHandles(bool focused, float zoom, sf::Vector2f mouse, bool grab);
    void Grab(std::int8_t handle, sf::Vector2f mouse);

    bool wasHeld = false; // the left button in the previous frame
};

} // namespace rux
