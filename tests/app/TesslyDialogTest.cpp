#include "app/DialogTessly.hpp"
#include "app/PathInput.hpp"

#include <SFML/System/MemoryInputStream.hpp>
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
// Loading a video fills vertex buffers through Mesa, which unloads its driver at exit; kept
// mapped, the driver's own end-of-process allocations stay nameable for the leak suppressions.
const bool kDriverKept = [] {
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_LAZY | RTLD_NODELETE);
    return true;
}();
} // namespace

TEST(PathCompletion, SuffixFromFolderEntries) {
    const std::vector<std::string> names{"frames", "frame_01.tyu", "frame_02.tyu", "output.png", "Frames"};
    struct Case {
        const char* typed;
        const char* suffix;
    } cases[] = {
        {"out", "put.png"},       // one match: the rest of its name
        {"frame_", "0"},          // several: their longest shared beginning
        {"fr", "ame"},            // "frames" and "frame_0x" share "frame"
        {"F", "rames"},           // names differ by case
        {"frames", ""},           // already whole
        {"x", ""},                // nothing matches
        {"", ""},                 // everything matches, nothing shared
        {"output.png.bak", ""},   // longer than every name
    };
    for (const Case& c : cases)
        EXPECT_EQ(rux::CompletionSuffix(c.typed, names), c.suffix) << '"' << c.typed << '"';
    EXPECT_EQ(rux::CompletionSuffix("", {"only"}), "only");
    EXPECT_EQ(rux::CompletionSuffix("a", {}), "");
}

TEST(PathCompletion, CompletesFromTheParentFolder) {
    fs::create_directories("complete_me_dir/sub");
    std::ofstream("complete_me_dir/alpha1.tyu") << "x";
    std::ofstream("complete_me_dir/alpha2.tyu") << "x";
    EXPECT_EQ(rux::CompletePath("complete_me_dir/al"), "complete_me_dir/alpha");
    EXPECT_EQ(rux::CompletePath("complete_me_dir/s"), "complete_me_dir/sub");
    EXPECT_EQ(rux::CompletePath("complete_me_dir/q"), "complete_me_dir/q");
    EXPECT_EQ(rux::CompletePath("complete_me_d"), "complete_me_dir");  // from the working directory
    EXPECT_EQ(rux::CompletePath("no_such_dir/al"), "no_such_dir/al");
    EXPECT_EQ(rux::CompletePath("complete_me_dir/alpha1.tyu/x"), "complete_me_dir/alpha1.tyu/x");  // parent is a file
    fs::remove_all("complete_me_dir");
}

TEST(TesslyViewer, ResolutionKeepsTheAspectRatio) {
    struct Case {
        sf::Vector2u image;
        sf::Vector2i before, edited;
        int max;
        sf::Vector2i expected;
    } cases[] = {
        {{300, 200}, {300, 200}, {600, 200}, 16384, {600, 400}},     // width leads
        {{3, 2}, {3, 2}, {300, 2}, 16384, {300, 200}},               // 2/3 x 300 is exactly 200
        {{300, 200}, {300, 200}, {300, 100}, 16384, {150, 100}},     // height edited alone leads
        {{100, 400}, {100, 400}, {5000, 400}, 8192, {2048, 8192}},   // height passes the limit
        {{400, 100}, {400, 100}, {400, 5000}, 8192, {8192, 2048}},   // width passes the limit
        {{1, 1}, {1, 1}, {20000, 1}, 8192, {8192, 8192}},            // the edit itself is clamped first
        {{10000, 5000}, {-1, -1}, {10000, 5000}, 8192, {8192, 4096}},// a loaded image bigger than the limit
        {{300, 200}, {30, 20}, {30, 20}, 16384, {30, 20}},           // nothing changed
        {{0, 50}, {0, 0}, {123, 456}, 8192, {123, 456}},             // no area: no ratio to keep
        {{0, 0}, {0, 0}, {99999, -5}, 8192, {8192, 0}},              // ... but still within limits
    };
    for (const Case& c : cases) {
        const sf::Vector2i r = rux::KeepAspect(c.image, c.before, c.edited, c.max);
        EXPECT_EQ(r, c.expected) << c.image.x << "x" << c.image.y << " edited " << c.edited.x << "," << c.edited.y
                                 << " -> " << r.x << "," << r.y;
    }
}

