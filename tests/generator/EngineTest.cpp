#include "ToolRun.hpp"
#include "TestImages.hpp"
#include "generator/RUXtyu.hpp"

#include <gtest/gtest.h>

#include <SFML/Graphics/RenderTexture.hpp>

#include <filesystem>
#include <fstream>

namespace
{
    using Job = Tesslify::RUXtyu;

    sf::Image WhiteSquare()
    {
        sf::Image image;
        image.create(16, 16, sf::Color::White);
        return image;
    }

    // Small enough to run in well under a second on a software rasteriser.
    std::unique_ptr<Job> MakeJob(int generations = 2, sf::Vector2i rotation = {0, 360}, bool constantRotation = false,
                                 bool constantSize = false, std::uint32_t seed = 7, bool png = true, bool tyu = true)
    {
        return std::make_unique<Job>(png, tyu, 30, generations, rotation, constantRotation, constantSize, seed);
    }

    int RunToEnd(Job& job, int limit = 5000)
    {
        int updates = 0;
        while (!job.Update(false) && ++updates < limit)
        {
        }
        return updates;
    }

    TEST(Engine, EvaluatedShapeIsTheShapeTheFrameFileDraws)
    {
        Job::_Object candidate;
        candidate.transformable.setPosition({10.f, 20.f, 0.f});
        candidate.transformable.setRotation({0.f, 0.f, 22.5f});   // 32/512 of a turn, exactly
        candidate.transformable.setScale({8.f, 8.f, 1.f});

        const unsigned height = 40;
        Tessly::Object record;
        record.x = 10;
        record.y = int(height) - 20;
        record.rotation = static_cast<sf::Int16>(22.5f / 0.703125f);
        record.size = 8;
        ASSERT_TRUE(Tessly::Save({record}, {40, height}, "corner.tyu", 0));
        tyu::Frame frame;
        ASSERT_TRUE(frame.loadFromFile("corner.tyu"));

        // Quad corners (0,0) (1,0) (1,1) (0,1) are frame vertices 0, 1, 2, 3.
        const std::pair<int, int> pairs[] = {{0, 0}, {1, 1}, {2, 2}, {4, 3}};
        for (auto [quad, vertex] : pairs)
        {
            const sf::Vector2f e = Job::EvaluationCorner(candidate, quad);
            EXPECT_NEAR(e.x, frame.getVertices()[vertex].position.x, 1e-3) << quad;
            EXPECT_NEAR(e.y, frame.getVertices()[vertex].position.y, 1e-3) << quad;
        }
    }

    class EngineJob : public ::testing::Test
    {
    protected:
        static void SetUpTestSuite() { WriteTarget("target.png", 32, 32); }
    };

    TEST_F(EngineJob, PaintsWhatTheFrameFileRedraws)
    {
        auto job = MakeJob(2, {0, 360}, false, false, 11);
        ASSERT_TRUE(job->Start("target.png", "paint", WhiteSquare(), 40, 3, 16, 0));
        RunToEnd(*job);
        ASSERT_TRUE(job->finished());
        EXPECT_GT(job->shapesPlaced(), 20);

        sf::Image target, painted;
        ASSERT_TRUE(target.loadFromFile("target.png"));
        ASSERT_TRUE(painted.loadFromFile("paint.png"));
        sf::Image black;
        black.create(32, 32, sf::Color::Black);
        EXPECT_LT(Rmse(painted, target), 0.6 * Rmse(black, target));

        // The frame file drawn at the image's own size gives the PNG back.
        tyu::Frame frame;
        ASSERT_TRUE(frame.loadFromFile("paint.tyu"));
        EXPECT_EQ(frame.getShapeCount(), std::size_t(job->shapesPlaced()));
        sf::RenderTexture redraw;
        ASSERT_TRUE(redraw.create(32, 32));
        redraw.clear(sf::Color::Black);
        redraw.draw(frame);
        redraw.display();
        EXPECT_LT(Rmse(redraw.getTexture().copyToImage(), painted), 12.0);
    }

    TEST_F(EngineJob, FixedSeedRepeatsAndOtherSeedsDiffer)
    {
        std::vector<Tessly::Object> runs[3];
        const std::uint32_t seeds[3] = {5, 5, 6};
        for (int i = 0; i < 3; ++i)
        {
            auto job = MakeJob(2, {0, 360}, false, false, seeds[i], false, false);
            ASSERT_TRUE(job->Start("target.png", "seed", WhiteSquare(), 5, 3, 16, 0));
            RunToEnd(*job);
            runs[i] = job->results();
        }
        auto same = [](const std::vector<Tessly::Object>& a, const std::vector<Tessly::Object>& b) {
            if (a.size() != b.size())
                return false;
            for (std::size_t i = 0; i < a.size(); ++i)
                if (a[i].x != b[i].x || a[i].y != b[i].y || a[i].size != b[i].size || a[i].rotation != b[i].rotation)
                    return false;
            return true;
        };
        EXPECT_TRUE(same(runs[0], runs[1]));
        EXPECT_FALSE(same(runs[0], runs[2]));
    }

