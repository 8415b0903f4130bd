#include "controls/autofire.h"

#include <utility>

#include "base/file_system.h"
#include "base/text_lines.h"
#include "controls/default_cfg.h"
#include "controls/sequence_text.h"

std::vector<AutofireRow> CollectAutofireRows(const InputMapping& m) {
  std::vector<AutofireRow> rows;
  for (int i = 0; i < kActionCount; ++i) {
    if (!IsAutofireButton(i) || !HasAutofire(m, i)) continue;
    std::string trigger = RealSequence(m.bindings[i]);
    // The trigger stands between single quotes in the plugin's Lua.
    for (char& c : trigger)
      if (c == '\'' || c == '\\' || c == '\r' || c == '\n') c = ' ';
    if (trigger.empty()) continue;
    rows.push_back({PlayerOfAction(i), i % 10, trigger});
  }
  return rows;
}

int BuildAutofireRows(const InputMapping& m, TextBuffer& out) {
  std::vector<AutofireRow> rows = CollectAutofireRows(m);
  for (const AutofireRow& row : rows)
    out += "{player=" + std::to_string(row.player) + ",bit=" + std::to_string(row.bit) + ",trig='" + row.trigger +
           "'},\n";
  return static_cast<int>(rows.size());
}

int BuildAutofireRows(TextBuffer& out) {
  InputMapping& m = TheInputMapping();
  if (!m.loaded) LoadInputMapping();
  return BuildAutofireRows(m, out);
}

bool ApplyAutofireTakeover(InputMapping& m, const MappingFiles& files, bool combos_active) {
  if (!combos_active) return RestoreAutofireAtRest(files);
  bool any = false;
  for (int i = 0; i < kActionCount; ++i) any |= IsAutofireButton(i) && HasAutofire(m, i);
  if (!any) return true;
  m.autofire_taken_over = true;
  m.dirty = true;
  bool ok = WriteInputMapping(m, files);
  m.autofire_taken_over = false;
  return ok;
}

bool RestoreAutofireAtRest(const MappingFiles& files) {
  std::optional<std::string> cfg = ReadWholeFile(files.default_cfg);
  if (!cfg) return true;
  InputMapping held;  // default.cfg alone
  ReadDefaultCfgText(held, *cfg);
  InputMapping m;  // with the real sequences of korvo-autofire.cfg
  LoadInputMapping(m, files);
  bool repair = false;
  for (int i = 0; i < kActionCount; ++i)
    repair |= HasAutofire(m, i) && held.bindings[i].present && RealSequence(held.bindings[i]).empty() &&
              !RealSequence(m.bindings[i]).empty();
  if (!repair) return true;
  m.dirty = true;
  return WriteInputMapping(m, files);
}

bool RestoreAutofireAtRest() { return RestoreAutofireAtRest(CurrentMappingFiles()); }

bool ApplyAutofireTakeover(bool combos_active) {
  return ApplyAutofireTakeover(TheInputMapping(), CurrentMappingFiles(), combos_active);
}
