// Level files: the "#1.7" layout byte for byte, the older versions, and damaged input.
#include "LevelImage.hpp"
#include <RUX.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/System/MemoryInputStream.hpp>
#include <fstream>
#include <unistd.h>
#include <gtest/gtest.h>

using namespace rux;
using namespace testing_rux;

namespace {

// Asset files live in a folder of this process: ctest runs the tests of one binary in parallel
// processes that share the working folder.
const std::string& Folder() {
    static const std::string folder = "lvl-" + std::to_string(::getpid());
    return folder;
}

bool Load(Level& level, const std::string& bytes, const std::filesystem::path& folder = Folder()) {
    sf::MemoryInputStream in;
    in.open(bytes.data(), bytes.size());
    return level.loadFromStream(in, folder);
}

std::string Save(const Level& level) {
    std::string out;
    level.saveToMemory(out);
    return out;
}

// Asset files: tex.png (4 x 4 red), font.ttf and two shaders.
class LevelFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string& dir = Folder();
        std::filesystem::create_directories(dir);
        sf::Image img;
        img.create(4, 4, sf::Color::Red);
        img.saveToFile(dir + "/tex.png");
        std::filesystem::copy_file(RUX_BUILD_DIR "/Res/Montserrat.ttf", dir + "/font.ttf",
                                   std::filesystem::copy_options::overwrite_existing);
        std::ofstream(dir + "/f.frag") << "uniform float a; void main() { gl_FragColor = vec4(a); }\n";
        std::ofstream(dir + "/v.vert") << "void main() { gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex; }\n";
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(Folder()); }
};

Record Sprite(const std::string& name, std::int32_t asset = 0) {
    Record r;
    r.name = name;
    r.asset = asset;
    return r;
}

} // namespace

TEST_F(LevelFile, EmptyLevelIsSixteenBytes) {
    Level level;
    EXPECT_EQ(Hex(Save(level)), "04 00 00 00 23 31 2E 37 00 00 00 00 00 00 00 00");
}

TEST_F(LevelFile, UnusedAssetsAreDroppedAndIndicesCloseUp) {
    Level level;
    ASSERT_TRUE(Load(level, Image{"#1.7", {{3, "unused.png"}, {3, "tex.png"}}, {Sprite("S", 1)}}.bytes()));
    EXPECT_EQ(level.assets.size(), 2u);
    EXPECT_TRUE(level.assetsMissing); // unused.png does not exist
    Image expected{"#1.7", {{3, "tex.png"}}, {Sprite("S", 0)}};
    EXPECT_EQ(Hex(Save(level)), Hex(expected.bytes()));
}

TEST_F(LevelFile, ReservedIndexSelectsTheMissingAsset) {
    Level level;
    ASSERT_TRUE(Load(level, Image{"#1.7", {}, {Sprite("S", 0)}}.bytes()));
    EXPECT_EQ(level.objects.at("S").texture, Level::getMissingTexture());
    EXPECT_FALSE(level.assetsMissing);
    EXPECT_EQ(Hex(Save(level)), Hex(Image{"#1.7", {}, {Sprite("S", 0)}}.bytes()));
}

TEST_F(LevelFile, CameraRecordsCarryNoTransformAndMainCameraOnlyCentre) {
    Record main;
    main.name = c_mainCameraName;
    main.type = 10;
    main.asset = -1;
    main.transform = false;
    main.payload = Bytes().f32(500).f32(500).f32(1).s;
    Record other = main;
    other.name = "Cam";
    other.payload = Bytes().f32(1).f32(2).f32(800).f32(600).f32(90).f32(2).s;
    const Image image{"#1.7", {}, {other, main}};
    Level level;
    ASSERT_TRUE(Load(level, image.bytes()));
    const Camera& cam = *level.objects.at("Cam").camera;
    EXPECT_EQ(cam.getSize(), sf::Vector2f(800, 600));
    EXPECT_EQ(cam.getRotation(), 90.f);
    EXPECT_EQ(cam.textureMultiplier, 2.f);
    EXPECT_EQ(level.objects.at(c_mainCameraName).camera->getCenter(), sf::Vector2f(500, 500));
    EXPECT_EQ(Save(level), image.bytes());
}

