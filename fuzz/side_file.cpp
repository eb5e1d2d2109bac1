// Editor side files (".led") applied to a level with a few particle systems; what is read
// must write back and read again to the same bytes.
#include "editor/SideFile.hpp"

#include <RUX.hpp>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {
rux::Level MakeLevel() {
    rux::Level level;
    for (const char* name : {"Fire", "Smoke", "Sparks"}) {
        rux::Level::Object& o = level.objects[name];
        o.type = rux::ObjectType::ParticleSystem;
        o.particleSystem = std::make_unique<rux::ParticleSystem>();
    }
    level.objects["Logo"].type = rux::ObjectType::Sprite;
    return level;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool headless = (rux::Graphics::setHeadless(true), true);
    (void)headless;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    rux::Level level = MakeLevel();
    if (!rux::ReadSideFile(level, bytes))
        return 0;
    std::string saved;
    rux::WriteSideFile(level, saved);
    rux::Level again = MakeLevel();
    if (!rux::ReadSideFile(again, saved))
        std::abort();
    std::string resaved;
    rux::WriteSideFile(again, resaved);
    if (resaved != saved)
        std::abort();
    return 0;
}
