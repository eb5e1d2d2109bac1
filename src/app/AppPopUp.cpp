// The pop-up queue: the last entry is the dialog on top; a dialog removes its own entry.
#include "app/App.hpp"
#include "app/Constants.hpp"
#include "app/DialogTessly.hpp"

#include "env/InputEvent.hpp"
#include "env/LL.hpp"
#include "env/Themes.hpp"
#include "platform/Platform.hpp"

#include <imgui.h>

namespace rux {

namespace {
constexpr ImGuiWindowFlags c_modalFlags = ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoScrollbar |
                                          ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoSavedSettings;

// Dialog sizes at menu scale 1.
ImVec2 DialogSize(PopUpState state, int levelSelectScreen, float scale) {
    ImVec2 size(400, 200);
    switch (state) {
    case Settings: size = {550, 455}; break;
    case About: size = {630, 360}; break;
    case Changelog:
    case FuturePlans: size = {530 * 1.3f, 420 * 1.3f}; break;
    case GraphicsInfo: size = {530, 350}; break;
    case ExitPrompt: size = {380, 120}; break;
    case ErrorMessage: size = {600, 400}; break;
    case OpenFailed: size = {440, 120}; break;
    case UpgradeProject: size = {530, 170}; break;
    case MissingAssets: size = {400, 220}; break;
    case AddItem: size = {530, 210}; break;
    case LoadAsset: size = {530, 180}; break;
    case CannotOpen: size = {330, 100}; break;
    case ExportAsset: size = {430, 120}; break;
    case ImportTileMap: size = {430, 120}; break;
    case AddExtItem: size = {530, 140}; break;
    case CopyFiles: size = {530, 150}; break;
    case NewFolder: size = {530, 150}; break;
    case Find: size = {530, 250}; break;
    case LevelSelect: {
        static const ImVec2 screens[] = {{350, 425}, {455, 364}, {520, 364}};
        size = screens[levelSelectScreen >= 0 && levelSelectScreen < 3 ? levelSelectScreen : 0];
        break;
    }
    default:
        break;
    }
    return {size.x * scale, size.y * scale};
}
} // namespace

void App::PopUp() {
    if (popUpQueue.empty())
        return;
    if (popUpQueue.back() == ImportTileMapStart)
        ImportTileMapStartStep();
    const PopUpState top = popUpQueue.back();
    const std::string title = LL::get().ind("PopUpTitle[]", static_cast<int>(top));
    if (!ImGui::IsPopupOpen(title.c_str()))
        ImGui::OpenPopup(title.c_str());
    // Sized and centred before it begins, so its first frame is already in place.
    ImVec2 size = DialogSize(top, levelSelectScreen, settings.menuScale);
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    if (top == TesslyViewer || top == TesslyVideo) {
        const bool large = top == TesslyViewer ? tessly->viewer.large : tessly->video.large;
        size = platform::ToImVec2(TesslyDialogSize(large, settings.menuScale, platform::ToVector2f(display)));
    }
    ImGui::SetNextWindowSize(size);
    if (!popUpCentred[top])
        ImGui::SetNextWindowPos({display.x / 2 - size.x / 2, display.y / 2 - size.y / 2});
    popUpCentred[top] = true;
    if (!ImGui::BeginPopupModal(title.c_str(), nullptr, c_modalFlags))
        return;
    switch (top) {
    case LevelSelect:
        LevelSelectDialog();
        break;
    case Settings:
        SettingsDialog();
        break;
    case About:
        AboutDialog();
        break;
    case Changelog:
        OutlineDialog(c_changelog);
        break;
    case FuturePlans:
        OutlineDialog(c_futurePlan);
        break;
    case GraphicsInfo:
        GraphicsInfoDialog();
        break;
    case TesslyViewer:
        TesslyViewerDialog();
        break;
    case TesslyVideo:
        TesslyVideoDialog();
        break;
    case ExitPrompt: ExitPromptDialog(); break;
    case ErrorMessage: ErrorMessageDialog(); break;
    case OpenFailed: OpenFailedDialog(); break;
    case UpgradeProject: UpgradeProjectDialog(); break;
    case MissingAssets: MissingAssetsDialog(); break;
    case AddItem: AddItemDialog(); break;
    case LoadAsset: LoadAssetDialog(); break;
    case CannotOpen: CannotOpenDialog(); break;
    case ExportAsset: ExportAssetDialog(); break;
    case ImportTileMap: ImportTileMapDialog(); break;
    case AddExtItem: AddExtItemDialog(); break;
    case CopyFiles: CopyFilesDialog(); break;
    case NewFolder: NewFolderDialog(); break;
    case Find: FindDialog(); break;
    default:
        // Dialogs not offered in this build never get queued; drop a stray entry.
        ImGui::CloseCurrentPopup();
        popUpQueue.pop_back();
        break;
    }
    if (popUpQueue.empty() || popUpQueue.back() != top)
        popUpCentred[top] = false;  // the next opening centres it again
    ImGui::EndPopup();
}

void App::LevelSelectDialog() {
    ImGui::SetWindowFocus();
    if (!levelSelectListed) {
        LevelSelectFirstFrame();
        if (!IsQueued(LevelSelect)) {
            ImGui::CloseCurrentPopup();
            return;
        }
    }
    const int screen = levelSelectScreen;
    if (screen == 1)
        LevelCreateScreen();
    else if (screen == 2)
        LevelOpenScreen();
    else
        LevelSelectTiles();
    if (levelSelectScreen != screen)
        popUpCentred[LevelSelect] = false;  // the new screen has its own size: centre it again
}

void App::LevelSelectTiles() {
    // Screen 0: three tiles in two columns, each showing a quarter of the setup picture.
    const ImGuiStyle& style = ImGui::GetStyle();
    const float tileW = (ImGui::GetContentRegionAvail().x - style.ItemSpacing.x) / 2.f;
    const ImVec2 tile(tileW, tileW + ImGui::GetTextLineHeightWithSpacing() + style.WindowPadding.y);
    const sf::Vector2f tex(setupTexture.getSize());
    for (int o = 0; o < 3; ++o) {
        if (o == 1)
            ImGui::SameLine();
        const std::string id = "MenuItem" + std::to_string(o);
        ImGui::BeginChild(id.c_str(), tile, true, ImGuiWindowFlags_NoScrollbar);
        const bool hovered = ImGui::IsWindowHovered(ImGuiHoveredFlags_AllowWhenBlockedByActiveItem);
        const sf::Color tint = platform::ToColor(StartTileTint(hovered, ImGui::IsMouseDown(0)));
        const float side = ImGui::GetContentRegionAvail().x;
        platform::Image(setupTexture, {side, side - ImGui::GetTextLineHeightWithSpacing()},
                        sf::FloatRect(0.5f * tex.x * static_cast<float>(o % 2), 0.5f * tex.y * static_cast<float>(o / 2),
                                      0.5f * tex.x, 0.5f * tex.y),
                        tint);
        ImGui::Selectable(LL::get().ind("setupOption[]", o).c_str(), hovered, ImGuiSelectableFlags_Disabled);
        ImGui::EndChild();
        if (hovered && ImGui::IsMouseReleased(ImGuiMouseButton_Left)) {
            if (o == 2) {
                popUpQueue.push_back(Settings);
                popUpFreshOpen[Settings] = true;
            } else {
                levelSelectScreen = o + 1;
                popUpFreshOpen[LevelSelect] = true;
            }
        }
    }
}

} // namespace rux
