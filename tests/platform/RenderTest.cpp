#include "platform/Platform.hpp"
#include "platform/GlDriverPin.hpp"

#include <SFML/Graphics.hpp>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

bool Near(sf::Color a, sf::Color b) {
    auto d = [](int x, int y) { return std::abs(x - y) <= 8; };
    return d(a.r, b.r) && d(a.g, b.g) && d(a.b, b.b);
}

::testing::AssertionResult PixelIs(const sf::Image& img, sf::Vector2f at, sf::Color want) {
    const sf::Color got = img.getPixel(unsigned(at.x), unsigned(at.y));
    if (Near(got, want)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << at.x << "," << at.y << ") is " << int(got.r) << ","
                                         << int(got.g) << "," << int(got.b) << ", want " << int(want.r) << ","
                                         << int(want.g) << "," << int(want.b);
}

TEST(PlatformLayer, InitNeedsAnImGuiContext) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    sf::RenderWindow window(sf::VideoMode(64, 64), "platform init test");
    PinGlDrivers();
    EXPECT_FALSE(rux::platform::Init(window));
}

// One frame with an ImGui window, a button and a render-texture image between two SFML
// shapes: everything must show, the image upright, the shapes untouched.
TEST(PlatformLayer, RendersImGuiBetweenSfmlDrawing) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    ImGui::CreateContext();
    ImGui::GetIO().IniFilename = nullptr;
    sf::RenderWindow window(sf::VideoMode(320, 240), "platform render test");
    PinGlDrivers();
    ASSERT_TRUE(rux::platform::Init(window));

    sf::RenderTexture rt;
    ASSERT_TRUE(rt.create(64, 64));
    rt.clear(sf::Color::Blue);
    sf::RectangleShape topHalf({64, 32});
    topHalf.setFillColor(sf::Color::Red);
    rt.draw(topHalf);
    rt.display();

    sf::RectangleShape before({20, 20}), after({20, 20});
    before.setFillColor(sf::Color::Magenta);
    after.setFillColor(sf::Color::Green);
    after.setPosition(290, 210);

    sf::Image shot;
    sf::Vector2f imageMin, buttonMin;
    bool drawn = false;
    for (int frame = 0; frame < 2; ++frame) {
        sf::Event event;
        while (window.pollEvent(event)) rux::platform::ProcessEvent(event);
        rux::platform::Update(window, sf::milliseconds(16));
        ImGui::SetNextWindowPos(ImVec2(40, 30));
        ImGui::SetNextWindowSize(ImVec2(200, 180));
        ImGui::Begin("Test window");
        ImGui::Button("Press me");
        buttonMin = rux::platform::ToVector2f(ImGui::GetItemRectMin());
        rux::platform::Image(rt, {64, 64});
        imageMin = rux::platform::ToVector2f(ImGui::GetItemRectMin());
        ImGui::End();
        drawn = true;

        window.clear(sf::Color::Black);
        window.draw(before);
        rux::platform::Render(window);
        window.draw(after);
        if (frame == 1) {
            sf::Texture capture;
            ASSERT_TRUE(capture.create(320, 240));
            capture.update(window);
            shot = capture.copyToImage();
        }
        window.display();
    }
    ASSERT_TRUE(drawn);
    rux::platform::Shutdown();

    EXPECT_TRUE(PixelIs(shot, {10, 10}, sf::Color::Magenta));
    EXPECT_TRUE(PixelIs(shot, {300, 220}, sf::Color::Green));
    EXPECT_TRUE(PixelIs(shot, imageMin + sf::Vector2f(32, 8), sf::Color::Red));
    EXPECT_TRUE(PixelIs(shot, imageMin + sf::Vector2f(32, 56), sf::Color::Blue));
    EXPECT_TRUE(PixelIs(shot, buttonMin + sf::Vector2f(2, 2), sf::Color(35, 69, 109)))
        << "default button colour over the default window background";

    int lit = 0;
    for (unsigned y = 30; y < 210; ++y)
        for (unsigned x = 40; x < 240; ++x)
            if (shot.getPixel(x, y) != sf::Color::Black) ++lit;
    EXPECT_GT(lit, 200 * 180 / 2) << "the ImGui window should cover its rectangle";

    // The app restarts with a fresh context and window: the layer must come up again.
    ImGui::DestroyContext();
    ImGui::CreateContext();
    EXPECT_TRUE(rux::platform::Init(window));
    rux::platform::Shutdown();
    ImGui::DestroyContext();
}

}  // namespace

namespace {

TEST(PlatformLayer, ClipboardCarriesUtf8AndFontsRebuild) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    ImGui::CreateContext();
    ImGui::GetIO().IniFilename = nullptr;
    sf::RenderWindow window(sf::VideoMode(64, 64), "platform clipboard test");
    PinGlDrivers();
    ASSERT_TRUE(rux::platform::Init(window));

    const char* text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC";
    ImGui::SetClipboardText(text);
    EXPECT_STREQ(ImGui::GetClipboardText(), text);

    ImGuiIO& io = ImGui::GetIO();
    ImFontConfig big;
    big.SizePixels = 26.f;
    io.Fonts->AddFontDefault(&big);
    EXPECT_TRUE(rux::platform::UpdateFontTexture());
    EXPECT_NE(io.Fonts->TexID, nullptr);
    rux::platform::Update(window, sf::Time::Zero);  // a zero step must not trip ImGui
    ImGui::Text("big");
    rux::platform::Render(window);

    rux::platform::Shutdown();
    ImGui::DestroyContext();
}

}  // namespace
