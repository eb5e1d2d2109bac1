#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace Tessly
{
    struct MergeReport
    {
        bool opened = false;      // the video file could be written
        std::size_t written = 0;  // frame bodies in it; the header counts exactly these
    };

    struct MergeListener
    {
        // number counts from 1; why reads after the path ("cannot be opened", ...).
        std::function<void(std::size_t number, const std::string& path, const std::string& why)> skipped;
        std::function<void(std::size_t number, std::size_t total)> progress;
    };

    // The bytes a video stores for a frame file (its body from offset 10, without anything
    // trailing), with the frame's size. Returns false and a reason when it is not a whole frame.
    bool ReadFrameBodyBytes(const std::string& path, std::string& body, unsigned& width, unsigned& height,
                            std::string& why);

    // Writes a video of the frame files in order. Its size is the first good frame's; a path
    // that is empty, missing, foreign or cut short adds no frame. At most 65535 frames.
    MergeReport MergeFrames(const std::vector<std::string>& paths, const std::string& videoPath,
                            const MergeListener& listener = {});
}
