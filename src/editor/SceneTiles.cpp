// Tile painting in edit mode: one undo step per stroke.
#include "editor/Scene.hpp"
#include "editor/TileEdit.hpp"
#include "env/InputEvent.hpp"

#include <SFML/Window/Mouse.hpp>

namespace rux {

void Scene::PaintTiles(const SceneInput& input) {
    const bool held = InputEvent::Get().mouseHeld[sf::Mouse::Left];
    Object* o = EditedObject();
    TileMap* map = o ? o->tileMap.get() : nullptr;
    // Edit mode draws the map in its own space, so the mouse is in map coordinates.
    if (held && map && editModeFlag && input.viewFocused && input.viewHovered) {
        if (const auto cell = TileCellAt(*map, input.mouse)) {
            PaintTile(*map, *cell, static_cast<std::uint16_t>(paintTileId));
            tilesChanged = true; // a click on a cell that holds the id still counts as a stroke
        }
    }
    // The stroke ends with the button, wherever the mouse is then.
    if (!held && tilesChanged) {
        tilesChanged = false;
        if (map) AddTilemapUndoStep();
    }
}

} // namespace rux
