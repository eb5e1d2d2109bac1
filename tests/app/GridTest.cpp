#include "app/TileMapLines.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <map>

using namespace rux;

namespace {
// Position of each line of one orientation -> its colour.
std::map<float, sf::Color> Lines(const GridLines& grid, bool vertical) {
    std::map<float, sf::Color> out;
    for (const sf::VertexArray* set : {&grid.minor, &grid.major})
        for (std::size_t i = 0; i + 1 < set->getVertexCount(); i += 2) {
            const sf::Vertex& a = (*set)[i];
            const sf::Vertex& b = (*set)[i + 1];
            if ((a.position.x == b.position.x) == vertical)
                out[vertical ? a.position.x : a.position.y] = a.color;
        }
    return out;
}
} // namespace

TEST(GridLines, MinorMajorAndAxisLinesCoverTheView) {
    GridLines grid;
    // x from -100 to 300, y from -100 to 100; cell 10: majors every 100.
    ASSERT_TRUE(BuildGridLines(sf::View({100, 0}, {400, 200}), {10, 10}, grid));
    const auto vertical = Lines(grid, true);
    const auto horizontal = Lines(grid, false);
    EXPECT_EQ(vertical.size(), 41u);
    EXPECT_EQ(horizontal.size(), 21u);
    EXPECT_EQ(vertical.begin()->first, -100);
    EXPECT_EQ(vertical.rbegin()->first, 300);
    struct Case {
        bool vertical;
        float at;
        sf::Color colour;
    };
    const Case cases[] = {
        {true, 0, c_gridAxisXColor},    {true, 100, c_gridMajorColor},  {true, -100, c_gridMajorColor},
        {true, 300, c_gridMajorColor},  {true, 10, c_gridMinorColor},   {true, -90, c_gridMinorColor},
        {false, 0, c_gridAxisYColor},   {false, 100, c_gridMajorColor}, {false, -50, c_gridMinorColor},
    };
    for (const Case& c : cases) {
        const auto& lines = c.vertical ? vertical : horizontal;
        ASSERT_TRUE(lines.count(c.at)) << c.at;
        EXPECT_EQ(lines.at(c.at), c.colour) << (c.vertical ? "x=" : "y=") << c.at;
    }
    // Lines span the visible rectangle; every major or axis line sits in the major set.
    EXPECT_EQ(grid.major.getVertexCount(), 2u * (5 + 3));
    EXPECT_EQ(grid.major[0].position.y, -100);
    EXPECT_EQ(grid.major[1].position.y, 100);
}

TEST(GridLines, CellsBelowOneAndOffOriginViews) {
    GridLines grid;
    // A cell of 0 acts as 1: every line is a multiple of 1², so all are major.
    ASSERT_TRUE(BuildGridLines(sf::View({-1000.5f, 2000.25f}, {8, 4}), {0, -3}, grid));
    EXPECT_EQ(grid.minor.getVertexCount(), 0u);
    EXPECT_EQ(Lines(grid, true).size(), 10u);  // -1005 .. -996
    EXPECT_EQ(Lines(grid, false).size(), 6u);  // 1998 .. 2003
    // Negative coordinates start at the cell multiple at or left of the edge.
    ASSERT_TRUE(BuildGridLines(sf::View({-45, -45}, {10, 10}), {7, 7}, grid));
    const auto vertical = Lines(grid, true);
    ASSERT_EQ(vertical.size(), 3u); // -56, -49, -42 for the view -50 .. -40
    EXPECT_EQ(vertical.begin()->first, -56);
    EXPECT_EQ(vertical.rbegin()->first, -42);
    EXPECT_EQ(vertical.at(-49), c_gridMajorColor);
    EXPECT_EQ(vertical.at(-56), c_gridMinorColor);
}

TEST(GridLines, HugeOrNonFiniteViewsGetNoGrid) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const sf::View views[] = {
        sf::View({0, 0}, {1e9f, 10}),         // a billion lines
        sf::View({0, 0}, {10, 1e30f}),        // beyond any integer
        sf::View({3e38f, 0}, {10, 10}),
        sf::View({nan, 0}, {10, 10}),
        sf::View({0, 0}, {inf, 10}),
        sf::View({0, 0}, {10, -inf}),
    };
    for (const sf::View& view : views) {
        GridLines grid;
        grid.minor.append({});
        EXPECT_FALSE(BuildGridLines(view, {1, 1}, grid));
        EXPECT_EQ(grid.minor.getVertexCount() + grid.major.getVertexCount(), 0u);
    }
    // The same width is fine with a cell large enough.
    GridLines grid;
    EXPECT_TRUE(BuildGridLines(sf::View({0, 0}, {1e9f, 10}), {100000, 1}, grid));
}

TEST(GridFade, FadesOutAboveTheThresholdAndBackBelow) {
    GridFade fade;
    GridFade::Step step = fade.Update(1.2f, 0.1f);
    EXPECT_FALSE(step.crossedUp);
    EXPECT_FALSE(step.changed);

    step = fade.Update(1.5f, 0.2f);
    EXPECT_TRUE(step.crossedUp);
    EXPECT_TRUE(step.changed);
    EXPECT_FLOAT_EQ(fade.time, 0.2f);
    step = fade.Update(2.f, 0.4f);
    EXPECT_FALSE(step.crossedUp);
    EXPECT_FLOAT_EQ(fade.time, GridFade::c_duration); // capped
    EXPECT_FALSE(fade.running());
    EXPECT_FLOAT_EQ(fade.radius(), 1000.f);
    EXPECT_FLOAT_EQ(fade.alpha(), 1.f);
    EXPECT_FALSE(fade.Update(3.f, 0.1f).changed);

    step = fade.Update(1.f, 0.3f);
    EXPECT_TRUE(step.changed);
    EXPECT_FLOAT_EQ(fade.time, 0.2f);
    EXPECT_FLOAT_EQ(fade.radius(), 0.16f * 1000.f);
    fade.Update(1.f, 1.f);
    EXPECT_EQ(fade.time, 0.f); // not below 0
}
