#include "app/pad_navigation_ui_win.h"

#include <windows.h>
#include <commctrl.h>

#include "app/main_window_ui_win.h"
#include "app/menu_state.h"
#include "app/play_ui_win.h"
#include "base/utf16_win.h"
#include "catalogue/game_list_view_ui_win.h"
#include "controls/capture_ui_win.h"
#include "controls/pad_poller_win.h"
#include "settings/app_state.h"
#include "ui/drop_down_win.h"
#include "ui/tab_keys_win.h"

namespace {
constexpr UINT_PTR kPadTimer = 8;
constexpr int kYearColumn = 6;  // grouped by whole years, the others by their first letter

int CommandOf(PadStep step) {
  switch (step) {
    case PadStep::kFavorite: return 207;
    case PadStep::kSearch: return 213;
    case PadStep::kSettings: return 216;
    case PadStep::kPreviousPicture: return kPreviousPictureCommand;
    case PadStep::kNextPicture: return kNextPictureCommand;
    default: return 112;  // Favorites Only
  }
}

PadPoller poller;
UINT period_now = 0;

// A window of the launcher's own thread, not MAME's, another program's, nor
// the filter window's (its own thread, over MAME's picture).
bool LauncherInFront() {
  HWND front = GetForegroundWindow();
  DWORD process = 0;
  return front && GetWindowThreadProcessId(front, &process) == GetCurrentThreadId() &&
         process == GetCurrentProcessId();
}

void PressKey(WORD key) {
  const bool extended = key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT || key == VK_PRIOR ||
                        key == VK_NEXT;
  INPUT input[2] = {};
  for (INPUT& i : input) {
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = key;
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    i.ki.dwFlags = extended ? KEYEVENTF_EXTENDEDKEY : 0;
  }
  input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

bool ClassIs(HWND window, const wchar_t* name) {
  wchar_t found[32] = L"";
  return GetClassNameW(window, found, 32) && !lstrcmpiW(found, name);
}

// A field with spin buttons beside it (made right after it).
bool IsNumberField(HWND edit) {
  HWND spin = GetWindow(edit, GW_HWNDNEXT);
  return spin && ClassIs(spin, UPDOWN_CLASSW) && reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)) == edit;
}

// Tab and Shift+Tab without the keys: a modifier key pressed by the program
// can be let go again by the system's view of the keyboard before the key it
// goes with arrives (so under Wine).
void MoveFocus(HWND front, HWND focus, bool back) {
  HWND root = focus ? GetAncestor(focus, GA_ROOT) : front;
  HWND next = root ? GetNextDlgTabItem(root, focus == root ? nullptr : focus, back) : nullptr;
  if (!next) return;
  // The focus frame shows from now on, as after Tab.
  SendMessageW(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  if (ClassIs(root, L"#32770")) {
    SendMessageW(root, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);  // the dialog manager's own move
    return;
  }
  SetFocus(next);
  if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
}

PadPlace PlaceOf(HWND front, HWND focus) {
  MainWindow& m = Main();
  PadPlace place;
  place.main_window = front == m.window;
  place.has_tabs = TabStripOf(front) != nullptr;
  if (!focus) return place;
  if (focus == m.list) {
    place.focus = PadFocus::kGameList;
  } else if (focus == m.search_edit) {
    place.focus = PadFocus::kSearchBox;
  } else if (ClassIs(focus, L"Edit")) {
    place.focus = IsNumberField(focus) ? PadFocus::kNumberField : PadFocus::kTextField;
  } else if (ClassIs(focus, WC_COMBOBOXW) || IsDropDown(focus)) {
    place.focus = PadFocus::kDropDown;
    place.drop_down_open = SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0) != 0;
  } else if (ClassIs(focus, L"Button")) {
    switch (GetWindowLongW(focus, GWL_STYLE) & BS_TYPEMASK) {
      case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
        place.focus = PadFocus::kCheckBox;
        break;
      case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: place.focus = PadFocus::kOptionButton; break;
      case BS_GROUPBOX: break;
      default: place.focus = PadFocus::kButton;
    }
  } else if (ClassIs(focus, WC_LISTVIEWW)) {
    place.focus = PadFocus::kList;
    const int row = ListView_GetNextItem(focus, -1, LVNI_FOCUSED), count = ListView_GetItemCount(focus);
    place.first_row = count == 0 || row == 0;
    place.last_row = count == 0 || row == count - 1;
  } else if (ClassIs(focus, L"ListBox")) {
    place.focus = PadFocus::kList;
    const auto row = SendMessageW(focus, LB_GETCARETINDEX, 0, 0), count = SendMessageW(focus, LB_GETCOUNT, 0, 0);
    place.first_row = count == 0 || row == 0;
    place.last_row = count == 0 || row == count - 1;
  }
  return place;
}

