#include "generator/FrameCodec.hpp"

#include <SFML/System/InputStream.hpp>

#include <algorithm>
#include <cstring>

namespace Tessly
{
    namespace
    {
        constexpr int c_offset = 8192;

        bool ReadBytes(sf::InputStream& stream, void* out, std::size_t count)
        {
            return stream.read(out, static_cast<sf::Int64>(count)) == static_cast<sf::Int64>(count);
        }

        template <typename T>
        bool ReadLE(sf::InputStream& stream, T& value)
        {
            std::uint8_t bytes[sizeof(T)];
            if (!ReadBytes(stream, bytes, sizeof(T)))
                return false;
            std::uint64_t v = 0;
            for (std::size_t i = 0; i < sizeof(T); ++i)
                v |= std::uint64_t(bytes[i]) << (8 * i);
            value = static_cast<T>(v);
            return true;
        }

        template <typename T>
        void WriteLE(std::string& out, T value)
        {
            for (std::size_t i = 0; i < sizeof(T); ++i)
                out.push_back(static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF));
        }

        // Bytes left in the stream, or -1 when the stream cannot tell.
        std::int64_t Remaining(sf::InputStream& stream)
        {
            const sf::Int64 size = stream.getSize();
            const sf::Int64 at = stream.tell();
            if (size < 0 || at < 0)
                return -1;
            return std::max<std::int64_t>(0, size - at);
        }

        bool MagicMatches(sf::InputStream& stream, const char* magic)
        {
            char bytes[6];
            return ReadBytes(stream, bytes, 6) && std::memcmp(bytes, magic, 6) == 0;
        }

