#include "Tessly.hpp"
#include "generator/Datasheet.hpp"
#include "generator/FrameCodec.hpp"
#include "generator/Merger.hpp"

#include <SFML/System/MemoryInputStream.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
    using Bytes = std::vector<std::uint8_t>;

    std::string ReadFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    void WriteFile(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    Bytes Tail(const std::string& file, std::size_t from)
    {
        return Bytes(file.begin() + static_cast<long>(from), file.end());
    }

    Tessly::Object Shape(int x, int row, int size, int rotation, unsigned height, sf::Color colour = {1, 2, 3})
    {
        Tessly::Object o;
        o.x = x;
        o.y = static_cast<int>(height) - row;
        o.size = static_cast<sf::Int16>(size);
        o.rotation = static_cast<sf::Int16>(rotation);
        o.color = colour;
        return o;
    }

    struct PackCase
    {
        unsigned flags;
        int x, row, size, rotation;
        Bytes header;   // from offset 14: flags and the constants
        Bytes record;
    };

    const PackCase kPackCases[] = {
        {0, 10, 20, 5, 3, {0, 0, 0, 0}, {0x05, 0x18, 0xA0, 0x00, 0x52, 0x80, 1, 2, 3}},
        {1, 10, 20, 5, 3, {1, 0, 0, 0, 3, 0}, {0x05, 0xA0, 0x00, 0x52, 0x80, 1, 2, 3}},
        {2, 10, 20, 5, 3, {2, 0, 0, 0, 5, 0}, {0x03, 0xA0, 0x00, 0x52, 0x80, 1, 2, 3}},
        {3, 10, 20, 5, 3, {3, 0, 0, 0, 3, 0, 5, 0}, {0x0A, 0x20, 0x14, 0x20, 1, 2, 3}},
        // The corners of the 14-bit position range, largest size and rotation of a full record.
        {0, -8192, 8191, 2047, 511, {0, 0, 0, 0}, {0xFF, 0xFF, 0x0F, 0x00, 0xFC, 0xFF, 1, 2, 3}},
        {0, 8191, -8192, 0, 0, {0, 0, 0, 0}, {0x00, 0x00, 0xF0, 0xFF, 0x03, 0x00, 1, 2, 3}},
        {1, 8191, 8191, 4095, 0, {1, 0, 0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3}},
        // Beyond the range a position sticks to the edge instead of wrapping around.
        {0, 9000, -9000, 1, 0, {0, 0, 0, 0}, {0x01, 0x00, 0xF0, 0xFF, 0x03, 0x00, 1, 2, 3}},
        // Rotation keeps its low bits: -1 is 511/512 of a turn.
        {0, 0, 0, 1, -1, {0, 0, 0, 0}, {0x01, 0xF8, 0x0F, 0x00, 0x02, 0x80, 1, 2, 3}},
    };

    TEST(FrameFile, RecordLayoutsWriteTheirBytesAndReadThemBack)
    {
        for (const PackCase& c : kPackCases)
        {
            SCOPED_TRACE(::testing::Message() << "flags " << c.flags << " x " << c.x << " row " << c.row);
            ASSERT_TRUE(Tessly::Save({Shape(c.x, c.row, c.size, c.rotation, 100)}, {300, 100}, "pack.tyu", c.flags));
            const std::string file = ReadFile("pack.tyu");
            ASSERT_EQ(file.substr(0, 14), std::string("TYU002\x2C\x01\x64\x00\x01\x00\x00\x00", 14));
            EXPECT_EQ(Bytes(file.begin() + 14, file.end() - long(c.record.size())), c.header);
            EXPECT_EQ(Tail(file, file.size() - c.record.size()), c.record);

            sf::MemoryInputStream stream;
            stream.open(file.data(), file.size());
            Tessly::FrameData frame;
            ASSERT_EQ(Tessly::ReadFrame(stream, frame), Tessly::ReadResult::Complete);
            ASSERT_EQ(frame.body.shapes.size(), 1u);
            const Tessly::FrameShape& s = frame.body.shapes[0];
            EXPECT_EQ(s.x, std::clamp(c.x, -8192, 8191));
            EXPECT_EQ(s.y, std::clamp(c.row, -8192, 8191));
            EXPECT_EQ(s.size, c.size);
            EXPECT_EQ(s.rotation, c.rotation & 511);
            EXPECT_EQ(s.red * 10000 + s.green * 100 + s.blue, 10203);
        }
    }

    TEST(FrameFile, EmptyListStillAnnouncesItsConstants)
    {
        ASSERT_TRUE(Tessly::Save({}, {7, 9}, "empty.tyu", 3));
        EXPECT_EQ(ReadFile("empty.tyu"), std::string("TYU002\x07\x00\x09\x00\0\0\0\0\x03\0\0\0\0\0\0\0", 22));
    }

    TEST(FrameFile, ForeignFrameFlagsCarryColourOnly)
    {
        EXPECT_EQ(Tessly::RecordSize(4), 3u);
        EXPECT_EQ(Tessly::RecordSize(0xFFFFFFFF), 3u);
    }

    std::string FrameBytes(std::uint32_t count, std::uint32_t flags, const std::string& records)
    {
        std::string bytes("TYU002\x10\x00\x10\x00", 10);
        for (std::uint32_t v : {count, flags})
            for (int i = 0; i < 4; ++i)
                bytes.push_back(char((v >> (8 * i)) & 0xFF));
        return bytes + records;
    }

    TEST(FrameFile, ShortFileKeepsTheWholeRecordsBeforeItsEnd)
    {
        const std::string record("\x05\x18\xA0\x00\x52\x80\x01\x02\x03", 9);
        for (std::uint32_t declared : {3u, 1000u, 0xFFFFFFFFu})
        {
            const std::string bytes = FrameBytes(declared, 0, record + record + record.substr(0, 4));
            sf::MemoryInputStream stream;
            stream.open(bytes.data(), bytes.size());
            Tessly::FrameData frame;
            EXPECT_EQ(Tessly::ReadFrame(stream, frame), Tessly::ReadResult::Truncated);
            EXPECT_EQ(frame.body.shapes.size(), 2u) << declared;
            EXPECT_EQ(frame.width, 16u);
        }
    }

    TEST(FrameFile, AnyWrongMagicByteLeavesTheFrameAsItWas)
    {
        ASSERT_TRUE(Tessly::Save({Shape(4, 4, 4, 0, 8)}, {8, 8}, "good.tyu", 0));
        tyu::Frame frame;
        ASSERT_TRUE(frame.loadFromFile("good.tyu"));
        const std::string good = ReadFile("good.tyu");
        for (std::size_t i = 0; i < 6; ++i)
        {
            std::string bad = good;
            bad[i] ^= 0x20;
            sf::MemoryInputStream stream;
            stream.open(bad.data(), bad.size());
            EXPECT_FALSE(frame.loadFromStream(stream));
            EXPECT_EQ(frame.getShapeCount(), 1u);
            EXPECT_EQ(frame.getWidth(), 8u);
        }
    }

    TEST(FrameFile, ShapeCornersAndTextureCoordinates)
    {
        // Row 20 from the top, 4 pixels wide, a quarter turn (128/512).
        ASSERT_TRUE(Tessly::Save({Shape(10, 20, 4, 0, 50), Shape(10, 20, 4, 128, 50)}, {40, 50}, "corners.tyu", 0));
        tyu::Frame frame;
        ASSERT_TRUE(frame.loadFromFile("corners.tyu"));
        ASSERT_EQ(frame.getShapeCount(), 2u);
        const sf::VertexArray& v = frame.getVertices();
        const sf::Vector2f upright[6] = {{8, 18}, {12, 18}, {12, 22}, {8, 22}, {8, 18}, {12, 22}};
        for (int i = 0; i < 6; ++i)
        {
            EXPECT_NEAR(v[i].position.x, upright[i].x, 1e-4);
            EXPECT_NEAR(v[i].position.y, upright[i].y, 1e-4);
            EXPECT_EQ(v[i].color, sf::Color(1, 2, 3));
        }
        // 360 - 90 degrees: corner (-0.5, -0.5) goes to (-0.5, +0.5) in y-down screen terms.
        EXPECT_NEAR(v[6].position.x, 8, 1e-4);
        EXPECT_NEAR(v[6].position.y, 22, 1e-4);

        sf::Texture texture;
        ASSERT_TRUE(texture.create(16, 8));
        frame.setTexture(&texture);
        const sf::Vector2f coords[6] = {{0, 0}, {16, 0}, {16, 8}, {0, 8}, {0, 0}, {16, 8}};
        for (std::size_t i = 0; i < 12; ++i)
            EXPECT_EQ(frame.getVertices()[i].texCoords, coords[i % 6]);
    }

    // Three frames, the middle one missing, in a folder of the test's own.
    class VideoFiles : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            dir = std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "/";
            std::filesystem::remove_all(dir);
            std::filesystem::create_directories(dir);
            Tessly::Save({Shape(1, 2, 3, 4, 32)}, {32, 24}, dir + "0001.tyu", 0);
            Tessly::Save({Shape(5, 6, 7, 8, 32), Shape(9, 9, 9, 9, 32)}, {32, 24}, dir + "0003.tyu", 3);
        }

        std::string dir;
    };

    TEST_F(VideoFiles, MergeCountsOnlyTheFramesWritten)
    {
        ASSERT_TRUE(Tessly::Merge(dir + "*.tyu", dir + "clip", {1, 3}, true));
        const std::string video = ReadFile(dir + "clip.tyv");
        EXPECT_EQ(video.substr(0, 12), std::string("TYV002\x20\x00\x18\x00\x02\x00", 12));
        const std::string first = ReadFile(dir + "0001.tyu"), third = ReadFile(dir + "0003.tyu");
        EXPECT_EQ(video.substr(12), first.substr(10) + third.substr(10));

        sf::MemoryInputStream stream;
        stream.open(video.data(), video.size());
        Tessly::VideoData data;
        ASSERT_EQ(Tessly::ReadVideo(stream, data), Tessly::ReadResult::Complete);
        ASSERT_EQ(data.frames.size(), 2u);
        EXPECT_EQ(data.frames[1].shapes.size(), 2u);
        EXPECT_EQ(data.frames[1].shapes[1].size, 7);   // the constant of the header

        tyu::FrameAnimation animation;
        stream.seek(0);
        EXPECT_TRUE(animation.loadFromStream(stream));
        EXPECT_EQ(animation.getFrameCount(), 2);
        EXPECT_EQ(animation.getFrame(1).getVertexCount(), 12u);
    }

    TEST_F(VideoFiles, MergeSkipsForeignAndCutShortFramesAndSaysWhy)
    {
        WriteFile(dir + "0002.tyu", ReadFile(dir + "0003.tyu").substr(0, 25));
        WriteFile(dir + "0004.tyu", "TYV002 not a frame");
        std::vector<std::string> skipped;
        Tessly::MergeListener listener;
        listener.skipped = [&](std::size_t n, const std::string& path, const std::string& why) {
            skipped.push_back(std::to_string(n) + " " + path + " " + why);
        };
        const Tessly::MergeReport report =
            Tessly::MergeFrames({dir + "0002.tyu", dir + "0001.tyu", "", dir + "0004.tyu", dir + "missing.tyu"},
                               dir + "skips.tyv", listener);
        EXPECT_TRUE(report.opened);
        EXPECT_EQ(report.written, 1u);
        EXPECT_EQ(skipped, (std::vector<std::string>{"1 " + dir + "0002.tyu is cut short", "3  cannot be opened",
                                                     "4 " + dir + "0004.tyu is not a frame file",
                                                     "5 " + dir + "missing.tyu cannot be opened"}));
        EXPECT_EQ(ReadFile(dir + "skips.tyv").substr(6, 6), std::string("\x20\x00\x18\x00\x01\x00", 6));
    }

    TEST_F(VideoFiles, TrailingBytesOfAFrameFileStayOutOfTheVideo)
    {
        WriteFile(dir + "0002.tyu", ReadFile(dir + "0001.tyu") + "junk");
        ASSERT_EQ(Tessly::MergeFrames({dir + "0002.tyu", dir + "0003.tyu"}, dir + "trail.tyv").written, 2u);
        tyu::FrameAnimation animation;
        EXPECT_TRUE(animation.loadFromFile(dir + "trail.tyv"));
        EXPECT_EQ(animation.getFrame(1).getVertexCount(), 12u);
    }

    TEST_F(VideoFiles, ShortVideoKeepsWhatItHad)
    {
        ASSERT_TRUE(Tessly::Merge(dir + "*.tyu", dir + "clip", {1, 3}, true));
        const std::string video = ReadFile(dir + "clip.tyv");
        // Cut inside the second frame's second record; then inside the second body's header.
        for (std::size_t cut : {video.size() - 3, std::size_t(12 + 17 + 6)})
        {
            sf::MemoryInputStream stream;
            stream.open(video.data(), cut);
            Tessly::VideoData data;
            EXPECT_EQ(Tessly::ReadVideo(stream, data), Tessly::ReadResult::Truncated);
            ASSERT_GE(data.frames.size(), 1u);
            EXPECT_EQ(data.frames[0].shapes.size(), 1u);
            if (data.frames.size() == 2)
            {
                EXPECT_EQ(data.frames[1].shapes.size(), 1u);
            }
        }
        // A header announcing 65535 frames over a few bytes allocates for what is there.
        std::string huge = video.substr(0, 10) + std::string("\xFF\xFF", 2) + video.substr(12);
        sf::MemoryInputStream stream;
        stream.open(huge.data(), huge.size());
        Tessly::VideoData data;
        EXPECT_EQ(Tessly::ReadVideo(stream, data), Tessly::ReadResult::Truncated);
        EXPECT_EQ(data.frames.size(), 2u);
    }

    TEST(Merge, NeedsAStarAndAnOrderedRange)
    {
        std::filesystem::remove("none.tyv");
        EXPECT_FALSE(Tessly::Merge("a/0001.tyu", "none", {1, 1}, false));
        EXPECT_FALSE(Tessly::Merge("a/*.tyu", "none", {3, 1}, false));
        EXPECT_FALSE(std::filesystem::exists("none.tyv"));
    }

    TEST(Datasheet, LinesDropTabsReturnsAndZeros)
    {
        using Lines = std::vector<std::string>;
        EXPECT_EQ(Tessly::ParseDatasheet(""), Lines{});
        EXPECT_EQ(Tessly::ParseDatasheet("a.tyu"), Lines{"a.tyu"});
        EXPECT_EQ(Tessly::ParseDatasheet("a.tyu\n"), Lines{"a.tyu"});
        EXPECT_EQ(Tessly::ParseDatasheet(std::string("a\t.t\ryu\r\n\nb\0c", 14)), (Lines{"a.tyu", "", "bc"}));
    }

    TEST(FrameAnimator, PlaysAtItsFrameRateAndStopsOrLoops)
    {
        ASSERT_TRUE(Tessly::Save({Shape(1, 1, 1, 0, 4)}, {4, 4}, "f.tyu", 0));
        std::vector<std::string> paths(5, "f.tyu");
        ASSERT_EQ(Tessly::MergeFrames(paths, "anim.tyv").written, 5u);
        tyu::FrameAnimation animation;
        ASSERT_TRUE(animation.loadFromFile("anim.tyv"));

        tyu::FrameAnimator animator;
        animator.setAnimation(&animation);
        animator.play();
        animator.advance(sf::seconds(0.35f));
        EXPECT_EQ(animator.getFrame(), 3);
        animator.advance(sf::seconds(0.2f));
        EXPECT_EQ(animator.getState(), tyu::FrameAnimator::Stopped);
        EXPECT_EQ(animator.getFrame(), 4);

        animator.setLoop(true);
        animator.play();
        animator.advance(sf::seconds(0.55f));
        EXPECT_EQ(animator.getState(), tyu::FrameAnimator::Playing);
        EXPECT_EQ(animator.getFrame(), 0);
    }
}
