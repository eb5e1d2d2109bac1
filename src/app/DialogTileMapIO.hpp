#pragma once
// Writing a tile map or particle system to its own file, and reading a tile map file into
// the selected tile map.
#include "level/Level.hpp"

#include <filesystem>
#include <string>

namespace rux {

class Scene;

// The location as typed, with ".tlm" (tile map) or ".psy" (particle system) added when it
// has no extension.
std::filesystem::path ExportFilePath(const std::string& location, ObjectType kind);

// Writes the object's tile map or particle system. The path written, or empty with `error`.
std::filesystem::path ExportObjectToFile(const Level::Object& object, const std::string& location,
                                         std::string& error);

// Reads the file into the first selected object, which must be a tile map, as one undoable
// step. False with `error` set otherwise; the map is unchanged then.
bool ImportTileMapInto(Scene& scene, const std::filesystem::path& file, std::string& error);

} // namespace rux
