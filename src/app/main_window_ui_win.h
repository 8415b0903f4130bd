// The main window ("KorvoMain"): the game list with its search and filter
// bars, the toolbar, the status bar and, in Classic Layout, the options area.
//
// How the pieces fit, from the bottom up (each uses only those above it):
//   main_window_ui_win        the window's record, layout, status texts, control states
//   main_menu_ui_win          menu bar, accelerators, menu ticks, recent games, pop-up menus
//   game_list_ui_win          loading, filters, search, refill, list notifications
//   play_ui_win               Play, Stop, the end of MAME, Create Desktop Icon
//   main_commands_ui_win      the command dispatch table (one line per command range)
//   main_window_proc_ui_win   creation, the window procedure, timers, closing
//   options_area_ui_win / options_pages_ui_win: the tabbed options area and its pages
// A new window of another module needs only its line in the dispatch table.
// Pop-up menus and list clicks send their command ids to the window, so that
// every command goes through the dispatch table.
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
constexpr UINT kMsgDriverStatuses = WM_APP + 12;      // lparam: DriverStatuses*, owned by the receiver
constexpr UINT kMsgOpenRomCheck = WM_APP + 103;

// Timers.
constexpr UINT_PTR kHousekeepingTimer = 1;  // 400 ms
constexpr UINT_PTR kStatusTimer = 2;        // 5 s
constexpr UINT_PTR kRedrawTimer = 3;        // 150 ms after a resize
constexpr UINT_PTR kAfterFirstPaintTimer = 4;  // what the first sight of the window can do without

// Control ids.
enum : int {
  kIdSearchEdit = 100,
  kIdSearchClose = 101,
  kIdGameList = 102,
  kIdFavoritesBox = 103,
  kIdDesktopIcon = 104,
  kIdToolBar = 198,
  kIdStatusBar = 199,
  kIdResetFilters = 443,
};

struct MainWindow {
  HWND window = nullptr;
  HWND status = nullptr, list = nullptr, tooltips = nullptr;
  HWND toolbar = nullptr;
  HWND search_label = nullptr, search_edit = nullptr, search_close = nullptr;
  HWND filters[kFilterKindCount] = {};  // by FilterKind
  HWND reset_filters = nullptr, favorites_box = nullptr, desktop_icon = nullptr;
  HWND preview = nullptr;  // the picture of the selected game
  HMENU menu = nullptr, recent_menu = nullptr;
  HACCEL accelerators = nullptr;

  int search_bar_state = -1;  // -1 follow the setting, 0 hidden, 1 shown until the end of the run
  // The game last chosen in the list (0 for none): selected again by every
  // refill that shows it, also after one that hid it.
  int32_t remembered_game = 0;
  bool classic = false;       // the options area sits beside the list
  GameList games;
  bool has_list = false;
  bool loading = false, rescan = false;
  int loads_in_flight = 0;  // asked for and not back yet: a Refresh during a load waits for both
  FilterLists filter_lists;
  LaunchState launch;
  bool mame_not_found_shown = false;
  bool settings_not_saved_shown = false;  // said once per run (not while Windows ends the session)
  bool mame_end_waiting = false;  // MAME ended while a box was open
  std::string timed_status;       // the last timed status text (199 characters at most)
  bool closing = false;
  bool first_paint_done = false;  // lists arriving before it wait (held_list)
  bool list_held = true;          // the game list shows itself with its first rows
  LPARAM held_list = 0;
  bool dragging_splitter = false, dragging_preview = false;
  HWND focus_left = nullptr;  // what had the keyboard focus when the window was last deactivated
  int ticks = 0;
};
MainWindow& Main();

// The toolbar, left to right: command id, icon, tooltip (separators: id 0).
struct ToolItem {
  int id;
  int icon;
  const char* tip;
};
extern const ToolItem kToolItems[kToolItemCount];

// What the layout depends on, as the window is now.
MainLayoutInput CurrentLayoutInput();
// Where the drop-down field of one filter goes.
LayoutRect FilterFieldRect(const MainLayout& layout, FilterKind kind);
void LayoutMainWindow();
// Status texts: the timed one (ShowStatus) and the normal one for the state.
void ShowTimedStatus(const std::string& text);
void RefreshStatus();
// Enabled states and toolbar toggles from the current state.
void RefreshControls();
// Reset Window Size (`user`: also the splitter and column widths go back to automatic).
void ResetWindowSize(bool user);
// Column widths and the Favorites Only box into the settings.
void SaveViewSettings();
// The selected game, and whether it can be played now.
const GameEntry* SelectedGame();
bool SelectedPlayable();
