#include "Helpers.hpp"
#include <RUX.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>

using namespace rux;

namespace {
ParticleSystem Pool(std::int32_t max = 100) {
    ParticleSystem p;
    p.newestTop = false;
    p.maxParticles = max;
    p.setupArray();
    return p;
}
} // namespace

TEST(Particles, ImageRoundTripIs129BytesAndRestoresEveryField) {
    ParticleSystem p;
    p.constantForce = {1.5f, -2.f};
    p.endColor = {1.f, 0.5f, 0.25f, 0.f};
    p.endRotation = 90.f;
    p.maxParticles = 77;
    p.particleType = ParticleSystem::QuadsTriangles;
    p.randomRotation = true;
    p.spawnCount = 3;
    p.spawnRate = 0.25f;
    p.startForce = {3.f, 4.f};
    p.newestTop = false;
    p.keepUpFramerate = true;
    p.spawnPosition = {-1.f, 7.f};
    p.secondaryEnd = {0.f, 1.f, 0.f, 1.f};
    p.spawnRadius = 12.f;
    std::string image;
    p.saveToMemory(image, false);
    ASSERT_EQ(image.size(), 129u);
    EXPECT_EQ(image.substr(0, 6), "PSY002");

    ParticleSystem q;
    ASSERT_TRUE(q.loadFromMemory(image, false));
    std::string again;
    q.saveToMemory(again, false);
    EXPECT_EQ(again, image);
    EXPECT_NEAR(q.endColor.y, 127 / 255.f, 1e-6);
    EXPECT_EQ(q.particles.size(), 77u); // pool rebuilt for the loaded settings

    ASSERT_TRUE(p.saveToFile("p.part"));
    ASSERT_TRUE(p.saveToFile("p.psy"));
    EXPECT_EQ(std::filesystem::file_size("p.part"), 123u);
    ParticleSystem fromPart;
    ASSERT_TRUE(fromPart.loadFromFile("p.part"));
    EXPECT_EQ(fromPart.spawnCount, 3);
}

TEST(Particles, OldImagesMapType7AndDamagedOnesChangeNothing) {
    ParticleSystem src;
    src.particleType = 7;
    std::string body;
    src.saveToMemory(body, true);
    for (const std::string& image : {"PSY001" + body, body}) {
        ParticleSystem p;
        ASSERT_TRUE(p.loadFromMemory(image, image.size() == body.size()));
        EXPECT_EQ(p.particleType, ParticleSystem::QuadsTriangles);
    }
    ParticleSystem current;
    ASSERT_TRUE(current.loadFromMemory("PSY002" + body, false));
    EXPECT_EQ(current.particleType, 7); // unknown today, kept for saving

    const std::string full = "PSY002" + body;
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        ParticleSystem p;
        p.spawnCount = 9;
        EXPECT_FALSE(p.loadFromMemory(full.substr(0, cut), false)) << cut;
        EXPECT_EQ(p.spawnCount, 9);
    }
    ParticleSystem p;
    EXPECT_FALSE(p.loadFromMemory("PSY003" + body, false));

    ParticleSystem h;
    std::string clamped = full;
    const std::int32_t tooMany = 2'000'000'000;
    std::memcpy(clamped.data() + 6 + 32, &tooMany, 4); // maxParticles sits after 32 bytes
    ASSERT_TRUE(h.loadFromMemory(clamped, false));
    EXPECT_EQ(h.maxParticles, c_maxParticles);
}

TEST(Particles, EmissionTimingWithAndWithoutKeepingUp) {
    for (bool keepUp : {false, true}) {
        ParticleSystem p = Pool(1000);
        p.lifetime = 100.f;
        p.keepUpFramerate = keepUp;
        p.Update(sf::seconds(1));
        EXPECT_EQ(p.activeParticles, 1);
        for (int i = 0; i < 12; ++i) p.Update(sf::microseconds(0));
        EXPECT_EQ(p.activeParticles, keepUp ? 11 : 1) << keepUp;
    }
    // The default system settles at about ten live particles.
    ParticleSystem d;
    for (int i = 0; i < 100; ++i) d.Update(sf::milliseconds(50));
    EXPECT_NEAR(d.activeParticles, 10, 1);

    // A spawn delay of zero or below must not hang; catching up is arithmetic.
    for (float rate : {0.f, -1.f, 1e-9f}) {
        ParticleSystem z = Pool(10);
        z.lifetime = 1e7f;
        z.spawnRate = rate;
        z.Update(sf::seconds(100000));
        z.Update(sf::seconds(1));
        EXPECT_EQ(z.activeParticles, 2);
    }
}

