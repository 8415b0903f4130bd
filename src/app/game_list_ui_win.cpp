// The game list in the main window: loading in the background, the ROM scan,
// the filter and search bars, the refill and the list's notifications.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "app/game_list_ui_win.h"

#include "app/main_menu_ui_win.h"
#include "app/main_window_ui_win.h"
#include "app/status_text.h"
#include "base/key_value_text.h"
#include "base/timing_log_win.h"
#include "base/utf16_win.h"
#include "catalogue/game_list_loader.h"
#include "catalogue/game_list_view_ui_win.h"
#include "catalogue/list_state.h"
#include "catalogue/rom_scan.h"
#include "launch/mame_asker.h"
#include "launch/mame_location.h"
#include "optionsarea/options_area_ui_win.h"
#include "ui/posted_blocks_win.h"
#include "optionsarea/options_pages_ui_win.h"
#include "preview/preview_pane_ui_win.h"
#include "romaudit/collection_audit.h"
#include "romcheck/rom_check_report.h"
#include "settings/app_state.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/shell_win.h"
#include "ui/ui_metrics_win.h"

namespace {
std::string ComboText(HWND combo) {
  int index = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  if (index <= 0) return "";  // the "All ..." item
  int length = static_cast<int>(SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0));
  std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return Utf16ToUtf8(text);
}

FilterSelection SelectionFromBar(const MainWindow& m) {
  FilterSelection selection;
  for (int k = 0; k < kFilterKindCount; ++k) selection.value[k] = ComboText(m.filters[k]);
  return selection;
}

FilterState CurrentFilterState(const MainWindow& m) {
  const Settings& s = App().settings;
  FilterState state;
  state.selection = SelectionFromBar(m);
  state.search = PrepareSearchText(ControlText(m.search_edit));
  state.favorites_only = Button_GetCheck(m.favorites_box) == BST_CHECKED;
  state.only_available = s.only_available != 0;
  state.hide_not_working = s.hide_not_working != 0;
  return state;
}

void ScanRoms(bool force) {
  if (RefreshRomScan(RomsFolderField(), BiosFolderField(), force, MameRomsFolder())) RefreshAuditMarks();
}

// A click on a row's star, or Space on the selected row, flips its favourite.
void ToggleRowFavorite(int row) {
  MainWindow& m = Main();
  int index = GameIndexOfRow(m.list, row);
  if (index < 0 || static_cast<size_t>(index) >= m.games.size()) return;
  Settings& s = App().settings;
  const int32_t number = m.games[static_cast<size_t>(index)].number;
  const bool on = !IdListContains(s.favorites, number);
  ToggleFavorite(s, number, on, App().settings_path);
  RedrawGameRow(m.list, row);
  // With Favorites Only on, a row that lost its star goes at the next refill.
  if (Button_GetCheck(m.favorites_box) == BST_CHECKED && !on) PostMessageW(m.window, kMsgRefilter, 0, 0);
}

bool ListItemChanged(const NMLISTVIEW& change) {
  if (GameListViewFilling()) return true;
  if ((change.uChanged & LVIF_STATE) == 0) return true;
  if ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) {
    // Outside a refill the user chose: nothing chosen stays so when the list is filled again.
    const GameEntry* chosen = SelectedGame();
    Main().remembered_game = chosen ? chosen->number : 0;
    RefreshControls();
    RefreshStatus();
    PreviewSelectionChanged();
  }
  return true;
}

int HitRow(HWND list, UINT* flags) {
  LVHITTESTINFO hit = {};
  GetCursorPos(&hit.pt);
  ScreenToClient(list, &hit.pt);
  int row = ListView_SubItemHitTest(list, &hit);
  *flags = hit.flags;
  return row;
}
// The filter bars show the choices in filter_lists, the settings' ones selected.
void FillFilterChoices() {
  MainWindow& m = Main();
  Settings& s = App().settings;
  FilterSelection chosen = MatchSelection(m.filter_lists, SelectionFromSettings(s));
  for (int k = 0; k < kFilterKindCount; ++k) {
    HWND combo = m.filters[k];
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    SendMessageW(combo, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Utf8ToUtf16(FilterSpec(static_cast<FilterKind>(k)).all_item).c_str()));
    int selected = 0;
    const std::vector<std::string>& values = m.filter_lists.values[k];
    for (size_t i = 0; i < values.size(); ++i) {
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToUtf16(values[i]).c_str()));
      if (values[i] == chosen.value[k]) selected = static_cast<int>(i) + 1;
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  }
}

}  // namespace

