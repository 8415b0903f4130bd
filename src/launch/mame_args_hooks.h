// The steps of building MAME's command line that belong to other modules:
// preparing the game's own cfg file and writing the plugins. Start-up installs
// the real functions; until then (and in tests) they do nothing, so a start
// simply goes on without them.
#pragma once
#include <string>

// Takes the saved input settings out of cfg\<set>.cfg so that default.cfg wins.
using StripGameCfgInputsFn = void (*)(const std::string& set_name);
// Writes a plugin; true with the folder to add to -pluginspath, false when
// there is nothing to run (or it could not be written).
using WritePluginFn = bool (*)(std::string& plugin_folder);

void SetStripGameCfgInputsHook(StripGameCfgInputsFn fn);  // nullptr restores the do-nothing default
void SetWriteCombosPluginHook(WritePluginFn fn);
void SetWriteInputLogPluginHook(WritePluginFn fn);

void CallStripGameCfgInputs(const std::string& set_name);
bool CallWriteCombosPlugin(std::string& plugin_folder);
bool CallWriteInputLogPlugin(std::string& plugin_folder);

// Whether the last command line built for a start runs the combos plugin.
// Set by BuildMameArgs, read when MAME is started (the autofire mapping
// depends on it). Main thread only.
bool CombosActive();
void SetCombosActive(bool active);
