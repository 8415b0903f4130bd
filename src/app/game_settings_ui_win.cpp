#include "app/game_settings_ui_win.h"

#include <commctrl.h>

#include <vector>

#include "app/game_settings_form.h"
#include "base/paths.h"
#include "base/utf16_win.h"
#include "settings/app_display_modes_win.h"
#include "settings/app_state.h"
#include "ui/dark_paint_win.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/shell_win.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr wchar_t kPageClass[] = L"KorvoGameSettingsPage";
// Control ids: the choice rows count up from kFirstRowId in GameChoiceRows() order.
constexpr int kFirstRowId = 1001;
constexpr int kBiosId = 1030, kExtraArgumentsId = 1031, kDipSwitchesId = 1032, kResetId = 1033, kTabsId = 1034;

// Rows of the tab pages, in 96-DPI units relative to the page.
constexpr int kRowTop = 14, kRowPitch = 34, kLabelX = 12, kLabelW = 178, kFieldX = 196, kFieldW = 240;

struct GameSettingsWindow {
  ModalDialog d;
  GameSettingsForm form;
  HWND tabs = nullptr, page = nullptr, bios = nullptr, extra = nullptr;
  std::vector<HWND> rows;                   // one list per GameChoiceRows() entry
  std::vector<HWND> on_tab[kGameTabCount];  // what each tab shows
  GameSettings result;                      // what OK or Reset stores
};

// The page covers the tab control's display area so that the rows sit on the
// face colour of the look whatever the tab control paints; it hands its
// controls' messages to the dialog.
LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      return SendMessageW(GetParent(page), message, wparam, lparam);
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(page, &r);
      FillRect(reinterpret_cast<HDC>(wparam), &r, IsDarkTheme() ? FaceBrush() : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
  }
  return DefWindowProcW(page, message, wparam, lparam);
}

bool RegisterPageClass() {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = PageProc;
  wc.hInstance = Ui().instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kPageClass;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The drop-down part grows to the longest entry (BIOS descriptions run long).
void FillList(HWND list, const std::vector<std::string>& items, int selected) {
  HDC dc = GetDC(list);
  HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
  int widest = 0;
  for (const std::string& item : items) {
    std::wstring text = Utf8ToUtf16(item);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SIZE size = {};
    if (GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size) && size.cx > widest)
      widest = size.cx;
  }
  SelectObject(dc, font);
  ReleaseDC(list, dc);
  SendMessageW(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + GetSystemMetrics(SM_CXVSCROLL) + S(10)), 0);
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int ListPosition(HWND list) {
  LRESULT at = SendMessageW(list, CB_GETCURSEL, 0, 0);
  return at == CB_ERR ? 0 : static_cast<int>(at);
}

void ShowTab(GameSettingsWindow& w, int tab) {
  for (int t = 0; t < kGameTabCount; ++t)
    for (HWND control : w.on_tab[t]) ShowWindow(control, t == tab ? SW_SHOW : SW_HIDE);
}

// AddDialogControl places controls on the record's window; this one is the page.
HWND AddToPage(GameSettingsWindow& w, GameSettingsTab tab, const wchar_t* window_class, const std::string& text,
               DWORD style, int x, int y, int width, int height, int id, DWORD ex_style = 0) {
  ModalDialog on_page;
  on_page.window = w.page;
  HWND control = AddDialogControl(on_page, window_class, text, style, x, y, width, height, id, ex_style);
  w.on_tab[tab].push_back(control);
  return control;
}

HWND AddRow(GameSettingsWindow& w, GameSettingsTab tab, int row, const char* label, int id) {
  int y = kRowTop + row * kRowPitch;
  AddToPage(w, tab, L"STATIC", label, SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, kLabelX, y, kLabelW, 24, -1);
  return AddToPage(w, tab, L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kFieldX, y, kFieldW, 320, id);
}

void AddPages(GameSettingsWindow& w, bool can_open_dip_switches) {
  int row_on_tab[kGameTabCount] = {};
  const GameDisplayModes& modes = w.form.modes;
  int id = kFirstRowId;
  for (const GameChoiceRow& row : GameChoiceRows()) {
    HWND list = AddRow(w, row.tab, row_on_tab[row.tab]++, row.label, id++);
    FillList(list, GameChoiceItems(row.list, modes), w.form.choices.*row.field);
    w.rows.push_back(list);
  }
  int& other = row_on_tab[kGameTabOther];
  w.bios = AddRow(w, kGameTabOther, other++, "BIOS", kBiosId);
  FillList(w.bios, BiosChoiceItems(w.form.bios), w.form.bios_position);
  EnableWindow(w.bios, w.form.BiosEnabled());

  int y = kRowTop + other++ * kRowPitch;
  AddToPage(w, kGameTabOther, L"STATIC", "Extra Arguments", SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, kLabelX, y, kLabelW,
            24, -1);
  w.extra = AddToPage(w, kGameTabOther, L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kFieldX, y, kFieldW, 24,
                      kExtraArgumentsId, WS_EX_CLIENTEDGE);
  SendMessageW(w.extra, EM_SETLIMITTEXT, kGameExtraArgumentsSize - 1, 0);
  SetControlText(w.extra, w.form.shown.extra_arguments);

  y = kRowTop + other++ * kRowPitch + 6;
  HWND dip = AddToPage(w, kGameTabOther, L"BUTTON", "DIP Switches\u2026", BS_PUSHBUTTON | WS_TABSTOP, kFieldX, y, 140,
                       26, kDipSwitchesId);
  EnableWindow(dip, can_open_dip_switches);
}

