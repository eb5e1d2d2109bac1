#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The generator's three jobs without a window: generate a picture, re-render a frame file at
// any size, merge frame files into a video. Every message goes to sf::err().
namespace CMDTools
{
    enum class Mode { None = 0, Generator = 1, Rerender = 2, Merger = 3 };

    struct Settings
    {
        Mode mode = Mode::None;
        std::string input;
        std::string output;            // without extension
        std::string texture;           // empty: the default white square
        int shapeCount = 500;
        bool exportPng = false;
        bool exportTyu = false;
        int minRotation = 0, maxRotation = 360;
        int minSize = 3, maxSize = 512;
        int evolutionCount = 500;
        int generationCount = 3;
        int resolutionX = 1280, resolutionY = 720;
        int shapesToRender = -1;       // below 1: all
        int antialiasing = 0;
        int frameCount = -1;           // -1: not given
        bool seedGiven = false;        // otherwise the engine seeds from the clock
        std::uint32_t seed = 0;
    };

    // What the driver allows; the checks of -P and -AE depend on it.
    struct Limits
    {
        int maxTextureSize = 16384;
        int maxEvolutionCount = 1020;
    };

    // args holds every command-line argument, the program path first; backslashes in path
    // values are turned into "/" in place. Returns 1 when a mode ran to its end, 0 when an
    // argument error or a missing setting was reported (the caller then adds the hint line),
    // -1 when the help text was written or the job could not run (no X display, no OpenGL 4.2,
    // an unreadable input, a failed write).
    int Start(std::vector<std::string>& args);

    // True when args asks for the help text ("--help" after the program path); Start then
    // writes it before touching OpenGL and returns -1.
    bool HelpRequested(const std::vector<std::string>& args);

    // The process exit status for a result of Start: 0 when a mode ran or the help was
    // written, 1 for an argument error or a reported failure.
    int ExitStatus(int startResult, bool helpWritten);

    // The pieces of Start. ParseArguments and CommonChecks return 1 when fine and 0 after
    // writing their message; they need no OpenGL context.
    int ParseArguments(std::vector<std::string>& args, Settings& settings, const Limits& limits);
    int CommonChecks(const Settings& settings);
    const std::string& HelpText();

    // "[==========          ] 50% Count: 500 / 1000\r"
    std::string ProgressLine(int placed, int total);

    // The modes, each returning 1 on success, 0 for a missing setting, -1 for a failure.
    int RunGenerator(const Settings& settings);
    int RunRerender(const Settings& settings);
    int RunMerger(const Settings& settings);
}
