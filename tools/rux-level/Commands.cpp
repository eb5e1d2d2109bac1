#include "Commands.hpp"
#include "level/FileIO.hpp"
#include <RUX.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/System/Err.hpp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace ruxlevel {
namespace {

int Fail(const std::string& file, const std::string& what) {
    std::cerr << "rux-level: " << file << ": " << what << "\n";
    return 1;
}

// The graphics library reports texture and font trouble on its error stream; keep that out of
// the tool's own output while a level loads.
class QuietErr {
public:
    QuietErr() : m_old(sf::err().rdbuf(m_sink.rdbuf())) {}
    ~QuietErr() { sf::err().rdbuf(m_old); }

private:
    std::stringstream m_sink;
    std::streambuf* m_old;
};

// Loads `file` with assets from its project folder; on failure prints the line and returns false.
bool LoadLevel(const std::string& file, rux::Level& level) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        Fail(file, "no display: loading textures and fonts needs one (run under xvfb-run)");
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        Fail(file, std::filesystem::exists(file, ec) ? "not a file" : "no such file");
        return false;
    }
    QuietErr quiet;
    if (!level.loadFromFile(file)) {
        Fail(file, level.getLoadError().empty() ? "cannot read" : level.getLoadError());
        return false;
    }
    return true;
}

std::string VersionTag(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    char head[8] = {};
    in.read(head, 8);
    return in.gcount() == 8 ? std::string(head + 4, 4) : std::string("?");
}

const char* KindName(const rux::Level::Object& o) {
    if (o.sprite) return "sprite";
    if (o.tileMap) return "tile map";
    if (o.particleSystem) return "particles";
    if (o.text) return "text";
    if (o.vertexObject) return "vertices";
    if (o.camera) return "camera";
    if (o.pointLight) return "point light";
    if (o.directionalLight) return "dir. light";
    return "none";
}

const char* AssetKindName(rux::ObjectType t) {
    switch (t) {
    case rux::ObjectType::Texture: return "texture";
    case rux::ObjectType::FragmentShader: return "fragment shader";
    case rux::ObjectType::VertexShader: return "vertex shader";
    case rux::ObjectType::Font: return "font";
    default: return "?";
    }
}

bool Write(const std::string& file, const std::string& bytes) {
    std::string error;
    if (rux::WriteFileAtomically(file, bytes, &error)) return true;
    Fail(file, error);
    return false;
}

void WarnMissing(const std::string& file, const rux::Level& level) {
    if (level.assetsMissing)
        std::cerr << "rux-level: " << file << ": warning: some asset files are missing or unreadable\n";
}

} // namespace

int Info(const std::string& file) {
    rux::Level level;
    if (!LoadLevel(file, level)) return 1;
    std::printf("%s: version %s, %zu assets, %zu objects\n", file.c_str(), VersionTag(file).c_str(),
                level.assets.size(), level.objects.size());
    for (const auto& [path, asset] : level.assets)
        std::printf("  %-16s %s\n", AssetKindName(asset.type), path.string().c_str());
    if (!level.objects.empty()) std::printf("  %-12s %5s  %-24s %s\n", "kind", "z", "position", "name");
    for (const auto& [name, o] : level.objects) {
        sf::Vector2f p;
        if (o.transformable) p = o.transformable->getPosition();
        else if (o.camera) p = o.camera->getCenter();
        char pos[64];
        std::snprintf(pos, sizeof pos, "%.2f, %.2f", p.x, p.y);
        std::printf("  %-12s %5d  %-24s %s\n", KindName(o), o.zOrder, pos, name.c_str());
    }
    WarnMissing(file, level);
    return 0;
}

int Json(const std::string& file, const std::string& out) {
    rux::Level level;
    if (!LoadLevel(file, level)) return 1;
    std::string text;
    level.saveJSON(text);
    WarnMissing(file, level);
    if (out == "-") {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    return Write(out, text) ? 0 : 1;
}

int Resave(const std::string& in, const std::string& out) {
    rux::Level level;
    if (!LoadLevel(in, level)) return 1;
    // Saving now would replace the missing files' references by the placeholder for good.
    if (level.assetsMissing)
        return Fail(in, "some asset files are missing or unreadable; their references would be lost, nothing written");
    std::string bytes;
    level.saveToMemory(bytes);
    return Write(out, bytes) ? 0 : 1;
}

int Render(const std::string& in, const std::string& out, const RenderOptions& options) {
    rux::Level level;
    if (!LoadLevel(in, level)) return 1;
    const std::string cameraName = options.camera.empty() ? rux::c_mainCameraName : options.camera;
    const auto found = level.objects.find(cameraName);
    if (found == level.objects.end() || !found->second.camera)
        return Fail(in, "no camera named \"" + cameraName + "\"");
    const rux::Camera& camera = *found->second.camera;

    std::error_code ec;
    unsigned width = options.width, height = options.height;
    sf::View view = camera;
    if (options.camera.empty()) {
        // The main camera's size belongs to the editor's window; show the level 1:1 instead.
        if (width == 0) width = 1280, height = 720;
        view.setSize(float(width), float(height));
    } else if (width == 0) {
        // A named camera renders like the editor's camera export: its size times its multiplier.
        width = static_cast<unsigned>(std::abs(camera.getSize().x * camera.textureMultiplier));
        height = static_cast<unsigned>(std::abs(camera.getSize().y * camera.textureMultiplier));
    }
    const unsigned limit = sf::Texture::getMaximumSize();
    if (width == 0 || height == 0 || width > limit || height > limit)
        return Fail(out, "image size " + std::to_string(width) + "x" + std::to_string(height) +
                             " outside 1.." + std::to_string(limit));

    sf::RenderTexture target;
    if (!target.create(width, height)) return Fail(out, "cannot create a render target");
    target.clear(sf::Color::Transparent);
    target.setView(view);
    target.draw(level);
    target.display();
    const sf::Image image = target.getTexture().copyToImage();
    // Encode beside the output under a temporary name with the same extension (which picks the
    // format), then rename: the output appears whole or not at all.
    const std::filesystem::path target_path(out);
    std::string tempName = ".";
    tempName += target_path.stem().string();
    tempName += ".tmp";
    tempName += std::to_string(::getpid());
    tempName += target_path.extension().string();
    const std::filesystem::path temp =
        (target_path.has_parent_path() ? target_path.parent_path() : std::filesystem::path(".")) / tempName;
    if (!image.saveToFile(temp.string())) {
        std::filesystem::remove(temp, ec);
        return Fail(out, "cannot write the image (the name must end in .png, .bmp, .tga or .jpg)");
    }
    std::filesystem::rename(temp, target_path, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return Fail(out, "cannot write: " + ec.message());
    }
    WarnMissing(in, level);
    return 0;
}

} // namespace ruxlevel
