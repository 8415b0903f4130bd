// korvo-combos.cfg: any bytes load within their limits and read back unchanged; plugin lines stay inside Lua strings.
#include "fuzz_target.h"
#include "combos/combo_rows.h"
#include "combos/combos_plugin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CombosState s;
  ParseCombosText(s, std::string(FuzzText(data, size)));
  if (s.step_ms < 16 || s.step_ms > 500 || s.charge_ms < 100 || s.charge_ms > 3000) std::abort();
  for (const ComboRow& r : s.rows) {
    if (r.name.size() >= kComboNameSize || r.kind.size() >= kComboKindSize || r.seq.size() >= kComboSeqSize ||
        r.key.size() >= kComboKeySize || r.pad.size() >= kComboPadSize || (r.player != 1 && r.player != 2) ||
        (r.side != 0 && r.side != 1))
      std::abort();
  }
  TextBuffer once = FormatCombosText(s);
  CombosState again;
  ParseCombosText(again, once);
  if (FormatCombosText(again) != once) std::abort();
  int count = 0;
  std::string lines = BuildComboLines(s, count);
  // Each line's trigger sits between "trig='" and "',steps=": nothing in it may end the string.
  for (size_t at = lines.find("trig='"); at != std::string::npos; at = lines.find("trig='", at + 1)) {
    size_t end = lines.find("',steps={", at);
    if (end == std::string::npos) std::abort();
    for (size_t i = at + 6; i < end; ++i)
      if (lines[i] == '\'' || lines[i] == '\\' || lines[i] == '\n' || lines[i] == '\r') std::abort();
  }
  return 0;
}
