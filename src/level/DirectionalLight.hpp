#pragma once
// Object kind 12: a linear light gradient along +x, drawn as one textured quad.
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <array>
#include <cstdint>
#include <map>

namespace rux {

class DirectionalLight : public sf::Transformable, public sf::Drawable {
public:
    ~DirectionalLight() override = default;

    static std::map<std::uint16_t, sf::Texture>& LightTextures();
    static const sf::Texture& getLightTexture(std::uint16_t resolution);

    std::array<sf::Vector2f, 4> corners{{{0.f, -0.5f}, {1.f, -0.5f}, {1.f, 0.5f}, {0.f, 0.5f}}};
    float intensity = 0.6f;
    sf::Color color = sf::Color::White;
    std::uint16_t resolution = 512;
    sf::Vector2f size{50.f, 50.f};

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
};

} // namespace rux
