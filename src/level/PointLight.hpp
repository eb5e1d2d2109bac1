#pragma once
// Object kind 11: a radial light gradient drawn as one textured quad.
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <array>
#include <cstdint>
#include <map>

namespace rux {

// A light resolution as a power of two in 1..min(maximum texture size, 4096): the largest
// power of two not above `requested` (0 gives 1).
std::uint16_t ClampLightResolution(unsigned requested);

class PointLight : public sf::Transformable, public sf::Drawable {
public:
    ~PointLight() override = default;

    // Gradient textures by resolution, shared by all point lights, kept until exit.
    static std::map<std::uint16_t, sf::Texture>& LightTextures();
    static const sf::Texture& getLightTexture(std::uint16_t resolution);

    std::array<sf::Vector2f, 4> corners{{{-1.f, -1.f}, {1.f, -1.f}, {1.f, 1.f}, {-1.f, 1.f}}};
    float intensity = 0.6f;
    sf::Color color = sf::Color::White;
    std::uint16_t resolution = 512;
    float radius = 50.f;

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
};

} // namespace rux
