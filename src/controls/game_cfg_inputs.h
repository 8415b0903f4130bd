// Taking the 25 launcher inputs out of a game's own cfg file, where MAME
// would otherwise prefer them over the global mapping in default.cfg.
#pragma once
#include <string>

// Removes every port element of the 25 types that carries a sequence; other
// ports (DIP switches, analogue settings) stay byte for byte. True when
// something was cut.
bool StripGameCfgText(std::string& text);

// Edits the file in place (after a one-time backup). Errors are silent.
void StripGameCfgFile(const std::string& cfg_path);

// For the game about to start, when "Mapping Overrides MAME's Game Settings"
// is on: MAME's folder\cfg\<set>.cfg.
void StripGameCfgInputs(const std::string& set_name);
