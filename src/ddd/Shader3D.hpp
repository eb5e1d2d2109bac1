#pragma once

#include "ddd/ColorF.hpp"
#include "ddd/Transform3D.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/System/Vector3.hpp>

#include <string>
#include <unordered_map>

namespace DDD
{
    // A GLSL program built one stage at a time. Uniform setters need the program bound.
    class Shader3D
    {
    public:
        enum Type { Vertex, Fragment };

        Shader3D() = default;
        ~Shader3D();
        Shader3D(const Shader3D&) = delete;
        Shader3D& operator=(const Shader3D&) = delete;

        // Compiles one stage and links it into the program. On failure writes the driver's log
        // and a one-line message to sf::err() and returns false; the program is then unusable.
        bool loadFromMemory(const std::string& source, Type type);

        void setUniform(const std::string& name, int value);
        void setUniform(const std::string& name, float value);
        void setUniform(const std::string& name, const sf::Vector2f& value);
        void setUniform(const std::string& name, const sf::Vector2i& value);
        void setUniform(const std::string& name, const sf::Vector3f& value);
        void setUniform(const std::string& name, const sf::Vector3i& value);
        void setUniform(const std::string& name, const sf::Color& value);
        void setUniform(const std::string& name, const ColorF& value);
        void setUniform(const std::string& name, const Transform3D& value);

        unsigned getHandle() const { return m_program; }
        bool isUsable() const { return m_program != 0 && m_usable; }

    private:
        int location(const std::string& name);

        unsigned m_program = 0;
        bool m_usable = true;
        std::unordered_map<std::string, int> m_locations;
    };

    // Uses the program, or none.
    void BindShader(const Shader3D* shader);
}
