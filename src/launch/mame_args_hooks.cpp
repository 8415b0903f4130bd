#include "launch/mame_args_hooks.h"

namespace {
void NoStrip(const std::string&) {}
bool NoPlugin(std::string&) { return false; }

StripGameCfgInputsFn g_strip = NoStrip;
WritePluginFn g_combos = NoPlugin;
WritePluginFn g_input_log = NoPlugin;
bool g_combos_active = false;
}  // namespace

void SetStripGameCfgInputsHook(StripGameCfgInputsFn fn) { g_strip = fn ? fn : NoStrip; }
void SetWriteCombosPluginHook(WritePluginFn fn) { g_combos = fn ? fn : NoPlugin; }
void SetWriteInputLogPluginHook(WritePluginFn fn) { g_input_log = fn ? fn : NoPlugin; }

void CallStripGameCfgInputs(const std::string& set_name) { g_strip(set_name); }
bool CallWriteCombosPlugin(std::string& plugin_folder) { return g_combos(plugin_folder); }
bool CallWriteInputLogPlugin(std::string& plugin_folder) { return g_input_log(plugin_folder); }

bool CombosActive() { return g_combos_active; }
void SetCombosActive(bool active) { g_combos_active = active; }
