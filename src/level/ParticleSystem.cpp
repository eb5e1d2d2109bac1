#include "level/ParticleSystem.hpp"
#include "level/Binary.hpp"
#include "level/Constants.hpp"
#include "level/Graphics.hpp"
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Clock.hpp>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <limits>

namespace rux {
namespace {

constexpr float c_degToRad = 3.14159265358979f / 180.f;

// Seconds to whole microseconds, truncated; NaN and huge values are kept in range.
std::int64_t ToMicros(double seconds) {
    const double us = seconds * 1'000'000.0;
    if (!(us == us)) return 0;
    if (us >= 9.0e18) return std::numeric_limits<std::int64_t>::max() / 2;
    if (us <= -9.0e18) return std::numeric_limits<std::int64_t>::min() / 2;
    return static_cast<std::int64_t>(us);
}

std::int64_t SaturatingSub(std::int64_t a, std::int64_t b) {
    std::int64_t r;
    if (__builtin_sub_overflow(a, b, &r))
        return b > 0 ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    return r;
}

sf::Uint8 Channel(float value255) {
    if (!(value255 > 0.f)) return 0;
    if (value255 >= 255.f) return 255;
    return static_cast<sf::Uint8>(value255);
}

sf::Color ToColor(const sf::Glsl::Vec4& c) {
    return sf::Color(ColorByte(c.x), ColorByte(c.y), ColorByte(c.z), ColorByte(c.w));
}

// Local shape of a particle with n vertices (n = 2 or 3): points on the unit circle.
sf::Vector2f CirclePoint(unsigned n, unsigned k, float offsetDegrees) {
    const float a = (360.f / static_cast<float>(n) * static_cast<float>(k) + offsetDegrees) * c_degToRad;
    return {std::cos(a), std::sin(a)};
}

const sf::Vector2f c_diamond[6] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}, {0, -1}, {0, 1}};
const sf::Vector2f c_square[6] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}, {1, 1}};

} // namespace

ParticleSystem::ParticleSystem()
    : random(static_cast<std::mt19937::result_type>(std::time(nullptr))),
      buffer(PrimitiveFor(Triangles), sf::VertexBuffer::Stream) {
    setupArray();
}

ParticleSystem::ParticleSystem(const ParticleSystem& other)
    : sf::Drawable(other), sf::Transformable(other) {
    *this = other;
}

ParticleSystem& ParticleSystem::operator=(const ParticleSystem& other) {
    if (this == &other) return *this;
    sf::Transformable::operator=(other);
    eventTargets = other.eventTargets;
    inheritPosition = other.inheritPosition;
    inheritColor = other.inheritColor;
    inheritLifetime = other.inheritLifetime;
    random = other.random;
    randomLifetime = other.randomLifetime;
    randomStartSpeed = other.randomStartSpeed;
    randomEndSpeed = other.randomEndSpeed;
    randomStartSize = other.randomStartSize;
    randomEndSize = other.randomEndSize;
    secondaryStart = other.secondaryStart;
    secondaryEnd = other.secondaryEnd;
    useSecondaryColors = other.useSecondaryColors;
    events = other.events;
    vertices = other.vertices;
    buffer = other.buffer; // starts empty; drawn from `vertices` until the next Update
    particles = other.particles;
    updateTime = other.updateTime;
    spawnTimer = other.spawnTimer;
    activeParticles = other.activeParticles;
    eventFlags = other.eventFlags;
    spawnPosition = other.spawnPosition;
    maxParticles = other.maxParticles;
    lifetime = other.lifetime;
    particleType = other.particleType;
    startRotation = other.startRotation;
    endRotation = other.endRotation;
    spawnCount = other.spawnCount;
    spawnRate = other.spawnRate;
    spawnRadius = other.spawnRadius;
    constantForce = other.constantForce;
    startForce = other.startForce;
    startSize = other.startSize;
    endSize = other.endSize;
    startSpeed = other.startSpeed;
    endSpeed = other.endSpeed;
    spawnAngle = other.spawnAngle;
    spawnRotation = other.spawnRotation;
    startColor = other.startColor;
    endColor = other.endColor;
    useBothColors = other.useBothColors;
    fading = other.fading;
    randomRotation = other.randomRotation;
    continuousEmission = other.continuousEmission;
    texture = other.texture;
    keepUpFramerate = other.keepUpFramerate;
    newestTop = other.newestTop;
    updateEnabled = other.updateEnabled;
    emitDuration = other.emitDuration;
    droppedEvents = other.droppedEvents;
    m_freeHint = other.m_freeHint;
    repoint();
    return *this;
}

