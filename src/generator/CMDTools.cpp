#include "generator/CMDTools.hpp"

#include "generator/GLSupport.hpp"

#include <SFML/System/Err.hpp>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <ostream>

namespace CMDTools
{
    namespace
    {
        int Report(const std::string& message)
        {
            sf::err() << message << std::endl;
            return 0;
        }

        bool ReadInt(const std::string& text, long long& out)
        {
            const char* first = text.data();
            const char* last = first + text.size();
            const auto [end, error] = std::from_chars(first, last, out);
            return error == std::errc() && end == last && first != last;
        }

        // Walks the arguments; each option takes its values from the following arguments.
        class Parser
        {
        public:
            Parser(std::vector<std::string>& args) : m_args(args) {}

            bool done() const { return m_index >= m_args.size(); }
            const std::string& next() { return m_args[m_index++]; }

            // The next argument as an int; reports missing or malformed values.
            bool number(const std::string& option, const char* missing, int& out)
            {
                if (done())
                    return Report(missing) != 0;
                const std::string& text = next();
                long long value = 0;
                if (!ReadInt(text, value) || value < INT32_MIN || value > INT32_MAX)
                    return Report("Invalid number for " + option + ": " + text) != 0;
                out = static_cast<int>(value);
                return true;
            }

            bool path(const char* missing, std::string& out)
            {
                if (done())
                    return Report(missing) != 0;
                std::string& text = m_args[m_index++];
                std::replace(text.begin(), text.end(), '\\', '/');
                out = text;
                return true;
            }

        private:
            std::vector<std::string>& m_args;
            std::size_t m_index = 1;
        };

        bool ParseSeed(Parser& parser, Settings& s)
        {
            if (parser.done())
                return Report("Seed not specified.") != 0;
            const std::string& text = parser.next();
            long long value = 0;
            if (!ReadInt(text, value) || value < 0 || value > UINT32_MAX)
                return Report("Seed must be a whole number from 0 to 4294967295.") != 0;
            s.seed = static_cast<std::uint32_t>(value);
            s.seedGiven = true;
            return true;
        }

        // Two-character options, looked up by their letter. False after a reported error.
        bool ParseShort(Parser& p, const std::string& arg, Settings& s, const Limits& limits)
        {
            switch (arg[1])
            {
            case 'G': s.mode = Mode::Generator; return true;
            case 'R': s.mode = Mode::Rerender; return true;
            case 'M': s.mode = Mode::Merger; return true;
            case 'I': return p.path("Input path not specified.", s.input);
            case 'O': return p.path("Output path not specified.", s.output);
            case 'T': return p.path("Texture path not specified.", s.texture);
            case 'D': return p.number(arg, "Shapes to re-render not specified.", s.shapesToRender);
            case 'A':
                if (!p.number(arg, "Antialiasing not specified.", s.antialiasing))
                    return false;
                if (s.antialiasing < 0)
                    return Report("Antialiasing level must be at least 0.") != 0;
                return true;
            case 'C':
                if (!p.number(arg, "Frame count not specified.", s.frameCount))
                    return false;
                if (s.frameCount < 1 || s.frameCount > 65535)
                    return Report("Frame count must be between 1 and 65535.") != 0;
                return true;
            case 'S':
                if (!p.number(arg, "Shape count not specified.", s.shapeCount))
                    return false;
                if (s.shapeCount < 1)
                    return Report("Shape count must be at least 1.") != 0;
                return true;
            case 'P':
                if (!p.number(arg, "X axis render resolution not specified.", s.resolutionX) ||
                    !p.number(arg, "Y axis render resolution not specified.", s.resolutionY))
                    return false;
                if (s.resolutionX < 1 || s.resolutionY < 1 || s.resolutionX > limits.maxTextureSize ||
                    s.resolutionY > limits.maxTextureSize)
                    return Report("Render resolution must be between 1 and " + std::to_string(limits.maxTextureSize) +
                                  " pixels on each axis.") != 0;
                return true;
            default:
                return Report("Unknown argument " + arg + ".") != 0;
            }
        }

