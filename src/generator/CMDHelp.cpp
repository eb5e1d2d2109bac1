#include "generator/CMDTools.hpp"

#include <iterator>

namespace CMDTools
{
    const std::string& HelpText()
    {
        static const std::string text = [] {
            static const char* const lines[] = {
                "Usage:",
                "",
                "3 Tessly modes:",
                "Tessly Generator --- RUX.exe -G ...",
                "Tessly Re-render --- RUX.exe -R ...",
                "Tessly Video merger --- RUX.exe -M ...",
                "",
                "Every mode has special arguments that are needed.",
                "",
                "------------------------------------------------------------------------------------------------------------------",
                "",
                "Arguments:\tExplanation:",
                "-I\t\tInput file name (syntax depends on the mode, see below)",
                "-O\t\tOutput file name (always without extension)",
                "-S\t\tShape count in the image",
                "-T\t\tTexture file location",
                "-TYU\t\tExport to the .tyu file format (vector file format)",
                "-PNG\t\tExport to the .png file format",
                "-AR\t\tAdvanced: shape rotation (first parameter is min rotation, second is max)",
                "-AS\t\tAdvanced: shape size (first parameter is min size, second is max)",
                "-AE\t\tAdvanced: evolution count",
                "-AG\t\tAdvanced: generation count",
                "-P\t\tSize of the re-rendered image in pixels",
                "-D\t\tNumber of shapes to draw from the original file",
                "-A\t\tAntialiasing level (removes sharp edges)",
                "-C\t\tFrame count (how many frames exist in datasheet.txt, see below)",
                "",
                "------------------------------------------------------------------------------------------------------------------",
                "",
                "Arguments:\tFor modes:\t\tDefault:\tExtra options (examples):",
                "-I\t\t[-G, -R, -M]\t\tNone\t\t<Projects/d/image.png, Projects/d/image.tyu, Projects/d/datasheet.txt>",
                "-O\t\t[-G, -R, -M]\t\tNone\t\t<Projects/d/file, Projects/d/file, Projects/d/file>",
                "-S\t\t[-G]\t\t\t500\t\t<1000>",
                "-T\t\t[-G, -R]\t\tSquare\t\t<Projects/d/tex.png, Projects/d/tex.png>",
                "-TYU\t\t[-G]\t\t\tfalse\t\t/",
                "-PNG\t\t[-G]\t\t\tfalse\t\t/",
                "-AR\t\t[-G]\t\t\t0, 360\t\t<30 50>",
                "-AS\t\t[-G]\t\t\t3, 512\t\t<10 10>",
                "-AE\t\t[-G]\t\t\t500\t\t<1000>",
                "-AG\t\t[-G]\t\t\t3\t\t<4>",
                "-P\t\t[-R]\t\t\t1280, 720\t<500 500>",
                "-D\t\t[-R]\t\t\tAll\t\t<20>",
                "-A\t\t[-R]\t\t\tx0\t\t<4>",
                "-C\t\t[-M]\t\t\tNone\t\t<20>",
                "",
                "------------------------------------------------------------------------------------------------------------------",
                "",
                "Examples for Generator:",
                "---Generate .png with 3000 objects, default texture (square)---",
                "RUX.exe -G -I Projects/level/test.png -O Projects/level/out -PNG -S 3000",
                "",
                "---Generate .png and .tyu with 1000 objects, constant object size: 10, constant object rotation and texture---",
                "RUX.exe -G -I Projects/def/test.png -O Projects/def/cmd -PNG -TYU -S 1000 -AS 10 10 -AR 0 0 -T Projects/def/tex.png",
                "",
                "Examples for Re-render:",
                "---Re-render to a texture of resolution 2400x2400---",
                "RUX.exe -R -I Projects/def/cmd.tyu -O Projects/def/cmdHQ -P 2400 2400",
                "",
                "---Re-render the first 200 objects to a texture of resolution 1000x1000 with x4 antialiasing---",
                "RUX.exe -R -I Projects/def/cmd.tyu -O Projects/def/cmdHQ -P 1000 1000 -A 8 -D 200",
                "",
                "Example for Video merger:",
                "---Merge 5 tyu files from the datasheet.txt into a .tyv file---",
                "RUX.exe -M -I Projects/def/datasheet.txt -O Projects/def/out -C 5",
                "",
                "Data in datasheet.txt:",
                "Projects/def/example/0001.tyu",
                "Projects/def/example/0002.tyu",
                "Projects/def/example/0003.tyu",
                "Projects/def/example/0004.tyu",
                "Projects/def/example/0005.tyu",
                "",
                "--seed\t\t[-G]\t\t\tTime\t\t<1234>\tFixed random seed, for output that repeats run after run",
            };
            std::string joined;
            for (std::size_t i = 0; i < std::size(lines); ++i)
                joined.append(i ? "\n" : "").append(lines[i]);
            return joined;
        }();
        return text;
    }
}
