#pragma once
// The main view's grid: line generation for a camera view, the fade that hides the fine
// lines when zooming out, and the drawable that shows both line sets.
#include "level/GpuBuffer.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/Graphics/View.hpp>

#include <cstdint>

namespace rux {

inline const sf::Color c_gridMinorColor{96, 96, 96, 255};
inline const sf::Color c_gridMajorColor{192, 160, 160, 255};
inline const sf::Color c_gridAxisXColor{0, 255, 0, 255}; // the vertical line x = 0
inline const sf::Color c_gridAxisYColor{255, 0, 0, 255}; // the horizontal line y = 0

// No grid from this zoom on; the fine lines go from c_gridFineZoom on.
inline constexpr float c_gridMaxZoom = 10.f;
inline constexpr float c_gridFineZoom = 1.5f;
// A view that would need more lines than this on one axis gets no grid at all.
inline constexpr std::int64_t c_gridMaxLines = 100000;

struct GridLines {
    sf::VertexArray minor{sf::Lines};
    sf::VertexArray major{sf::Lines}; // major lines and the two axes
};

// Fills `out` with the lines of grid cell `cell` (each component raised to at least 1) over
// the camera's visible rectangle: every cell.x a vertical line, major where x is a multiple of
// cell.x², green at x = 0; likewise horizontal lines with cell.y, red at y = 0. A view that is
// not finite, lies beyond ±1e12 or needs more than c_gridMaxLines lines on an axis leaves
// `out` empty and returns false.
bool BuildGridLines(const sf::View& view, sf::Vector2i cell, GridLines& out);

// The fine lines disappear in a circle growing from the pointer while they fade out, once the
// zoom reaches c_gridFineZoom, and come back in reverse.
struct GridFade {
    static constexpr float c_duration = 0.5f; // seconds

    float time = 0.f;          // seconds into the fade, 0..c_duration
    float previousZoom = 1.f;

    struct Step {
        bool crossedUp = false; // the zoom went from below the threshold to at or above it
        bool changed = false;   // `time` changed: the uniforms need refreshing
    };
    Step Update(float zoom, float dt);
    bool running() const { return time < c_duration; }
    // Radius of the hole in pixels and the lines' remaining opacity.
    float radius() const { return (time / c_duration) * (time / c_duration) * 1000.f; }
    float alpha() const { return time / c_duration; }
};

class TileMapLines : public sf::Drawable {
public:
    // Compiles the fade shader when shaders are available.
    void Start();
    // True when the grid must be built again for `view`: the zoom allows a grid and the view
    // differs from the one it was built for, or a rebuild was asked for.
    bool NeedsRebuild(const sf::View& view, float zoom) const;
    // Builds the lines for `view` and uploads them to the vertex buffers.
    void Rebuild(const sf::View& view, sf::Vector2i cell);
    // Sets the fade uniforms: the pointer and the image height in pixels.
    void SetFadeUniforms(sf::Vector2f pointerPixels, float imageHeight, bool setCenter);

    bool shadersAvailable() const { return shaderReady; }

    GridLines lines;
    GridFade fade;
    bool rebuild = true;
    bool visible = true;     // the grid switch, undoable UI toggle 0
    float zoom = 1.f;
    bool animate = true;     // the animateGrid setting
    std::int64_t builtLines = 0;

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

private:
    void drawSet(sf::RenderTarget& target, const sf::VertexArray& set, const GpuBuffer& buffer,
                 const sf::RenderStates& states) const;

    GpuBuffer minorBuffer{sf::Lines, sf::VertexBuffer::Dynamic};
    GpuBuffer majorBuffer{sf::Lines, sf::VertexBuffer::Dynamic};
    sf::Shader shader;
    bool shaderReady = false;
    sf::Vector2f builtCenter, builtSize;
    bool built = false;
};

} // namespace rux
