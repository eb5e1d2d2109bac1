#include "ToolRun.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace
{
    struct ArgCase
    {
        std::vector<std::string> args;
        int result;
        std::string message;   // the last line written
    };

    std::string LastLine(const std::string& log)
    {
        std::string text = log;
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        const std::size_t nl = text.rfind('\n');
        return nl == std::string::npos ? text : text.substr(nl + 1);
    }

    const ArgCase kCases[] = {
        {{}, 0, "Input location not specified."},
        {{"-X"}, 0, "Unknown argument -X."},
        {{"--"}, 0, "Unknown argument --."},
        {{"-XYZ", "-I", "in.png"}, 0, "Output location not specified."},
        {{"-XY", "-AZ", "-I", "in.png"}, 0, "Output location not specified."},
        {{"-I"}, 0, "Input path not specified."},
        {{"-O"}, 0, "Output path not specified."},
        {{"-T"}, 0, "Texture path not specified."},
        {{"-S"}, 0, "Shape count not specified."},
        {{"-S", "0"}, 0, "Shape count must be at least 1."},
        {{"-S", "12x"}, 0, "Invalid number for -S: 12x"},
        {{"-S", "99999999999"}, 0, "Invalid number for -S: 99999999999"},
        {{"-D"}, 0, "Shapes to re-render not specified."},
        {{"-A"}, 0, "Antialiasing not specified."},
        {{"-A", "-2"}, 0, "Antialiasing level must be at least 0."},
        {{"-C"}, 0, "Frame count not specified."},
        {{"-C", "0"}, 0, "Frame count must be between 1 and 65535."},
        {{"-C", "65536"}, 0, "Frame count must be between 1 and 65535."},
        {{"-P"}, 0, "X axis render resolution not specified."},
        {{"-P", "100"}, 0, "Y axis render resolution not specified."},
        {{"-P", "0", "100"}, 0, "Render resolution must be between 1 and 16384 pixels on each axis."},
        {{"-AE"}, 0, "Object evolution count not specified."},
        {{"-AE", "1025"}, 0, "Object evolution count must be less than 1024."},
        {{"-AE", "1030"}, 0, "Object evolution count must be less than 1024."},
        {{"-AE", "45"}, 0, "Object evolution count must be at least 30 and multiple of 10."},
        {{"-AE", "20"}, 0, "Object evolution count must be at least 30 and multiple of 10."},
        {{"-AG"}, 0, "Object generation count not specified."},
        {{"-AG", "1"}, 0, "Object generation count must be between 2 and 20."},
        {{"-AG", "21"}, 0, "Object generation count must be between 2 and 20."},
        {{"-AR"}, 0, "Min rotation not specified."},
        {{"-AR", "5"}, 0, "Max rotation not specified."},
        {{"-AS"}, 0, "Min shape size not specified."},
        {{"-AS", "4"}, 0, "Max shape size not specified."},
        {{"-AS", "0", "10"}, 0, "Min shape size must be at least 1."},
        {{"-AS", "10", "9"}, 0, "Max shape size must be at least min shape size."},
        {{"--seed"}, 0, "Seed not specified."},
        {{"--seed", "-1"}, 0, "Seed must be a whole number from 0 to 4294967295."},
        {{"-I", "missing.png"}, 0, "Input location does not exist."},
        {{"-I", "in.png", "-O", "nofolder/out"}, 0, "Invalid output location."},
        {{"-I", "in.png", "-O", "outdir/out"}, 0, "Tessly mode not specified."},
        {{"-I", "in.png", "-O", "out", "-G"}, 0, "Export file format not specified."},
        {{"-I", "in.png", "-O", "out", "-M"}, 0, "Frame count not specified."},
        // The first error met ends the parse.
        {{"-S", "0", "-X"}, 0, "Shape count must be at least 1."},
        // Values may begin with "-"; the last mode given wins.
        {{"-AR", "-90", "90", "-G", "-M", "-I", "in.png", "-O", "out"}, 0, "Frame count not specified."},
    };

    TEST(CMDTools, ArgumentErrorsReportTheFirstErrorAndReturnZero)
    {
        std::ofstream("in.png") << "x";
        std::filesystem::create_directories("outdir");
        for (const ArgCase& c : kCases)
        {
            const ToolRun run = RunTool(c.args);
            SCOPED_TRACE(c.message);
            EXPECT_EQ(run.result, c.result) << run.log;
            EXPECT_EQ(LastLine(run.log), c.message) << run.log;
            EXPECT_EQ(CMDTools::ExitStatus(run.result, CMDTools::HelpRequested(run.args)), 1);
        }
    }

    TEST(CMDTools, HelpAnywhereWinsOverErrorsAndExitsZero)
    {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"--help"}, {"-X", "--help"}, {"-S", "0", "--help", "-AE", "1"}})
        {
            const ToolRun run = RunTool(args);
            EXPECT_EQ(run.result, -1);
            EXPECT_EQ(run.log, CMDTools::HelpText() + "\n");
            EXPECT_TRUE(CMDTools::HelpRequested(run.args));
            EXPECT_EQ(CMDTools::ExitStatus(run.result, true), 0);
        }
        // "--help" as the program path does not count.
        EXPECT_FALSE(CMDTools::HelpRequested({"--help"}));
    }

    TEST(CMDTools, HelpTextKeepsItsLinesAndAddsTheSeedOption)
    {
        std::vector<std::string> lines;
        std::stringstream in(CMDTools::HelpText());
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        ASSERT_EQ(lines.size(), 73u);
        EXPECT_EQ(lines[0], "Usage:");
        EXPECT_EQ(lines[11], "Arguments:\tExplanation:");
        EXPECT_EQ(lines[40], "-P\t\t[-R]\t\t\t1280, 720\t<500 500>");
        EXPECT_EQ(lines[70], "Projects/def/example/0005.tyu");
        EXPECT_EQ(lines[71], "");
        EXPECT_EQ(lines[72].rfind("--seed\t", 0), 0u);
    }

    TEST(CMDTools, ExitStatusTable)
    {
        EXPECT_EQ(CMDTools::ExitStatus(1, false), 0);
        EXPECT_EQ(CMDTools::ExitStatus(0, false), 1);
        EXPECT_EQ(CMDTools::ExitStatus(-1, false), 1);
        EXPECT_EQ(CMDTools::ExitStatus(-1, true), 0);
    }

    TEST(CMDTools, BackslashesInPathsBecomeSlashes)
    {
        std::filesystem::create_directories("a");
        const ToolRun run = RunTool({"-I", "in.png", "-T", "t\\x.png", "-O", "a\\b"});
        EXPECT_EQ(run.args[4], "t/x.png");
        EXPECT_EQ(run.args[6], "a/b");
        EXPECT_EQ(LastLine(run.log), "Tessly mode not specified.");
    }

    TEST(CMDTools, ParseReadsEveryOption)
    {
        std::vector<std::string> args = {"rux", "-R", "-I", "x", "-O", "y", "-T", "t", "-S", "7", "-PNG", "-TYU",
                                         "-AR", "30", "50", "-AS", "4", "9", "-AE", "40", "-AG", "5", "-P", "9", "8",
                                         "-D", "3", "-A", "4", "-C", "2", "--seed", "77", "plain", "-Q"};
        args.pop_back();
        CMDTools::Settings s;
        ErrCapture capture;
        ASSERT_EQ(CMDTools::ParseArguments(args, s, CMDTools::Limits{}), 1) << capture.str();
        EXPECT_EQ(s.mode, CMDTools::Mode::Rerender);
        EXPECT_EQ(s.input + s.output + s.texture, "xyt");
        EXPECT_EQ(s.shapeCount, 7);
        EXPECT_TRUE(s.exportPng && s.exportTyu);
        EXPECT_EQ(s.minRotation * 100 + s.maxRotation, 3050);
        EXPECT_EQ(s.minSize * 100 + s.maxSize, 409);
        EXPECT_EQ(s.evolutionCount, 40);
        EXPECT_EQ(s.generationCount, 5);
        EXPECT_EQ(s.resolutionX * 10 + s.resolutionY, 98);
        EXPECT_EQ(s.shapesToRender, 3);
        EXPECT_EQ(s.antialiasing, 4);
        EXPECT_EQ(s.frameCount, 2);
        EXPECT_TRUE(s.seedGiven);
        EXPECT_EQ(s.seed, 77u);
    }

    TEST(CMDTools, WithoutDisplayItSaysSoButStillHelps)
    {
        const char* old = std::getenv("DISPLAY");
        const std::string saved = old ? old : "";
        setenv("DISPLAY", "", 1);
        const ToolRun noDisplay = RunTool({"-G"});
        const ToolRun help = RunTool({"--help"});
        setenv("DISPLAY", saved.c_str(), 1);
        EXPECT_EQ(noDisplay.result, -1);
        EXPECT_EQ(noDisplay.log, "No X display could be opened (is DISPLAY set?); Tessly needs one for OpenGL.\n");
        EXPECT_EQ(CMDTools::ExitStatus(noDisplay.result, false), 1);
        EXPECT_EQ(help.result, -1);
        EXPECT_EQ(help.log, CMDTools::HelpText() + "\n");
    }
}
