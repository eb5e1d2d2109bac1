// Opening, creating, saving and restoring projects from the editor's side: the files are
// handled in ProjectFiles.cpp, here they meet the dialogs, the title and the settings.
#include "app/App.hpp"
#include "app/DragDrop.hpp"

#include "env/LL.hpp"

#include <SFML/System/Err.hpp>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <system_error>

namespace fs = std::filesystem;

namespace rux {

namespace {
std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}
} // namespace

void App::LoadProject(const fs::path& folder) {
    const LoadOutcome outcome = LoadProjectInto(scene, folder, LL::get().lookup("version mismatch"));
    projectPaths = ProjectPaths::Of(folder);
    levelUnread = outcome.levelExists && !outcome.loaded;
    openedImage.clear();
    scene.getSceneSave(openedImage);
    if (!outcome.error.empty()) {
        errorMessage = outcome.error;
        popUpQueue.push_back(OpenFailed);
    }
    if (outcome.upgrade)
        popUpQueue.push_back(UpgradeProject);
    // Only the dialogs above count: the level-select entry below them is about to go.
    const bool dialogQueued = !outcome.error.empty() || outcome.upgrade;
    if (outcome.missingAssets && !dialogQueued)
        popUpQueue.push_back(MissingAssets);
}

bool App::SaveScene() {
    if (!projectPaths.open())
        return false;
    SaveRequest request;
    std::string level, side;
    scene.getSceneSave(level);
    scene.saveLED(side);
    request.level = level;
    request.side = side;
    request.backup = settings.enableBackups;
    request.now = LocalNow();
    request.keepUnread = levelUnread;
    const SaveResult result = SaveProjectFiles(projectPaths, request);
    if (!result.unreadCopy.empty()) {
        levelUnread = false;
        scene.errorText += LL::get().lookup("unreadKept") + " " + fs::absolute(result.unreadCopy).string() + "\n";
    }
    if (!result.ok) {
        scene.errorText += LL::get().lookup("saveFailed") + " " + result.error + "\n";
        sf::err() << "Save failed: " << result.error << std::endl;
        return false;
    }
    if (settings.enableBackups)
        RefillBackupList();
    return true;
}

bool App::HasUnsavedChanges() {
    if (!projectPaths.open())
        return false;
    std::string image;
    scene.getSceneSave(image);
    return LevelDiffers(image, projectPaths.levelFile(), openedImage);
}

void App::AfterProjectOpened(const fs::path& folder, const std::string& title) {
    appTitle = title;
    const ProjectPaths paths = ProjectPaths::Of(folder);
    exportLocation = importLocation = paths.folder.string();
    DragDrop::get().accepting = true;
    projectToOpen.clear();
    popUpQueue.erase(std::remove(popUpQueue.begin(), popUpQueue.end(), LevelSelect), popUpQueue.end());
}

void App::OpenProjectFromCommandLine() {
    const ProjectTarget target = ResolveProjectPath(projectToOpen);
    switch (target.kind) {
    case ProjectTarget::Level:
        LoadProject(target.folder);
        break;
    case ProjectTarget::FolderOnly:
        // No level yet: the scene starts empty and the first save creates L/N.rux.
        scene.ResetAll();
        projectPaths = ProjectPaths::Of(target.folder);
        scene.projectFolder = projectPaths.folder;
        levelUnread = false;
        openedImage.clear();
        scene.getSceneSave(openedImage);
        break;
    case ProjectTarget::None:
        sf::err() << "Not a project: " << projectToOpen.string() << std::endl;
        projectToOpen.clear();
        return;
    }
    AfterProjectOpened(target.folder, target.title);
}

void App::OpenListedProject(const fs::path& folder) {
    LoadProject(folder);
    AfterProjectOpened(folder, "RUX - " + ProjectPaths::Of(folder).name);
}

void App::LevelSelectFirstFrame() {
    levelSelectListed = true;
    projectEntries = ListProjects("Projects");
    projectList.clear();
    for (const ProjectEntry& entry : projectEntries)
        projectList.push_back(entry.folder.string());
    if (!projectToOpen.empty()) {
        if (openedFromCommandLine) {
            OpenProjectFromCommandLine();
            return;
        }
        for (const ProjectEntry& entry : projectEntries)
            if (entry.folder == projectToOpen) {
                OpenListedProject(entry.folder);
                return;
            }
        // Handed over by a restart but not under "Projects": open it like a command-line path.
        OpenProjectFromCommandLine();
        return;
    }
    if (restartCount == 0 && !openedFromCommandLine && !settings.autoOpenLevel.empty())
        for (const ProjectEntry& entry : projectEntries)
            if (entry.folder.string() == settings.autoOpenLevel) {
                OpenListedProject(entry.folder);
                return;
            }
}

void App::CreateProject() {
    createProblem = CreateProjectProblem(newLevelName, newLevelLocation);
    if (!createProblem.empty())
        return;
    const fs::path folder = fs::path(newLevelLocation) / newLevelName;
    std::error_code ec;
    if (!fs::create_directory(folder, ec)) {
        errorMessage = "cannot create " + folder.string() + ": " + ec.message();
        scene.errorText += errorMessage + "\n";
        return;
    }
    scene.ResetAll();
    projectPaths = ProjectPaths::Of(folder);
    scene.projectFolder = projectPaths.folder;
    levelUnread = false;
    openedImage.clear();
    scene.getSceneSave(openedImage);
    AfterProjectOpened(folder, "RUX - " + newLevelName);
    newLevelName.clear();
    createProblem = "empty name";
}

void App::RefillBackupList() {
    backupList = ListBackups("Backups", projectPaths.name);
    backupIndex = backupList.empty() ? 0 : static_cast<int>(backupList.size()) - 1;
}

void App::TravelToBackup() {
    if (!projectPaths.open() || backupIndex < 0 || backupIndex >= static_cast<int>(backupList.size()))
        return;
    const fs::path file = fs::path("Backups") / projectPaths.name / backupList[static_cast<std::size_t>(backupIndex)];
    std::string error;
    gizmo.target = nullptr;
    if (!RestoreBackupInto(scene, projectPaths, file, error))
        scene.errorText += LL::get().lookup("travelFailed") + " " + error + "\n";
}

void App::ErrorDialogUpkeep() {
    if (!scene.errorText.empty()) {
        if (popUpQueue.empty() || popUpQueue.back() != ErrorMessage) {
            popUpQueue.erase(std::remove(popUpQueue.begin(), popUpQueue.end(), ErrorMessage), popUpQueue.end());
            popUpQueue.push_back(ErrorMessage);
        }
    } else if (!popUpQueue.empty() && popUpQueue.back() == ErrorMessage) {
        popUpQueue.pop_back();
    }
}

} // namespace rux
