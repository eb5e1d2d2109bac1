#pragma once
// Object kind 6: a CPU particle emitter drawn from one vertex array in a single call.
#include "level/GpuBuffer.hpp"
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Glsl.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <SFML/System/Time.hpp>
#include <array>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace sf { class InputStream; class Texture; }

namespace rux {

class ParticleSystem;

struct ParticleSystemEvent {
    enum Type : std::int32_t { Update = 1, Death = 2, Creation = 4 };
    Type type = Update;
    sf::Vector2f position;
    float rotation = 0.f; // degrees
    sf::Color color;
    std::int64_t lifetime = 0; // remaining microseconds
};

class ParticleSystem : public sf::Drawable, public sf::Transformable {
public:
    // How particles are built from vertices; the number is what files store.
    enum ParticleType : std::int32_t {
        Points = 0,
        Lines = 1,
        LineStrip = 2,
        Triangles = 3,
        TriangleStrip = 4,
        TriangleFan = 5,
        QuadsTriangles = 6,
    };

    class Particle : public sf::Transformable {
    public:
        ~Particle() override = default;
        std::uint8_t vertexCount = 1;
        sf::Vertex* vertices = nullptr; // its slice of the system's vertex array
        sf::Color color;
        sf::Color startColor;
        sf::Color endColor;
        std::int64_t lifetime = 0;      // remaining, microseconds
        std::int64_t totalLifetime = 0; // at birth, microseconds
        sf::Vector2f direction;
        sf::Vector2f position;
        sf::Vector2f force;
        float startSize = 0.f, endSize = 0.f;
        float startSpeed = 0.f, endSpeed = 0.f;
        bool alive = false;
    };

    // The image after its 6-byte magic is always this long.
    static constexpr std::size_t c_imageSize = 123;

    ParticleSystem();
    // Copies point every particle at the copy's own vertices; the GPU copy is rebuilt.
    ParticleSystem(const ParticleSystem& other);
    ParticleSystem& operator=(const ParticleSystem& other);
    ParticleSystem(ParticleSystem&& other) noexcept;
    ParticleSystem& operator=(ParticleSystem&& other) noexcept;
    ~ParticleSystem() override = default;

    static unsigned VerticesPerParticle(std::int32_t type);
    // Primitive drawn for a particle type; unknown types draw as points.
    static sf::PrimitiveType PrimitiveFor(std::int32_t type);

    void setupArray();
    void DefineParticle(Particle& p);
    void Create();
    void Update(const sf::Time& dt);
    void createEvent(const ParticleSystemEvent::Type& type, const Particle& p);
    // Hands the recorded events to the owner and starts a fresh list. Walk the returned list,
    // not `events`: chained systems may record new events meanwhile.
    std::vector<ParticleSystemEvent> takeEvents();
    void applyTexture(const sf::Texture* tex);

    // Particle images: "PSY002" (or the older "PSY001") and 123 bytes, or the bare 123 bytes
    // of ".part" files and old levels. A short or unknown image leaves the system unchanged.
    bool loadFromStream(sf::InputStream& stream, bool noHeader);
    bool loadFromMemory(std::string_view bytes, bool noHeader, std::string* error = nullptr);
    bool loadFromFile(const std::filesystem::path& path, std::string* error = nullptr);
    void saveToMemory(std::string& out, bool noHeader) const;
    bool saveToFile(const std::filesystem::path& path) const;

    std::array<ParticleSystem*, 3> eventTargets{};
    std::array<bool, 3> inheritPosition{};
    std::array<bool, 3> inheritColor{};
    std::array<bool, 3> inheritLifetime{};
    std::mt19937 random;
    float randomLifetime = 0.f;
    float randomStartSpeed = 0.f;
    float randomEndSpeed = 0.f;
    float randomStartSize = 0.f;
    float randomEndSize = 0.f;
    sf::Glsl::Vec4 secondaryStart{1.f, 1.f, 1.f, 1.f};
    sf::Glsl::Vec4 secondaryEnd{1.f, 1.f, 1.f, 1.f};
    bool useSecondaryColors = false;
    // Events since the owner last took them, at most c_maxParticleEvents; later ones are
    // dropped and counted in droppedEvents.
    std::vector<ParticleSystemEvent> events;
    std::vector<sf::Vertex> vertices;
    GpuBuffer buffer;
    std::vector<Particle> particles;
    sf::Time updateTime;
    std::int64_t spawnTimer = 0;
    std::int32_t activeParticles = 0;
    std::uint8_t eventFlags = 0;
    sf::Vector2f spawnPosition;
    std::int32_t maxParticles = 100;
    float lifetime = 1.f;
    std::int32_t particleType = Triangles;
    float startRotation = 0.f;
    float endRotation = 0.f;
    std::int32_t spawnCount = 1;
    float spawnRate = 0.1f;
    float spawnRadius = 0.f;
    sf::Vector2f constantForce;
    sf::Vector2f startForce;
    float startSize = 2.f;
    float endSize = 2.f;
    float startSpeed = 10.f;
    float endSpeed = 10.f;
    float spawnAngle = 360.f;
    float spawnRotation = 0.f;
    sf::Glsl::Vec4 startColor{1.f, 1.f, 1.f, 1.f};
    sf::Glsl::Vec4 endColor{1.f, 1.f, 1.f, 1.f};
    bool useBothColors = true;
    float fading = 1.f;
    bool randomRotation = false;
    bool continuousEmission = true;
    const sf::Texture* texture = nullptr;
    bool keepUpFramerate = false;
    bool newestTop = true;
    bool updateEnabled = true;
    std::int64_t emitDuration = 0;
    std::uint64_t droppedEvents = 0;

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

private:
    void repoint();
    void writeVertices(Particle& p) const;
    void writeTexCoords(Particle& p, sf::Vector2f textureSize) const;
    float unitDraw();
    float signedDraw();

    std::size_t m_freeHint = 0; // pool mode: no free slot before this index
};

} // namespace rux