void StartLoading(bool rescan) {
  MainWindow& m = Main();
  m.loading = true;
  m.rescan = rescan;
  ++m.loads_in_flight;
  RefreshStatus();
  HWND window = m.window;
  bool started = StartGameListLoader(rescan, LocatedMameAsker(), [window](std::unique_ptr<GameListBlock> block) {
    GameListBlock* raw = block.release();
    if (!PostMessageW(window, kMsgNewGameList, 0, reinterpret_cast<LPARAM>(raw))) delete raw;
  });
  if (!started && --m.loads_in_flight == 0) {
    m.loading = false;
    RefreshStatus();
  }
}

void TakeNewGameList(LPARAM block) {
  std::unique_ptr<GameListBlock> list(reinterpret_cast<GameListBlock*>(block));
  MainWindow& m = Main();
  if (m.loads_in_flight > 0) --m.loads_in_flight;
  if (m.closing || !list) return;
  m.loading = m.loads_in_flight > 0;
  TimingMark("list arrived");
  m.games = std::move(list->list);
  m.has_list = true;
  ApplyPlayStats(m.games, App().played);
  if (list->statuses_wanted) {
    HWND window = m.window;
    StartStatusTask(LocatedMameAsker(), [window](std::unique_ptr<DriverStatuses> statuses) {
      DriverStatuses* raw = statuses.release();
      if (!PostMessageW(window, kMsgDriverStatuses, 0, reinterpret_cast<LPARAM>(raw))) delete raw;
    });
  }
  ScanRoms(true);
  m.filter_lists = std::move(list->filters);
  FillFilterChoices();
  TimingMark("filter choices");
  Refilter();
  RebuildRecentMenu();
  RefreshStatus();
  // Files read at start-up of which nothing could be read were kept aside;
  // the first list is the first moment the note is not replaced at once.
  if (std::vector<std::string> unreadable = TakeUnreadableNotes(); !unreadable.empty())
    ShowStatus(UnreadableFilesText(unreadable));
  TimingMarkWhenPainted("list painted");
  if (!MameFound() && !m.mame_not_found_shown) {
    m.mame_not_found_shown = true;
    ShowMessage(
        "mame.exe was not found next to the launcher.\n\nChoose it on the General tab (MAME Program), or copy this "
        "launcher into the MAME folder.",
        "MAME Not Found", MB_OK | MB_ICONWARNING);
    ShowOptionsTab(kTabGeneral);
  }
}

void TakeDriverStatuses(LPARAM block) {
  std::unique_ptr<DriverStatuses> statuses(reinterpret_cast<DriverStatuses*>(block));
  MainWindow& m = Main();
  if (m.closing || !statuses || !m.has_list) return;
  ApplyDriverStatuses(m.games, *statuses);
  // They come on their own time: a timed text the user is reading stays.
  const bool timed_shown = !m.timed_status.empty() && ControlText(m.status) == m.timed_status;
  Refilter();
  if (timed_shown) SetControlText(m.status, m.timed_status);
  RefreshPreview();
}

void TakeArrivedGameList() {
  MSG arrived;
  if (MameFound() && PeekMessageW(&arrived, Main().window, kMsgNewGameList, kMsgNewGameList, PM_REMOVE))
    TakeNewGameList(arrived.lParam);
}

void FreePendingGameLists() {
  delete reinterpret_cast<GameListBlock*>(std::exchange(Main().held_list, 0));
  FreePostedBlocks<GameListBlock>(Main().window, kMsgNewGameList);
  FreePostedBlocks<DriverStatuses>(Main().window, kMsgDriverStatuses);
}

void RefreshFilterChoices() {
  Main().filter_lists = BuildFilterValues(Main().games);
  FillFilterChoices();
}

