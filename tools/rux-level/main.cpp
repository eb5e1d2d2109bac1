// rux-level: level files for build pipelines and version control, from the command line.
#include "Commands.hpp"
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const c_help =
    "Usage: rux-level COMMAND ARGUMENTS\n"
    "\n"
    "Commands:\n"
    "  info FILE.rux                 print the version, the assets and the objects\n"
    "                                (kind, z order, position, name)\n"
    "  json FILE.rux [OUT.json]      write the level as JSON (default FILE.json; - for stdout)\n"
    "  resave IN.rux OUT.rux         read any supported version (#1.4 to #1.7) and write #1.7;\n"
    "                                refused while asset files are missing\n"
    "  render IN.rux OUT.png [--size WxH] [--camera NAME]\n"
    "                                draw the level into a PNG through the main camera, 1:1 and\n"
    "                                1280x720 by default, or through the named camera with its\n"
    "                                size, rotation and resolution multiplier\n"
    "  --help                        show this text\n"
    "\n"
    "Asset paths resolve against the level's project folder (for L/N.rux that is L/N).\n"
    "Textures and fonts are loaded, which needs a display (use xvfb-run on a server).\n"
    "Output files are replaced in one step; on any error nothing is written.\n"
    "Exit status: 0 success, 1 a file could not be read or written, 2 wrong arguments.\n";

int Usage(const char* what) {
    std::fprintf(stderr, "rux-level: %s (see rux-level --help)\n", what);
    return 2;
}

bool ParseSize(const std::string& text, unsigned& w, unsigned& h) {
    unsigned long a = 0, b = 0;
    char x = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%lu%c%lu%c", &a, &x, &b, &rest) != 3 || (x != 'x' && x != 'X')) return false;
    if (a == 0 || b == 0 || a > 65536 || b > 65536) return false;
    w = static_cast<unsigned>(a);
    h = static_cast<unsigned>(b);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage("no command");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(c_help, stdout);
        return 0;
    }
    if (command == "info") {
        if (args.size() != 2) return Usage("info takes one level file");
        return ruxlevel::Info(args[1]);
    }
    if (command == "json") {
        if (args.size() != 2 && args.size() != 3) return Usage("json takes a level file and an optional output");
        std::string out = args.size() == 3 ? args[2] : args[1];
        if (args.size() == 2) {
            const auto dot = out.rfind('.');
            const auto slash = out.rfind('/');
            if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) out.erase(dot);
            out += ".json";
        }
        return ruxlevel::Json(args[1], out);
    }
    if (command == "resave") {
        if (args.size() != 3) return Usage("resave takes an input and an output file");
        return ruxlevel::Resave(args[1], args[2]);
    }
    if (command == "render") {
        ruxlevel::RenderOptions options;
        std::vector<std::string> files;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--size" && i + 1 < args.size()) {
                if (!ParseSize(args[++i], options.width, options.height)) return Usage("--size wants WxH");
            } else if (args[i] == "--camera" && i + 1 < args.size()) {
                options.camera = args[++i];
                if (options.camera.empty()) return Usage("--camera wants a name");
            } else if (args[i].rfind("--", 0) == 0) {
                return Usage(("unknown option " + args[i]).c_str());
            } else {
                files.push_back(args[i]);
            }
        }
        if (files.size() != 2) return Usage("render takes an input level and an output PNG");
        return ruxlevel::Render(files[0], files[1], options);
    }
    return Usage(("unknown command " + command).c_str());
}
