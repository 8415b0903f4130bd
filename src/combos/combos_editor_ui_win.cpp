// The Combos tab's editor: Character and Move boxes, the Sequence box and
// its pad, Plays For and Player Side, the Step and Charge boxes.
#include <algorithm>
#include <string>

#include "base/utf16_win.h"
#include "combos/combo_rows.h"
#include "combos/combo_sequence.h"
#include "combos/combos_editor.h"
#include "combos/combos_tab_state_win.h"
#include "combos/move_lists.h"
#include "combos/sequence_pad.h"
#include "ui/control_paint_win.h"
#include "ui/shell_win.h"

namespace combos_tab {

void ShowTimes() {
  Filling filling;
  SetText(tab.step, std::to_string(Combos().step_ms));
  SetText(tab.charge, std::to_string(Combos().charge_ms));
}

void TakeTimes() {
  if (!IsWindow(tab.step)) return;
  TakeComboTimes(Combos(), TimeBoxValue(TextOf(tab.step)), TimeBoxValue(TextOf(tab.charge)));
}

namespace {
void GetSelection(HWND edit, DWORD& start, DWORD& end) {
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
}
}  // namespace

int RowSide() {
  const ComboRow* row = SelectedRow();
  return row ? row->side : kComboSideLeft;
}

// The Move box for the Character box's list, readable for `side`, with `chosen` selected.
void FillMoveBox(int side, int chosen) {
  Filling filling;
  SendMessageW(tab.move, CB_RESETCONTENT, 0, 0);
  int list_index = Choice(tab.character);
  auto lists = AllMoveLists();
  if (list_index >= 0 && list_index < static_cast<int>(lists.size()))
    for (const ComboMove& move : lists[list_index].moves) AddChoice(tab.move, MoveEntryText(move, side));
  Choose(tab.move, chosen);
}

namespace {
// The row's sequence in the Sequence box, readable for its side, with the
// caret after its end, where the pad's next button or Del goes on from.
void ShowSequence(const ComboRow& row) {
  Filling filling;
  std::wstring text = Utf8ToUtf16(FormatComboSequence(row.seq, row.side, kReadableSize));
  SetWindowTextW(tab.sequence, text.c_str());
  SendMessageW(tab.sequence, EM_SETSEL, text.size(), text.size());
}
}  // namespace

// Shows the selected row in the editor; without one the Sequence box and the
// hint line are empty.
void FillEditor() {
  Filling filling;
  const ComboRow* row = SelectedRow();
  if (!row) {
    SetText(tab.sequence, "");
    SetText(tab.hint, "");
    Choose(tab.move, -1);
    return;
  }
  ShowSequence(*row);
  Choose(tab.plays_for, row->player == 2 ? 1 : 0);
  Choose(tab.side, row->side == kComboSideRight ? 1 : 0);
  RowMove found = FindRowMove(row->name);
  std::string hint;
  if (found.list) {
    Choose(tab.character, static_cast<int>(found.list - AllMoveLists().data()));
    if (found.move >= 0) hint = HintLine(found.list->moves[found.move].hint);
  }
  FillMoveBox(row->side, found.move);
  SetText(tab.hint, hint);
}

// The Sequence box's text becomes the row's sequence (a user's change only).
void TakeSequenceBox() {
  if (!SelectedRow()) {
    // Typing with no row chosen writes into the first free row, keeping what was typed.
    std::wstring typed = WindowText(tab.sequence);
    DWORD start = 0, end = 0;
    GetSelection(tab.sequence, start, end);
    SelectRow(PadTargetRow(Combos()));
    Filling filling;
    SetWindowTextW(tab.sequence, typed.c_str());
    SendMessageW(tab.sequence, EM_SETSEL, start, end);
  }
  std::wstring text = WindowText(tab.sequence);
  std::string utf8 = Utf16ToUtf8(text), clean = SpacesForControlCharacters(utf8);
  if (clean != utf8) {
    // Pasted tabs or line breaks: the box shows the spaces the row will hold.
    DWORD start = 0, end = 0;
    GetSelection(tab.sequence, start, end);
    Filling filling;
    SetText(tab.sequence, clean);
    SendMessageW(tab.sequence, EM_SETSEL, start, end);
  }
  if (ApplyTypedSequence(*SelectedRow(), clean))
    ShowStatus("The sequence is longer than a combo can hold: its last steps are left out");
  Filling filling;
  SetText(tab.hint, "");
  Choose(tab.move, -1);
  RefreshList();
}

void PressPad(const char* token) {
  if (!SelectedRow()) SelectRow(PadTargetRow(Combos()));
  std::wstring text = WindowText(tab.sequence);
  DWORD start = 0, end = 0;
  GetSelection(tab.sequence, start, end);
  start = std::min<DWORD>(start, static_cast<DWORD>(text.size()));
  end = std::min<DWORD>(end, static_cast<DWORD>(text.size()));
  std::string utf8 = Utf16ToUtf8(text);
  size_t from = Utf16ToUtf8(std::wstring_view(text).substr(0, start)).size();
  size_t to = Utf16ToUtf8(std::wstring_view(text).substr(0, end)).size();
  PadEdit edit = std::string(token) == "Del" ? PadDelete(utf8, from, to) : PadInsert(utf8, from, to, token);
  std::wstring result = Utf8ToUtf16(edit.text);
  DWORD caret = static_cast<DWORD>(Utf8ToUtf16(std::string_view(edit.text).substr(0, edit.caret)).size());
  {
    Filling filling;
    SetWindowTextW(tab.sequence, result.c_str());
  }
  SendMessageW(tab.sequence, EM_SETSEL, caret, caret);
  SetFocus(tab.sequence);
  if (result != text) TakeSequenceBox();
}

void LoadCharacter() {
  int index = Choice(tab.load);
  auto lists = AllMoveLists();
  if (index < 0 || index + 1 >= static_cast<int>(lists.size())) return;
  LoadCharacterMoves(lists[index + 1].character);
  RefreshList();
  SelectRow(0);
  Filling filling;
  Choose(tab.load, -1);
}

void ChooseMove() {
  ComboRow* row = SelectedRow();
  int list_index = Choice(tab.character), move_index = Choice(tab.move);
  auto lists = AllMoveLists();
  if (!row || list_index < 0 || list_index >= static_cast<int>(lists.size()) || move_index < 0 ||
      move_index >= static_cast<int>(lists[list_index].moves.size())) {
    Filling filling;
    Choose(tab.move, -1);  // no row to put it in
    return;
  }
  const ComboMove& move = lists[list_index].moves[move_index];
  ApplyMoveToRow(*row, lists[list_index], move);
  ShowSequence(*row);
  Filling filling;
  SetText(tab.hint, HintLine(move.hint));
  RefreshList();
}

void ChangeSide() {
  ComboRow* row = SelectedRow();
  if (!row) return;
  row->side = Choice(tab.side) == 1 ? kComboSideRight : kComboSideLeft;
  ShowSequence(*row);
  FillMoveBox(row->side, Choice(tab.move));
  RefreshList();
}

}  // namespace combos_tab
