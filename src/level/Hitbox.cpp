#include "level/Hitbox.hpp"
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/VertexArray.hpp>

namespace rux {

void Hitbox::draw(sf::RenderTarget& target, sf::RenderStates states) const {
    if (lines.empty()) return;
    sf::VertexArray strokes(sf::Lines, lines.size() * 2);
    const sf::Color cyan(0, 255, 255, 255);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        strokes[2 * i] = sf::Vertex(lines[i].start, cyan);
        strokes[2 * i + 1] = sf::Vertex(lines[i].end, cyan);
    }
    target.draw(strokes, states);
}

} // namespace rux
