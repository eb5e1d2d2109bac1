#include "app/TileMapLines.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>
#include <utility>

namespace rux {

namespace {
constexpr double c_gridMaxCoordinate = 1e12;

// Floor division: the grid starts on the multiple of the cell at or left of the edge.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

struct Span {
    std::int64_t low, high;
};

bool visibleSpan(float center, float size, Span& span) {
    const double a = static_cast<double>(center) - static_cast<double>(size) / 2.0;
    const double b = static_cast<double>(center) + static_cast<double>(size) / 2.0;
    if (!std::isfinite(a) || !std::isfinite(b))
        return false;
    const double low = std::min(a, b), high = std::max(a, b);
    if (low < -c_gridMaxCoordinate || high > c_gridMaxCoordinate)
        return false;
    span = {static_cast<std::int64_t>(std::floor(low)), static_cast<std::int64_t>(std::ceil(high))};
    return true;
}

// Calls line(position, colour, major) for every grid line across `span`.
template <class F> void forEachLine(const Span& span, std::int64_t cell, const sf::Color& axis, F line) {
    const std::int64_t majorEvery = cell * cell;
    const std::int64_t end = cell * (floorDiv(span.high, cell) + 1);
    for (std::int64_t v = floorDiv(span.low, cell) * cell; v < end; v += cell) {
        if (v == 0)
            line(v, axis, true);
        else if (v % majorEvery == 0)
            line(v, c_gridMajorColor, true);
        else
            line(v, c_gridMinorColor, false);
    }
}

std::int64_t lineCount(const Span& span, std::int64_t cell) {
    return (floorDiv(span.high, cell) + 1) - floorDiv(span.low, cell);
}

const char* const c_fadeShader =
    "#version 110\nuniform float time;uniform vec2 center;uniform float sizeY;uniform float globalAlpha;void "
    "main(){vec2 dist = gl_FragCoord.xy - vec2(center.x, sizeY - center.y);if (dist.x * dist.x + dist.y * dist.y "
    "< time * time)discard;float opacity = 1.0;if (dist.x * dist.x + dist.y * dist.y - time * time < time * "
    "time)opacity = ((dist.x * dist.x + dist.y * dist.y) - time * time) / (time * time);gl_FragColor = "
    "vec4(gl_Color.rgb, min(opacity, 1.0 - globalAlpha));}";
} // namespace

bool BuildGridLines(const sf::View& view, sf::Vector2i cell, GridLines& out) {
    out.minor.clear();
    out.major.clear();
    const std::int64_t gx = std::max(1, cell.x), gy = std::max(1, cell.y);
    Span xs{}, ys{};
    if (!visibleSpan(view.getCenter().x, view.getSize().x, xs) ||
        !visibleSpan(view.getCenter().y, view.getSize().y, ys))
        return false;
    if (lineCount(xs, gx) > c_gridMaxLines || lineCount(ys, gy) > c_gridMaxLines)
        return false;

    const float top = static_cast<float>(ys.low), bottom = static_cast<float>(ys.high);
    const float left = static_cast<float>(xs.low), right = static_cast<float>(xs.high);
    forEachLine(xs, gx, c_gridAxisXColor, [&](std::int64_t x, const sf::Color& colour, bool major) {
        sf::VertexArray& set = major ? out.major : out.minor;
        const float fx = static_cast<float>(x);
        set.append({{fx, top}, colour});
        set.append({{fx, bottom}, colour});
    });
    forEachLine(ys, gy, c_gridAxisYColor, [&](std::int64_t y, const sf::Color& colour, bool major) {
        sf::VertexArray& set = major ? out.major : out.minor;
        const float fy = static_cast<float>(y);
        set.append({{left, fy}, colour});
        set.append({{right, fy}, colour});
    });
    return true;
}

GridFade::Step GridFade::Update(float zoom, float dt) {
    Step step;
    step.crossedUp = previousZoom < c_gridFineZoom && zoom >= c_gridFineZoom;
    const float before = time;
    if (zoom >= c_gridFineZoom && time < c_duration)
        time = std::min(time + dt, c_duration);
    else if (zoom < c_gridFineZoom && time > 0.f)
        time = std::max(time - dt, 0.f);
    step.changed = time != before;
    previousZoom = zoom;
    return step;
}

void TileMapLines::Start() {
    shaderReady = sf::Shader::isAvailable() && shader.loadFromMemory(c_fadeShader, sf::Shader::Fragment);
}

bool TileMapLines::NeedsRebuild(const sf::View& view, float currentZoom) const {
    if (!(currentZoom <= c_gridMaxZoom))
        return false;
    return rebuild || !built || view.getCenter() != builtCenter || view.getSize() != builtSize;
}

void TileMapLines::Rebuild(const sf::View& view, sf::Vector2i cell) {
    BuildGridLines(view, cell, lines);
    builtLines = static_cast<std::int64_t>(lines.minor.getVertexCount() + lines.major.getVertexCount()) / 2;
    if (sf::VertexBuffer::isAvailable()) {
        for (auto [set, buffer] : {std::pair{&lines.minor, &minorBuffer}, std::pair{&lines.major, &majorBuffer}}) {
            if (set->getVertexCount() == 0)
                buffer->clear();
            else
                buffer->upload(&(*set)[0], set->getVertexCount());
        }
    }
    builtCenter = view.getCenter();
    builtSize = view.getSize();
    built = true;
    rebuild = false;
}

void TileMapLines::SetFadeUniforms(sf::Vector2f pointerPixels, float imageHeight, bool setCenter) {
    if (!shaderReady)
        return;
    if (setCenter)
        shader.setUniform("center", pointerPixels);
    shader.setUniform("sizeY", imageHeight);
    shader.setUniform("time", fade.radius());
    shader.setUniform("globalAlpha", fade.alpha());
}

void TileMapLines::drawSet(sf::RenderTarget& target, const sf::VertexArray& set, const GpuBuffer& buffer,
                           const sf::RenderStates& states) const {
    if (set.getVertexCount() == 0)
        return;
    if (!buffer.draw(target, set.getVertexCount(), states))
        target.draw(set, states);
}

void TileMapLines::draw(sf::RenderTarget& target, sf::RenderStates states) const {
    if (!visible || !(zoom < c_gridMaxZoom))
        return;
    const bool fading = animate && shaderReady;
    if (zoom < c_gridFineZoom || (fading && fade.running())) {
        sf::RenderStates fine = states;
        if (fading)
            fine.shader = &shader;
        drawSet(target, lines.minor, minorBuffer, fine);
    }
    drawSet(target, lines.major, majorBuffer, states);
}

} // namespace rux