// Moving a vector keeps its storage, so the particles' pointers stay valid.
ParticleSystem::ParticleSystem(ParticleSystem&& other) noexcept = default;
ParticleSystem& ParticleSystem::operator=(ParticleSystem&& other) noexcept = default;

unsigned ParticleSystem::VerticesPerParticle(std::int32_t type) {
    switch (type) {
    case Lines: return 2;
    case Triangles: return 3;
    case QuadsTriangles: return 6;
    default: return 1;
    }
}

sf::PrimitiveType ParticleSystem::PrimitiveFor(std::int32_t type) {
    switch (type) {
    case Points: return sf::Points;
    case Lines: return sf::Lines;
    case LineStrip: return sf::LineStrip;
    case Triangles: return sf::Triangles;
    case TriangleStrip: return sf::TriangleStrip;
    case TriangleFan: return sf::TriangleFan;
    case QuadsTriangles: return sf::Triangles;
    default: return sf::Points;
    }
}

void ParticleSystem::repoint() {
    std::size_t offset = 0;
    for (auto& p : particles) {
        p.vertices = offset + p.vertexCount <= vertices.size() ? vertices.data() + offset : nullptr;
        offset += p.vertexCount;
    }
}

void ParticleSystem::setupArray() {
    maxParticles = std::clamp(maxParticles, 0, c_maxParticles);
    particles.clear();
    vertices.clear();
    activeParticles = 0;
    m_freeHint = 0;
    buffer.setPrimitiveType(PrimitiveFor(particleType));
    buffer.clear();
    if (newestTop) return;
    const unsigned per = VerticesPerParticle(particleType);
    particles.resize(static_cast<std::size_t>(maxParticles));
    vertices.assign(static_cast<std::size_t>(maxParticles) * per, sf::Vertex(sf::Vector2f(), sf::Color::Transparent));
    for (auto& p : particles) p.vertexCount = static_cast<std::uint8_t>(per);
    repoint();
}

float ParticleSystem::unitDraw() { return static_cast<float>(random() * (1.0 / 4294967296.0)); }
float ParticleSystem::signedDraw() { return static_cast<float>(random() * (1.0 / 2147483648.0) - 1.0); }

void ParticleSystem::writeTexCoords(Particle& p, sf::Vector2f size) const {
    if (!p.vertices) return;
    auto map = [&](sf::Vector2f a) { return sf::Vector2f((a.x + 1.f) / 2.f * size.x, (a.y + 1.f) / 2.f * size.y); };
    const unsigned n = p.vertexCount;
    for (unsigned k = 0; k < n; ++k) {
        sf::Vector2f a;
        if (n == 6) a = c_square[k];
        else if (n == 2 || n == 3) a = CirclePoint(n, k, -45.f);
        p.vertices[k].texCoords = map(a);
    }
}

