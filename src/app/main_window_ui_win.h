// The main window ("KorvoMain"): the game list with its search and filter
// bars, the toolbar, the status bar and, in Classic Layout, the options area.
//
// How the pieces fit:
//   main_window_ui_win.cpp    the window procedure, creation, layout, timers, closing
//   main_menu_ui_win.cpp      menu bar, accelerators, menu ticks, recent games, context menus
//   main_commands_ui_win.cpp  the command dispatch table (one line per command range)
//   game_list_ui_win.cpp      loading, filters, search, refill, list notifications
//   play_ui_win.cpp           Play, Stop, the end of MAME, Create Desktop Icon
//   options_area_ui_win.cpp   the tabbed options area and the separate options window
// A new window of another module needs only its line in the dispatch table.
#pragma once
#include <windows.h>

#include <string>

#include "app/main_layout.h"
#include "catalogue/game_filter.h"
#include "catalogue/game_table.h"
#include "launch/play.h"

// Application messages of the main window.
constexpr UINT kMsgNewGameList = WM_APP + 1;   // lparam: GameListBlock*, owned by the receiver
constexpr UINT kMsgMameEnded = WM_APP + 2;
constexpr UINT kMsgRefilter = WM_APP + 3;
constexpr UINT kMsgCaptureComboTrigger = WM_APP + 4;  // wparam: row (low 16 bits), kind (high 16 bits)
constexpr UINT kMsgSwitchLayout = WM_APP + 9;         // wparam: 1 = separate options window
constexpr UINT kMsgOpenRomCheck = WM_APP + 103;

// Timers.
constexpr UINT_PTR kHousekeepingTimer = 1;  // 400 ms
constexpr UINT_PTR kStatusTimer = 2;        // 5 s
constexpr UINT_PTR kRedrawTimer = 3;        // 150 ms after a resize

// Control ids.
enum : int {
  kIdSearchEdit = 100,
  kIdSearchClose = 101,
  kIdGameList = 102,
  kIdFavoritesBox = 103,
  kIdDesktopIcon = 104,
  kIdStatusBar = 199,
  kIdResetFilters = 443,
};

struct MainWindow {
  HWND window = nullptr;
  HWND status = nullptr, list = nullptr, tooltips = nullptr;
  HWND tools[kToolItemCount] = {};
  HWND search_label = nullptr, search_edit = nullptr, search_close = nullptr;
  HWND filters[kFilterKindCount] = {};  // by FilterKind
  HWND reset_filters = nullptr, favorites_box = nullptr, desktop_icon = nullptr;
  HMENU menu = nullptr, recent_menu = nullptr;
  HACCEL accelerators = nullptr;

  int search_bar_state = -1;  // -1 follow the setting, 0 hidden, 1 shown until the end of the run
  bool classic = false;       // the options area sits beside the list
  GameList games;
  bool has_list = false;
  bool loading = false, rescan = false;
  FilterLists filter_lists;
  LaunchState launch;
  bool mame_not_found_shown = false;
  bool mame_end_waiting = false;  // MAME ended while a box was open
  std::string timed_status;       // the last timed status text (199 characters at most)
  bool closing = false;
  bool dragging_splitter = false;
  int ticks = 0;
};
MainWindow& Main();

bool RegisterMainWindowClass(HINSTANCE instance);
// Creates, shows and lays out the window; starts the timer and the loading.
HWND CreateMainWindow(HINSTANCE instance, int show);
// The message loop's filter: accelerators and Enter on the list, search box
// and favourites box. True when the message was used.
bool PreTranslateMainMessage(MSG& msg);

void LayoutMainWindow();
// Status texts: the timed one (ShowStatus) and the normal one for the state.
void ShowTimedStatus(const std::string& text);
void RefreshStatus();
// Enabled states and toolbar toggles from the current state.
void RefreshControls();
// Reset Window Size (`user`: also the splitter and column widths go back to automatic).
void ResetWindowSize(bool user);
void SaveViewSettings();

// game_list_ui_win.cpp
void StartLoading(bool rescan);
void TakeNewGameList(LPARAM block);
void Refilter();
void RefreshFilterChoices();
// The filter bar's choices into the settings.
void StoreFilterChoices();
const GameEntry* SelectedGame();
bool SelectedPlayable();
bool HandleGameListNotify(NMHDR* header, LRESULT* result);
void RescanRomsIfChanged();
void FreePendingGameLists();

// main_menu_ui_win.cpp
HMENU BuildMainMenu();
HACCEL BuildAccelerators();
void RefreshMenuStates(HMENU menu);
void RebuildRecentMenu();
void ShowGameContextMenu(POINT screen);
void ShowColumnMenu(POINT screen);
// The game number of a recent-menu command (600 + k), or 0.
int32_t RecentGameNumber(int id);

// main_commands_ui_win.cpp
void DispatchCommand(int id, int code, HWND control);

// play_ui_win.cpp
void PlaySelected(const LaunchRequest* request);
void PlayGameNumber(int32_t number, const LaunchRequest* request);
void StopRunningGame();
void OnMameEnded();
void CreateDesktopIconForSelection();
