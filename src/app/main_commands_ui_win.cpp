// The main window's command dispatch: every menu item, accelerator, toolbar
// button and control of the main window and the options pages arrives here
// with its id and is routed by the table below. A window of another module
// joins with one line: its id range and the function that runs it.
// The application messages WM_APP+4 and WM_APP+103 are routed the same way
// under their message numbers.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>
#include <shellapi.h>

#include "app/main_commands_ui_win.h"

#include "app/about_ui_win.h"
#include "app/game_list_ui_win.h"
#include "app/game_settings_ui_win.h"
#include "app/main_menu_ui_win.h"
#include "app/main_window_ui_win.h"
#include "app/menu_bar.h"
#include "app/menu_state.h"
#include "app/play_ui_win.h"
#include "app/recent_menu.h"
#include "backup/backup_ui_win.h"
#include "base/file_system.h"
#include "base/paths.h"
#include "base/utf16_win.h"
#include "catalogue/game_list_view_ui_win.h"
#include "catalogue/list_state.h"
#include "combos/combo_rows.h"
#include "combos/combos_tab_ui_win.h"
#include "controls/controls_tab_ui_win.h"
#include "launch/mame_location.h"
#include "launch/play.h"
#include "options/dip_window_ui_win.h"
#include "options/hlsl_window_ui_win.h"
#include "options/mame_options_window_ui_win.h"
#include "optionsarea/options_area_ui_win.h"
#include "optionsarea/options_pages_ui_win.h"
#include "preview/preview_pane_ui_win.h"
#include "romaudit/rom_audit_window_ui_win.h"
#include "romcheck/rom_check_window_ui_win.h"
#include "settings/app_state.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/shell_win.h"