void ParticleSystem::DefineParticle(Particle& p) {
    const double life = static_cast<double>(signedDraw()) * randomLifetime + lifetime;
    p.lifetime = p.totalLifetime = ToMicros(life);

    if (!useSecondaryColors) {
        p.startColor = ToColor(startColor);
        p.endColor = ToColor(endColor);
    } else {
        auto pick = [&](float a, float b) { return Channel((a + (b - a) * unitDraw()) * 255.f); };
        p.startColor.b = pick(startColor.z, secondaryStart.z);
        p.startColor.g = pick(startColor.y, secondaryStart.y);
        p.startColor.r = pick(startColor.x, secondaryStart.x);
        p.endColor.b = pick(endColor.z, secondaryEnd.z);
        p.endColor.g = pick(endColor.y, secondaryEnd.y);
        p.endColor.r = pick(endColor.x, secondaryEnd.x);
        p.startColor.a = p.endColor.a = 255;
    }
    p.color = p.startColor;
    p.force = startForce;
    p.alive = true;

    p.startSize = signedDraw() * randomStartSize + startSize;
    p.endSize = signedDraw() * randomEndSize + endSize;
    p.startSpeed = signedDraw() * randomStartSpeed + startSpeed;
    p.endSpeed = signedDraw() * randomEndSpeed + endSpeed;

    const float angle = (unitDraw() * spawnAngle + spawnRotation) * c_degToRad;
    p.direction = {std::cos(angle), std::sin(angle)};
    p.setRotation(randomRotation ? unitDraw() * 360.f : 0.f);
    p.setScale(p.startSize, p.startSize);

    if (texture) writeTexCoords(p, sf::Vector2f(texture->getSize()));

    const float theta = unitDraw() * 6.283184f;
    const float r = unitDraw();
    p.position = spawnPosition + spawnRadius * r * sf::Vector2f(std::cos(theta), std::sin(theta));
    p.setPosition(p.position);
}

void ParticleSystem::writeVertices(Particle& p) const {
    sf::Vertex* v = p.vertices;
    if (!v) return;
    const unsigned n = p.vertexCount;
    if (n == 1) {
        v[0].position = p.position;
        v[0].color = p.color;
        return;
    }
    const sf::Transform& t = p.getTransform();
    for (unsigned k = 0; k < n; ++k) {
        const sf::Vector2f local = n == 6 ? c_diamond[k] : CirclePoint(n, k, -90.f);
        v[k].position = t.transformPoint(local);
        v[k].color = p.color;
    }
}

void ParticleSystem::createEvent(const ParticleSystemEvent::Type& type, const Particle& p) {
    if (events.size() >= c_maxParticleEvents) {
        ++droppedEvents;
        return;
    }
    events.push_back({type, p.position, p.getRotation(), p.color, p.lifetime});
}

std::vector<ParticleSystemEvent> ParticleSystem::takeEvents() {
    std::vector<ParticleSystemEvent> out;
    out.swap(events);
    return out;
}

void ParticleSystem::Create() {
    if (!newestTop) {
        for (std::int32_t i = 0; i < spawnCount; ++i) {
            while (m_freeHint < particles.size() && particles[m_freeHint].alive) ++m_freeHint;
            if (m_freeHint >= particles.size()) return;
            Particle& p = particles[m_freeHint++];
            DefineParticle(p);
            ++activeParticles;
            writeVertices(p);
            if (eventFlags & 4) createEvent(ParticleSystemEvent::Creation, p);
        }
        return;
    }
    const unsigned per = VerticesPerParticle(particleType);
    const std::size_t limit = static_cast<std::size_t>(std::clamp(maxParticles, 0, c_maxParticles));
    for (std::int32_t i = 0; i < spawnCount; ++i) {
        if (particles.size() >= limit) return;
        const sf::Vertex* before = vertices.data();
        vertices.insert(vertices.end(), per, sf::Vertex(sf::Vector2f(), sf::Color::White));
        particles.emplace_back();
        Particle& p = particles.back();
        p.vertexCount = static_cast<std::uint8_t>(per);
        if (vertices.data() != before) repoint();
        else p.vertices = vertices.data() + (vertices.size() - per);
        DefineParticle(p);
        ++activeParticles;
        writeVertices(p);
        if (eventFlags & 4) createEvent(ParticleSystemEvent::Creation, p);
    }
}

