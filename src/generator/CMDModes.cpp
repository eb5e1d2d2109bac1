#include "generator/CMDTools.hpp"

#include "Tessly.hpp"
#include "generator/Datasheet.hpp"
#include "generator/Merger.hpp"
#include "generator/RUXtyu.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/System/FileInputStream.hpp>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <ostream>
#include <sstream>

namespace CMDTools
{
    namespace
    {
        int Failure(const std::string& message)
        {
            sf::err() << message << std::endl;
            return -1;
        }

        const std::string& TextureName(const Settings& s)
        {
            static const std::string defaultSquares = "[Default squares]";
            return s.texture.empty() ? defaultSquares : s.texture;
        }
    }

    std::string ProgressLine(int placed, int total)
    {
        const float f = float(placed) / float(total);
        const int bars = std::clamp(static_cast<int>(20.f * f), 0, 20);
        std::ostringstream line;
        line << '[' << std::string(bars, '=') << std::string(20 - bars, ' ') << "] " << 100.f * f << "% Count: " << placed
             << " / " << total << '\r';
        return line.str();
    }

    int RunGenerator(const Settings& s)
    {
        if (!s.exportPng && !s.exportTyu)
        {
            sf::err() << "Export file format not specified." << std::endl;
            return 0;
        }
        sf::Image shape;
        if (!s.texture.empty())
        {
            if (!shape.loadFromFile(s.texture))
                return -1;
        }
        else
            shape.create(16, 16, sf::Color::White);

        const std::uint32_t seed = s.seedGiven ? s.seed : static_cast<std::uint32_t>(std::time(nullptr));
        std::ostream& out = sf::err();
        out << "Tessly Generator settings: " << std::endl
            << "Input image location: " << s.input << std::endl
            << "Output image location: " << s.output << std::endl
            << "Texture: " << TextureName(s) << std::endl
            << "Shape count: " << s.shapeCount << std::endl
            << "Export as: " << (s.exportPng ? ".png " : "") << (s.exportTyu ? ".tyu " : "") << std::endl
            << "Advanced settings: " << std::endl
            << "Shape min rotation: " << s.minRotation << std::endl
            << "Shape max rotation: " << s.maxRotation << std::endl
            << "Shape min size: " << s.minSize << std::endl
            << "Shape max size: " << s.maxSize << std::endl
            << "Object evolution count: " << s.evolutionCount << std::endl
            << "Object generation count: " << s.generationCount << std::endl
            << "Seed: " << seed << std::endl
            << std::endl;

        const bool constantRotation = s.minRotation == s.maxRotation;
        const bool constantSize = s.minSize == s.maxSize;
        const unsigned flags = (constantRotation ? 1u : 0u) | (constantSize ? 2u : 0u);
        Tesslify::RUXtyu job(s.exportPng, s.exportTyu, s.evolutionCount, s.generationCount,
                             {s.minRotation, s.maxRotation}, constantRotation, constantSize, seed);
        if (!job.Start(s.input, s.output, shape, s.shapeCount, s.minSize, s.maxSize, flags))
            return -1;

        sf::Clock total;
        sf::Clock sinceProgress;
        bool ended = false;
        while (!ended)
        {
            ended = job.Update(false);
            if (ended || sinceProgress.getElapsedTime() > sf::milliseconds(100))
            {
                out << ProgressLine(job.shapesPlaced(), s.shapeCount) << std::flush;
                sinceProgress.restart();
            }
        }
        out << "\n\n" << "Finished in " << total.getElapsedTime().asSeconds() << " seconds." << std::endl;
        return job.writeFailed() ? -1 : 1;
    }

    int RunRerender(const Settings& s)
    {
        sf::Clock clock;
        std::ostream& out = sf::err();
        out << "Tessly Re-render settings: " << std::endl
            << "Input TYU file location: " << s.input << std::endl
            << "Output PNG location: " << s.output << std::endl
            << "Texture: " << TextureName(s) << std::endl
            << "PNG resolution: " << s.resolutionX << "x" << s.resolutionY << std::endl
            << "Antialiasing: x" << s.antialiasing << std::endl;

        tyu::Frame frame;
        sf::FileInputStream stream;
        if (!stream.open(s.input))
            return Failure("Cannot open the frame file " + s.input + ".");
        if (!frame.loadFromStream(stream))
        {
            if (frame.getShapeCount() == 0 && frame.getWidth() == 0)
                return Failure("Not a readable frame file: " + s.input + ".");
            out << "The frame file is cut short; re-rendering the " << frame.getShapeCount() << " shapes it holds."
                << std::endl;
        }
        if (frame.getWidth() == 0 || frame.getHeight() == 0)
            return Failure("The frame file " + s.input + " has no picture size.");

        sf::Texture texture;
        if (!s.texture.empty() && texture.loadFromFile(s.texture))
            frame.setTexture(&texture);

        std::size_t count = frame.getShapeCount();
        if (s.shapesToRender >= 1)
            count = std::min<std::size_t>(count, static_cast<std::size_t>(s.shapesToRender));
        out << "Shapes to re-render: " << count << std::endl;

        sf::RenderTexture target;
        sf::ContextSettings settings;
        settings.antialiasingLevel = static_cast<unsigned>(s.antialiasing);
        if (!target.create(static_cast<unsigned>(s.resolutionX), static_cast<unsigned>(s.resolutionY), settings))
            return Failure("Cannot create a render texture of " + std::to_string(s.resolutionX) + "x" +
                           std::to_string(s.resolutionY) + " pixels.");
        target.clear(sf::Color::Black);
        sf::RenderStates states(sf::BlendAlpha);
        states.transform.scale(float(s.resolutionX) / float(frame.getWidth()),
                               float(s.resolutionY) / float(frame.getHeight()));
        frame.drawShapes(target, states, count);
        target.display();
        if (!target.getTexture().copyToImage().saveToFile(s.output + ".png"))
            return -1;
        out << "Finished in " << clock.getElapsedTime().asSeconds() << " seconds." << std::endl;
        return 1;
    }

    int RunMerger(const Settings& s)
    {
        if (s.frameCount < 0)
        {
            sf::err() << "Frame count not specified." << std::endl;
            return 0;
        }
        std::ostream& out = sf::err();
        out << "Tessly Video merger settings: " << std::endl
            << "Input TYU datasheet location: " << s.input << std::endl
            << "Output TYV location: " << s.output << std::endl
            << std::endl;

        std::vector<std::string> lines;
        if (!Tessly::LoadDatasheet(s.input, lines))
            return Failure("Cannot read the datasheet " + s.input + ".");
        lines.resize(static_cast<std::size_t>(s.frameCount));

        Tessly::MergeListener listener;
        listener.progress = [&](std::size_t i, std::size_t total) { out << i << "/" << total << "\r" << std::flush; };
        listener.skipped = [&](std::size_t i, const std::string& path, const std::string& why) {
            if (path.empty())
                out << "Frame " << i << " skipped: line " << i << " of the datasheet is empty." << std::endl;
            else
                out << "Frame " << i << " skipped: " << path << " " << why << "." << std::endl;
        };
        const std::string video = s.output + ".tyv";
        const Tessly::MergeReport report = Tessly::MergeFrames(lines, video, listener);
        out << std::endl;
        if (!report.opened)
            return Failure("Cannot write " + video + ".");
        out << "Merged " << report.written << " of " << s.frameCount << " frames into " << video << "." << std::endl;
        return report.written > 0 ? 1 : Failure("No frame could be merged.");
    }
}
