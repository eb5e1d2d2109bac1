#pragma once
// The built-in items the add-external-item dialog writes to a file of the user's choice.
#include <SFML/Graphics/Image.hpp>

#include <filesystem>
#include <string>

namespace rux {

// A 1 × 1 opaque white image.
sf::Image MakeWhitePixelImage();
// 256 × 256: pixel (x, y) is red x, green y, blue 0, opaque.
sf::Image MakeGradientImage();

// Writes item `type` (0 white pixel, 1 gradient, 2 interface font, 3 code font) at
// `location`; images take the format of its extension, fonts get ".ttf" appended.
// The path written, or empty with `error` set.
std::filesystem::path WriteExtItem(int type, const std::string& location, const std::string& uiFont,
                                   const std::string& codeFont, std::string& error);

} // namespace rux
