#include "generator/Merger.hpp"

#include "Tessly.hpp"
#include "generator/FrameCodec.hpp"

#include <SFML/System/MemoryInputStream.hpp>

#include <fstream>
#include <iterator>

namespace Tessly
{
    namespace
    {
        void PutU16(char* out, unsigned value)
        {
            out[0] = char(value & 0xFF);
            out[1] = char((value >> 8) & 0xFF);
        }

        std::string Number(int k, bool addZeros)
        {
            std::string text = std::to_string(k);
            if (addZeros && text.size() < 4)
                text.insert(0, 4 - text.size(), '0');
            return text;
        }
    }

    bool ReadFrameBodyBytes(const std::string& path, std::string& body, unsigned& width, unsigned& height,
                            std::string& why)
    {
        std::ifstream file(path, std::ios::binary);
        if (path.empty() || !file)
        {
            why = "cannot be opened";
            return false;
        }
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        sf::MemoryInputStream stream;
        stream.open(bytes.data(), bytes.size());
        FrameData frame;
        switch (ReadFrame(stream, frame))
        {
        case ReadResult::WrongMagic: why = "is not a frame file"; return false;
        case ReadResult::Truncated: why = "is cut short"; return false;
        case ReadResult::Complete: break;
        }
        width = frame.width;
        height = frame.height;
        body = bytes.substr(10, static_cast<std::size_t>(stream.tell()) - 10);
        return true;
    }

    MergeReport MergeFrames(const std::vector<std::string>& paths, const std::string& videoPath,
                            const MergeListener& listener)
    {
        MergeReport report;
        std::ofstream video(videoPath, std::ios::binary | std::ios::trunc);
        if (!video)
            return report;
        report.opened = true;

        // Size and count are patched once the bodies are known.
        char header[12] = {'T', 'Y', 'V', '0', '0', '2', 0, 0, 0, 0, 0, 0};
        video.write(header, sizeof header);
        bool sized = false;
        for (std::size_t i = 0; i < paths.size(); ++i)
        {
            if (listener.progress)
                listener.progress(i + 1, paths.size());
            std::string body, why;
            unsigned width = 0, height = 0;
            if (report.written == 65535)
                why = "does not fit: a video holds at most 65535 frames";
            else if (ReadFrameBodyBytes(paths[i], body, width, height, why))
            {
                if (!sized)
                {
                    PutU16(header + 6, width);
                    PutU16(header + 8, height);
                    sized = true;
                }
                video.write(body.data(), static_cast<std::streamsize>(body.size()));
                ++report.written;
                continue;
            }
            if (listener.skipped)
                listener.skipped(i + 1, paths[i], why);
        }
        PutU16(header + 10, static_cast<unsigned>(report.written));
        video.seekp(0);
        video.write(header, sizeof header);
        report.opened = static_cast<bool>(video.flush());
        return report;
    }

    bool Merge(const std::string& pattern, const std::string& output, sf::Vector2i range, bool addZeros)
    {
        const std::size_t star = pattern.find('*');
        if (star == std::string::npos || range.y < range.x)
            return false;
        std::vector<std::string> paths;
        for (int k = range.x; k <= range.y; ++k)
            paths.push_back(std::string(pattern).replace(star, 1, Number(k, addZeros)));
        const MergeReport report = MergeFrames(paths, output + ".tyv");
        return report.opened && report.written > 0;
    }
}
