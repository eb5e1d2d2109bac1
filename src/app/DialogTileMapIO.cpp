// The export-asset and import-tile-map dialogs.
#include "app/DialogTileMapIO.hpp"

#include "app/App.hpp"
#include "app/DialogButtons.hpp"
#include "app/PathInput.hpp"
#include "editor/Scene.hpp"
#include "env/LL.hpp"

#include <imgui.h>

namespace fs = std::filesystem;

namespace rux {

fs::path ExportFilePath(const std::string& location, ObjectType kind) {
    fs::path path(location);
    if (!path.has_extension() && !location.empty())
        path += kind == ObjectType::TileMap ? ".tlm" : ".psy";
    return path;
}

fs::path ExportObjectToFile(const Level::Object& object, const std::string& location, std::string& error) {
    if (location.empty()) {
        error = "No file name given";
        return {};
    }
    const fs::path path = ExportFilePath(location, object.type);
    bool written = false;
    if (object.type == ObjectType::TileMap && object.tileMap)
        written = object.tileMap->saveToFile(path);
    else if (object.type == ObjectType::ParticleSystem && object.particleSystem)
        written = object.particleSystem->saveToFile(path);
    else {
        error = "Only tile maps and particle systems can be exported";
        return {};
    }
    if (!written) {
        error = "Cannot write " + path.string();
        return {};
    }
    return path;
}

bool ImportTileMapInto(Scene& scene, const fs::path& file, std::string& error) {
    const std::vector<Level::Object*> selected = scene.getSelectedObjects();
    if (selected.empty() || selected.front()->type != ObjectType::TileMap || !selected.front()->tileMap) {
        error = "Object not a tilemap!";
        return false;
    }
    if (!selected.front()->tileMap->loadFromFile(file, &error)) {
        error = "Cannot read the tile map " + file.string() + ": " + error;
        return false;
    }
    scene.AddTilemapUndoStep();
    return true;
}

void App::ExportAssetDialog() {
    const float scale = settings.menuScale;
    const LL& ll = LL::get();
    const std::vector<Level::Object*> selected = scene.getSelectedObjects();
    const Level::Object* object = selected.empty() ? nullptr : selected.front();
    ImGui::BeginChild("##ExportAsset", {0, -30 * scale});
    if (object && object->type == ObjectType::TileMap)
        ImGui::TextUnformatted(ll.lookup("Exporting tilemap").c_str());
    else if (object && object->type == ObjectType::ParticleSystem)
        ImGui::TextUnformatted(ll.lookup("Exporting particle system").c_str());
    InputPath(ll.lookup("File name").c_str(), exportLocation);
    ImGui::EndChild();
    const DialogChoice choice = ConfirmCancelRow("Save", false);
    if (choice == DialogChoice::Confirm) {
        std::string error;
        if (object && ExportObjectToFile(*object, exportLocation, error).empty())
            scene.errorText += error + "\n";
    }
    if (choice != DialogChoice::None)
        ClosePopUp();
}

void App::ImportTileMapStartStep() {
    popUpQueue.back() = ImportTileMap;
    importLocation = (FilesCurrentFolder() / tileMapDropPath).string();
}

void App::ImportTileMapDialog() {
    const float scale = settings.menuScale;
    const LL& ll = LL::get();
    const std::vector<Level::Object*> selected = scene.getSelectedObjects();
    const bool tileMap = !selected.empty() && selected.front()->type == ObjectType::TileMap;
    ImGui::BeginChild("##ImportTileMap", {0, -30 * scale});
    if (tileMap)
        ImGui::TextUnformatted(ll.lookup("Importing tilemap").c_str());
    InputPath(ll.lookup("File name").c_str(), importLocation);
    ImGui::EndChild();
    const DialogChoice choice = ConfirmCancelRow("Import", false);
    if (choice == DialogChoice::Confirm) {
        std::string error;
        if (tileMap && !ImportTileMapInto(scene, importLocation, error))
            scene.errorText += error + "\n";
    }
    if (choice != DialogChoice::None)
        ClosePopUp();
}

} // namespace rux
