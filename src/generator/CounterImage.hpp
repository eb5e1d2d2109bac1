#pragma once

#include <cstdint>
#include <vector>

namespace Tessly
{
    // A 1D texture of 32-bit signed integers that shaders add to atomically through an image
    // unit, with a host copy to read the sums back.
    class CounterImage
    {
    public:
        CounterImage() = default;
        ~CounterImage();
        CounterImage(const CounterImage&) = delete;
        CounterImage& operator=(const CounterImage&) = delete;

        // Allocates `texels` counters. Needs a current context.
        void create(std::size_t texels);
        // Sets every counter to 0 and binds the texture to image unit 0 for reading and writing.
        void resetAndBind();
        // Waits for the shader writes and copies the counters to the host.
        const std::vector<std::int32_t>& read();

        const std::vector<std::int32_t>& values() const { return m_host; }

    private:
        unsigned m_name = 0;
        std::vector<std::int32_t> m_host;
        std::vector<std::int32_t> m_zeros;
    };
}
