#include "level/Level.hpp"
#include "level/Binary.hpp"
#include "level/FileIO.hpp"
#include "level/Graphics.hpp"
#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/System/FileInputStream.hpp>
#include <SFML/System/InputStream.hpp>
#include <cstring>

namespace rux {

const bool* Level::Object::editMode = nullptr;

Level::~Level() {
    // Objects refer to assets, so they go first.
    objects.clear();
}

// --- Uniforms ---------------------------------------------------------------------------

std::uint32_t Level::Uniforms::SizeOf(std::int32_t type) {
    switch (type) {
    case Bool: return 1;
    case Float: case Int: return 4;
    case Vec2: case IVec2: return 8;
    case Vec3: case IVec3: return 12;
    case Vec4: case IVec4: return 16;
    default: return 0;
    }
}

void Level::Uniforms::setUniform(unsigned index, const void* data, sf::Shader* shader) const {
    if (!shader || index >= types.size() || index >= names.size() || !data) return;
    const std::string& name = names[index];
    float f[4];
    std::int32_t n[4];
    const std::uint32_t size = SizeOf(types[index]);
    std::memcpy(f, data, size > 16 ? 16 : size);
    std::memcpy(n, f, sizeof f);
    switch (types[index]) {
    case Bool: shader->setUniform(name, *static_cast<const std::uint8_t*>(data) != 0); break;
    case Float: shader->setUniform(name, f[0]); break;
    case Int: shader->setUniform(name, static_cast<int>(n[0])); break;
    case Vec2: shader->setUniform(name, sf::Glsl::Vec2(f[0], f[1])); break;
    case Vec3: shader->setUniform(name, sf::Glsl::Vec3(f[0], f[1], f[2])); break;
    case Vec4: shader->setUniform(name, sf::Glsl::Vec4(f[0], f[1], f[2], f[3])); break;
    case IVec2: shader->setUniform(name, sf::Glsl::Ivec2(n[0], n[1])); break;
    case IVec3: shader->setUniform(name, sf::Glsl::Ivec3(n[0], n[1], n[2])); break;
    case IVec4: shader->setUniform(name, sf::Glsl::Ivec4(n[0], n[1], n[2], n[3])); break;
    default: break;
    }
}

namespace {
void ApplyShaderData(const Level::AssetObject* asset, const std::vector<std::uint8_t>& data,
                     sf::Shader* shader) {
    if (!asset || !asset->uniforms) return;
    const Level::Uniforms& u = *asset->uniforms;
    std::uint64_t offset = 0;
    for (unsigned i = 0; i < u.types.size(); ++i) {
        const std::uint32_t size = Level::Uniforms::SizeOf(u.types[i]);
        // A value that runs past the stored data is not applied, nor is anything after it.
        if (offset + size > data.size()) return;
        if (size != 0) u.setUniform(i, data.data() + offset, shader);
        offset += size;
    }
}
} // namespace

void Level::ApplyUniforms(const Object& object) {
    if (!object.shader) return;
    ApplyShaderData(object.fragmentShader, object.fragmentUniformData, object.shader.get());
    ApplyShaderData(object.vertexShader, object.vertexUniformData, object.shader.get());
}

// --- Missing assets ---------------------------------------------------------------------

Level::AssetObject* Level::getMissingTexture(const sf::Texture* replacement) {
    static AssetObject missing;
    if (replacement) {
        if (!missing.hasResource()) {
            missing.texture = std::make_unique<sf::Texture>();
            missing.type = ObjectType::Texture;
        }
        if (missing.texture) *missing.texture = *replacement;
        return &missing;
    }
    if (missing.texture) return &missing;
    missing.type = ObjectType::Texture;
    // Without a graphics context the asset stays a texture asset with no texture object.
    if (Graphics::isHeadless()) return &missing;
    missing.texture = std::make_unique<sf::Texture>();
    sf::Image image;
    image.create(16, 16, sf::Color::Black);
    for (unsigned x = 0; x < 8; ++x)
        for (unsigned y = 0; y < 8; ++y) {
            image.setPixel(x, y, sf::Color::Magenta);
            image.setPixel(x + 8, y + 8, sf::Color::Magenta);
        }
    missing.texture->loadFromImage(image);
    missing.texture->setRepeated(true);
    return &missing;
}

Level::AssetObject* Level::getMissingFont(const sf::Font* replacement) {
    static AssetObject missing;
    if (replacement) {
        if (!missing.hasResource()) {
            missing.font = std::make_unique<sf::Font>();
            missing.type = ObjectType::Font;
        }
        if (missing.font) *missing.font = *replacement;
    }
    return &missing;
}

// --- Object -----------------------------------------------------------------------------

bool Level::Object::anyUsed() const {
    return sprite || tileMap || particleSystem || text || vertexObject || camera || pointLight ||
           directionalLight;
}

void* Level::Object::getPointer() const {
    if (sprite) return sprite.get();
    if (tileMap) return tileMap.get();
    if (particleSystem) return particleSystem.get();
    if (text) return text.get();
    if (vertexObject) return vertexObject.get();
    if (camera) return camera.get();
    if (pointLight) return pointLight.get();
    if (directionalLight) return directionalLight.get();
    return nullptr;
}

namespace {
template <class T> T* Checked(const std::unique_ptr<T>& p, const char* message) {
    if (!p) sf::err() << message << std::endl;
    return p.get();
}
} // namespace

sf::Sprite* Level::Object::getSprite() const { return Checked(sprite, "Object not a sprite!"); }
TileMap* Level::Object::getTileMap() const { return Checked(tileMap, "Object not a tilemap!"); }
ParticleSystem* Level::Object::getParticleSystem() const {
    return Checked(particleSystem, "Object not a particle system!");
}
sf::Text* Level::Object::getText() const { return Checked(text, "Object not a text object!"); }
VertexObject* Level::Object::getVertexObject() const {
    return Checked(vertexObject, "Object not a vertex object!");
}
Camera* Level::Object::getCamera() const { return Checked(camera, "Object not a camera!"); }
PointLight* Level::Object::getPointLight() const { return Checked(pointLight, "Object not a point light!"); }
DirectionalLight* Level::Object::getDirectionalLight() const {
    return Checked(directionalLight, "Object not a directional light!");
}

bool Level::Object::UseTileMap(const AssetObject& textureAsset) {
    if (anyUsed()) return false;
    tileMap = std::make_unique<TileMap>(textureAsset.texture.get());
    transformable = tileMap.get();
    texture = &textureAsset;
    type = ObjectType::TileMap;
    return true;
}

bool Level::Object::UseParticleSystem() {
    if (anyUsed()) return false;
    particleSystem = std::make_unique<ParticleSystem>();
    transformable = particleSystem.get();
    type = ObjectType::ParticleSystem;
    return true;
}

// --- Strings and files --------------------------------------------------------------------

bool Level::LoadStr(sf::InputStream& stream, std::string& out) {
    std::uint32_t n = 0;
    if (stream.read(&n, 4) != 4) return false;
    const sf::Int64 size = stream.getSize(), pos = stream.tell();
    // A length beyond what the stream still holds is damage, not a reason to allocate.
    if (size >= 0 && pos >= 0 && n > size - pos) return false;
    out.resize(n);
    return n == 0 || stream.read(out.data(), n) == static_cast<sf::Int64>(n);
}

void Level::SaveStr(std::string& out, const std::string& s) { PutStr(out, s); }

std::filesystem::path Level::ProjectFolder(const std::filesystem::path& levelFile) {
    return levelFile.parent_path() / levelFile.stem();
}

bool Level::loadFromFile(const std::filesystem::path& levelFile) {
    sf::FileInputStream stream;
    if (!stream.open(levelFile.string())) {
        m_loadError = "cannot open the file";
        sf::err() << levelFile.string() << ": " << m_loadError << std::endl;
        return false;
    }
    return loadFromStream(stream, ProjectFolder(levelFile));
}

bool Level::saveToFile(const std::filesystem::path& levelFile, std::string* error) const {
    std::string bytes;
    saveToMemory(bytes);
    return WriteFileAtomically(levelFile, bytes, error);
}

} // namespace rux
