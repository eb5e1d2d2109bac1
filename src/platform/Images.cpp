#include "platform/Platform.hpp"

#include <algorithm>
#include <cmath>

namespace rux::platform {
namespace {

// UVs are relative to the GL texture, which equals getSize() on every GL 2+ driver (NPOT
// textures); SFML pads to a power of two only on drivers without them.
struct Uv {
    ImVec2 min, max;
};

Uv UvOf(const sf::Texture& texture, const sf::FloatRect& rect) {
    const sf::Vector2u size = texture.getSize();
    if (size.x == 0 || size.y == 0) return {ImVec2(0, 0), ImVec2(1, 1)};
    const float w = float(size.x), h = float(size.y);
    return {ImVec2(rect.left / w, rect.top / h), ImVec2((rect.left + rect.width) / w, (rect.top + rect.height) / h)};
}

const Uv c_whole{ImVec2(0, 0), ImVec2(1, 1)};
const Uv c_flipped{ImVec2(0, 1), ImVec2(1, 0)};

void DrawImage(const sf::Texture& texture, const sf::Vector2f& size, const Uv& uv, const sf::Color& tint,
               const sf::Color& border) {
    if (texture.getNativeHandle() == 0) {
        ImGui::Dummy(ToImVec2(size));
        return;
    }
    ImGui::Image(TextureId(texture), ToImVec2(size), uv.min, uv.max, ToImVec4(tint), ToImVec4(border));
}

bool DrawImageButton(const sf::Texture& texture, const sf::Vector2f& size, const Uv& uv, int framePadding,
                     const sf::Color& bg, const sf::Color& tint) {
    return ImGui::ImageButton(TextureId(texture), ToImVec2(size), uv.min, uv.max, framePadding, ToImVec4(bg),
                              ToImVec4(tint));
}

}  // namespace

void Image(const sf::Texture& texture, const sf::Vector2f& size, const sf::Color& tint, const sf::Color& border) {
    DrawImage(texture, size, c_whole, tint, border);
}

void Image(const sf::Texture& texture, const sf::Vector2f& size, const sf::FloatRect& textureRect,
           const sf::Color& tint, const sf::Color& border) {
    DrawImage(texture, size, UvOf(texture, textureRect), tint, border);
}

void Image(const sf::RenderTexture& texture, const sf::Vector2f& size, const sf::Color& tint,
           const sf::Color& border) {
    DrawImage(texture.getTexture(), size, c_flipped, tint, border);
}

bool ImageButton(const sf::Texture& texture, const sf::Vector2f& size, int framePadding, const sf::Color& bg,
                 const sf::Color& tint) {
    return DrawImageButton(texture, size, c_whole, framePadding, bg, tint);
}

bool ImageButton(const sf::RenderTexture& texture, const sf::Vector2f& size, int framePadding,
                 const sf::Color& bg, const sf::Color& tint) {
    return DrawImageButton(texture.getTexture(), size, c_flipped, framePadding, bg, tint);
}

sf::Color ToColor(const ImVec4& c) {
    auto byte = [](float v) {
        if (!(v > 0.f)) return sf::Uint8(0);  // also NaN
        return sf::Uint8(std::lround(std::min(v, 1.f) * 255.f));
    };
    return sf::Color(byte(c.x), byte(c.y), byte(c.z), byte(c.w));
}

}  // namespace rux::platform
