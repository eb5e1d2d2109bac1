// Point and directional lights share their drawing: a gradient texture and a triangle strip.
#include "level/Binary.hpp"
#include "level/Constants.hpp"
#include "level/DirectionalLight.hpp"
#include "level/Graphics.hpp"
#include "level/PointLight.hpp"
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <algorithm>
#include <cmath>

namespace rux {
namespace {

sf::Uint8 GradientAlpha(float f) {
    const float a = 255.f * (1.f - std::sqrt(f));
    return a > 0.f ? static_cast<sf::Uint8>(std::min(a, 255.f)) : 0;
}

void DrawQuad(sf::RenderTarget& target, sf::RenderStates states, const sf::Texture& tex,
              const std::array<sf::Vector2f, 4>& p, sf::Vector2f scale, sf::Vector2f texSize,
              sf::Color color, float intensity) {
    color.a = ColorByte(intensity);
    const sf::Vertex quad[4] = {
        {{p[0].x * scale.x, p[0].y * scale.y}, color, {0.f, 0.f}},
        {{p[1].x * scale.x, p[1].y * scale.y}, color, {texSize.x, 0.f}},
        {{p[3].x * scale.x, p[3].y * scale.y}, color, {0.f, texSize.y}},
        {{p[2].x * scale.x, p[2].y * scale.y}, color, {texSize.x, texSize.y}},
    };
    states.texture = &tex;
    target.draw(quad, 4, sf::TriangleStrip, states);
}

} // namespace

std::uint16_t ClampLightResolution(unsigned requested) {
    const unsigned limit = std::min(c_maxLightResolution, Graphics::maximumTextureSize());
    unsigned r = 1;
    while (r * 2 <= requested && r * 2 <= limit) r *= 2;
    return static_cast<std::uint16_t>(r);
}

std::map<std::uint16_t, sf::Texture>& PointLight::LightTextures() {
    static std::map<std::uint16_t, sf::Texture> textures;
    return textures;
}

const sf::Texture& PointLight::getLightTexture(std::uint16_t resolution) {
    auto& cache = LightTextures();
    auto it = cache.find(resolution);
    if (it != cache.end()) return it->second;
    sf::Image image;
    image.create(resolution, resolution, sf::Color::Transparent);
    const float c = resolution / 2.f;
    for (unsigned y = 0; y < resolution; ++y)
        for (unsigned x = 0; x < resolution; ++x) {
            const float dx = x + 0.5f - c, dy = y + 0.5f - c;
            image.setPixel(x, y, sf::Color(255, 255, 255, GradientAlpha(std::sqrt(dx * dx + dy * dy) / c)));
        }
    sf::Texture& tex = cache[resolution];
    tex.loadFromImage(image);
    return tex;
}

void PointLight::draw(sf::RenderTarget& target, sf::RenderStates states) const {
    states.transform *= getTransform();
    const std::uint16_t res = ClampLightResolution(resolution);
    DrawQuad(target, states, getLightTexture(res), corners, {radius, radius},
             {float(res), float(res)}, color, intensity);
}

std::map<std::uint16_t, sf::Texture>& DirectionalLight::LightTextures() {
    static std::map<std::uint16_t, sf::Texture> textures;
    return textures;
}

const sf::Texture& DirectionalLight::getLightTexture(std::uint16_t resolution) {
    auto& cache = LightTextures();
    auto it = cache.find(resolution);
    if (it != cache.end()) return it->second;
    sf::Image image;
    image.create(resolution, 1, sf::Color::Transparent);
    for (unsigned x = 0; x < resolution; ++x)
        image.setPixel(x, 0, sf::Color(255, 255, 255, GradientAlpha(float(x) / float(resolution))));
    sf::Texture& tex = cache[resolution];
    tex.loadFromImage(image);
    return tex;
}

void DirectionalLight::draw(sf::RenderTarget& target, sf::RenderStates states) const {
    states.transform *= getTransform();
    const std::uint16_t res = ClampLightResolution(resolution);
    DrawQuad(target, states, getLightTexture(res), corners, size, {float(res), 1.f}, color, intensity);
}

} // namespace rux
