#include "app/App.hpp"
#include "app/ErrorLogs.hpp"
#include "app/InternalResource.hpp"
#include "app/Layout.hpp"

#include <SFML/System/Err.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(GenerateTextures, CircleIsWhiteDiamondWithBlackRim) {
    const sf::Image img = rux::MakeCircleImage();
    ASSERT_EQ(img.getSize(), sf::Vector2u(64, 64));
    EXPECT_EQ(img.getPixel(32, 32), sf::Color::White);
    EXPECT_EQ(img.getPixel(32 + 27, 32), sf::Color::White);   // d = 27 < 27.83
    EXPECT_EQ(img.getPixel(32 + 28, 32), sf::Color::Black);   // 27.83 <= 28 < 30.48
    EXPECT_EQ(img.getPixel(32 + 31, 32), sf::Color::Transparent);
    EXPECT_EQ(img.getPixel(0, 0), sf::Color::Transparent);
    EXPECT_EQ(img.getPixel(32 + 14, 32 + 15), sf::Color::Black);  // d = 29
}

TEST(RescaleWindow, PanelsKeepTheirProportions) {
    const rux::PanelRect r = rux::RescalePanel({{100, 124}, {400, 224}}, {1280, 720}, {2560, 1416}, 1.f);
    EXPECT_FLOAT_EQ(r.position.x, 200);
    EXPECT_FLOAT_EQ(r.position.y, 224);
    EXPECT_FLOAT_EQ(r.size.x, 800);
    EXPECT_FLOAT_EQ(r.size.y, 424);
    const rux::PanelRect same = rux::RescalePanel({{10, 30}, {50, 60}}, {800, 600}, {800, 600}, 1.5f);
    EXPECT_FLOAT_EQ(same.position.y, 30);
    EXPECT_FLOAT_EQ(same.size.y, 60);
}

TEST(FrameSeries, NeverMoreThan61AfterAFrameAddsItsSample) {
    std::vector<float> series;
    for (int frame = 0; frame < 200; ++frame) {
        rux::TrimSeries(series);
        series.push_back(static_cast<float>(frame));
        ASSERT_LE(series.size(), 61u);
    }
    EXPECT_EQ(series.front(), 139.f);
    EXPECT_EQ(series.back(), 199.f);
}

TEST(InternalResource, IdsMapToResFilesAndUnknownIdsAreEmpty) {
    EXPECT_STREQ(InternalResource::getPath(105), "Res/Languages.csv");
    EXPECT_STREQ(InternalResource::getPath(107), "Res/RUX.png");
    EXPECT_STREQ(InternalResource::getPath(111), "Res/FiraCode.ttf");
    EXPECT_EQ(InternalResource::getPath(112), nullptr);
    EXPECT_EQ(InternalResource::getResource(999), "");
    // Resources resolve against the working directory; use a folder of this test's own.
    const fs::path before = fs::current_path();
    const fs::path own = before / ("resources_" + std::to_string(::getpid()));
    fs::create_directories(own);
    fs::current_path(own);
    fs::create_directories("Res");
    std::ofstream("Res/Languages.csv", std::ios::binary) << "a,b,c\n";
    EXPECT_EQ(InternalResource::getResource(105, "BINARY"), "a,b,c\n");
    fs::remove_all("Res");
    EXPECT_EQ(InternalResource::getResource(105), "");
    fs::current_path(before);
    fs::remove_all(own);
}

TEST(Layout, ParsesWindowPlacesByIdentity) {
    const std::string ini = "[Window][Main view###Main]\r\nPos=260,40\r\nSize=760,680\r\nCollapsed=0\r\n\r\n"
                            "[Window][Debug##Default]\nPos=60,60\nSize=400,400\n"
                            "[Table][0x1234,2]\nPos=1,1\n"
                            "[Window][Szene###Scene]\nSize=1,2\nPos=3,4\n";
    const auto rects = rux::ParseLayout(ini);
    ASSERT_TRUE(rects.count("###Main"));
    EXPECT_EQ(rects.at("###Main").position, sf::Vector2f(260, 40));
    EXPECT_EQ(rects.at("###Main").size, sf::Vector2f(760, 680));
    EXPECT_EQ(rects.at("###Scene").position, sf::Vector2f(3, 4));
    EXPECT_TRUE(rects.count("Debug##Default"));
    EXPECT_EQ(rects.size(), 3u);
}

TEST(Layout, DefaultLayoutTilesThePanelsWithoutOverlap) {
    std::ifstream in(std::string(RUX_SOURCE_DIR) + "/Res/Level_layout.ini");
    const std::string ini((std::istreambuf_iterator<char>(in)), {});
    const auto rects = rux::ParseLayout(ini);
    std::vector<sf::FloatRect> boxes;
    for (const char* id : rux::App::c_panelIds) {
        ASSERT_TRUE(rects.count(id)) << id;
        const auto& r = rects.at(id);
        boxes.emplace_back(r.position, r.size);
        EXPECT_GE(r.position.y, 40.f) << id;  // below the menu bar of a 1280 x 720 window
        EXPECT_LE(r.position.x + r.size.x, 1280.f) << id;
        EXPECT_LE(r.position.y + r.size.y, 720.f) << id;
    }
    for (std::size_t i = 0; i < boxes.size(); ++i)
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            sf::FloatRect overlap;
            EXPECT_FALSE(boxes[i].intersects(boxes[j], overlap) && overlap.width > 0 && overlap.height > 0)
                << rux::App::c_panelIds[i] << " overlaps " << rux::App::c_panelIds[j];
        }
}

TEST(ErrorLogs, CapturesWhileAliveAndIsSafeAcrossThreads) {
    std::string captured = "old";
    {
        ErrorLogs capture(captured);
        sf::err() << "first line" << std::endl;
        std::vector<std::thread> workers;
        for (int t = 0; t < 4; ++t)
            workers.emplace_back([] {
                for (int i = 0; i < 500; ++i)
                    sf::err() << "worker\n";
            });
        for (auto& w : workers)
            w.join();
        std::string nested = "x";
        { ErrorLogs second(nested); }  // captures do not nest
        EXPECT_EQ(nested, "");
    }
    EXPECT_EQ(captured.rfind("first line\n", 0), 0u);
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = captured.find("worker\n", at)) != std::string::npos; at += 7)
        ++lines;
    EXPECT_EQ(lines, 2000u);
    EXPECT_EQ(captured.size(), 11u + 2000u * 7u);
}

TEST(WriteFileAtomically, ReplacesWholeOrNothing) {
    const fs::path before = fs::current_path();
    const fs::path own = before / ("atomic_" + std::to_string(::getpid()));
    fs::create_directories(own);
    fs::current_path(own);
    ASSERT_TRUE(rux::WriteFileAtomically("out.txt", "new contents"));
    std::ifstream in("out.txt");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "new contents");
    std::string error;
    EXPECT_FALSE(rux::WriteFileAtomically("no/such/folder/out.txt", "x", &error));
    EXPECT_NE(error.find("no/such/folder/out.txt"), std::string::npos);
    for (const auto& e : fs::directory_iterator("."))
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();
    fs::current_path(before);
    fs::remove_all(own);
}
