#pragma once
// The "Properties" window: the one selected object or asset, every property editable. Edits
// change the scene object at once (live while dragging) and are recorded for undo when no
// widget is active any more, one group per finished gesture (see PropertyEdit.hpp).
//
// Widget ids do not depend on the interface language: each label is "text###id" with a fixed
// id, so scripts and tests can find a field in either language.
#include "app/PopUpState.hpp"
#include "editor/PropertyEdit.hpp"
#include "editor/Scene.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace rux {

enum PropertyTabes : std::uint8_t {
    General_ = 0,
    Transform_,
    Textures_,
    Tiles_,
    VShader_,
    FShader_,
    ParticleSys_,
    Src_,
    Text_,
    VertexObject_,
    Camera_,
    Light_,
    HitBox_,
    PropertyTabesCount
};

class Properties {
public:
    explicit Properties(Scene& scene);

    // The window's contents; call between its Begin and End, once a frame.
    void Draw();
    void OpenTab(PropertyTabes tab);
    // The tabs the selected item offers (c_ItemTabs), 0 with no single selection.
    std::uint32_t TabMask() const { return tabMask; }

    // Where the panel hands work it does not do itself; either may be left empty.
    std::function<void(PopUpState)> queuePopUp;
    std::function<void(const std::filesystem::path&)> openInCodeEditor;

    std::uint32_t openTabs = 1u << Transform_;
    // Tile painting (read by the scene's per-frame update).
    std::uint16_t paintTileId = 0;
    int replaceState = 0; // 0 off, 1 waiting for the second tile, 2 replace paintTileId by it
    std::uint16_t replaceTileId = 0;
    bool scrollTiles = false;
    int iconSize = 32;
    int iconsPerRow = 4;
    bool hideObjectsWhenEditing = true;
    // Vertex object editing: the vertex shown (checked against the count every frame).
    int selectedVertex = 0;
    int hitLineDeleteId = 0;

private:
    // Item shown this frame.
    void Select();
    void TabBar();
    void TabKeys();
    void GeneralTab();
    void TransformTab();
    void TexturesTab();
    void TextureAssetTab();
    void TilesTab();
    void ShaderTab(bool vertex);
    void UniformEditors(bool vertex);
    void SourceTab();
    void ParticleTab();
    void ParticleEvents();
    void TextTab();
    void VertexTab();
    void CameraTab();
    void LightTab();
    void HitBoxTab();

    // Marks a property as edited; it is recorded once no widget is active.
    void Edited(UndoAction action, int index = -1);
    void CommitPending();
    // "text###id" with the translated text.
    static std::string Label(const char* key, const char* id);

    Scene& scene;
    std::string name;                     // the object's name or the asset's path
    Level::Object* object = nullptr;      // null while an asset or nothing is shown
    Level::AssetObject* asset = nullptr;
    ObjectType kind = ObjectType::None;
    std::uint32_t tabMask = 0;
    std::string nameEdit;
    std::string textEdit;                 // the text object's string as UTF-8
    struct Pending {
        UndoAction action;
        int index;
        bool operator==(const Pending& o) const { return action == o.action && index == o.index; }
    };
    std::vector<Pending> pending;
    std::vector<std::function<void()>> afterDraw; // structural changes, run after the widgets
    bool autoApply = true;
    bool autoApplyRead = false;
    bool multiLine = false;
};

} // namespace rux
