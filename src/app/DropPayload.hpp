#pragma once
// The "createobj" drag payload that the files panel sends and the main view accepts: the
// file's kind (32-bit, little-endian) followed by its path relative to the project folder as
// UTF-8 bytes, without a terminating zero.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rux {

inline constexpr const char* c_createObjPayload = "createobj";

// The files panel's entry kinds.
enum class FileType : std::int32_t {
    Folder = 0,
    Image = 1,
    Shader = 2,
    ParticleSystem = 3,
    TileMap = 4,
    Text = 5,
    Font = 6,
    Package = 7,
    GeneratorFrame = 8,
    GeneratorVideo = 9,
    LuaScript = 10,
};

struct CreateObjDrop {
    FileType type = FileType::Folder;
    std::string path;
};

std::string EncodeCreateObj(const CreateObjDrop& drop);
// Nothing for a payload too short to hold the kind, or a kind outside 0..10.
std::optional<CreateObjDrop> DecodeCreateObj(const void* data, std::size_t size);

} // namespace rux
