// Shaders attached to objects: uniform data sized to the shader, values fed to the program,
// files changed on disk picked up, and compile failures reported without losing the object.
#include "SceneFixture.hpp"

#include "env/Global.hpp"

#include <epoxy/gl.h>

#include <cstring>

namespace {

using rux::ObjectType;
using rux_test::SceneTest;
using rux_test::UndoExact;
using rux_test::WriteText;

const char* const tintSource =
    "uniform float amount;\nuniform vec3 tint;\nuniform sampler2D texture;\n"
    "void main() { gl_FragColor = vec4(tint * amount, 1.0) + texture2D(texture, gl_TexCoord[0].xy); }\n";

class ShaderTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        WriteText(Path("shaders/tint.frag"), tintSource);
        ASSERT_TRUE(scene.AddAsset("shaders/tint.frag", ObjectType::FragmentShader));
        rux::Global::Get().autoUpdateShaders = rux::Global::Get().autoUpdateTextures = true;
    }
    std::filesystem::path Path(const std::string& key) { return std::filesystem::path(rux_test::ProjectFolder()) / key; }
    const rux::Level::AssetObject* tint() { return &scene.assets.at("shaders/tint.frag"); }

    // A change the watcher cannot miss, whatever the file system's time resolution.
    void Touch(const std::string& key, int seconds) {
        const auto p = Path(key);
        std::filesystem::last_write_time(p, std::filesystem::last_write_time(p) + std::chrono::seconds(seconds));
    }

    static std::vector<float> UniformValue(const sf::Shader& shader, const char* name, int count) {
        sf::Shader::bind(&shader);
        const GLuint program = shader.getNativeHandle();
        const GLint at = glGetUniformLocation(program, name);
        std::vector<float> v(static_cast<std::size_t>(count), -1.f);
        if (at >= 0) glGetUniformfv(program, at, v.data());
        sf::Shader::bind(nullptr);
        return v;
    }

    static void PutFloats(std::vector<std::uint8_t>& data, std::size_t offset, std::vector<float> values) {
        ASSERT_LE(offset + values.size() * 4, data.size());
        std::memcpy(data.data() + offset, values.data(), values.size() * 4);
    }
};

TEST_F(ShaderTest, AttachSizesDataAndUndoRestoresIt) {
    AddSprite("A");
    const std::string image = rux_test::SceneImage(scene);
    UndoExact exact(scene);
    ASSERT_TRUE(scene.AttachShader("A", tint(), ObjectType::FragmentShader));
    const rux::Level::Object& a = scene.objects.at("A");
    EXPECT_EQ(a.fragmentUniformData, std::vector<std::uint8_t>(16, 0)) << "amount and tint, zero; the sampler is not a value";
    ASSERT_TRUE(a.shader);
    EXPECT_NE(a.shader->getNativeHandle(), 0u);
    EXPECT_TRUE(rux_test::ReferenceInStep(scene));
    EXPECT_FALSE(scene.AttachShader("A", &scene.assets.at("tex.png"), ObjectType::FragmentShader));
    EXPECT_TRUE(exact.UndoAllAndCompare());
    EXPECT_FALSE(scene.objects.at("A").shader);
}

TEST_F(ShaderTest, ShortStoredDataIsFittedOnDetection) {
    rux::Level::Object& a = AddSprite("A");
    a.fragmentShader = tint();
    a.fragmentUniformData = {1, 2, 3};
    scene.MirrorToReference("A");
    // As after reading a level: no text kept, no list known yet.
    scene.assets.at("shaders/tint.frag").source.clear();
    *scene.assets.at("shaders/tint.frag").uniforms = {};
    scene.DetectUniformsAll();
    EXPECT_EQ(tint()->uniforms->names, (std::vector<std::string>{"amount", "tint"}));
    std::vector<std::uint8_t> expected(16, 0);
    expected[0] = 1, expected[1] = 2, expected[2] = 3;
    EXPECT_EQ(a.fragmentUniformData, expected);
    EXPECT_EQ(reference.objects.at("A").fragmentUniformData, expected);
}

