// The particle image: ".psy" files, ".part" files and the particle payload of level files.
#include "level/Binary.hpp"
#include "level/Constants.hpp"
#include "level/FileIO.hpp"
#include "level/ParticleSystem.hpp"
#include <SFML/System/InputStream.hpp>
#include <algorithm>

namespace rux {
namespace {
constexpr std::string_view c_magic2 = "PSY002";
constexpr std::string_view c_magic1 = "PSY001";

sf::Glsl::Vec4 ReadColor(ByteReader& in) {
    sf::Glsl::Vec4 c;
    c.x = in.u8() / 255.f;
    c.y = in.u8() / 255.f;
    c.z = in.u8() / 255.f;
    c.w = in.u8() / 255.f;
    return c;
}
void PutColor(std::string& out, const sf::Glsl::Vec4& c) {
    PutU8(out, ColorByte(c.x));
    PutU8(out, ColorByte(c.y));
    PutU8(out, ColorByte(c.z));
    PutU8(out, ColorByte(c.w));
}
sf::Vector2f ReadVec(ByteReader& in) {
    const float x = in.f32();
    return {x, in.f32()};
}
void PutVec(std::string& out, sf::Vector2f v) {
    PutF32(out, v.x);
    PutF32(out, v.y);
}
} // namespace

bool ParticleSystem::loadFromMemory(std::string_view bytes, bool noHeader, std::string* error) {
    ByteReader in(bytes);
    bool legacy = noHeader;
    if (!noHeader) {
        const std::string_view magic = in.bytes(6);
        if (magic != c_magic2 && magic != c_magic1) {
            if (error) *error = "not a particle system (no PSY002 tag)";
            return false;
        }
        legacy = magic == c_magic1;
    }
    if (in.remaining() < c_imageSize) {
        if (error) *error = "particle system data truncated";
        return false;
    }
    constantForce = ReadVec(in);
    endColor = ReadColor(in);
    endRotation = in.f32();
    endSize = in.f32();
    endSpeed = in.f32();
    fading = in.f32();
    lifetime = in.f32();
    maxParticles = std::clamp(in.i32(), 0, c_maxParticles);
    particleType = in.i32();
    randomRotation = in.u8() != 0;
    spawnAngle = in.f32();
    spawnCount = in.i32();
    spawnRate = in.f32();
    spawnRotation = in.f32();
    startColor = ReadColor(in);
    startForce = ReadVec(in);
    startRotation = in.f32();
    startSize = in.f32();
    startSpeed = in.f32();
    newestTop = in.u8() != 0;
    keepUpFramerate = in.u8() != 0;
    spawnPosition = ReadVec(in);
    randomLifetime = in.f32();
    secondaryEnd = ReadColor(in);
    secondaryStart = ReadColor(in);
    randomEndSize = in.f32();
    randomStartSize = in.f32();
    randomEndSpeed = in.f32();
    randomStartSpeed = in.f32();
    spawnRadius = in.f32();
    // Older images numbered quads-from-triangles 7.
    if (legacy && particleType == 7) particleType = QuadsTriangles;
    setupArray();
    if (texture) applyTexture(texture);
    return true;
}

bool ParticleSystem::loadFromStream(sf::InputStream& stream, bool noHeader) {
    std::string bytes(c_imageSize + (noHeader ? 0 : 6), '\0');
    sf::Int64 got = 0;
    while (got < static_cast<sf::Int64>(bytes.size())) {
        const sf::Int64 n = stream.read(bytes.data() + got, static_cast<sf::Int64>(bytes.size()) - got);
        if (n <= 0) break;
        got += n;
    }
    bytes.resize(static_cast<std::size_t>(got));
    return loadFromMemory(bytes, noHeader);
}

bool ParticleSystem::loadFromFile(const std::filesystem::path& path, std::string* error) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error)) return false;
    return loadFromMemory(bytes, path.extension() == ".part", error);
}

void ParticleSystem::saveToMemory(std::string& out, bool noHeader) const {
    if (!noHeader) out.append(c_magic2);
    PutVec(out, constantForce);
    PutColor(out, endColor);
    PutF32(out, endRotation);
    PutF32(out, endSize);
    PutF32(out, endSpeed);
    PutF32(out, fading);
    PutF32(out, lifetime);
    PutI32(out, maxParticles);
    PutI32(out, particleType);
    PutU8(out, randomRotation);
    PutF32(out, spawnAngle);
    PutI32(out, spawnCount);
    PutF32(out, spawnRate);
    PutF32(out, spawnRotation);
    PutColor(out, startColor);
    PutVec(out, startForce);
    PutF32(out, startRotation);
    PutF32(out, startSize);
    PutF32(out, startSpeed);
    PutU8(out, newestTop);
    PutU8(out, keepUpFramerate);
    PutVec(out, spawnPosition);
    PutF32(out, randomLifetime);
    PutColor(out, secondaryEnd);
    PutColor(out, secondaryStart);
    PutF32(out, randomEndSize);
    PutF32(out, randomStartSize);
    PutF32(out, randomEndSpeed);
    PutF32(out, randomStartSpeed);
    PutF32(out, spawnRadius);
}

bool ParticleSystem::saveToFile(const std::filesystem::path& path) const {
    std::string bytes;
    saveToMemory(bytes, path.extension() == ".part");
    return WriteFileAtomically(path, bytes);
}

} // namespace rux
