// The rules of the Combos tab apart from its windows: what the list's cells
// and the Move box show, how a chosen move or a typed sequence changes a row,
// and how a row finds its move again.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "combos/combo_rows.h"
#include "combos/move_lists.h"

// The width the Combos tab's rows need, margins included (96-DPI units); the
// options area beside the list is never made narrower than its widest page.
constexpr int kCombosPageLeastWidth = 440;

enum ComboColumn {
  kComboColumnNumber,
  kComboColumnName,
  kComboColumnType,
  kComboColumnSequence,
  kComboColumnPlayer,
  kComboColumnSide,
  kComboColumnKeyboard,
  kComboColumnPad,
  kComboColumnCount
};
struct ComboColumnSpec {
  const char* title;
  int width;  // 96-DPI units; 0 starts the column hidden
};
extern const ComboColumnSpec kComboColumns[kComboColumnCount];

// The text of one cell of row `index` (0 for row 1).
std::string ComboCellText(const ComboRow& row, int index, int column);

// "[Special] Hadou Ken (Surge Fist)   (QCF (D, DR, R) + HP)" for a side.
std::string MoveEntryText(const ComboMove& move, int side);

// A chosen move fills name, kind and sequence; triggers, player and side stay.
void ApplyMoveToRow(ComboRow& row, const MoveList& list, const ComboMove& move);

// What the Sequence box's text becomes as a stored sequence: word notation is
// converted for the side; anything else is kept as typed, except that a "+"
// written with spaces between two buttons ("LP + LK", as the readable form
// shows it) is closed up so that the buttons stay one step. A result longer
// than a row holds is cut after its last whole token and `cut` is set.
std::string SequenceFromTyped(std::string_view typed, int side, bool* cut = nullptr);

// The Sequence box was changed by the user: the row becomes a custom combo.
// True when the sequence had to be cut to fit the row.
bool ApplyTypedSequence(ComboRow& row, std::string_view typed);

// The move a row's name ("Guile: Sonic Boom") stands for: the character's list
// (compared without case) and the move's index in it, or -1; no list when the
// name is not of that form or the character is unknown.
struct RowMove {
  const MoveList* list = nullptr;
  int move = -1;
};
RowMove FindRowMove(std::string_view name);

// The hint line: the move's hint in capitals.
std::string HintLine(std::string_view hint);

// The row a pad button writes into when none is selected: the first with an
// empty sequence, else row 1 (0-based).
int PadTargetRow(const CombosState& state);

// Clear Slot: no name, kind, sequence or triggers; player 1, side Left.
void ClearComboRow(ComboRow& row);

// A Step or Charge box as a number: empty or unreadable text counts as 0.
int32_t TimeBoxValue(std::string_view text);

// Pasted tabs and line breaks would split a sequence in the file: every
// control character becomes a space (one for one, so positions stay).
std::string SpacesForControlCharacters(std::string_view text);
