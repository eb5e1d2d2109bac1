#include "level/Graphics.hpp"
#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/VertexBuffer.hpp>
#include <atomic>

namespace rux::Graphics {
namespace {
std::atomic<bool> g_headless{false};
}

void setHeadless(bool headless) { g_headless = headless; }
bool isHeadless() { return g_headless; }

bool vertexBuffersAvailable() {
    if (g_headless) return false;
    static const bool available = sf::VertexBuffer::isAvailable();
    return available;
}

bool shadersAvailable() {
    if (g_headless) return false;
    static const bool available = sf::Shader::isAvailable();
    return available;
}

unsigned maximumTextureSize() {
    if (g_headless) return 4096;
    static const unsigned size = sf::Texture::getMaximumSize();
    return size;
}

} // namespace rux::Graphics
