#include "platform/Platform.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/Window/Context.hpp>
#include <SFML/Window/Clipboard.hpp>
#include <SFML/Window/Cursor.hpp>
#include <SFML/Window/Mouse.hpp>

#include <backends/imgui_impl_opengl2.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace rux::platform {
namespace {

struct State {
    sf::RenderWindow* window = nullptr;
    ReleaseLatch latch;
    ImGuiMouseCursor shownCursor = ImGuiMouseCursor_Arrow;
};

std::unique_ptr<State> s_state;

const char* GetClipboardText(void*) {
    // ImGui keeps the pointer until the next call.
    static std::string text;
    const std::basic_string<sf::Uint8> utf8 = sf::Clipboard::getString().toUtf8();
    text.assign(utf8.begin(), utf8.end());
    return text.c_str();
}

void SetClipboardText(void*, const char* text) {
    sf::Clipboard::setString(sf::String::fromUtf8(text, text + std::strlen(text)));
}

void SetKeyMap(ImGuiIO& io) {
    using K = sf::Keyboard;
    io.KeyMap[ImGuiKey_Tab] = K::Tab;
    io.KeyMap[ImGuiKey_LeftArrow] = K::Left;
    io.KeyMap[ImGuiKey_RightArrow] = K::Right;
    io.KeyMap[ImGuiKey_UpArrow] = K::Up;
    io.KeyMap[ImGuiKey_DownArrow] = K::Down;
    io.KeyMap[ImGuiKey_PageUp] = K::PageUp;
    io.KeyMap[ImGuiKey_PageDown] = K::PageDown;
    io.KeyMap[ImGuiKey_Home] = K::Home;
    io.KeyMap[ImGuiKey_End] = K::End;
    io.KeyMap[ImGuiKey_Insert] = K::Insert;
    io.KeyMap[ImGuiKey_Delete] = K::Delete;
    io.KeyMap[ImGuiKey_Backspace] = K::Backspace;
    io.KeyMap[ImGuiKey_Space] = K::Space;
    io.KeyMap[ImGuiKey_Enter] = K::Enter;
    io.KeyMap[ImGuiKey_Escape] = K::Escape;
    // SFML 2.5 reports the keypad's Enter as Return; there is no code of its own.
    io.KeyMap[ImGuiKey_KeyPadEnter] = K::Enter;
    io.KeyMap[ImGuiKey_A] = K::A;
    io.KeyMap[ImGuiKey_C] = K::C;
    io.KeyMap[ImGuiKey_V] = K::V;
    io.KeyMap[ImGuiKey_X] = K::X;
    io.KeyMap[ImGuiKey_Y] = K::Y;
    io.KeyMap[ImGuiKey_Z] = K::Z;
}

// SFML 2.5 windows keep the X cursor they were given and define it again when shown, so a
// destroyed sf::Cursor would be an X error later: the cursors live until the process ends.
using CursorSet = std::unique_ptr<sf::Cursor>[ImGuiMouseCursor_COUNT];

const CursorSet& Cursors() {
    static CursorSet cursors;
    static bool loaded = false;
    if (loaded) return cursors;
    loaded = true;
    // SFML 2.5 on X11 has no system cursors for the diagonal resize shapes (loadFromSystem
    // returns false for SizeTopLeftBottomRight and SizeBottomLeftTopRight); those and any other
    // that fails fall back to the arrow in ShowCursor.
    const sf::Cursor::Type types[ImGuiMouseCursor_COUNT] = {
        sf::Cursor::Arrow,          sf::Cursor::Text,           sf::Cursor::SizeAll,
        sf::Cursor::SizeVertical,   sf::Cursor::SizeHorizontal, sf::Cursor::SizeBottomLeftTopRight,
        sf::Cursor::SizeTopLeftBottomRight, sf::Cursor::Hand,   sf::Cursor::NotAllowed,
    };
    for (int i = 0; i < ImGuiMouseCursor_COUNT; ++i) {
        auto cursor = std::make_unique<sf::Cursor>();
        if (cursor->loadFromSystem(types[i])) cursors[i] = std::move(cursor);
    }
    return cursors;
}

void ShowCursor(State& state, sf::RenderWindow& window) {
    const ImGuiIO& io = ImGui::GetIO();
    if (io.ConfigFlags & ImGuiConfigFlags_NoMouseCursorChange) return;
    const ImGuiMouseCursor wanted = io.MouseDrawCursor ? ImGuiMouseCursor_None : ImGui::GetMouseCursor();
    if (wanted == state.shownCursor) return;
    state.shownCursor = wanted;
    if (wanted < 0 || wanted >= ImGuiMouseCursor_COUNT) {
        window.setMouseCursorVisible(false);
        return;
    }
    window.setMouseCursorVisible(true);
    const CursorSet& cursors = Cursors();
    const sf::Cursor* cursor = cursors[wanted] ? cursors[wanted].get() : cursors[ImGuiMouseCursor_Arrow].get();
    if (cursor) window.setMouseCursor(*cursor);
}

// GL calls need a current context; once the window is closed SFML's own context (which shares
// the window's textures) serves.
struct GlScope {
    explicit GlScope(sf::RenderWindow* window) {
        if (!window || !window->isOpen() || !window->setActive(true)) fallback.emplace();
    }
    std::optional<sf::Context> fallback;
};

}  // namespace

