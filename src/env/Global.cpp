#include "env/Global.hpp"

namespace rux {

Global& Global::Get() {
    static Global instance;
    return instance;
}

TimeControl& TimeControl::get() {
    static TimeControl instance;
    return instance;
}

void TimeControl::Update() {
    deltaTime = clock.restart();
    frameTime = fixedRate != 0 ? sf::seconds(1.f / fixedRate) : deltaTime;
}

} // namespace rux
