// The Tessly frame viewer (re-render to PNG) and video player (merge frames into a video).
#include "app/DialogTessly.hpp"

#include "app/App.hpp"
#include "app/PathInput.hpp"
#include "app/ToolTip.hpp"
#include "env/LL.hpp"
#include "env/Global.hpp"
#include "platform/Platform.hpp"

#include <SFML/System/FileInputStream.hpp>
#include <imgui.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace rux {

sf::Vector2i KeepAspect(sf::Vector2u image, sf::Vector2i before, sf::Vector2i edited, int maxSize) {
    const auto clamp = [maxSize](long long v) { return static_cast<int>(std::clamp<long long>(v, 0, maxSize)); };
    sf::Vector2i out(clamp(edited.x), clamp(edited.y));
    if (image.x == 0 || image.y == 0)
        return out;
    // In integers, so that a ratio such as 2 / 3 never truncates to one pixel less.
    const long long w = image.x, h = image.y;
    if (edited.x != before.x) {
        out.y = static_cast<int>(h * out.x / w);
        if (out.y > maxSize) {
            out.y = maxSize;
            out.x = static_cast<int>(w * maxSize / h);
        }
    } else if (edited.y != before.y) {
        out.x = static_cast<int>(w * out.y / h);
        if (out.x > maxSize) {
            out.x = maxSize;
            out.y = static_cast<int>(h * maxSize / w);
        }
    }
    return out;
}

std::string ScaleText(std::string_view label, int resolutionWidth, unsigned imageWidth) {
    const double q = imageWidth ? static_cast<double>(resolutionWidth) / imageWidth : 1.0;
    char text[64];
    if (q > 1.0 || q <= 0.0)
        std::snprintf(text, sizeof text, ": %.2f : 1", q);
    else
        std::snprintf(text, sizeof text, ": 1 : %.2f", 1.0 / q);
    return std::string(label) + text;
}

std::string ObjectsText(std::string_view label, std::string_view all, std::size_t shown, std::size_t total) {
    return std::string(label) + ": " + (shown >= total ? std::string(all) : std::to_string(shown));
}

sf::Vector2u FitWithin(sf::Vector2u size, unsigned maxSide) {
    if (size.x == 0 || size.y == 0 || maxSide == 0)
        return {0, 0};
    const std::uint64_t longest = std::max(size.x, size.y);
    if (longest <= maxSide)
        return size;
    const auto side = [&](unsigned v) {
        return static_cast<unsigned>(std::max<std::uint64_t>(1, v * std::uint64_t(maxSide) / longest));
    };
    return {side(size.x), side(size.y)};
}

ShapeTotals CountShapes(const tyu::FrameAnimation& animation) {
    ShapeTotals totals;
    for (std::size_t i = 0; i < animation.getFrameCount(); ++i)
        totals.total += animation.getFrame(i).getVertexCount() / 6;
    if (animation.getFrameCount())
        totals.average = static_cast<float>(static_cast<double>(totals.total) / animation.getFrameCount());
    return totals;
}

sf::Vector2f TesslyDialogSize(bool large, float menuScale, sf::Vector2f display) {
    const sf::Vector2f size = large ? sf::Vector2f(1000, 800) : sf::Vector2f(560, 620);
    return {std::min(size.x * menuScale, display.x * 0.95f), std::min(size.y * menuScale, display.y * 0.95f)};
}

namespace {

using TextureChoices = std::vector<std::pair<std::string, const sf::Texture*>>;

// Our own table's format with one text argument.
std::string Format(const char* key, const std::string& arg) {
    const std::string& format = LL::get().lookup(key);
    const int n = std::snprintf(nullptr, 0, format.c_str(), arg.c_str());
    if (n <= 0)
        return format;
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), format.c_str(), arg.c_str());
    out.resize(static_cast<std::size_t>(n));
    return out;
}

