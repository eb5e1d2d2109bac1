// Dialogs that only inform: about, change log, future plans, graphics information.
#include "app/App.hpp"
#include "app/Constants.hpp"
#include "app/DialogInfo.hpp"

#include "env/Global.hpp"
#include "env/InputEvent.hpp"
#include "env/LL.hpp"
#include "platform/Platform.hpp"

#include <SFML/Config.hpp>
#include <SFML/OpenGL.hpp>
#include <SFML/System/Sleep.hpp>
#include <imgui.h>
#include <lua.hpp>

#include <sstream>

namespace rux {

namespace {

bool EnterPressed() {
    return InputEvent::Get().keyPressed[sf::Keyboard::Enter] && !Global::Get().textInputActive;
}

// Headings and bullet items: lines starting with "-" are items, other non-empty lines headings.
void OutlineText(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string line(text.substr(start, end - start));
        start = end + 1;
        if (line.empty())
            continue;
        if (line[0] == '-') {
            ImGui::Bullet();
            ImGui::TextWrapped("%s", line.c_str() + 1);
        } else {
            ImGui::Spacing();
            ImGui::TextUnformatted(line.c_str());
            ImGui::Separator();
        }
    }
}

} // namespace

void App::ClosePopUp() {
    ImGui::CloseCurrentPopup();
    if (!popUpQueue.empty())
        popUpQueue.pop_back();
}

bool App::OkButton(float scale) {
    ImGui::SetCursorPosY(ImGui::GetWindowHeight() - 30 * scale);
    if (ImGui::Button(LL::get().lookup("OK").c_str(), {-1, 0}) || EnterPressed()) {
        ClosePopUp();
        return true;
    }
    return false;
}

void App::AboutDialog() {
    const float scale = settings.menuScale;
    const sf::Vector2f logo(logoTexture.getSize());
    const ImVec2 start = ImGui::GetCursorPos();
    ImGui::SetCursorPos({ImGui::GetWindowWidth() - logo.x / 3 * scale - 20 * scale, 20 * scale});
    platform::Image(logoTexture, {logo.x / 3 * scale, logo.y / 3 * scale});
    ImGui::SetCursorPos(start);
    const LL& ll = LL::get();
    ImGui::TextUnformatted(ll.lookup("ruxAbout1").c_str());
    ImGui::TextUnformatted(ll.lookup("ruxAbout2").c_str());
    ImGui::TextUnformatted(ll.lookup("ruxAbout3").c_str());
    ImGui::BulletText("%s", ll.lookup("ruxAbout4").c_str());
    ImGui::BulletText("%s", ll.lookup("ruxAbout5").c_str());
    ImGui::TextColored(ImGui::GetStyle().Colors[ImGuiCol_ButtonHovered], "%s", ll.lookup("ruxAbout6").c_str());
    ImGui::TextUnformatted(ll.lookup("ruxAbout7").c_str());
    ImGui::Indent();
    // The formats are our own language table's; every value is passed as an argument.
    ImGui::Text(ll.lookup("ruxAbout8").c_str(), c_AppVersion.c_str(), 4154, std::string(c_SFML_ARCH).c_str());
    ImGui::Text(ll.lookup("ruxAbout9").c_str(), SFML_VERSION_MAJOR, SFML_VERSION_MINOR, SFML_VERSION_PATCH);
    ImGui::Text(ll.lookup("ruxAbout10").c_str(), IMGUI_VERSION);
    ImGui::Text(ll.lookup("ruxAbout11").c_str(), LUA_VERSION_MAJOR, LUA_VERSION_MINOR, LUA_VERSION_RELEASE);
    ImGui::Text(ll.lookup("ruxAbout12").c_str(), static_cast<int>(startupTime.asMilliseconds()));
    ImGui::Unindent();
    OkButton(scale);
}

void App::OutlineDialog(std::string_view text) {
    const float scale = settings.menuScale;
    ImGui::BeginChild("##Outline", {0, -30 * scale}, true);
    OutlineText(text);
    ImGui::EndChild();
    OkButton(scale);
}

std::vector<std::string> GraphicsInfoLines(const GraphicsStrings& gl) {
    std::vector<std::string> lines;
    if (gl.extensions) {
        const std::string_view all(gl.extensions);
        for (std::size_t start = 0, blank; (blank = all.find(' ', start)) != std::string_view::npos; start = blank + 1)
            if (blank > start)
                lines.emplace_back(all.substr(start, blank - start));
    }
    const LL& ll = LL::get();
    const auto text = [](const char* s) { return s ? std::string(s) : std::string(); };
    const auto yes = [&](bool b) { return ll.lookup(b ? "yes" : "no"); };
    lines.push_back(ll.lookup("Version") + ": " + text(gl.version));
    lines.push_back(ll.lookup("Vendor") + ": " + text(gl.vendor));
    lines.push_back(ll.lookup("Renderer") + ": " + text(gl.renderer));
    lines.push_back(ll.lookup("Shaders available") + ": " + yes(gl.shaders));
    lines.push_back(ll.lookup("Vertex buffer available") + ": " + yes(gl.vertexBuffers));
    lines.push_back(ll.lookup("Vulkan available") + ": " + ll.lookup("unknown"));
    return lines;
}

void App::GraphicsInfoDialog() {
    if (graphicsInfo.empty()) {
        bool active = false;
        for (int attempt = 0; attempt < 10 && !(active = window.setActive(true)); ++attempt)
            sf::sleep(sf::milliseconds(30));
        if (active) {
            const auto str = [](GLenum name) { return reinterpret_cast<const char*>(glGetString(name)); };
            graphicsInfo = GraphicsInfoLines({str(GL_EXTENSIONS), str(GL_VERSION), str(GL_VENDOR), str(GL_RENDERER),
                                              sf::Shader::isAvailable(), sf::VertexBuffer::isAvailable()});
        }
    }
    const float scale = settings.menuScale;
    ImGui::BeginChild("##GraphicsInfo", {0, -30 * scale}, true);
    if (graphicsInfoShown < graphicsInfo.size())
        ++graphicsInfoShown;
    for (std::size_t i = 0; i < graphicsInfoShown; ++i)
        ImGui::TextUnformatted(graphicsInfo[i].c_str());
    if (graphicsInfoShown < graphicsInfo.size())
        ImGui::SetScrollHereY(1.f);
    ImGui::EndChild();
    if (OkButton(scale))
        graphicsInfoShown = 0;
}

} // namespace rux
