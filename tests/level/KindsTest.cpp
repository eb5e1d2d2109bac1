// Vertex objects, lights, hitboxes and the picking test.
#include "Helpers.hpp"
#include <RUX.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

using namespace rux;

TEST(Lights, GradientTexturesAndSharing) {
    const sf::Image point = PointLight::getLightTexture(4).copyToImage();
    EXPECT_EQ(point.getPixel(0, 0).a, 0);
    EXPECT_EQ(point.getPixel(1, 1).a, 103);
    const sf::Image dir = DirectionalLight::getLightTexture(4).copyToImage();
    ASSERT_EQ(dir.getSize(), sf::Vector2u(4, 1));
    const int expected[] = {255, 127, 74, 34};
    for (unsigned x = 0; x < 4; ++x) EXPECT_EQ(dir.getPixel(x, 0).a, expected[x]) << x;

    PointLight::LightTextures().clear();
    PointLight a, b, c;
    c.resolution = 64;
    sf::RenderTexture rt;
    ASSERT_TRUE(rt.create(8, 8));
    rt.draw(a);
    rt.draw(b);
    EXPECT_EQ(PointLight::LightTextures().size(), 1u);
    rt.draw(c);
    EXPECT_EQ(PointLight::LightTextures().size(), 2u);
}

TEST(Lights, ResolutionIsAPowerOfTwoWithinLimits) {
    const std::pair<unsigned, unsigned> cases[] = {{0, 1}, {1, 1}, {3, 2}, {512, 512}, {600, 512}, {65535, 4096}};
    for (auto [in, out] : cases) EXPECT_EQ(ClampLightResolution(in), out) << in;
}

TEST(VertexObject, SelectIconsAndPrimitiveCodes) {
    VertexObject v;
    v.vertices.append(sf::Vertex({10.f, 20.f}));
    v.vertices.append(sf::Vertex({30.f, 40.f}));
    v.generateSelectIcons();
    ASSERT_EQ(v.selectIcons.getVertexCount(), 12u);
    EXPECT_NEAR(v.selectIcons[0].position.x, 10.f - 2.82842f, 1e-4);
    EXPECT_EQ(v.selectIcons[2].texCoords, sf::Vector2f(64, 64));
    const sf::Vector2f firstIcon = v.selectIcons[0].position;
    v.addSelectIcon(0);
    ASSERT_EQ(v.selectIcons.getVertexCount(), 18u);
    EXPECT_EQ(v.selectIcons[6].position, firstIcon); // old icons moved to 6..17
    v.selectSelectIcon(1, true);
    EXPECT_EQ(v.selectIcons[6].color, sf::Color::White);

    v.setPrimitiveCode(6);
    EXPECT_EQ(v.vertices.getPrimitiveType(), sf::Triangles); // unknown codes draw as triangles
    EXPECT_EQ(v.getPrimitiveCode(), 6);                       // and are kept for saving
    v.vertices.setPrimitiveType(sf::Lines);
    EXPECT_EQ(v.getPrimitiveCode(), 1);
}

TEST(VertexObject, DrawsFromItsArrayWithoutTheBuffer) {
    VertexObject v;
    v.useGpuBuffer = false;
    v.setPrimitiveCode(3);
    v.vertices.append(sf::Vertex({0.f, 0.f}, sf::Color::Green));
    v.vertices.append(sf::Vertex({8.f, 0.f}, sf::Color::Green));
    v.vertices.append(sf::Vertex({0.f, 8.f}, sf::Color::Green));
    sf::RenderTexture rt;
    ASSERT_TRUE(rt.create(8, 8));
    rt.clear();
    rt.draw(v);
    rt.display();
    EXPECT_EQ(rt.getTexture().copyToImage().getPixel(1, 1), sf::Color::Green);
}

TEST(Collision, TransformedRectanglePoint) {
    const sf::FloatRect r(-1.f, -1.f, 2.f, 2.f);
    EXPECT_TRUE(Collision::TransformedRectangle_Point(r, sf::Transform::Identity, {-1.f, -1.f}));
    EXPECT_TRUE(Collision::TransformedRectangle_Point(r, sf::Transform::Identity, {0.99f, 0.5f}));
    EXPECT_FALSE(Collision::TransformedRectangle_Point(r, sf::Transform::Identity, {1.f, 0.f}));
    EXPECT_FALSE(Collision::TransformedRectangle_Point(r, sf::Transform::Identity, {0.f, 1.f}));
    sf::Transform rot;
    rot.rotate(45.f);
    EXPECT_TRUE(Collision::TransformedRectangle_Point(r, rot, {0.f, 0.f}));
    EXPECT_FALSE(Collision::TransformedRectangle_Point(r, rot, {1.f, 1.f}));
}
