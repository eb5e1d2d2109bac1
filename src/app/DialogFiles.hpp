#pragma once
// File operations of the copy-files and new-folder dialogs.
#include <filesystem>
#include <string>
#include <vector>

namespace rux {

struct CopyReport {
    int copied = 0;
    int skipped = 0;                  // source and target were the same file
    std::vector<std::string> failures; // one line per file that was not copied
};

// Copies each file into `destination` under its own name (backslashes count as separators).
// A file is copied to a temporary name beside its target and then renamed over it, so an
// existing target is replaced only by a complete copy; a file already at its target is left
// alone.
CopyReport CopyFilesInto(const std::vector<std::string>& files, const std::filesystem::path& destination);

// Creates folder / name. False with `error` set when the name is empty or not a single
// folder name, or the folder exists or cannot be made.
bool CreateNewFolder(const std::filesystem::path& folder, const std::string& name, std::string& error);

} // namespace rux
