// Level drawing: 1,000 to 100,000 sprites on 4 textures in 16 z layers into a 1280 x 720
// target, with the cached draw order against the plain 256-pass loop; and the cost of keeping
// the order after a rename (objects hidden, so no drawing is counted).
#include <RUX.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Window/Context.hpp>
#include <benchmark/benchmark.h>
#include <array>
#include <memory>

namespace {

struct Scene {
    std::array<sf::Texture, 4> textures;
    rux::Level level;
    sf::RenderTexture target;
    bool ok = false;

    explicit Scene(int count) {
        for (std::size_t t = 0; t < textures.size(); ++t) {
            sf::Image img;
            img.create(32, 32, sf::Color(60 * sf::Uint8(t), 255, 128, 200));
            textures[t].loadFromImage(img);
        }
        for (int i = 0; i < count; ++i) {
            auto& o = level.objects["sprite-" + std::to_string(i)];
            o.sprite = std::make_unique<sf::Sprite>(textures[std::size_t(i) % 4]);
            o.sprite->setPosition(float(i * 37 % 1280), float(i * 53 % 720));
            o.transformable = o.sprite.get();
            o.type = rux::ObjectType::Sprite;
            o.zOrder = static_cast<std::int8_t>(i % 16 - 8);
        }
        ok = target.create(1280, 720);
    }
};

// What the straightforward reading does: 256 passes over all objects per frame.
class PassLoop : public sf::Drawable {
public:
    explicit PassLoop(const rux::Level& level) : m_level(level) {}

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override {
        for (int z = -128; z <= 127; ++z)
            for (const auto& [name, object] : m_level.objects)
                if (object.visible && object.zOrder == z) target.draw(object, states);
    }

private:
    const rux::Level& m_level;
};

// With Mesa, each time the last OpenGL resource goes away the graphics library drops its shared
// context and leaks an X connection; keep one context for the whole run.
void KeepAlive() { static sf::Context context; }

void Frame(benchmark::State& state, bool passes) {
    KeepAlive();
    Scene scene(static_cast<int>(state.range(0)));
    if (!scene.ok) {
        state.SkipWithError("no render texture (needs a display)");
        return;
    }
    PassLoop loop(scene.level);
    for (auto _ : state) {
        scene.target.clear();
        if (passes) scene.target.draw(loop);
        else scene.target.draw(scene.level);
        scene.target.display();
        scene.target.getTexture().copyToImage(); // wait for the frame
    }
}

void Order(benchmark::State& state, bool rename, bool passes) {
    KeepAlive();
    Scene scene(static_cast<int>(state.range(0)));
    if (!scene.ok) {
        state.SkipWithError("no render texture (needs a display)");
        return;
    }
    for (auto& [name, object] : scene.level.objects) object.visible = false;
    PassLoop loop(scene.level);
    int flip = 0;
    for (auto _ : state) {
        if (rename) {
            auto node = scene.level.objects.extract(flip ? "renamed" : "sprite-0");
            node.key() = flip ? "sprite-0" : "renamed";
            scene.level.objects.insert(std::move(node));
            flip ^= 1;
        }
        if (passes) scene.target.draw(loop);
        else scene.target.draw(scene.level);
    }
}

} // namespace

static void BM_LevelDraw(benchmark::State& s) { Frame(s, false); }
static void BM_LevelDraw256Passes(benchmark::State& s) { Frame(s, true); }
BENCHMARK(BM_LevelDraw)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LevelDraw256Passes)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_OrderSteady(benchmark::State& s) { Order(s, false, false); }
static void BM_OrderAfterRename(benchmark::State& s) { Order(s, true, false); }
static void BM_OrderWalk256Passes(benchmark::State& s) { Order(s, false, true); }
BENCHMARK(BM_OrderSteady)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OrderAfterRename)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OrderWalk256Passes)->Arg(100000)->Unit(benchmark::kMicrosecond);
