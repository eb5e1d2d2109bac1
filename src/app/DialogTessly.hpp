#pragma once
// The Tessly frame viewer and video player: their state, kept by the App for its lifetime,
// and the arithmetic behind their fields.
#include "Tessly.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace rux {

// A line under a dialog's controls telling how the last load, render or export went.
struct DialogNote {
    std::string text;
    bool error = false;
};

struct TesslyViewerState {
    std::string fileName;
    std::string exportName;
    std::unique_ptr<tyu::Frame> frame = std::make_unique<tyu::Frame>();
    sf::RenderTexture preview;
    sf::Vector2u previewSize;  // 0 while there is no preview to show
    sf::Vector2u imageSize;
    int shown = 0;
    sf::Vector2i resolution;
    bool large = false;
    bool keepAspect = true;
    std::string texture;  // the chosen shape texture; empty for the default square
    DialogNote note;        // of the last load
    DialogNote renderNote;
};

struct TesslyVideoState {
    std::string videoName;
    std::string imageNames;
    std::string outputName;
    sf::Vector2i range;
    std::unique_ptr<tyu::FrameAnimation> animation;
    tyu::FrameAnimator animator;
    sf::RenderTexture preview;
    sf::Vector2u previewSize;
    sf::Vector2u videoSize;
    unsigned fps = 10;
    bool addZeros = false;
    bool large = false;
    bool loop = true;
    int shownFrame = 0;
    std::string texture;
    std::uint64_t totalObjects = 0;
    float averageObjects = 0.f;
    DialogNote note;
    DialogNote exportNote;
};

struct TesslyDialogs {
    TesslyViewerState viewer;
    TesslyVideoState video;
    // Shape textures the user loaded from files in these dialogs, by path.
    std::map<std::string, sf::Texture> loadedTextures;
    std::string texturePath;
    DialogNote textureNote;
    // Set by whoever opens a dialog on a file; the dialog loads it when it opens.
    std::string openFile;
};

// The re-render resolution after the user changed it from `before` to `edited` with the
// aspect ratio kept: the side that changed leads (the width when both did), the other is
// truncate(image ratio x leading side); when that passes maxSize it becomes maxSize and the
// leading side follows from it. Every side ends within 0..maxSize; an image without area
// leaves the edit as it is, clamped.
sf::Vector2i KeepAspect(sf::Vector2u image, sf::Vector2i before, sf::Vector2i edited, int maxSize);

// "label: q : 1" when rendering larger than the image (q = resolution width / image width),
// otherwise "label: 1 : 1/q"; an image without width counts as scale 1.
std::string ScaleText(std::string_view label, int resolutionWidth, unsigned imageWidth);

// "label: all" when every shape is shown, else "label: shown".
std::string ObjectsText(std::string_view label, std::string_view all, std::size_t shown, std::size_t total);

// `size` scaled down, proportions kept, until neither side passes maxSide (each side at least
// 1); (0, 0) when `size` has no area.
sf::Vector2u FitWithin(sf::Vector2u size, unsigned maxSide);

// The shapes of all frames and their mean per frame (0 for a video without frames).
struct ShapeTotals {
    std::uint64_t total = 0;
    float average = 0.f;
};
ShapeTotals CountShapes(const tyu::FrameAnimation& animation);

// The size of a Tessly dialog at the menu scale, kept inside the window.
sf::Vector2f TesslyDialogSize(bool large, float menuScale, sf::Vector2f display);

} // namespace rux
