#include "combos/combos_tab_ui_win.h"

#include <algorithm>
#include <string>

#include "base/utf16_win.h"
#include "combos/combo_rows.h"
#include "combos/combo_sequence.h"
#include "combos/combos_editor.h"
#include "combos/combos_pad_ui_win.h"
#include "combos/combos_tab_texts.h"
#include "combos/move_lists.h"
#include "combos/sequence_pad.h"
#include "controls/capture_ui_win.h"
#include "ui/shell_win.h"
#include "ui/table_window_ui_win.h"
#include "ui/text_prompt_ui_win.h"
#include "ui/theme_win.h"
#include "ui/tooltips_win.h"
#include "ui/ui_metrics_win.h"

namespace {

constexpr int kSequenceBoxChars = 399;  // what the converter reads (bytes of UTF-8)
constexpr size_t kReadableSize = 400;

struct CombosTab {
  HWND page = nullptr, target = nullptr, tips = nullptr;
  HWND intro = nullptr, how = nullptr, legend = nullptr;
  HWND step_label = nullptr, step = nullptr, charge_label = nullptr, charge = nullptr;
  HWND load_label = nullptr, load = nullptr, list = nullptr;
  HWND character_label = nullptr, character = nullptr, move_label = nullptr, move = nullptr;
  HWND sequence_label = nullptr, sequence = nullptr;
  HWND plays_for_label = nullptr, plays_for = nullptr, side_label = nullptr, side = nullptr;
  HWND clear = nullptr, defaults = nullptr, hint = nullptr;
  int row = -1;          // the selected row, or -1
  bool filling = false;  // the program is filling the boxes: their changes are not edits
};
CombosTab tab;

// Marks the boxes as being filled by the program for the lifetime of the object.
class Filling {
 public:
  Filling() : was_(tab.filling) { tab.filling = true; }
  ~Filling() { tab.filling = was_; }

 private:
  bool was_;
};

ComboRow* SelectedRow() { return tab.row >= 0 && tab.row < kComboRowCount ? &Combos().rows[tab.row] : nullptr; }

HWND Make(const wchar_t* window_class, const std::string& text, DWORD style, int id, DWORD ex_style = 0) {
  HWND control = CreateWindowExW(ex_style, window_class, Utf8ToUtf16(text).c_str(), style | WS_CHILD | WS_VISIBLE,
                                 0, 0, 0, 0, tab.page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 Ui().instance, nullptr);
  SetUiFont(control);
  ThemeControl(control, window_class);
  return control;
}
HWND MakeLabel(const std::string& text) { return Make(L"STATIC", text, SS_LEFT | SS_NOPREFIX, -1); }
HWND MakeChoice(int id) { return Make(L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, id); }
HWND MakeButton(const std::string& text, int id) { return Make(L"BUTTON", text, BS_PUSHBUTTON | WS_TABSTOP, id); }

void AddChoice(HWND box, const std::string& text) {
  SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToUtf16(text).c_str()));
}
int Choice(HWND box) { return static_cast<int>(SendMessageW(box, CB_GETCURSEL, 0, 0)); }
void Choose(HWND box, int index) { SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}
void SetText(HWND window, const std::string& utf8) { SetWindowTextW(window, Utf8ToUtf16(utf8).c_str()); }

// --- Layout -----------------------------------------------------------------

void Place(bool apply, HWND window, int x, int y, int width, int height) {
  if (apply) MoveWindow(window, x, y, width, height, TRUE);
}

// A label and its box on one line; returns the box's left edge.
int PlaceLabelled(bool apply, HWND label, HWND box, int x, int y, int label_width, int box_width, int box_height) {
  Place(apply, label, x, y + S(4), label_width, S(18));
  Place(apply, box, x + label_width + S(4), y, box_width, box_height);
  return x + label_width + S(4);
}

