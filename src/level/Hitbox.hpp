#pragma once
// Line segments attached to an object, in the object's local coordinates.
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/System/Vector2.hpp>
#include <vector>

namespace rux {

class Hitbox : public sf::Drawable {
public:
    struct HitLine {
        sf::Vector2f start;
        sf::Vector2f end;
    };
    ~Hitbox() override = default;

    std::vector<HitLine> lines;

protected:
    // Cyan lines; the caller puts the owning object's transform into `states`.
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
};

} // namespace rux
