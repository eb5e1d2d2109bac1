#pragma once

#include <SFML/Graphics/Image.hpp>

#include <cmath>
#include <filesystem>
#include <string>
#include <unistd.h>

// Tests of one folder may run at the same time and share these files: write a copy, then
// rename it into place, so a reader never sees half a picture.
inline void SaveAtomically(const sf::Image& image, const std::string& name)
{
    const std::string temporary = name + "." + std::to_string(getpid()) + ".png";
    image.saveToFile(temporary);
    std::filesystem::rename(temporary, name);
}

// Small targets for generator tests, written into the test's working folder.
inline std::string WriteTarget(const std::string& name, unsigned w, unsigned h)
{
    sf::Image image;
    image.create(w, h);
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x)
        {
            // A disc of orange on a blue-to-green ramp: edges at every angle and real gradients.
            const float dx = float(x) - w * 0.4f, dy = float(y) - h * 0.55f;
            const bool disc = dx * dx + dy * dy < float(w * h) * 0.08f;
            image.setPixel(x, y, disc ? sf::Color(240, 140, 30) : sf::Color(20, sf::Uint8(40 + 200 * y / h), 200));
        }
    SaveAtomically(image, name);
    return name;
}

inline std::string WriteChecker(const std::string& name, unsigned side)
{
    sf::Image image;
    image.create(side, side);
    for (unsigned y = 0; y < side; ++y)
        for (unsigned x = 0; x < side; ++x)
            image.setPixel(x, y, (x + y) % 2 ? sf::Color::White : sf::Color::Black);   // corners black
    SaveAtomically(image, name);
    return name;
}

// Root mean square difference over red, green and blue, 0..255.
inline double Rmse(const sf::Image& a, const sf::Image& b)
{
    double sum = 0;
    const sf::Vector2u size = a.getSize();
    for (unsigned y = 0; y < size.y; ++y)
        for (unsigned x = 0; x < size.x; ++x)
        {
            const sf::Color p = a.getPixel(x, y), q = b.getPixel(x, y);
            sum += std::pow(p.r - q.r, 2) + std::pow(p.g - q.g, 2) + std::pow(p.b - q.b, 2);
        }
    return std::sqrt(sum / (3.0 * size.x * size.y));
}
