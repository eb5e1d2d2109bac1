// Particle system images: ".psy" ("PSY002", or the older "PSY001") and headerless ".part".
#include <RUX.hpp>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool headless = (rux::Graphics::setHeadless(true), true);
    (void)headless;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (bool noHeader : {false, true}) {
        rux::ParticleSystem system;
        if (!system.loadFromMemory(bytes, noHeader)) continue;
        std::string saved;
        system.saveToMemory(saved, noHeader);
        rux::ParticleSystem again;
        std::string resaved;
        if (!again.loadFromMemory(saved, noHeader)) std::abort();
        again.saveToMemory(resaved, noHeader);
        if (resaved != saved) std::abort();
        // Large pools are legal but slow under the sanitizers; the logic is the same.
        if (system.maxParticles > 20000) continue;
        // Run it briefly: emission, ageing and copying must stay in bounds whatever the values.
        for (int i = 0; i < 3; ++i) system.Update(sf::milliseconds(40));
        rux::ParticleSystem copy(system);
        copy.Update(sf::milliseconds(40));
        (void)copy.takeEvents();
    }
    return 0;
}
