// The pictures tools/make_res draws into Res/: their sizes and that every cell the editor
// cuts out of them holds a picture.
#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Sheet {
    const char* file;
    unsigned width, height;
    unsigned cellW, cellH;  // the pieces the editor uses
    unsigned cells;         // how many of them, row by row, must be drawn
};

const Sheet kSheets[] = {
    {"Arrows.png", 40, 20, 10, 20, 4},     {"Rotate.png", 128, 128, 128, 128, 1},
    {"Gizmo.png", 64, 128, 64, 32, 4},     {"FileIcons.png", 400, 300, 100, 100, 12},
    {"PropIcon.png", 416, 32, 32, 32, 13}, {"RUX.png", 256, 256, 256, 256, 1},
    {"Setup.png", 512, 512, 256, 256, 3},
};

sf::Image load(const std::string& file) {
    sf::Image img;
    EXPECT_TRUE(img.loadFromFile(std::string(RUX_BUILD_DIR) + "/Res/" + file)) << file;
    return img;
}

unsigned opaquePixels(const sf::Image& img, unsigned x0, unsigned y0, unsigned w, unsigned h) {
    unsigned n = 0;
    for (unsigned y = y0; y < y0 + h; ++y)
        for (unsigned x = x0; x < x0 + w; ++x) n += img.getPixel(x, y).a > 128;
    return n;
}

}  // namespace

TEST(ResPictures, SizesAndEveryCellDrawn) {
    for (const Sheet& s : kSheets) {
        SCOPED_TRACE(s.file);
        const sf::Image img = load(s.file);
        ASSERT_EQ(img.getSize(), sf::Vector2u(s.width, s.height));
        const unsigned perRow = s.width / s.cellW;
        for (unsigned k = 0; k < s.cells; ++k) {
            const unsigned n = opaquePixels(img, k % perRow * s.cellW, k / perRow * s.cellH, s.cellW, s.cellH);
            EXPECT_GT(n, s.cellW * s.cellH / 20) << "cell " << k;
            EXPECT_LT(n, s.cellW * s.cellH) << "cell " << k << " has no transparent surround";
        }
    }
}

// The gizmo turns the arrows from "up" to +y and +x, so each must point up: a narrow tip
// at the top and a shaft that is narrower than the head.
TEST(ResPictures, ArrowsPointUp) {
    const sf::Image img = load("Arrows.png");
    for (unsigned k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        const unsigned x = 10 * k;
        EXPECT_GT(img.getPixel(x + 5, 2).a, 128);
        EXPECT_GT(img.getPixel(x + 5, 19).a, 128);
        EXPECT_GT(opaquePixels(img, x, 5, 10, 1), opaquePixels(img, x, 18, 10, 1));
        EXPECT_LT(img.getPixel(x + 1, 19).a, 32);
    }
    // Move arrows end in a point, scale arrows in a square.
    EXPECT_LT(img.getPixel(1, 1).a, 32);
    EXPECT_GT(img.getPixel(21, 1).a, 128);
}