// Places every control from the top down for a page `width` wide, the list
// `list_height` high, shifted by `top` (the page's scroll position); returns
// the content height.
int LayoutAt(int width, int top, int list_height, bool apply) {
  const int margin = S(10), inner = std::max(width - 2 * margin, S(420)), drop = S(300);
  int y = top + S(8);
  const int how_w = S(96), legend_w = S(70);
  Place(apply, tab.legend, margin + inner - legend_w, y, legend_w, S(26));
  Place(apply, tab.how, margin + inner - legend_w - S(6) - how_w, y, how_w, S(26));
  Place(apply, tab.intro, margin, y, inner - how_w - legend_w - S(18), S(48));
  y += S(52);
  PlaceLabelled(apply, tab.step_label, tab.step, margin, y, S(58), S(56), S(23));
  PlaceLabelled(apply, tab.charge_label, tab.charge, margin + S(136), y, S(70), S(56), S(23));
  y += S(29);
  PlaceLabelled(apply, tab.load_label, tab.load, margin, y, S(96), S(220), drop);
  y += S(31);
  Place(apply, tab.list, margin, y, inner, list_height);
  y += list_height + S(8);
  const int label_w = S(70), box_w = inner - label_w - S(4);
  PlaceLabelled(apply, tab.character_label, tab.character, margin, y, label_w, box_w, drop);
  y += S(28);
  PlaceLabelled(apply, tab.move_label, tab.move, margin, y, label_w, box_w, drop);
  y += S(28);
  PlaceLabelled(apply, tab.sequence_label, tab.sequence, margin, y, label_w, box_w, S(23));
  y += S(30);
  y += LayoutPadButtons(margin, y, inner, apply) + S(8);
  PlaceLabelled(apply, tab.plays_for_label, tab.plays_for, margin, y, S(62), S(110), drop);
  PlaceLabelled(apply, tab.side_label, tab.side, margin + inner / 2, y, S(70), S(110), drop);
  y += S(31);
  Place(apply, tab.clear, margin, y, S(90), S(26));
  Place(apply, tab.defaults, margin + inner - S(90), y, S(90), S(26));
  y += S(32);
  Place(apply, tab.hint, margin, y, inner, S(20));
  y += S(28);
  return y - top;
}

void Layout() {
  RECT client;
  GetClientRect(tab.page, &client);
  const int fixed = LayoutAt(client.right, 0, 0, false);
  const int list_height = std::max<int>(S(80), client.bottom - fixed);
  LayoutAt(client.right, -GetScrollPos(tab.page, SB_VERT), list_height, true);
}

// --- Showing rows -------------------------------------------------------------

