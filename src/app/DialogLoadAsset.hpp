#pragma once
// The file a drop (or, later, the files panel) chose, and what the load-asset dialog makes
// of it.
#include "app/DropPayload.hpp"
#include "level/ObjectType.hpp"

#include <SFML/System/Vector2.hpp>

#include <filesystem>
#include <string>

namespace rux {

class Scene;

struct ChosenFile {
    std::filesystem::path folder; // the folder the file lies in, as a full path
    std::string name;
    FileType type = FileType::Folder;

    // The path inside the project folder, the form assets are kept in.
    std::filesystem::path assetPath(const std::filesystem::path& projectFolder) const;
    // The file on disk.
    std::filesystem::path filePath() const { return folder / name; }
};

// A "createobj" drop carries a path relative to the project folder.
ChosenFile ChosenFileFromDrop(const std::filesystem::path& projectFolder, const CreateObjDrop& drop);

// Load types of an image: 0 tile map, 1 sprite, 2 texture only.
ObjectType LoadTypeKind(int loadType);

struct ImageLoad {
    int loadType = 0;
    std::string name;
    std::filesystem::path assetPath;
    sf::Vector2i tileSize{16, 16};
    sf::Vector2i mapSize{5, 5};
    sf::Vector2f position;
};

// Adds the texture and, unless only the texture is wanted, a tile map or sprite of it at
// `position`. False when the texture cannot be read or the name is taken.
bool LoadImage(Scene& scene, const ImageLoad& load);

// A tile map or particle system object read from its own file, placed at `position`. The
// object is kept with default contents when the file cannot be read; `error` says why.
bool LoadTileMapFile(Scene& scene, const std::string& name, const std::filesystem::path& file, sf::Vector2f position,
                     std::string& error);
bool LoadParticleFile(Scene& scene, const std::string& name, const std::filesystem::path& file,
                      sf::Vector2f position, std::string& error);

} // namespace rux
