// The settings dialog: every preference, applied as it changes, saved on OK.
#include "app/App.hpp"
#include "app/ToolTip.hpp"

#include "env/Global.hpp"
#include "env/InputEvent.hpp"
#include "env/LL.hpp"
#include "env/ShortcutEditor.hpp"
#include "env/Themes.hpp"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>

namespace rux {

namespace {

void Heading(const char* key) {
    ImGui::Spacing();
    ImGui::TextUnformatted(LL::get().lookup(key).c_str());
    ImGui::Separator();
}

bool Check(const char* key, bool& value, const char* tooltip = nullptr) {
    const bool changed = ImGui::Checkbox(LL::get().lookup(key).c_str(), &value);
    if (tooltip)
        ToolTip(LL::get().lookup(tooltip).c_str());
    return changed;
}

// The desktop's fullscreen sizes of at least 800 x 600, each once, in the platform's order.
std::vector<sf::Vector2u> Resolutions() {
    std::vector<sf::Vector2u> sizes;
    for (const sf::VideoMode& mode : sf::VideoMode::getFullscreenModes()) {
        const sf::Vector2u size(mode.width, mode.height);
        if (size.x >= 800 && size.y >= 600 && std::find(sizes.begin(), sizes.end(), size) == sizes.end())
            sizes.push_back(size);
    }
    return sizes;
}

} // namespace

void App::ApplyFrameLimit() {
    if (settings.verticalSync) {
        window.setFramerateLimit(0);
        window.setVerticalSyncEnabled(true);
    } else {
        window.setVerticalSyncEnabled(false);
        window.setFramerateLimit(static_cast<unsigned>(settings.maxFPS));
    }
}

void App::SettingsDialog() {
    const float scale = settings.menuScale;
    if (popUpFreshOpen[Settings]) {
        popUpFreshOpen[Settings] = false;
        fontSizeEdit = settings.fontSize;
        shortcutCapturing = -1;
    }
    ImGui::BeginChild("##SettingsArea", {0, -30 * scale}, false);

    Heading("Graphics");
    const std::string current = std::to_string(settings.resX) + "x" + std::to_string(settings.resY);
    if (ImGui::BeginCombo(LL::get().lookup("Resolution").c_str(), current.c_str())) {
        for (const sf::Vector2u& size : Resolutions()) {
            const std::string label = std::to_string(size.x) + "x" + std::to_string(size.y);
            if (ImGui::Selectable(label.c_str(), label == current))
                window.setSize(size);  // the resize event stores it and rescales the panels
        }
        ImGui::EndCombo();
    }
    if (Check("Fullscreen window", settings.fullscreen)) {
        fullscreenMode = settings.fullscreen;
        RecreateAppWindow();
    }
    if (Check("Vertical sync", settings.verticalSync, "ruxTooltip12"))
        ApplyFrameLimit();
    ImGui::BeginDisabled(settings.verticalSync);
    ImGui::InputInt(LL::get().lookup("Max FPS").c_str(), &settings.maxFPS);
    if (ImGui::IsItemDeactivatedAfterEdit()) {
        settings.maxFPS = std::clamp(settings.maxFPS, 5, 1000);
        ApplyFrameLimit();
    }
    ImGui::EndDisabled();
    ToolTip(LL::get().lookup("ruxTooltip13").c_str());
    static const char* levels[] = {"x0", "x1", "x2", "x4", "x8"};
    static const std::uint8_t levelValues[] = {0, 1, 2, 4, 8};
    const std::string aa = "x" + std::to_string(settings.antialiasing);
    if (ImGui::BeginCombo(LL::get().lookup("Antialiasing").c_str(), aa.c_str())) {
        for (int i = 0; i < 5; ++i)
            if (ImGui::Selectable(levels[i], settings.antialiasing == levelValues[i]))
                settings.antialiasing = levelValues[i];
        ImGui::EndCombo();
    }
    ToolTip(LL::get().lookup("ruxTooltip14").c_str());

    Heading("Visual");
    if (ThemeCombo())
        ApplyStyleOverrides();
    ImGui::SliderInt(LL::get().lookup("Font size").c_str(), &fontSizeEdit, 12, 24, "%d", ImGuiSliderFlags_AlwaysClamp);
    ImGui::SameLine();
    if (ImGui::Button(LL::get().lookup("Apply").c_str())) {
        settings.menuScale = static_cast<float>(fontSizeEdit) / 16.f;
        settings.fontSize = fontSizeEdit;
        fontRebuildRequested = true;
    }
    Check("Show frame times", settings.showDebugRefresh);
    if (ImGui::BeginCombo(LL::get().lookup("Language").c_str(),
                          c_languageNames[std::min<std::size_t>(settings.language, 1)].c_str())) {
        for (int i = 0; i < static_cast<int>(c_languageNames.size()); ++i)
            if (ImGui::Selectable(c_languageNames[static_cast<std::size_t>(i)].c_str(), settings.language == i)) {
                settings.language = i;
                LL::get().language = static_cast<std::uint8_t>(i);
            }
        ImGui::EndCombo();
    }

    Heading("Editor");
    Global& global = Global::Get();
    Check("Show file images on start", settings.alwaysShowImages);
    Check("Auto update shaders", global.autoUpdateShaders, "ruxTooltip15");
    ImGui::BeginDisabled(!global.autoUpdateShaders);
    Check("Don't print errors when auto updating", global.doNotPrintErrors);
    ImGui::EndDisabled();
    Check("Allow multiple tabs open", global.allowMultipleTabs, "ruxTooltip16");
    Check("Freeze when out of focus", settings.outOfFocus, "ruxTooltip17");
    Check("Draw grid before scene", settings.drawGridFirst);
    Check("Override max zoom", settings.overrideMaxZoom, "ruxTooltip18");
    Check("Auto update textures", global.autoUpdateTextures, "ruxTooltip19");
    Check("Auto apply shader uniforms", global.autoApplyUniforms);
    bool autosaveChanged = Check("Autosave level", settings.autoSave, "ruxTooltip20");
    ImGui::BeginDisabled(!settings.autoSave);
    autosaveChanged |= ImGui::DragInt("##AutosaveInterval", &settings.autoSaveInterval, 0.1f, 1, 10, "%d min",
                                      ImGuiSliderFlags_AlwaysClamp);
    ImGui::EndDisabled();
    if (autosaveChanged)
        autosaveRemaining = sf::seconds(static_cast<float>(settings.autoSaveInterval) * 60.f);
    ImGui::BeginDisabled(settings.autoOpenLast);
    if (ImGui::BeginCombo(LL::get().lookup("Auto open level").c_str(), settings.autoOpenLevel.c_str())) {
        for (const std::string& project : projectList)
            if (ImGui::Selectable(project.c_str(), project == settings.autoOpenLevel))
                settings.autoOpenLevel = project;
        ImGui::EndCombo();
    }
    ImGui::SameLine();
    if (ImGui::Button(LL::get().lookup("Clear").c_str()))
        settings.autoOpenLevel.clear();
    ImGui::EndDisabled();
    Check("Auto open last level", settings.autoOpenLast);
    Check("Enable touchpad support", settings.touchPadSupport);
    float colour[3] = {settings.bgColor.r / 255.f, settings.bgColor.g / 255.f, settings.bgColor.b / 255.f};
    if (ImGui::ColorEdit3(LL::get().lookup("Background color").c_str(), colour))
        settings.bgColor = sf::Color(static_cast<sf::Uint8>(colour[0] * 255.f), static_cast<sf::Uint8>(colour[1] * 255.f),
                                     static_cast<sf::Uint8>(colour[2] * 255.f), 255);

    Heading("Network");
    ImGui::InputText(LL::get().lookup("Target HTTP server").c_str(), &settings.targetHTTPServer);
    ToolTip(LL::get().lookup("ruxTooltip21").c_str());
    Check("Check for updates on startup", settings.checkUpdatesOnStart);

    Heading("Backup");
    BackupSection();

    Heading("Animations");
    ImGui::BeginDisabled(!sf::Shader::isAvailable());
    Check("Animate grid", settings.animateGrid);
    ImGui::EndDisabled();
    Check("Animate zoom", settings.animateZoom);

    Heading("Shortcuts");
    ShortcutRows(scale, shortcutCapturing);
    ImGui::EndChild();

    const bool enter = InputEvent::Get().keyPressed[sf::Keyboard::Enter] && !Global::Get().textInputActive &&
                       shortcutCapturing < 0;
    if (ImGui::Button(LL::get().lookup("OK").c_str(), {-1, 0}) || enter) {
        shortcutCapturing = -1;
        settings.Save();
        ClosePopUp();
    }
}

} // namespace rux
