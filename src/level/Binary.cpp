#include "level/Binary.hpp"
#include <SFML/System/InputStream.hpp>

namespace rux {

bool ReadRest(sf::InputStream& stream, std::string& out) {
    out.clear();
    const sf::Int64 size = stream.getSize();
    const sf::Int64 pos = stream.tell();
    if (size >= 0 && pos >= 0 && size >= pos) {
        out.resize(static_cast<std::size_t>(size - pos));
        std::size_t got = 0;
        while (got < out.size()) {
            const sf::Int64 n = stream.read(out.data() + got, static_cast<sf::Int64>(out.size() - got));
            if (n < 0) return false;
            if (n == 0) break;
            got += static_cast<std::size_t>(n);
        }
        out.resize(got);
        return true;
    }
    // Size unknown: read in chunks until the end.
    char chunk[65536];
    for (;;) {
        const sf::Int64 n = stream.read(chunk, sizeof chunk);
        if (n < 0) return false;
        if (n == 0) return true;
        out.append(chunk, static_cast<std::size_t>(n));
    }
}

void ByteReader::fail(const std::string& what) {
    if (!m_error.empty()) return;
    m_error = what + " at byte " + std::to_string(offset());
    m_p = m_end;
}

std::string_view ByteReader::str() {
    const std::uint32_t n = u32();
    if (!ok()) return {};
    if (n > remaining()) {
        fail("string of " + std::to_string(n) + " bytes runs past the end");
        return {};
    }
    return bytes(n);
}

std::string_view ByteReader::bytes(std::uint64_t count) {
    if (!ok()) return {};
    if (count > remaining()) {
        fail("truncated");
        return {};
    }
    std::string_view v(m_p, static_cast<std::size_t>(count));
    m_p += count;
    return v;
}

bool ByteReader::fits(std::uint64_t count, std::uint64_t size, const char* what) {
    if (!ok()) return false;
    // count < 2^32 and size is small, so the product cannot wrap in 64 bits.
    if (size != 0 && count > remaining() / size) {
        fail(std::string(what) + " count " + std::to_string(count) + " exceeds the data left");
        return false;
    }
    return true;
}

} // namespace rux
