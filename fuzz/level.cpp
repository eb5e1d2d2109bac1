// Level files of every version ("#1.4" to "#1.7"), read from memory with assets resolved in a
// folder that does not exist. A level that loads must save and load again; from then on saving
// and loading must reproduce the same bytes. (The first save may differ from the second: old
// versions keep assets whose files are missing, the current one points at the missing asset.)
#include <RUX.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/System/MemoryInputStream.hpp>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool init = [] {
        rux::Graphics::setHeadless(true);
        static std::stringstream sink;
        sf::err().rdbuf(sink.rdbuf());
        return true;
    }();
    (void)init;
    const std::filesystem::path folder = "/nonexistent-rux-fuzz/level";

    rux::Level level;
    // The editor's main camera exists before a load: a file must not be able to trip over it.
    level.objects[rux::c_mainCameraName].camera = std::make_unique<rux::Camera>();
    level.objects[rux::c_mainCameraName].type = rux::ObjectType::Camera;
    sf::MemoryInputStream in;
    in.open(data, size);
    if (!level.loadFromStream(in, folder)) {
        if (level.getLoadError().empty()) std::abort();
        return 0;
    }
    std::string first;
    level.saveToMemory(first);
    std::string json;
    level.saveJSON(json);

    auto reload = [&](const std::string& bytes) {
        rux::Level again;
        sf::MemoryInputStream stream;
        stream.open(bytes.data(), bytes.size());
        if (!again.loadFromStream(stream, folder)) std::abort();
        std::string out;
        again.saveToMemory(out);
        return out;
    };
    const std::string second = reload(first);
    if (reload(second) != second) std::abort();
    return 0;
}
