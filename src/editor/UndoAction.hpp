#pragma once
// The vocabulary of undo: what kind of step was recorded and which property it concerns.
#include <cstdint>

namespace rux {

enum class UndoStepType : std::uint8_t {
    CreateObject = 0,
    DeleteObject = 1,
    ModifyAsset = 2,
    ModifyObject = 3,
    UIToggle = 4,
};

// Editable properties. The comment gives the layout of a step's value (little-endian, packed);
// "diffed" properties are found by comparing an object with its twin, the others are recorded
// by the code that changes them. Colours are kept as four floats so that undo gives back the
// exact value, not one rounded to bytes.
enum class UndoAction : std::uint16_t {
    Visible = 4,             // u8, diffed
    ZOrder = 5,              // i8
    Color = 6,               // 4 × f32, diffed
    BlendMode = 7,           // i8 index into c_blendModes
    Position = 8,            // 2 × f32, diffed
    Rotation = 9,            // f32 degrees, diffed
    Scale = 10,              // 2 × f32, diffed
    Origin = 11,             // 2 × f32, diffed
    TextureAsset = 12,       // no value; the step's path holds the old asset path ("" = placeholder)
    TextureRect = 13,        // 4 × i32, diffed
    TileTextureSize = 14,    // 2 × u32, diffed
    TileTextureGap = 15,     // 2 × u32, diffed
    FontAsset = 16,          // as TextureAsset
    TileSize = 17,           // 2 × u32
    Tiles = 18,              // u32 columns, u32 rows, columns × rows u16 ids column by column
    EditMode = 19,           // u8
    VertexUniforms = 20,     // the object's vertex uniform bytes
    FragmentUniforms = 21,   // the object's fragment uniform bytes
    VertexShaderAsset = 22,  // as TextureAsset ("" = no shader)
    FragmentShaderAsset = 23,
    MaxParticles = 24,       // i32
    SpawnCount = 25,         // i32
    SpawnDelay = 26,         // f32
    ParticleType = 27,       // i32
    UpdateParticles = 28,    // u8
    Lifetime = 29,           // f32, diffed (29 … 44 all diffed)
    SpawnPosition = 30,      // 2 × f32
    SpawnRadius = 31,        // f32
    StartRotation = 32,      // f32
    EndRotation = 33,        // f32
    ConstantForce = 34,      // 2 × f32
    StartForce = 35,         // 2 × f32
    StartSize = 36,          // f32
    EndSize = 37,            // f32
    StartSpeed = 38,         // f32
    EndSpeed = 39,           // f32
    FireAngle = 40,          // f32
    FireRotation = 41,       // f32
    Fading = 42,             // f32
    StartColor = 43,         // 4 × f32
    EndColor = 44,           // 4 × f32
    UseBothColors = 45,      // u8
    RandomRotation = 46,     // u8
    NewestOnTop = 47,        // u8
    CreateOnUpdate = 48,     // u8
    KeepUpFrameRate = 49,    // u8
    RandomLifetime = 50,     // f32, diffed (50 … 54)
    RandomStartSpeed = 51,
    RandomEndSpeed = 52,
    RandomStartSize = 53,
    RandomEndSize = 54,
    UseSecondaryColors = 55, // u8
    SecondaryStart = 56,     // 4 × f32, diffed
    SecondaryEnd = 57,       // 4 × f32, diffed
    TextTab = 58,            // u8, a switch of the properties panel
    TextString = 59,         // UTF-32 code points, diffed
    CharacterSize = 60,      // u32
    TextStyle = 61,          // u32
    LetterSpacing = 62,      // f32, diffed
    LineSpacing = 63,        // f32, diffed
    PrimitiveType = 64,      // i32
    VertexBuffer = 65,       // u8
    Vertex = 66,             // i32 index, 2 × f32 position, 4 × u8 colour, 2 × f32 texture coordinates
    VertexAppended = 67,     // no value; undo removes the last vertex
    VertexRemoved = 68,      // as Vertex; undo inserts it at its index
    CameraCenter = 69,       // 2 × f32
    CameraSize = 70,         // 2 × f32
    CameraRotation = 71,     // f32 degrees
    PointIntensity = 72,     // f32, diffed
    PointResolution = 73,    // u16
    PointRadius = 74,        // f32, diffed
    DirectionalIntensity = 75, // f32, diffed
    DirectionalResolution = 76, // u16
    DirectionalSize = 77,    // 2 × f32, diffed
    HitLineAdded = 78,       // no value; undo removes the last line
    HitLineRemoved = 79,     // i32 index, 4 × f32 start and end; undo inserts it at its index
    HitLineStart = 80,       // i32 index, 2 × f32
    HitLineEnd = 81,         // i32 index, 2 × f32
    HitboxAdded = 82,        // no value; undo removes the hitbox
    HitboxDeleted = 83,      // u32 count, count × 4 × f32
    TextureSmooth = 84,      // u8, asset step
    TextureRepeated = 85,    // u8, asset step
    Rename = 86,             // no value; the step's name is the new name, its path the old one
};

} // namespace rux
