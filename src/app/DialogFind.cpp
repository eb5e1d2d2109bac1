// The find dialog: a search field over a list of objects and assets; choosing one selects it
// and brings it into view.
#include "app/DialogFind.hpp"

#include "app/App.hpp"
#include "app/DialogButtons.hpp"
#include "editor/Scene.hpp"
#include "env/Global.hpp"
#include "env/InputEvent.hpp"
#include "env/LL.hpp"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace rux {

namespace {
std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}
} // namespace

int FindScore(std::string_view text, std::string_view name) {
    const std::string t = Lower(text);
    std::string n = Lower(name);
    const std::size_t at = n.find(t);
    if (at != std::string::npos)
        return static_cast<int>(at);
    int score = 50;
    for (char c : t) {
        const std::size_t p = n.find(c);
        if (p == std::string::npos)
            continue;
        score = std::max(0, score - 1);
        n.erase(p, 1);
    }
    return score;
}

std::size_t FindRowBudget(float listHeight, float scale) {
    const float rows = std::floor(listHeight / (16.5f * scale));
    return rows > 2.f ? static_cast<std::size_t>(rows) - 1 : 1;
}

std::vector<FindCandidate> FindCandidates(const Level& level, std::string_view text, std::size_t rows) {
    std::vector<FindCandidate> all;
    all.reserve(level.objects.size() + level.assets.size());
    for (const auto& [name, object] : level.objects)
        all.push_back({object.type, name});
    for (const auto& [path, asset] : level.assets)
        all.push_back({asset.type, path.generic_string()});
    if (!text.empty()) {
        std::vector<std::pair<int, std::size_t>> order;
        order.reserve(all.size());
        for (std::size_t i = 0; i < all.size(); ++i)
            order.emplace_back(FindScore(text, all[i].name), i);
        std::stable_sort(order.begin(), order.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<FindCandidate> sorted;
        sorted.reserve(std::min(rows, order.size()));
        for (std::size_t i = 0; i < order.size() && sorted.size() < rows; ++i)
            sorted.push_back(std::move(all[order[i].second]));
        return sorted;
    }
    if (all.size() > rows)
        all.resize(rows);
    return all;
}

int FindStep(int current, std::size_t count, bool down) {
    if (count == 0)
        return -1;
    const int n = static_cast<int>(count);
    if (current < 0 || current >= n)
        return 0;
    return down ? (current + 1) % n : (current + n - 1) % n;
}

std::optional<sf::Vector2f> ChooseFindCandidate(Scene& scene, const FindCandidate& candidate) {
    scene.DeselectAll();
    if (IsAssetKind(static_cast<int>(candidate.kind))) {
        scene.SelectAsset(candidate.name);
        return std::nullopt;
    }
    const auto it = scene.objects.find(candidate.name);
    if (it == scene.objects.end())
        return std::nullopt;
    scene.SelectObject(candidate.name);
    const Level::Object& object = it->second;
    if (!object.transformable)
        return std::nullopt;
    const sf::FloatRect box = Scene::getBB(object);
    return object.transformable->getPosition() + sf::Vector2f(box.left + box.width / 2, box.top + box.height / 2);
}

void App::FindDialog() {
    const float scale = settings.menuScale;
    FindState& st = findState;
    const bool fresh = !st.open;
    if (fresh) {
        st.open = true;
        st.focusRequested = true;
    }
    ImGui::SetNextItemWidth(-1);
    if (st.focusRequested) {
        ImGui::SetKeyboardFocusHere();
        st.focusRequested = false;
    }
    const bool changed = ImGui::InputText("##Target", &st.text);

    // The list area is measured before the first rebuild, so the first opening has rows.
    const float listHeight = ImGui::GetContentRegionAvail().y - 30 * scale;
    st.rows = FindRowBudget(listHeight, scale);
    if (fresh || changed) {
        st.candidates = FindCandidates(scene, st.text, st.rows);
        if (!st.text.empty() || st.current >= static_cast<int>(st.candidates.size()))
            st.current = st.candidates.empty() ? -1 : 0;
    }

    const InputEvent& in = InputEvent::Get();
    bool choose = false;
    if (in.keyPressed[sf::Keyboard::Up])
        st.current = FindStep(st.current, st.candidates.size(), false);
    if (in.keyPressed[sf::Keyboard::Down])
        st.current = FindStep(st.current, st.candidates.size(), true);
    if (in.keyPressed[sf::Keyboard::Enter] && st.current >= 0)
        choose = true;

    ImGui::BeginChild("##Candidates", {0, listHeight}, true);
    for (std::size_t i = 0; i < st.candidates.size(); ++i) {
        const std::string label = st.candidates[i].name + "##" + std::to_string(i);
        if (ImGui::Selectable(label.c_str(), static_cast<int>(i) == st.current, 0, {0, 15 * scale})) {
            st.current = static_cast<int>(i);
            choose = true;
        }
        if (static_cast<int>(i) == st.current && (in.keyPressed[sf::Keyboard::Up] || in.keyPressed[sf::Keyboard::Down]))
            ImGui::SetScrollHereY();
    }
    ImGui::EndChild();

    if (choose && st.current >= 0 && st.current < static_cast<int>(st.candidates.size())) {
        if (const auto centre = ChooseFindCandidate(scene, st.candidates[static_cast<std::size_t>(st.current)]))
            MoveCamera(*centre - MainCamera().getCenter());
        CloseFind();
        return;
    }
    const bool escape = in.keyPressed[sf::Keyboard::Escape] && !Global::Get().textInputActive;
    if (ImGui::Button(LL::get().lookup("Cancel").c_str(), {-1, 0}) || escape)
        CloseFind();
}

void App::CloseFind() {
    findState = FindState{};
    ClosePopUp();
}

} // namespace rux
