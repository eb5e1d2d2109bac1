#pragma once
// Opening, saving and restoring a project's files, apart from the window so that tests can
// drive them: the scene is loaded from L/N.rux and L/N.led, saved to them (each file written
// to a temporary file and renamed into place), and restored from a backup.
#include "editor/Scene.hpp"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rux {

// The open project: folder L/N, its parent L and its name N. Empty while none is open.
struct ProjectPaths {
    std::filesystem::path folder;
    std::filesystem::path parent;
    std::string name;

    bool open() const { return !folder.empty(); }
    std::filesystem::path levelFile() const;  // L/N.rux
    std::filesystem::path sideFile() const;   // L/N.led
    static ProjectPaths Of(const std::filesystem::path& folder);
};

struct LoadOutcome {
    bool loaded = false;        // read whole, or there is no level file yet
    bool levelExists = false;   // L/N.rux was there
    std::string error;          // why the level could not be read; empty when it could
    std::uint16_t version = 0;  // of L/N.rux, as getProjectVersion
    bool upgrade = false;       // an older level version was read
    bool missingAssets = false;
};

// Empties the scene (selection, reference level, clipboard and history with it) and reads
// the project `folder` into it: level, shader sources with their uniforms, side file.
// `unreadable` is the (translated) message for a level file that exists but cannot be read.
LoadOutcome LoadProjectInto(Scene& scene, const std::filesystem::path& folder, const std::string& unreadable);

// Reads every shader asset's source from the project folder, finds its uniforms and applies
// each object's stored uniform values.
void RefreshShaders(Scene& scene);

struct SaveRequest {
    std::string_view level;  // the level file image
    std::string_view side;   // the side file image
    bool backup = false;     // also write Backups/N/<time stamp>.rux
    std::tm now{};           // local time of the save, for the backup's name
    std::filesystem::path backups = "Backups";
    // The level file on disk could not be read when it was opened: keep a copy of it aside
    // before it is replaced.
    bool keepUnread = false;
};

struct SaveResult {
    bool ok = false;
    std::string error;                    // why it failed, for the error dialog
    std::filesystem::path unreadCopy;     // where the unreadable level was kept, if it was
};

// Writes the level, the side file and the backup; each replaces its file whole or not at all.
SaveResult SaveProjectFiles(const ProjectPaths& project, const SaveRequest& request);

// Whether `image` (the scene's level image) differs from the level file on disk; where there
// is no level file, from `imageWhenMissing` (the level as it was opened).
bool LevelDiffers(std::string_view image, const std::filesystem::path& levelFile, std::string_view imageWhenMissing);

// The backup file names of project `name`, oldest first.
std::vector<std::string> ListBackups(const std::filesystem::path& backups, const std::string& name);

// Replaces the scene with the level of `backupFile` (assets from the project folder) and the
// project's side file. False, with `error` set, when the backup cannot be read.
bool RestoreBackupInto(Scene& scene, const ProjectPaths& project, const std::filesystem::path& backupFile,
                       std::string& error);

} // namespace rux
