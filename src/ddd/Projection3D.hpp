#pragma once

#include "ddd/Transform3D.hpp"

#include <SFML/Graphics/Rect.hpp>

namespace DDD
{
    class Projection3D
    {
    public:
        Projection3D() = default;
        explicit Projection3D(const Transform3D& transform) : m_transform(transform) {}

        void setViewport(const sf::IntRect& viewport) { m_viewport = viewport; }
        const sf::IntRect& getViewport() const { return m_viewport; }
        const Transform3D& getTransform() const { return m_transform; }
        float getFieldOfView() const { return m_fov; }
        float getNear() const { return m_near; }
        float getFar() const { return m_far; }

    private:
        Transform3D m_transform;
        float m_fov = 90.f;
        float m_near = 0.1f;
        float m_far = 1000.f;
        sf::IntRect m_viewport;
    };
}
