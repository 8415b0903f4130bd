#include "combos/combos_plugin.h"

#include "settings/app_state.h"
#include "base/file_system.h"
#include "base/paths.h"
#include "combos/combo_sequence.h"
#include "controls/autofire.h"
#include "controls/lua_plugin.h"

namespace {

// The trigger goes between single quotes in Lua: nothing in it may end or
// escape the string.
std::string LuaSafeTrigger(std::string text) {
  for (char& c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '\'' || c == '\\' || u < 0x20 || u == 0x7F) c = ' ';
  }
  return text;
}

}  // namespace

int AutofireHalfPeriodMs(int rate_index) {
  static const int kRates[] = {10, 15, 20, 30};
  int rate = rate_index >= 0 && rate_index <= 3 ? kRates[rate_index] : 15;
  return 500 / rate;
}

std::string BuildComboLines(const CombosState& combos, int& count) {
  std::string lines;
  count = 0;
  for (const ComboRow& row : combos.rows) {
    if (!row.Active()) continue;
    std::vector<ComboStep> steps = CompileComboSequence(row.seq, row.side, combos.charge_ms);
    if (steps.empty()) continue;
    std::string trigger;
    if (!row.key.empty()) trigger = "KEYCODE_" + row.key;
    if (!row.pad.empty()) trigger += (trigger.empty() ? "" : " OR ") + std::string("JOYCODE_") + row.pad;
    lines += "{player=";
    lines += row.player == 2 ? "2" : "1";
    lines += ",trig='" + LuaSafeTrigger(trigger) + "',steps={";
    for (const ComboStep& s : steps) AppendFormat(lines, "{%u,%d},", s.mask, s.duration);
    lines += "}},\n";
    ++count;
  }
  return lines;
}

std::string BuildCombosInitLua(const CombosPluginInputs& in) {
  int unused = 0;
  std::string lua = "-- written by Korvo before every start: do not edit\n";
  lua += "local STEP_MS = " + std::to_string(in.combos->step_ms) + "\n";
  lua += "local LOGPATH = " + LuaLongString(in.log_path) + "\n";
  lua += "local COMBOS = {\n" + BuildComboLines(*in.combos, unused) + "}\n";
  lua += "local AUTOFIRE = {\n" + in.autofire_rows + "}\n";
  lua += "local AF_HALF_MS = " + std::to_string(AutofireHalfPeriodMs(in.autofire_rate)) + "\n";
  lua += kCombosPluginBody;
  return lua;
}

std::string CombosPluginJson() { return PluginJson("korvo_combos", "Korvo combos"); }

bool WriteCombosPlugin(std::string& plugin_folder) {
  CombosPluginInputs in;
  int autofire_count = BuildAutofireRows(in.autofire_rows);
  CombosState& combos = Combos();
  if (!combos.loaded) LoadCombos();
  in.combos = &combos;
  int combo_count = 0;
  BuildComboLines(combos, combo_count);
  if (combo_count == 0 && autofire_count == 0) return false;

  std::string search = PluginsPath("korvo-combos-plugin");
  const Settings& settings = App().settings;
  if (settings.logs) {
    std::string log = LogsPath("korvo-combos.log");
    DeleteFileAt(log);
    in.log_path = ShortUtf8Path(log);
  }
  in.autofire_rate = settings.autofire_rate;
  if (!WriteLuaPlugin(search, "korvo_combos", BuildCombosInitLua(in), CombosPluginJson())) return false;
  plugin_folder = search;
  return true;
}
