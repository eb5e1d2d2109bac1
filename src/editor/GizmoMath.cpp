#include "editor/GizmoMath.hpp"

#include <algorithm>
#include <cmath>

namespace rux {

namespace {
float scaleStep(float d) { return std::max(d / 10.f + 1.f, c_minScaleStep); }

// Whole cells of `d`, signed; counted by division so a huge jump costs nothing.
float wholeCells(float d, int cell) {
    const float g = static_cast<float>(std::max(cell, 1));
    if (!std::isfinite(d) || std::abs(d) < g)
        return 0.f;
    return std::copysign(std::trunc(std::abs(d) / g) * g, d);
}
} // namespace

DragRequest DragFromMouse(std::int32_t tool, std::int8_t handle, sf::Vector2f d) {
    DragRequest r;
    if (tool == ToolMove) {
        if (handle == HandleVertical)
            r.delta = {0.f, d.y};
        else if (handle == HandleHorizontal)
            r.delta = {d.x, 0.f};
        else if (handle == HandleCenter)
            r.delta = d;
    } else if (tool == ToolScale) {
        if (handle == HandleVertical) {
            r.factor = {1.f, scaleStep(d.y)};
        } else if (handle == HandleHorizontal) {
            r.factor = {scaleStep(d.x), 1.f};
        } else if (handle == HandleCenter) {
            const float both = (scaleStep(d.x) + scaleStep(d.y)) / 2.f;
            r.factor = {both, both};
        }
    } else if (tool == ToolRotate) {
        r.angle = d.x;
    }
    return r;
}

void ApplyFree(const DragRequest& request, GizmoResult& result, sf::Vector2f& lastMouse, sf::Vector2f mouse) {
    if (request.delta != sf::Vector2f()) {
        result.moved = true;
        result.moveDelta = request.delta;
    }
    if (request.angle != 0.f) {
        result.rotated = true;
        result.rotation = request.angle * c_degToRad;
        result.ringTurn += request.angle;
    }
    if (request.factor != sf::Vector2f(1.f, 1.f)) {
        result.scaled = true;
        result.scaleFactor = request.factor;
    }
    lastMouse = mouse;
}

void ApplySnapped(const DragRequest& request, sf::Vector2i grid, GizmoResult& result, sf::Vector2f& lastMouse,
                  sf::Vector2f mouse) {
    const sf::Vector2f step(wholeCells(request.delta.x, grid.x), wholeCells(request.delta.y, grid.y));
    if (step != sf::Vector2f()) {
        result.moved = true;
        result.moveDelta += step;
        lastMouse += step;
    }
    if (std::abs(request.angle) >= c_snapAngle) {
        const float turn = std::copysign(c_snapAngle, request.angle);
        result.rotated = true;
        result.rotation += turn * c_degToRad;
        result.ringTurn += turn;
        lastMouse = mouse;
    }
    for (int axis = 0; axis < 2; ++axis) {
        const float f = std::abs(axis == 0 ? request.factor.x : request.factor.y);
        if (f <= c_snapScaleLow || f >= c_snapScaleHigh) {
            result.scaled = true;
            (axis == 0 ? result.scaleFactor.x : result.scaleFactor.y) *= f;
            lastMouse = mouse;
        }
    }
}

sf::Vector2f MoveNudge(const NudgeKeys& keys) {
    if (!keys.ctrl || keys.alt)
        return {};
    const float step = keys.shift ? 1.f : 10.f;
    if (keys.down)
        return {0.f, step};
    if (keys.right)
        return {step, 0.f};
    if (keys.up)
        return {0.f, -step};
    if (keys.left)
        return {-step, 0.f};
    return {};
}

float RotateNudge(const NudgeKeys& keys) {
    if (!keys.alt || keys.ctrl)
        return 0.f;
    const float angle = keys.shift ? 15.f : 45.f;
    if (keys.right)
        return angle;
    if (keys.left)
        return -angle;
    return 0.f;
}

} // namespace rux
