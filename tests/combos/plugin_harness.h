// Runs a generated init.lua inside the simulated MAME of tests/lua/mame_sim.lua.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "combos/combos_plugin.h"

struct HarnessRun {
  std::string output;                        // everything the harness printed
  std::map<int, std::string> frames;         // frame number -> fields at 1, comma separated
  std::map<std::string, std::string> touch;  // field id -> "sets clears"
  bool Has(const std::string& line) const { return output.find(line) != std::string::npos; }
};

HarnessRun RunPluginInSimulator(const std::string& init_lua, const std::string& scenario);

// init.lua for the given rows, with autofire rows and a log file.
std::string MakeInitLua(const CombosState& combos, const std::string& autofire_rows = "",
                        const std::string& log_path = "", int autofire_rate = 1);
