#include "app/InternalResource.hpp"

#include <fstream>
#include <iterator>

namespace InternalResource {

const char* getPath(int id) {
    switch (id) {
    case 101: return "Res/Arrows.png";
    case 102: return "Res/Setup.png";
    case 103: return "Res/FileIcons.png";
    case 104: return "Res/Montserrat.ttf";
    case 105: return "Res/Languages.csv";
    case 106: return "Res/Rotate.png";
    case 107: return "Res/RUX.png";
    // The default window layout ships in Res/ so that writing the layout file from it can
    // never read the very file it is about to create.
    case 108: return "Res/Level_layout.ini";
    case 109: return "Res/PropIcon.png";
    case 110: return "Res/Gizmo.png";
    case 111: return "Res/FiraCode.ttf";
    case 150: return "Res/Ex_Def.rpk";
    default: return nullptr;
    }
}

std::string getResource(int id, const char*) {
    const char* path = getPath(id);
    if (!path)
        return {};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace InternalResource
