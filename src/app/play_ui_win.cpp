// Playing from the main window: the checks and boxes before a start, the
// start, the wait for MAME's end and what the window shows then, Stop, and
// the desktop shortcut of the selected game.
#include "app/play_ui_win.h"

#include <windows.h>
#include <commctrl.h>

#include "app/main_menu_ui_win.h"
#include "app/main_window_ui_win.h"
#include "catalogue/game_list_view_ui_win.h"
#include "catalogue/rom_scan.h"
#include "launch/mame_location.h"
#include "launch/play.h"
#include "launch/shortcut.h"
#include "optionsarea/options_area_ui_win.h"
#include "optionsarea/options_pages_ui_win.h"
#include "preview/preview_pane_ui_win.h"
#include "settings/app_state.h"
#include "ui/shell_win.h"

namespace {
void StartGame(const GameEntry& entry, const LaunchRequest* request) {
  MainWindow& m = Main();
  PlayCheck check = CheckPlay(&entry, m.launch.running, HasRoms(entry), true);
  if (check != PlayCheck::kOk) {
    ShowMessage(PlayCheckText(check), "Play", MB_OK | MB_ICONINFORMATION);
    return;
  }
  std::string program;
  if (!LocateMameProgram(program)) {
    ShowMessage(MameNotFoundText(program), "MAME Not Found", MB_OK | MB_ICONWARNING);
    return;
  }
  ApplyOptions();
  AppState& app = App();
  uint32_t error = 0;
  if (!StartPlay(m.launch, app.settings, app.game_settings, m.games, entry, request, error)) {
    ShowMessage(CouldNotStartText(error), "Could Not Start MAME", MB_OK | MB_ICONERROR);
    return;
  }
  SaveSettings(app.settings, app.settings_path);
  RebuildRecentMenu();
  HWND window = m.window;
  StartWaitThread(m.launch, [window] { PostMessageW(window, kMsgMameEnded, 0, 0); });
  RefreshControls();
  RefreshStatus();
  switch (app.settings.on_game_start) {
    case 2:
      PostMessageW(window, WM_CLOSE, 0, 0);  // the launcher saves and exits; MAME goes on
      break;
    case 1:
      HideOptionsWindow();
      ShowWindow(window, SW_MINIMIZE);
      m.launch.minimized_on_start = true;
      break;
  }
}
// Windows lets a program in the background take the foreground only in some
// cases; joined to the input of the window in front for a moment, it may.
void BringToFront(HWND window) {
  SetForegroundWindow(window);
  HWND front = GetForegroundWindow();
  if (front == window || !front) return;
  const DWORD ours = GetCurrentThreadId(), theirs = GetWindowThreadProcessId(front, nullptr);
  if (theirs == ours || !AttachThreadInput(ours, theirs, TRUE)) return;
  SetForegroundWindow(window);
  BringWindowToTop(window);
  AttachThreadInput(ours, theirs, FALSE);
}

// The game is over: the launcher comes back in front, restored when it was
// minimised, with the played row selected and focused, so that Enter (or the
// pad's A) plays it again.
void ComeBackAfterGame(MainWindow& m) {
  m.launch.minimized_on_start = false;
  if (IsIconic(m.window)) ShowWindow(m.window, SW_RESTORE);
  HWND front = DialogOwner();  // the options window when it is up
  BringToFront(front);
  const int rows = ListView_GetItemCount(m.list);
  for (int row = 0; row < rows; ++row) {
    const int index = GameIndexOfRow(m.list, row);
    if (index < 0 || m.games[static_cast<size_t>(index)].number != m.launch.last_game) continue;
    if (!ListView_GetItemState(m.list, row, LVIS_SELECTED)) ListView_SetItemState(m.list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(m.list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(m.list, row, FALSE);
    break;
  }
  if (front == m.window) SetFocus(m.list);
}
}  // namespace

void PlaySelected(const LaunchRequest* request) {
  const GameEntry* entry = SelectedGame();
  if (!entry) {
    ShowMessage(PlayCheckText(PlayCheck::kNoSelection), "Play", MB_OK | MB_ICONINFORMATION);
    return;
  }
  StartGame(*entry, request);
}

void PlayGameNumber(int32_t number, const LaunchRequest* request) {
  const GameEntry* entry = FindGameByNumber(Main().games, number);
  if (entry) StartGame(*entry, request);
}

void StopRunningGame() {
  if (Main().launch.running) StopGame(Main().launch);
}

void OnMameEnded() {
  MainWindow& m = Main();
  // A box or dialog is open: its owner is disabled and a second box would
  // stack on it. The end is reported once the last one has closed.
  if (OpenModalCount() > 0) {
    m.mame_end_waiting = true;
    return;
  }
  MameEndReport report = FinishPlay(m.launch, TickMs());
  if (report.played) {
    RecordPlay(App().played, m.launch.last_game, report.played_ms / 1000, m.launch.started_at);
    ApplyPlayStats(m.games, App().played);
    InvalidateRect(m.list, nullptr, FALSE);
  }
  ComeBackAfterGame(m);
  RefreshControls();
  RefreshStatus();
  PreviewLookAgain();  // a snapshot taken in this run shows at once
  if (report.silent) return;
  ShowTimedStatus(report.status);
  if (report.open_rom_check) {
    PostMessageW(m.window, kMsgOpenRomCheck, 0, 0);
  } else if (report.show_box) {
    ShowMessage(report.box_text, "MAME Ended", MB_OK | MB_ICONWARNING);
  }
}

void CreateDesktopIconForSelection() {
  const GameEntry* entry = SelectedGame();
  if (!entry) {
    ShowMessage(PlayCheckText(PlayCheck::kNoSelection), "Desktop Icon", MB_OK | MB_ICONINFORMATION);
    return;
  }
  ApplyOptions();
  AppState& app = App();
  std::string reason;
  if (CreateDesktopShortcut(app.settings, app.game_settings, Main().games, *entry, reason))
    ShowTimedStatus("Desktop icon created: " + entry->title);
  else
    ShowMessage("Could not create the shortcut:\n" + reason, "Desktop Icon", MB_OK | MB_ICONWARNING);
}
