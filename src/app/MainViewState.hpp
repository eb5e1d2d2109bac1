#pragma once
// What the main view keeps between frames and publishes to the scene update, the gizmo, the
// menu bar's status line and the load-asset dialog.
#include "app/DropPayload.hpp"
#include "app/ViewControl.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Cursor.hpp>

#include <string>

namespace rux {

struct MainViewState {
    // World units per screen pixel; the main camera's size is always the image size × zoom.
    float zoom = 1.f;
    // The image's place in window pixels, recomputed every frame.
    sf::FloatRect viewRect;
    // The window's hovered and focused state at the end of the last frame.
    bool viewHovered = false;
    bool viewFocused = false;
    int shownFrame = -1; // the ImGui frame in which the window was last shown
    // Pixel view of the image, for the screen-space gizmo buttons.
    sf::View uiView;
    sf::Vector2u imageSize;

    ZoomAnimation zoomAnimation;

    bool panning = false;
    sf::Vector2i lastPointer;
    sf::Cursor::Type cursor = sf::Cursor::Arrow;

    bool rightPress = false;
    bool middlePress = false;
    sf::Vector2i pressPointer;
    bool pressHitSelected = false;
    // World position of the right click; objects added from its menu appear there.
    sf::Vector2f createOnPos;
    // Where the last file was dropped on the view; the load-asset dialog places the new
    // object there. Its load type (0 tile map, 1 sprite, 2 texture only) chooses the name
    // proposed for a dropped image.
    sf::Vector2f dropPosition;
    int loadAssetType = 0;

    // Grid cell in world units, each at least 1; also the scene's snapping grid.
    sf::Vector2i gridSize{10, 10};
};

} // namespace rux
