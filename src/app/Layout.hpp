#pragma once
// Window layouts without docking: each layout file keeps the windows' places in Dear
// ImGui's .ini format, and the five main panels are placed from it explicitly.
#include "app/App.hpp"
#include "level/AtomicFile.hpp"

#include <map>
#include <string>

namespace rux {

// The "[Window][NAME]" sections' Pos= and Size= lines, keyed by the window's identity:
// the text from "###" on when the name has one, else the whole name.
std::map<std::string, PanelRect> ParseLayout(const std::string& ini);

// The identity ImGui hashes for a window name ("Scene###Scene" -> "###Scene").
std::string WindowIdentity(const std::string& name);

} // namespace rux
