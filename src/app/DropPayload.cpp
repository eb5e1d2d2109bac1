#include "app/DropPayload.hpp"

namespace rux {

std::string EncodeCreateObj(const CreateObjDrop& drop) {
    const auto type = static_cast<std::uint32_t>(drop.type);
    std::string out;
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((type >> (8 * i)) & 0xFF));
    out += drop.path;
    return out;
}

std::optional<CreateObjDrop> DecodeCreateObj(const void* data, std::size_t size) {
    if (!data || size < 4)
        return std::nullopt;
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::uint32_t type = 0;
    for (int i = 0; i < 4; ++i)
        type |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    if (type > static_cast<std::uint32_t>(FileType::LuaScript))
        return std::nullopt;
    return CreateObjDrop{static_cast<FileType>(type), std::string(reinterpret_cast<const char*>(bytes) + 4, size - 4)};
}

} // namespace rux
