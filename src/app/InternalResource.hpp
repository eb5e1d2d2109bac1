#pragma once
#include <string>

// The editor's built-in resource files, by number. Paths are relative to the working
// directory, which start-up makes the executable's folder.
namespace InternalResource {

// The file's path, or nullptr for an unknown id.
const char* getPath(int id);

// The whole file; empty when the id is unknown or the file cannot be read. `type` is
// kept for callers written against the resource-table interface and is not used.
std::string getResource(int id, const char* type = "BINARY");

} // namespace InternalResource
