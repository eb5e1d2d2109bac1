#include "editor/TransformType.hpp"

#include "app/InternalResource.hpp"
#include "env/Global.hpp"
#include "env/InputEvent.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <cmath>

namespace rux {

namespace {
const sf::Color c_handleIdle{224, 224, 224, 255};
const sf::Color c_boxHit{255, 255, 0, 128};
const sf::Color c_boxIdle{224, 224, 0, 128};
const sf::Color c_buttonHover{215, 215, 215, 255};
const sf::Color c_buttonIdle{175, 175, 175, 255};

bool loadTexture(sf::Texture& texture, int resource) {
    const std::string bytes = InternalResource::getResource(resource);
    return !bytes.empty() && texture.loadFromMemory(bytes.data(), bytes.size());
}

// Global bounds with left/top inclusive and right/bottom exclusive.
bool inside(const sf::FloatRect& r, sf::Vector2f p) {
    return p.x >= r.left && p.x < r.left + r.width && p.y >= r.top && p.y < r.top + r.height;
}
} // namespace

void Gizmos::draw(sf::RenderTarget& target, sf::RenderStates states) const {
    for (const auto& button : buttons)
        target.draw(button, states);
}

void TransformType::Start() {
    loadTexture(textures["arrow"], 101);
    loadTexture(textures["rotate"], 106);
    if (loadTexture(gizmos.texture, 110))
        gizmos.texture.setSmooth(true);

    rotateRing.setTexture(&textures["rotate"]);
    rotateRing.setSize({40, 40});
    rotateRing.setOrigin(20, 20);

    verticalArrow.setTexture(&textures["arrow"]);
    verticalArrow.setTextureRect({0, 0, 10, 20});
    verticalArrow.setSize({10, 20});
    verticalArrow.setOrigin(5, 20);
    verticalArrow.setRotation(180);

    horizontalArrow.setTexture(&textures["arrow"]);
    horizontalArrow.setTextureRect({10, 0, 10, 20});
    horizontalArrow.setSize({10, 20});
    horizontalArrow.setOrigin(5, 20);
    horizontalArrow.setRotation(90);

    centerBox.setSize({13, 13});
    centerBox.setOrigin(-2, -2);
    centerBox.setFillColor(c_boxIdle);

    for (int i = 0; i < 4; ++i) {
        sf::RectangleShape& button = gizmos.buttons[static_cast<std::size_t>(i)];
        button.setTexture(&gizmos.texture);
        button.setTextureRect({0, 32 * i, 64, 32});
        button.setSize({64, 32});
        button.setPosition(10, 10.f + 40.f * i);
        button.setFillColor({128, 128, 128, 255});
    }
}

void TransformType::UpdateButtons(bool focused, sf::Vector2f uiMouse, float menuScale, bool& overButton) {
    InputEvent& in = InputEvent::Get();
    for (int i = 0; i < 4; ++i) {
        sf::RectangleShape& button = gizmos.buttons[static_cast<std::size_t>(i)];
        button.setPosition(10.f, 10.f + 40.f * static_cast<float>(i) * menuScale);
        button.setScale(menuScale, menuScale);
        if (!focused)
            continue;
        if (inside(button.getGlobalBounds(), uiMouse)) {
            overButton = true;
            button.setFillColor(c_buttonHover);
            if (in.mouseHeld[sf::Mouse::Left])
                button.setFillColor(sf::Color::White);
            if (in.mouseReleased[sf::Mouse::Left]) {
                in.mouseReleased[sf::Mouse::Left] = false;
                tool = i;
                button.setFillColor(sf::Color::White);
            }
        } else {
            button.setFillColor(c_buttonIdle);
        }
    }
    if (focused && !Global::Get().textInputActive && InputEvent::noSpecialPressed()) {
        static constexpr sf::Keyboard::Key keys[] = {sf::Keyboard::Q, sf::Keyboard::E, sf::Keyboard::R,
                                                     sf::Keyboard::T};
        for (int i = 0; i < 4; ++i)
            if (in.keyReleased[keys[i]]) {
                in.keyReleased[keys[i]] = false;
                tool = i;
            }
    }
    if (tool >= 0 && tool < 4)
        gizmos.buttons[static_cast<std::size_t>(tool)].setFillColor(sf::Color::White);
}

void TransformType::Grab(std::int8_t handle, sf::Vector2f mouse) {
    activeHandle = handle;
    // Movement made before the grab belongs to no drag.
    lastMouse = mouse;
}

void TransformType::UpdateHandles(bool focused, float zoom, sf::Vector2f mouse, bool grab) {
    if (!target)
        return;
    const float scale = 3.f * zoom;
    for (sf::RectangleShape* shape : {&verticalArrow, &horizontalArrow, &centerBox, &rotateRing}) {
        shape->setPosition(target->getPosition());
        shape->setScale(scale, scale);
    }
    const bool canGrab = focused && grab && activeHandle < 0;
    if (tool == ToolRotate) {
        const sf::Vector2f d = mouse - rotateRing.getPosition();
        const bool hit = std::hypot(d.x, d.y) <= rotateRing.getSize().x / 2.f * scale + 1.f;
        rotateRing.setFillColor(hit ? sf::Color::White : c_handleIdle);
        if (hit && canGrab)
            Grab(HandleVertical, mouse);
    } else if (tool == ToolMove || tool == ToolScale) {
        bool grabbed = false;
        const std::int8_t order[] = {HandleVertical, HandleHorizontal, HandleCenter};
        sf::RectangleShape* shapes[] = {&verticalArrow, &horizontalArrow, &centerBox};
        for (int i = 0; i < 3; ++i) {
            const bool hit = shapes[i]->getGlobalBounds().contains(mouse);
            if (i == HandleCenter)
                shapes[i]->setFillColor(hit ? c_boxHit : c_boxIdle);
            else
                shapes[i]->setFillColor(hit ? sf::Color::White : c_handleIdle);
            if (hit && canGrab && !grabbed) {
                Grab(order[i], mouse);
                grabbed = true;
            }
        }
    }
}

void TransformType::Update(bool focused, float zoom, sf::Vector2f mouse, sf::Vector2f uiMouse, float menuScale,
                           sf::Vector2i grid) {
    const InputEvent& in = InputEvent::Get();
    const bool held = in.mouseHeld[sf::Mouse::Left];
    // Handles are grabbed by a press on them, not by a drag that starts elsewhere and passes over.
    const bool pressed = held && !wasHeld;
    wasHeld = held;

    bool overButton = false;
    UpdateButtons(focused, uiMouse, menuScale, overButton);

    const bool scaleArrows = tool == ToolScale;
    verticalArrow.setTextureRect({scaleArrows ? 20 : 0, 0, 10, 20});
    horizontalArrow.setTextureRect({scaleArrows ? 30 : 10, 0, 10, 20});

    DragRequest request;
    if (held && activeHandle >= 0)
        request = DragFromMouse(tool, activeHandle, mouse - lastMouse);
    if (!held)
        activeHandle = activeHandle >= 0 ? -1 : -2;

    UpdateHandles(focused, zoom, mouse, pressed && !overButton);

    const float turnBefore = result.ringTurn;
    const bool snapped = InputEvent::isShiftPressed() && !InputEvent::isCtrlPressed() &&
                         !InputEvent::isAltPressed() && !InputEvent::isSystemPressed();
    if (snapped)
        ApplySnapped(request, grid, result, lastMouse, mouse);
    else
        ApplyFree(request, result, lastMouse, mouse);
    if (tool == ToolRotate)
        rotateRing.rotate(result.ringTurn - turnBefore);
}

void TransformType::draw(sf::RenderTarget& renderTarget, sf::RenderStates) const {
    if (!target)
        return;
    if (tool == ToolRotate) {
        renderTarget.draw(rotateRing);
    } else if (tool == ToolMove || tool == ToolScale) {
        renderTarget.draw(centerBox);
        renderTarget.draw(horizontalArrow);
        renderTarget.draw(verticalArrow);
    }
}

} // namespace rux