GameSettings ReadChoices(const GameSettingsWindow& w) {
  GameSettingsChoices choices;
  auto rows = GameChoiceRows();
  for (size_t i = 0; i < rows.size(); ++i) choices.*rows[i].field = ListPosition(w.rows[i]);
  choices.extra_arguments = ControlText(w.extra);
  return ReadGameSettingsForm(w.form, choices, ListPosition(w.bios));
}

bool BuildWindow(GameSettingsWindow& w, HWND owner, const GameEntry& entry, bool can_open_dip_switches) {
  if (!RegisterPageClass() || !CreateModalDialog(w.d, owner, kGameSettingsTitle, 480, 392)) return false;
  // Room for three lines: the longest titles wrap.
  AddDialogControl(w.d, L"STATIC", GameSettingsHeading(entry.title), SS_LEFT | SS_NOPREFIX, 12, 6, 456, 48, -1);
  w.tabs = AddDialogControl(w.d, WC_TABCONTROLW, "", WS_CLIPSIBLINGS | WS_TABSTOP, 12, 58, 456, 282, kTabsId);
  for (int t = 0; t < kGameTabCount; ++t) {
    std::wstring name = Utf8ToUtf16(kGameSettingsTabNames[t]);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = name.data();
    TabCtrl_InsertItem(w.tabs, t, &item);
  }
  DarkTabs(w.tabs);
  RECT area;
  GetWindowRect(w.tabs, &area);
  MapWindowPoints(nullptr, w.d.window, reinterpret_cast<POINT*>(&area), 2);
  TabCtrl_AdjustRect(w.tabs, FALSE, &area);
  w.page = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, area.left,
                           area.top, area.right - area.left, area.bottom - area.top, w.d.window, nullptr, Ui().instance,
                           nullptr);
  if (!w.page) return false;
  AddPages(w, can_open_dip_switches);
  AddDialogControl(w.d, L"BUTTON", "Reset", BS_PUSHBUTTON | WS_TABSTOP, 12, 354, 90, 26, kResetId);
  AddDialogControl(w.d, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 282, 354, 90, 26, IDOK);
  AddDialogControl(w.d, L"BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 378, 354, 90, 26, IDCANCEL);
  // Below the page, so that the page gets the clicks and the tab strip does
  // not paint over it; like a property sheet it comes last in the tab order.
  SetWindowPos(w.tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowTab(w, kGameTabGeneral);
  return true;
}

// MAME answers while the user waits (up to 30 s the first time a set is asked).
BiosOptions AskBiosOptions(const std::string& set) {
  HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  BiosOptions options = BiosOptionsOf(GetMachineInfo(set));
  SetCursor(before);
  return options;
}
}  // namespace

bool EditGameSettings(HWND owner, const GameEntry& shown_entry,
                      const std::function<void(HWND dialog, const GameEntry&)>& open_dip_switches) {
  // The main window keeps serving messages while this runs, and a new game
  // list may replace the one the caller's entry lives in.
  const GameEntry entry = shown_entry;
  AppState& app = App();
  GameSettingsWindow w;
  w.form = MakeGameSettingsForm(app.game_settings, entry.number, AppDisplayModes(), AskBiosOptions(entry.set));
  w.d.on_ok = [&w](ModalDialog&) {
    w.result = ReadChoices(w);
    return true;
  };
  w.d.on_command = [&w, &entry, &open_dip_switches](ModalDialog& d, int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    if (id == kResetId) {
      w.result = NewGameSettings(entry.number);
      EndModalDialog(d, 1);
      return true;
    }
    if (id == kDipSwitchesId && open_dip_switches) {
      open_dip_switches(d.window, entry);
      return true;
    }
    return false;
  };
  w.d.on_notify = [&w](ModalDialog&, NMHDR* header, LRESULT*) {
    if (header->hwndFrom != w.tabs || header->code != TCN_SELCHANGE) return false;
    ShowTab(w, TabCtrl_GetCurSel(w.tabs));
    return true;
  };
  if (!BuildWindow(w, owner, entry, static_cast<bool>(open_dip_switches))) {
    if (w.d.window) DestroyWindow(w.d.window);
    return false;
  }
  if (RunModalDialog(w.d) != 1) return false;

  StoreGameSettings(app.game_settings, w.result);
  std::string path = JoinPath(LauncherFolder(), kGameSettingsFileName);
  if (!SaveGameSettings(app.game_settings, path))
    ShowMessage("The game settings could not be written to " + path + ".\n\nThey apply until the launcher is closed.",
                kGameSettingsTitle, MB_OK | MB_ICONWARNING);
  return true;
}
