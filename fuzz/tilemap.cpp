// Tile map files: ".tlm" (with the TLM001 tag) and the older ".tmap" (without), from memory.
#include <RUX.hpp>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool headless = (rux::Graphics::setHeadless(true), true);
    (void)headless;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (bool withMagic : {true, false}) {
        rux::TileMap map;
        std::string error;
        if (!map.loadFromMemory(bytes, withMagic, &error)) {
            if (error.empty()) std::abort();
            continue;
        }
        std::string saved;
        map.saveToMemory(saved, withMagic);
        rux::TileMap again;
        if (!again.loadFromMemory(saved, withMagic) || again.tiles != map.tiles) std::abort();
        map.DrawUpdate();
    }
    return 0;
}
