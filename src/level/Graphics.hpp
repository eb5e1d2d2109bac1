#pragma once
// What the graphics driver offers, asked once. In headless mode nothing touches OpenGL: no
// texture, shader or vertex buffer is created and asset files are only checked for existence.
// Readers then still parse everything, which is what fuzzers and display-less tools need.
namespace rux::Graphics {

void setHeadless(bool headless);
bool isHeadless();
bool vertexBuffersAvailable();
bool shadersAvailable();
unsigned maximumTextureSize();

} // namespace rux::Graphics
