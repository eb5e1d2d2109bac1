#include "level/UniformParser.hpp"

#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace rux {
namespace {

// The source split into identifiers, numbers and single punctuation characters, with
// comments and preprocessor lines left out.
std::vector<std::string_view> Tokens(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    bool lineStart = true;
    auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    while (i < s.size()) {
        const char c = s[i];
        if (c == '\n') {
            lineStart = true;
            ++i;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
            while (i < s.size() && s[i] != '\n') ++i;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            const std::size_t end = s.find("*/", i + 2);
            i = end == std::string_view::npos ? s.size() : end + 2;
        } else if (c == '#' && lineStart) {
            // A directive runs to the end of the line, continued lines included.
            while (i < s.size() && !(s[i] == '\n' && s[i - 1] != '\\')) ++i;
        } else if (word(c)) {
            const std::size_t from = i;
            while (i < s.size() && word(s[i])) ++i;
            out.push_back(s.substr(from, i - from));
            lineStart = false;
        } else {
            out.push_back(s.substr(i, 1));
            ++i;
            lineStart = false;
        }
    }
    return out;
}

bool IsQualifier(std::string_view t) {
    static const std::set<std::string_view> q = {"lowp", "mediump", "highp", "flat", "smooth", "noperspective",
                                                  "invariant", "precise", "const"};
    return q.count(t) != 0;
}

bool IsIdentifier(std::string_view t) {
    return !t.empty() && (std::isalpha(static_cast<unsigned char>(t[0])) || t[0] == '_');
}

} // namespace

int UniformTypeOf(std::string_view t) {
    if (t == "bool") return Level::Uniforms::Bool;
    if (t == "float") return Level::Uniforms::Float;
    if (t == "int") return Level::Uniforms::Int;
    if (t == "vec2") return Level::Uniforms::Vec2;
    if (t == "vec3") return Level::Uniforms::Vec3;
    if (t == "vec4") return Level::Uniforms::Vec4;
    if (t == "ivec2") return Level::Uniforms::IVec2;
    if (t == "ivec3") return Level::Uniforms::IVec3;
    if (t == "ivec4") return Level::Uniforms::IVec4;
    return -1;
}

Level::Uniforms ParseUniforms(std::string_view source) {
    Level::Uniforms u;
    std::set<std::string> seen;
    auto add = [&](int type, std::string name) {
        if (!seen.insert(name).second) return;
        u.types.push_back(static_cast<Level::Uniforms::DataTypes>(type));
        u.names.push_back(std::move(name));
        u.totalSize += Level::Uniforms::SizeOf(type);
    };
    const std::vector<std::string_view> t = Tokens(source);
    const std::size_t n = t.size();
    int depth = 0; // braces: only declarations at file scope count
    for (std::size_t i = 0; i < n; ++i) {
        if (t[i] == "{") ++depth;
        else if (t[i] == "}") depth = depth > 0 ? depth - 1 : 0;
        if (depth != 0 || t[i] != "uniform") continue;
        std::size_t k = i + 1;
        while (k < n && IsQualifier(t[k])) ++k;
        if (k >= n) break;
        const std::string_view typeName = t[k++];
        // A block ("uniform Name { ... }") or a type of its own: skip the declaration.
        const int type = UniformTypeOf(typeName);
        if (k < n && t[k] == "{") {
            i = k - 1;
            continue;
        }
        // Declarators up to the semicolon: name [ "[" size "]" ] [ "=" initialiser ], ...
        while (k < n && t[k] != ";") {
            if (!IsIdentifier(t[k])) break;
            const std::string name(t[k++]);
            long elements = 0; // 0: not an array; -1: an array whose size is not a literal
            if (k < n && t[k] == "[") {
                elements = -1;
                if (k + 2 < n && t[k + 2] == "]" && std::isdigit(static_cast<unsigned char>(t[k + 1][0]))) {
                    try {
                        elements = std::stol(std::string(t[k + 1]), nullptr, 0);
                    } catch (...) {
                        elements = -1;
                    }
                }
                while (k < n && t[k] != "]" && t[k] != ";") ++k;
                if (k < n && t[k] == "]") ++k;
            }
            // An initialiser runs to the next comma outside brackets.
            if (k < n && t[k] == "=") {
                int nest = 0;
                while (k < n && t[k] != ";" && !(nest == 0 && t[k] == ",")) {
                    if (t[k] == "(" || t[k] == "[" || t[k] == "{") ++nest;
                    else if (t[k] == ")" || t[k] == "]" || t[k] == "}") --nest;
                    ++k;
                }
            }
            if (type >= 0 && elements == 0) add(type, name);
            for (long e = 0; type >= 0 && e < elements && e < c_maxUniformArrayElements; ++e)
                add(type, name + "[" + std::to_string(e) + "]");
            if (k < n && t[k] == ",") ++k;
            else break;
        }
        while (k < n && t[k] != ";") ++k;
        i = k;
    }
    return u;
}

} // namespace rux
