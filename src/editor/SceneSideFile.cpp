#include "editor/Scene.hpp"
#include "editor/SideFile.hpp"

#include <fstream>
#include <iterator>

namespace rux {

void Scene::saveLED(std::string& out) const { WriteSideFile(*this, out); }

bool Scene::loadLED(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ReadSideFile(*this, bytes);
}

} // namespace rux