// Left / right in the game list: the first row of the previous / next group
// of the sorted column (letters, or years).
void LetterJump(HWND list, int direction) {
  const int column = App().settings.sort_column;
  const int rows = ListView_GetItemCount(list);
  std::vector<std::string> keys(static_cast<size_t>(rows > 0 ? rows : 0));
  wchar_t text[260];
  for (int row = 0; row < rows; ++row) {
    text[0] = L'\0';
    ListView_GetItemText(list, row, column, text, 260);
    keys[static_cast<size_t>(row)] = LetterJumpKey(Utf16ToUtf8(text), column == kYearColumn);
  }
  const int current = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  const int row = LetterJumpRow(keys, current, direction);
  if (row < 0 || row == current) return;
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list, row, FALSE);
}

void Perform(PadAction action) {
  MainWindow& m = Main();
  HWND focus = GetFocus();
  const PadStep step = PadStepFor(action, PlaceOf(GetForegroundWindow(), focus));
  switch (step) {
    case PadStep::kNothing: break;
    case PadStep::kUpKey: PressKey(VK_UP); break;
    case PadStep::kDownKey: PressKey(VK_DOWN); break;
    case PadStep::kLeftKey: PressKey(VK_LEFT); break;
    case PadStep::kRightKey: PressKey(VK_RIGHT); break;
    case PadStep::kPageUpKey: PressKey(VK_PRIOR); break;
    case PadStep::kPageDownKey: PressKey(VK_NEXT); break;
    case PadStep::kEnterKey: PressKey(VK_RETURN); break;
    case PadStep::kEscapeKey: PressKey(VK_ESCAPE); break;
    case PadStep::kSpaceKey: PressKey(VK_SPACE); break;
    case PadStep::kPreviousControl:
    case PadStep::kNextControl: MoveFocus(GetForegroundWindow(), focus, step == PadStep::kPreviousControl); break;
    case PadStep::kPreviousTab:
    case PadStep::kNextTab: SwitchTabs(focus ? focus : GetForegroundWindow(), step == PadStep::kPreviousTab); break;
    case PadStep::kPreviousLetter: LetterJump(focus, -1); break;
    case PadStep::kNextLetter: LetterJump(focus, +1); break;
    // The main window's commands as its keys give them (Ctrl+D, Ctrl+F, F9),
    // and Favorites Only, which has no key.
    case PadStep::kFavorite:
    case PadStep::kSearch:
    case PadStep::kSettings:
    case PadStep::kFavoritesOnly:
    case PadStep::kPreviousPicture:
    case PadStep::kNextPicture:
      if (IsWindowEnabled(m.window)) SendMessageW(m.window, WM_COMMAND, CommandOf(step), 0);
      break;
    case PadStep::kEndGame: StopRunningGame(); break;
  }
}

// Until the pads have been read once, one may be there: a press right after
// the start is not to be missed.
bool PadMayBeConnected() { return !poller.memory.primed || poller.memory.connected != 0; }

void CALLBACK PadTick(HWND, UINT, UINT_PTR, DWORD) {
  const Settings& s = App().settings;
  const bool capturing = CaptureDialogOpen();
  PadNavigationMode mode;
  mode.navigate = s.pad_navigation && !capturing && LauncherInFront();
  mode.exit_combo = s.pad_exit_combo && !capturing && Main().launch.running;
  const bool connected_before = PadMayBeConnected();
  for (PadAction action : PollPads(poller, mode)) Perform(action);
  if (PadMayBeConnected() != connected_before) UpdatePadPolling();  // a pad came or went
}
}  // namespace

void UpdatePadPolling() {
  MainWindow& m = Main();
  if (!m.window) return;
  const Settings& s = App().settings;
  const UINT period = PadPollPeriodMs(s.pad_navigation != 0, s.pad_exit_combo != 0, LauncherInFront(), m.launch.running,
                                      PadMayBeConnected());
  if (period == period_now) return;
  period_now = period;
  if (period == 0) {
    KillTimer(m.window, kPadTimer);
    poller.memory.primed = false;  // what is held when it starts again waits for a new press
  } else {
    SetTimer(m.window, kPadTimer, period, PadTick);
  }
}

void StopPadPolling() {
  if (Main().window) KillTimer(Main().window, kPadTimer);
  ClosePadPoller(poller);
  period_now = 0;
}
