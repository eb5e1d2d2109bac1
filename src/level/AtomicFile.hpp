#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace rux {

// Writes bytes to a temporary file beside `file`, flushes and syncs it, then renames it
// into place, so a reader sees either the old file or the whole new one. On failure the
// old file is untouched, false is returned and `error` (when given) says why.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes, std::string* error = nullptr);

} // namespace rux
