#pragma once

#include "ddd/ColorF.hpp"
#include "ddd/Projection3D.hpp"
#include "ddd/RenderStates3D.hpp"
#include "ddd/VertexBuffer3D.hpp"

#include <SFML/Graphics/PrimitiveType.hpp>

#include <cstdint>
#include <vector>

namespace DDD
{
    class IndexBuffer3D;

    // Something to draw into with a projection and a view.
    class RenderTarget3D
    {
    public:
        virtual ~RenderTarget3D() = default;

        void setProjection3D(const Projection3D& projection) { m_projection = projection; }
        const Projection3D& getProjection3D() const { return m_projection; }
        const Transform3D& getView3D() const { return m_view; }

        void clear(const ColorF& color);

        // Draws `count` vertices from the start of the buffer. Only the non-indexed form
        // exists; a program must be given in the states.
        template <typename T>
        void draw(const VertexBuffer3D<T>* vertices, const IndexBuffer3D* indices, unsigned count,
                  sf::PrimitiveType type, const RenderStates3D& states)
        {
            if (vertices && !indices)
                drawBuffer(vertices->getHandle(), vertices->attributes(), sizeof(T), count, type, states);
        }

    protected:
        // Makes this target the one GL draws into.
        virtual void activate() = 0;
        void initialize(sf::Vector2u size);

    private:
        void drawBuffer(unsigned buffer, const std::vector<std::uint8_t>& attributes, std::size_t stride,
                        unsigned count, sf::PrimitiveType type, const RenderStates3D& states);

        Projection3D m_projection;
        Transform3D m_view;
    };
}
