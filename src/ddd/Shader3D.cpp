#include "ddd/GL.hpp"
#include "ddd/Shader3D.hpp"

#include <SFML/System/Err.hpp>

#include <algorithm>
#include <ostream>
#include <vector>

namespace DDD
{
    namespace
    {
        std::string ShaderLog(GLuint shader)
        {
            GLint length = 0;
            glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
            std::vector<char> log(std::max(length, 1));
            glGetShaderInfoLog(shader, length, nullptr, log.data());
            return log.data();
        }

        std::string ProgramLog(GLuint program)
        {
            GLint length = 0;
            glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
            std::vector<char> log(std::max(length, 1));
            glGetProgramInfoLog(program, length, nullptr, log.data());
            return log.data();
        }
    }

    Shader3D::~Shader3D()
    {
        if (m_program)
            glDeleteProgram(m_program);
    }

    bool Shader3D::loadFromMemory(const std::string& source, Type type)
    {
        if (!m_program)
            m_program = glCreateProgram();
        const GLuint shader = glCreateShader(type == Vertex ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
        const char* text = source.c_str();
        glShaderSource(shader, 1, &text, nullptr);
        glCompileShader(shader);

        GLint ok = GL_FALSE;
        glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
        if (ok != GL_TRUE)
        {
            sf::err() << ShaderLog(shader) << "Failed to compile shader!" << std::endl;
            glDeleteShader(shader);
            m_usable = false;
            return false;
        }
        glAttachShader(m_program, shader);
        glLinkProgram(m_program);
        glDeleteShader(shader);
        m_locations.clear();

        glGetProgramiv(m_program, GL_LINK_STATUS, &ok);
        if (ok != GL_TRUE)
        {
            sf::err() << ProgramLog(m_program) << "Failed to link shader!" << std::endl;
            m_usable = false;
            return false;
        }
        // Validation judges the program against the current state, which the caller has
        // not finished setting up yet; a failure is worth a message but not a stop.
        glValidateProgram(m_program);
        glGetProgramiv(m_program, GL_VALIDATE_STATUS, &ok);
        if (ok != GL_TRUE)
            sf::err() << ProgramLog(m_program) << "Failed to validate program!" << std::endl;
        return true;
    }

    int Shader3D::location(const std::string& name)
    {
        const auto found = m_locations.find(name);
        if (found != m_locations.end())
            return found->second;
        const int loc = glGetUniformLocation(m_program, name.c_str());
        m_locations.emplace(name, loc);
        return loc;
    }

    void Shader3D::setUniform(const std::string& name, int v) { glUniform1i(location(name), v); }
    void Shader3D::setUniform(const std::string& name, float v) { glUniform1f(location(name), v); }
    void Shader3D::setUniform(const std::string& name, const sf::Vector2f& v) { glUniform2f(location(name), v.x, v.y); }
    void Shader3D::setUniform(const std::string& name, const sf::Vector2i& v) { glUniform2i(location(name), v.x, v.y); }
    void Shader3D::setUniform(const std::string& name, const sf::Vector3f& v)
    {
        glUniform3f(location(name), v.x, v.y, v.z);
    }
    void Shader3D::setUniform(const std::string& name, const sf::Vector3i& v)
    {
        glUniform3i(location(name), v.x, v.y, v.z);
    }
    void Shader3D::setUniform(const std::string& name, const sf::Color& v) { setUniform(name, ColorF(v)); }
    void Shader3D::setUniform(const std::string& name, const ColorF& v)
    {
        glUniform4f(location(name), v.r, v.g, v.b, v.a);
    }
    void Shader3D::setUniform(const std::string& name, const Transform3D& v)
    {
        glUniformMatrix4fv(location(name), 1, GL_TRUE, v.getMatrix());
    }

    void BindShader(const Shader3D* shader) { glUseProgram(shader ? shader->getHandle() : 0); }
}
