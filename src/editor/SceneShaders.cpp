// Shader compiles and uniform detection for the scene, and the level file images.
#include "editor/Scene.hpp"
#include "editor/SceneFiles.hpp"
#include "level/Graphics.hpp"
#include "level/UniformParser.hpp"

#include <SFML/Graphics/Shader.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/System/FileInputStream.hpp>

#include <epoxy/gl.h>

#include <algorithm>
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
    if (!asset.uniforms) asset.uniforms = std::make_unique<Level::Uniforms>();
    *asset.uniforms = ParseUniforms(asset.source);
}

namespace {
bool SameList(const Level::Uniforms& a, const Level::Uniforms& b) { return a.types == b.types && a.names == b.names; }

void Fit(std::vector<std::uint8_t>& data, const Level::Uniforms& now, const Level::Uniforms* before) {
    if (before && !before->types.empty() && !SameList(*before, now)) {
        // Each value follows its uniform by name and type; new uniforms start at zero.
        std::vector<std::uint8_t> fitted(now.totalSize, 0);
        std::uint64_t to = 0;
        for (std::size_t i = 0; i < now.types.size() && i < now.names.size(); ++i) {
            const std::uint32_t size = Level::Uniforms::SizeOf(now.types[i]);
            std::uint64_t from = 0;
            for (std::size_t j = 0; j < before->types.size() && j < before->names.size(); ++j) {
                const std::uint32_t old = Level::Uniforms::SizeOf(before->types[j]);
                if (before->names[j] == now.names[i] && before->types[j] == now.types[i]) {
                    if (from + old <= data.size() && to + size <= fitted.size())
                        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(from), size,
                                    fitted.begin() + static_cast<std::ptrdiff_t>(to));
                    break;
                }
                from += old;
            }
            to += size;
        }
        data = std::move(fitted);
        return;
    }
    data.resize(now.totalSize, 0);
}
} // namespace

void Scene::FitUniformData(Object& object, const AssetObject& asset, const Uniforms* before) {
    if (!asset.uniforms) return;
    if (object.vertexShader == &asset) Fit(object.vertexUniformData, *asset.uniforms, before);
    if (object.fragmentShader == &asset) Fit(object.fragmentUniformData, *asset.uniforms, before);
}

void Scene::DetectUniforms(AssetObject* asset) {
    if (!asset || (asset->type != ObjectType::FragmentShader && asset->type != ObjectType::VertexShader)) return;
    // A level read from a file keeps no shader text: take it from the project folder. With no
    // text at all nothing is known, and the stored values must not be cut to nothing.
    if (asset->source.empty()) copyFileToMemory(projectFolder / asset->path, asset->source);
    if (asset->source.empty()) return;
    const Uniforms before = asset->uniforms ? *asset->uniforms : Uniforms{};
    DetectUniformsOf(*asset);
    const bool changed = !SameList(before, *asset->uniforms);
    for (Level* level : {static_cast<Level*>(this), &referenceLevel})
        for (auto& [name, o] : level->objects) {
            if (o.vertexShader != asset && o.fragmentShader != asset) continue;
            FitUniformData(o, *asset, changed ? &before : nullptr);
        }
}

void Scene::DetectUniformsAll() {
    for (auto& [path, asset] : assets) DetectUniforms(&asset);
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
    const AssetObject* vs = object.vertexShader;
    const AssetObject* fs = object.fragmentShader;
    const std::string vText = vs ? sourceOf(vs) : std::string();
    const std::string fText = fs ? sourceOf(fs) : std::string();
    // Compiled aside: a failed compile leaves the object with the program it had.
    auto fresh = std::make_unique<sf::Shader>();
    bool ok = false;
    {
        ErrCollector errors(errorText);
        if (vs && fs) ok = fresh->loadFromMemory(vText, fText);
        else if (vs) ok = fresh->loadFromMemory(vText, sf::Shader::Vertex);
        else ok = fresh->loadFromMemory(fText, sf::Shader::Fragment);
    }
    if (!ok) {
        errorText += "Shader failed to compile:";
        for (const AssetObject* a : {vs, fs})
            if (a) errorText += " " + a->path.string();
        errorText += "\n";
        return;
    }
    object.shader = std::move(fresh);
    auto keep = [&](const AssetObject* a, const std::string& text) {
        const auto it = assets.find(a->path);
        if (it != assets.end() && &it->second == a) it->second.source = text;
    };
    if (vs) keep(vs, vText);
    if (fs) keep(fs, fText);
    Level::ApplyUniforms(object);
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

void Scene::ReloadAllShaders(const AssetObject& asset) {
    for (auto& [name, o] : objects)
        if (o.vertexShader == &asset || o.fragmentShader == &asset) ReloadShader(o);
}

bool Scene::AttachShader(const std::string& name, const AssetObject* asset, ObjectType stage) {
    const bool vertex = stage == ObjectType::VertexShader;
    if (!vertex && stage != ObjectType::FragmentShader) return false;
    if (asset && asset->type != stage) {
        sf::err() << "Asset " << asset->path.string() << " is not a shader of that stage" << std::endl;
        return false;
    }
    const auto it = objects.find(name);
    if (it == objects.end()) return false;
    Object& o = it->second;
    const AssetObject*& slot = vertex ? o.vertexShader : o.fragmentShader;
    if (slot == asset) return false;
    std::vector<std::uint8_t>& data = vertex ? o.vertexUniformData : o.fragmentUniformData;
    undo.startGroupStep();
    undo.addModify(UndoStepType::ModifyObject, vertex ? UndoAction::VertexUniforms : UndoAction::FragmentUniforms,
                   name, data);
    undo.addModify(UndoStepType::ModifyObject,
                   vertex ? UndoAction::VertexShaderAsset : UndoAction::FragmentShaderAsset, name, {},
                   slot ? slot->path.string() : std::string());
    undo.endGroupStep();
    const auto twinIt = referenceLevel.objects.find(name);
    for (Object* x : {&o, twinIt == referenceLevel.objects.end() ? nullptr : &twinIt->second}) {
        if (!x) continue;
        (vertex ? x->vertexShader : x->fragmentShader) = asset;
        std::vector<std::uint8_t>& d = vertex ? x->vertexUniformData : x->fragmentUniformData;
        if (asset) FitUniformData(*x, *asset);
        else d.clear();
    }
    if (o.vertexShader || o.fragmentShader) ReloadShadersOf(o);
    else o.shader.reset();
    return true;
}

void Scene::SetShaderTime(float seconds) {
    auto declares = [](const AssetObject* a) {
        if (!a || !a->uniforms) return false;
        const Uniforms& u = *a->uniforms;
        for (std::size_t i = 0; i < u.types.size() && i < u.names.size(); ++i)
            if (u.types[i] == Uniforms::Float && u.names[i] == "time") return true;
        return false;
    };
    for (auto& [name, o] : objects)
        if (o.shader && (declares(o.vertexShader) || declares(o.fragmentShader))) o.shader->setUniform("time", seconds);
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
