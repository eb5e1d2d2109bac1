#include "generator/CMDTools.hpp"

#include <SFML/System/Err.hpp>

#include <ostream>

namespace CMDTools
{
    namespace
    {
        int NotBuilt(const char* mode)
        {
            sf::err() << mode << " is not built yet." << std::endl;
            return -1;
        }
    }

    int RunGenerator(const Settings& s)
    {
        if (!s.exportPng && !s.exportTyu)
        {
            sf::err() << "Export file format not specified." << std::endl;
            return 0;
        }
        return NotBuilt("Tessly Generator");
    }

    int RunRerender(const Settings&) { return NotBuilt("Tessly Re-render"); }

    int RunMerger(const Settings& s)
    {
        if (s.frameCount < 0)
        {
            sf::err() << "Frame count not specified." << std::endl;
            return 0;
        }
        return NotBuilt("Tessly Video merger");
    }
}
