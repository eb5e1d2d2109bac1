#pragma once

#include <SFML/Graphics/Color.hpp>

namespace DDD
{
    // A colour as four floats 0..1, the way shaders take it.
    struct ColorF
    {
        float r = 0.f, g = 0.f, b = 0.f, a = 1.f;

        ColorF() = default;
        ColorF(float red, float green, float blue, float alpha) : r(red), g(green), b(blue), a(alpha) {}
        ColorF(const sf::Color& c) : r(c.r / 255.f), g(c.g / 255.f), b(c.b / 255.f), a(c.a / 255.f) {}
    };
}