void ShowNote(const DialogNote& note) {
    if (note.text.empty())
        return;
    if (note.error)
        ImGui::PushStyleColor(ImGuiCol_Text, ImVec4(1.f, 0.35f, 0.35f, 1.f));
    ImGui::TextWrapped("%s", note.text.c_str());
    if (note.error)
        ImGui::PopStyleColor();
}

void Heading(const char* key) {
    ImGui::Spacing();
    ImGui::TextUnformatted(LL::get().lookup(key).c_str());
    ImGui::Separator();
}

// The texture of the chosen name; a choice that has gone away reverts to the default square.
const sf::Texture* Resolve(const TextureChoices& choices, std::string& chosen) {
    if (chosen.empty())
        return nullptr;
    for (const auto& [name, texture] : choices)
        if (name == chosen)
            return texture;
    chosen.clear();
    return nullptr;
}

// "Shape texture": the default square or one of the choices, its picture, and a field for
// loading another texture from a file. True when a texture was loaded: one loaded again under
// the same path keeps its address, so whoever draws with it must take it up afresh.
bool ShapeTextureField(TesslyDialogs& dialogs, const TextureChoices& choices, std::string& chosen, float scale) {
    const LL& ll = LL::get();
    const std::string& square = ll.lookup("Square (default)");
    if (ImGui::BeginCombo(ll.lookup("Shape texture").c_str(), chosen.empty() ? square.c_str() : chosen.c_str())) {
        if (ImGui::Selectable(square.c_str(), chosen.empty()))
            chosen.clear();
        for (const auto& choice : choices)
            if (ImGui::Selectable(choice.first.c_str(), choice.first == chosen))
                chosen = choice.first;
        ImGui::EndCombo();
    }
    if (const sf::Texture* texture = Resolve(choices, chosen)) {
        const sf::Vector2u size = texture->getSize();
        const float h = 50.f * scale;
        platform::Image(*texture, {size.y ? h * static_cast<float>(size.x) / static_cast<float>(size.y) : h, h});
        if (ImGui::Button(ll.lookup("Set default texture").c_str()))
            chosen.clear();
    }
    InputPath(ll.lookup("Texture file").c_str(), dialogs.texturePath);
    ImGui::SameLine();
    bool loaded = false;
    if (ImGui::Button(ll.lookup("Load texture").c_str())) {
        sf::Texture texture;
        if (texture.loadFromFile(dialogs.texturePath)) {
            texture.setSmooth(true);
            dialogs.loadedTextures[dialogs.texturePath] = std::move(texture);
            chosen = dialogs.texturePath;
            dialogs.textureNote = {};
            loaded = true;
        } else {
            dialogs.textureNote = {Format("tesslyTextureFailed", dialogs.texturePath), true};
        }
    }
    ShowNote(dialogs.textureNote);
    return loaded;
}

// Opens `path` and checks that it begins with `magic`; on failure says why in `note`.
bool OpenWithMagic(sf::FileInputStream& stream, const std::string& path, const char (&magic)[7],
                   const char* wrongKey, DialogNote& note) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec) || !stream.open(path)) {
        note = {Format("tesslyCannotOpen", path), true};
        return false;
    }
    char head[6] = {};
    if (stream.read(head, 6) != 6 || std::memcmp(head, magic, 6) != 0 || stream.seek(0) != 0) {
        note = {Format(wrongKey, path), true};
        return false;
    }
    return true;
}

// Makes `preview` hold an image of `size` fitted to the texture limit; false when it cannot.
bool ResizePreview(sf::RenderTexture& preview, sf::Vector2u& previewSize, sf::Vector2u size, unsigned antialiasing) {
    const sf::Vector2u fitted = FitWithin(size, sf::Texture::getMaximumSize());
    if (fitted != previewSize || fitted.x == 0) {
        previewSize = {0, 0};
        if (fitted.x == 0 || !preview.create(fitted.x, fitted.y, sf::ContextSettings(0, 0, antialiasing)))
            return false;
        previewSize = fitted;
    }
    preview.clear(sf::Color::Black);
    preview.display();
    return true;
}

