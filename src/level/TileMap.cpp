#include "level/TileMap.hpp"
#include "level/Binary.hpp"
#include "level/Constants.hpp"
#include "level/FileIO.hpp"
#include "level/Graphics.hpp"
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <algorithm>

namespace rux {
namespace {
constexpr char c_tileMagic[] = "TLM001";
constexpr std::size_t c_magicSize = 6;
} // namespace

TileMap::TileMap(const sf::Texture& tex) : TileMap(&tex) {}

TileMap::TileMap(const sf::Texture* tex) : buffer(sf::Triangles, sf::VertexBuffer::Dynamic), texture(tex) {
    vertices.setPrimitiveType(sf::Triangles);
    ResizeBuffer();
}

void TileMap::ResizeBuffer() {
    count.x = std::min(count.x, c_maxTileCount);
    count.y = std::min(count.y, c_maxTileCount);
    tiles.resize(count.x);
    for (auto& column : tiles) column.resize(count.y, 0);
    vertices.resize(static_cast<std::size_t>(count.x) * count.y * 6);
    flags = All;
    m_dirtyBegin = m_dirtyEnd = 0;
}

std::uint16_t TileMap::tilesPerRow() const {
    if (!texture) return 65535;
    // A cell plus gap of 0 would divide by zero; treat it as one pixel.
    const std::uint64_t cell = std::max<std::uint64_t>(1, std::uint64_t(textureTileSize.x) + gap.x);
    const auto perRow = static_cast<std::uint16_t>(texture->getSize().x / cell);
    return perRow == 0 ? 1 : perRow;
}

void TileMap::writeTexCoords(std::size_t first, std::uint16_t id, std::uint16_t perRow) const {
    const std::uint16_t column = id % perRow;
    const std::uint16_t row = id / perRow;
    const float u = static_cast<float>((std::uint64_t(textureTileSize.x) + gap.x) * column);
    const float v = static_cast<float>((std::uint64_t(textureTileSize.y) + gap.y) * row);
    const float w = static_cast<float>(textureTileSize.x);
    const float h = static_cast<float>(textureTileSize.y);
    sf::Vertex* q = &vertices[first];
    q[0].texCoords = {u, v};
    q[1].texCoords = {u + w, v};
    q[2].texCoords = {u + w, v + h};
    q[3].texCoords = {u, v + h};
    q[4].texCoords = {u, v};
    q[5].texCoords = {u + w, v + h};
}

void TileMap::DrawUpdate() const {
    const std::size_t columns = count.x;
    const std::size_t rows = count.y;
    // Members are public; a caller that changed count without ResizeBuffer must not make us
    // write past the arrays.
    if (vertices.getVertexCount() != columns * rows * 6) vertices.resize(columns * rows * 6);
    auto id = [&](std::size_t x, std::size_t y) -> std::uint16_t {
        return x < tiles.size() && y < tiles[x].size() ? tiles[x][y] : 0;
    };

    if ((flags & Positions) && columns != 0) {
        const float w = static_cast<float>(tileSize.x);
        const float h = static_cast<float>(tileSize.y);
        for (std::size_t x = 0; x < columns; ++x) {
            const float px = static_cast<float>(std::uint64_t(x) * tileSize.x);
            for (std::size_t y = 0; y < rows; ++y) {
                const float py = static_cast<float>(std::uint64_t(y) * tileSize.y);
                sf::Vertex* q = &vertices[(y + x * rows) * 6];
                q[0].position = {px, py};
                q[1].position = {px + w, py};
                q[2].position = {px + w, py + h};
                q[3].position = {px, py + h};
                q[4].position = {px, py};
                q[5].position = {px + w, py + h};
            }
        }
    }
    if (flags & Colors) {
        for (std::size_t i = 0; i < vertices.getVertexCount(); ++i) vertices[i].color = color;
    }
    if (flags & TexCoords) {
        const std::uint16_t perRow = tilesPerRow();
        for (std::size_t x = 0; x < columns; ++x)
            for (std::size_t y = 0; y < rows; ++y) writeTexCoords((y + x * rows) * 6, id(x, y), perRow);
    }

    const std::size_t n = vertices.getVertexCount();
    if (flags != 0) {
        if (n != 0) buffer.upload(&vertices[0], n);
    } else if (m_dirtyEnd > m_dirtyBegin && m_dirtyEnd <= n) {
        if (!buffer.uploadRange(&vertices[m_dirtyBegin], m_dirtyEnd - m_dirtyBegin, m_dirtyBegin))
            buffer.upload(&vertices[0], n);
    }
    flags = 0;
    m_dirtyBegin = m_dirtyEnd = 0;
}

void TileMap::setTile(unsigned x, unsigned y, std::uint16_t id) {
    if (x >= tiles.size() || y >= tiles[x].size()) return;
    tiles[x][y] = id;
    const std::size_t first = (std::size_t(y) + std::size_t(x) * count.y) * 6;
    // With a full rebuild pending, or arrays out of step with count, the rebuild covers it.
    if ((flags & TexCoords) || x >= count.x || y >= count.y || first + 6 > vertices.getVertexCount()) {
        flags |= TexCoords;
        return;
    }
    writeTexCoords(first, id, tilesPerRow());
    if (m_dirtyEnd == m_dirtyBegin) {
        m_dirtyBegin = first;
        m_dirtyEnd = first + 6;
    } else {
        m_dirtyBegin = std::min(m_dirtyBegin, first);
        m_dirtyEnd = std::max(m_dirtyEnd, first + 6);
    }
}

void TileMap::draw(sf::RenderTarget& target, sf::RenderStates states) const {
    states.transform *= getTransform();
    states.texture = texture;
    if (flags != 0 || m_dirtyEnd > m_dirtyBegin) DrawUpdate();
    const std::size_t n = vertices.getVertexCount();
    if (n == 0) return;
    if (!buffer.draw(target, n, states)) target.draw(vertices, states);
}

bool TileMap::loadFromMemory(std::string_view bytes, bool withMagic, std::string* error) {
    ByteReader in(bytes);
    if (withMagic && in.bytes(c_magicSize) != std::string_view(c_tileMagic, c_magicSize)) {
        if (error) *error = "not a tile map file (no TLM001 tag)";
        return false;
    }
    const std::uint32_t cx = in.u32();
    const std::uint32_t cy = in.u32();
    if (in.ok() && (cx > c_maxTileCount || cy > c_maxTileCount))
        in.fail("tile count " + std::to_string(cx) + " x " + std::to_string(cy) + " too large");
    in.fits(std::uint64_t(cx) * cy, 2, "tile");
    if (!in.ok()) {
        if (error) *error = in.error();
        return false;
    }
    count = {cx, cy};
    ResizeBuffer();
    for (auto& column : tiles)
        for (auto& t : column) t = in.u16();
    return true;
}

bool TileMap::loadFromFile(const std::filesystem::path& path, std::string* error) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error)) return false;
    return loadFromMemory(bytes, path.extension() != ".tmap", error);
}

void TileMap::saveToMemory(std::string& out, bool withMagic) const {
    if (withMagic) out.append(c_tileMagic, c_magicSize);
    PutU32(out, count.x);
    PutU32(out, count.y);
    for (std::size_t x = 0; x < count.x; ++x)
        for (std::size_t y = 0; y < count.y; ++y)
            PutU16(out, x < tiles.size() && y < tiles[x].size() ? tiles[x][y] : 0);
}

bool TileMap::saveToFile(const std::filesystem::path& path) const {
    std::string bytes;
    saveToMemory(bytes, path.extension() != ".tmap");
    return WriteFileAtomically(path, bytes);
}

} // namespace rux