TEST_F(LevelFile, ZOrderRotationAndColours) {
    Record sprite = Sprite("S");
    sprite.z = -1;
    sprite.tf[2] = 90.f;
    sprite.color[1] = sprite.color[2] = 0;
    Record light;
    light.name = "L";
    light.type = 11;
    light.asset = -1;
    light.color[1] = light.color[2] = 0;
    light.payload = Bytes().f32(50).f32(0.5f).u16(256).s;
    Record text;
    text.name = "T";
    text.type = 8;
    text.color[1] = text.color[2] = 0;
    text.payload = Bytes().str("Hi").u32(20).u8(3).f32(1.f).f32(0.f).s;
    text.asset = 0;
    sprite.asset = 1;
    // Assets are written in path order, so this image is also what a save gives.
    const Image fixed{"#1.7", {{7, "font.ttf"}, {3, "tex.png"}}, {light, sprite, text}};
    Level level;
    ASSERT_TRUE(Load(level, fixed.bytes()));
    const auto& s = level.objects.at("S");
    EXPECT_EQ(s.zOrder, -1);
    EXPECT_EQ(s.sprite->getRotation(), 90.f);
    EXPECT_EQ(s.sprite->getColor(), sf::Color::Red);
    EXPECT_EQ(level.objects.at("L").pointLight->color, sf::Color::Red);
    EXPECT_EQ(level.objects.at("T").text->getFillColor(), sf::Color::Red);
    EXPECT_EQ(level.objects.at("T").text->getStyle(), 3u);
    const std::string saved = Save(level);
    EXPECT_NE(Hex(saved).find("FF FF FF FF 02 00 00 00 00 00 20 41 00 00 A0 41 00 00 B4 42"), std::string::npos)
        << "z -1, blend 2, position (10, 20), rotation 90.0";
    EXPECT_EQ(saved, fixed.bytes());
}

TEST_F(LevelFile, ShaderWhoseFileIsGoneLeavesAnEmptyProgram) {
    Record r = Sprite("S");
    r.fragment = Shader{1, std::string("\0\0\0?", 4)};
    Level level;
    ASSERT_TRUE(Load(level, Image{"#1.7", {{3, "tex.png"}, {4, "gone.frag"}}, {r}}.bytes()));
    const auto& s = level.objects.at("S");
    EXPECT_TRUE(level.assetsMissing);
    ASSERT_TRUE(s.shader);
    EXPECT_EQ(s.shader->getNativeHandle(), 0u);
    EXPECT_EQ(s.fragmentUniformData.size(), 4u);

    Level present;
    r.fragment = Shader{1, ""};
    ASSERT_TRUE(Load(present, Image{"#1.7", {{3, "tex.png"}, {4, "f.frag"}}, {r}}.bytes()));
    EXPECT_FALSE(present.assetsMissing);
    EXPECT_NE(present.objects.at("S").shader->getNativeHandle(), 0u);
}

TEST_F(LevelFile, UnknownTagAddsNothingAndLoadingTwiceReuses) {
    Level level;
    const std::string bytes = Image{"#1.7", {{3, "tex.png"}}, {Sprite("A"), Sprite("B")}}.bytes();
    std::string wrong = bytes;
    wrong[7] = '8';
    ErrCapture err;
    EXPECT_FALSE(Load(level, wrong));
    EXPECT_TRUE(level.objects.empty());
    EXPECT_FALSE(level.getLoadError().empty());
    ASSERT_TRUE(Load(level, bytes));
    const Level::Object* a = &level.objects.at("A");
    ASSERT_TRUE(Load(level, bytes));
    EXPECT_EQ(level.objects.size(), 2u);
    EXPECT_EQ(level.assets.size(), 1u);
    EXPECT_EQ(&level.objects.at("A"), a);
    EXPECT_EQ(Save(level), bytes);
}

