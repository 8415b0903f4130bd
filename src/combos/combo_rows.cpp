#include "combos/combo_rows.h"

#include <vector>

#include "base/file_system.h"
#include "base/key_value_text.h"
#include "base/paths.h"
#include "base/text_util.h"
#include "combos/move_lists.h"

namespace {

CombosTabHooks g_hooks;

void GiveDigitKeys(CombosState& state) {
  for (int i = 0; i < 9; ++i) state.rows[i].key = std::string(1, static_cast<char>('1' + i));
}

bool AnyTrigger(const CombosState& state) {
  for (const ComboRow& row : state.rows)
    if (!row.key.empty() || !row.pad.empty()) return true;
  return false;
}

// "combo12_seq" -> row 12 and "seq"; false for anything else.
bool SplitComboKey(std::string_view key, int& row, std::string_view& field) {
  if (!StartsWithNoCase(key, "combo")) return false;
  size_t i = 5, start = 5;
  int value = 0;
  while (i < key.size() && key[i] >= '0' && key[i] <= '9' && i - start < 4) value = value * 10 + (key[i++] - '0');
  if (i == start || i >= key.size() || key[i] != '_') return false;
  row = value;
  field = key.substr(i + 1);
  return true;
}

// Motion and charge specials come before the simple ones: they are the moves
// worth a trigger.
int MoveGroup(const ComboMove& move) {
  std::string_view kind = move.kind;
  if (kind == "Meteor") return 0;
  if (kind == "Super") return 1;
  if (kind == "Special") {
    std::string_view seq = move.seq;
    if (seq.find("*C") != std::string_view::npos) return 2;
    int run = 0;
    for (char c : seq) {
      run = c >= '0' && c <= '9' ? run + 1 : 0;
      if (run >= 3) return 2;
    }
    return 3;
  }
  if (kind == "Guard Break") return 4;
  return 5;
}

}  // namespace

CombosState& Combos() {
  static CombosState state;
  return state;
}

void SetCombosTabHooks(const CombosTabHooks& hooks) { g_hooks = hooks; }

void TakeComboTimes(CombosState& state, int32_t step_box, int32_t charge_box) {
  int32_t step = Clamp(step_box, 0, 500), charge = Clamp(charge_box, 0, 3000);
  if (step >= 16) state.step_ms = step;
  if (charge >= 100) state.charge_ms = charge;
}

std::string CutToField(std::string_view text, size_t size) {
  size_t limit = size == 0 ? 0 : size - 1;
  if (text.size() <= limit) return std::string(text);
  size_t cut = limit;
  // Step back over continuation bytes so that no character is split.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return std::string(text.substr(0, cut));
}

void ResetCombos(CombosState& state) {
  state.step_ms = kDefaultStepMs;
  state.charge_ms = kDefaultChargeMs;
  for (ComboRow& row : state.rows) row = ComboRow{};
  GiveDigitKeys(state);
  LoadCharacterMoves(state, "Ryu");
}

void ResetCombos() { ResetCombos(Combos()); }

void LoadCharacterMoves(CombosState& state, std::string_view character) {
  const MoveList* list = FindMoveList(character);
  if (!list) return;
  std::vector<const ComboMove*> groups[6];
  size_t taken = 0;
  for (const ComboMove& move : list->moves) {
    auto& group = groups[MoveGroup(move)];
    if (group.size() < 40 && taken < 80) group.push_back(&move), ++taken;
  }
  std::vector<const ComboMove*> order;
  for (auto& group : groups) order.insert(order.end(), group.begin(), group.end());
  for (int i = 0; i < kComboRowCount; ++i) {
    ComboRow& row = state.rows[i];
    if (i < static_cast<int>(order.size())) {
      row.name = CutToField(std::string(list->character) + ": " + order[i]->name, kComboNameSize);
      row.kind = CutToField(order[i]->kind, kComboKindSize);
      row.seq = CutToField(order[i]->seq, kComboSeqSize);
    } else {
      row.name.clear();
      row.kind.clear();
      row.seq.clear();
    }
  }
}

