#pragma once
#include "level/AtomicFile.hpp"
#include <filesystem>
#include <string>
#include <string_view>

namespace rux {

// Reads a whole file. False (with the reason) when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& out, std::string* error = nullptr);

} // namespace rux
