// The add-external-item dialog: writes a white pixel, a colour gradient or one of the
// editor's fonts to a file, which the user then loads like any other.
#include "app/DialogAddExtItem.hpp"

#include "app/App.hpp"
#include "app/DialogButtons.hpp"
#include "app/PathInput.hpp"
#include "env/LL.hpp"
#include "level/AtomicFile.hpp"

#include <imgui.h>

namespace fs = std::filesystem;

namespace rux {

sf::Image MakeWhitePixelImage() {
    sf::Image image;
    image.create(1, 1, sf::Color::White);
    return image;
}

sf::Image MakeGradientImage() {
    sf::Image image;
    image.create(256, 256);
    for (unsigned x = 0; x < 256; ++x)
        for (unsigned y = 0; y < 256; ++y)
            image.setPixel(x, y, sf::Color(static_cast<sf::Uint8>(x), static_cast<sf::Uint8>(y), 0, 255));
    return image;
}

fs::path WriteExtItem(int type, const std::string& location, const std::string& uiFont, const std::string& codeFont,
                      std::string& error) {
    if (location.empty()) {
        error = "No location given";
        return {};
    }
    if (type == 0 || type == 1) {
        const sf::Image image = type == 0 ? MakeWhitePixelImage() : MakeGradientImage();
        // SFML picks the format from the extension and refuses unknown ones.
        if (!image.saveToFile(location)) {
            error = "Cannot write the image " + location + " (use a .png, .bmp, .tga or .jpg name)";
            return {};
        }
        return location;
    }
    if (type == 2 || type == 3) {
        const fs::path file = location + ".ttf";
        if (!WriteFileAtomically(file, type == 2 ? uiFont : codeFont, &error))
            return {};
        return file;
    }
    error = "Unknown item";
    return {};
}

void App::AddExtItemDialog() {
    const float scale = settings.menuScale;
    const LL& ll = LL::get();
    ImGui::BeginChild("##AddExtItem", {0, -30 * scale});
    if (ImGui::BeginCombo(ll.lookup("Item").c_str(), LL::ind("ExtAssetType[]", addExtItemType).c_str())) {
        for (std::uint8_t t = 0; t < 4; ++t)
            if (ImGui::Selectable(LL::ind("ExtAssetType[]", t).c_str(), t == addExtItemType))
                addExtItemType = t;
        ImGui::EndCombo();
    }
    InputPath(ll.lookup("Item location").c_str(), exportLocation);
    ImGui::EndChild();
    const DialogChoice choice = ConfirmCancelRow("OK", true);
    if (choice == DialogChoice::Confirm) {
        std::string error;
        if (WriteExtItem(addExtItemType, exportLocation, uiFontData, codeFontData, error).empty())
            scene.errorText += error + "\n";
    }
    if (choice != DialogChoice::None)
        ClosePopUp();
}

} // namespace rux
