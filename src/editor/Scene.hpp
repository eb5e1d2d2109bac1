#pragma once
// The level being edited: the level model plus the selection, naming rules, adding and
// removing objects and assets, picking, the clipboard and the reversal of undo steps.
//
// The reference level holds a twin of every scene object, equal to it after each finished
// edit; the undo system finds property changes by comparing the two. The twins point at the
// scene's assets (the reference level's own asset map stays empty), and so do the clipboard
// and the objects kept by undo steps: every asset pointer in the editor points into this
// scene's asset map or at a shared missing asset. That is why DeleteAsset refuses assets that
// objects still use and redirects the copies, and why ResetAll clears the twins, the
// clipboard and the undo history together with the level.
#include "editor/AssetWatcher.hpp"
#include "editor/ParticleLinks.hpp"
#include "editor/SceneInput.hpp"
#include "editor/UndoSystem.hpp"
#include "level/Level.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/System/Clock.hpp>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace rux {

class TransformType;

// What selection changes tell the panels that show the selection. The gizmo and the
// properties panel connect here; every hook may be left empty.
struct SelectionHooks {
    // The object the gizmo works on; null sends the gizmo back to its select tool.
    std::function<void(sf::Transformable*)> gizmoTarget;
    std::function<void()> panelDeselect;
    std::function<void(Level::Object&)> panelShowObject;
    std::function<void(Level::AssetObject&)> panelShowAsset;
    // An object was renamed (old name, new name).
    std::function<void(const std::string&, const std::string&)> renamed;
};

// The mouse as the per-frame driver sees it when it asks for a pick.
struct PickInput {
    sf::Vector2f world;        // mouse in main camera coordinates
    bool release = false;      // the left button went up over the view this frame
    bool pressFocused = false; // the view had focus when the button went down
    bool gizmoIdle = true;     // no gizmo handle is active
    bool ctrlOnly = false;     // Ctrl and no other modifier
    bool noModifier = true;
};

class Scene : public Level {
public:
    using SelectionEntry = std::pair<std::string, ObjectType>;
    using ObjectMap = std::map<std::string, Object>;

    Scene(UndoSystem& undo, Level& referenceLevel);
    ~Scene() override;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // --- selection ------------------------------------------------------------------------
    void DeselectAll();
    void SelectObject(const std::string& name);
    void SelectObjectMulti(const std::string& name);
    void SelectObjectAuto(const std::vector<std::string>& names);
    void SelectAsset(const std::filesystem::path& path);
    // Selected objects in selection order; asset entries are skipped.
    std::vector<Object*> getSelectedObjects();
    // Throws std::out_of_range for a missing name.
    Object& getObject(const std::string& name);
    // The main camera's view; null (with a message) when "[Main Camera]" holds none.
    Camera* getMainCamera();
    bool* editMode() { return &editModeFlag; }

    // --- picking --------------------------------------------------------------------------
    // Local rectangle for picking and box selection; the caller applies the object's transform.
    static sf::FloatRect getBB(const Object& object);
    static bool SelectableInView(ObjectType kind);
    // The visible object with a transformable under `world`: highest z first (the whole
    // −128…127 range), then name order. Null when there is none.
    Object* ObjectAt(sf::Vector2f world, std::string* name = nullptr);
    // Evaluates a click (or only hovers without a release). True when it consumed the release.
    bool Pick(const PickInput& input);
    // Box selection: first frame, each later frame while held, and the release.
    void BoxSelectBegin(sf::Vector2f world, float zoom);
    void BoxSelectDrag(sf::Vector2f world, float zoom);
    void BoxSelectEnd(bool ctrl);
    // The box in world coordinates, normalised, outline included.
    sf::FloatRect BoxRect() const;

    // --- naming ---------------------------------------------------------------------------
    std::string getFreeNextObjectName(ObjectType kind) const;
    // `alsoTaken` holds names already chosen in the same batch.
    std::string FindUnusedDuplicateName(const std::string& name, const std::set<std::string>& alsoTaken = {}) const;
    // Renames an object, its twin and its selection entry, and records the rename. Refuses an
    // empty name, a name in use and any rename of or to "[Main Camera]" (message on sf::err()).
    bool RenameObject(const std::string& from, const std::string& to);

