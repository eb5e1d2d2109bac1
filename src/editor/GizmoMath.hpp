#pragma once
// What a drag on a gizmo handle asks for, free or snapped, and the keyboard nudges.
#include <SFML/System/Vector2.hpp>

#include <cstdint>

namespace rux {

enum GizmoTool : std::int32_t { ToolSelect = 0, ToolMove = 1, ToolRotate = 2, ToolScale = 3 };
// Handles: 0 the vertical arrow, 1 the horizontal arrow, 2 the centre box (or the ring).
enum GizmoHandle : std::int8_t { HandleVertical = 0, HandleHorizontal = 1, HandleCenter = 2 };

// Mouse movement `d` (world units) since the last applied step, read through a handle.
struct DragRequest {
    sf::Vector2f delta;          // move, world units
    float angle = 0.f;           // rotation, degrees
    sf::Vector2f factor{1, 1};   // scale, multiplicative
};
// Dragging 10 world units doubles the scale along that axis. A factor never drops below
// c_minScaleStep, so a fast drag against an arrow shrinks the object instead of collapsing it
// to zero or mirroring it.
inline constexpr float c_minScaleStep = 0.1f;
DragRequest DragFromMouse(std::int32_t tool, std::int8_t handle, sf::Vector2f d);

// What the gizmo reports for one frame; the scene applies it and resets it.
struct GizmoResult {
    bool moved = false, rotated = false, scaled = false;
    sf::Vector2f moveDelta;
    float rotation = 0.f;              // radians
    sf::Vector2f scaleFactor{1, 1};
    float ringTurn = 0.f;              // degrees the ring picture turns with the rotation

    void clear() { *this = GizmoResult{}; }
};

inline constexpr float c_degToRad = 0.017453292f;
inline constexpr float c_snapAngle = 15.f;
inline constexpr float c_snapScaleLow = 0.9090909f;
inline constexpr float c_snapScaleHigh = 1.1f;

// Applies the request as it is; the mouse is then the new reference.
void ApplyFree(const DragRequest& request, GizmoResult& result, sf::Vector2f& lastMouse, sf::Vector2f mouse);
// Applies the request in whole grid cells, 15° steps or scale steps of at least 10 %;
// `lastMouse` advances only by what was applied, so a remainder carries over.
void ApplySnapped(const DragRequest& request, sf::Vector2i grid, GizmoResult& result, sf::Vector2f& lastMouse,
                  sf::Vector2f mouse);

// The modifier and arrow keys a nudge looks at (arrows as pressed this frame).
struct NudgeKeys {
    bool ctrl = false, alt = false, shift = false;
    bool up = false, down = false, left = false, right = false;
};
// Ctrl without Alt: one step (1 with Shift, 10 without) in one direction per frame, Down
// before Right before Up before Left. (0, 0) otherwise.
sf::Vector2f MoveNudge(const NudgeKeys& keys);
// Alt without Ctrl: 45° (15° with Shift), Right positive before Left negative. 0 otherwise.
float RotateNudge(const NudgeKeys& keys);

} // namespace rux
