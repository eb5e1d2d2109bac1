#pragma once

#include <SFML/System/InputStream.hpp>
#include <SFML/System/MemoryInputStream.hpp>

#include <algorithm>
#include <cstring>

// An in-memory stream that will not tell its size, as some streams cannot; readers must then
// still stay within what they are given.
class SizelessStream : public sf::InputStream
{
public:
    SizelessStream(const void* data, std::size_t size) : m_data(static_cast<const char*>(data)), m_size(size) {}

    sf::Int64 read(void* out, sf::Int64 size) override
    {
        const sf::Int64 count = std::min<sf::Int64>(size, sf::Int64(m_size - m_at));
        std::memcpy(out, m_data + m_at, std::size_t(count));
        m_at += std::size_t(count);
        return count;
    }
    sf::Int64 seek(sf::Int64 position) override
    {
        m_at = std::min<std::size_t>(std::size_t(position), m_size);
        return sf::Int64(m_at);
    }
    sf::Int64 tell() override { return sf::Int64(m_at); }
    sf::Int64 getSize() override { return -1; }

private:
    const char* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};
