#pragma once

#include "ddd/Transform3D.hpp"

namespace DDD
{
    // Position, rotation (degrees about x, y, z), scale and origin, combined on demand.
    class Transformable3D
    {
    public:
        void setPosition(const sf::Vector3f& position);
        void setRotation(const sf::Vector3f& degrees);
        void setScale(const sf::Vector3f& scale);
        void setOrigin(const sf::Vector3f& origin);
        // Multiplies the scale component-wise.
        void scale(const sf::Vector3f& factors);

        const sf::Vector3f& getPosition() const { return m_position; }
        const sf::Vector3f& getRotation() const { return m_rotation; }
        const sf::Vector3f& getScale() const { return m_scale; }
        const sf::Vector3f& getOrigin() const { return m_origin; }

        // translate(position) x rotate(rotation) x scale(scale) x translate(-origin)
        const Transform3D& getTransform() const;

    private:
        sf::Vector3f m_position{0.f, 0.f, 0.f};
        sf::Vector3f m_rotation{0.f, 0.f, 0.f};
        sf::Vector3f m_scale{1.f, 1.f, 1.f};
        sf::Vector3f m_origin{0.f, 0.f, 0.f};
        mutable Transform3D m_transform;
        mutable bool m_dirty = true;
    };
}
