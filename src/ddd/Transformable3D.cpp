#include "ddd/Transformable3D.hpp"

namespace DDD
{
    void Transformable3D::setPosition(const sf::Vector3f& position)
    {
        m_position = position;
        m_dirty = true;
    }

    void Transformable3D::setRotation(const sf::Vector3f& degrees)
    {
        m_rotation = degrees;
        m_dirty = true;
    }

    void Transformable3D::setScale(const sf::Vector3f& scale)
    {
        m_scale = scale;
        m_dirty = true;
    }

    void Transformable3D::setOrigin(const sf::Vector3f& origin)
    {
        m_origin = origin;
        m_dirty = true;
    }

    void Transformable3D::scale(const sf::Vector3f& f)
    {
        setScale({m_scale.x * f.x, m_scale.y * f.y, m_scale.z * f.z});
    }

    const Transform3D& Transformable3D::getTransform() const
    {
        if (m_dirty)
        {
            m_transform = Transform3D();
            m_transform.translate(m_position).rotate(m_rotation).scale(m_scale).translate(-m_origin);
            m_dirty = false;
        }
        return m_transform;
    }
}
