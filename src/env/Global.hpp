#pragma once
// Process-wide flags and the frame clock.
#include <SFML/System/Clock.hpp>
#include <SFML/System/Time.hpp>

namespace rux {

struct Global {
    int theme = 0;
    // A text field has keyboard focus: every shortcut and key command stays quiet.
    bool textInputActive = false;
    bool autoUpdateShaders = true;
    bool doNotPrintErrors = false;
    bool allowMultipleTabs = false;
    bool autoUpdateTextures = true;
    bool autoApplyUniforms = true;

    static Global& Get();
};

struct TimeControl {
    sf::Clock clock;
    sf::Time frameTime;  // step the scene simulation advances by
    sf::Time deltaTime;  // measured duration of the last frame
    float fixedRate = 0; // frames per second; 0 = follow the measured time

    static TimeControl& get();
    // Called once at the end of every frame.
    void Update();
};

} // namespace rux
