#pragma once
// Text fields that hold a path: Tab completes the last path component from the entries of
// the folder the text names as its parent.
#include <string>
#include <string_view>
#include <vector>

namespace rux {

// What Tab appends to `typed`, the last component of a path, given the names in its parent
// folder: the rest of the one name that begins with it, or the longest beginning that all
// such names share. Empty when nothing matches or nothing is left to add.
std::string CompletionSuffix(std::string_view typed, const std::vector<std::string>& names);

// `text` with its last component completed from the file system; a text without "/" is
// completed from the working directory. Unchanged when its parent folder cannot be read.
std::string CompletePath(const std::string& text);

// An ImGui text field bound to `path` (any length) with Tab completion. True when the text
// changed this frame.
bool InputPath(const char* label, std::string& path);

} // namespace rux