void LoadCharacterMoves(std::string_view character) { LoadCharacterMoves(Combos(), character); }

size_t ParseCombosText(CombosState& state, std::string_view bytes) {
  size_t taken = 0;
  ForEachKeyValueLine(bytes, [&](std::string_view line) {
    size_t eq = line.find('=');
    if (line.empty() || eq == std::string_view::npos) return;
    std::string_view key = TrimNarrow(line.substr(0, eq)), value = line.substr(eq + 1);
    int32_t number = 0;
    if (EqualsNoCase(key, "step_ms")) {
      if (ParseInt(TrimNarrow(value), number) && number >= 16 && number <= 500) state.step_ms = number;
      ++taken;
      return;
    }
    if (EqualsNoCase(key, "charge_ms")) {
      if (ParseInt(TrimNarrow(value), number) && number >= 100 && number <= 3000) state.charge_ms = number;
      ++taken;
      return;
    }
    int n = 0;
    std::string_view field;
    if (!SplitComboKey(key, n, field) || n < 1 || n > kComboRowCount) return;
    ComboRow& row = state.rows[n - 1];
    ++taken;
    if (EqualsNoCase(field, "name")) {
      row.name = CutToField(value, kComboNameSize);
    } else if (EqualsNoCase(field, "kind")) {
      row.kind = CutToField(value, kComboKindSize);
    } else if (EqualsNoCase(field, "seq")) {
      row.seq = CutToField(value, kComboSeqSize);
    } else if (EqualsNoCase(field, "player")) {
      row.player = ParseInt(TrimNarrow(value), number) && number == 2 ? 2 : 1;
    } else if (EqualsNoCase(field, "side")) {
      row.side = !value.empty() && (value[0] == 'R' || value[0] == 'r') ? 1 : 0;
    } else if (EqualsNoCase(field, "key")) {
      row.key = CutToField(value, kComboKeySize);
    } else if (EqualsNoCase(field, "pad")) {
      row.pad = CutToField(value, kComboPadSize);
    } else {
      --taken;
    }
  });
  return taken;
}

TextBuffer FormatCombosText(const CombosState& state) {
  TextBuffer out;
  AppendFormat(out, "step_ms=%d\r\n", state.step_ms);
  AppendFormat(out, "charge_ms=%d\r\n", state.charge_ms);
  for (int n = 1; n <= kComboRowCount; ++n) {
    const ComboRow& row = state.rows[n - 1];
    // Values are written whole (they may be longer than the format's scratch
    // area); a stray line break inside one would split the line, so it goes.
    auto line = [&](const char* field, const std::string& value) {
      out += "combo" + std::to_string(n) + "_" + field + "=";
      for (char c : value) out += c == '\r' || c == '\n' ? ' ' : c;
      out += "\r\n";
    };
    line("name", row.name);
    line("kind", row.kind);
    line("seq", row.seq);
    line("player", std::to_string(row.player == 2 ? 2 : 1));
    line("side", row.side == 1 ? "R" : "L");
    line("key", row.key);
    line("pad", row.pad);
  }
  return out;
}

std::string CombosFilePath() { return JoinPath(LauncherFolder(), "korvo-combos.cfg"); }

void LoadCombos() {
  CombosState& state = Combos();
  state.loaded = true;
  ResetCombos(state);
  if (auto bytes = ReadWholeFile(CombosFilePath()))
    KeepIfUnreadable(CombosFilePath(), *bytes, ParseCombosText(state, *bytes));
  if (!AnyTrigger(state)) GiveDigitKeys(state);
  if (g_hooks.show_loaded) g_hooks.show_loaded();
}

void SaveCombos() {
  if (g_hooks.take_times) g_hooks.take_times();
  WriteFileAtomic(CombosFilePath(), FormatCombosText(Combos()));
}
