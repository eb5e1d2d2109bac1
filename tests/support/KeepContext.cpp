// With Mesa, every time the last OpenGL resource of the process goes away the graphics library
// tears its shared context down and leaks an X connection; after a few dozen render textures
// the X server refuses new ones. When one process runs many tests, one context kept for the
// whole run avoids the churn (ctest runs each test alone and needs none).
#include <SFML/Window/Context.hpp>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace {
class KeepContext : public ::testing::Environment {
public:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (display && *display && ::testing::UnitTest::GetInstance()->test_to_run_count() > 1)
            m_context = std::make_unique<sf::Context>();
    }
    void TearDown() override { m_context.reset(); }

private:
    std::unique_ptr<sf::Context> m_context;
};
[[maybe_unused]] const auto* const g_keepContext = ::testing::AddGlobalTestEnvironment(new KeepContext);
} // namespace