    // --- adding and removing --------------------------------------------------------------
    static bool AddObjectNoTexturesToLevel(Level& level, const std::string& name, ObjectType kind);
    static bool AddObjectToLevel(Level& level, const std::string& name, const AssetObject& asset, ObjectType kind);
    static bool AddAssetToLevel(Level& level, const std::filesystem::path& base, const std::filesystem::path& path,
                                ObjectType kind);
    static bool AddAssetAndObjectToLevel(Level& level, const std::string& name, const std::filesystem::path& base,
                                         const std::filesystem::path& path, ObjectType assetKind,
                                         ObjectType objectKind);
    // The same on the scene, mirrored into the reference level and recorded for undo
    // (AddAsset records nothing: loading an asset is not undoable).
    bool AddObjectNoTextures(const std::string& name, ObjectType kind);
    bool AddObject(const std::string& name, const AssetObject& asset, ObjectType kind);
    bool AddAssetAndObject(const std::string& name, const std::filesystem::path& path, ObjectType assetKind,
                           ObjectType objectKind);
    bool AddAsset(const std::filesystem::path& path, ObjectType kind);
    // Deletes one object from both levels as an undoable step; never the main camera.
    void DeleteObject(const std::string& name);
    // Refuses (false, message naming the objects) while scene objects use the asset; copies in
    // the clipboard and in undo steps are pointed at the missing asset instead.
    bool DeleteAsset(const std::filesystem::path& path);
    // Empties the level except "[Main Camera]", and with it the twins, the selection, the
    // clipboard and the undo history.
    void ResetAll();
    // Makes the reference level a twin of the whole scene (after a load).
    void MirrorAllToReference();
    // Makes the twin of `name` an exact copy of the scene object (or removes it).
    void MirrorToReference(const std::string& name);

    // --- clipboard ------------------------------------------------------------------------
    // A user's copy rounds the colour through bytes and drops uniform values without their
    // shader; twins and the copies undo keeps are exact.
    enum class CopyMode { UserCopy, Exact };
    // Copies objects `names[i]` of `source` to `newNames[i]` of `destination`. Stops with false
    // at a destination that already holds a drawable. Event links are never copied (see
    // ParticleLinks.hpp); compiled shaders neither, the caller rebuilds them.
    static bool CopyObjects(const ObjectMap& source, const std::vector<std::string>& names, ObjectMap& destination,
                            const std::vector<std::string>& newNames, CopyMode mode = CopyMode::UserCopy);
    void CopySelectedObjectsToClipboard();
    void PasteObjectsFromClipboardAndSelect();
    bool DuplicateSelectedObjects(std::vector<std::string>& names);
    void DeleteSelectedObjects();

    // --- undo -----------------------------------------------------------------------------
    void ProcessUndoRedoStep(UndoStepType type, const std::shared_ptr<UndoSystem::UndoStep>& step, bool redo);
    void AddTilemapUndoStep();
    // Records, in one group, every diffed property that changed on the selected objects.
    // Costs in proportion to the selection, not to the level.
    int CommitSelectionChanges();
    // The same for a list of properties (move, rotate, scale commits).
    int CommitSelectionChanges(const std::vector<UndoAction>& actions);

    // --- transforms (SceneTransform.cpp) ---------------------------------------------------
    // Move, rotate (degrees) or scale (multiplicative) every selected object that has a
    // transformable; assets and cameras are skipped.
    void moveSelected(sf::Vector2f offset);
    void rotateSelected(float degrees);
    void scaleSelected(sf::Vector2f factor);
    // The transformable the gizmo follows: that of the last selected object holding one.
    sf::Transformable* SelectionTransformable();

