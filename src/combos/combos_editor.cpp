#include "combos/combos_editor.h"

#include <vector>

#include "base/text_util.h"
#include "combos/combo_sequence.h"
#include "combos/combo_tables.h"
#include "controls/key_names.h"
#include "controls/pad_codes.h"

namespace {

// The readable forms are cut where a 400-byte buffer would cut them.
constexpr size_t kReadableSize = 400;
// What the Sequence box hands to the converter (399 bytes).
constexpr size_t kTypedSize = 400;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsTokenEnd(char c) { return IsBlank(c) || c == ',' || c == '+'; }

// "LP + LK" -> "LP+LK": blanks around a "+" go when the names on both sides
// are buttons. Digits next to a spaced "+" keep their number-notation meaning
// (two steps).
std::string JoinButtonPresses(std::string_view text) {
  std::vector<bool> drop(text.size(), false);
  for (size_t plus = 0; plus < text.size(); ++plus) {
    if (text[plus] != '+') continue;
    size_t left_end = plus, right_start = plus + 1;
    while (left_end > 0 && IsBlank(text[left_end - 1])) --left_end;
    while (right_start < text.size() && IsBlank(text[right_start])) ++right_start;
    if (left_end == plus && right_start == plus + 1) continue;
    size_t left_start = left_end;
    while (left_start > 0 && !IsTokenEnd(text[left_start - 1])) --left_start;
    size_t right_end = right_start;
    while (right_end < text.size() && !IsTokenEnd(text[right_end])) ++right_end;
    std::string_view left = text.substr(left_start, left_end - left_start);
    std::string_view right = text.substr(right_start, right_end - right_start);
    if (ComboButtonMask(left) == 0 || ComboButtonMask(right) == 0) continue;
    for (size_t k = left_end; k < plus; ++k) drop[k] = true;
    for (size_t k = plus + 1; k < right_start; ++k) drop[k] = true;
  }
  std::string out;
  for (size_t k = 0; k < text.size(); ++k)
    if (!drop[k]) out += text[k];
  return out;
}

// A sequence longer than the row's field loses its last tokens whole rather
// than a piece of one ("236+H" would be another move).
std::string FitSequence(const std::string& seq, bool* cut) {
  if (cut) *cut = false;
  std::string kept = CutToField(seq, kComboSeqSize);
  if (kept.size() == seq.size()) return kept;
  if (cut) *cut = true;
  char next = seq[kept.size()];
  if (!IsBlank(next) && next != ',') {
    size_t boundary = kept.find_last_of(" \t,");
    if (boundary != std::string::npos) kept.resize(boundary);
  }
  while (!kept.empty() && (IsBlank(kept.back()) || kept.back() == ',')) kept.pop_back();
  return kept;
}

}  // namespace

const ComboColumnSpec kComboColumns[kComboColumnCount] = {
    {"#", 28}, {"Name", 100}, {"Type", 0}, {"Sequence", 150}, {"Player", 0}, {"Side", 0}, {"Keyboard", 66},
    {"Pad", 86},
};

std::string ComboCellText(const ComboRow& row, int index, int column) {
  switch (column) {
    case kComboColumnNumber: return std::to_string(index + 1);
    case kComboColumnName: return row.name;
    case kComboColumnType: return row.kind;
    case kComboColumnSequence: return FormatComboSequence(row.seq, row.side, kReadableSize);
    case kComboColumnPlayer: return "Player " + std::to_string(row.player == 2 ? 2 : 1);
    case kComboColumnSide: return row.side == kComboSideRight ? "Right" : "Left";
    case kComboColumnKeyboard: return row.key.empty() ? "" : KeyLabel(row.key);
    case kComboColumnPad: return row.pad.empty() ? "" : PadCodeText(row.pad);
  }
  return "";
}

std::string MoveEntryText(const ComboMove& move, int side) {
  return std::string("[") + move.kind + "] " + move.name + "   (" +
         FormatComboSequence(move.seq, side, kReadableSize) + ")";
}

void ApplyMoveToRow(ComboRow& row, const MoveList& list, const ComboMove& move) {
  row.name = CutToField(std::string(list.character) + ": " + move.name, kComboNameSize);
  row.kind = CutToField(move.kind, kComboKindSize);
  row.seq = CutToField(move.seq, kComboSeqSize);
}

std::string SequenceFromTyped(std::string_view typed, int side, bool* cut) {
  std::string text = SpacesForControlCharacters(CutToField(typed, kTypedSize));
  std::string converted;
  if (ConvertWordNotation(text, side, converted)) return FitSequence(converted, cut);
  return FitSequence(JoinButtonPresses(text), cut);
}

bool ApplyTypedSequence(ComboRow& row, std::string_view typed) {
  bool cut = false;
  row.seq = SequenceFromTyped(typed, row.side, &cut);
  row.name = "Custom";
  row.kind = "Custom";
  return cut;
}

RowMove FindRowMove(std::string_view name) {
  RowMove found;
  size_t colon = name.find(": ");
  if (colon == std::string_view::npos) return found;
  found.list = FindMoveList(name.substr(0, colon));
  if (!found.list) return found;
  std::string_view move_name = name.substr(colon + 2);
  for (size_t i = 0; i < found.list->moves.size(); ++i) {
    if (move_name == found.list->moves[i].name) {
      found.move = static_cast<int>(i);
      break;
    }
  }
  return found;
}

std::string HintLine(std::string_view hint) {
  std::string out(hint);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

int PadTargetRow(const CombosState& state) {
  for (int i = 0; i < kComboRowCount; ++i)
    if (state.rows[i].seq.empty()) return i;
  return 0;
}

void ClearComboRow(ComboRow& row) { row = ComboRow{}; }

int32_t TimeBoxValue(std::string_view text) {
  int32_t value = 0;
  return ParseInt(TrimNarrow(text), value) ? value : 0;
}

std::string SpacesForControlCharacters(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return out;
}
