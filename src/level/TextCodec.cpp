#include "level/TextCodec.hpp"
#include <SFML/System/Utf.hpp>
#include <iterator>

namespace rux {

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t len;
        std::uint32_t cp;
        if (c < 0x80) { ++i; continue; }
        if (c >= 0xC2 && c <= 0xDF) { len = 2; cp = c & 0x1F; }
        else if (c >= 0xE0 && c <= 0xEF) { len = 3; cp = c & 0x0F; }
        else if (c >= 0xF0 && c <= 0xF4) { len = 4; cp = c & 0x07; }
        else return false;
        if (s.size() - i < len) return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

std::string ToUtf8(const sf::String& text) {
    std::string out;
    sf::Utf32::toUtf8(text.begin(), text.end(), std::back_inserter(out));
    return out;
}

sf::String FromStoredText(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return sf::String::fromUtf8(bytes.begin(), bytes.end());
    std::basic_string<sf::Uint32> wide;
    wide.reserve(bytes.size());
    for (char c : bytes) wide.push_back(static_cast<unsigned char>(c));
    return sf::String(wide);
}

std::string AsUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out.push_back(ch);
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

} // namespace rux
