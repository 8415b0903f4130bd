// Shared pieces of the small MAME Lua plugins the launcher writes.
#pragma once
#include <string>

// A Lua long-bracket string literal holding `text` verbatim, with a level of
// '=' signs that the text itself cannot close.
std::string LuaLongString(const std::string& text);

// plugin.json of a plugin that runs only when named with -plugin.
std::string PluginJson(const std::string& name, const std::string& description);

// Writes <folder>\<name>\init.lua and plugin.json; false when a write fails.
bool WriteLuaPlugin(const std::string& search_folder, const std::string& name, const std::string& init_lua,
                    const std::string& plugin_json);