// Maps image pixels onto a target of `target` pixels.
sf::RenderStates ScaledStates(sf::Vector2u image, sf::Vector2u target) {
    sf::RenderStates states;
    if (image.x && image.y)
        states.transform.scale(static_cast<float>(target.x) / static_cast<float>(image.x),
                               static_cast<float>(target.y) / static_cast<float>(image.y));
    return states;
}

void DrawViewerPreview(TesslyViewerState& v) {
    if (v.previewSize.x == 0)
        return;
    v.preview.clear(sf::Color::Black);
    v.frame->drawShapes(v.preview, ScaledStates(v.imageSize, v.previewSize), static_cast<std::size_t>(v.shown));
    v.preview.display();
}

void DrawVideoPreview(TesslyVideoState& v) {
    if (v.previewSize.x == 0)
        return;
    v.preview.clear(sf::Color::Black);
    if (v.animation)
        v.animation->drawFrame(v.preview, ScaledStates(v.videoSize, v.previewSize),
                               static_cast<std::size_t>(v.shownFrame));
    v.preview.display();
}

// The preview as wide as the space left in the dialog.
void ShowPreview(const sf::RenderTexture& preview, sf::Vector2u previewSize) {
    if (previewSize.x == 0)
        return;
    const float w = ImGui::GetContentRegionAvail().x;
    platform::Image(preview, {w, w * static_cast<float>(previewSize.y) / static_cast<float>(previewSize.x)});
}

int MaxTextureSize() {
    return static_cast<int>(std::min<unsigned>(sf::Texture::getMaximumSize(), INT_MAX));
}

void LoadFrame(TesslyViewerState& v, const sf::Texture* texture, unsigned antialiasing) {
    sf::FileInputStream stream;
    if (!OpenWithMagic(stream, v.fileName, "TYU002", "tesslyNotFrame", v.note))
        return;
    auto frame = std::make_unique<tyu::Frame>();
    const bool whole = frame->loadFromStream(stream);
    v.note = whole ? DialogNote{} : DialogNote{Format("tesslyCutShort", v.fileName), true};
    v.frame = std::move(frame);
    v.frame->setTexture(texture);
    v.imageSize = {v.frame->getWidth(), v.frame->getHeight()};
    const sf::Vector2i image(static_cast<int>(std::min<unsigned>(v.imageSize.x, INT_MAX)),
                             static_cast<int>(std::min<unsigned>(v.imageSize.y, INT_MAX)));
    v.resolution = KeepAspect(v.imageSize, {-1, -1}, image, MaxTextureSize());
    v.shown = static_cast<int>(std::min<std::size_t>(v.frame->getShapeCount(), INT_MAX));
    ResizePreview(v.preview, v.previewSize, v.imageSize, antialiasing);
    DrawViewerPreview(v);
}

void RenderFrame(TesslyViewerState& v, unsigned antialiasing) {
    const std::string path = v.exportName + ".png";
    const sf::Vector2u size(static_cast<unsigned>(v.resolution.x), static_cast<unsigned>(v.resolution.y));
    sf::RenderTexture target;
    if (!target.create(size.x, size.y, sf::ContextSettings(0, 0, antialiasing))) {
        v.renderNote = {Format("tesslyNotSaved", path), true};
        return;
    }
    target.clear(sf::Color::Black);
    sf::RenderStates states = ScaledStates(v.imageSize, size);
    states.blendMode = sf::BlendAlpha;
    v.frame->drawShapes(target, states, static_cast<std::size_t>(v.shown));
    target.display();
    const bool saved = target.getTexture().copyToImage().saveToFile(path);
    v.renderNote = {Format(saved ? "tesslySaved" : "tesslyNotSaved", path), !saved};
}