TEST_F(LevelFile, OlderVersions) {
    // "#1.6": uint16 gaps, headerless particles with type 7, vertex primitive 6.
    ParticleSystem ps;
    ps.particleType = 7;
    std::string psBody;
    ps.saveToMemory(psBody, true);
    Record map;
    map.name = "Map";
    map.type = 1;
    map.payload = Bytes().u16(1).u16(2).u32(16).u32(16).u32(1).u32(1).u32(8).u32(8).u16(5).s;
    Record parts;
    parts.name = "Parts";
    parts.type = 6;
    parts.asset = -1;
    parts.payload = psBody;
    Record shape;
    shape.name = "Shape";
    shape.type = 9;
    shape.asset = -1;
    shape.payload = Bytes().i32(6).u8(0).u32(0).s;
    Level v16;
    ASSERT_TRUE(Load(v16, Image{"#1.6", {{3, "tex.png"}}, {map, parts, shape}}.bytes()));
    EXPECT_EQ(v16.objects.at("Map").tileMap->gap, sf::Vector2u(1, 2));
    EXPECT_EQ(v16.objects.at("Map").tileMap->tiles[0][0], 5);
    EXPECT_EQ(v16.objects.at("Parts").particleSystem->particleType, ParticleSystem::QuadsTriangles);
    EXPECT_EQ(v16.objects.at("Shape").vertexObject->getPrimitiveCode(), 3);

    // "#1.5": two leading path components, a trailing zero byte in names, always a transform.
    for (const char* tag : {"#1.5", "#1.4"}) {
        Record box = Sprite(std::string("Box", 4));
        Image old{tag, {{3, "Projects/Demo/tex.png"}, {3, "Projects/Demo/gone.png"}}, {box, Sprite("Gone", 1)}};
        Level level;
        ASSERT_TRUE(Load(level, old.bytes())) << tag;
        ASSERT_TRUE(level.objects.count("Box")) << tag;
        EXPECT_TRUE(level.assets.count("tex.png"));
        const Level::AssetObject* tex = level.objects.at("Box").texture;
        EXPECT_EQ(tex->path, "tex.png");
        EXPECT_EQ(tex->texture->getSize(), sf::Vector2u(4, 4)); // loaded from lvl/tex.png
        EXPECT_FALSE(level.assetsMissing);
        // Saved as "#1.7", the asset still points at the file it was loaded from.
        Level again;
        ASSERT_TRUE(Load(again, Save(level)));
        EXPECT_EQ(again.objects.at("Box").texture->texture->getSize(), sf::Vector2u(4, 4));
        EXPECT_EQ(Save(level).substr(4, 4), "#1.7");
    }
}

TEST_F(LevelFile, TextsAreUtf8AndOldBytesReadAsLatin1) {
    Record text;
    text.name = "T";
    text.type = 8;
    text.asset = 0;
    text.payload = Bytes().str("Gr\xc3\xb6\xc3\x9f" "e").u32(20).u8(0).f32(1.f).f32(0.f).s;
    Image image{"#1.7", {{7, "font.ttf"}}, {text}};
    Level level;
    ASSERT_TRUE(Load(level, image.bytes()));
    const std::string utf8 = "Gr\xc3\xb6\xc3\x9f" "e";
    const sf::String expected = sf::String::fromUtf8(utf8.begin(), utf8.end());
    EXPECT_EQ(level.objects.at("T").text->getString(), expected);
    EXPECT_EQ(Save(level), image.bytes());

    image.records[0].payload = Bytes().str("Gr\xf6\xdf" "e").u32(20).u8(0).f32(1.f).f32(0.f).s;
    Level latin;
    ASSERT_TRUE(Load(latin, image.bytes()));
    EXPECT_EQ(latin.objects.at("T").text->getString(), expected);
}

TEST_F(LevelFile, TextOnTheMissingFontWithoutAFontHasNone) {
    Record text;
    text.name = "T";
    text.type = 8;
    text.asset = 0; // reserved index: the missing font, which holds no font in this process
    text.payload = Bytes().str("x").u32(20).u8(0).f32(1.f).f32(0.f).s;
    Level level;
    ASSERT_TRUE(Load(level, Image{"#1.7", {}, {text}}.bytes()));
    EXPECT_EQ(level.objects.at("T").font, Level::getMissingFont());
    EXPECT_EQ(level.objects.at("T").text->getFont(), nullptr);
    const Image expected{"#1.7", {}, {text}};
    EXPECT_EQ(Save(level), expected.bytes());
}