    // --- shaders, uniforms and watched files (SceneShaders.cpp, SceneWatch.cpp) -----------
    static int GLtoType(unsigned glType);
    // Rebuilds the asset's uniform list from its source text, in declaration order, and fits
    // the uniform data of every object and twin using it (see FitUniformData).
    void DetectUniforms(AssetObject* asset);
    void DetectUniformsAll();
    // Compiles the object's shader from its assets' files (the kept source when a file is
    // gone) and feeds the stored values. A failed compile keeps the shader the object had
    // and appends the compiler's messages to errorText.
    void ReloadShader(Object& object);
    // Recompiles and re-feeds every object using the asset.
    void ReloadAllShaders(const AssetObject& asset);
    // Gives object `name` (and its twin) another vertex or fragment shader asset (null:
    // none) as one undoable group that keeps the old asset and the old uniform bytes.
    bool AttachShader(const std::string& name, const AssetObject* asset, ObjectType stage);
    // Sizes the object's uniform data of each stage to its asset's totalSize, keeping the
    // bytes that fit and filling the rest with zeros. `before`, when given, is the asset's
    // previous list: values then follow their uniform by name and type.
    static void FitUniformData(Object& object, const AssetObject& asset, const Uniforms* before = nullptr);
    // Sets the float "time" of every shader that declares it (the "Animate shaders" switch).
    void SetShaderTime(float seconds);
    // Once per frame: looks at the due share of shader and texture files (each about once a
    // second) and reloads the changed ones. `now` in seconds; returns the assets reloaded.
    int CheckExternalChanges();
    int CheckExternalChanges(double now);
    AssetWatcher assetWatcher;
    sf::Clock watchClock;

    // --- files ----------------------------------------------------------------------------
    void getSceneSave(std::string& out) const;
    // The reference level's file image, written against the scene's asset table (its twins
    // point at the scene's assets). Equal to getSceneSave whenever no edit is pending.
    void getReferenceSave(std::string& out);
    // The editor side file (SideFile.hpp): appends its image; reads one into the particle
    // systems (false when the file cannot be opened or has another version).
    void saveLED(std::string& out) const;
    bool loadLED(const std::filesystem::path& path);

    // --- Scene window ---------------------------------------------------------------------
    // The tree's contents; call between the window's Begin and End.
    void DrawSceneTree();
    bool UpdateTree(const char* label, ObjectType kind);
    bool UpdateTextureTree(const char* label, ObjectType kind);

    std::vector<SelectionEntry> selection;
    std::vector<SelectionEntry> previousSelection;
    ObjectMap clipboard;
    std::vector<ParticleLink> clipboardLinks;
    SelectionHooks hooks;
    bool editModeFlag = false;
    bool multiSelection = false;
    std::uint32_t forceOpenSections = 0;
    std::int64_t totalTime = 0;
    sf::Clock shaderClock, textureClock;
    bool draggingSelection = false;
    sf::Vector2f boxStart;
    sf::RectangleShape selectionBox;
    bool boxSelecting = false;
    std::uint32_t openSectionCount = 0;
    // The project folder: the base of every asset path.
    std::filesystem::path projectFolder;
    // The main view's switches "Animate shaders" and "Update particles" (undoable UI toggles 1, 2).
    bool animateShaders = true;
    bool updateParticles = true;
    // Messages of shader compiles and refused operations, shown by the error dialog.
    std::string errorText;

    UndoSystem& undo;
    Level& referenceLevel;

    // --- per-frame update and drawing (SceneUpdate.cpp, SceneTiles.cpp, SceneVertices.cpp,
    //     SceneParticles.cpp, SceneDraw.cpp) ---------------------------------------------------
    // The one place where the mouse and keys reach the level, once per frame.
    void Update(const SceneInput& input);
    // Carries out the requests the properties panel posted (see PanelRequests).
    void UpdateProperties();
    // Edit mode just changed: centre the view on the edited object, or back where it was.
    void UpdateEditCamera(sf::View& view);
    // Spawns in the target system of `slot` for one event of `system`.
    void ParticleEvents(const ParticleSystemEvent& event, const ParticleSystem& system, std::int8_t slot);
    // One simulation step of every visible particle system that runs, with event chaining.
    void UpdateParticles(sf::Time dt);
    // The object edit mode works on (the first selected object); null when there is none.
    Object* EditedObject();
    const Object* EditedObject() const;
    // Selects vertex `index` of the edited vertex object (−1: none) and its handle.
    void SelectVertex(std::int32_t index);

