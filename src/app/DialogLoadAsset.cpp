// The load-asset dialog, the body for each kind of file dropped on the main view, and the
// cannot-open notice for files the editor does not load.
#include "app/DialogLoadAsset.hpp"

#include "app/App.hpp"
#include "app/DialogAddItem.hpp"
#include "app/DialogButtons.hpp"
#include "editor/Scene.hpp"
#include "env/LL.hpp"

#include <imgui.h>
#include <imgui_stdlib.h>

namespace fs = std::filesystem;

namespace rux {

fs::path ChosenFile::assetPath(const fs::path& projectFolder) const {
    const fs::path inside = folder.lexically_normal().lexically_relative(projectFolder.lexically_normal());
    if (inside.empty() || *inside.begin() == "..")
        return fs::path(name);  // outside the project: keep at least the name
    return (inside / name).lexically_normal();
}

ChosenFile ChosenFileFromDrop(const fs::path& projectFolder, const CreateObjDrop& drop) {
    const fs::path relative = fs::path(drop.path).lexically_normal();
    fs::path folder = (projectFolder / relative.parent_path()).lexically_normal();
    if (!folder.has_filename() && folder.has_relative_path())
        folder = folder.parent_path();  // no trailing separator
    return {folder, relative.filename().string(), drop.type};
}

ObjectType LoadTypeKind(int loadType) {
    switch (loadType) {
    case 0: return ObjectType::TileMap;
    case 1: return ObjectType::Sprite;
    default: return ObjectType::Texture;
    }
}

namespace {
void PlaceNewObject(Scene& scene, const std::string& name, sf::Vector2f position) {
    const auto it = scene.objects.find(name);
    if (it == scene.objects.end())
        return;
    if (it->second.transformable)
        it->second.transformable->setPosition(position);
    // The creation step holds the object as it is now, not as it was made.
    scene.MirrorToReference(name);
}
} // namespace

bool LoadImage(Scene& scene, const ImageLoad& load) {
    const ObjectType kind = LoadTypeKind(load.loadType);
    if (kind == ObjectType::Texture)
        return scene.assets.count(load.assetPath) || scene.AddAsset(load.assetPath, ObjectType::Texture);
    if (load.name.empty() || scene.objects.count(load.name))
        return false;
    if (!scene.AddAssetAndObject(load.name, load.assetPath, ObjectType::Texture, kind))
        return false;
    if (kind == ObjectType::TileMap)
        ApplyTileMapSizes(scene.objects.at(load.name), load.tileSize, load.mapSize);
    PlaceNewObject(scene, load.name, load.position);
    return true;
}

bool LoadTileMapFile(Scene& scene, const std::string& name, const fs::path& file, sf::Vector2f position,
                     std::string& error) {
    if (name.empty() || !scene.AddObjectNoTextures(name, ObjectType::TileMap))
        return false;
    Level::Object& object = scene.objects.at(name);
    if (!object.tileMap->loadFromFile(file, &error))
        error = "Cannot read the tile map " + file.string() + ": " + error;
    PlaceNewObject(scene, name, position);
    return true;
}

bool LoadParticleFile(Scene& scene, const std::string& name, const fs::path& file, sf::Vector2f position,
                      std::string& error) {
    if (name.empty() || !scene.AddObjectNoTextures(name, ObjectType::ParticleSystem))
        return false;
    Level::Object& object = scene.objects.at(name);
    if (!object.particleSystem->loadFromFile(file, &error))
        error = "Cannot read the particle system " + file.string() + ": " + error;
    PlaceNewObject(scene, name, position);
    return true;
}

void App::LoadAssetDialog() {
    const float scale = settings.menuScale;
    const LL& ll = LL::get();
    MainViewState& st = mainViewState;
    const fs::path assetPath = chosenFile.assetPath(scene.projectFolder);
    const fs::path filePath = chosenFile.filePath();
    bool done = false;   // the entry goes, the drop position is used up
    ImGui::BeginChild("##LoadAsset", {0, -30 * scale});
    switch (chosenFile.type) {
    case FileType::Image: {
        if (st.loadAssetType != 2)
            ImGui::InputText(ll.lookup("Asset name").c_str(), &newObjectName);
        if (ImGui::BeginCombo(ll.lookup("Asset type").c_str(), LL::ind("LoadAssetType[]", st.loadAssetType).c_str())) {
            for (int k = 0; k < 3; ++k)
                if (ImGui::Selectable(LL::ind("LoadAssetType[]", k).c_str(), k == st.loadAssetType)) {
                    newObjectName = ProposeName(newObjectName, scene.getFreeNextObjectName(LoadTypeKind(st.loadAssetType)),
                                                scene.getFreeNextObjectName(LoadTypeKind(k)));
                    st.loadAssetType = k;
                }
            ImGui::EndCombo();
        }
        if (st.loadAssetType == 0) {
            ImGui::InputInt2(ll.lookup("Texture tile size (pixels)").c_str(), &loadAssetTileSize.x);
            loadAssetTileSize = ClampTileSize(loadAssetTileSize);
            ImGui::InputInt2(ll.lookup("Map size (tiles)").c_str(), &loadAssetMapSize.x);
            loadAssetMapSize = ClampMapSize(loadAssetMapSize);
        }
        ImGui::EndChild();
        const bool acceptable = !newObjectName.empty() || st.loadAssetType == 2;
        if ((ImGui::Button(ll.lookup("OK").c_str(), {HalfWidth(), 0}) || DialogEnter()) && acceptable) {
            const ImageLoad load{st.loadAssetType, newObjectName, assetPath, loadAssetTileSize, loadAssetMapSize,
                                 st.dropPosition};
            if (!LoadImage(scene, load))
                scene.errorText += "Cannot load " + assetPath.generic_string() + " as " + newObjectName + ".\n";
            done = true;
        }
        ImGui::SameLine();
        break;
    }
    case FileType::Shader: {
        const int shown = loadShaderType == 1 ? 1 : 0;
        if (ImGui::BeginCombo(ll.lookup("Shader type").c_str(), LL::ind("LoadShaderType[]", shown).c_str())) {
            for (int k = 0; k < 2; ++k)
                if (ImGui::Selectable(LL::ind("LoadShaderType[]", k).c_str(), k == shown))
                    loadShaderType = k;
            ImGui::EndCombo();
        }
        ImGui::EndChild();
        const float third = ImGui::GetContentRegionAvail().x / 3;
        if (ImGui::Button(ll.lookup("Load").c_str(), {third, 0}) || DialogEnter()) {
            const ObjectType kind = loadShaderType == 1 ? ObjectType::VertexShader : ObjectType::FragmentShader;
            if (!scene.assets.count(assetPath) && !scene.AddAsset(assetPath, kind))
                scene.errorText += "Cannot load the shader " + assetPath.generic_string() + ".\n";
            ClosePopUp();
            return;
        }
        ImGui::SameLine();
        break;
    }
    case FileType::ParticleSystem:
    case FileType::TileMap: {
        const bool tiles = chosenFile.type == FileType::TileMap;
        ImGui::InputText(ll.lookup(tiles ? "Tilemap name" : "Particle system name").c_str(), &newObjectName);
        ImGui::EndChild();
        if (ImGui::Button(ll.lookup("OK").c_str(), {HalfWidth(), 0}) || DialogEnter()) {
            std::string error;
            const bool added = tiles ? LoadTileMapFile(scene, newObjectName, filePath, st.dropPosition, error)
                                     : LoadParticleFile(scene, newObjectName, filePath, st.dropPosition, error);
            if (!added)
                error = "Cannot add " + newObjectName + ": the name is empty or taken.";
            if (!error.empty())
                scene.errorText += error + "\n";
            done = true;
        }
        ImGui::SameLine();
        break;
    }
    case FileType::Font: {
        ImGui::TextWrapped(ll.lookup("addFont").c_str(), chosenFile.name.c_str());
        ImGui::EndChild();
        if (ImGui::Button(ll.lookup("OK").c_str(), {HalfWidth(), 0}) || DialogEnter()) {
            if (!scene.assets.count(assetPath) && !scene.AddAsset(assetPath, ObjectType::Font))
                scene.errorText += "Cannot load the font " + assetPath.generic_string() + ".\n";
            ClosePopUp();
            return;
        }
        ImGui::SameLine();
        break;
    }
    default:
        ImGui::EndChild();
        break;
    }
    if (done) {
        st.dropPosition = {0, 0};
        ClosePopUp();
        return;
    }
    if (ImGui::Button(ll.lookup("Cancel").c_str(), {-1, 0}) || DialogEscape())
        ClosePopUp();
}

void App::CannotOpenDialog() {
    ImGui::TextWrapped(LL::get().lookup("ruxCannotOpen").c_str(), c_AppName.c_str());
    OkButton(settings.menuScale);
}

} // namespace rux