void LoadVideo(TesslyVideoState& v, const sf::Texture* texture, unsigned antialiasing) {
    sf::FileInputStream stream;
    if (!OpenWithMagic(stream, v.videoName, "TYV002", "tesslyNotVideo", v.note))
        return;
    auto animation = std::make_unique<tyu::FrameAnimation>();
    const bool whole = animation->loadFromStream(stream);
    v.note = whole ? DialogNote{} : DialogNote{Format("tesslyCutShort", v.videoName), true};
    v.animation = std::move(animation);
    v.animator.setAnimation(v.animation.get());
    v.animator.setFramesPerSecond(static_cast<sf::Uint8>(v.fps));
    v.animator.stop();
    v.shownFrame = 0;
    v.videoSize = {v.animation->getWidth(), v.animation->getHeight()};
    v.animation->setTexture(texture);
    const ShapeTotals totals = CountShapes(*v.animation);
    v.totalObjects = totals.total;
    v.averageObjects = totals.average;
    ResizePreview(v.preview, v.previewSize, v.videoSize, antialiasing);
    DrawVideoPreview(v);
}

// The window is sized before its body runs, so an opening starts small from the queue on.
void StartSmall(TesslyDialogs& dialogs, PopUpState state) {
    (state == TesslyViewer ? dialogs.viewer.large : dialogs.video.large) = false;
}

} // namespace

std::string App::TesslyFolder() const {
    // The files panel's project folder takes this place once there is one.
    return "Projects";
}

std::vector<std::pair<std::string, const sf::Texture*>> App::ShapeTextureChoices() {
    // The scene's texture assets join these once the scene holds them.
    TextureChoices choices;
    for (const auto& [path, texture] : tessly->loadedTextures)
        choices.emplace_back(path, &texture);
    return choices;
}

void App::OpenTesslyFile(const fs::path& file) {
    const std::string ext = file.extension().string();
    const PopUpState state = ext == ".tyu" ? TesslyViewer : ext == ".tyv" ? TesslyVideo : PopUpStateCount;
    if (state == PopUpStateCount)
        return;
    tessly->openFile = file.string();
    popUpQueue.push_back(state);
    popUpFreshOpen[state] = true;
    StartSmall(*tessly, state);
}

void App::TesslyMenu() {
    if (!ImGui::BeginMenu(LL::get().lookup("Tessly").c_str()))
        return;
    // Entry 0, the generator, is not part of this build.
    static constexpr PopUpState entries[] = {TesslyViewer, TesslyVideo};
    for (int i = 1; i <= 2; ++i)
        if (ImGui::MenuItem(LL::ind("tesslyNames[]", i).c_str())) {
            popUpQueue.push_back(entries[i - 1]);
            popUpFreshOpen[entries[i - 1]] = true;
            StartSmall(*tessly, entries[i - 1]);
        }
    ImGui::EndMenu();
}

