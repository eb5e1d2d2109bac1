#pragma once

#include <SFML/System/Vector3.hpp>

#include <array>

namespace DDD
{
    // A 4 x 4 matrix stored row by row; the translation is the last column.
    class Transform3D
    {
    public:
        Transform3D();

        // Replaces the matrix by an orthographic projection. With top 0 and bottom = height,
        // y grows downward as in an image.
        Transform3D& Ortho(float left, float right, float top, float bottom, float near, float far);
        // Replaces the matrix by a perspective projection (field of view in degrees).
        Transform3D& Perspective(float fov, float aspect, float near, float far);

        // Each multiplies this matrix by the operation on the right (this x op).
        Transform3D& translate(const sf::Vector3f& offset);
        Transform3D& rotate(const sf::Vector3f& degrees);   // about x, then y, then z
        Transform3D& scale(const sf::Vector3f& factors);
        Transform3D& combine(const Transform3D& other);

        sf::Vector3f transformPoint(const sf::Vector3f& point) const;

        const float* getMatrix() const { return m_matrix.data(); }
        float operator()(int row, int column) const { return m_matrix[row * 4 + column]; }

    private:
        std::array<float, 16> m_matrix;
    };
}
