#pragma once
// The undo history: an ordered list of steps that editing code appends and the undo command
// pops. Most property edits are not recorded by the code that makes them but found later by
// comparing a scene object with its twin in the reference level (findFromDiff). Steps hold
// old values and names only, never pointers to live objects. There is no redo.
#include "editor/ParticleLinks.hpp"
#include "editor/UndoAction.hpp"
#include "level/Level.hpp"

#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace rux {

class Scene;

class UndoSystem {
public:
    struct UndoStep {
        virtual ~UndoStep() = default;
        std::vector<std::uint8_t> data; // the old value, laid out as its action says
        bool grouped = false;           // belongs to the same group as the step before it
    };
    struct UIToggle : UndoStep {
        std::uint16_t toggleId = 0; // data: one byte, the switch's previous value
    };
    struct CreateObject : UndoStep {
        std::string name;
    };
    struct DeleteObject : UndoStep {
        std::map<std::string, Level::Object> objects; // exact copies; event links kept in `links`
        std::vector<ParticleLink> links;              // from and to the deleted objects
    };
    struct ModifyAssetObjectProperty : UndoStep {
        std::string name; // object name, or the asset path of an asset step
        std::string path; // old asset path for the asset-reference actions
        UndoAction action = UndoAction::Visible;
    };
    using Entry = std::pair<UndoStepType, std::shared_ptr<UndoStep>>;

    UndoSystem() = default;
    UndoSystem(const UndoSystem&) = delete;
    UndoSystem& operator=(const UndoSystem&) = delete;

    // The two levels findFromDiff compares; the scene attaches itself when it is built.
    void attach(Level& scene, Level& reference);
    void detach() { scene = reference = nullptr; }

    void addUndoStep(UndoStepType type, std::shared_ptr<UndoStep> step);
    std::int32_t getUndoStepCount() const { return static_cast<std::int32_t>(steps.size()); }
    // Removes and returns the newest step; an empty step pointer when there is none.
    Entry getUndoStep();
    const std::vector<Entry>& getSteps() const { return steps; }
    // Drops the whole history (a new level is being loaded).
    void Clear();

    void startGroupStep();
    void endGroupStep();

    // Records the old value of an object property (step type 3).
    template <class T> void addMOP(UndoAction action, const std::string& name, const T& value) {
        static_assert(std::is_trivially_copyable_v<T>, "undo values are plain bytes");
        std::vector<std::uint8_t> bytes(sizeof(T));
        std::memcpy(bytes.data(), &value, sizeof(T));
        addModify(UndoStepType::ModifyObject, action, name, std::move(bytes));
    }
    // Records the old value of an asset property (step type 2).
    void addMAP(UndoAction action, const std::string& path, bool value);
    // Appends a modify step with prepared bytes (vertex, tile and hitbox values).
    void addModify(UndoStepType type, UndoAction action, const std::string& name, std::vector<std::uint8_t> value,
                   const std::string& path = {});
    // Records the previous value of an application switch (step type 4).
    void addUIToggle(std::uint16_t toggleId, bool previous);

    // Compares one property of the scene object `name` with its twin; when they differ,
    // records the twin's value and copies the scene's into the twin. True when recorded.
    bool findFromDiff(UndoAction action, const std::string& name);
    // The same for every diffed property of the object; returns the number of steps recorded.
    int findAllFromDiff(const std::string& name);

    // Undoes the newest group: pops steps until one without the grouped flag was processed.
    // UI toggles go to `uiToggle` (id, previous value); the others to the scene. Returns the
    // number of steps undone.
    int Undo(Scene& scene, const std::function<void(std::uint16_t, bool)>& uiToggle = {});

    // The History window's contents; call between the window's Begin and End.
    void DrawHistory();
    // One line of the History window.
    static std::string HistoryLine(const Entry& entry);

private:
    std::vector<Entry> steps;
    std::int32_t groupStart = 0;
    Level* scene = nullptr;
    Level* reference = nullptr;
};

} // namespace rux
