// The video merger's datasheet: one frame path per line.
#include "generator/Datasheet.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = Tessly::ParseDatasheet(bytes);
    std::size_t kept = 0;
    for (const std::string& line : lines)
    {
        if (line.find_first_of(std::string("\n\t\r\0", 4)) != std::string::npos)
            std::abort();
        kept += line.size() + 1;
    }
    if (kept > size + 1)
        std::abort();
    return 0;
}
