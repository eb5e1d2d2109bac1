#include "app/ViewControl.hpp"

#include "env/InputEvent.hpp"

#include <algorithm>
#include <cmath>

namespace rux {

namespace {
bool finite(sf::Vector2f v) { return std::isfinite(v.x) && std::isfinite(v.y); }

float mapAxis(float pointer, float rectPos, float rectSize, float center, float size) {
    if (!(rectSize != 0.f))
        return center;
    return (center - size / 2.f) + ((pointer - rectPos) / rectSize) * size;
}
} // namespace

sf::Vector2f getSFMLViewMousePos(const sf::FloatRect& rect, const sf::View& view, sf::Vector2i pointer) {
    const sf::Vector2f c = view.getCenter();
    const sf::Vector2f s = view.getSize();
    return {mapAxis(static_cast<float>(pointer.x), rect.left, rect.width, c.x, s.x),
            mapAxis(static_cast<float>(pointer.y), rect.top, rect.height, c.y, s.y)};
}

sf::Vector2f getSFMLViewMousePos(const sf::FloatRect& rect, const sf::View& view) {
    return getSFMLViewMousePos(rect, view, InputEvent::Get().mousePosition);
}

bool ZoomStep(bool in, float& zoom, sf::View& camera, const sf::FloatRect& viewRect, sf::Vector2i pointer,
              bool towardPointer, bool overrideMaxZoom) {
    if (in ? !(zoom > c_zoomMin) : (zoom >= c_zoomMax && !overrideMaxZoom))
        return false;
    const float newZoom = zoom * (in ? c_zoomInFactor : c_zoomOutFactor);
    const sf::Vector2f newSize(viewRect.width * newZoom, viewRect.height * newZoom);
    if (!std::isfinite(newZoom) || !finite(newSize))
        return false;

    const sf::Vector2f before = getSFMLViewMousePos(viewRect, camera, pointer);
    sf::View next = camera;
    next.setSize(newSize);
    if (towardPointer) {
        const sf::Vector2f after = getSFMLViewMousePos(viewRect, next, pointer);
        next.move(before - after);
    }
    if (!finite(next.getCenter()))
        return false;
    zoom = newZoom;
    camera = next;
    return true;
}

void ZoomAnimation::Begin(const CameraState& start, const CameraState& target) {
    from = start;
    to = target;
    clock.restart();
    running = true;
}

void ZoomAnimation::Apply(float seconds, bool animate, sf::View& camera) {
    if (!running)
        return;
    const float t = seconds * 10.f; // 0.1 s
    if (animate && t < 1.f) {
        const float k = std::pow(std::max(t, 0.f), 0.8f);
        camera.setCenter(from.center + (to.center - from.center) * k);
        camera.setSize(from.size + (to.size - from.size) * k);
        return;
    }
    to.applyTo(camera);
    running = false;
}

void ZoomAnimation::Shift(sf::Vector2f offset) {
    from.center += offset;
    to.center += offset;
}

sf::Vector2f KeyPanOffset(float zoom, const PanKeys& keys) {
    const float step = 30.f * zoom;
    sf::Vector2f offset;
    if (keys.left)
        offset.x -= step;
    if (keys.right)
        offset.x += step;
    if (keys.up)
        offset.y -= step;
    if (keys.down)
        offset.y += step;
    return offset;
}

bool WrapPointer(const sf::IntRect& rect, sf::Vector2i pointer, sf::Vector2i& out) {
    if (rect.width < 3 || rect.height < 3)
        return false;
    // Land one pixel inside the opposite edge, so the next frame does not wrap straight back.
    const int left = rect.left, right = rect.left + rect.width - 1;
    const int top = rect.top, bottom = rect.top + rect.height - 1;
    out = pointer;
    if (pointer.x < left)
        out.x = right - 1;
    else if (pointer.x > right)
        out.x = left + 1;
    if (pointer.y < top)
        out.y = bottom - 1;
    else if (pointer.y > bottom)
        out.y = top + 1;
    return out != pointer;
}

} // namespace rux
