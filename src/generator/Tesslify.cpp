#include "generator/Tesslify.hpp"

namespace
{
    std::string Header() { return std::string(Tesslify::c_version) + "\n"; }

    // Per-corner shape-texture coordinates without a vertex attribute for them.
    const char* const c_points =
        "const vec2 points[6] = vec2[6](vec2(0.0, 0.0), vec2(1.0, 0.0), vec2(1.0, 1.0),\n"
        "                               vec2(1.0, 1.0), vec2(0.0, 1.0), vec2(0.0, 0.0));\n";

    const char* const c_transform =
        "uniform mat4 sf_proj;\n"
        "uniform mat4 sf_model;\n";

    const char* const c_counterOutputs =
        "precision mediump float;\n"
        "layout(location = 0) out vec4 color;\n"
        "layout(r32i, binding = 0) coherent uniform iimage1D mainImage;\n"
        "in vec2 v_tex;\n"
        "in vec2 v_texA;\n"
        "flat in int v_targetObject;\n";
}

const Tesslify& Tesslify::Get()
{
    static const Tesslify instance;
    return instance;
}

Tesslify::Tesslify()
    : m_quad{{{0, 0}, {1, 0}, {1, 1}, {1, 1}, {0, 1}, {0, 0}}}
{
    m_renderingVertex = Header() +
                        "layout(location = 0) in vec2 position;\n"
                        "out vec2 v_texA;\n" +
                        c_transform + c_points +
                        "void main()\n"
                        "{\n"
                        "    gl_Position = sf_proj * sf_model * vec4(position, 0.0, 1.0);\n"
                        "    v_texA = points[gl_VertexID % 6];\n"
                        "}\n";
    m_renderingFragment = Header() +
                          "precision mediump float;\n"
                          "layout(location = 0) out vec4 color;\n"
                          "uniform sampler2D sf_samplers[1];\n"
                          "uniform vec4 u_col;\n"
                          "in vec2 v_texA;\n"
                          "void main()\n"
                          "{\n"
                          "    color = texture(sf_samplers[0], v_texA) * u_col;\n"
                          "    if (color.a < 0.1)\n"
                          "        discard;\n"
                          "}\n";
}

std::string Tesslify::SamplingVertexSource()
{
    return Header() +
           "layout(location = 0) in vec2 position;\n"
           "layout(location = 1) in vec2 texCoord;\n"
           "out vec2 v_tex;\n"
           "out vec2 v_texA;\n"
           "flat out int v_targetObject;\n" +
           c_transform + c_points +
           "void main()\n"
           "{\n"
           "    gl_Position = sf_proj * sf_model * vec4(position, 0.0, 1.0);\n"
           "    v_tex = texCoord;\n"
           "    v_texA = points[gl_VertexID % 6];\n"
           "    v_targetObject = gl_VertexID / 6;\n"
           "}\n";
}

std::string Tesslify::SamplingFragmentSource()
{
    return Header() + c_counterOutputs +
           "uniform sampler2D sf_samplers[2];\n"
           "uniform vec2 u_textureSize0;\n"
           "uniform vec2 u_textureSize1;\n"
           "void main()\n"
           "{\n"
           "    color = texture(sf_samplers[0], v_texA + u_textureSize0 / 2.0);\n"
           "    if (color.a > 0.1)\n"
           "    {\n"
           "        vec4 target = texture(sf_samplers[1], v_tex + u_textureSize1 / 2.0);\n"
           "        int i = v_targetObject * 4;\n"
           "        imageAtomicAdd(mainImage, i, int(target.r * 255.0));\n"
           "        imageAtomicAdd(mainImage, i + 1, int(target.g * 255.0));\n"
           "        imageAtomicAdd(mainImage, i + 2, int(target.b * 255.0));\n"
           "        imageAtomicAdd(mainImage, i + 3, 1);\n"
           "    }\n"
           "    else\n"
           "        discard;\n"
           "}\n";
}

std::string Tesslify::EvaluationFragmentSource(int evolutionCount)
{
    return Header() + c_counterOutputs +
           "uniform sampler2D sf_samplers[3];\n"
           "uniform vec4 u_col[" + std::to_string(evolutionCount) + "];\n"
           "void main()\n"
           "{\n"
           "    vec4 c = u_col[v_targetObject];\n"
           "    color = texture(sf_samplers[0], v_texA) * c;\n"
           "    if (color.a > 0.1)\n"
           "    {\n"
           "        vec4 T = texture(sf_samplers[1], v_tex);\n"
           "        vec4 C = texture(sf_samplers[2], v_tex);\n"
           "        int i = v_targetObject * 3;\n"
           "        for (int k = 0; k < 3; ++k)\n"
           "        {\n"
           "            float change = abs(C[k] - c[k]) * 100.0;\n"
           "            imageAtomicAdd(mainImage, i + k, abs(T[k] - c[k]) < abs(T[k] - C[k]) ? int(change) : int(-change));\n"
           "        }\n"
           "    }\n"
           "    else\n"
           "        discard;\n"
           "}\n";
}
