// Video files (".tyv"): frame bodies one after another under a 16-bit count that may lie.
#include "FuzzStreams.hpp"
#include "generator/FrameCodec.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    sf::MemoryInputStream stream;
    stream.open(data, size);
    Tessly::VideoData video;
    const Tessly::ReadResult result = Tessly::ReadVideo(stream, video);
    if (video.frames.size() > video.declaredFrames || video.frames.size() > size / 8)
        std::abort();
    std::size_t shapes = 0;
    for (const Tessly::FrameBody& body : video.frames)
        shapes += body.shapes.size();
    if (shapes > size / 3)
        std::abort();

    SizelessStream sizeless(data, size);
    Tessly::VideoData again;
    if (Tessly::ReadVideo(sizeless, again) != result || again.frames.size() != video.frames.size())
        std::abort();
    return 0;
}
