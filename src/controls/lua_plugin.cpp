#include "controls/lua_plugin.h"

#include "base/file_system.h"
#include "base/paths.h"

std::string LuaLongString(const std::string& text) {
  // Lua ends the literal at the first closing bracket of its level, so the
  // level must not close anywhere inside the text or where it meets the end.
  std::string level = "=";
  for (;;) {
    const std::string close = "]" + level + "]";
    if ((text + close).find(close) == text.size()) return "[" + level + "[" + text + close;
    level += '=';
  }
}

std::string PluginJson(const std::string& name, const std::string& description) {
  return "{\n\t\"plugin\": {\n\t\t\"name\": \"" + name + "\",\n\t\t\"description\": \"" + description +
         "\",\n\t\t\"version\": \"1.0.0\",\n\t\t\"author\": \"Korvo\",\n\t\t\"type\": \"plugin\",\n\t\t\"start\": "
         "\"false\"\n\t}\n}\n";
}

bool WriteLuaPlugin(const std::string& search_folder, const std::string& name, const std::string& init_lua,
                    const std::string& plugin_json) {
  const std::string plugin_folder = JoinPath(search_folder, name);
  CreateFolder(search_folder);
  CreateFolder(plugin_folder);
  return WriteFileAtomic(JoinPath(plugin_folder, "init.lua"), init_lua) &&
         WriteFileAtomic(JoinPath(plugin_folder, "plugin.json"), plugin_json);
}
