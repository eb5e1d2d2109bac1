// Opening, saving and restoring projects, and the editor side file. Needs a display (Xvfb).
#include "app/Project.hpp"
#include "app/ProjectFiles.hpp"
#include "editor/SideFile.hpp"
#include "level/Binary.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;
using rux::Level;
using rux::ObjectType;

namespace {

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
void WriteFile(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

void Add(Level& level, const std::string& name, ObjectType kind) {
    EXPECT_TRUE(rux::Scene::AddObjectNoTexturesToLevel(level, name, kind));
}
rux::ParticleSystem& Add(Level& level, const std::string& name) {
    Add(level, name, ObjectType::ParticleSystem);
    return *level.objects.at(name).particleSystem;
}

std::string SideImage(const Level& level) {
    std::string out;
    rux::WriteSideFile(level, out);
    return out;
}

std::tm At(int year, int month, int day, int h, int m, int s) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = h;
    t.tm_min = m;
    t.tm_sec = s;
    return t;
}

struct ProjectFiles : ::testing::Test {
    fs::path root = fs::absolute(std::string("pf_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                                 "_" + std::to_string(::getpid()));
    fs::path folder = root / "Demo";
    rux::UndoSystem undo;
    Level reference;
    rux::Scene scene{undo, reference};
    rux::ProjectPaths paths = rux::ProjectPaths::Of(folder);

    void SetUp() override {
        fs::remove_all(root);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(root); }

    rux::SaveResult Save(bool backup = false, bool keepUnread = false, std::tm now = At(2026, 3, 2, 9, 5, 7)) {
        std::string level, side;
        scene.getSceneSave(level);
        scene.saveLED(side);
        rux::SaveRequest request;
        request.level = level;
        request.side = side;
        request.backup = backup;
        request.keepUnread = keepUnread;
        request.now = now;
        request.backups = root / "Backups";
        return rux::SaveProjectFiles(paths, request);
    }
    bool Unsaved(const std::string& opened) {
        std::string image;
        scene.getSceneSave(image);
        return rux::LevelDiffers(image, paths.levelFile(), opened);
    }
    std::string Image() {
        std::string image;
        scene.getSceneSave(image);
        return image;
    }
};

} // namespace

TEST(SideFile, CountsEveryObjectButWritesOnlyParticleSystems) {
    Level level;
    Add(level, "Logo", ObjectType::Sprite);
    Add(level, "Cam", ObjectType::Camera);
    const std::string empty = SideImage(level);
    EXPECT_EQ(empty, std::string("\x04\0\0\0#1.0\x02\0\0\0", 12));

    Add(level, "Fire");
    const std::string one = SideImage(level);
    rux::ByteReader in(one);
    EXPECT_EQ(in.str(), "#1.0");
    EXPECT_EQ(in.u32(), 3u);  // objects of every kind, not records
    EXPECT_EQ(in.str(), "Fire");
}

TEST(SideFile, RoundTripKeepsSettingsAndLinksByName) {
    Level level;
    rux::ParticleSystem& fire = Add(level, "Fire");
    rux::ParticleSystem& sparks = Add(level, "Sparks");
    Add(level, "Logo", ObjectType::Sprite);
    fire.continuousEmission = false;
    fire.useBothColors = false;
    fire.emitDuration = 2'500'000;
    fire.useSecondaryColors = true;
    fire.eventFlags = 5;
    fire.eventTargets[0] = &sparks;
    fire.inheritPosition[0] = true;
    fire.inheritLifetime[0] = true;
    sparks.eventTargets[2] = &fire;
    const std::string image = SideImage(level);

    // Fire's first link: the byte 1, the name "Sparks", then its three inherit bytes.
    std::string firstLink;
    firstLink += '\x01';
    rux::PutStr(firstLink, "Sparks");
    firstLink += std::string("\x01\x00\x01", 3);
    EXPECT_NE(image.find(firstLink), std::string::npos);

    Level again;
    rux::ParticleSystem& fire2 = Add(again, "Fire");
    rux::ParticleSystem& sparks2 = Add(again, "Sparks");
    Add(again, "Logo", ObjectType::Sprite);
    ASSERT_TRUE(rux::ReadSideFile(again, image));
    EXPECT_FALSE(fire2.continuousEmission);
    EXPECT_FALSE(fire2.useBothColors);
    EXPECT_EQ(fire2.emitDuration, 2'500'000);
    EXPECT_TRUE(fire2.useSecondaryColors);
    EXPECT_EQ(fire2.eventFlags, 5);
    EXPECT_EQ(fire2.eventTargets[0], &sparks2);
    EXPECT_EQ(sparks2.eventTargets[2], &fire2);
    EXPECT_TRUE(fire2.inheritPosition[0] && !fire2.inheritColor[0] && fire2.inheritLifetime[0]);
    EXPECT_EQ(SideImage(again), image);

    // A link to a system no object owns any more is written without a target.
    rux::ParticleSystem orphan;
    fire.eventTargets[0] = &orphan;
    EXPECT_EQ(SideImage(level).find(firstLink), std::string::npos);
}

TEST(SideFile, OtherVersionsStrangersAndShortFiles) {
    Level source;
    Add(source, "Gone").eventFlags = 3;
    Add(source, "Fire").eventFlags = 6;
    const std::string image = SideImage(source);

    Level level;
    rux::ParticleSystem& fire = Add(level, "Fire");
    std::string other = image;
    other[7] = '1';  // "#1.1"
    EXPECT_FALSE(rux::ReadSideFile(level, other));
    EXPECT_EQ(fire.eventFlags, 0);
    EXPECT_FALSE(rux::ReadSideFile(level, ""));

    // "Fire" follows a record for an object this level no longer has.
    ASSERT_TRUE(rux::ReadSideFile(level, image));
    EXPECT_EQ(fire.eventFlags, 6);

    // Cut inside Fire's record, after its emit duration: what was read applies, the rest stays.
    Level cut;
    rux::ParticleSystem& f = Add(cut, "Fire");
    source.objects.at("Fire").particleSystem->continuousEmission = false;
    source.objects.at("Fire").particleSystem->emitDuration = 77;
    const std::string full = SideImage(source);
    const std::size_t at = full.rfind("Fire") + 4 + 2 + 8;
    ASSERT_TRUE(rux::ReadSideFile(cut, full.substr(0, at)));
    EXPECT_FALSE(f.continuousEmission);
    EXPECT_EQ(f.emitDuration, 77);
    EXPECT_EQ(f.eventFlags, 0);
}

TEST_F(ProjectFiles, NewProjectSavesBesideItsFolderAndReopensUnchanged) {
    rux::LoadOutcome opened = rux::LoadProjectInto(scene, folder, "unreadable");
    EXPECT_TRUE(opened.loaded);
    EXPECT_FALSE(opened.levelExists);
    const std::string empty = Image();
    EXPECT_FALSE(Unsaved(empty));  // nothing to ask right after opening

    ASSERT_TRUE(scene.AddObjectNoTextures("Sprite 1", ObjectType::Sprite));
    ASSERT_TRUE(scene.AddObjectNoTextures("Text 1", ObjectType::Text));
    EXPECT_TRUE(Unsaved(empty));
    ASSERT_TRUE(Save().ok);
    EXPECT_TRUE(fs::exists(root / "Demo.rux"));
    EXPECT_EQ(ReadFile(root / "Demo.led").size(), 12u);
    EXPECT_FALSE(Unsaved(empty));

    scene.objects.at("Sprite 1").transformable->setPosition(40, -8);
    EXPECT_TRUE(Unsaved(empty));  // a move asks before closing
    ASSERT_TRUE(Save().ok);

    opened = rux::LoadProjectInto(scene, folder, "unreadable");
    EXPECT_TRUE(opened.loaded && opened.levelExists && opened.error.empty());
    EXPECT_EQ(opened.version, 1 | 7 << 8);
    EXPECT_FALSE(opened.upgrade);
    EXPECT_FALSE(Unsaved(Image()));
    ASSERT_TRUE(scene.objects.count("Text 1"));
    EXPECT_EQ(scene.objects.at("Sprite 1").transformable->getPosition(), sf::Vector2f(40, -8));
    EXPECT_EQ(reference.objects.size(), scene.objects.size());
}

TEST_F(ProjectFiles, OlderLevelAsksForUpgradeAndGarbageFailsToOpen) {
    Level old;
    rux::Scene::AddObjectNoTexturesToLevel(old, "Sprite 1", ObjectType::Sprite);
    std::string image;
    old.saveToMemory(image);
    image[7] = '6';  // the "#1.6" tag; the reader accepts the body only if the format allows
    WriteFile(root / "Demo.rux", image);
    rux::LoadOutcome outcome = rux::LoadProjectInto(scene, folder, "unreadable");
    EXPECT_EQ(outcome.version, 1 | 6 << 8);
    EXPECT_TRUE(outcome.loaded) << outcome.error;
    EXPECT_TRUE(outcome.upgrade);

    WriteFile(root / "Demo.rux", "not a level");
    outcome = rux::LoadProjectInto(scene, folder, "unreadable");
    EXPECT_FALSE(outcome.loaded);
    EXPECT_TRUE(outcome.levelExists);
    EXPECT_EQ(outcome.error.rfind("unreadable", 0), 0u);
    EXPECT_FALSE(outcome.upgrade);
}

TEST_F(ProjectFiles, FailedSavesSayWhyAndLoseNothing) {
    ASSERT_TRUE(scene.AddObjectNoTextures("Sprite 1", ObjectType::Sprite));
    // A directory where the level file belongs: the rename into place fails.
    fs::create_directories(root / "Demo.rux" / "keep");
    rux::SaveResult result = Save();
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("Demo.rux"), std::string::npos) << result.error;
    EXPECT_TRUE(fs::exists(root / "Demo.rux" / "keep"));
    for (const auto& entry : fs::directory_iterator(root))
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    fs::remove_all(root / "Demo.rux");

