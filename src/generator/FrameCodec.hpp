#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sf
{
    class InputStream;
}

// The byte layout of frame (".tyu") and video (".tyv") files, apart from any drawing, so that
// it can be read and checked without a graphics context.
namespace Tessly
{
    inline constexpr char c_frameMagic[] = "TYU002";
    inline constexpr char c_videoMagic[] = "TYV002";

    enum FrameFlags : std::uint32_t
    {
        ConstantRotation = 1,
        ConstantSize = 2,
    };

    // One shape as a record holds it: centre in image pixels with y counted downward,
    // rotation in 1/512 turns, edge length in pixels, opaque colour.
    struct FrameShape
    {
        int x = 0;
        int y = 0;
        int rotation = 0;
        int size = 0;
        std::uint8_t red = 0, green = 0, blue = 0;
    };

    // A frame file from offset 10 on; a video holds a list of these.
    struct FrameBody
    {
        std::uint32_t flags = 0;
        std::int16_t rotation = 0;   // the constants the flags announce
        std::int16_t size = 0;
        std::uint32_t declaredShapes = 0;
        std::vector<FrameShape> shapes;
    };

    struct FrameData
    {
        unsigned width = 0;
        unsigned height = 0;
        FrameBody body;
    };

    struct VideoData
    {
        unsigned width = 0;
        unsigned height = 0;
        std::uint16_t declaredFrames = 0;
        std::vector<FrameBody> frames;
    };

    enum class ReadResult
    {
        WrongMagic,   // nothing was read into the destination
        Truncated,    // the destination holds what the file had before it ended
        Complete,
    };

    // Bytes per shape record for the given flags.
    std::size_t RecordSize(std::uint32_t flags);

    // Packs a shape into RecordSize(flags) bytes. Positions beyond what the record holds are
    // clamped to its edge rather than wrapped to the far side of the picture.
    void PackRecord(const FrameShape& shape, std::uint32_t flags, std::uint8_t* out);
    FrameShape UnpackRecord(const std::uint8_t* in, const FrameBody& body);

    // Reads the shape count, flags, constants and records. Counts are bounded by the bytes the
    // stream has left before anything is allocated.
    ReadResult ReadFrameBody(sf::InputStream& stream, FrameBody& body);
    // The destination is only touched when the magic matches.
    ReadResult ReadFrame(sf::InputStream& stream, FrameData& frame);
    ReadResult ReadVideo(sf::InputStream& stream, VideoData& video);

    // Serialises a frame body: count, flags, constants, records.
    std::string EncodeFrameBody(const FrameBody& body);
}
