#pragma once
// The find dialog's search: candidates from the level's objects and assets, scored against
// the typed text, and the keys that move through them.
#include "level/Level.hpp"

#include <SFML/System/Vector2.hpp>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rux {

class Scene;

struct FindCandidate {
    ObjectType kind = ObjectType::None;
    std::string name; // object name, or asset path
    bool operator==(const FindCandidate& o) const { return kind == o.kind && name == o.name; }
};

// What the find dialog keeps while it is open; cleared when it closes.
struct FindState {
    bool open = false;           // false until the first frame of an opening
    bool focusRequested = false;
    std::string text;
    std::vector<FindCandidate> candidates;
    std::size_t rows = 1;
    int current = -1;            // -1 while the list is empty
};

// Lower is better: the position of the text in the name when it occurs there (case is
// ignored); otherwise 50 less one for each character of the text found, in order, in what
// is left of the name.
int FindScore(std::string_view text, std::string_view name);

// How many rows the list shows: one per 16.5 × scale pixels, less one, never fewer than one.
std::size_t FindRowBudget(float listHeight, float scale);

// Objects in name order then assets in path order for an empty text; otherwise everything
// ordered by score (ties keep objects before assets, each in their order). At most `rows`.
std::vector<FindCandidate> FindCandidates(const Level& level, std::string_view text, std::size_t rows);

// The row that Up (down = false) or Down makes current, wrapping at both ends; -1 while
// the list is empty.
int FindStep(int current, std::size_t count, bool down);

// Deselects everything, then selects the candidate. For an object with a transformable,
// the point the main camera should centre on: its position plus its bounding box centre.
std::optional<sf::Vector2f> ChooseFindCandidate(Scene& scene, const FindCandidate& candidate);

} // namespace rux
