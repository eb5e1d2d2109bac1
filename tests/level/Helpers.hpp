#pragma once
// Small tools shared by the level tests.
#include <SFML/System/Err.hpp>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include "level/Graphics.hpp"

namespace testing_rux {

// Collects what is written to sf::err() while alive.
class ErrCapture {
public:
    ErrCapture() : m_old(sf::err().rdbuf(m_text.rdbuf())) {}
    ~ErrCapture() { sf::err().rdbuf(m_old); }
    std::string text() const { return m_text.str(); }

private:
    std::stringstream m_text;
    std::streambuf* m_old;
};

class Headless {
public:
    Headless() { rux::Graphics::setHeadless(true); }
    ~Headless() { rux::Graphics::setHeadless(false); }
};

// Builds little-endian byte images for fixtures.
struct Bytes {
    std::string s;
    template <class T> Bytes& raw(T v) {
        char b[sizeof(T)];
        std::memcpy(b, &v, sizeof(T));
        s.append(b, sizeof(T));
        return *this;
    }
    Bytes& u8(std::uint8_t v) { return raw(v); }
    Bytes& u16(std::uint16_t v) { return raw(v); }
    Bytes& u32(std::uint32_t v) { return raw(v); }
    Bytes& i32(std::int32_t v) { return raw(v); }
    Bytes& f32(float v) { return raw(v); }
    Bytes& str(const std::string& v) {
        u32(static_cast<std::uint32_t>(v.size()));
        s += v;
        return *this;
    }
    Bytes& text(const std::string& v) {
        s += v;
        return *this;
    }
};

inline std::string Hex(const std::string& s) {
    static const char d[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (!out.empty()) out += ' ';
        out += d[c >> 4];
        out += d[c & 15];
    }
    return out;
}

} // namespace testing_rux