        // Three-character options beginning with "-A"; others of that length are ignored.
        bool ParseAdvanced(Parser& p, const std::string& arg, Settings& s)
        {
            switch (arg[2])
            {
            case 'E':
                if (!p.number(arg, "Object evolution count not specified.", s.evolutionCount))
                    return false;
                if (s.evolutionCount > 1024)
                    return Report("Object evolution count must be less than 1024.") != 0;
                if (s.evolutionCount < 30 || s.evolutionCount % 10 != 0)
                    return Report("Object evolution count must be at least 30 and multiple of 10.") != 0;
                return true;
            case 'G':
                if (!p.number(arg, "Object generation count not specified.", s.generationCount))
                    return false;
                if (s.generationCount < 2 || s.generationCount > 20)
                    return Report("Object generation count must be between 2 and 20.") != 0;
                return true;
            case 'R':
                return p.number(arg, "Min rotation not specified.", s.minRotation) &&
                       p.number(arg, "Max rotation not specified.", s.maxRotation);
            case 'S':
                if (!p.number(arg, "Min shape size not specified.", s.minSize) ||
                    !p.number(arg, "Max shape size not specified.", s.maxSize))
                    return false;
                if (s.minSize < 1)
                    return Report("Min shape size must be at least 1.") != 0;
                if (s.maxSize < s.minSize)
                    return Report("Max shape size must be at least min shape size.") != 0;
                return true;
            default:
                return true;
            }
        }

        bool FolderExists(const std::string& path)
        {
            std::error_code error;
            return std::filesystem::exists(path, error);
        }

        // Runs when a temporary context says the driver is good enough; -1 after a message otherwise.
        int ProbeOpenGL(Limits& limits)
        {
            if (!Tessly::HasDisplay())
            {
                sf::err() << "No X display could be opened (is DISPLAY set?); Tessly needs one for OpenGL." << std::endl;
                return -1;
            }
            const Tessly::GLInfo info = Tessly::QueryGL();
            if (info.version < 42)
            {
                sf::err() << "Tessly not supported on your system since your OpenGL driver does not support version 4.2. "
                             "Check if updates are available."
                          << std::endl;
                return -1;
            }
            limits.maxTextureSize = info.maxTextureSize;
            limits.maxEvolutionCount = Tessly::MaxEvolutionCount(info);
            return 1;
        }
    }

    bool HelpRequested(const std::vector<std::string>& args)
    {
        return std::find(args.begin() + std::min<std::size_t>(1, args.size()), args.end(), "--help") != args.end();
    }

    int ExitStatus(int startResult, bool helpWritten)
    {
        if (startResult == 1 || (startResult == -1 && helpWritten))
            return 0;
        return 1;
    }

    int ParseArguments(std::vector<std::string>& args, Settings& s, const Limits& limits)
    {
        Parser parser(args);
        while (!parser.done())
        {
            const std::string arg = parser.next();
            if (arg.empty() || arg[0] != '-')
                continue;
            bool ok = true;
            if (arg.size() == 2)
                ok = ParseShort(parser, arg, s, limits);
            else if (arg.size() == 3 && arg[1] == 'A')
                ok = ParseAdvanced(parser, arg, s);
            else if (arg == "-PNG")
                s.exportPng = true;
            else if (arg == "-TYU")
                s.exportTyu = true;
            else if (arg == "--seed")
                ok = ParseSeed(parser, s);
            if (!ok)
                return 0;
        }
        return 1;
    }

    int CommonChecks(const Settings& s)
    {
        if (s.input.empty())
            return Report("Input location not specified.");
        if (!FolderExists(s.input))
            return Report("Input location does not exist.");
        if (s.output.empty())
            return Report("Output location not specified.");
        const std::size_t slash = s.output.rfind('/');
        if (slash != std::string::npos && !FolderExists(slash == 0 ? "/" : s.output.substr(0, slash)))
            return Report("Invalid output location.");
        return 1;
    }

    int Start(std::vector<std::string>& args)
    {
        // The help needs no OpenGL and must work where there is none.
        if (HelpRequested(args))
        {
            sf::err() << HelpText() << std::endl;
            return -1;
        }
        Limits limits;
        if (ProbeOpenGL(limits) != 1)
            return -1;

        Settings settings;
        if (ParseArguments(args, settings, limits) != 1)
            return 0;
        // The evaluation shader holds one uniform vector per candidate.
        if (settings.mode == Mode::Generator && settings.evolutionCount > limits.maxEvolutionCount)
            return Report("Object evolution count must be at most " + std::to_string(limits.maxEvolutionCount) +
                          " with this OpenGL driver.");
        if (CommonChecks(settings) != 1)
            return 0;

        switch (settings.mode)
        {
        case Mode::Generator: return RunGenerator(settings);
        case Mode::Rerender: return RunRerender(settings);
        case Mode::Merger: return RunMerger(settings);
        case Mode::None: break;
        }
        return Report("Tessly mode not specified.");
    }
}
