#include "level/Collision.hpp"
#include <algorithm>
#include <cmath>
#include <limits>

namespace rux::Collision {
namespace {

// Half-open axis-aligned box spanned by two points.
bool InBox(sf::Vector2f a, sf::Vector2f b, sf::Vector2f p) {
    return std::min(a.x, b.x) <= p.x && p.x < std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y < std::max(a.y, b.y);
}

// A float truncated to an integer, kept in range (and 0 for NaN) so the conversion is defined.
double Trunc(float v) {
    if (!(v == v)) return 0.0;
    return std::trunc(std::clamp<double>(v, -2147483648.0, 2147483647.0));
}

} // namespace

bool TransformedRectangle_Point(const sf::Rect<float>& rect, const sf::Transform& transform,
                                const sf::Vector2<float>& point) {
    const sf::Vector2f c[4] = {
        transform.transformPoint(rect.left, rect.top),
        transform.transformPoint(rect.left + rect.width, rect.top),
        transform.transformPoint(rect.left + rect.width, rect.top + rect.height),
        transform.transformPoint(rect.left, rect.top + rect.height),
    };
    auto at = [&](int i) { return c[((i % 4) + 4) % 4]; };

    int m = 0;
    double v = Trunc(c[0].x);
    for (int i = 1; i < 4; ++i)
        if (c[i].x < v) {
            m = i;
            v = Trunc(c[i].x);
        }

    // Central box: between the x of the two neighbours of the leftmost corner and the y of
    // the leftmost corner and its opposite.
    {
        const sf::Vector2f a(at(m + 1).x, at(m).y), b(at(m + 3).x, at(m + 2).y);
        if (InBox(a, b, point)) return true;
    }
    bool inAnyEdge = false;
    for (int k = 0; k < 4; ++k) inAnyEdge = inAnyEdge || InBox(c[k], c[(k + 1) % 4], point);
    if (!inAnyEdge) return false;

    for (int k = 0; k < 4; ++k) {
        const sf::Vector2f A = at(m + k), B = at(m + k + 1);
        if (!InBox(A, B, point)) continue;
        const float dx = B.x - A.x, dy = B.y - A.y;
        const float px = point.x - A.x, py = point.y - A.y;
        const float yEdge = static_cast<float>(dy / std::abs(Trunc(dx)) * std::abs(Trunc(px)));
        const float xEdge = static_cast<float>(dx / std::abs(Trunc(dy)) * std::abs(Trunc(py)));
        switch (k) {
        case 0: if (yEdge < py && xEdge < px) return true; break;
        case 1: if (yEdge < py && px < xEdge) return true; break;
        case 2: if (py < yEdge && px < xEdge) return true; break;
        default: return py < yEdge && xEdge < px;
        }
    }
    return false;
}

} // namespace rux::Collision

