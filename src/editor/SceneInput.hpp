#pragma once
// What the per-frame scene update is told from outside: the main view's state for this frame,
// and the requests the properties panel posts for the scene to carry out in the same frame.
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Time.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <string>

namespace rux {

// The main view as it stood at the end of its window this frame.
struct SceneInput {
    bool viewFocused = false;
    bool viewHovered = false;
    sf::FloatRect viewRect;   // the image, in window pixels
    sf::Vector2f mouse;       // main camera coordinates
    sf::Vector2f uiMouse;     // the image's pixel view (gizmo buttons)
    sf::Vector2i mousePixel;  // window pixels
    float zoom = 1.f;         // world units per screen pixel
    float menuScale = 1.f;
    sf::Vector2i grid{1, 1};  // snapping grid, each at least 1
    sf::Color background = sf::Color::Black;
    sf::Time frameTime;       // the step particles and shader time advance by
    // The Scene window: its open flag (null: not drawn this frame) and its title.
    bool* sceneWindowOpen = nullptr;
    std::string sceneWindowTitle;
};

// Changes the gizmo made since the last commit.
struct GizmoChanges {
    bool moved = false, rotated = false, scaled = false;
};

// Operations the properties panel asks for. Each is done once by the next update and cleared.
struct PanelRequests {
    bool duplicate = false;
    bool remove = false;              // the selected objects, or the selected asset
    bool selectVertexShaderAsset = false;
    bool selectFragmentShaderAsset = false;
    bool reloadVertexShader = false;
    bool reloadFragmentShader = false;
    bool nameEditDone = false;        // the panel renamed the object; show it again
    bool fillTiles = false;           // every tile becomes paintTileId
    bool applyUniforms = false;
    std::int32_t shiftTiles = 0;      // 1 left, 2 right, 3 up, 4 down
    std::int32_t replaceTileId = 0;
    std::int32_t replaceState = 0;    // 2: replace replaceTileId by paintTileId now
};

} // namespace rux
