#pragma once
// Finds the editable uniforms of a GLSL source in the order they are declared, so that an
// object's stored values mean the same uniforms on every driver. Only the plain types of
// Level::Uniforms are kept (samplers, matrices, structs and blocks are skipped); an array of
// a plain type with a literal size becomes one entry per element ("a[0]", "a[1]", ...).
// Names are kept whole. A name declared twice (for example in two #if branches) counts once.
#include "level/Level.hpp"

#include <string_view>

namespace rux {

// Elements of one array taken at most; larger arrays are cut to this many.
inline constexpr int c_maxUniformArrayElements = 64;

// Data type of a GLSL type name ("vec3" -> Vec3), -1 for any other type.
int UniformTypeOf(std::string_view glslType);

Level::Uniforms ParseUniforms(std::string_view source);

} // namespace rux
