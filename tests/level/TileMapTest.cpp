#include "Helpers.hpp"
#include <RUX.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <fstream>
#include <gtest/gtest.h>

using namespace rux;
using testing_rux::Bytes;
using testing_rux::Hex;

namespace {
sf::Texture Atlas(unsigned w, unsigned h) {
    sf::Image img;
    img.create(w, h, sf::Color::White);
    sf::Texture t;
    t.loadFromImage(img);
    return t;
}
sf::Vector2f FirstTexCoord(const TileMap& m, unsigned x, unsigned y) {
    return m.vertices[(y + x * m.count.y) * 6].texCoords;
}
std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
} // namespace

TEST(TileMap, TileIdToTextureCoordinates) {
    const sf::Texture atlas = Atlas(300, 32);
    TileMap m(atlas);
    m.gap = {2, 2};
    m.tiles[0][0] = 17;
    m.DrawUpdate();
    EXPECT_EQ(m.tilesPerRow(), 16);
    EXPECT_EQ(FirstTexCoord(m, 0, 0), sf::Vector2f(18, 18));
    EXPECT_EQ(m.vertices[2].texCoords, sf::Vector2f(34, 34));

    // An atlas narrower than a cell has one column: id n is row n.
    const sf::Texture narrow = Atlas(8, 64);
    TileMap n(narrow);
    n.tiles[1][0] = 3;
    n.DrawUpdate();
    EXPECT_EQ(n.tilesPerRow(), 1);
    EXPECT_EQ(FirstTexCoord(n, 1, 0), sf::Vector2f(0, 48));

    // A zero cell-plus-gap width must not divide by zero.
    n.textureTileSize = {0, 0};
    n.flags = TileMap::All;
    n.DrawUpdate();
    EXPECT_EQ(n.tilesPerRow(), 8);
}

TEST(TileMap, ResizeKeepsTheOverlapAndCapsTheCount) {
    TileMap m;
    for (unsigned x = 0; x < 5; ++x)
        for (unsigned y = 0; y < 5; ++y) m.tiles[x][y] = static_cast<std::uint16_t>(x * 10 + y);
    m.count = {2, 3};
    m.ResizeBuffer();
    ASSERT_EQ(m.tiles.size(), 2u);
    EXPECT_EQ(m.tiles[1], (std::vector<std::uint16_t>{10, 11, 12}));
    EXPECT_EQ(m.vertices.getVertexCount(), 36u);
    EXPECT_EQ(m.flags, TileMap::All);

    m.count = {100000, 1};
    m.ResizeBuffer();
    EXPECT_EQ(m.count.x, c_maxTileCount);

    m.count = {0, 4};
    m.ResizeBuffer();
    m.DrawUpdate();
    EXPECT_EQ(m.vertices.getVertexCount(), 0u);
}

TEST(TileMap, ChangingOneTileMatchesAFullRebuild) {
    const sf::Texture atlas = Atlas(64, 64);
    TileMap a(atlas), b(atlas);
    a.DrawUpdate();
    a.setTile(3, 2, 7);
    a.DrawUpdate();
    b.tiles[3][2] = 7;
    b.DrawUpdate();
    for (std::size_t i = 0; i < a.vertices.getVertexCount(); ++i) {
        ASSERT_EQ(a.vertices[i].texCoords, b.vertices[i].texCoords) << i;
        ASSERT_EQ(a.vertices[i].position, b.vertices[i].position) << i;
    }
    a.setTile(99, 0, 1); // outside: ignored
}

TEST(TileMap, TileFilesExactBytesAndLegacyVariant) {
    TileMap m;
    m.count = {2, 1};
    m.ResizeBuffer();
    m.tiles[0][0] = 1;
    m.tiles[1][0] = 258;
    ASSERT_TRUE(m.saveToFile("map.tlm"));
    EXPECT_EQ(Hex(ReadFile("map.tlm")), "54 4C 4D 30 30 31 02 00 00 00 01 00 00 00 01 00 02 01");
    ASSERT_TRUE(m.saveToFile("map.tmap"));
    EXPECT_EQ(Hex(ReadFile("map.tmap")), "02 00 00 00 01 00 00 00 01 00 02 01");

    TileMap back;
    ASSERT_TRUE(back.loadFromFile("map.tlm"));
    EXPECT_EQ(back.count, sf::Vector2u(2, 1));
    EXPECT_EQ(back.tiles, m.tiles);

    // A ".tmap" that happens to begin with "TLM001" is read as counts.
    Bytes legacy;
    legacy.text("TLM001").u16(0).u16(0);
    {
        std::ofstream("odd.tmap", std::ios::binary) << legacy.s;
    }
    TileMap odd;
    std::string error;
    EXPECT_FALSE(odd.loadFromFile("odd.tmap", &error)); // 0x4D4C54 columns: far too many
    EXPECT_EQ(odd.count, sf::Vector2u(5, 5));
}

TEST(TileMap, ShortOrDamagedImportsLeaveTheMapAsItWas) {
    Bytes good;
    good.text("TLM001").u32(2).u32(2).u16(1).u16(2).u16(3).u16(4);
    TileMap m;
    m.tiles[0][0] = 42;
    for (std::size_t cut = 0; cut < good.s.size(); ++cut) {
        std::string error;
        EXPECT_FALSE(m.loadFromMemory(good.s.substr(0, cut), true, &error)) << cut;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(m.count, sf::Vector2u(5, 5));
        EXPECT_EQ(m.tiles[0][0], 42);
    }
    Bytes wrongMagic;
    wrongMagic.text("TLM002").u32(0).u32(0);
    Bytes huge;
    huge.text("TLM001").u32(0xFFFFFFFF).u32(0xFFFFFFFF).u16(1);
    for (const auto* bad : {&wrongMagic, &huge}) {
        std::string error;
        EXPECT_FALSE(m.loadFromMemory(bad->s, true, &error));
        EXPECT_EQ(m.count, sf::Vector2u(5, 5));
    }
    ASSERT_TRUE(m.loadFromMemory(good.s, true));
    EXPECT_EQ(m.tiles, (std::vector<std::vector<std::uint16_t>>{{1, 2}, {3, 4}}));
    EXPECT_FALSE(m.loadFromFile("does-not-exist.tlm"));
}

TEST(TileMap, DrawsTilesFromTheAtlas) {
    sf::Image img;
    img.create(32, 16, sf::Color::Red);
    for (unsigned x = 16; x < 32; ++x)
        for (unsigned y = 0; y < 16; ++y) img.setPixel(x, y, sf::Color::Blue);
    sf::Texture atlas;
    atlas.loadFromImage(img);
    TileMap m(atlas);
    m.count = {2, 1};
    m.ResizeBuffer();
    m.tiles[1][0] = 1;
    sf::RenderTexture rt;
    ASSERT_TRUE(rt.create(20, 10));
    rt.clear();
    rt.draw(m);
    rt.display();
    const sf::Image out = rt.getTexture().copyToImage();
    EXPECT_EQ(out.getPixel(5, 5), sf::Color::Red);
    EXPECT_EQ(out.getPixel(15, 5), sf::Color::Blue);
    // Change one tile after the first draw: only that part is refreshed, and it shows.
    m.setTile(0, 0, 1);
    rt.clear();
    rt.draw(m);
    rt.display();
    EXPECT_EQ(rt.getTexture().copyToImage().getPixel(5, 5), sf::Color::Blue);
}
