#pragma once
// Object kind 1: a grid of tiles, each one cell of a texture atlas, drawn in one batch.
#include "level/GpuBuffer.hpp"
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/System/Vector2.hpp>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace sf { class InputStream; class Texture; }

namespace rux {

class TileMap : public sf::Transformable, public sf::Drawable {
public:
    enum Flags : std::uint8_t { Positions = 1, Colors = 2, TexCoords = 4, All = 7 };

    explicit TileMap(const sf::Texture& texture);
    // Without a texture (headless readers); the atlas is then treated as 65535 cells wide.
    explicit TileMap(const sf::Texture* texture = nullptr);
    ~TileMap() override = default;

    // Makes `tiles` count.x columns of count.y ids (each axis capped at c_maxTileCount) and
    // the vertex array match, and requests a full rebuild.
    void ResizeBuffer();
    // Rebuilds what `flags` asks for and uploads; otherwise uploads only tiles set by setTile.
    void DrawUpdate() const;
    // Changes one tile and refreshes only its six vertices; out-of-range cells are ignored.
    void setTile(unsigned x, unsigned y, std::uint16_t id);
    // Atlas cells per row for the current texture, cell size and gap (at least 1).
    std::uint16_t tilesPerRow() const;

    // Tile files: ".tlm" ("TLM001" magic) or the older ".tmap" without it. Import replaces
    // count and ids only when the whole file is valid; otherwise the map stays as it was and
    // `error` (when given) says why.
    bool loadFromFile(const std::filesystem::path& path, std::string* error = nullptr);
    bool loadFromMemory(std::string_view bytes, bool withMagic, std::string* error = nullptr);
    bool saveToFile(const std::filesystem::path& path) const;
    void saveToMemory(std::string& out, bool withMagic) const;

    mutable sf::VertexArray vertices;
    mutable GpuBuffer buffer;
    sf::Vector2u count{5, 5};
    sf::Vector2u tileSize{10, 10};
    sf::Vector2u textureTileSize{16, 16};
    sf::Color color = sf::Color::White;
    const sf::Texture* texture = nullptr;
    sf::Vector2u gap{0, 0};
    mutable std::uint8_t flags = All;
    std::vector<std::vector<std::uint16_t>> tiles;

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

private:
    void writeTexCoords(std::size_t first, std::uint16_t id, std::uint16_t perRow) const;
    // Vertex range changed by setTile since the last upload: [m_dirtyBegin, m_dirtyEnd).
    mutable std::size_t m_dirtyBegin = 0;
    mutable std::size_t m_dirtyEnd = 0;
};

} // namespace rux
