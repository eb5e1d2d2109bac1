#pragma once
// The editor's bridge between an SFML window and Dear ImGui: events in, frames out.
//
// Usage, once per window (one window per process):
//   ImGui::CreateContext();              // the app owns the context; Init only configures it
//   rux::platform::Init(window);
//   loop: for each event: rux::platform::ProcessEvent(event);
//         rux::platform::Update(window, clock.restart());
//         ... ImGui calls ... window.clear(); SFML drawing ...
//         rux::platform::Render(window); window.display();
//   rux::platform::Shutdown();           // while the window and its GL context still exist
//   ImGui::DestroyContext();
//
// Rendering uses the OpenGL2 renderer backend of the packaged ImGui library, so texture ids
// are plain GL texture names: (ImTextureID)(intptr_t)texture.getNativeHandle().

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Time.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <imgui.h>

#include <bitset>

namespace rux::platform {

// Sets up the current ImGui context's IO for `window`: key map, clipboard, cursor support and
// the OpenGL2 renderer. Requires ImGui::CreateContext() first. The font texture is made on the
// first Update, so fonts added before then need no UpdateFontTexture. Returns false when there
// is no ImGui context or the layer is already initialised.
bool Init(sf::RenderWindow& window, bool loadDefaultFont = true);

// Feeds one window event to ImGui. A button or key released in the same frame it was pressed
// stays down until ImGui has seen it for one frame, so fast clicks and taps are not lost.
void ProcessEvent(const sf::Event& event);

// Display size, delta time, mouse cursor shape, then ImGui::NewFrame().
void Update(sf::RenderWindow& window, sf::Time dt);

// ImGui::Render() and draws the result over what the window holds; SFML drawing before and
// after is unaffected.
void Render(sf::RenderWindow& window);

// Releases the renderer's GL objects and detaches from the ImGui context (which the app destroys).
void Shutdown();

// Rebuilds the GL font texture after the app changed io.Fonts (new fonts, new sizes).
bool UpdateFontTexture();

// Releases that arrived before ImGui saw the matching press; see ProcessEvent.
struct ReleaseLatch {
    bool mouse[5] = {};
    std::bitset<sf::Keyboard::KeyCount> keys;
};

// The event-to-IO mapping, free of any window. Without a latch, releases apply at once.
//  KeyPressed/KeyReleased -> KeysDown[code], KeyCtrl/KeyShift/KeyAlt/KeySuper
//  TextEntered            -> AddInputCharacter, except control characters (< 32, 127..159),
//                            surrogates and values beyond U+10FFFF
//  MouseMoved, MouseButtonPressed/Released -> MousePos, MouseDown[0..4]
//  MouseWheelScrolled     -> MouseWheel (vertical) / MouseWheelH (horizontal), accumulated;
//                            the deprecated MouseWheelMoved duplicate is ignored
//  MouseLeft              -> MousePos = (-FLT_MAX, -FLT_MAX)
//  GainedFocus/LostFocus  -> AddFocusEvent; losing focus also releases every key and button
//  TouchBegan/Moved/Ended -> finger 0 acts as the left mouse button; other fingers are ignored
void ApplyEvent(ImGuiIO& io, const sf::Event& event);
void ApplyEvent(ImGuiIO& io, const sf::Event& event, ReleaseLatch& latch);
// Applies the latched releases; call right after ImGui::NewFrame().
void ApplyLatchedReleases(ImGuiIO& io, ReleaseLatch& latch);

// Images drawn from SFML textures. An image of a texture without GL storage keeps its place
// empty. ImageButton identifies itself by its texture: push an id when one texture backs
// several buttons in a window.
void Image(const sf::Texture& texture, const sf::Vector2f& size, const sf::Color& tint = sf::Color::White,
           const sf::Color& border = sf::Color::Transparent);
// `textureRect` in pixels of the texture.
void Image(const sf::Texture& texture, const sf::Vector2f& size, const sf::FloatRect& textureRect,
           const sf::Color& tint = sf::Color::White, const sf::Color& border = sf::Color::Transparent);
// Render textures are stored bottom row first; these flip them upright.
void Image(const sf::RenderTexture& texture, const sf::Vector2f& size, const sf::Color& tint = sf::Color::White,
           const sf::Color& border = sf::Color::Transparent);
bool ImageButton(const sf::Texture& texture, const sf::Vector2f& size, int framePadding = -1,
                 const sf::Color& bg = sf::Color::Transparent, const sf::Color& tint = sf::Color::White);
bool ImageButton(const sf::RenderTexture& texture, const sf::Vector2f& size, int framePadding = -1,
                 const sf::Color& bg = sf::Color::Transparent, const sf::Color& tint = sf::Color::White);

inline ImTextureID TextureId(const sf::Texture& texture) {
    return (ImTextureID)(intptr_t)texture.getNativeHandle();
}

inline ImVec2 ToImVec2(const sf::Vector2f& v) { return ImVec2(v.x, v.y); }
inline ImVec2 ToImVec2(const sf::Vector2i& v) { return ImVec2(float(v.x), float(v.y)); }
inline ImVec2 ToImVec2(const sf::Vector2u& v) { return ImVec2(float(v.x), float(v.y)); }
inline sf::Vector2f ToVector2f(const ImVec2& v) { return sf::Vector2f(v.x, v.y); }
inline ImVec4 ToImVec4(const sf::Color& c) { return ImVec4(c.r / 255.f, c.g / 255.f, c.b / 255.f, c.a / 255.f); }
// Channels outside 0..1 are clamped; rounds to the nearest byte.
sf::Color ToColor(const ImVec4& c);
inline ImU32 ToImU32(const sf::Color& c) { return IM_COL32(c.r, c.g, c.b, c.a); }

}  // namespace rux::platform
