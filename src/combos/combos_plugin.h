// The korvo_combos MAME plugin, rebuilt before every start: it plays the combo
// rows and the autofire buttons inside the running game.
#pragma once
#include <string>

#include "combos/combo_rows.h"

// Everything init.lua is made from, so that it can be built without files.
struct CombosPluginInputs {
  const CombosState* combos = nullptr;
  std::string autofire_rows;  // "{player=..,bit=..,trig='..'},\n" lines
  std::string log_path;       // empty: the plugin keeps no log
  int autofire_rate = 1;      // 0..3 = 10, 15, 20, 30 presses per second
};

// The "{player=..,trig='..',steps={..}}," lines of the active rows that
// compile to at least one step; `count` gets their number.
std::string BuildComboLines(const CombosState& combos, int& count);
// Half of the autofire period in milliseconds for the Autofire Speed index.
int AutofireHalfPeriodMs(int rate_index);
std::string BuildCombosInitLua(const CombosPluginInputs& in);
std::string CombosPluginJson();
// The fixed frame-handler part of init.lua.
extern const char kCombosPluginBody[];

// Writes korvo-plugins\korvo-combos-plugin\korvo_combos\{init.lua,plugin.json}
// and gives the search folder; false when there is nothing to play or a write
// failed. Matches the command-line builder's plugin hook.
bool WriteCombosPlugin(std::string& plugin_folder);
