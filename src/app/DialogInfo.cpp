// Dialogs that only inform: about, change log, future plans, graphics information.
#include "app/App.hpp"
#include "app/Constants.hpp"

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

void App::GraphicsInfoDialog() {
    if (graphicsInfo.empty()) {
        bool active = false;
        for (int attempt = 0; attempt < 10 && !(active = window.setActive(true)); ++attempt)
            sf::sleep(sf::milliseconds(30));
        if (active) {
            const auto str = [](GLenum name) {
                const GLubyte* s = glGetString(name);
                return s ? std::string(reinterpret_cast<const char*>(s)) : std::string();
            };
            std::istringstream extensions(str(GL_EXTENSIONS));
            for (std::string name; std::getline(extensions, name, ' ');)
                if (!extensions.eof() && !name.empty())
                    graphicsInfo.push_back(name);
            const LL& ll = LL::get();
            const auto yes = [&](bool b) { return ll.lookup(b ? "yes" : "no"); };
            graphicsInfo.push_back(ll.lookup("Version") + ": " + str(GL_VERSION));
            graphicsInfo.push_back(ll.lookup("Vendor") + ": " + str(GL_VENDOR));
            graphicsInfo.push_back(ll.lookup("Renderer") + ": " + str(GL_RENDERER));
            graphicsInfo.push_back(ll.lookup("Shaders available") + ": " + yes(sf::Shader::isAvailable()));
            graphicsInfo.push_back(ll.lookup("Vertex buffer available") + ": " + yes(sf::VertexBuffer::isAvailable()));
            // SFML 2.5 has no Vulkan query.
            graphicsInfo.push_back(ll.lookup("Vulkan available") + ": " + ll.lookup("unknown"));
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