void App::TesslyViewerDialog() {
    TesslyViewerState& v = tessly->viewer;
    const LL& ll = LL::get();
    const float scale = settings.menuScale;
    TextureChoices choices = ShapeTextureChoices();
    if (popUpFreshOpen[TesslyViewer]) {
        popUpFreshOpen[TesslyViewer] = false;
        const std::string folder = TesslyFolder();
        v.fileName = folder;
        v.exportName = (fs::path(folder) / "output").string();
        v.imageSize = {0, 0};
        v.shown = 0;
        if (v.previewSize.x) {
            v.preview.clear(sf::Color::Black);
            v.preview.display();
        }
        v.frame = std::make_unique<tyu::Frame>();
        v.large = false;
        v.keepAspect = true;
        v.resolution = {0, 0};
        v.texture.clear();
        v.note = {};
        v.renderNote = {};
        tessly->textureNote = {};
        if (!tessly->openFile.empty()) {
            v.fileName = std::exchange(tessly->openFile, {});
            LoadFrame(v, nullptr, settings.antialiasing);
        }
    }

    ImGui::BeginChild("##TesslyViewer", {0, -30 * scale}, false);
    Heading("Viewer");
    if (ImGui::Checkbox(ll.lookup("Large window").c_str(), &v.large))
        popUpCentred[TesslyViewer] = false;
    if (ShapeTextureField(*tessly, choices, v.texture, scale)) {
        choices = ShapeTextureChoices();
        v.frame->setTexture(nullptr);
    }
    const sf::Texture* texture = Resolve(choices, v.texture);
    if (texture != v.frame->getTexture()) {
        v.frame->setTexture(texture);
        DrawViewerPreview(v);
    }
    InputPath(ll.lookup("File name").c_str(), v.fileName);
    ImGui::SameLine();
    if (ImGui::Button(ll.lookup("Load").c_str()))
        LoadFrame(v, texture, settings.antialiasing);
    ShowNote(v.note);

    const std::size_t shapes = v.frame->getShapeCount();
    if (shapes > 0) {
        ShowPreview(v.preview, v.previewSize);
        const int most = static_cast<int>(std::min<std::size_t>(shapes, INT_MAX));
        if (ImGui::SliderInt(ll.lookup("Object count").c_str(), &v.shown, 0, most, "%d", ImGuiSliderFlags_AlwaysClamp))
            DrawViewerPreview(v);
    }

    Heading("Re-render");
    ImGui::BeginDisabled(shapes == 0);
    const int maxSize = MaxTextureSize();
    int resolution[2] = {v.resolution.x, v.resolution.y};
    if (ImGui::InputInt2(ll.lookup("Resolution").c_str(), resolution)) {
        const sf::Vector2i edited(resolution[0], resolution[1]);
        v.resolution = v.keepAspect ? KeepAspect(v.imageSize, v.resolution, edited, maxSize)
                                    : KeepAspect({0, 0}, v.resolution, edited, maxSize);
    }
    ImGui::Checkbox(ll.lookup("Maintain aspect ratio").c_str(), &v.keepAspect);
    InputPath(ll.lookup("Export name").c_str(), v.exportName);
    const bool renderable = v.resolution.x > 0 && v.resolution.y > 0 && v.imageSize.x > 0 && v.imageSize.y > 0;
    ImGui::BeginDisabled(!renderable);
    if (ImGui::Button(ll.lookup("Render").c_str()))
        RenderFrame(v, settings.antialiasing);
    ImGui::EndDisabled();
    ImGui::TextUnformatted(
        ObjectsText(ll.lookup("Objects to render"), ll.lookup("all"), static_cast<std::size_t>(v.shown), shapes).c_str());
    ImGui::TextUnformatted(ScaleText(ll.lookup("Rendering at scale"), v.resolution.x, v.imageSize.x).c_str());
    ImGui::EndDisabled();
    ShowNote(v.renderNote);
    ImGui::EndChild();
    OkButton(scale);
}

