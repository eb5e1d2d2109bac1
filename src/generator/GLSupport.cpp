#include "generator/GLSupport.hpp"

#include <epoxy/gl.h>
#include <SFML/Window/Context.hpp>
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace Tessly
{
    int MaxEvolutionCount(const GLInfo& info)
    {
        const int fromDriver = (info.maxFragmentUniformVectors - 4) / 10 * 10;
        return std::clamp(fromDriver, 0, 1020);
    }

    bool HasDisplay()
    {
        const char* name = std::getenv("DISPLAY");
        if (!name || !*name)
            return false;
        static std::mutex mutex;
        static std::string known;
        // Held open until the process ends: an X server resets when its last client leaves and
        // refuses connections meanwhile, which would hit the window library's next context.
        static Display* keeper = nullptr;
        std::lock_guard lock(mutex);
        if (keeper && known == name)
            return true;
        for (int attempt = 0; attempt < 3; ++attempt)
        {
            if (Display* display = XOpenDisplay(name))
            {
                if (keeper)
                    XCloseDisplay(keeper);
                keeper = display;
                known = name;
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    namespace
    {
        GLInfo ReadGL()
        {
            GLInfo info;
            sf::Context context(sf::ContextSettings(0, 0, 0, 4, 2), 1, 1);
            if (!context.setActive(true))
                return info;
            const sf::ContextSettings settings = context.getSettings();
            info.version = static_cast<int>(settings.majorVersion * 10 + settings.minorVersion);
            glGetIntegerv(GL_MAX_TEXTURE_SIZE, &info.maxTextureSize);
            glGetIntegerv(GL_MAX_FRAGMENT_UNIFORM_VECTORS, &info.maxFragmentUniformVectors);
            return info;
        }
    }

    GLInfo QueryGL()
    {
        // The driver does not change while the process runs.
        static const GLInfo info = ReadGL();
        return info;
    }
}