void ParticleSystem::Update(const sf::Time& dt) {
    sf::Clock clock;
    const std::int64_t us = dt.asMicroseconds();
    const double d = static_cast<double>(us) / 1'000'000.0;

    bool spawning = continuousEmission;
    if (!continuousEmission) {
        emitDuration = SaturatingSub(emitDuration, us);
        spawning = emitDuration > 0;
    }
    if (spawning) {
        spawnTimer = SaturatingSub(spawnTimer, us);
        if (spawnTimer <= 0) {
            Create();
            // A delay of zero or below would never pay off; one microsecond is the least.
            const std::int64_t period = std::max<std::int64_t>(1, ToMicros(spawnRate));
            spawnTimer += period;
            if (!keepUpFramerate && spawnTimer <= 0) spawnTimer += (-spawnTimer / period + 1) * period;
        }
    }

    for (auto& p : particles)
        if (p.alive) p.lifetime = SaturatingSub(p.lifetime, us);

    if (!newestTop) {
        for (std::size_t i = 0; i < particles.size(); ++i) {
            Particle& p = particles[i];
            if (!p.alive || p.lifetime > 0) continue;
            if (eventFlags & 2) createEvent(ParticleSystemEvent::Death, p);
            p.color = sf::Color::Transparent;
            writeVertices(p);
            p.alive = false;
            activeParticles = std::max(0, activeParticles - 1);
            m_freeHint = std::min(m_freeHint, i);
        }
    } else {
        std::size_t dead = 0, deadVertices = 0;
        for (auto& p : particles) {
            if (p.alive && p.lifetime > 0) break;
            if (p.alive && (eventFlags & 2)) createEvent(ParticleSystemEvent::Death, p);
            p.color = sf::Color::Transparent;
            ++dead;
            deadVertices += p.vertexCount;
        }
        if (dead != 0) {
            particles.erase(particles.begin(), particles.begin() + static_cast<std::ptrdiff_t>(dead));
            deadVertices = std::min(deadVertices, vertices.size());
            vertices.erase(vertices.begin(), vertices.begin() + static_cast<std::ptrdiff_t>(deadVertices));
            repoint();
            activeParticles = std::max<std::int32_t>(0, activeParticles - static_cast<std::int32_t>(dead));
        }
    }

    const float df = static_cast<float>(d);
    for (auto& p : particles) {
        if (!p.alive) continue;
        const float t = p.totalLifetime > 0
                            ? static_cast<float>(double(p.totalLifetime - p.lifetime) / double(p.totalLifetime))
                            : 1.f;
        const float speed = p.startSpeed + (p.endSpeed - p.startSpeed) * t;
        p.position += (p.force + constantForce * df + p.direction) * df * speed;
        p.force += constantForce * df;
        p.setPosition(p.position);
        if (!randomRotation) p.setRotation(startRotation + (endRotation - startRotation) * t);
        const float size = p.startSize + (p.endSize - p.startSize) * t;
        p.setScale(size, size);
        const float x = std::min(t, 1.f);
        if (x > fading) p.color.a = Channel(255.f - (x - fading) / (1.f - fading) * 255.f);
        if (useBothColors) {
            p.color.r = Channel(p.startColor.r + (float(p.endColor.r) - p.startColor.r) * t);
            p.color.g = Channel(p.startColor.g + (float(p.endColor.g) - p.startColor.g) * t);
            p.color.b = Channel(p.startColor.b + (float(p.endColor.b) - p.startColor.b) * t);
        }
        if (eventFlags & 1) createEvent(ParticleSystemEvent::Update, p);
    }
    for (auto& p : particles)
        if (p.alive) writeVertices(p);

    if (!vertices.empty()) buffer.upload(vertices.data(), vertices.size());
    updateTime = clock.getElapsedTime();
}

void ParticleSystem::applyTexture(const sf::Texture* tex) {
    if (!tex) return;
    const sf::Vector2f size(tex->getSize());
    for (auto& p : particles) writeTexCoords(p, size);
}

void ParticleSystem::draw(sf::RenderTarget& target, sf::RenderStates states) const {
    if (vertices.empty()) return;
    states.transform *= getTransform();
    states.texture = texture;
    if (!buffer.draw(target, vertices.size(), states))
        target.draw(vertices.data(), vertices.size(), PrimitiveFor(particleType), states);
}

} // namespace rux
