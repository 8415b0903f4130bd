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

std::string FormatAutofireFile(const InputMapping& m) {
  std::string out;
  for (int i = 0; i < kActionCount; ++i) {
    if (!IsAutofireButton(i) || !HasAutofire(m, i)) continue;
    const ActionBinding& b = m.bindings[i];
    out += ActionAt(i).port;
    out += '\t' + b.key + '\t' + b.pad + '\t' + b.extra + '\n';
  }
  return out;
}

void ApplyAutofireFile(InputMapping& m, const std::string& text) {
  ForEachLine(text, [&](std::string_view line) {
    std::vector<std::string_view> f = SplitFields(line, '\t');
    if (f.size() < 4) return;
    int index = FindActionByPort(f[0]);
    if (index < 0 || !IsAutofireButton(index)) return;
    ActionBinding& b = m.bindings[index];
    if (!b.present) return;
    // Hand-edited files may hold anything; what could not be written
    // between MAME's tags is not taken in the first place.
    std::string key = IsSafeSequencePart(f[1]) ? CutBytes(f[1], kKeyMax) : std::string();
    std::string pad = IsSafeSequencePart(f[2]) ? CutBytes(f[2], kPadMax) : std::string();
    std::string extra = SafeAlternatives(f[3], kExtraMax);
    // A button that default.cfg holds as NONE gets its real sequence back.
    // One that holds the very same sequence (a start without the combos
    // plugin writes it so) keeps its autofire mark. Anything else means the
    // file no longer describes default.cfg.
    const bool taken_over = b.key.empty() && b.pad.empty() && b.extra.empty();
    const bool same = b.key == key && b.pad == pad && b.extra == extra;
    if (!taken_over && !same) return;
    b.key = std::move(key);
    b.pad = std::move(pad);
    b.extra = std::move(extra);
    b.autofire = true;
  });
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