TEST(TesslyViewer, ScaleAndObjectTexts) {
    struct Case {
        int resolution;
        unsigned image;
        const char* text;
    } cases[] = {
        {600, 300, "S: 2.00 : 1"},
        {300, 300, "S: 1 : 1.00"},
        {150, 300, "S: 1 : 2.00"},
        {100, 300, "S: 1 : 3.00"},
        {100, 0, "S: 1 : 1.00"},   // no image: no division
        {0, 300, "S: 0.00 : 1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rux::ScaleText("S", c.resolution, c.image), c.text) << c.resolution << "/" << c.image;
    EXPECT_EQ(rux::ObjectsText("O", "all", 5, 5), "O: all");
    EXPECT_EQ(rux::ObjectsText("O", "all", 3, 5), "O: 3");
    EXPECT_EQ(rux::ObjectsText("O", "all", 0, 5), "O: 0");
    EXPECT_EQ(rux::ObjectsText("O", "all", 0, 0), "O: all");
}

TEST(TesslyViewer, PreviewFitsTheTextureLimit) {
    using V = sf::Vector2u;
    EXPECT_EQ(rux::FitWithin(V(100, 50), 8192), V(100, 50));
    EXPECT_EQ(rux::FitWithin(V(20000, 10000), 8192), V(8192, 4096));
    EXPECT_EQ(rux::FitWithin(V(30000, 1), 8192), V(8192, 1));
    EXPECT_EQ(rux::FitWithin(V(65535, 65535), 16384), V(16384, 16384));
    EXPECT_EQ(rux::FitWithin(V(0, 50), 8192), V(0, 0));
    EXPECT_EQ(rux::FitWithin(V(50, 0), 8192), V(0, 0));
}

namespace {
void Put(std::string& s, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
// A frame body with both constants in the header: 7 bytes a shape.
void Body(std::string& s, int shapes) {
    Put(s, static_cast<std::uint32_t>(shapes), 4);
    Put(s, 3, 4);
    Put(s, 0, 2);  // rotation
    Put(s, 2, 2);  // size
    for (int i = 0; i < shapes; ++i) {
        Put(s, 8192 + 1, 2);
        Put(s, 8192 + 1, 2);
        s.append("\xff\x80\x00", 3);
    }
}
tyu::FrameAnimation Video(const std::vector<int>& shapes) {
    std::string bytes = "TYV002";
    Put(bytes, 4, 2);
    Put(bytes, 4, 2);
    Put(bytes, static_cast<std::uint32_t>(shapes.size()), 2);
    for (int n : shapes)
        Body(bytes, n);
    sf::MemoryInputStream stream;
    stream.open(bytes.data(), bytes.size());
    tyu::FrameAnimation animation;
    EXPECT_TRUE(animation.loadFromStream(stream));
    return animation;
}
} // namespace

TEST(TesslyVideo, ShapeTotalsAndAverage) {
    const rux::ShapeTotals some = rux::CountShapes(Video({2, 0, 3}));
    EXPECT_EQ(some.total, 5u);
    EXPECT_FLOAT_EQ(some.average, 5.f / 3.f);
    const rux::ShapeTotals none = rux::CountShapes(Video({}));
    EXPECT_EQ(none.total, 0u);
    EXPECT_EQ(none.average, 0.f);  // no frames: no division
}

TEST(TesslyDialogs, SizeStaysInsideTheWindow) {
    EXPECT_EQ(rux::TesslyDialogSize(false, 1.f, {1920, 1080}), sf::Vector2f(560, 620));
    EXPECT_EQ(rux::TesslyDialogSize(true, 1.f, {1920, 1080}), sf::Vector2f(1000, 800));
    const sf::Vector2f small = rux::TesslyDialogSize(true, 1.5f, {1000, 600});
    EXPECT_FLOAT_EQ(small.x, 950.f);
    EXPECT_FLOAT_EQ(small.y, 570.f);
}