        int Clamp(int value, int bits) { return std::clamp(value, 0, (1 << bits) - 1); }
    }

    std::size_t RecordSize(std::uint32_t flags)
    {
        switch (flags)
        {
        case 0: return 9;
        case 1:
        case 2: return 8;
        case 3: return 7;
        default: return 3;
        }
    }

    void PackRecord(const FrameShape& s, std::uint32_t flags, std::uint8_t* out)
    {
        const int positionBits = flags == 3 ? 16 : 14;
        const unsigned x = Clamp(s.x + c_offset, positionBits);
        const unsigned y = Clamp(s.y + c_offset, positionBits);
        const unsigned size = static_cast<unsigned>(s.size);
        const unsigned rotation = static_cast<unsigned>(s.rotation);
        std::uint8_t* colour = out;
        switch (flags)
        {
        case 0:
            out[0] = size & 0xFF;
            out[1] = ((size >> 8) & 0x07) | ((rotation & 0x1F) << 3);
            out[2] = ((rotation >> 5) & 0x0F) | ((x & 0x0F) << 4);
            out[3] = (x >> 4) & 0xFF;
            out[4] = ((x >> 12) & 0x03) | ((y & 0x3F) << 2);
            out[5] = (y >> 6) & 0xFF;
            colour = out + 6;
            break;
        case 1:
        case 2:
        {
            const unsigned v = flags == 1 ? size : rotation;
            out[0] = v & 0xFF;
            out[1] = ((v >> 8) & 0x0F) | ((x & 0x0F) << 4);
            out[2] = (x >> 4) & 0xFF;
            out[3] = ((x >> 12) & 0x03) | ((y & 0x3F) << 2);
            out[4] = (y >> 6) & 0xFF;
            colour = out + 5;
            break;
        }
        case 3:
            out[0] = x & 0xFF;
            out[1] = (x >> 8) & 0xFF;
            out[2] = y & 0xFF;
            out[3] = (y >> 8) & 0xFF;
            colour = out + 4;
            break;
        default:
            break;
        }
        colour[0] = s.red;
        colour[1] = s.green;
        colour[2] = s.blue;
    }

    FrameShape UnpackRecord(const std::uint8_t* in, const FrameBody& body)
    {
        FrameShape s;
        unsigned x = 0, y = 0;
        s.rotation = (body.flags & ConstantRotation) ? body.rotation : 0;
        s.size = (body.flags & ConstantSize) ? body.size : 0;
        const std::uint8_t* colour = in;
        switch (body.flags)
        {
        case 0:
            s.size = in[0] | ((in[1] & 0x07) << 8);
            s.rotation = (in[1] >> 3) | ((in[2] & 0x0F) << 5);
            x = (in[2] >> 4) | (in[3] << 4) | ((in[4] & 0x03) << 12);
            y = (in[4] >> 2) | (in[5] << 6);
            colour = in + 6;
            break;
        case 1:
        case 2:
        {
            const int v = in[0] | ((in[1] & 0x0F) << 8);
            (body.flags == 1 ? s.size : s.rotation) = v;
            x = (in[1] >> 4) | (in[2] << 4) | ((in[3] & 0x03) << 12);
            y = (in[3] >> 2) | (in[4] << 6);
            colour = in + 5;
            break;
        }
        case 3:
            x = in[0] | (in[1] << 8);
            y = in[2] | (in[3] << 8);
            colour = in + 4;
            break;
        default:
            break;
        }
        s.x = static_cast<int>(x) - c_offset;
        s.y = static_cast<int>(y) - c_offset;
        s.red = colour[0];
        s.green = colour[1];
        s.blue = colour[2];
        return s;
    }

    namespace
    {
        // Count, flags and the constants the flags announce.
        bool ReadBodyHeader(sf::InputStream& stream, FrameBody& body)
        {
            body = FrameBody();
            if (!ReadLE(stream, body.declaredShapes) || !ReadLE(stream, body.flags))
                return false;
            if ((body.flags & ConstantRotation) && !ReadLE(stream, body.rotation))
                return false;
            return !(body.flags & ConstantSize) || ReadLE(stream, body.size);
        }

        ReadResult ReadRecords(sf::InputStream& stream, FrameBody& body)
        {
            // Read in slices; a stream that cannot tell its size grows the list as records
            // actually arrive instead of trusting the announced count.
            constexpr std::size_t c_slice = 4096;
            const std::size_t recordSize = RecordSize(body.flags);
            const std::int64_t remaining = Remaining(stream);
            const std::uint64_t available = remaining >= 0 ? std::uint64_t(remaining) / recordSize : c_slice;
            body.shapes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(body.declaredShapes, available)));
            std::vector<std::uint8_t> bytes(c_slice * recordSize);
            std::uint64_t shapesLeft = body.declaredShapes;
            while (shapesLeft > 0)
            {
                const std::size_t batch = static_cast<std::size_t>(std::min<std::uint64_t>(shapesLeft, c_slice));
                const sf::Int64 got = stream.read(bytes.data(), static_cast<sf::Int64>(batch * recordSize));
                const std::size_t complete = got > 0 ? static_cast<std::size_t>(got) / recordSize : 0;
                for (std::size_t i = 0; i < complete; ++i)
                    body.shapes.push_back(UnpackRecord(bytes.data() + i * recordSize, body));
                if (complete < batch)
                    return ReadResult::Truncated;
                shapesLeft -= batch;
            }
            return ReadResult::Complete;
        }
    }

    ReadResult ReadFrameBody(sf::InputStream& stream, FrameBody& body)
    {
        if (!ReadBodyHeader(stream, body))
            return ReadResult::Truncated;
        return ReadRecords(stream, body);
    }

    ReadResult ReadFrame(sf::InputStream& stream, FrameData& frame)
    {
        if (!MagicMatches(stream, c_frameMagic))
            return ReadResult::WrongMagic;
        frame = FrameData();
        std::uint16_t width = 0, height = 0;
        if (!ReadLE(stream, width) || !ReadLE(stream, height))
            return ReadResult::Truncated;
        frame.width = width;
        frame.height = height;
        return ReadFrameBody(stream, frame.body);
    }

    ReadResult ReadVideo(sf::InputStream& stream, VideoData& video)
    {
        if (!MagicMatches(stream, c_videoMagic))
            return ReadResult::WrongMagic;
        video = VideoData();
        std::uint16_t width = 0, height = 0;
        if (!ReadLE(stream, width) || !ReadLE(stream, height) || !ReadLE(stream, video.declaredFrames))
            return ReadResult::Truncated;
        video.width = width;
        video.height = height;
        // Every body takes at least its count and flags.
        std::uint64_t frames = video.declaredFrames;
        const std::int64_t remaining = Remaining(stream);
        if (remaining >= 0)
            frames = std::min<std::uint64_t>(frames, std::uint64_t(remaining) / 8);
        video.frames.reserve(static_cast<std::size_t>(frames));
        for (unsigned i = 0; i < video.declaredFrames; ++i)
        {
            FrameBody body;
            if (!ReadBodyHeader(stream, body))
                return ReadResult::Truncated;
            const ReadResult result = ReadRecords(stream, body);
            video.frames.push_back(std::move(body));
            if (result != ReadResult::Complete)
                return result;
        }
        return ReadResult::Complete;
    }

    std::string EncodeFrameBody(const FrameBody& body)
    {
        std::string out;
        const std::size_t recordSize = RecordSize(body.flags);
        out.reserve(12 + body.shapes.size() * recordSize);
        WriteLE<std::uint32_t>(out, static_cast<std::uint32_t>(body.shapes.size()));
        WriteLE<std::uint32_t>(out, body.flags);
        if (body.flags & ConstantRotation)
            WriteLE<std::int16_t>(out, body.rotation);
        if (body.flags & ConstantSize)
            WriteLE<std::int16_t>(out, body.size);
        std::uint8_t record[9];
        for (const FrameShape& shape : body.shapes)
        {
            PackRecord(shape, body.flags, record);
            out.append(reinterpret_cast<const char*>(record), recordSize);
        }
        return out;
    }
}
