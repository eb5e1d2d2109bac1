#pragma once
// The level model shared by the editor and games: named objects, the assets they use, and
// the readers, writers and drawing rules of level files.
#include "level/Camera.hpp"
#include "level/Constants.hpp"
#include "level/DirectionalLight.hpp"
#include "level/Hitbox.hpp"
#include "level/ObjectType.hpp"
#include "level/ParticleSystem.hpp"
#include "level/PointLight.hpp"
#include "level/TileMap.hpp"
#include "level/VertexObject.hpp"
#include <SFML/Graphics/BlendMode.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Glsl.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sf { class InputStream; }

namespace rux {

class Level : public sf::Drawable, public sf::Transformable {
public:
    struct Uniforms {
        enum DataTypes : std::int32_t {
            Bool = 0, Float = 1, Int = 2, Vec2 = 3, Vec3 = 4, Vec4 = 5, IVec2 = 6, IVec3 = 7, IVec4 = 8,
        };
        // Bytes one value of `type` occupies in an object's uniform data (0 for unknown codes).
        static std::uint32_t SizeOf(std::int32_t type);

        // Sets uniform names[index] on `shader` from the value at `data`.
        void setUniform(unsigned index, const void* data, sf::Shader* shader) const;

        std::vector<DataTypes> types;
        std::vector<std::string> names;
        std::uint32_t totalSize = 0;
    };

    struct AssetObject {
        std::unique_ptr<sf::Texture> texture;
        std::unique_ptr<sf::Font> font;
        std::filesystem::path path;
        std::unique_ptr<Uniforms> uniforms;
        ObjectType type = ObjectType::None;
        bool selected = false;
        std::string source;

        // Whether it holds a texture, font or uniform list already.
        bool hasResource() const { return texture || font || uniforms; }
    };

    class Object : public sf::Drawable {
    public:
        Object() = default;
        Object(Object&&) noexcept = default;
        Object& operator=(Object&&) noexcept = default;
        ~Object() override = default;

        bool anyUsed() const;
        void* getPointer() const;
        // Each writes "Object not a ...!" to sf::err() when the object is of another kind.
        sf::Sprite* getSprite() const;
        TileMap* getTileMap() const;
        ParticleSystem* getParticleSystem() const;
        sf::Text* getText() const;
        VertexObject* getVertexObject() const;
        Camera* getCamera() const;
        PointLight* getPointLight() const;
        DirectionalLight* getDirectionalLight() const;

        bool UseTileMap(const AssetObject& textureAsset);
        bool UseParticleSystem();

        // Local rectangle the selection outline surrounds; false for objects without one.
        bool getOutlineRect(sf::FloatRect& rect) const;

        // Points at the editor's edit-mode flag; while it is true no outline is drawn.
        static const bool* editMode;

        std::unique_ptr<sf::Sprite> sprite;
        std::unique_ptr<TileMap> tileMap;
        std::unique_ptr<ParticleSystem> particleSystem;
        std::unique_ptr<sf::Text> text;
        std::unique_ptr<VertexObject> vertexObject;
        std::unique_ptr<Camera> camera;
        std::unique_ptr<PointLight> pointLight;
        std::unique_ptr<DirectionalLight> directionalLight;
        std::unique_ptr<Hitbox> hitbox;
        sf::Transformable* transformable = nullptr;
        const AssetObject* texture = nullptr;
        const AssetObject* font = nullptr;
        std::unique_ptr<sf::Shader> shader;
        std::vector<std::uint8_t> fragmentUniformData;
        std::vector<std::uint8_t> vertexUniformData;
        ObjectType type = ObjectType::None;
        std::int8_t zOrder = 0;
        bool visible = true;
        sf::BlendMode blendMode = c_blendModes[c_defaultBlendIndex];
        const AssetObject* vertexShader = nullptr;
        const AssetObject* fragmentShader = nullptr;
        sf::Glsl::Vec4 color{0.f, 0.f, 0.f, 0.f};
        bool selected = false;
        bool hovered = false;

    protected:
        void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    private:
        void drawOutline(sf::RenderTarget& target, sf::RenderStates states) const;
    };

    Level() = default;
    Level(Level&&) = default;
    Level& operator=(Level&&) = default;
    ~Level() override;

    // Reads a level file ("#1.7", or the older "#1.6", "#1.5", "#1.4") into this level,
    // adding to what it holds. Asset files are opened at folder / path. A file that is not a
    // level, or is truncated or corrupt, gives false and a line on sf::err(); the records
    // read completely before the fault stay.
    bool loadFromStream(sf::InputStream& stream, const std::filesystem::path& folder);
    // Reads L/N.rux with assets from its project folder L/N.
    bool loadFromFile(const std::filesystem::path& levelFile);
    // The message of the last failed load, for tools and dialogs ("" after a good one).
    const std::string& getLoadError() const { return m_loadError; }
    // L/N.rux -> L/N: the folder that asset paths of the level are relative to.
    static std::filesystem::path ProjectFolder(const std::filesystem::path& levelFile);

    // The complete "#1.7" image of the level; same level, same bytes.
    void saveToMemory(std::string& out) const;
    bool saveToFile(const std::filesystem::path& levelFile, std::string* error = nullptr) const;
    // Appends the JSON export of the level.
    void saveJSON(std::string& out) const;

    static bool LoadStr(sf::InputStream& stream, std::string& out);
    static void SaveStr(std::string& out, const std::string& s);
    static void ApplyUniforms(const Object& object);
    static AssetObject* getMissingTexture(const sf::Texture* replacement = nullptr);
    static AssetObject* getMissingFont(const sf::Font* replacement = nullptr);

    // How one file version differs from the current one (defined beside the reader).
    struct Format;

    std::map<std::string, Object> objects;
    std::map<std::filesystem::path, AssetObject> assets;
    bool assetsMissing = false;

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

private:
    bool loaderv153(sf::InputStream& stream, const std::filesystem::path& folder);
    bool loaderv162(sf::InputStream& stream, const std::filesystem::path& folder);
    bool readLevel(sf::InputStream& stream, const std::filesystem::path& folder, const Format& format);

    // Objects in drawing order (z ascending, then name), rebuilt only when the sequence of
    // objects or their z orders changed; see updateDrawOrder.
    void updateDrawOrder() const;
    mutable std::vector<std::pair<const Object*, std::int8_t>> m_drawKey;
    mutable std::vector<const Object*> m_drawOrder;
    std::string m_loadError;
};

} // namespace rux
