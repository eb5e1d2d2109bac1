// Shader compiles and uniform detection for the scene, and the level file images.
#include "editor/Scene.hpp"
#include "editor/SceneFiles.hpp"
#include "level/Graphics.hpp"

#include <SFML/Graphics/Shader.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/System/FileInputStream.hpp>
#include <SFML/Window/Context.hpp>

#include <epoxy/gl.h>

#include <optional>
#include <sstream>

namespace rux {
namespace {

// Collects what is written to sf::err() meanwhile and appends it to `target`.
class ErrCollector {
public:
    explicit ErrCollector(std::string& target) : target(target), old(sf::err().rdbuf(text.rdbuf())) {}
    ~ErrCollector() {
        sf::err().rdbuf(old);
        target += text.str();
    }

private:
    std::string& target;
    std::stringstream text;
    std::streambuf* old;
};

} // namespace

void copyFileToMemory(const std::filesystem::path& path, std::string& text) {
    sf::FileInputStream file;
    if (!file.open(path.string())) return;
    const sf::Int64 size = file.getSize();
    if (size < 0) return;
    text.assign(static_cast<std::size_t>(size), '\0');
    if (size > 0) file.read(text.data(), size);
}

int Scene::GLtoType(unsigned glType) {
    switch (glType) {
    case GL_BOOL: return Uniforms::Bool;
    case GL_FLOAT: return Uniforms::Float;
    case GL_INT: return Uniforms::Int;
    case GL_FLOAT_VEC2: return Uniforms::Vec2;
    case GL_FLOAT_VEC3: return Uniforms::Vec3;
    case GL_FLOAT_VEC4: return Uniforms::Vec4;
    case GL_INT_VEC2: return Uniforms::IVec2;
    case GL_INT_VEC3: return Uniforms::IVec3;
    case GL_INT_VEC4: return Uniforms::IVec4;
    default: return -1;
    }
}

void DetectUniformsOf(Level::AssetObject& asset) {
    if (asset.type != ObjectType::FragmentShader && asset.type != ObjectType::VertexShader) return;
    if (Graphics::isHeadless() || !sf::Shader::isAvailable()) return;
    sf::Shader probe;
    const sf::Shader::Type stage = asset.type == ObjectType::VertexShader ? sf::Shader::Vertex : sf::Shader::Fragment;
    if (!probe.loadFromMemory(asset.source, stage)) return;
    // The queries below need a current context; the editor's window usually provides it.
    std::optional<sf::Context> own;
    if (!sf::Context::getActiveContext()) own.emplace();
    const GLuint program = probe.getNativeHandle();
    GLint count = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    if (!asset.uniforms) asset.uniforms = std::make_unique<Level::Uniforms>();
    Level::Uniforms& u = *asset.uniforms;
    u.types.clear();
    u.names.clear();
    u.totalSize = 0;
    for (GLint i = 0; i < count; ++i) {
        char name[32] = {};
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program, static_cast<GLuint>(i), sizeof name, &length, &size, &type, name);
        const int code = Scene::GLtoType(type);
        if (code < 0) continue;
        u.types.push_back(static_cast<Level::Uniforms::DataTypes>(code));
        u.names.emplace_back(name, static_cast<std::size_t>(std::max(length, 0)));
        u.totalSize += Level::Uniforms::SizeOf(code);
    }
}

void Scene::DetectUniforms(AssetObject* asset) {
    if (!asset) return;
    ErrCollector errors(errorText);
    DetectUniformsOf(*asset);
}

void Scene::ReloadShader(Object& object) {
    if (!object.vertexShader && !object.fragmentShader) return;
    if (!object.shader) object.shader = std::make_unique<sf::Shader>();
    if (Graphics::isHeadless() || !sf::Shader::isAvailable()) return;
    // The file on disk wins; the text kept in the asset stands in when the file is gone.
    auto sourceOf = [&](const AssetObject* a) {
        std::string text = a->source;
        copyFileToMemory(projectFolder / a->path, text);
        return text;
    };
    ErrCollector errors(errorText);
    const AssetObject* vs = object.vertexShader;
    const AssetObject* fs = object.fragmentShader;
    const std::string vText = vs ? sourceOf(vs) : std::string();
    const std::string fText = fs ? sourceOf(fs) : std::string();
    bool ok = false;
    if (vs && fs) ok = object.shader->loadFromMemory(vText, fText);
    else if (vs) ok = object.shader->loadFromMemory(vText, sf::Shader::Vertex);
    else ok = object.shader->loadFromMemory(fText, sf::Shader::Fragment);
    if (!ok) return;
    auto keep = [&](const AssetObject* a, const std::string& text) {
        const auto it = assets.find(a->path);
        if (it != assets.end() && &it->second == a) it->second.source = text;
    };
    if (vs) keep(vs, vText);
    if (fs) keep(fs, fText);
}

void Scene::ReloadShadersOf(Object& object) {
    if (!object.vertexShader && !object.fragmentShader) return;
    ReloadShader(object);
    for (const AssetObject* a : {object.vertexShader, object.fragmentShader}) {
        if (!a) continue;
        const auto it = assets.find(a->path);
        if (it != assets.end() && &it->second == a) DetectUniforms(&it->second);
    }
    Level::ApplyUniforms(object);
}

void Scene::getSceneSave(std::string& out) const { saveToMemory(out); }

void Scene::getReferenceSave(std::string& out) {
    // Lend the scene's asset table to the reference level for the duration of the write; a
    // map swap moves no element, so every asset pointer stays valid.
    struct Swap {
        Level& a;
        Level& b;
        Swap(Level& x, Level& y) : a(x), b(y) { std::swap(a.assets, b.assets); }
        ~Swap() { std::swap(a.assets, b.assets); }
    } lend(*this, referenceLevel);
    referenceLevel.saveToMemory(out);
}

} // namespace rux