bool Init(sf::RenderWindow& window, bool loadDefaultFont) {
    if (!ImGui::GetCurrentContext()) {
        sf::err() << "ImGui context missing: call ImGui::CreateContext before platform::Init" << std::endl;
        return false;
    }
    if (s_state) {
        sf::err() << "ImGui platform layer already initialised" << std::endl;
        return false;
    }
    ImGuiIO& io = ImGui::GetIO();
    if (!ImGui_ImplOpenGL2_Init()) return false;
    s_state = std::make_unique<State>();
    s_state->window = &window;

    io.BackendPlatformName = "rux_platform_sfml";
    io.BackendPlatformUserData = s_state.get();
    io.BackendFlags |= ImGuiBackendFlags_HasMouseCursors | ImGuiBackendFlags_HasSetMousePos;
    io.MouseDrawCursor = false;
    SetKeyMap(io);
    io.GetClipboardTextFn = GetClipboardText;
    io.SetClipboardTextFn = SetClipboardText;
    io.ClipboardUserData = nullptr;
    if (loadDefaultFont) io.Fonts->AddFontDefault();
    Cursors();
    return true;
}

void ProcessEvent(const sf::Event& event) {
    if (!s_state) return;
    ApplyEvent(ImGui::GetIO(), event, s_state->latch);
}

void Update(sf::RenderWindow& window, sf::Time dt) {
    ImGuiIO& io = ImGui::GetIO();
    const sf::Vector2u size = window.getSize();
    io.DisplaySize = ImVec2(float(size.x), float(size.y));
    io.DisplayFramebufferScale = ImVec2(1.f, 1.f);
    // ImGui asserts on a zero step; a paused clock or a restart within a tick gives one.
    const float seconds = dt.asSeconds();
    io.DeltaTime = (seconds > 0.f && std::isfinite(seconds)) ? seconds : 1e-5f;

    if (io.WantSetMousePos && window.hasFocus())
        sf::Mouse::setPosition(sf::Vector2i(int(io.MousePos.x), int(io.MousePos.y)), window);

    window.setActive(true);  // NewFrame uploads the font texture on first use
    ImGui_ImplOpenGL2_NewFrame();
    if (s_state) {
        s_state->window = &window;
        ShowCursor(*s_state, window);
    }
    ImGui::NewFrame();
    if (s_state) ApplyLatchedReleases(io, s_state->latch);
}

void Render(sf::RenderWindow& window) {
    ImGui::Render();
    if (!window.setActive(true)) return;
    window.pushGLStates();
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    window.popGLStates();
    // popGLStates brings back the GL state but not SFML's cache of it (bound texture, blend
    // mode); without this the next SFML draw may skip a bind it believes is done.
    window.resetGLStates();
}

void Shutdown() {
    if (!s_state) return;
    if (!ImGui::GetCurrentContext()) {
        // Too late to free the renderer's data, which lived in the destroyed context.
        sf::err() << "platform::Shutdown called after ImGui::DestroyContext" << std::endl;
        s_state.reset();
        return;
    }
    sf::RenderWindow* window = s_state->window;
    const GlScope gl(window);
    if (window && window->isOpen()) {
        if (s_state->shownCursor != ImGuiMouseCursor_Arrow) {
            window->setMouseCursorVisible(true);
            if (const auto& arrow = Cursors()[ImGuiMouseCursor_Arrow]) window->setMouseCursor(*arrow);
        }
    }
    ImGui_ImplOpenGL2_Shutdown();
    ImGuiIO& io = ImGui::GetIO();
    io.BackendPlatformName = nullptr;
    io.BackendPlatformUserData = nullptr;
    io.BackendFlags &= ~(ImGuiBackendFlags_HasMouseCursors | ImGuiBackendFlags_HasSetMousePos);
    io.GetClipboardTextFn = nullptr;
    io.SetClipboardTextFn = nullptr;
    s_state.reset();
}

bool UpdateFontTexture() {
    if (!s_state) return false;
    const GlScope gl(s_state->window);
    ImGui_ImplOpenGL2_DestroyFontsTexture();
    return ImGui_ImplOpenGL2_CreateFontsTexture();
}

}  // namespace rux::platform