// Damaged files: each is refused with a message; whole records before the fault stay.
TEST_F(LevelFile, BrokenFiles) {
    const Record good = Sprite("A good one");
    struct Case {
        const char* what;
        std::string bytes;
        const char* message;
    };
    auto image = [&](Record r, std::vector<std::pair<std::int32_t, std::string>> assets = {{3, "tex.png"}}) {
        return Image{"#1.7", assets, {good, r}}.bytes();
    };
    Record r;
    std::vector<Case> cases;
    cases.push_back({"negative asset count", Bytes().str("#1.7").i32(-1).i32(0).s, "negative asset count"});
    cases.push_back({"asset count beyond the data", Bytes().str("#1.7").i32(1000).i32(0).s, "asset count"});
    cases.push_back({"object count beyond the data", Bytes().str("#1.7").i32(0).i32(1000).s, "object count"});
    r = Sprite("B", 5);
    cases.push_back({"asset index out of range", image(r), "asset index 5 out of range"});
    r = Sprite("B", -1);
    cases.push_back({"sprite without asset", image(r), "sprite without texture"});
    r = Sprite("B");
    r.type = 1;
    r.asset = -1;
    cases.push_back({"tile map without asset", image(r), "tile map without texture"});
    r = Sprite("B");
    r.blend = 4;
    cases.push_back({"blend out of range", image(r), "blend mode 4 out of range"});
    r = Sprite("B");
    r.fragment = Shader{7, ""};
    cases.push_back({"shader index out of range", image(r), "fragment shader index 7 out of range"});
    r = Sprite("B");
    r.type = 3;
    cases.push_back({"asset kind as object", image(r), "unknown kind 3"});
    r = Sprite("B");
    r.type = 6;
    r.asset = -1;
    r.payload = "PSY009" + std::string(ParticleSystem::c_imageSize, '\0');
    cases.push_back({"particle magic", image(r), "PSY002"});
    {
        std::string b = Encode(Sprite("B"));
        // Replace the hitbox flag byte (just before the 16-byte payload) with a flag and a
        // negative count.
        b.resize(b.size() - 16 - 1);
        b += Bytes().u8(1).i32(-3).s;
        cases.push_back({"negative hit lines",
                         Bytes().str("#1.7").i32(1).i32(3).str("tex.png").u8(0).u8(0).i32(2).text(Encode(good)).text(b).s,
                         "negative hit line count"});
    }
    r = Sprite(c_mainCameraName);
    cases.push_back({"name of another kind", image(r), "already exists as another kind"});
    r = Sprite("B");
    r.type = 1;
    r.payload = Bytes().u32(0).u32(0).u32(16).u32(16).u32(5000).u32(1).u32(8).u32(8).s;
    cases.push_back({"tile count too large", image(r), "too large"});
    r = Sprite("B");
    r.type = 9;
    r.asset = -1;
    r.payload = Bytes().i32(3).u8(0).u32(0xFFFFFFFF).s;
    cases.push_back({"vertex count beyond the data", image(r), "vertex count"});
    cases.push_back({"one asset path, two kinds", Image{"#1.7", {{3, "tex.png"}, {7, "tex.png"}}, {good}}.bytes(),
                     "two kinds"});

    for (const auto& c : cases) {
        Level level;
        auto& cam = level.objects[c_mainCameraName];
        cam.camera = std::make_unique<Camera>();
        cam.type = ObjectType::Camera;
        ErrCapture err;
        EXPECT_FALSE(Load(level, c.bytes)) << c.what;
        EXPECT_NE(level.getLoadError().find(c.message), std::string::npos) << c.what << ": " << level.getLoadError();
        EXPECT_NE(err.text().find(c.message), std::string::npos) << c.what;
        for (const auto& [name, o] : level.objects) EXPECT_TRUE(o.anyUsed()) << c.what << ": " << name;
        EXPECT_TRUE(level.objects.at(c_mainCameraName).camera) << c.what;
    }
}

TEST_F(LevelFile, TruncatedAtEveryByte) {
    Record text;
    text.name = "Text";
    text.type = 8;
    text.asset = 1;
    text.hitbox = std::vector<std::array<float, 4>>{{0, 0, 1, 1}};
    text.payload = Bytes().str("hello").u32(20).u8(0).f32(1.f).f32(0.f).s;
    Record map;
    map.name = "Map";
    map.type = 1;
    map.payload = Bytes().u32(0).u32(0).u32(16).u32(16).u32(2).u32(2).u32(8).u32(8).u16(1).u16(2).u16(3).u16(4).s;
    const std::string full = Image{"#1.7", {{3, "tex.png"}, {7, "font.ttf"}}, {map, Sprite("Sprite"), text}}.bytes();
    Level reference;
    ASSERT_TRUE(Load(reference, full));
    ErrCapture err;
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        Level level;
        ASSERT_FALSE(Load(level, full.substr(0, cut))) << cut;
        for (const auto& [name, o] : level.objects) {
            ASSERT_TRUE(o.anyUsed()) << cut;
            // A record that is there is complete.
            if (name == "Map") {
                ASSERT_EQ(o.tileMap->tiles, reference.objects.at("Map").tileMap->tiles) << cut;
            }
        }
    }
}

