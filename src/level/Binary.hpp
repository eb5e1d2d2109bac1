#pragma once
// Little-endian reading and writing of the system's binary files. The reader works on bytes in
// memory, checks every access against the end, and remembers the first fault with its offset,
// so a parser can read a whole record and test once.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace sf { class InputStream; }

namespace rux {

// Reads what is left of `stream` into `out`. False when the stream fails to read.
bool ReadRest(sf::InputStream& stream, std::string& out);

class ByteReader {
public:
    ByteReader(const char* data, std::size_t size) : m_begin(data), m_p(data), m_end(data + size) {}
    explicit ByteReader(std::string_view bytes) : ByteReader(bytes.data(), bytes.size()) {}

    bool ok() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }
    std::size_t offset() const { return static_cast<std::size_t>(m_p - m_begin); }
    std::size_t remaining() const { return static_cast<std::size_t>(m_end - m_p); }

    // Records a fault (the first one wins) and stops further reads.
    void fail(const std::string& what);

    std::uint8_t u8() { return get<std::uint8_t>(); }
    std::uint16_t u16() { return get<std::uint16_t>(); }
    std::uint32_t u32() { return get<std::uint32_t>(); }
    std::int32_t i32() { return get<std::int32_t>(); }
    std::int64_t i64() { return get<std::int64_t>(); }
    float f32() { return get<float>(); }
    // A uint32 length and that many bytes; the length is checked against what remains.
    std::string_view str();
    // `count` bytes; empty view (and a fault) when fewer remain.
    std::string_view bytes(std::uint64_t count);
    // The bytes between two offsets already read past.
    std::string_view slice(std::size_t from, std::size_t to) const {
        return std::string_view(m_begin + from, to - from);
    }
    // Whether `count` items of `size` bytes fit in what remains; records a fault otherwise.
    bool fits(std::uint64_t count, std::uint64_t size, const char* what);

private:
    template <class T> T get() {
        T v{};
        if (!ok()) return v;
        if (remaining() < sizeof(T)) {
            fail("truncated");
            return v;
        }
        std::memcpy(&v, m_p, sizeof(T)); // the platforms we build for are little-endian
        m_p += sizeof(T);
        return v;
    }

    const char* m_begin;
    const char* m_p;
    const char* m_end;
    std::string m_error;
};

inline void PutU8(std::string& out, std::uint8_t v) { out.push_back(static_cast<char>(v)); }
template <class T> inline void PutRaw(std::string& out, T v) {
    char b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    out.append(b, sizeof(T));
}
inline void PutU16(std::string& out, std::uint16_t v) { PutRaw(out, v); }
inline void PutU32(std::string& out, std::uint32_t v) { PutRaw(out, v); }
inline void PutI32(std::string& out, std::int32_t v) { PutRaw(out, v); }
inline void PutF32(std::string& out, float v) { PutRaw(out, v); }
inline void PutStr(std::string& out, std::string_view s) {
    PutU32(out, static_cast<std::uint32_t>(s.size()));
    out.append(s);
}

// A colour component 0..1 as a byte: ×255, truncated; out-of-range and NaN values clamp.
inline std::uint8_t ColorByte(float c) {
    const float v = c * 255.f;
    if (!(v > 0.f)) return 0;
    if (v >= 255.f) return 255;
    return static_cast<std::uint8_t>(v);
}

} // namespace rux
