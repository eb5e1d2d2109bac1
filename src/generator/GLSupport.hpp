#pragma once

namespace Tessly
{
    // What the OpenGL driver of this machine offers the generator.
    struct GLInfo
    {
        int version = 0;                 // major * 10 + minor
        int maxTextureSize = 0;
        int maxFragmentUniformVectors = 0;
    };

    // The engine's evaluation shader holds one vec4 per candidate; a few vectors stay free for the driver.
    int MaxEvolutionCount(const GLInfo& info);

    // True when an X display can be opened. Without one the window library aborts the process
    // on its first context, so callers check this before creating any. The first connection
    // stays open for the life of the process.
    bool HasDisplay();

    // Creates a short-lived context on first use and reads the version and limits. Needs a display.
    GLInfo QueryGL();
}