void RefreshList() {
  const CombosState& state = Combos();
  for (int i = 0; i < kComboRowCount; ++i) {
    for (int column = 0; column < kComboColumnCount; ++column) {
      std::wstring text = Utf8ToUtf16(ComboCellText(state.rows[i], i, column));
      LVITEMW item = {};
      item.iSubItem = column;
      item.pszText = text.data();
      SendMessageW(tab.list, LVM_SETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
  }
}

void ShowTimes() {
  Filling filling;
  SetText(tab.step, std::to_string(Combos().step_ms));
  SetText(tab.charge, std::to_string(Combos().charge_ms));
}

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

// Shows a row in the editor; -1 empties the Sequence box and the hint line.
void FillEditor() {
  Filling filling;
  const ComboRow* row = SelectedRow();
  if (!row) {
    SetText(tab.sequence, "");
    SetText(tab.hint, "");
    Choose(tab.move, -1);
    return;
  }
  SetText(tab.sequence, FormatComboSequence(row->seq, row->side, kReadableSize));
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

int ListSelection() { return static_cast<int>(SendMessageW(tab.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }

void SelectRow(int row) {
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = 0;
  SendMessageW(tab.list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  if (row >= 0) {
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(tab.list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(tab.list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  }
  tab.row = row;
  FillEditor();
}

// --- Edits --------------------------------------------------------------------

// The Sequence box's text becomes the row's sequence (a user's change only).
void TakeSequenceBox() {
  if (!SelectedRow()) {
    // Typing with no row chosen writes into the first free row, keeping what was typed.
    std::wstring typed = WindowText(tab.sequence);
    DWORD start = 0, end = 0;
    SendMessageW(tab.sequence, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
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
    SendMessageW(tab.sequence, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
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
  SendMessageW(tab.sequence, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
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

void TakeTimes() {
  if (!IsWindow(tab.step)) return;
  TakeComboTimes(Combos(), TimeBoxValue(Utf16ToUtf8(WindowText(tab.step))),
                 TimeBoxValue(Utf16ToUtf8(WindowText(tab.charge))));
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
  Filling filling;
  SetText(tab.sequence, FormatComboSequence(row->seq, row->side, kReadableSize));
  SetText(tab.hint, HintLine(move.hint));
  RefreshList();
}

void ChangeSide() {
  ComboRow* row = SelectedRow();
  if (!row) return;
  row->side = Choice(tab.side) == 1 ? kComboSideRight : kComboSideLeft;
  Filling filling;
  SetText(tab.sequence, FormatComboSequence(row->seq, row->side, kReadableSize));
  FillMoveBox(row->side, Choice(tab.move));
  RefreshList();
}

void AskDefaults() {
  if (ShowMessage(kCombosDefaultsQuestion, "Combo Defaults", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  ResetCombos();
  ShowTimes();
  RefreshList();
  SelectRow(-1);
}

void ShowLegend() {
  TableRows rows(ComboLegendRows().begin(), ComboLegendRows().end());
  ShowTableWindow(DialogOwner(), "Legend", {"Short Name", 120}, {"Meaning", 470}, rows);
}

void AskCapture(int row, int kind) {
  WPARAM what = static_cast<WPARAM>(row) | (static_cast<WPARAM>(kind) << 16);
  if (tab.target)
    PostMessageW(tab.target, kComboTriggerMessage, what, 0);
  else
    CaptureComboTrigger(DialogOwner(), row, kind);
}

// --- List mouse ---------------------------------------------------------------

// The row and column under a list notification's point; false off the rows.
bool HitCell(const NMITEMACTIVATE* activate, int& row, int& column) {
  LVHITTESTINFO hit = {};
  hit.pt = activate->ptAction;
  SendMessageW(tab.list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  row = hit.iItem;
  column = hit.iSubItem;
  return row >= 0 && row < kComboRowCount && (hit.flags & LVHT_ONITEM);
}

int TriggerKind(int column) {
  if (column == kComboColumnKeyboard) return kComboTriggerKey;
  if (column == kComboColumnPad) return kComboTriggerPad;
  return 0;
}

void TriggerMenu(int row, int kind) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"Set\u2026");
  AppendMenuW(menu, MF_STRING, 2, L"Clear");
  POINT at;
  GetCursorPos(&at);
  int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, tab.page, nullptr);
  DestroyMenu(menu);
  if (chosen == 1) AskCapture(row, kind);
  if (chosen == 2) {
    ComboRow& combo = Combos().rows[row];
    (kind == kComboTriggerKey ? combo.key : combo.pad).clear();
    RefreshList();
  }
}

void Rename(int row) {
  std::string name = Combos().rows[row].name;
  if (!TextPrompt(DialogOwner(), "Rename Combo", "Name of this combo:", name, static_cast<int>(kComboNameSize)))
    return;
  Combos().rows[row].name = CutToField(name, kComboNameSize);
  RefreshList();
  if (row == tab.row) FillEditor();
}

void CreateList() {
  tab.list = Make(WC_LISTVIEWW, "",
                  LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP, kIdComboList,
                  WS_EX_CLIENTEDGE);
  SendMessageW(tab.list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  for (int column = 0; column < kComboColumnCount; ++column) {
    std::wstring title = Utf8ToUtf16(kComboColumns[column].title);
    LVCOLUMNW c = {};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    c.pszText = title.data();
    c.cx = S(kComboColumns[column].width);
    c.iSubItem = column;
    SendMessageW(tab.list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
  }
  for (int i = 0; i < kComboRowCount; ++i) {
    std::wstring number = std::to_wstring(i + 1);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = number.data();
    SendMessageW(tab.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}

void Tip(HWND control, const char* text) { AddTooltip(tab.tips, control, text); }

}  // namespace

void SetCombosMessageTarget(HWND main) { tab.target = main; }

int CreateCombosPage(HWND page) {
  HWND target = tab.target;
  tab = CombosTab{};
  tab.page = page;
  tab.target = target;
  tab.tips = CreateTooltips(page);

  tab.intro = MakeLabel(kCombosIntro);
  tab.how = MakeButton("How It Works", kIdComboHowItWorks);
  tab.legend = MakeButton("Legend", kIdComboLegend);
  tab.step_label = MakeLabel("Step (ms)");
  tab.step = Make(L"EDIT", "", ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, kIdComboStep, WS_EX_CLIENTEDGE);
  tab.charge_label = MakeLabel("Charge (ms)");
  tab.charge = Make(L"EDIT", "", ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, kIdComboCharge, WS_EX_CLIENTEDGE);
  SendMessageW(tab.step, EM_SETLIMITTEXT, 3, 0);
  SendMessageW(tab.charge, EM_SETLIMITTEXT, 4, 0);
  tab.load_label = MakeLabel("Load Character");
  tab.load = MakeChoice(kIdComboLoadCharacter);
  CreateList();
  tab.character_label = MakeLabel("Character");
  tab.character = MakeChoice(kIdComboCharacter);
  tab.move_label = MakeLabel("Move");
  tab.move = MakeChoice(kIdComboMove);
  tab.sequence_label = MakeLabel("Sequence");
  tab.sequence = Make(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kIdComboSequence, WS_EX_CLIENTEDGE);
  SendMessageW(tab.sequence, EM_SETLIMITTEXT, kSequenceBoxChars, 0);
  CreatePadButtons(page, tab.tips);
  tab.plays_for_label = MakeLabel("Plays For");
  tab.plays_for = MakeChoice(kIdComboPlaysFor);
  tab.side_label = MakeLabel("Player Side");
  tab.side = MakeChoice(kIdComboPlayerSide);
  tab.clear = MakeButton("Clear Slot", kIdComboClearSlot);
  tab.defaults = MakeButton("Defaults", kIdComboDefaults);
  tab.hint = Make(L"STATIC", "", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kIdComboHint);

  auto lists = AllMoveLists();
  for (size_t i = 0; i < lists.size(); ++i) {
    AddChoice(tab.character, lists[i].character);
    if (i > 0) AddChoice(tab.load, lists[i].character);
  }
  SendMessageW(tab.move, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(S(560)), 0);
  SendMessageW(tab.load, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(S(240)), 0);
  AddChoice(tab.plays_for, "Player 1");
  AddChoice(tab.plays_for, "Player 2");
  AddChoice(tab.side, "Left");
  AddChoice(tab.side, "Right");
  {
    Filling filling;
    Choose(tab.character, 0);
    Choose(tab.plays_for, 0);
    Choose(tab.side, 0);
  }
  FillMoveBox(kComboSideLeft, -1);

  Tip(tab.legend, kTipLegend);
  Tip(tab.how, kTipHowItWorks);
  Tip(tab.step, kTipStep);
  Tip(tab.charge, kTipCharge);
  Tip(tab.load, kTipLoadCharacter);
  Tip(tab.character, kTipCharacter);
  Tip(tab.move, kTipMove);
  Tip(tab.sequence, kTipSequence);
  Tip(tab.plays_for, kTipPlaysFor);
  Tip(tab.side, kTipPlayerSide);
  Tip(tab.defaults, kTipDefaults);

  CombosTabHooks hooks;
  hooks.take_times = TakeTimes;
  hooks.show_loaded = FillCombosPage;
  SetCombosTabHooks(hooks);
  LoadCombos();  // shows the rows through the hook
  Layout();
  RECT client;
  GetClientRect(page, &client);
  return LayoutAt(client.right, 0, S(80), false);
}

void FillCombosPage() {
  if (!IsWindow(tab.list)) return;
  ShowTimes();
  RefreshList();
  FillEditor();
}

void CancelCombosPage() { LoadCombos(); }

void CombosTabCommand(int id, int code, HWND control) {
  if (tab.filling || !IsWindow(tab.page)) return;
  if (const char* token = PadButtonToken(id)) {
    if (code == BN_CLICKED) PressPad(token);
    return;
  }
  ComboRow* row = SelectedRow();
  switch (id) {
    case kIdComboHowItWorks:
      if (code == BN_CLICKED) ShowMessage(HowCombosWorkText(), "How Combos Work", MB_OK | MB_ICONINFORMATION);
      break;
    case kIdComboLegend:
      if (code == BN_CLICKED) ShowLegend();
      break;
    case kIdComboStep:
    case kIdComboCharge:
      if (code == EN_CHANGE) TakeTimes();
      // Leaving a box with a value out of range shows the value in force again.
      if (code == EN_KILLFOCUS &&
          TimeBoxValue(Utf16ToUtf8(WindowText(control))) !=
              (id == kIdComboStep ? Combos().step_ms : Combos().charge_ms))
        ShowTimes();
      break;
    case kIdComboLoadCharacter:
      if (code == CBN_SELCHANGE) LoadCharacter();
      break;
    case kIdComboCharacter:
      if (code == CBN_SELCHANGE) FillMoveBox(RowSide(), -1);
      break;
    case kIdComboMove:
      if (code == CBN_SELCHANGE) ChooseMove();
      break;
    case kIdComboSequence:
      if (code == EN_CHANGE) TakeSequenceBox();
      break;
    case kIdComboPlaysFor:
      if (code == CBN_SELCHANGE && row) {
        row->player = Choice(tab.plays_for) == 1 ? 2 : 1;
        RefreshList();
      }
      break;
    case kIdComboPlayerSide:
      if (code == CBN_SELCHANGE) ChangeSide();
      break;
    case kIdComboClearSlot:
      if (code == BN_CLICKED && row) {
        ClearComboRow(*row);
        RefreshList();
        FillEditor();
      }
      break;
    case kIdComboDefaults:
      if (code == BN_CLICKED) AskDefaults();
      break;
  }
}

bool CombosTabNotify(NMHDR* header, LRESULT* result) {
  if (!header || !tab.list || header->hwndFrom != tab.list) return false;
  *result = 0;
  int row = -1, column = -1;
  switch (header->code) {
    case LVN_ITEMCHANGED: {
      auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if (!(change->uChanged & LVIF_STATE) || ((change->uOldState ^ change->uNewState) & LVIS_SELECTED) == 0)
        return true;
      int selected = ListSelection();
      if (selected != tab.row) {
        tab.row = selected;
        FillEditor();
      }
      return true;
    }
    case NM_CLICK:
      if (HitCell(reinterpret_cast<NMITEMACTIVATE*>(header), row, column) && TriggerKind(column)) {
        SelectRow(row);
        AskCapture(row, TriggerKind(column));
      }
      return true;
    case NM_RCLICK:
      if (HitCell(reinterpret_cast<NMITEMACTIVATE*>(header), row, column) && TriggerKind(column)) {
        SelectRow(row);
        TriggerMenu(row, TriggerKind(column));
      }
      return true;
    case NM_DBLCLK:
      if (HitCell(reinterpret_cast<NMITEMACTIVATE*>(header), row, column) && column == kComboColumnName)
        Rename(row);
      return true;
  }
  return false;
}

void CaptureComboTrigger(HWND owner, int row, int kind) {
  if (row < 0 || row >= kComboRowCount || (kind != kComboTriggerKey && kind != kComboTriggerPad)) return;
  std::string label = "Combo " + std::to_string(row + 1) + " Trigger", code;
  ComboRow& combo = Combos().rows[row];
  if (kind == kComboTriggerKey) {
    if (!CaptureKey(owner, label, code)) return;
    combo.key = CutToField(code, kComboKeySize);
  } else {
    if (!CapturePadCode(owner, label, false, code)) return;
    combo.pad = CutToField(code, kComboPadSize);
  }
  RefreshList();
}

bool CombosPageMessage(HWND page, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  if (page != tab.page || !page) return false;
  switch (message) {
    case WM_SIZE:
      Layout();
      return false;  // the page's own handling (scrolling) runs as well
    case WM_DRAWITEM:
      if (DrawPadButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam))) {
        *result = TRUE;
        return true;
      }
      return false;
  }
  return false;
}
