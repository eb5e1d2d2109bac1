#pragma once

#include <SFML/System/Vector2.hpp>

#include <array>
#include <string>
#include <string_view>

// The generator's shared tables: the unit quad and the shader sources. One read-only instance
// per process; every job (Tesslify::RUXtyu) builds its own GL objects from them.
class Tesslify
{
public:
    class RUXtyu;

    // The GLSL version line every generator shader starts with.
    static constexpr std::string_view c_version = "#version 420";

    static const Tesslify& Get();

    // The corners of the unit quad in drawing order: two triangles.
    const std::array<sf::Vector2f, 6>& quad() const { return m_quad; }
    const std::string& renderingVertexSource() const { return m_renderingVertex; }
    const std::string& renderingFragmentSource() const { return m_renderingFragment; }

    // Shared by the colour-sampling and the evaluation programs.
    static std::string SamplingVertexSource();
    static std::string SamplingFragmentSource();
    // Holds one colour uniform per candidate.
    static std::string EvaluationFragmentSource(int evolutionCount);

private:
    Tesslify();

    std::array<sf::Vector2f, 6> m_quad;
    std::string m_renderingVertex;
    std::string m_renderingFragment;
};
