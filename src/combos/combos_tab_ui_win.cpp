#include "combos/combos_tab_ui_win.h"

#include <algorithm>
#include <string>

#include "base/utf16_win.h"
#include "combos/combo_rows.h"
#include "combos/combo_sequence.h"
#include "combos/combos_editor.h"
#include "combos/combos_pad_ui_win.h"
#include "combos/combos_tab_state_win.h"
#include "combos/combos_tab_texts.h"
#include "combos/move_lists.h"
#include "ui/control_paint_win.h"
#include "ui/shell_win.h"
#include "ui/table_window_ui_win.h"
#include "ui/theme_win.h"
#include "ui/tooltips_win.h"
#include "ui/ui_metrics_win.h"

namespace combos_tab {

CombosTab tab;

ComboRow* SelectedRow() { return tab.row >= 0 && tab.row < kComboRowCount ? &Combos().rows[tab.row] : nullptr; }

HWND Make(const wchar_t* window_class, const std::string& text, DWORD style, int id, DWORD ex_style) {
  HWND control = CreateWindowExW(ex_style, window_class, Utf8ToUtf16(text).c_str(), style | WS_CHILD | WS_VISIBLE,
                                 0, 0, 0, 0, tab.page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 Ui().instance, nullptr);
  SetUiFont(control);
  ThemeControl(control, window_class);
  return control;
}

void AddChoice(HWND box, const std::string& text) {
  SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToUtf16(text).c_str()));
}
int Choice(HWND box) { return static_cast<int>(SendMessageW(box, CB_GETCURSEL, 0, 0)); }
void Choose(HWND box, int index) { SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void SetText(HWND window, const std::string& utf8) { SetWindowTextW(window, Utf8ToUtf16(utf8).c_str()); }
std::string TextOf(HWND window) { return Utf16ToUtf8(WindowText(window)); }

}  // namespace combos_tab

using namespace combos_tab;

namespace {

constexpr int kSequenceBoxChars = 399;  // what the converter reads (bytes of UTF-8)

// A label of a box, which takes an access key.
HWND MakeLabel(const std::string& text) { return Make(L"STATIC", text, SS_LEFT, -1); }
HWND MakeChoice(int id) { return Make(L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, id); }
HWND MakeButton(const std::string& text, int id) { return Make(L"BUTTON", text, BS_PUSHBUTTON | WS_TABSTOP, id); }

// --- Layout -----------------------------------------------------------------

void Place(bool apply, HWND window, int x, int y, int width, int height) {
  if (apply) MoveWindow(window, x, y, width, height, TRUE);
}

// A label and its box on one line.
void PlaceLabelled(bool apply, HWND label, HWND box, int x, int y, int label_width, int box_width, int box_height) {
  Place(apply, label, x, y + S(4), label_width, S(18));
  Place(apply, box, x + label_width + S(4), y, box_width, box_height);
}

// Places every control from the top down for a page `width` wide, the list
// `list_height` high, shifted by `top` (the page's scroll position); returns
// the content height.
int LayoutAt(int width, int top, int list_height, bool apply) {
  const int margin = S(10), inner = std::max(width - 2 * margin, S(kCombosPageLeastWidth - 20)), drop = S(300);
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

void Tip(HWND control, const char* text) { AddTooltip(tab.tips, control, text); }

}  // namespace

void SetCombosMessageTarget(HWND main) { tab.target = main; }

int CreateCombosPage(HWND page) {
  HWND target = tab.target;
  tab = CombosTab{};
  tab.page = page;
  tab.target = target;
  tab.tips = CreateTooltips(page);

  tab.intro = Make(L"STATIC", kCombosIntro, SS_LEFT | SS_NOPREFIX, -1);
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
      if (code == EN_KILLFOCUS) {
        bool step = id == kIdComboStep;
        if (TimeBoxValue(TextOf(step ? tab.step : tab.charge)) != (step ? Combos().step_ms : Combos().charge_ms))
          ShowTimes();
      }
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
