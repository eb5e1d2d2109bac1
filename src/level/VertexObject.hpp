#pragma once
// Object kind 9: a user-editable vertex array, optionally drawn from a GPU buffer.
#include "level/GpuBuffer.hpp"
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <cstdint>

namespace sf { class Texture; }

namespace rux {

class VertexObject : public sf::Transformable, public sf::Drawable {
public:
    VertexObject();
    ~VertexObject() override = default;

    // Primitive for a stored code: 0..5 as the graphics library numbers them; any other code
    // draws as triangles.
    static sf::PrimitiveType PrimitiveFor(std::int32_t code);
    // Sets the primitive of the array and the buffer and remembers the code for saving.
    void setPrimitiveCode(std::int32_t code);
    // The code to store: the remembered one while it still matches the array's primitive.
    std::int32_t getPrimitiveCode() const;

    void Update();
    void generateSelectIcons();
    void addSelectIcon(int i);
    void updateSelectIcon(int i);
    void selectSelectIcon(int i, bool selected);

    sf::VertexArray vertices;
    GpuBuffer buffer;
    bool useGpuBuffer = false;
    const sf::Texture* texture = nullptr;
    sf::VertexArray selectIcons;

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

private:
    void placeIcon(std::size_t first, sf::Vector2f p);
    std::int32_t m_primitiveCode = 0;
};

} // namespace rux
