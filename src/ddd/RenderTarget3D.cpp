#include "ddd/GL.hpp"
#include "ddd/RenderTarget3D.hpp"

#include "ddd/Shader3D.hpp"
#include "ddd/Texture3D.hpp"

#include <SFML/System/Err.hpp>

#include <ostream>

namespace DDD
{
    namespace
    {
        GLenum Factor(sf::BlendMode::Factor f)
        {
            switch (f)
            {
            case sf::BlendMode::Zero: return GL_ZERO;
            case sf::BlendMode::One: return GL_ONE;
            case sf::BlendMode::SrcColor: return GL_SRC_COLOR;
            case sf::BlendMode::OneMinusSrcColor: return GL_ONE_MINUS_SRC_COLOR;
            case sf::BlendMode::DstColor: return GL_DST_COLOR;
            case sf::BlendMode::OneMinusDstColor: return GL_ONE_MINUS_DST_COLOR;
            case sf::BlendMode::SrcAlpha: return GL_SRC_ALPHA;
            case sf::BlendMode::OneMinusSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
            case sf::BlendMode::DstAlpha: return GL_DST_ALPHA;
            case sf::BlendMode::OneMinusDstAlpha: return GL_ONE_MINUS_DST_ALPHA;
            }
            return GL_ONE;
        }

        GLenum Equation(sf::BlendMode::Equation e)
        {
            switch (e)
            {
            case sf::BlendMode::Add: return GL_FUNC_ADD;
            case sf::BlendMode::Subtract: return GL_FUNC_SUBTRACT;
            case sf::BlendMode::ReverseSubtract: return GL_FUNC_REVERSE_SUBTRACT;
            }
            return GL_FUNC_ADD;
        }

        GLenum Primitive(sf::PrimitiveType type)
        {
            switch (type)
            {
            case sf::Points: return GL_POINTS;
            case sf::Lines: return GL_LINES;
            case sf::LineStrip: return GL_LINE_STRIP;
            case sf::Triangles: return GL_TRIANGLES;
            case sf::TriangleStrip: return GL_TRIANGLE_STRIP;
            case sf::TriangleFan: return GL_TRIANGLE_FAN;
            default: return GL_TRIANGLES;
            }
        }
    }

    void RenderTarget3D::initialize(sf::Vector2u size)
    {
        Transform3D perspective;
        perspective.Perspective(75.f, size.y ? float(size.x) / float(size.y) : 1.f, 0.01f, 1000000.f);
        Projection3D projection(perspective);
        projection.setViewport({0, 0, int(size.x), int(size.y)});
        m_projection = projection;
        m_view = Transform3D();
    }

    void RenderTarget3D::clear(const ColorF& color)
    {
        activate();
        glClearColor(color.r, color.g, color.b, color.a);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    void RenderTarget3D::drawBuffer(unsigned buffer, const std::vector<std::uint8_t>& attributes, std::size_t stride,
                                    unsigned count, sf::PrimitiveType type, const RenderStates3D& states)
    {
        // The default programs of a fuller wrapper are not needed: every caller brings its own.
        if (!states.shader)
        {
            sf::err() << "Nothing drawn: no shader program given." << std::endl;
            return;
        }
        activate();
        const sf::IntRect& viewport = m_projection.getViewport();
        glViewport(viewport.left, viewport.top, viewport.width, viewport.height);

        const sf::BlendMode& blend = states.blendMode;
        glEnable(GL_BLEND);
        glBlendFuncSeparate(Factor(blend.colorSrcFactor), Factor(blend.colorDstFactor), Factor(blend.alphaSrcFactor),
                            Factor(blend.alphaDstFactor));
        glBlendEquationSeparate(Equation(blend.colorEquation), Equation(blend.alphaEquation));

        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);

        Shader3D& shader = *states.shader;
        BindShader(&shader);
        shader.setUniform("sf_model", states.transform);
        shader.setUniform("sf_view", m_view);
        shader.setUniform("sf_proj", m_projection.getTransform());
        shader.setUniform("sf_texture", Transform3D());
        TextureSlot(0);
        BindTexture(states.texture);
        if (states.texture)
            shader.setUniform("sf_samplers[0]", 0);

        for (std::size_t i = 0; i < attributes.size(); ++i)
        {
            glEnableVertexAttribArray(attributes[i]);
            glVertexAttribPointer(attributes[i], 2, GL_FLOAT, GL_FALSE, static_cast<GLsizei>(stride),
                                  reinterpret_cast<const void*>(i * 2 * sizeof(float)));
        }
        glDrawArrays(Primitive(type), 0, static_cast<GLsizei>(count));
        for (std::uint8_t location : attributes)
            glDisableVertexAttribArray(location);
    }
}
