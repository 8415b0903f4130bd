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

namespace {
constexpr UINT_PTR kPadTimer = 8;
constexpr int kYearColumn = 6;  // grouped by whole years, the others by their first letter
constexpr int kFavoritesOnlyCommand = 112;

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

void PressKey(WORD key, bool ctrl) {
  const bool extended = key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT || key == VK_PRIOR ||
                        key == VK_NEXT;
  INPUT input[4] = {};
  UINT count = 0;
  auto add = [&](WORD vk, bool up, bool ext) {
    INPUT& i = input[count++];
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    i.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (ext ? KEYEVENTF_EXTENDEDKEY : 0);
  };
  if (ctrl) add(VK_CONTROL, false, false);
  add(key, false, extended);
  add(key, true, extended);
  if (ctrl) add(VK_CONTROL, true, false);
  SendInput(count, input, sizeof(INPUT));
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
  switch (action) {
    case PadAction::kUp: PressKey(VK_UP, false); break;
    case PadAction::kDown: PressKey(VK_DOWN, false); break;
    case PadAction::kPageUp: PressKey(VK_PRIOR, false); break;
    case PadAction::kPageDown: PressKey(VK_NEXT, false); break;
    case PadAction::kLeft:
    case PadAction::kRight:
      if (GetFocus() == m.list)
        LetterJump(m.list, action == PadAction::kLeft ? -1 : +1);
      else
        PressKey(action == PadAction::kLeft ? VK_LEFT : VK_RIGHT, false);
      break;
    case PadAction::kAccept: PressKey(VK_RETURN, false); break;
    case PadAction::kCancel: PressKey(VK_ESCAPE, false); break;
    case PadAction::kFavorite: PressKey('D', true); break;
    case PadAction::kSearch: PressKey('F', true); break;
    case PadAction::kSettings: PressKey(VK_F9, false); break;
    case PadAction::kFavoritesOnly:
      // No key stands for it: the toolbar button, when a click could reach it.
      if (GetForegroundWindow() == m.window && IsWindowEnabled(m.window))
        SendMessageW(m.window, WM_COMMAND, kFavoritesOnlyCommand, 0);
      break;
    case PadAction::kPreviousPicture:
    case PadAction::kNextPicture:
      if (GetForegroundWindow() == m.window && IsWindowEnabled(m.window))
        SendMessageW(m.window, WM_COMMAND,
                     action == PadAction::kNextPicture ? kNextPictureCommand : kPreviousPictureCommand, 0);
      break;
    case PadAction::kEndGame: StopRunningGame(); break;
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
