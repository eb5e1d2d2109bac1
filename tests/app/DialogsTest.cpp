// The dialogs' logic that needs no window: find scoring and rows, file copying, folder
// creation, the built-in items, export paths, name proposals and chosen-file paths.
#include "app/DialogAddExtItem.hpp"
#include "app/DialogAddItem.hpp"
#include "app/DialogFiles.hpp"
#include "app/DialogFind.hpp"
#include "app/DialogInfo.hpp"
#include "app/DialogLoadAsset.hpp"
#include "app/DialogTileMapIO.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void Write(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// A folder of this test process, removed afterwards.
class TempFolder {
public:
    explicit TempFolder(const std::string& name) : path(name + "-" + std::to_string(::getpid())) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path, ec);
    }
    fs::path path;
};

} // namespace

namespace rux {
void PrintTo(const FindCandidate& c, std::ostream* os) { *os << static_cast<int>(c.kind) << ":" << c.name; }
} // namespace rux

TEST(FindDialog, Scores) {
    struct Case {
        const char* text;
        const char* name;
        int score;
    } cases[] = {
        {"spr", "Sprite_1", 0},        // occurs at the start, case ignored
        {"1", "Sprite_1", 7},          // occurs at 7
        {"ite_", "SPRITE_2", 3},
        {"stl", "Sprite_1", 48},       // s, t found in order of removal; l not
        {"ss", "Sprite_s", 48},        // each found character is used up once
        {"ss", "Sprite", 49},          // the second s finds nothing left
        {"xyz", "Sprite", 50},
        {"abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzab",
         "zyxwvutsrqponmlkjihgfedcbazyxwvutsrqponmlkjihgfedcbazy", 0},  // not below 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(rux::FindScore(c.text, c.name), c.score) << c.text << " in " << c.name;
}

TEST(FindDialog, RowBudgetNeverEmpty) {
    struct Case {
        float height, scale;
        std::size_t rows;
    } cases[] = {
        {0, 1, 1},       // not measured yet
        {-30, 1, 1},     // a window smaller than its button row
        {16, 1, 1},      // room for no whole row
        {33, 1, 1},      // two rows fit, one is held back
        {165, 1, 9},
        {165, 2, 4},     // rows grow with the menu scale
    };
    for (const Case& c : cases)
        EXPECT_EQ(rux::FindRowBudget(c.height, c.scale), c.rows) << c.height << " x" << c.scale;
}

TEST(FindDialog, CandidatesInNameOrderOrByScore) {
    rux::Level level;
    for (const auto& [name, type] : std::vector<std::pair<std::string, rux::ObjectType>>{
             {"[Main Camera]", rux::ObjectType::Camera}, {"tree", rux::ObjectType::Sprite},
             {"Tiles", rux::ObjectType::TileMap}, {"sun", rux::ObjectType::PointLight}})
        level.objects[name].type = type;
    level.assets["img/tree.png"].type = rux::ObjectType::Texture;
    level.assets["font.ttf"].type = rux::ObjectType::Font;

    using C = rux::FindCandidate;
    // Byte order: capitals, then "[", then small letters.
    const std::vector<C> all{{rux::ObjectType::TileMap, "Tiles"}, {rux::ObjectType::Camera, "[Main Camera]"},
                             {rux::ObjectType::PointLight, "sun"},       {rux::ObjectType::Sprite, "tree"},
                             {rux::ObjectType::Font, "font.ttf"},        {rux::ObjectType::Texture, "img/tree.png"}};
    EXPECT_EQ(rux::FindCandidates(level, "", 100), all);
    EXPECT_EQ(rux::FindCandidates(level, "", 2), std::vector<C>(all.begin(), all.begin() + 2));

    // "tree" scores 0 in the sprite and 4 in the texture path; ties keep objects first.
    const std::vector<C> tree = rux::FindCandidates(level, "TREE", 3);
    ASSERT_EQ(tree.size(), 3u);
    EXPECT_EQ(tree[0], (C{rux::ObjectType::Sprite, "tree"}));
    EXPECT_EQ(tree[1], (C{rux::ObjectType::Texture, "img/tree.png"}));
    EXPECT_EQ(rux::FindCandidates(rux::Level{}, "x", 5), std::vector<C>{});
}

TEST(FindDialog, KeysWrapAndDoNothingOnAnEmptyList) {
    struct Case {
        int current;
        std::size_t count;
        bool down;
        int next;
    } cases[] = {
        {-1, 0, true, -1}, {-1, 0, false, -1}, {0, 0, true, -1},  // empty list: no row
        {0, 3, true, 1},   {2, 3, true, 0},    {0, 3, false, 2},   {1, 3, false, 0},
        {5, 3, true, 0},   {-1, 3, false, 0},  // a row left over from a longer list
        {0, 1, true, 0},   {0, 1, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rux::FindStep(c.current, c.count, c.down), c.next) << c.current << "/" << c.count;
}

TEST(CopyFiles, CopiesReplacesSkipsItselfAndReportsFailures) {
    TempFolder source("copy-src"), destination("copy-dst");
    Write(source.path / "a.png", "new a");
    Write(source.path / "b.txt", "b");
    Write(destination.path / "a.png", "old a");
    Write(destination.path / "own.png", "stays");

    const std::string windowsStyle = (source.path / "b.txt").string();
    std::string backslashed = windowsStyle;
    std::replace(backslashed.begin(), backslashed.end(), '/', '\\');
    const rux::CopyReport report = rux::CopyFilesInto(
        {(source.path / "a.png").string(), backslashed, (destination.path / "own.png").string(),
         (source.path / "gone.png").string()},
        destination.path);
    EXPECT_EQ(report.copied, 2);
    EXPECT_EQ(report.skipped, 1);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_NE(report.failures[0].find("gone.png"), std::string::npos);
    EXPECT_EQ(ReadAll(destination.path / "a.png"), "new a");
    EXPECT_EQ(ReadAll(destination.path / "b.txt"), "b");
    EXPECT_EQ(ReadAll(destination.path / "own.png"), "stays") << "a file dropped onto its own folder survives";
    EXPECT_EQ(std::distance(fs::directory_iterator(destination.path), fs::directory_iterator{}), 3)
        << "no temporary files left";
}

TEST(CopyFiles, FailedRenameLeavesTargetAndNoTemporary) {
    TempFolder source("copyfail-src"), destination("copyfail-dst");
    Write(source.path / "a.png", "new");
    Write(source.path / "b.png", "b");
    fs::create_directories(destination.path / "a.png" / "inside");  // a folder where the file should go
    const rux::CopyReport report = rux::CopyFilesInto(
        {(source.path / "a.png").string(), (source.path / "b.png").string()}, destination.path);
    EXPECT_EQ(report.copied, 1) << "one failure does not stop the others";
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_NE(report.failures[0].find("a.png"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(destination.path / "a.png" / "inside"));
    EXPECT_EQ(ReadAll(destination.path / "b.png"), "b");
    EXPECT_EQ(std::distance(fs::directory_iterator(destination.path), fs::directory_iterator{}), 2)
        << "no temporary files left";
}

TEST(CopyFiles, DestinationMustBeAFolder) {
    TempFolder source("copynd-src");
    Write(source.path / "a.png", "a");
    const rux::CopyReport report =
        rux::CopyFilesInto({(source.path / "a.png").string()}, source.path / "a.png");
    EXPECT_EQ(report.copied, 0);
    EXPECT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(ReadAll(source.path / "a.png"), "a");
}

TEST(NewFolder, CreatesOneFolderOrSaysWhy) {
    TempFolder base("newfolder");
    std::string error;
    EXPECT_TRUE(rux::CreateNewFolder(base.path, "New_folder", error)) << error;
    EXPECT_TRUE(fs::is_directory(base.path / "New_folder"));
    for (const char* bad : {"", ".", "..", "a/b", "a\\b", "New_folder"}) {
        error.clear();
        EXPECT_FALSE(rux::CreateNewFolder(base.path, bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    EXPECT_FALSE(rux::CreateNewFolder(base.path / "missing", "x", error));
}

TEST(AddExtItem, ImagesAndFonts) {
    const sf::Image white = rux::MakeWhitePixelImage();
    ASSERT_EQ(white.getSize(), sf::Vector2u(1, 1));
    EXPECT_EQ(white.getPixel(0, 0), sf::Color::White);
    const sf::Image gradient = rux::MakeGradientImage();
    ASSERT_EQ(gradient.getSize(), sf::Vector2u(256, 256));
    EXPECT_EQ(gradient.getPixel(0, 0), sf::Color(0, 0, 0, 255));
    EXPECT_EQ(gradient.getPixel(255, 0), sf::Color(255, 0, 0, 255));
    EXPECT_EQ(gradient.getPixel(10, 200), sf::Color(10, 200, 0, 255));

    TempFolder out("extitem");
    std::string error;
    EXPECT_EQ(rux::WriteExtItem(1, (out.path / "grad.png").string(), "", "", error), out.path / "grad.png");
    sf::Image back;
    ASSERT_TRUE(back.loadFromFile((out.path / "grad.png").string()));
    EXPECT_EQ(back.getPixel(100, 50), sf::Color(100, 50, 0, 255));
    EXPECT_EQ(rux::WriteExtItem(3, (out.path / "code").string(), "ui", "code bytes", error), out.path / "code.ttf");
    EXPECT_EQ(ReadAll(out.path / "code.ttf"), "code bytes");
    EXPECT_EQ(rux::WriteExtItem(2, (out.path / "ui").string(), "ui bytes", "", error), out.path / "ui.ttf");
    EXPECT_EQ(ReadAll(out.path / "ui.ttf"), "ui bytes");

    for (const auto& [type, location] : std::vector<std::pair<int, std::string>>{
             {0, (out.path / "white.nope").string()},  // no image format for that extension
             {0, ""},
             {2, (out.path / "missing/ui").string()},
             {7, (out.path / "x").string()}}) {
        error.clear();
        EXPECT_TRUE(rux::WriteExtItem(type, location, "u", "c", error).empty()) << location;
        EXPECT_FALSE(error.empty()) << location;
    }
}

TEST(ExportAsset, ExtensionAddedOnlyWhenMissing) {
    struct Case {
        const char* location;
        rux::ObjectType kind;
        const char* path;
    } cases[] = {
        {"maps/level", rux::ObjectType::TileMap, "maps/level.tlm"},
        {"fx/smoke", rux::ObjectType::ParticleSystem, "fx/smoke.psy"},
        {"maps/old.tmap", rux::ObjectType::TileMap, "maps/old.tmap"},
        {"fx/smoke.part", rux::ObjectType::ParticleSystem, "fx/smoke.part"},
        {"", rux::ObjectType::TileMap, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rux::ExportFilePath(c.location, c.kind), fs::path(c.path)) << c.location;
}

TEST(AddItem, KindsReadinessAndLimits) {
    const rux::ObjectType kinds[] = {rux::ObjectType::Sprite,       rux::ObjectType::TileMap,
                                     rux::ObjectType::ParticleSystem, rux::ObjectType::Text,
                                     rux::ObjectType::VertexObject, rux::ObjectType::Camera,
                                     rux::ObjectType::PointLight,   rux::ObjectType::DirectionalLight};
    for (int u = 0; u < rux::c_addItemTypes; ++u)
        EXPECT_EQ(rux::AddItemKind(u), kinds[u]) << u;
    EXPECT_EQ(rux::AddItemKind(8), rux::ObjectType::None);
    EXPECT_EQ(rux::AddItemKind(-1), rux::ObjectType::None);

    struct Case {
        int type;
        const char* name;
        const char* asset;
        bool ready;
    } cases[] = {
        {0, "s", "tex.png", true}, {0, "", "tex.png", false}, {0, "s", "", false},
        {1, "t", "tex.png", true}, {1, "t", "", false},        {3, "x", "font.ttf", true},
        {3, "x", "", false},       {2, "", "", true},           {7, "", "", true},  // no asset, name optional
        {8, "x", "y", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rux::AddItemReady({c.type, c.name, c.asset}), c.ready) << c.type << " " << c.name;

    EXPECT_EQ(rux::ClampTileSize({0, -4}), sf::Vector2i(1, 1));
    EXPECT_EQ(rux::ClampTileSize({32, 700}), sf::Vector2i(32, 700));
    EXPECT_EQ(rux::ClampMapSize({0, 501}), sf::Vector2i(1, 500));
    EXPECT_EQ(rux::ClampMapSize({20, 500}), sf::Vector2i(20, 500));
}

TEST(LoadAsset, NameFollowsTheKindUntilTyped) {
    struct Case {
        const char* current;
        const char* oldProposal;
        const char* newProposal;
        const char* result;
    } cases[] = {
        {"TileMap_1", "TileMap_1", "Sprite_3", "Sprite_3"},
        {"hero", "TileMap_1", "Sprite_3", "hero"},
        {"", "TileMap_1", "Sprite_3", ""},  // a cleared name stays cleared
    };
    for (const Case& c : cases)
        EXPECT_EQ(rux::ProposeName(c.current, c.oldProposal, c.newProposal), c.result) << c.current;
    EXPECT_EQ(rux::LoadTypeKind(0), rux::ObjectType::TileMap);
    EXPECT_EQ(rux::LoadTypeKind(1), rux::ObjectType::Sprite);
    EXPECT_EQ(rux::LoadTypeKind(2), rux::ObjectType::Texture);
}

TEST(LoadAsset, ChosenFilePaths) {
    const fs::path project = "/home/u/Projects/Demo";
    const rux::ChosenFile top = rux::ChosenFileFromDrop(project, {rux::FileType::Image, "hero.png"});
    EXPECT_EQ(top.folder, project);
    EXPECT_EQ(top.name, "hero.png");
    EXPECT_EQ(top.type, rux::FileType::Image);
    EXPECT_EQ(top.assetPath(project), fs::path("hero.png"));
    EXPECT_EQ(top.filePath(), project / "hero.png");

    const rux::ChosenFile deep = rux::ChosenFileFromDrop(project, {rux::FileType::Shader, "shaders/./fx/glow.frag"});
    EXPECT_EQ(deep.folder, project / "shaders/fx");
    EXPECT_EQ(deep.assetPath(project), fs::path("shaders/fx/glow.frag"));
    EXPECT_EQ(deep.assetPath(project.string() + "/"), fs::path("shaders/fx/glow.frag"));

    // A folder outside the project keeps the bare name rather than climbing out.
    const rux::ChosenFile outside{"/tmp/elsewhere", "x.png", rux::FileType::Image};
    EXPECT_EQ(outside.assetPath(project), fs::path("x.png"));
}

TEST(GraphicsInfo, NullDriverStringsAndExtensionSplitting) {
    const std::vector<std::string> none = rux::GraphicsInfoLines({});
    ASSERT_EQ(none.size(), 6u);
    EXPECT_EQ(none[0], "Version: ");
    EXPECT_EQ(none[1], "Vendor: ");
    EXPECT_EQ(none[2], "Renderer: ");
    EXPECT_EQ(none[3], "Shaders available: no");
    EXPECT_EQ(none[5], "Vulkan available: unknown");

    const std::vector<std::string> lines =
        rux::GraphicsInfoLines({"GL_A  GL_B GL_LAST", "4.5 Mesa", "Mesa", "llvmpipe", true, false});
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "GL_A");
    EXPECT_EQ(lines[1], "GL_B");  // the last name has no blank after it and is dropped
    EXPECT_EQ(lines[2], "Version: 4.5 Mesa");
    EXPECT_EQ(lines[4], "Renderer: llvmpipe");
    EXPECT_EQ(lines[5], "Shaders available: yes");
    EXPECT_EQ(lines[6], "Vertex buffer available: no");
}