    std::int32_t paintTileId = 0;
    std::int32_t selectedVertex = -1;
    PanelRequests requests;
    TransformType* gizmo = nullptr;
    GizmoChanges gizmoChanges;
    // "Hide objects when editing": edit mode draws the edited object alone.
    bool hideObjectsWhenEditing = true;
    // The properties panel's tabs for the shown item; bit 12 (hitbox tab) shows hitboxes.
    std::uint32_t panelTabMask = 0;
    // The vertex handle picture ("circle64"); handles are drawn untextured without it.
    const sf::Texture* handleTexture = nullptr;
    // What the selected camera sees, redrawn every frame while a camera is selected first.
    std::unique_ptr<sf::RenderTexture> cameraPreview;
    unsigned cameraPreviewWidth = 320; // its height follows the camera's aspect
    sf::Vector2f savedCameraCenter;
    bool pressFocused = false, focusedNow = false;
    sf::Vector2i lastMousePixel;
    sf::FloatRect sceneWindowRect;

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

private:
    // --- per-frame update state -----------------------------------------------------------
    void ShortcutsOnSelection(const SceneInput& input);
    void DragOrBoxSelect(const SceneInput& input);
    void PaintTiles(const SceneInput& input);
    void EditVertices(const SceneInput& input);
    void RecordVertexMove(Object& object, const std::string& name);
    void AddVertexAt(Object& object, const std::string& name, sf::Vector2f position);
    void RenderCameraPreview(const Camera& camera, sf::Color background);
    void DrawSceneWindow(const SceneInput& input);
    void DuplicateAndSelect();
    void CheckSelectedVertex();
    void ClearSelectedVertex();
    void DrawVertexHandles(const Object& object, sf::RenderTarget& target, sf::RenderStates states) const;
    bool tilesChanged = false;    // a paint stroke changed or touched cells
    bool vertexGrabbed = false;   // the drag holds the selected vertex
    bool vertexMoved = false;     // ... and has moved it
    sf::Vector2f vertexLastPos;
    // The edit-mode flag of the last update. A scene starts outside edit mode, so a flag set
    // before the first update still saves the camera centre that leaving restores.
    bool seenEditMode = false;
    bool leftWasHeld = false;
    bool pressInImage = false;     // the left press began over the view's image
    // Objects in drawing order (z, then name), re-sorted only when the objects or their z
    // orders changed since the last frame.
    const std::vector<const Object*>& DrawOrder() const;
    mutable std::vector<std::pair<const Object*, std::int8_t>> drawKey;
    mutable std::vector<const Object*> drawOrder;

private:
    // Names of the tree rows by kind, rebuilt when the level changed, so that each frame draws
    // only the visible rows of a large level.
    void RefreshTreeRows();
    std::array<std::vector<std::string>, 13> treeRows;
    std::size_t treeRowsSize = static_cast<std::size_t>(-1);
    bool treeRowsDirty = true;
    int treeRowsAge = 0;

    void ObjectSelectedFlags(const std::string& keep);
    void EraseObject(const std::string& name);
    void RenameNoRecord(const std::string& from, const std::string& to);
    bool DeleteObjects(const std::vector<std::string>& names);
    std::set<std::string> NamesTaken() const;
    void ReloadShadersOf(Object& object);
    void RestoreObjects(const ObjectMap& objects, const std::vector<ParticleLink>& links);
    bool ProcessModifyObjectProperty(const UndoSystem::ModifyAssetObjectProperty& step);
    bool ProcessModifyAssetProperty(const UndoSystem::ModifyAssetObjectProperty& step);
    void PasteOrDuplicate(const ObjectMap& copies, const std::vector<std::string>& names,
                          const std::vector<ParticleLink>& links, std::vector<std::string>& newNames);
};

} // namespace rux