void App::TesslyVideoDialog() {
    TesslyVideoState& v = tessly->video;
    const LL& ll = LL::get();
    const float scale = settings.menuScale;
    TextureChoices choices = ShapeTextureChoices();
    if (popUpFreshOpen[TesslyVideo]) {
        popUpFreshOpen[TesslyVideo] = false;
        const std::string folder = TesslyFolder();
        v.videoName = folder;
        v.imageNames = folder;
        v.outputName = (fs::path(folder) / "output").string();
        v.range = {0, 0};
        v.videoSize = {0, 0};
        if (v.previewSize.x) {
            v.preview.clear(sf::Color::Black);
            v.preview.display();
        }
        v.addZeros = false;
        v.fps = 10;
        v.large = false;
        v.texture.clear();
        v.loop = true;
        v.shownFrame = 0;
        v.animator.stop();
        v.note = {};
        v.exportNote = {};
        tessly->textureNote = {};
        if (!tessly->openFile.empty()) {
            v.videoName = std::exchange(tessly->openFile, {});
            LoadVideo(v, nullptr, settings.antialiasing);
        }
    }

    ImGui::BeginChild("##TesslyVideo", {0, -30 * scale}, false);
    Heading("Play Tessly video");
    if (ImGui::Checkbox(ll.lookup("Large window").c_str(), &v.large))
        popUpCentred[TesslyVideo] = false;
    if (ShapeTextureField(*tessly, choices, v.texture, scale)) {
        choices = ShapeTextureChoices();
        if (v.animation)
            v.animation->setTexture(nullptr);
    }
    const sf::Texture* texture = Resolve(choices, v.texture);
    if (v.animation && texture != v.animation->getTexture())
        v.animation->setTexture(texture);
    InputPath(ll.lookup("Video name").c_str(), v.videoName);
    ImGui::SameLine();
    if (ImGui::Button(ll.lookup("Load").c_str()))
        LoadVideo(v, texture, settings.antialiasing);
    ShowNote(v.note);

    const unsigned fpsMin = 1, fpsMax = 240;
    if (ImGui::SliderScalar(ll.lookup("Frames per second").c_str(), ImGuiDataType_U32, &v.fps, &fpsMin, &fpsMax, "%u",
                            ImGuiSliderFlags_AlwaysClamp))
        v.animator.setFramesPerSecond(static_cast<sf::Uint8>(v.fps));

    const int frames = v.animation ? v.animation->getFrameCount() : 0;
    if (v.animation) {
        ImGui::Text(ll.lookup("totalObjects").c_str(), static_cast<unsigned long long>(v.totalObjects));
        ImGui::Text(ll.lookup("averageObjects").c_str(), static_cast<double>(v.averageObjects));
    }
    if (v.animator.getState() == tyu::FrameAnimator::Stopped) {
        if (ImGui::Button(ll.lookup("Play").c_str()) && frames > 0)
            v.animator.play();
    } else if (ImGui::Button(ll.lookup("Stop").c_str())) {
        v.animator.stop();
    }
    ImGui::SameLine();
    ImGui::Checkbox(ll.lookup("Loop").c_str(), &v.loop);

    if (v.animator.getState() == tyu::FrameAnimator::Playing) {
        v.animator.setLoop(v.loop);
        v.animator.advance(TimeControl::get().deltaTime);
        v.shownFrame = std::min<int>(v.animator.getFrame(), std::max(frames - 1, 0));
    }
    if (v.animation) {
        if (frames > 0 && ImGui::SliderInt(ll.lookup("Frame").c_str(), &v.shownFrame, 0, frames - 1, "%d",
                                           ImGuiSliderFlags_AlwaysClamp))
            v.animator.setFrame(static_cast<sf::Uint16>(v.shownFrame));
        DrawVideoPreview(v);
        ShowPreview(v.preview, v.previewSize);
    }

    Heading("Export Tessly video");
    InputPath(ll.lookup("Image names").c_str(), v.imageNames);
    ToolTip(ll.lookup("ruxTooltip1").c_str());
    int range[2] = {v.range.x, v.range.y};
    if (ImGui::InputInt2(ll.lookup("Range").c_str(), range))
        v.range = {std::clamp(range[0], 0, 9999), std::clamp(range[1], 0, 9999)};
    ImGui::Checkbox(ll.lookup("Add zeros").c_str(), &v.addZeros);
    ToolTip(ll.lookup("ruxTooltip2").c_str());
    InputPath(ll.lookup("Output name").c_str(), v.outputName);
    if (ImGui::Button(ll.lookup("Export").c_str())) {
        const std::string path = v.outputName + ".tyv";
        if (v.imageNames.find('*') == std::string::npos)
            v.exportNote = {ll.lookup("tesslyNoStar"), true};
        else if (v.range.y < v.range.x)
            v.exportNote = {ll.lookup("tesslyBadRange"), true};
        else if (Tessly::Merge(v.imageNames, v.outputName, v.range, v.addZeros))
            v.exportNote = {Format("tesslySaved", path), false};
        else
            v.exportNote = {Format("tesslyMergeFailed", path), true};
    }
    ShowNote(v.exportNote);
    ImGui::EndChild();
    OkButton(scale);
}

} // namespace rux