TEST_F(ShaderTest, NoSourceAnywhereLeavesTheStoredValues) {
    rux::Level::Object& a = AddSprite("A");
    a.fragmentShader = tint();
    a.fragmentUniformData = {1, 2, 3};
    scene.MirrorToReference("A");
    scene.assets.at("shaders/tint.frag").source.clear();
    std::filesystem::remove(Path("shaders/tint.frag"));
    scene.DetectUniformsAll();
    EXPECT_EQ(a.fragmentUniformData, (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(ShaderTest, ApplyUniformsFeedsEditedValues) {
    AddSprite("A");
    ASSERT_TRUE(scene.AttachShader("A", tint(), ObjectType::FragmentShader));
    rux::Level::Object& a = scene.objects.at("A");
    PutFloats(a.fragmentUniformData, 0, {0.5f});
    PutFloats(a.fragmentUniformData, 4, {0.25f, 0.5f, 0.75f});
    rux::Level::ApplyUniforms(a);
    EXPECT_EQ(UniformValue(*a.shader, "amount", 1), std::vector<float>{0.5f});
    EXPECT_EQ(UniformValue(*a.shader, "tint", 3), (std::vector<float>{0.25f, 0.5f, 0.75f}));
}

TEST_F(ShaderTest, ChangedFileIsReadDetectedAndValuesFollowTheirNames) {
    AddSprite("A");
    ASSERT_TRUE(scene.AttachShader("A", tint(), ObjectType::FragmentShader));
    rux::Level::Object& a = scene.objects.at("A");
    PutFloats(a.fragmentUniformData, 4, {0.25f, 0.5f, 0.75f});
    scene.MirrorToReference("A");
    EXPECT_EQ(scene.CheckExternalChanges(100.0), 0) << "first look only remembers";

    WriteText(Path("shaders/tint.frag"),
              "uniform vec3 tint;\nuniform float time;\nuniform float amount;\n"
              "void main() { gl_FragColor = vec4(tint * amount * time, 1.0); }\n");
    Touch("shaders/tint.frag", 5);
    EXPECT_EQ(scene.CheckExternalChanges(101.0), 1);
    const rux::Level::Uniforms& u = *tint()->uniforms;
    EXPECT_EQ(u.names, (std::vector<std::string>{"tint", "time", "amount"}));
    ASSERT_EQ(a.fragmentUniformData.size(), 20u);
    float tintNow[3];
    std::memcpy(tintNow, a.fragmentUniformData.data(), 12);
    EXPECT_EQ(tintNow[1], 0.5f) << "the tint kept its value at its new offset";
    EXPECT_EQ(UniformValue(*a.shader, "tint", 3), (std::vector<float>{0.25f, 0.5f, 0.75f})) << "recompiled and fed";
    EXPECT_TRUE(rux_test::ReferenceInStep(scene));

    scene.SetShaderTime(2.5f);
    EXPECT_EQ(UniformValue(*a.shader, "time", 1), std::vector<float>{2.5f});
    EXPECT_EQ(scene.CheckExternalChanges(102.0), 0) << "an unchanged file is not read again";
}

TEST_F(ShaderTest, CompileFailureKeepsProgramAndSourceAndReportsTheLog) {
    AddSprite("A");
    ASSERT_TRUE(scene.AttachShader("A", tint(), ObjectType::FragmentShader));
    const rux::Level::Object& a = scene.objects.at("A");
    const unsigned program = a.shader->getNativeHandle();
    scene.errorText.clear();
    scene.CheckExternalChanges(10.0);
    WriteText(Path("shaders/tint.frag"), "void main() { this is not glsl }\n");
    Touch("shaders/tint.frag", 7);
    rux_test::ErrCapture quiet;
    EXPECT_EQ(scene.CheckExternalChanges(11.0), 0);
    EXPECT_NE(scene.errorText.find("shaders/tint.frag"), std::string::npos) << scene.errorText;
    EXPECT_EQ(tint()->source, tintSource);
    EXPECT_EQ(tint()->uniforms->names.size(), 2u);

    scene.errorText.clear();
    scene.ReloadShader(scene.objects.at("A"));
    EXPECT_NE(scene.errorText.find("failed to compile"), std::string::npos);
    ASSERT_TRUE(a.shader);
    EXPECT_EQ(a.shader->getNativeHandle(), program) << "the working program stays";
}

TEST_F(ShaderTest, ChangedTextureReloadedUnchangedNot) {
    const auto& t = scene.assets.at("tex.png");
    ASSERT_EQ(t.texture->getSize(), sf::Vector2u(32, 16));
    EXPECT_EQ(scene.CheckExternalChanges(50.0), 0);
    EXPECT_EQ(scene.CheckExternalChanges(51.0), 0);
    sf::Image image;
    image.create(4, 4, sf::Color::Green);
    ASSERT_TRUE(image.saveToFile(Path("tex.png").string()));
    Touch("tex.png", 9);

    rux::Global::Get().autoUpdateTextures = false;
    EXPECT_EQ(scene.CheckExternalChanges(52.0), 0) << "switched off";
    EXPECT_EQ(t.texture->getSize(), sf::Vector2u(32, 16));
    rux::Global::Get().autoUpdateTextures = true;
    EXPECT_EQ(scene.CheckExternalChanges(53.0), 0) << "turning it on again does not reload the old change";
    Touch("tex.png", 11);
    EXPECT_EQ(scene.CheckExternalChanges(54.0), 1);
    EXPECT_EQ(t.texture->getSize(), sf::Vector2u(4, 4));
    EXPECT_EQ(scene.CheckExternalChanges(55.0), 0);
    image.create(32, 16, sf::Color::Red);
    image.saveToFile(Path("tex.png").string());
}

} // namespace
