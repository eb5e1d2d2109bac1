#pragma once
// The exactness check for undo, for every test that edits a scene:
//
//   UndoExact exact(scene);      // remembers the scene's image and the history length
//   ... edits through the scene's operations ...
//   EXPECT_TRUE(exact.UndoAllAndCompare());
//
// The image is the level file the scene would save plus what that file leaves out: every
// asset (also unused ones) with its kind, the exact colour floats, editor-only particle
// settings and event links by name, and whether each object has its compiled shader.
// ReferenceInStep checks that the reference level's twins equal the scene.
#include "editor/Scene.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>

namespace rux_test {

inline void PutBytes(std::string& out, const void* p, std::size_t n) { out.append(static_cast<const char*>(p), n); }
template <class T> void Put(std::string& out, const T& v) { PutBytes(out, &v, sizeof v); }
inline void PutText(std::string& out, const std::string& s) {
    Put(out, static_cast<std::uint32_t>(s.size()));
    out += s;
}

inline std::string SceneImage(const rux::Scene& scene) {
    std::string out;
    scene.getSceneSave(out);
    out += "|assets";
    for (const auto& [path, a] : scene.assets) {
        PutText(out, path.string());
        Put(out, static_cast<std::int32_t>(a.type));
    }
    out += "|objects";
    std::unordered_map<const rux::ParticleSystem*, std::string> owner;
    for (const auto& [name, o] : scene.objects)
        if (o.particleSystem) owner[o.particleSystem.get()] = name;
    for (const auto& [name, o] : scene.objects) {
        PutText(out, name);
        Put(out, o.color);
        Put(out, static_cast<std::uint8_t>(o.shader != nullptr));
        PutBytes(out, o.vertexUniformData.data(), o.vertexUniformData.size());
        PutBytes(out, o.fragmentUniformData.data(), o.fragmentUniformData.size());
        if (const rux::ParticleSystem* ps = o.particleSystem.get()) {
            Put(out, ps->continuousEmission);
            Put(out, ps->useBothColors);
            Put(out, ps->useSecondaryColors);
            Put(out, ps->updateEnabled);
            Put(out, ps->eventFlags);
            for (std::size_t i = 0; i < ps->eventTargets.size(); ++i) {
                const auto it = owner.find(ps->eventTargets[i]);
                PutText(out, it == owner.end() ? (ps->eventTargets[i] ? "<dangling>" : "") : it->second);
                Put(out, ps->inheritPosition[i]);
                Put(out, ps->inheritColor[i]);
                Put(out, ps->inheritLifetime[i]);
            }
        }
    }
    return out;
}

inline ::testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual) {
    if (expected == actual) return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
    auto around = [&](const std::string& s) {
        const std::size_t from = at < 24 ? 0 : at - 24;
        std::string shown;
        for (std::size_t i = from; i < s.size() && i < at + 24; ++i) {
            const unsigned char c = static_cast<unsigned char>(s[i]);
            shown += c >= 32 && c < 127 ? static_cast<char>(c) : '.';
        }
        return shown;
    };
    return ::testing::AssertionFailure() << "images differ at byte " << at << " (sizes " << expected.size() << " and "
                                         << actual.size() << ")\n  expected ..." << around(expected)
                                         << "...\n  actual   ..." << around(actual) << "...";
}

inline ::testing::AssertionResult ReferenceInStep(rux::Scene& scene) {
    std::string mine, twins;
    scene.getSceneSave(mine);
    scene.getReferenceSave(twins);
    return SameBytes(mine, twins);
}

class UndoExact {
public:
    explicit UndoExact(rux::Scene& s) : scene(s), before(SceneImage(s)), steps(s.undo.getUndoStepCount()) {}

    // Undoes until the history is as long as it was at construction, then compares.
    ::testing::AssertionResult UndoAllAndCompare() {
        while (scene.undo.getUndoStepCount() > steps)
            if (scene.undo.Undo(scene) == 0) break;
        if (scene.undo.getUndoStepCount() != steps)
            return ::testing::AssertionFailure() << "history ended at " << scene.undo.getUndoStepCount()
                                                 << " steps, expected " << steps;
        if (auto same = SameBytes(before, SceneImage(scene)); !same) return same;
        return ReferenceInStep(scene);
    }

    const std::string& image() const { return before; }

private:
    rux::Scene& scene;
    std::string before;
    std::int32_t steps;
};

} // namespace rux_test
