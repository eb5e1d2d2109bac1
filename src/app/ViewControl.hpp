#pragma once
// The arithmetic of the main view's camera: mapping the pointer into the world, zoom steps
// with their animation, and panning. Free of any window so that it can be checked alone.
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/System/Vector2.hpp>

namespace rux {

// The pointer (window pixels) in world coordinates of `view`, as if the view's area were
// stretched over `rect`. View rotation is ignored. An axis of `rect` without extent maps to
// the view's centre on that axis.
sf::Vector2f getSFMLViewMousePos(const sf::FloatRect& rect, const sf::View& view, sf::Vector2i pointer);
// The same for the pointer position InputEvent holds now.
sf::Vector2f getSFMLViewMousePos(const sf::FloatRect& rect, const sf::View& view);

// The centre and size of a camera, as the zoom animation interpolates them.
struct CameraState {
    sf::Vector2f center;
    sf::Vector2f size;

    static CameraState Of(const sf::View& view) { return {view.getCenter(), view.getSize()}; }
    void applyTo(sf::View& view) const {
        view.setCenter(center);
        view.setSize(size);
    }
};

inline constexpr float c_zoomMin = 0.005f;    // zooming in stops once zoom is not above this
inline constexpr float c_zoomMax = 8.f;       // zooming out stops here unless overridden
inline constexpr float c_zoomInFactor = 0.7692308f;
inline constexpr float c_zoomOutFactor = 1.3f;

// One zoom step of the camera shown in `viewRect` (window pixels). The camera's size becomes
// viewRect size × the new zoom; with towardPointer the world point under `pointer` stays
// under it. Returns false and changes nothing when a limit forbids the step: zoom in at or
// below c_zoomMin, zoom out at or above c_zoomMax without overrideMaxZoom, or a step whose
// zoom or camera would no longer be finite.
bool ZoomStep(bool in, float& zoom, sf::View& camera, const sf::FloatRect& viewRect, sf::Vector2i pointer,
              bool towardPointer, bool overrideMaxZoom);

// The 0.1 s glide between two camera states after a zoom step. SFML clocks cannot be
// stopped, so `running` says whether the clock means anything.
class ZoomAnimation {
public:
    void Begin(const CameraState& from, const CameraState& to);
    // The camera state `seconds` after the start (start + (target − start) × t^0.8 with
    // t = seconds × 10), or the target once the animation is over or animate is false; the
    // animation stops then. Leaves `camera` alone while not running.
    void Apply(float seconds, bool animate, sf::View& camera);
    void Apply(bool animate, sf::View& camera) { Apply(clock.getElapsedTime().asSeconds(), animate, camera); }
    // A pan during the glide moves both ends, so that it is not undone by the next frame.
    void Shift(sf::Vector2f offset);
    bool isRunning() const { return running; }
    const CameraState& target() const { return to; }

private:
    sf::Clock clock;
    bool running = false;
    CameraState from, to;
};

// Camera offset that makes the world follow the pointer from `last` to `now`.
inline sf::Vector2f PanOffset(float zoom, sf::Vector2i last, sf::Vector2i now) {
    return {zoom * static_cast<float>(last.x - now.x), zoom * static_cast<float>(last.y - now.y)};
}

// Camera offset of one frame of touchpad scrolling (the wheels pan instead of zooming).
inline sf::Vector2f TouchpadOffset(float zoom, float wheelHorizontal, float wheelVertical) {
    return {-zoom * wheelHorizontal * 50.f, -zoom * wheelVertical * 50.f};
}

// Camera offset of the pan keys pressed this frame: A/Left −x, D/Right +x, W/Up −y, S/Down +y,
// 30 × zoom each.
struct PanKeys {
    bool left = false, right = false, up = false, down = false;
};
sf::Vector2f KeyPanOffset(float zoom, const PanKeys& keys);

// Keeps a panning pointer inside `rect` (window pixels): a pointer that left on one side is
// brought in at the opposite edge. Returns true and sets `out` when it must be warped.
bool WrapPointer(const sf::IntRect& rect, sf::Vector2i pointer, sf::Vector2i& out);

} // namespace rux
