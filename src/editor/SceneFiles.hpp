#pragma once
// File and shader helpers shared by the scene's operations.
#include "level/Level.hpp"

#include <filesystem>
#include <string>

namespace rux {

// Reads a whole file into `text`; leaves `text` as it was when the file cannot be opened.
void copyFileToMemory(const std::filesystem::path& path, std::string& text);

// Rebuilds a shader asset's uniform list from its source text, in declaration order (kinds
// 4 and 5 only). Objects' uniform data is not touched: Scene::DetectUniforms fits it.
void DetectUniformsOf(Level::AssetObject& asset);

} // namespace rux
