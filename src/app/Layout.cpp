#include "app/Layout.hpp"

#include "app/InternalResource.hpp"
#include "env/LL.hpp"

#include <imgui.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace rux {

const std::array<const char*, App::c_panelCount> App::c_panelIds{"###Main", "###Scene", "###Files", "###Properties",
                                                                 "###History"};

std::string App::PanelTitle(int index) {
    return LL::get().ind("windowNames[]", index) + c_panelIds[static_cast<std::size_t>(index)];
}

std::string App::LayoutFile(int layout) {
    return LL::get().english(LL::arrayKey("WindowLayout[]", layout)) + ".ini";
}

std::string WindowIdentity(const std::string& name) {
    const auto pos = name.find("###");
    return pos == std::string::npos ? name : name.substr(pos);
}

std::map<std::string, PanelRect> ParseLayout(const std::string& ini) {
    std::map<std::string, PanelRect> rects;
    std::istringstream in(ini);
    std::string line;
    std::string current;
    bool inWindow = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("[Window][", 0) == 0 && line.size() > 10 && line.back() == ']') {
            current = WindowIdentity(line.substr(9, line.size() - 10));
            inWindow = true;
            rects.try_emplace(current);
            continue;
        }
        if (!line.empty() && line[0] == '[') {
            inWindow = false;
            continue;
        }
        if (!inWindow)
            continue;
        float x = 0, y = 0;
        if (std::sscanf(line.c_str(), "Pos=%f,%f", &x, &y) == 2)
            rects[current].position = {x, y};
        else if (std::sscanf(line.c_str(), "Size=%f,%f", &x, &y) == 2)
            rects[current].size = {x, y};
    }
    return rects;
}

PanelRect RescalePanel(const PanelRect& panel, sf::Vector2u oldSize, sf::Vector2u newSize, float menuScale) {
    const float h0 = static_cast<float>(static_cast<int>(24.f * menuScale));
    const float oldH = static_cast<float>(oldSize.y) - h0;
    const float fy = oldH != 0.f ? (static_cast<float>(newSize.y) - h0) / oldH : 1.f;
    const float fx = oldSize.x ? static_cast<float>(newSize.x) / static_cast<float>(oldSize.x) : 1.f;
    PanelRect out;
    out.position = {fx * panel.position.x, (panel.position.y - h0) * fy + h0};
    out.size = {fx * panel.size.x, (panel.size.y - h0) * fy + h0};
    return out;
}

void App::PlacePanel(int index, const PanelRect& rect) {
    const std::string title = PanelTitle(index);
    ImGui::SetWindowPos(title.c_str(), {rect.position.x, rect.position.y});
    if (rect.size.x > 0 && rect.size.y > 0)  // a layout line without Size= keeps the size
        ImGui::SetWindowSize(title.c_str(), {rect.size.x, rect.size.y});
}

void App::RescaleWindow(sf::Vector2u newSize) {
    const sf::Vector2u oldSize(settings.resX, settings.resY);
    settings.resX = newSize.x;
    settings.resY = newSize.y;
    if (oldSize == newSize)
        return;
    for (int i = 0; i < c_panelCount; ++i) {
        PlacePanel(i, RescalePanel(panelRects[static_cast<std::size_t>(i)], oldSize, newSize, settings.menuScale));
    }
}

void App::SaveLayout(int layout) {
    if (!ImGui::GetCurrentContext())
        return;
    size_t size = 0;
    const char* ini = ImGui::SaveIniSettingsToMemory(&size);
    WriteFileAtomically(LayoutFile(layout), std::string_view(ini, size));
}

void App::LoadLayout(int layout) {
    std::ifstream in(LayoutFile(layout), std::ios::binary);
    if (!in)
        return;  // no file: ImGui's default placement
    const std::string ini((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ImGui::LoadIniSettingsFromMemory(ini.data(), ini.size());
    // Settings loaded from memory only reach windows created later; move the panels that
    // already exist (a layout switch) by hand.
    const auto rects = ParseLayout(ini);
    for (int i = 0; i < c_panelCount; ++i) {
        const auto it = rects.find(c_panelIds[static_cast<std::size_t>(i)]);
        if (it == rects.end())
            continue;
        PlacePanel(i, it->second);
    }
}

void App::SwitchLayoutIfAsked() {
    if (settings.layout == layoutInUse)
        return;
    SaveLayout(layoutInUse);
    layoutInUse = settings.layout;
    LoadLayout(layoutInUse);
}

} // namespace rux
