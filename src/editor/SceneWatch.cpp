// Shader and texture files changed outside the editor, picked up while it runs.
#include "editor/Scene.hpp"
#include "editor/SceneFiles.hpp"
#include "env/Global.hpp"
#include "level/Graphics.hpp"

#include <SFML/Graphics/Shader.hpp>
#include <SFML/System/Err.hpp>

#include <sstream>

namespace rux {

int Scene::CheckExternalChanges() { return CheckExternalChanges(watchClock.getElapsedTime().asSeconds()); }

int Scene::CheckExternalChanges(double now) {
    const Global& global = Global::Get();
    const AssetWatcher::Kinds kinds{global.autoUpdateTextures, global.autoUpdateShaders};
    if (!kinds.textures && !kinds.shaders) {
        assetWatcher.Clear();
        return 0;
    }
    int reloaded = 0;
    for (const std::filesystem::path& key : assetWatcher.Poll(assets, projectFolder, now, kinds)) {
        const auto it = assets.find(key);
        if (it == assets.end()) continue;
        AssetObject& asset = it->second;
        const std::filesystem::path file = projectFolder / key;
        if (asset.type == ObjectType::Texture) {
            if (!asset.texture || Graphics::isHeadless()) continue;
            // Loaded aside so that a half-written file leaves the old image in place.
            sf::Texture fresh;
            if (!fresh.loadFromFile(file.string())) continue;
            fresh.setSmooth(asset.texture->isSmooth());
            fresh.setRepeated(asset.texture->isRepeated());
            asset.texture->swap(fresh);
            ++reloaded;
            continue;
        }
        std::string text;
        copyFileToMemory(file, text);
        if (text == asset.source) continue;
        if (!Graphics::isHeadless() && sf::Shader::isAvailable()) {
            const sf::Shader::Type stage =
                asset.type == ObjectType::VertexShader ? sf::Shader::Vertex : sf::Shader::Fragment;
            sf::Shader probe;
            std::stringstream log;
            std::streambuf* old = sf::err().rdbuf(log.rdbuf());
            const bool ok = probe.loadFromMemory(text, stage);
            sf::err().rdbuf(old);
            if (!ok) {
                errorText += log.str() + "Shader failed to compile: " + key.string() + "\n";
                continue;
            }
        }
        asset.source = std::move(text);
        DetectUniforms(&asset);
        ReloadAllShaders(asset);
        ++reloaded;
    }
    return reloaded;
}

} // namespace rux