namespace {
using CommandFn = void (*)(int id, int code, HWND control);
struct CommandRoute {
  int first, last;
  CommandFn run;
};

Settings& S() { return App().settings; }
void Save() { SaveSettings(S(), App().settings_path); }

void ShellOpen(const std::string& path) {
  ShellExecuteW(nullptr, L"open", Utf8ToUtf16(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenFolder(const std::string& folder, bool create) {
  if (create) CreateFolder(folder);
  ShellOpen(folder);
}

bool HasSelection(const char* title) {
  if (SelectedGame()) return true;
  ShowMessage(PlayCheckText(PlayCheck::kNoSelection), title, MB_OK | MB_ICONINFORMATION);
  return false;
}

void SearchChanged(int, int code, HWND) {
  if (code == EN_CHANGE && !Main().loading) Refilter();
}

void CloseSearch(int, int, HWND) {
  MainWindow& m = Main();
  SetWindowTextW(m.search_edit, L"");
  m.search_bar_state = 0;
  LayoutMainWindow();
  SetFocus(m.list);
}

// Esc anywhere in the launcher's windows (their dialog navigation turns it
// into IDCANCEL): the separate options window closes as with its Cancel,
// else an open search bar closes as with its Close button.
void Escape(int, int, HWND) {
  if (OptionsWindowVisible() && GetActiveWindow() == Options().window)
    CancelOptions();
  else if (IsWindowVisible(Main().search_edit))
    CloseSearch(0, 0, nullptr);
}

void ShowSearch(int, int, HWND) {
  MainWindow& m = Main();
  if (!(m.search_bar_state == 1 || (m.search_bar_state == -1 && !S().search_bar_hidden))) {
    m.search_bar_state = 1;
    LayoutMainWindow();
  }
  SetFocus(m.search_edit);
  SendMessageW(m.search_edit, EM_SETSEL, 0, -1);
}

void FavoritesBoxClicked(int, int, HWND) {
  S().favorites_only = Button_GetCheck(Main().favorites_box) == BST_CHECKED;
  RefreshControls();
  Refilter();
}

void ClickFavoritesBox(int id, int code, HWND control) {
  HWND box = Main().favorites_box;
  Button_SetCheck(box, Button_GetCheck(box) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
  FavoritesBoxClicked(id, code, control);
}

void FlipOnlyAvailable(int, int, HWND) {
  S().only_available = !S().only_available;
  ShowOnlyAvailable(S().only_available != 0);
  Refilter();
  Save();
}

void FlipFullscreen(int, int, HWND) {
  ToggleFullscreenOption();
  RefreshControls();
}

void ShowTab(int id, int, HWND) {
  int tab = kTabGeneral;
  switch (id) {
    case 115: case 209: tab = kTabAudio; break;
    case 117: tab = kTabVideo; break;
    case 118: tab = kTabControls; break;
    case 119: tab = kTabCombos; break;
  }
  ShowOptionsTab(tab);
}

void OpenSettings(int, int, HWND) {
  if (!Main().classic) ShowOptionsTab(kTabGeneral);  // F9 does nothing in Classic Layout
}

void Rescan(int, int, HWND) { StartLoading(true); }
void OpenMameFolder(int, int, HWND) { OpenFolder(MameFolder(), false); }
void OpenRomsFolder(int, int, HWND) { OpenFolder(MameRomsFolder(), true); }
void OpenSnapFolder(int, int, HWND) { OpenFolder(JoinPath(MameFolder(), "snap"), true); }
void OpenCfgFolder(int, int, HWND) { OpenFolder(JoinPath(MameFolder(), "cfg"), true); }
void OpenDocumentation(int, int, HWND) { OpenWebPage(kMameDocumentationAddress); }

// The README.txt that came in the zip with korvo.exe is the guide of this
// version; without it, the guide on the web.
void OpenUserGuide(int, int, HWND) {
  const std::string readme = JoinPath(LauncherFolder(), "README.txt");
  if (FileExists(readme))
    ShellOpen(readme);
  else
    OpenWebPage(kUserGuideAddress);
}

void ClearRecent(int, int, HWND) {
  S().recent.clear();
  Save();
  RebuildRecentMenu();
}

void Exit(int, int, HWND) { PostMessageW(Main().window, WM_CLOSE, 0, 0); }

void ToggleSelectedFavorite(int, int, HWND) {
  MainWindow& m = Main();
  const GameEntry* entry = SelectedGame();
  if (!entry) return;
  bool on = !IdListContains(S().favorites, entry->number);
  ToggleFavorite(S(), entry->number, on, App().settings_path);
  int row = ListView_GetNextItem(m.list, -1, LVNI_SELECTED);
  RedrawGameRow(m.list, row);
  if (!on && Button_GetCheck(m.favorites_box) == BST_CHECKED) Refilter();
}

void ResetSize(int, int, HWND) {
  ResetWindowSize(true);
  ShowTimedStatus("Window size reset");
}

void FlipClassicLayout(int, int, HWND) {
  S().options_window = S().options_window ? 0 : 1;
  Save();
  PostMessageW(Main().window, kMsgSwitchLayout, S().options_window != 0, 0);
}

void FlipColumn(int id, int, HWND) {
  S().columns_hidden ^= 1 << ColumnOfCommand(id);
  ApplyColumnVisibility(Main().list, S());
  // The preview left automatic gives the list room for its columns.
  LayoutMainWindow();
  Save();
}

void ThemeMode(int id, int, HWND) { ChangeThemeMode(id - 224); }

void FlipSearchBar(int, int, HWND) {
  MainWindow& m = Main();
  if (m.search_bar_state == -1)
    S().search_bar_hidden = !S().search_bar_hidden;
  else
    S().search_bar_hidden = m.search_bar_state == 0;
  m.search_bar_state = -1;
  LayoutMainWindow();
  Save();
}

void FlipFilterBar(int, int, HWND) {
  S().filter_bar_hidden = !S().filter_bar_hidden;
  LayoutMainWindow();
  Save();
}

void FlipHideNotWorking(int, int, HWND) {
  S().hide_not_working = !S().hide_not_working;
  Refilter();
  Save();
}

void StepPreviewPicture(int id, int, HWND) { StepPreview(id == kNextPictureCommand ? 1 : -1); }

void FlipPreview(int, int, HWND) {
  S().preview_shown = !S().preview_shown;
  LayoutMainWindow();
  Save();
}

void FlipToolbar(int, int, HWND) {
  S().toolbar_hidden = !S().toolbar_hidden;
  LayoutMainWindow();
  Save();
}

void Play(int, int, HWND) { PlaySelected(nullptr); }
void PlayFullscreen(int, int, HWND) {
  LaunchRequest request{1, false};
  PlaySelected(&request);
}
void PlayWindowed(int, int, HWND) {
  LaunchRequest request{0, false};
  PlaySelected(&request);
}
void Stop(int, int, HWND) { StopRunningGame(); }
void DesktopIcon(int, int, HWND) { CreateDesktopIconForSelection(); }

void PlayRecent(int id, int, HWND) {
  int32_t number = RecentGameNumber(id);
  if (number) PlayGameNumber(number, nullptr);
}

void FilterChanged(int, int code, HWND) {
  if (code != CBN_SELCHANGE) return;
  StoreFilterChoices();
  Refilter();
  Save();
}

void ResetAllFilters(int, int, HWND) {
  for (HWND combo : Main().filters) SendMessageW(combo, CB_SETCURSEL, 0, 0);
  ResetFilters(S());
  Refilter();
  Save();
}

void Options(int id, int code, HWND control) {
  OptionsCommand(id, code, control);
  if (code == BN_CLICKED) RefreshControls();  // the toolbar's toggles follow the pages' boxes
}
void OptionsOkButton(int, int, HWND) { OptionsOk(); }
void OptionsCancelButton(int, int, HWND) { CancelOptions(); }
void OptionsRestoreButton(int, int, HWND) { RestoreDefaults(); }

void KeyboardShortcuts(int, int, HWND) { ShowKeyboardShortcuts(DialogOwner()); }
void About(int, int, HWND) { ShowAboutWindow(DialogOwner()); }

void GameSettingsWindow(int, int, HWND) {
  if (!HasSelection("Game Settings")) return;
  GameEntry entry = *SelectedGame();  // a new list may arrive while the window is open
  if (!EditGameSettings(DialogOwner(), entry, OpenDipSwitches)) return;
  ShowStatus(GameSettingsStatusText(FindGameSettings(App().game_settings, entry.number) != nullptr));
}

void CheckRomSet(int, int, HWND) {
  if (HasSelection("Check ROM Set")) OpenRomCheckWindow(DialogOwner(), Main().games, *SelectedGame());
}

void CheckRomSetAfterFailedStart(int, int, HWND) {
  const GameEntry* entry = FindGameByNumber(Main().games, Main().launch.last_game);
  if (entry) OpenRomCheckWindow(DialogOwner(), Main().games, *entry);
}

void CheckAllRomSets(int, int, HWND) {
  OpenRomAuditWindow(DialogOwner(), Main().games);
  RefreshAuditMarks();  // the status icons show what the audit found
  Refilter();
}

void BackupSettings(int, int, HWND) { BackupSettingsCommand(DialogOwner(), Main().launch.running); }

void RestoreSettings(int, int, HWND) {
  RestoreSettingsCommand(DialogOwner(), Main().launch.running,
                         {[] { ApplyOptions(); },
                          [] {
                            LoadCombos();  // korvo-combos.cfg may be new or gone, whether the tab exists or not
                            FillPages();
                            TakeOptionsSnapshot();  // closing must not bring the old options back
                            LoadPlayStats(App().played, PlayStatsPath());
                            ApplyPlayStats(Main().games, App().played);
                            RefreshFilterChoices();
                            Refilter();
                            RebuildRecentMenu();
                          }});
}

void HlslSettings(int, int, HWND) { OpenHlslSettings(DialogOwner()); }

void AllMameOptions(int, int, HWND) {
  PagesIntoMoreOptions();
  if (OpenAllMameOptions(DialogOwner())) RefreshMameOptionFields();
}


void CaptureTrigger(int, int, HWND request) {
  WPARAM p = reinterpret_cast<WPARAM>(request);  // the message's wParam: row and kind
  CaptureComboTrigger(DialogOwner(), LOWORD(p), HIWORD(p));
}

const CommandRoute kRoutes[] = {
    {IDCANCEL, IDCANCEL, Escape},
    {100, 100, SearchChanged},
    {101, 101, CloseSearch},
    {103, 103, FavoritesBoxClicked},
    {104, 104, DesktopIcon},
    {105, 105, Stop},
    {106, 106, Play},
    {108, 108, OptionsRestoreButton},
    {109, 109, OptionsOkButton},
    {110, 110, OptionsCancelButton},
    {111, 111, OpenSettings},
    {112, 112, ClickFavoritesBox},
    {113, 113, FlipFullscreen},
    {114, 114, FlipOnlyAvailable},
    {115, 119, ShowTab},
    {200, 200, Rescan},
    {201, 201, OpenMameFolder},
    {202, 202, OpenRomsFolder},
    {203, 203, ClearRecent},
    {204, 204, Exit},
    {205, 205, Play},
    {206, 206, Stop},
    {207, 207, ToggleSelectedFavorite},
    {209, 209, ShowTab},
    {210, 210, ResetSize},
    {211, 211, FlipClassicLayout},
    {213, 213, ShowSearch},
    {214, 214, KeyboardShortcuts},
    {215, 215, About},
    {216, 216, OpenSettings},
    {217, 223, FlipColumn},
    {224, 226, ThemeMode},
    {227, 227, ClickFavoritesBox},
    {228, 228, FlipOnlyAvailable},
    {229, 229, FlipSearchBar},
    {230, 230, FlipFilterBar},
    {231, 231, FlipToolbar},
    {kPreviewCommand, kPreviewCommand, FlipPreview},
    {250, 250, GameSettingsWindow},
    {251, 251, PlayFullscreen},
    {252, 252, PlayWindowed},
    {253, 253, CheckRomSet},
    {254, 254, OpenSnapFolder},
    {255, 255, BackupSettings},
    {256, 256, RestoreSettings},
    {257, 257, OpenCfgFolder},
    {258, 258, CheckAllRomSets},
    {259, 259, OpenDocumentation},
    {270, 271, FlipColumn},
    {kHideNotWorkingCommand, kHideNotWorkingCommand, FlipHideNotWorking},
    {kPreviousPictureCommand, kNextPictureCommand, StepPreviewPicture},
    {kUserGuideCommand, kUserGuideCommand, OpenUserGuide},
    {300, 324, Options},
    {325, 325, HlslSettings},
    {326, 326, AllMameOptions},
    {340, 389, Options},
    {390, 390, OpenCfgFolder},
    {391, 400, ControlsTabCommand},
    {410, 415, Options},
    {440, 442, FilterChanged},
    {443, 443, ResetAllFilters},
    {444, 444, FilterChanged},
    {kRecentFirstId, kRecentFirstId + 7, PlayRecent},
    {700, 749, CombosTabCommand},
    {static_cast<int>(kMsgCaptureComboTrigger), static_cast<int>(kMsgCaptureComboTrigger), CaptureTrigger},
    {static_cast<int>(kMsgOpenRomCheck), static_cast<int>(kMsgOpenRomCheck), CheckRomSetAfterFailedStart},
};
}  // namespace

void DispatchCommand(int id, int code, HWND control) {
  for (const CommandRoute& route : kRoutes) {
    if (id >= route.first && id <= route.last) {
      route.run(id, code, control);
      return;
    }
  }
}