    TEST_F(EngineJob, ConstantRotationAndSizeAreRecordedAsGiven)
    {
        auto job = MakeJob(1, {30, 50}, true, true);
        ASSERT_TRUE(job->Start("target.png", "const", WhiteSquare(), 6, 5, 99, 3));
        RunToEnd(*job);
        ASSERT_GT(job->shapesPlaced(), 0);
        for (const Tessly::Object& o : job->results())
        {
            EXPECT_EQ(o.rotation, 42);   // truncate(30 / 0.703125)
            EXPECT_EQ(o.size, 5);        // the maximum follows the minimum
        }
        std::ifstream file("const.tyu", std::ios::binary);
        char header[18];
        file.read(header, 18);
        EXPECT_EQ(header[14], 3);
    }

    TEST_F(EngineJob, SizeBoundShrinksAfterHalfTheShapes)
    {
        auto job = MakeJob(1);
        ASSERT_TRUE(job->Start("target.png", "bound", WhiteSquare(), 8, 3, 200, 0));
        std::vector<Job::_Object> scratch(30);
        EXPECT_EQ(job->Generate(1, scratch.data()), 200.f);
        while (job->shapesPlaced() < 4)
            ASSERT_FALSE(job->Update(false));
        EXPECT_EQ(job->Generate(1, scratch.data()), 20.f);   // min(200, 10 / (4 / 8))
    }

    TEST_F(EngineJob, SaveOnAFreshJobMakesOneAttemptAndWrites)
    {
        std::filesystem::remove("fresh.png");
        std::filesystem::remove("fresh.tyu");
        auto job = MakeJob();
        ASSERT_TRUE(job->Start("target.png", "fresh", WhiteSquare(), 100, 3, 16, 0));
        EXPECT_TRUE(job->Update(true));
        EXPECT_TRUE(job->finished());
        EXPECT_LE(job->shapesPlaced(), 1);
        EXPECT_TRUE(std::filesystem::exists("fresh.png"));
        EXPECT_TRUE(std::filesystem::exists("fresh.tyu"));
        EXPECT_TRUE(job->Update(false));   // an ended job stays ended
    }

    TEST(EngineStall, BlackTargetEndsAfter200AttemptsWithNothingPlaced)
    {
        sf::Image black;
        black.create(8, 8, sf::Color::Black);
        black.saveToFile("black.png");
        auto job = MakeJob(1);
        ASSERT_TRUE(job->Start("black.png", "stall", WhiteSquare(), 50, 2, 8, 0));
        EXPECT_EQ(RunToEnd(*job), 199);
        EXPECT_EQ(job->shapesPlaced(), 0);
        EXPECT_EQ(job->zeroStreak(), 200);
        EXPECT_TRUE(std::filesystem::exists("stall.png"));
    }

    TEST(EngineStall, AttemptsThatOnlyMakeThingsWorseEndTheJobToo)
    {
        // Every square covers the whole 15 x 15 checkerboard, which has one black cell more than
        // white ones: the mean grey moves more pixels away from the target than towards it, so
        // every attempt scores below zero.
        WriteChecker("checker.png", 15);
        auto job = MakeJob(1, {0, 0}, true, true);
        ASSERT_TRUE(job->Start("checker.png", "worse", WhiteSquare(), 50, 40, 40, 3));
        EXPECT_EQ(RunToEnd(*job, 400), 199);
        EXPECT_TRUE(job->finished());
        EXPECT_EQ(job->shapesPlaced(), 0);
    }

    TEST(EngineStart, RefusesWhatItCannotRun)
    {
        std::ofstream("notimage.png") << "not an image";
        const struct
        {
            const char* target;
            unsigned flags;
            int maxSize;
            std::string message;
        } cases[] = {
            {"missing.png", 0, 16, "Cannot load the target image missing.png."},
            {"notimage.png", 0, 16, "Cannot load the target image notimage.png."},
        };
        for (const auto& c : cases)
        {
            ErrCapture capture;
            auto job = MakeJob();
            EXPECT_FALSE(job->Start(c.target, "refused", WhiteSquare(), 10, 3, c.maxSize, c.flags));
            EXPECT_TRUE(job->failed());
            EXPECT_TRUE(job->Update(false));
            EXPECT_NE(capture.str().find(c.message), std::string::npos) << capture.str();
        }
    }

    TEST(EngineStart, CapsShapeSizesAtWhatFrameRecordsHold)
    {
        WriteTarget("small.png", 16, 16);
        const struct
        {
            unsigned flags;
            int expected;
        } cases[] = {{0, 2047}, {1, 4095}, {2, 4095}};
        for (const auto& c : cases)
        {
            ErrCapture capture;
            auto job = MakeJob(2, {0, 360}, false, c.flags & 2);
            ASSERT_TRUE(job->Start("small.png", "cap", WhiteSquare(), 1, 5000, 5000, c.flags));
            EXPECT_EQ(job->maxSize(), c.expected);
            EXPECT_NE(capture.str().find("Max shape size lowered to " + std::to_string(c.expected)), std::string::npos);
        }
        // Without a frame file there is nothing to cap.
        ErrCapture capture;
        auto job = MakeJob(2, {0, 360}, false, false, 7, true, false);
        ASSERT_TRUE(job->Start("small.png", "cap", WhiteSquare(), 1, 3, 5000, 0));
        EXPECT_EQ(job->maxSize(), 5000);
    }
}
