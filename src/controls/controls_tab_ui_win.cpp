#include "controls/controls_tab_ui_win.h"

#include <shellapi.h>

#include "base/file_system.h"
#include "base/paths.h"
#include "base/utf16_win.h"
#include "controls/capture_ui_win.h"
#include "controls/controls_tab.h"
#include "controls/help_tips_ui_win.h"
#include "controls/input_actions.h"
#include "controls/input_mapping.h"
#include "controls/mapping_files.h"
#include "settings/app_state.h"
#include "ui/shell_win.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"

namespace {
enum {
  kOpenCfgId = 390, kListId = 391, kSetKeyId = 392, kSetPadId = 393, kClearId = 394, kDefaultsId = 395,
  kFirstProfileId = 396, kLastProfileId = 400,
};
constexpr char kChooseFirst[] = "Choose an action in the list first";

constexpr char kHelpText[] =
    "Double-click a key or pad cell, or choose a row and press Set Key / Set Pad. Autofire (buttons 1-6): click the "
    "Autofire cell, or right-click the row; the button then repeats while you hold its key / pad button (needs "
    "MAME's Lua plugins). Every action starts with the launcher's defaults (keys as listed, D-pad and left stick "
    "for directions, buttons X Y RB A B RT, Start / Back), so key and pad work together; setting a D-pad or a "
    "stick for a direction keeps the other one. Defaults restores them. Saved with OK in MAME's cfg\\default.cfg.";

HWND Make(HWND page, const wchar_t* window_class, const std::string& text, DWORD style, int id, DWORD ex = 0) {
  HWND w = CreateWindowExW(ex, window_class, Utf8ToUtf16(text).c_str(), style | WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                           page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Ui().instance, nullptr);
  if (!w) return nullptr;
  SetUiFont(w);
  ThemeControl(w, window_class);
  return w;
}

int ChosenAction() {
  int row = static_cast<int>(SendMessageW(MappingWindows().list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  return ActionOfRow(row);
}

void SelectRow(int row) {
  HWND list = MappingWindows().list;
  LVITEMW state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}

void SetKeyOf(int action) {
  std::string name;
  if (!CaptureKey(DialogOwner(), ActionAt(action).label, name)) return;
  SetBindingKey(TheInputMapping(), action, name);
  RefreshControlsList();
}

void SetPadOf(int action) {
  std::string code;
  if (!CapturePadCode(DialogOwner(), ActionAt(action).label, IsDirection(action), code)) return;
  SetBindingPad(TheInputMapping(), action, code);
  RefreshControlsList();
}

void RunRowCommand(RowCommand command, int action) {
  InputMapping& m = TheInputMapping();
  switch (command) {
    case RowCommand::None: return;
    case RowCommand::SetKey: SetKeyOf(action); return;
    case RowCommand::SetPad: SetPadOf(action); return;
    case RowCommand::ClearKey: ClearBinding(m, action, BindingPart::Key); break;
    case RowCommand::ClearPad: ClearBinding(m, action, BindingPart::Pad); break;
    case RowCommand::ToggleAutofire: SetAutofire(m, action, !HasAutofire(m, action)); break;
  }
  RefreshControlsList();
}

void OpenCfgFolder() {
  const std::string folder = JoinPath(ControlsMameFolder(), "cfg");
  if (!IsFolder(folder)) CreateFolder(folder);
  ShellExecuteW(nullptr, L"open", Utf8ToUtf16(folder).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ResetMapping() {
  if (ShowMessage("Give all the actions of the list back to the default keys and pad buttons?\n\nThe changes are "
                  "written when you press OK.",
                  "Reset Mapping", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  ResetToLauncherDefaults(TheInputMapping());
  RefreshControlsList();
}

// The row and column under a point of the list (client coordinates).
bool CellAt(POINT at, int* row, int* column) {
  LVHITTESTINFO hit = {};
  hit.pt = at;
  if (SendMessageW(MappingWindows().list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0 || hit.iItem < 0)
    return false;
  *row = hit.iItem;
  *column = hit.iSubItem;
  return true;
}

void RowMenu(int action, int column, POINT screen) {
  HMENU menu = CreatePopupMenu();
  std::vector<RowMenuEntry> entries = RowMenuEntries(TheInputMapping(), action, column);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].command == RowCommand::None) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (entries[i].checked ? MF_CHECKED : 0);
    AppendMenuW(menu, flags, i + 1, Utf8ToUtf16(entries[i].label).c_str());
  }
  int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0,
                              GetParent(MappingWindows().list), nullptr);
  DestroyMenu(menu);
  if (chosen > 0 && static_cast<size_t>(chosen) <= entries.size())
    RunRowCommand(entries[static_cast<size_t>(chosen) - 1].command, action);
}

bool ListClick(const NMITEMACTIVATE* click, bool double_click, bool right) {
  int row = -1, column = -1;
  if (!CellAt(click->ptAction, &row, &column)) return false;
  SelectRow(row);
  int action = ActionOfRow(row);
  if (action < 0) return false;
  if (right) {
    POINT screen = click->ptAction;
    ClientToScreen(MappingWindows().list, &screen);
    RowMenu(action, column, screen);
  } else {
    RunRowCommand(CellClickCommand(action, column, double_click), action);
  }
  return true;
}
}  // namespace

ControlsMappingWindows& CreateControlsMappingGroup(HWND page) {
  ControlsMappingWindows& w = MappingWindows();
  w.profile_label = Make(page, L"STATIC", "Profile", SS_LEFT, -1);  // takes an access key
  w.profile = Make(page, WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 396);
  w.save = Make(page, L"BUTTON", "Save", BS_PUSHBUTTON | WS_TABSTOP, 397);
  w.save_as = Make(page, L"BUTTON", "Save As\u2026", BS_PUSHBUTTON | WS_TABSTOP, 398);
  w.rename = Make(page, L"BUTTON", "Rename\u2026", BS_PUSHBUTTON | WS_TABSTOP, 399);
  w.remove = Make(page, L"BUTTON", "Delete", BS_PUSHBUTTON | WS_TABSTOP, 400);
  w.help = Make(page, L"STATIC", kHelpText, SS_LEFT | SS_NOPREFIX, -1);
  SetPropW(w.help, L"dim", reinterpret_cast<HANDLE>(1));
  w.list = Make(page, WC_LISTVIEWW, "", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, kListId,
                WS_EX_CLIENTEDGE);
  SendMessageW(w.list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  const struct {
    const wchar_t* title;
    int width;
  } columns[] = {{L"Action", 110}, {L"Keyboard", 80}, {L"Pad / Joystick", 150}, {L"Autofire", 64}};
  for (int i = 0; i < 4; ++i) {
    LVCOLUMNW c = {};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    c.pszText = const_cast<wchar_t*>(columns[i].title);
    c.cx = S(columns[i].width);
    c.iSubItem = i;
    SendMessageW(w.list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
  }
  for (int i = 0; i < kActionCount; ++i) {
    std::wstring label = Utf8ToUtf16(ActionAt(i).label);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = i;
    item.pszText = label.data();
    item.lParam = i;
    SendMessageW(w.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  w.set_key = Make(page, L"BUTTON", "Set Key\u2026", BS_PUSHBUTTON | WS_TABSTOP, kSetKeyId);
  w.set_pad = Make(page, L"BUTTON", "Set Pad\u2026", BS_PUSHBUTTON | WS_TABSTOP, kSetPadId);
  w.clear = Make(page, L"BUTTON", "Clear", BS_PUSHBUTTON | WS_TABSTOP, kClearId);
  w.defaults = Make(page, L"BUTTON", "Defaults", BS_PUSHBUTTON | WS_TABSTOP, kDefaultsId);
  w.open_cfg = Make(page, L"BUTTON", "Open MAME's Cfg Folder", BS_PUSHBUTTON | WS_TABSTOP, kOpenCfgId);

  AddTitledTooltip(w.set_key, "Set Key\u2026",
                   "Press the key you want for the chosen action (Esc cancels, Delete leaves the action without a "
                   "key). Also: double-click the Keyboard cell.");
  AddTitledTooltip(w.set_pad, "Set Pad\u2026",
                   "Press a button (or move the D-pad or stick, for a direction) of the pad or stick you want for "
                   "the chosen action. XInput pads (Xbox) and other pads and arcade sticks are found. Pad Number: "
                   "Automatic uses the pad that was pressed; if MAME numbers your pads differently, pick the "
                   "number. Also: double-click the Pad cell.");
  AddTitledTooltip(w.clear, "Clear Binding",
                   "Takes the key and the pad button off the chosen action: it then does nothing until you set one.");
  AddTitledTooltip(w.profile, "Profile",
                   "Mappings you saved under a name. Choosing one loads it into the list below; press OK to write "
                   "it to MAME.");
  AddTitledTooltip(w.save, "Save Profile", "Saves the mapping of the list into the chosen profile.");
  AddTitledTooltip(w.save_as, "Save As",
                   "Saves the mapping of the list as a new profile (or replaces one with the same name).");
  AddTitledTooltip(w.rename, "Rename Profile", "Gives the chosen profile another name.");
  AddTitledTooltip(w.remove, "Delete Profile", "Deletes the chosen profile. The list keeps its mapping.");
  return w;
}

void FillControlsMappingGroup() {
  RefreshProfileList(App().settings.controls_profile);
  RefreshControlsList();
}

void RefreshControlsList() {
  RefreshMappingCells();
  UpdateProfileButtons();
}

void ControlsTabCommand(int id, int code, HWND) {
  if (id >= kFirstProfileId && id <= kLastProfileId) {
    ProfileRowCommand(id, code);
    return;
  }
  if (code != BN_CLICKED) return;
  if (id == kOpenCfgId) {
    OpenCfgFolder();
    return;
  }
  if (id == kDefaultsId) {
    ResetMapping();
    return;
  }
  if (id != kSetKeyId && id != kSetPadId && id != kClearId) return;
  int action = ChosenAction();
  if (action < 0) {
    ShowStatus(kChooseFirst);
    return;
  }
  if (id == kSetKeyId) SetKeyOf(action);
  if (id == kSetPadId) SetPadOf(action);
  if (id == kClearId) {
    ClearBinding(TheInputMapping(), action, BindingPart::Key);
    ClearBinding(TheInputMapping(), action, BindingPart::Pad);
    RefreshControlsList();
  }
}

bool ControlsTabNotify(NMHDR* header, LRESULT* result) {
  if (!header || header->hwndFrom != MappingWindows().list) return false;
  *result = 0;
  const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
  switch (header->code) {
    case NM_CLICK: ListClick(click, false, false); return true;
    case NM_DBLCLK: ListClick(click, true, false); return true;
    case NM_RCLICK: ListClick(click, false, true); return true;
  }
  return false;
}
