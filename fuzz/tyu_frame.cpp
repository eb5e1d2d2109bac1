// Frame files (".tyu"): the reader must stay within the bytes it is given, allocate only for
// what is there, and a complete frame must encode back to exactly the bytes it came from.
#include "FuzzStreams.hpp"
#include "generator/FrameCodec.hpp"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    sf::MemoryInputStream stream;
    stream.open(data, size);
    Tessly::FrameData frame;
    const Tessly::ReadResult result = Tessly::ReadFrame(stream, frame);
    if (frame.body.shapes.size() > frame.body.declaredShapes || frame.body.shapes.size() > size / 3)
        std::abort();
    if (result == Tessly::ReadResult::Complete)
    {
        const std::string encoded = Tessly::EncodeFrameBody(frame.body);
        const std::size_t end = static_cast<std::size_t>(stream.tell());
        if (encoded != std::string(reinterpret_cast<const char*>(data) + 10, end - 10))
            std::abort();
    }

    SizelessStream sizeless(data, size);
    Tessly::FrameData again;
    if (Tessly::ReadFrame(sizeless, again) != result || again.body.shapes.size() != frame.body.shapes.size())
        std::abort();
    return 0;
}