TEST(Particles, FadingColoursAndShape) {
    ParticleSystem p = Pool(1);
    p.fading = 0.5f;
    p.useBothColors = false;
    p.spawnTimer = 1;
    p.Create();
    const auto& part = p.particles[0];
    EXPECT_EQ(part.color.a, 255);
    p.Update(sf::milliseconds(500));
    EXPECT_EQ(p.particles[0].color.a, 255);
    p.Update(sf::milliseconds(250));
    EXPECT_EQ(p.particles[0].color.a, 127);

    // Triangle corners on the unit circle at -90, 30 and 150 degrees before rotation/scale.
    ParticleSystem t = Pool(1);
    t.startSize = t.endSize = 1.f;
    t.startSpeed = t.endSpeed = 0.f;
    t.Create();
    const sf::Vertex* v = t.particles[0].vertices;
    const float k = std::sqrt(3.f) / 2.f;
    EXPECT_NEAR(v[0].position.x, 0.f, 1e-5);
    EXPECT_NEAR(v[0].position.y, -1.f, 1e-5);
    EXPECT_NEAR(v[1].position.x, k, 1e-5);
    EXPECT_NEAR(v[1].position.y, 0.5f, 1e-5);
    EXPECT_NEAR(v[2].position.x, -k, 1e-5);

    ParticleSystem s = Pool(20);
    s.useSecondaryColors = true;
    s.startColor = s.endColor = {1.f, 0.f, 0.f, 0.2f};
    s.secondaryStart = s.secondaryEnd = {0.f, 0.f, 1.f, 0.f};
    s.spawnCount = 20;
    s.Create();
    for (const auto& q : s.particles) {
        EXPECT_EQ(q.startColor.a, 255);
        EXPECT_EQ(q.endColor.a, 255);
    }
}

TEST(Particles, ListModeCapsAndPoolModeReusesSlots) {
    ParticleSystem list;
    list.maxParticles = 3;
    list.spawnCount = 5;
    list.setupArray();
    list.Create();
    EXPECT_EQ(list.particles.size(), 3u);
    EXPECT_EQ(list.vertices.size(), 9u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(list.particles[i].vertices, list.vertices.data() + 3 * i);

    ParticleSystem pool = Pool(2);
    pool.spawnCount = 5;
    pool.lifetime = 0.1f;
    pool.Create();
    EXPECT_EQ(pool.activeParticles, 2);
    const sf::Vertex* storage = pool.vertices.data();
    pool.Update(sf::milliseconds(200)); // no free slot to spawn into; then both die
    EXPECT_EQ(pool.activeParticles, 0);
    pool.spawnCount = 1;
    pool.Create();
    EXPECT_EQ(pool.activeParticles, 1);
    EXPECT_TRUE(pool.particles[0].alive); // the first free slot
    EXPECT_EQ(pool.vertices.data(), storage); // no reallocation in pool mode
}

TEST(Particles, CopiesOwnTheirVertices) {
    ParticleSystem a;
    a.spawnCount = 4;
    a.Create();
    ParticleSystem b(a);
    ParticleSystem c;
    c = a;
    for (const ParticleSystem* copy : {&b, &c}) {
        ASSERT_EQ(copy->particles.size(), 4u);
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(copy->particles[i].vertices, copy->vertices.data() + 3 * i);
    }
    b.Update(sf::milliseconds(10));
    a.Update(sf::milliseconds(10));
}

TEST(Particles, EventsAreTakenAndCapped) {
    ParticleSystem p = Pool(static_cast<std::int32_t>(c_maxParticleEvents) + 100);
    p.eventFlags = 4;
    p.spawnCount = static_cast<std::int32_t>(c_maxParticleEvents) + 10;
    p.Create();
    EXPECT_EQ(p.events.size(), c_maxParticleEvents);
    EXPECT_EQ(p.droppedEvents, 10u);
    const auto taken = p.takeEvents();
    EXPECT_EQ(taken.size(), c_maxParticleEvents);
    EXPECT_TRUE(p.events.empty());
    EXPECT_EQ(taken[0].type, ParticleSystemEvent::Creation);
}

TEST(Particles, UnknownTypeDrawsAsPoints) {
    ParticleSystem p = Pool(1);
    p.particleType = 42;
    p.setupArray();
    p.Create();
    EXPECT_EQ(p.vertices.size(), 1u);
    EXPECT_EQ(ParticleSystem::PrimitiveFor(42), sf::Points);
    sf::RenderTexture rt;
    ASSERT_TRUE(rt.create(8, 8));
    rt.clear();
    rt.draw(p);
    rt.display();
}
