// Uniforms found in GLSL sources: types, names, offsets and order of declaration.
#include "level/UniformParser.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using U = rux::Level::Uniforms;

struct Case {
    const char* what;
    std::string source;
    std::vector<int> types;
    std::vector<std::string> names;
    std::uint32_t total;
};

const std::string longName(40, 'n');

const Case cases[] = {
    {"types and order as declared", "uniform vec3 b;\nuniform float a;\nuniform sampler2D t;\nvoid main(){}",
     {U::Vec3, U::Float}, {"b", "a"}, 16},
    {"every supported type",
     "uniform bool q; uniform float f; uniform int i; uniform vec2 v2; uniform vec3 v3; uniform vec4 v4;"
     "uniform ivec2 i2; uniform ivec3 i3; uniform ivec4 i4;",
     {U::Bool, U::Float, U::Int, U::Vec2, U::Vec3, U::Vec4, U::IVec2, U::IVec3, U::IVec4},
     {"q", "f", "i", "v2", "v3", "v4", "i2", "i3", "i4"}, 1 + 4 + 4 + 8 + 12 + 16 + 8 + 12 + 16},
    {"several on one line", "uniform float x, y = 2.0, z;", {U::Float, U::Float, U::Float}, {"x", "y", "z"}, 12},
    {"initialiser with commas inside", "uniform vec2 p = vec2(1.0, 2.0), q;", {U::Vec2, U::Vec2}, {"p", "q"}, 16},
    {"arrays by element", "uniform vec2 pts[3];", {U::Vec2, U::Vec2, U::Vec2}, {"pts[0]", "pts[1]", "pts[2]"}, 24},
    {"array of unknown size skipped", "uniform float w[N]; uniform int k;", {U::Int}, {"k"}, 4},
    {"comments", "// uniform float gone;\n/* uniform vec4 gone2;\n*/ uniform int kept; // uniform int no;",
     {U::Int}, {"kept"}, 4},
    {"preprocessor lines", "#define X uniform float notMe;\n#version 120\nuniform float me;", {U::Float}, {"me"}, 4},
    {"unsupported types skipped",
     "uniform mat4 m; uniform sampler2D s; uniform float ok; uniform samplerCube c; uniform uint u;", {U::Float},
     {"ok"}, 4},
    {"qualifiers", "uniform highp float h; uniform lowp vec4 c; layout(location = 3) uniform int l;",
     {U::Float, U::Vec4, U::Int}, {"h", "c", "l"}, 24},
    {"blocks and structs skipped", "uniform Block { float inside; } blk; struct S { float a; }; uniform S s; uniform float after;",
     {U::Float}, {"after"}, 4},
    {"names not cut", "uniform float " + longName + ";", {U::Float}, {longName}, 4},
    {"declared twice counts once", "#ifdef A\nuniform float t;\n#else\nuniform float t;\n#endif\n", {U::Float}, {"t"}, 4},
    {"identifiers containing the word", "float myuniform; vec3 uniformly; uniform float real;", {U::Float}, {"real"}, 4},
    {"nothing in a function body", "void main() { float uniform_ = 1.0; }", {}, {}, 0},
    {"unterminated comment", "uniform float a; /* uniform float b;", {U::Float}, {"a"}, 4},
    {"truncated declaration", "uniform vec3", {}, {}, 0},
};

TEST(UniformParser, Table) {
    for (const Case& c : cases) {
        const U u = rux::ParseUniforms(c.source);
        std::vector<int> types(u.types.begin(), u.types.end());
        EXPECT_EQ(types, c.types) << c.what;
        EXPECT_EQ(u.names, c.names) << c.what;
        EXPECT_EQ(u.totalSize, c.total) << c.what;
    }
}

TEST(UniformParser, HugeArrayIsCapped) {
    const U u = rux::ParseUniforms("uniform float big[100000];");
    EXPECT_EQ(u.types.size(), static_cast<std::size_t>(rux::c_maxUniformArrayElements));
    EXPECT_EQ(u.names.back(), "big[" + std::to_string(rux::c_maxUniformArrayElements - 1) + "]");
}

} // namespace
