#include "ddd/Transform3D.hpp"

#include <cmath>
#include <numbers>

namespace DDD
{
    namespace
    {
        float Radians(float degrees) { return degrees * std::numbers::pi_v<float> / 180.f; }
    }

    Transform3D::Transform3D() : m_matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1} {}

    Transform3D& Transform3D::Ortho(float left, float right, float top, float bottom, float near, float far)
    {
        m_matrix = {2.f / (right - left), 0, 0, -(right + left) / (right - left),
                    0, 2.f / (top - bottom), 0, -(top + bottom) / (top - bottom),
                    0, 0, -2.f / (far - near), -(far + near) / (far - near),
                    0, 0, 0, 1};
        return *this;
    }

    Transform3D& Transform3D::Perspective(float fov, float aspect, float near, float far)
    {
        const float f = 1.f / std::tan(Radians(fov) / 2.f);
        m_matrix = {f / aspect, 0, 0, 0,
                    0, f, 0, 0,
                    0, 0, (far + near) / (near - far), 2.f * far * near / (near - far),
                    0, 0, -1, 0};
        return *this;
    }

    Transform3D& Transform3D::translate(const sf::Vector3f& o)
    {
        Transform3D t;
        t.m_matrix = {1, 0, 0, o.x, 0, 1, 0, o.y, 0, 0, 1, o.z, 0, 0, 0, 1};
        return combine(t);
    }

    Transform3D& Transform3D::rotate(const sf::Vector3f& degrees)
    {
        if (degrees.x != 0.f)
        {
            const float c = std::cos(Radians(degrees.x)), s = std::sin(Radians(degrees.x));
            Transform3D t;
            t.m_matrix = {1, 0, 0, 0, 0, c, -s, 0, 0, s, c, 0, 0, 0, 0, 1};
            combine(t);
        }
        if (degrees.y != 0.f)
        {
            const float c = std::cos(Radians(degrees.y)), s = std::sin(Radians(degrees.y));
            Transform3D t;
            t.m_matrix = {c, 0, s, 0, 0, 1, 0, 0, -s, 0, c, 0, 0, 0, 0, 1};
            combine(t);
        }
        if (degrees.z != 0.f)
        {
            const float c = std::cos(Radians(degrees.z)), s = std::sin(Radians(degrees.z));
            Transform3D t;
            t.m_matrix = {c, -s, 0, 0, s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
            combine(t);
        }
        return *this;
    }

    Transform3D& Transform3D::scale(const sf::Vector3f& f)
    {
        Transform3D t;
        t.m_matrix = {f.x, 0, 0, 0, 0, f.y, 0, 0, 0, 0, f.z, 0, 0, 0, 0, 1};
        return combine(t);
    }

    Transform3D& Transform3D::combine(const Transform3D& other)
    {
        std::array<float, 16> product{};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                for (int k = 0; k < 4; ++k)
                    product[r * 4 + c] += m_matrix[r * 4 + k] * other.m_matrix[k * 4 + c];
        m_matrix = product;
        return *this;
    }

    sf::Vector3f Transform3D::transformPoint(const sf::Vector3f& p) const
    {
        const auto& m = m_matrix;
        return {m[0] * p.x + m[1] * p.y + m[2] * p.z + m[3],
                m[4] * p.x + m[5] * p.y + m[6] * p.z + m[7],
                m[8] * p.x + m[9] * p.y + m[10] * p.z + m[11]};
    }
}