    // The backup cannot be written ("Backups" is a file): the save reports it.
    WriteFile(root / "Backups", "x");
    result = Save(true);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
}

TEST_F(ProjectFiles, UnreadableLevelIsKeptAsideBeforeTheFirstSave) {
    WriteFile(root / "Demo.rux", "garbage level");
    const rux::LoadOutcome outcome = rux::LoadProjectInto(scene, folder, "unreadable");
    ASSERT_FALSE(outcome.loaded);

    // Nowhere to keep it: nothing is saved and the unreadable file stays.
    WriteFile(root / "Backups", "x");
    rux::SaveResult result = Save(false, true);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(ReadFile(root / "Demo.rux"), "garbage level");
    fs::remove(root / "Backups");

    result = Save(false, true);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.unreadCopy, root / "Backups" / "Demo" / "2026_03_02_09_05_07-unread.rux");
    EXPECT_EQ(ReadFile(result.unreadCopy), "garbage level");
    EXPECT_EQ(ReadFile(root / "Demo.rux"), Image());
}

TEST_F(ProjectFiles, TravelRestoresABackupAndForgetsTheOldLevel) {
    ASSERT_TRUE(scene.AddObjectNoTextures("Sprite 1", ObjectType::Sprite));
    ASSERT_TRUE(Save(true, false, At(2026, 3, 2, 9, 5, 7)).ok);
    ASSERT_TRUE(scene.AddObjectNoTextures("Sprite 2", ObjectType::Sprite));
    ASSERT_TRUE(Save(true, false, At(2025, 12, 31, 23, 0, 0)).ok);
    EXPECT_EQ(rux::ListBackups(root / "Backups", "Demo"),
              (std::vector<std::string>{"2025_12_31_23_00_00.rux", "2026_03_02_09_05_07.rux"}));

    scene.SelectObject("Sprite 2");
    scene.CopySelectedObjectsToClipboard();
    ASSERT_FALSE(scene.clipboard.empty());
    ASSERT_GT(undo.getUndoStepCount(), 0);

    std::string error;
    ASSERT_TRUE(rux::RestoreBackupInto(scene, paths, root / "Backups" / "Demo" / "2026_03_02_09_05_07.rux", error))
        << error;
    EXPECT_TRUE(scene.objects.count("Sprite 1"));
    EXPECT_FALSE(scene.objects.count("Sprite 2"));
    EXPECT_TRUE(scene.selection.empty());
    EXPECT_TRUE(scene.clipboard.empty());
    EXPECT_EQ(undo.getUndoStepCount(), 0);
    EXPECT_EQ(reference.objects.size(), scene.objects.size());
    EXPECT_FALSE(reference.objects.count("Sprite 2"));
    // The level on disk changes only with the next save.
    EXPECT_TRUE(Unsaved(""));

    EXPECT_FALSE(rux::RestoreBackupInto(scene, paths, root / "Backups" / "Demo" / "missing.rux", error));
}
