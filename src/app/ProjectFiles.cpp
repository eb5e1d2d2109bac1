#include "app/ProjectFiles.hpp"

#include "app/Project.hpp"
#include "editor/SceneFiles.hpp"
#include "level/AtomicFile.hpp"

#include <SFML/System/FileInputStream.hpp>

#include <algorithm>
#include <exception>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace rux {

namespace {
fs::path WithSuffix(fs::path p, const char* suffix) {
    p += suffix;
    return p;
}

bool ReadWholeFile(const fs::path& file, std::string& out) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Reads `levelFile` into the scene with assets from `folder`; the error text on failure.
bool ReadLevel(Scene& scene, const fs::path& levelFile, const fs::path& folder, std::string& error) {
    sf::FileInputStream stream;
    if (!stream.open(levelFile.string())) {
        error = "cannot open " + levelFile.string();
        return false;
    }
    if (scene.loadFromStream(stream, folder))
        return true;
    error = scene.getLoadError();
    return false;
}
} // namespace

fs::path ProjectPaths::levelFile() const { return WithSuffix(folder, ".rux"); }
fs::path ProjectPaths::sideFile() const { return WithSuffix(folder, ".led"); }

ProjectPaths ProjectPaths::Of(const fs::path& folder) {
    fs::path f = folder.lexically_normal();
    if (!f.empty() && !f.has_filename())
        f = f.parent_path();
    return {f, f.parent_path(), f.filename().string()};
}

void RefreshShaders(Scene& scene) {
    for (auto& [path, asset] : scene.assets) {
        if (asset.type != ObjectType::FragmentShader && asset.type != ObjectType::VertexShader)
            continue;
        copyFileToMemory(scene.projectFolder / path, asset.source);
        scene.DetectUniforms(&asset);
    }
    for (auto& entry : scene.objects)
        Level::ApplyUniforms(entry.second);
}

LoadOutcome LoadProjectInto(Scene& scene, const fs::path& folder, const std::string& unreadable) {
    LoadOutcome out;
    const ProjectPaths project = ProjectPaths::Of(folder);
    const fs::path level = project.levelFile();
    scene.ResetAll();
    scene.projectFolder = project.folder;
    std::error_code ec;
    out.levelExists = fs::is_regular_file(level, ec);
    try {
        std::string why;
        if (!out.levelExists)
            out.loaded = true;  // a project without a level yet: the first save creates it
        else if (ReadLevel(scene, level, project.folder, why))
            out.loaded = true;
        else
            out.error = why.empty() ? unreadable : unreadable + " (" + why + ")";
    } catch (const std::exception& e) {
        out.error = e.what();
    }
    try {
        out.version = getProjectVersion(level);
        scene.MirrorAllToReference();
        RefreshShaders(scene);
        if (out.loaded) {
            scene.loadLED(project.sideFile());
            const int major = out.version & 0xff, minor = out.version >> 8;
            out.upgrade = out.levelExists && (major == 0 || minor <= 6);
        }
    } catch (const std::exception& e) {
        if (out.error.empty())
            out.error = e.what();
    }
    out.missingAssets = scene.assetsMissing;
    return out;
}

SaveResult SaveProjectFiles(const ProjectPaths& project, const SaveRequest& request) {
    SaveResult result;
    if (!project.open()) {
        result.error = "No project is open.";
        return result;
    }
    std::error_code ec;
    const fs::path backupFolder = request.backups / project.name;
    if (request.keepUnread && fs::exists(project.levelFile(), ec)) {
        // The unreadable file is the user's only copy of that level: keep it before replacing.
        std::string old;
        const fs::path copy = backupFolder / (BackupTimeStamp(request.now) + "-unread.rux");
        fs::create_directories(backupFolder, ec);
        if (!ReadWholeFile(project.levelFile(), old) || !WriteFileAtomically(copy, old, &result.error)) {
            if (result.error.empty())
                result.error = "cannot read " + project.levelFile().string();
            result.error = "The level file could not be read when it was opened and cannot be kept aside (" +
                           result.error + "); nothing was saved.";
            return result;
        }
        result.unreadCopy = copy;
    }
    if (!WriteFileAtomically(project.levelFile(), request.level, &result.error))
        return result;
    if (!WriteFileAtomically(project.sideFile(), request.side, &result.error))
        return result;
    if (request.backup) {
        fs::create_directories(backupFolder, ec);
        const fs::path backup = backupFolder / (BackupTimeStamp(request.now) + ".rux");
        if (!WriteFileAtomically(backup, request.level, &result.error))
            return result;
    }
    result.ok = true;
    return result;
}

bool LevelDiffers(std::string_view image, const fs::path& levelFile, std::string_view imageWhenMissing) {
    std::error_code ec;
    if (!fs::exists(levelFile, ec))
        return image != imageWhenMissing;
    std::string disk;
    if (!ReadWholeFile(levelFile, disk))
        return true;
    return image != disk;
}

std::vector<std::string> ListBackups(const fs::path& backups, const std::string& name) {
    std::vector<std::string> list;
    if (name.empty())
        return list;
    std::error_code ec;
    for (fs::directory_iterator it(backups / name, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && it->path().extension() == ".rux")
            list.push_back(it->path().filename().string());
    }
    // Time stamps sort chronologically.
    std::sort(list.begin(), list.end());
    return list;
}

bool RestoreBackupInto(Scene& scene, const ProjectPaths& project, const fs::path& backupFile, std::string& error) {
    std::error_code ec;
    if (!fs::is_regular_file(backupFile, ec)) {
        error = "cannot open " + backupFile.string();
        return false;
    }
    scene.ResetAll();
    scene.projectFolder = project.folder;
    bool ok = false;
    try {
        ok = ReadLevel(scene, backupFile, project.folder, error);
        scene.MirrorAllToReference();
        RefreshShaders(scene);
        scene.loadLED(project.sideFile());
    } catch (const std::exception& e) {
        error = e.what();
        ok = false;
    }
    return ok;
}

} // namespace rux