void Refilter() {
  MainWindow& m = Main();
  if (!m.has_list || !m.list) return;
  Settings& s = App().settings;
  std::vector<int32_t> rows =
      VisibleRows(m.games, CurrentFilterState(m), s, [](const GameEntry& e) { return HasRoms(e); });
  FillGameListView(m.list, m.games, std::move(rows), s.favorites, m.remembered_game, s.columns_hidden);
  SetSortMark(m.list, s.sort_column, s.sort_ascending != 0);
  RefreshControls();
  RefreshStatus();
  PreviewSelectionChanged();  // the refill may have dropped the selected row
  TimingMark("refill done");
  TimingMarkWhenPainted("refill painted");
}

void RefreshAuditMarks() {
  RomScan().audit_marks = CurrentAuditMarks(AuditStorePath(), LocatedMameAsker(), RomSearchFolders(App().settings));
}

void StoreFilterChoices() {
  StoreSelectionInSettings(App().settings, SelectionFromBar(Main()));
}

void RescanRomsIfChanged() {
  MainWindow& m = Main();
  if (!m.has_list || m.loading) return;
  if (RefreshRomScan(RomsFolderField(), BiosFolderField(), false, MameRomsFolder())) {
    RefreshAuditMarks();
    PostMessageW(m.window, kMsgRefilter, 0, 0);
  }
}

void ShowSelectedRowMenu() {
  MainWindow& m = Main();
  const int row = ListView_GetNextItem(m.list, -1, LVNI_SELECTED);
  if (row < 0) return;
  ListView_EnsureVisible(m.list, row, FALSE);
  RECT bounds = {};
  ListView_GetItemRect(m.list, row, &bounds, LVIR_BOUNDS);
  POINT under = {std::max(bounds.left, 0L) + S(16), bounds.bottom};  // scrolled sideways, the row starts left of the list
  ClientToScreen(m.list, &under);
  ShowGameContextMenu(under);
}

bool HandleGameListNotify(NMHDR* header, LRESULT* result) {
  MainWindow& m = Main();
  Settings& s = App().settings;
  if (m.list && header->hwndFrom == ListView_GetHeader(m.list)) {
    if (header->code == static_cast<UINT>(NM_RCLICK)) {
      POINT p;
      GetCursorPos(&p);
      ShowColumnMenu(p);
      *result = 1;
      return true;
    }
    return GameListHeaderNotify(m.list, header, s.columns_hidden, result);
  }
  switch (header->code) {
    case LVN_GETDISPINFOW:
      AnswerGameListDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(header));
      return true;
    case LVN_ITEMCHANGED:
      return ListItemChanged(*reinterpret_cast<NMLISTVIEW*>(header));
    case NM_CLICK: {
      int row = StarRowAt(m.list, reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction);
      if (row >= 0) ToggleRowFavorite(row);
      return true;
    }
    case LVN_COLUMNCLICK: {
      int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
      if (ApplySortClick(s, column)) {
        Refilter();
        SaveSettings(s, App().settings_path);
      }
      return true;
    }
    case LVN_KEYDOWN:
      // Space flips the star, as it would a check box; Enter is taken by the message loop.
      if (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_SPACE)
        ToggleRowFavorite(ListView_GetNextItem(m.list, -1, LVNI_SELECTED));
      return false;
    case NM_DBLCLK: {
      UINT flags = 0;
      const int row = HitRow(m.list, &flags);
      if (row >= 0 && StarRowAt(m.list, reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction) != row)
        SendMessageW(m.window, WM_COMMAND, 106, 0);
      return true;
    }
    case NM_RCLICK: {
      UINT flags = 0;
      int row = HitRow(m.list, &flags);
      if (row >= 0) {
        ListView_SetItemState(m.list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        POINT p;
        GetCursorPos(&p);
        ShowGameContextMenu(p);
      }
      return true;
    }
    case LVN_ENDSCROLL:
      if (reinterpret_cast<NMLVSCROLL*>(header)->dx != 0) InvalidateRect(m.list, nullptr, TRUE);
      return true;
  }
  return false;
}