TEST_F(LevelFile, MismatchedAssetKindCountsAsMissing) {
    Level level;
    // Asset 0 is a font; a sprite naming it gets the missing texture.
    ASSERT_TRUE(Load(level, Image{"#1.7", {{7, "font.ttf"}}, {Sprite("S", 0)}}.bytes()));
    EXPECT_EQ(level.objects.at("S").texture, Level::getMissingTexture());
    EXPECT_TRUE(level.assetsMissing);
}

TEST_F(LevelFile, EveryKindRoundTripsByteForByte) {
    ParticleSystem ps;
    ps.spawnCount = 3;
    std::string psImage;
    ps.saveToMemory(psImage, false);
    auto rec = [](const std::string& name, std::int32_t type, std::int32_t asset, std::string payload) {
        Record r;
        r.name = name;
        r.type = type;
        r.asset = asset;
        r.payload = std::move(payload);
        r.transform = type != 10;
        return r;
    };
    // Assets in path order: f.frag 0, font.ttf 1, tex.png 2, v.vert 3.
    Record sprite = rec("Sprite", 2, 2, Bytes().i32(1).i32(1).i32(2).i32(2).s);
    sprite.fragment = Shader{0, std::string("\0\0\0?", 4)};
    sprite.vertex = Shader{3, ""};
    sprite.hitbox = std::vector<std::array<float, 4>>{{0, 0, 4, 4}, {4, 4, 0, 0}};
    sprite.color[3] = 128;
    const Image image{"#1.7",
                      {{4, "f.frag"}, {7, "font.ttf"}, {3, "tex.png"}, {5, "v.vert"}},
                      {rec("Camera", 10, -1, Bytes().f32(1).f32(2).f32(300).f32(200).f32(45).f32(1.5f).s),
                       rec("Dir", 12, -1, Bytes().f32(80).f32(20).f32(0.7f).u16(128).s),
                       rec("Map", 1, 2, Bytes().u32(1).u32(1).u32(2).u32(2).u32(2).u32(1).u32(4).u32(4).u16(3).u16(0).s),
                       rec("Particles", 6, 2, psImage),
                       rec("Point", 11, -1, Bytes().f32(30).f32(0.5f).u16(64).s),
                       sprite,
                       rec("Text", 8, 1, Bytes().str("Hello").u32(24).u8(5).f32(1.5f).f32(2.f).s),
                       rec("Verts", 9, 2, Bytes().i32(4).u8(1).u32(2).f32(1).f32(2).u32(0xFF00FF80).f32(0).f32(1)
                                              .f32(3).f32(4).u32(0x11223344).f32(1).f32(0).s),
                       rec(c_mainCameraName, 10, -1, Bytes().f32(500).f32(500).f32(1).s)}};
    Level level;
    ASSERT_TRUE(Load(level, image.bytes()));
    EXPECT_FALSE(level.assetsMissing);
    EXPECT_EQ(level.objects.size(), 9u);
    for (const auto& [name, o] : level.objects) EXPECT_EQ(o.getPointer() != nullptr, true) << name;
    EXPECT_EQ(level.objects.at("Sprite").hitbox->lines.size(), 2u);
    EXPECT_EQ(level.objects.at("Particles").particleSystem->texture, level.objects.at("Sprite").sprite->getTexture());
    EXPECT_EQ(Hex(Save(level)), Hex(image.bytes()));

    // The same level saved again, from a copy loaded from the saved bytes.
    Level copy;
    ASSERT_TRUE(Load(copy, Save(level)));
    EXPECT_EQ(Save(copy), image.bytes());
}

TEST_F(LevelFile, ParticlePoolsShareOneBudget) {
    ParticleSystem pool;
    pool.newestTop = false;
    pool.maxParticles = 600000;
    std::string image;
    pool.saveToMemory(image, false);
    Record a;
    a.name = "A";
    a.type = 6;
    a.asset = -1;
    a.payload = image;
    Record b = a;
    b.name = "B";
    Level two;
    ErrCapture err;
    EXPECT_FALSE(Load(two, Image{"#1.7", {}, {a, b}}.bytes()));
    EXPECT_NE(two.getLoadError().find("particles in all"), std::string::npos);
    EXPECT_EQ(two.objects.at("A").particleSystem->particles.size(), 600000u); // the first fits
}
