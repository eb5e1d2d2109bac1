// The project dialogs: level select (create and open screens), exit prompt, error message,
// open failure, upgrade notice, missing assets, and the settings dialog's backup section.
#include "app/App.hpp"
#include "app/ToolTip.hpp"

#include "env/Global.hpp"
#include "env/InputEvent.hpp"
#include "env/LL.hpp"
#include "level/AtomicFile.hpp"

#include <SFML/Window/Clipboard.hpp>
#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cstdio>

namespace fs = std::filesystem;

namespace rux {

namespace {
bool KeyNoText(sf::Keyboard::Key key) {
    return InputEvent::Get().keyPressed[key] && !Global::Get().textInputActive;
}
bool EnterNoText() { return KeyNoText(sf::Keyboard::Enter); }

ImVec4 AccentColour() { return ImGui::GetStyle().Colors[ImGuiCol_ButtonHovered]; }

// Buttons across the bottom of a dialog, `count` to a line.
bool BottomButton(const char* key, int count, float scale, bool first) {
    if (first)
        ImGui::SetCursorPosY(ImGui::GetWindowHeight() - 30 * scale);
    else
        ImGui::SameLine();
    const float spacing = ImGui::GetStyle().ItemSpacing.x;
    const float width = (ImGui::GetWindowContentRegionMax().x - ImGui::GetWindowContentRegionMin().x -
                         spacing * static_cast<float>(count - 1)) / static_cast<float>(count);
    return ImGui::Button(LL::get().lookup(key).c_str(), {width, 0});
}
} // namespace

void App::LevelCreateScreen() {
    const float scale = settings.menuScale;
    const LL& ll = LL::get();
    ImGui::TextWrapped("%s", ll.lookup("menuLevel1").c_str());
    ImGui::Spacing();
    const bool fresh = popUpFreshOpen[LevelSelect];
    popUpFreshOpen[LevelSelect] = false;
    if (fresh)
        ImGui::SetKeyboardFocusHere();  // type the name straight away
    bool changed = ImGui::InputText(ll.lookup("Level name").c_str(), &newLevelName);
    changed |= ImGui::InputText(ll.lookup("Location").c_str(), &newLevelLocation);
    if (changed || fresh) {
        createProblem = CreateProjectProblem(newLevelName, newLevelLocation);
    }
    ImGui::TextUnformatted(ll.lookup("Start from example").c_str());
    int example = 0;
    ImGui::RadioButton(ll.lookup("None").c_str(), &example, 0);
    if (!createProblem.empty() && !newLevelName.empty())
        ImGui::TextColored(AccentColour(), "%s", ll.lookup(createProblem).c_str());

    ImGui::BeginDisabled(!createProblem.empty());
    const bool create = BottomButton("Create new", 2, scale, true) ||
                        (createProblem.empty() && InputEvent::Get().keyPressed[sf::Keyboard::Enter]);
    ImGui::EndDisabled();
    const bool cancel = BottomButton("Cancel", 2, scale, false) || KeyNoText(sf::Keyboard::Escape);
    if (create && createProblem.empty()) {
        CreateProject();
        if (!IsQueued(LevelSelect)) {
            ImGui::CloseCurrentPopup();
            levelSelectScreen = 0;
        }
    } else if (cancel) {
        levelSelectScreen = 0;
        popUpCentred[LevelSelect] = false;
    }
}

void App::LevelOpenScreen() {
    const float scale = settings.menuScale;
    ImGui::BeginChild("##Projects", {0, -30 * scale}, true);
    std::string chosen;
    for (std::size_t i = 0; i < projectEntries.size(); ++i) {
        const ProjectEntry& entry = projectEntries[i];
        std::string label = entry.folder.filename().string();
        if (entry.hasLevel && entry.version) {
            char version[32];
            std::snprintf(version, sizeof version, "v.%d.%d", entry.version & 0xff, entry.version >> 8);
            label += "   " + ListDate(entry.written) + "   " + version;
        }
        label += "##project" + std::to_string(i);
        if (ImGui::Selectable(label.c_str()))
            chosen = entry.folder.string();
    }
    ImGui::EndChild();
    const bool cancel = BottomButton("Cancel", 1, scale, true) || KeyNoText(sf::Keyboard::Escape);
    if (!chosen.empty()) {
        OpenListedProject(chosen);
        ImGui::CloseCurrentPopup();
        levelSelectScreen = 0;
    } else if (cancel) {
        levelSelectScreen = 0;
        popUpCentred[LevelSelect] = false;
    }
}

void App::RestartNow() {
    ClosePopUp();
    restartRequested = true;  // back to the level-select screen, with everything read afresh
    window.close();
}

void App::ExitPromptDialog() {
    const float scale = settings.menuScale;
    if (exitCheckPending) {
        exitCheckPending = false;
        if (!HasUnsavedChanges()) {
            window.close();
            return;
        }
    }
    ImGui::TextWrapped("%s", LL::get().lookup("ruxSave1").c_str());
    ImGui::TextWrapped("%s", LL::get().lookup("ruxSave2").c_str());
    if (BottomButton("Save", 3, scale, true)) {
        // A failed save leaves the prompt open under the error dialog.
        if (SaveScene())
            window.close();
    } else if (BottomButton("Don't save", 3, scale, false)) {
        window.close();
    } else if (BottomButton("Cancel", 3, scale, false)) {
        ClosePopUp();
        restartRequested = false;
        exitCheckPending = true;
    }
}

void App::ErrorMessageDialog() {
    const float scale = settings.menuScale;
    ImGui::InputTextMultiline("##Error message", &scene.errorText, {-1, -30 * scale}, ImGuiInputTextFlags_ReadOnly);
    if (BottomButton("OK", 2, scale, true) || EnterNoText()) {
        scene.errorText.clear();
        ClosePopUp();
    } else if (BottomButton("Copy message", 2, scale, false)) {
        sf::Clipboard::setString(sf::String::fromUtf8(scene.errorText.begin(), scene.errorText.end()));
    }
}

void App::OpenFailedDialog() {
    const float scale = settings.menuScale;
    ImGui::TextWrapped("%s", LL::get().lookup("openFail").c_str());
    ImGui::PushStyleColor(ImGuiCol_Text, AccentColour());
    ImGui::TextWrapped("%s: %s", LL::get().lookup("errorMessage").c_str(), errorMessage.c_str());
    ImGui::PopStyleColor();
    if (BottomButton("Restart", 2, scale, true) || EnterNoText())
        RestartNow();
    else if (BottomButton("Use anyway", 2, scale, false))
        ClosePopUp();
}

void App::UpgradeProjectDialog() {
    const float scale = settings.menuScale;
    ImGui::TextWrapped("%s %d.%d.", LL::get().lookup("upgradeProject1").c_str(), 1, 7);
    ImGui::PushStyleColor(ImGuiCol_Text, AccentColour());
    ImGui::TextWrapped("%s", LL::get().lookup("upgradeProject2").c_str());
    ImGui::PopStyleColor();
    ImGui::TextWrapped("%s", LL::get().lookup("upgradeProject3").c_str());
    if (BottomButton("OK", 1, scale, true) || EnterNoText())
        ClosePopUp();
}

void App::MissingAssetsDialog() {
    const float scale = settings.menuScale;
    scene.assetsMissing = false;
    ImGui::TextColored(AccentColour(), "RUX was unable to load some assets!");
    ImGui::TextUnformatted("There are two options:");
    ImGui::BulletText("Fix missing assets and restart RUX");
    ImGui::BulletText("Continue using with missing assets");
    ImGui::TextWrapped("If you choose the second option, upon saving RUX will redirect objects to use the "
                       "\"missing\" asset replacements.");
    if (BottomButton("Restart", 2, scale, true))
        RestartNow();
    else if (BottomButton("Edit anyway", 2, scale, false))
        ClosePopUp();
}

void App::BackupSection() {
    const LL& ll = LL::get();
    if (ImGui::Checkbox(ll.lookup("Enable backups").c_str(), &settings.enableBackups) && settings.enableBackups)
        RefillBackupList();
    ToolTip(ll.lookup("ruxTooltip22").c_str());
    // The backup list and the export act on the open project only.
    const bool open = projectPaths.open();
    ImGui::BeginDisabled(!open || backupList.empty());
    const int last = std::max(0, static_cast<int>(backupList.size()) - 1);
    backupIndex = std::clamp(backupIndex, 0, last);
    const char* shown = backupList.empty() ? "" : backupList[static_cast<std::size_t>(backupIndex)].c_str();
    ImGui::SliderInt(ll.lookup("Backup").c_str(), &backupIndex, 0, last, shown, ImGuiSliderFlags_AlwaysClamp);
    if (ImGui::Button(ll.lookup("Travel").c_str())) {
        if (HasUnsavedChanges()) {
            travelConfirm = true;
            ImGui::OpenPopup("##TravelConfirm");
        } else {
            TravelToBackup();
        }
    }
    ImGui::EndDisabled();
    ToolTip(ll.lookup("ruxTooltip23").c_str());
    ImGui::SameLine();
    ImGui::BeginDisabled(!open);
    if (ImGui::Button(ll.lookup("Export as json").c_str())) {
        std::string json;
        scene.saveJSON(json);
        std::string error;
        fs::path target = projectPaths.folder;
        target += ".json";
        if (!WriteFileAtomically(target, json, &error))
            scene.errorText += ll.lookup("saveFailed") + " " + error + "\n";
    }
    ImGui::EndDisabled();
    ToolTip(ll.lookup("ruxTooltip24").c_str());

    if (ImGui::BeginPopupModal("##TravelConfirm", nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
        ImGui::TextUnformatted(ll.lookup("travelUnsaved").c_str());
        if (ImGui::Button(ll.lookup("Travel").c_str())) {
            TravelToBackup();
            travelConfirm = false;
            ImGui::CloseCurrentPopup();
        }
        ImGui::SameLine();
        if (ImGui::Button(ll.lookup("Cancel").c_str()) || KeyNoText(sf::Keyboard::Escape)) {
            travelConfirm = false;
            ImGui::CloseCurrentPopup();
        }
        ImGui::EndPopup();
    }
}

} // namespace rux
