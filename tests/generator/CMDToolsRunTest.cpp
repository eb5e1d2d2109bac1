#include "TestImages.hpp"
#include "ToolRun.hpp"

#include "Tessly.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
    std::string ReadFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

    class ToolModes : public ::testing::Test
    {
    protected:
        static void SetUpTestSuite()
        {
            WriteTarget("photo.png", 64, 64);
            std::filesystem::create_directories("out");
        }

        // Small, fast, reproducible generator settings.
        static std::vector<std::string> Generate(const std::string& output, std::vector<std::string> extra = {})
        {
            std::vector<std::string> args = {"-G", "-I", "photo.png", "-O", output, "-S", "25",
                                             "-AE", "30", "-AG", "2", "-AS", "3", "24", "--seed", "3"};
            args.insert(args.end(), extra.begin(), extra.end());
            return args;
        }
    };

    TEST(ToolProgress, LineHasTwentyCellsPercentAndCount)
    {
        EXPECT_EQ(CMDTools::ProgressLine(500, 1000), "[==========          ] 50% Count: 500 / 1000\r");
        EXPECT_EQ(CMDTools::ProgressLine(0, 3), "[                    ] 0% Count: 0 / 3\r");
        EXPECT_EQ(CMDTools::ProgressLine(1, 3), "[======              ] 33.3333% Count: 1 / 3\r");
        EXPECT_EQ(CMDTools::ProgressLine(3, 3), "[====================] 100% Count: 3 / 3\r");
    }

    TEST_F(ToolModes, GenerateReRenderAndMergeEndToEnd)
    {
        const ToolRun gen = RunTool(Generate("out/cmd", {"-PNG", "-TYU"}));
        ASSERT_EQ(gen.result, 1) << gen.log;
        EXPECT_TRUE(Contains(gen.log, "Tessly Generator settings: \nInput image location: photo.png\n"
                                      "Output image location: out/cmd\nTexture: [Default squares]\nShape count: 25\n"
                                      "Export as: .png .tyu \nAdvanced settings: \nShape min rotation: 0\n"
                                      "Shape max rotation: 360\nShape min size: 3\nShape max size: 24\n"
                                      "Object evolution count: 30\nObject generation count: 2\nSeed: 3\n\n"))
            << gen.log;
        EXPECT_TRUE(Contains(gen.log, "] 100% Count: 25 / 25\r\n\nFinished in ")) << gen.log;
        EXPECT_TRUE(Contains(gen.log, " seconds.\n"));

        sf::Image png;
        ASSERT_TRUE(png.loadFromFile("out/cmd.png"));
        EXPECT_EQ(png.getSize(), sf::Vector2u(64, 64));
        tyu::Frame frame;
        ASSERT_TRUE(frame.loadFromFile("out/cmd.tyu"));
        EXPECT_EQ(frame.getShapeCount(), 25u);

        const ToolRun big = RunTool({"-R", "-I", "out/cmd.tyu", "-O", "out/big", "-P", "128", "96", "-A", "4", "-D", "10"});
        ASSERT_EQ(big.result, 1) << big.log;
        EXPECT_TRUE(Contains(big.log, "Tessly Re-render settings: \nInput TYU file location: out/cmd.tyu\n"
                                      "Output PNG location: out/big\nTexture: [Default squares]\n"
                                      "PNG resolution: 128x96\nAntialiasing: x4\nShapes to re-render: 10\nFinished in "))
            << big.log;
        sf::Image rendered;
        ASSERT_TRUE(rendered.loadFromFile("out/big.png"));
        EXPECT_EQ(rendered.getSize(), sf::Vector2u(128, 96));

        // The same frame at its own size, all shapes, gives the generator's PNG back.
        ASSERT_EQ(RunTool({"-R", "-I", "out/cmd.tyu", "-O", "out/same", "-P", "64", "64"}).result, 1);
        sf::Image same;
        ASSERT_TRUE(same.loadFromFile("out/same.png"));
        EXPECT_LT(Rmse(same, png), 12.0);

        std::ofstream("sheet.txt") << "out/cmd.tyu\r\nout/missing.tyu\nout/cmd.tyu";
        const ToolRun merge = RunTool({"-M", "-I", "sheet.txt", "-O", "out/clip", "-C", "4"});
        ASSERT_EQ(merge.result, 1) << merge.log;
        EXPECT_TRUE(Contains(merge.log, "Tessly Video merger settings: \nInput TYU datasheet location: sheet.txt\n"
                                        "Output TYV location: out/clip\n\n1/4\r2/4\r"))
            << merge.log;
        EXPECT_TRUE(Contains(merge.log, "Frame 2 skipped: out/missing.tyu cannot be opened.\n"));
        EXPECT_TRUE(Contains(merge.log, "Frame 4 skipped: line 4 of the datasheet is empty.\n"));
        EXPECT_TRUE(Contains(merge.log, "Merged 2 of 4 frames into out/clip.tyv.\n"));
        const std::string video = ReadFile("out/clip.tyv");
        EXPECT_EQ(video.substr(0, 12), std::string("TYV002\x40\x00\x40\x00\x02\x00", 12));
        tyu::FrameAnimation animation;
        EXPECT_TRUE(animation.loadFromFile("out/clip.tyv"));
        EXPECT_EQ(animation.getFrameCount(), 2);
    }

    TEST_F(ToolModes, ConstantRotationAndSizeWriteFlagsThree)
    {
        const ToolRun run = RunTool(Generate("out/flat", {"-TYU", "-AR", "30", "30", "-AS", "10", "10", "-S", "5"}));
        ASSERT_EQ(run.result, 1) << run.log;
        const std::string file = ReadFile("out/flat.tyu");
        ASSERT_GE(file.size(), 22u);
        EXPECT_EQ(file.substr(14, 8), std::string("\x03\0\0\0\x2A\0\x0A\0", 8));   // rotation 42, size 10
        EXPECT_FALSE(std::filesystem::exists("out/flat.png"));
    }

    struct FailCase
    {
        std::vector<std::string> args;
        std::string message;
    };

    TEST_F(ToolModes, FailuresAreReportedAndExitNonZero)
    {
        std::ofstream("broken.png") << "not a picture";
        std::ofstream("foreign.tyu") << "TYV002 something else";
        Tessly::Save({}, {0, 0}, "nosize.tyu", 0);
        std::ofstream("empty.txt") << "";
        const FailCase cases[] = {
            {{"-G", "-I", "broken.png", "-O", "x", "-PNG"}, "Cannot load the target image broken.png."},
            {{"-G", "-I", "photo.png", "-O", "x", "-PNG", "-T", "broken.png"}, "Failed to load image"},
            {{"-R", "-I", "foreign.tyu", "-O", "x"}, "Not a readable frame file: foreign.tyu."},
            {{"-R", "-I", "nosize.tyu", "-O", "x"}, "The frame file nosize.tyu has no picture size."},
            {{"-M", "-I", "empty.txt", "-O", "x", "-C", "2"}, "No frame could be merged."},
            {{"-M", "-I", "photo.png", "-O", "nofolder/x", "-C", "2"}, "Invalid output location."},
        };
        for (const FailCase& c : cases)
        {
            const ToolRun run = RunTool(c.args);
            EXPECT_TRUE(Contains(run.log, c.message)) << run.log;
            EXPECT_EQ(CMDTools::ExitStatus(run.result, false), 1) << run.log;
        }
    }
}
