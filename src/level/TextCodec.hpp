#pragma once
// Text strings in files are UTF-8 (identical to the old one-byte form for ASCII). Older files
// held one byte per character in Latin-1, so bytes that are not valid UTF-8 read as Latin-1.
#include <SFML/System/String.hpp>
#include <string>
#include <string_view>

namespace rux {

bool IsValidUtf8(std::string_view bytes);
std::string ToUtf8(const sf::String& text);
sf::String FromStoredText(std::string_view bytes);
// Valid UTF-8 unchanged, anything else re-encoded from Latin-1: always valid UTF-8.
std::string AsUtf8(std::string_view bytes);

} // namespace rux
