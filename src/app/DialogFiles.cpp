// The copy-files and new-folder dialogs.
#include "app/DialogFiles.hpp"

#include "app/App.hpp"
#include "app/DialogButtons.hpp"
#include "app/PathInput.hpp"
#include "env/LL.hpp"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace rux {

namespace {

bool SyncFile(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// Empty when the copy worked; otherwise why not.
std::string CopyOne(const fs::path& source, const fs::path& target, bool& skipped) {
    std::error_code ec;
    if (!fs::is_regular_file(source, ec))
        return "not a file or not found";
    if (fs::exists(target, ec) && fs::equivalent(source, target, ec)) {
        skipped = true;
        return {};
    }
    const fs::path temp =
        target.parent_path() / ("." + target.filename().string() + ".part" + std::to_string(::getpid()));
    if (!fs::copy_file(source, temp, fs::copy_options::overwrite_existing, ec)) {
        fs::remove(temp, ec);
        return ec ? ec.message() : "cannot copy";
    }
    if (!SyncFile(temp)) {
        fs::remove(temp, ec);
        return "cannot write the copy";
    }
    fs::rename(temp, target, ec);
    if (ec) {
        const std::string why = ec.message();
        fs::remove(temp, ec);
        return why;
    }
    return {};
}

} // namespace

CopyReport CopyFilesInto(const std::vector<std::string>& files, const fs::path& destination) {
    CopyReport report;
    std::error_code ec;
    const bool folder = fs::is_directory(destination, ec);
    for (std::string path : files) {
        std::replace(path.begin(), path.end(), '\\', '/');
        const std::string name = path.substr(path.find_last_of('/') + 1);
        std::string why;
        bool skipped = false;
        if (!folder)
            why = "the destination is not a folder";
        else if (name.empty() || name == "." || name == "..")
            why = "no file name";
        else
            why = CopyOne(path, destination / name, skipped);
        if (!why.empty())
            report.failures.push_back("Cannot copy " + path + " to " + (destination / name).string() + ": " + why);
        else if (skipped)
            ++report.skipped;
        else
            ++report.copied;
    }
    return report;
}

bool CreateNewFolder(const fs::path& folder, const std::string& name, std::string& error) {
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos) {
        error = "\"" + name + "\" is not a folder name";
        return false;
    }
    const fs::path target = folder / name;
    std::error_code ec;
    if (fs::exists(target, ec)) {
        error = target.string() + " already exists";
        return false;
    }
    if (!fs::create_directory(target, ec)) {
        error = "Cannot create " + target.string() + ": " + (ec ? ec.message() : "unknown reason");
        return false;
    }
    return true;
}

fs::path App::FilesCurrentFolder() const { return scene.projectFolder; }

void App::CopyFilesDialog() {
    const float scale = settings.menuScale;
    const LL& ll = LL::get();
    if (popUpFreshOpen[CopyFiles]) {
        popUpFreshOpen[CopyFiles] = false;
        copyFilesDestination = FilesCurrentFolder().string();
        copyFilesToCurrent = true;
    }
    if (copyFilesToCurrent)
        copyFilesDestination = FilesCurrentFolder().string();
    ImGui::BeginChild("##CopyFiles", {0, -30 * scale});
    ImGui::TextWrapped(ll.lookup("copyFiles").c_str(), static_cast<int>(droppedFiles.size()),
                       copyFilesDestination.c_str());
    ImGui::Checkbox(ll.lookup("workingDirectory").c_str(), &copyFilesToCurrent);
    ImGui::BeginDisabled(copyFilesToCurrent);
    InputPath(ll.lookup("destinationFolder").c_str(), copyFilesDestination);
    ImGui::EndDisabled();
    ImGui::EndChild();
    if (ImGui::Button(ll.lookup("Copy").c_str(), {HalfWidth(), 0}) || DialogEnter()) {
        const CopyReport report = CopyFilesInto(droppedFiles, copyFilesDestination);
        for (const std::string& line : report.failures)
            scene.errorText += line + "\n";
        droppedFiles.clear();
        ClosePopUp();
        return;
    }
    ImGui::SameLine();
    if (ImGui::Button(ll.lookup("Cancel").c_str(), {-1, 0}) || DialogEscape()) {
        droppedFiles.clear();
        ClosePopUp();
    }
}

void App::NewFolderDialog() {
    const float scale = settings.menuScale;
    const LL& ll = LL::get();
    if (popUpFreshOpen[NewFolder]) {
        popUpFreshOpen[NewFolder] = false;
        newFolderName = "New_folder";
    }
    const fs::path folder = FilesCurrentFolder();
    ImGui::BeginChild("##NewFolder", {0, -30 * scale});
    ImGui::TextWrapped(ll.lookup("createFolder").c_str(), newFolderName.c_str(), folder.string().c_str());
    ImGui::InputText(ll.lookup("destinationFolder").c_str(), &newFolderName);
    ImGui::EndChild();
    const DialogChoice choice = ConfirmCancelRow("Create", true);
    if (choice == DialogChoice::Confirm) {
        std::string error;
        if (!CreateNewFolder(folder, newFolderName, error))
            scene.errorText += error + "\n";
    }
    if (choice != DialogChoice::None)
        ClosePopUp();
}

} // namespace rux
