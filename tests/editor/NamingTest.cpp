#include "editor/Naming.hpp"

#include <gtest/gtest.h>

#include <set>

using rux::ObjectType;

namespace {

rux::NameTaken In(const std::set<std::string>& names) {
    return [&names](const std::string& n) { return names.count(n) != 0; };
}

struct NewNameCase {
    ObjectType kind;
    std::set<std::string> present;
    std::string expected;
};

TEST(Naming, NewObjectNames) {
    std::set<std::string> all998;
    for (int i = 1; i <= 999; ++i) all998.insert("Sprite-" + std::to_string(i));
    const NewNameCase cases[] = {
        {ObjectType::Sprite, {}, "Sprite-1"},
        {ObjectType::Sprite, {"Sprite-1", "Sprite-3"}, "Sprite-2"},
        {ObjectType::TileMap, {}, "TileMap-1"},
        {ObjectType::ParticleSystem, {}, "ParticleSystem-1"},
        {ObjectType::Text, {"Text-1"}, "Text-2"},
        {ObjectType::VertexObject, {}, "VertexObject-1"},
        {ObjectType::Camera, {}, "Camera-1"},
        {ObjectType::PointLight, {}, "PointLight-1"},
        {ObjectType::DirectionalLight, {}, "DirectionalLight-1"},
        {ObjectType::Texture, {}, ""},
        {ObjectType::None, {}, ""},
        // All of 1 … 998 taken: 999 without a further check, even when it exists too.
        {ObjectType::Sprite, all998, "Sprite-999"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rux::FreeNextObjectName(c.kind, In(c.present)), c.expected) << c.expected;
}

struct CopyNameCase {
    std::string name;
    std::set<std::string> present;
    std::string expected;
};

TEST(Naming, CopyNames) {
    const CopyNameCase cases[] = {
        {"Sprite-4", {}, "Sprite-5"},
        {"Sprite-4", {"Sprite-5"}, "Sprite-6"},
        {"Box", {}, "Box2"},
        {"Box", {"Box2"}, "Box3"},
        {"Box9", {}, "Box10"},
        {"Box007", {}, "Box8"},
        {"A", {}, "A2"},
        {"7", {}, "8"},
        {"19", {}, "20"},
        {"", {}, "2"},
        // A digit run beyond 32 bits stays in the stem instead of overflowing.
        {"X99999999999", {}, "X999999999992"},
        {"X2147483647", {}, "X2147483648"},
        // Never the unchanged name, even when it is free.
        {"Box2", {}, "Box3"},
    };
    for (const auto& c : cases) EXPECT_EQ(rux::UnusedDuplicateName(c.name, In(c.present)), c.expected) << c.name;
}

TEST(Naming, CopyNameWhenEveryCandidateIsTaken) {
    const rux::NameTaken all = [](const std::string&) { return true; };
    EXPECT_EQ(rux::UnusedDuplicateName("Box", all), "Box65536");
}

} // namespace
