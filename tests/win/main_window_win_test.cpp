// The main window under Wine: what a user sees after loading, filtering,
// sorting, playing and closing.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "../../tools/fakemame/fakemame_record.h"
#include "app/options_area_ui_win.h"
#include "base/file_system.h"
#include "catalogue/game_list_view_ui_win.h"
#include "dialog_driver_win.h"
#include "dialog_script_win.h"
#include "main_window_fixture_win.h"
#include "screenshot_win.h"
#include "preview/preview_pane_ui_win.h"
#include "settings/app_state.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"

namespace {
std::string MenuText(HMENU menu, int position) {
  wchar_t text[256] = L"";
  GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
  return Utf16ToUtf8(text);
}

bool MenuEnabled(int id) {
  SendMessageW(Main().window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(Main().menu), 0);
  return !(GetMenuState(Main().menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED);
}

bool MenuTicked(int id) {
  SendMessageW(Main().window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(Main().menu), 0);
  return (GetMenuState(Main().menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void ClickColumn(int column) {
  NMLISTVIEW click = {};
  click.hdr.hwndFrom = Main().list;
  click.hdr.idFrom = kIdGameList;
  click.hdr.code = LVN_COLUMNCLICK;
  click.iItem = -1;
  click.iSubItem = column;
  SendMessageW(Main().window, WM_NOTIFY, kIdGameList, reinterpret_cast<LPARAM>(&click));
}

// A click on the star at the left of a row's Favorite cell.
void ClickStar(int row) {
  HWND list = Main().list;
  RECT cell, column;
  ListView_GetItemRect(list, row, &cell, LVIR_BOUNDS);
  Header_GetItemRect(ListView_GetHeader(list), 0, &column);
  LPARAM at = MAKELPARAM(column.left + 10, (cell.top + cell.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  PumpMessagesFor(100);
}

bool StarFilled(int row) {
  return ListView_GetItemState(Main().list, row, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

int SelectedRow() { return ListView_GetNextItem(Main().list, -1, LVNI_SELECTED); }

void ChooseFilter(FilterKind kind, int index) {
  HWND combo = Main().filters[static_cast<int>(kind)];
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(Main().window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}
}  // namespace

TEST(MainWindow, ListFiltersSearchAndFavorites) {
  MainWindowFixture f;
  ASSERT_TRUE(f.Open());
  EXPECT_EQ(f.Rows(), 462);
  EXPECT_EQ(f.StatusText(), "462 games (PSX-based and Hyper Neo Geo 64 boards), 2 with ROMs");

  // List Only Available ROMs: sfex2 (with its BIOS) and tekken3.
  f.Command(114);
  EXPECT_EQ(f.Rows(), 2);
  EXPECT_TRUE(MenuTicked(228));
  EXPECT_EQ(App().settings.only_available, 1);
  f.Command(228);
  EXPECT_EQ(f.Rows(), 462);

  // Search: trimmed, any case; the selected game stays selected and focused.
  f.SelectRow(f.RowOfGame("sfex2"));
  SetWindowTextW(Main().search_edit, L"  street FIGHTER ex2 ");
  int found = f.Rows();
  EXPECT_GT(found, 3);
  EXPECT_LT(found, 30);
  EXPECT_EQ(SelectedRow(), f.RowOfGame("sfex2"));
  EXPECT_EQ(f.CellText(SelectedRow(), 2), "Street Fighter EX2 (Euro 980312)");
  EXPECT_EQ(ListView_GetNextItem(Main().list, -1, LVNI_FOCUSED), SelectedRow());
  SetWindowTextW(Main().search_edit, L"");
  EXPECT_EQ(f.Rows(), 462);
  EXPECT_EQ(SelectedRow(), f.RowOfGame("sfex2"));

  // A filter choice narrows the list; Reset Filters brings all back.
  ChooseFilter(FilterKind::Hardware, 1);
  int narrowed = f.Rows();
  EXPECT_GT(narrowed, 0);
  EXPECT_LT(narrowed, 462);
  EXPECT_FALSE(App().settings.filter_hardware.empty());
  f.Command(443);
  EXPECT_EQ(f.Rows(), 462);
  EXPECT_TRUE(App().settings.filter_hardware.empty());

  // Favourites: the star of one row, Ctrl+D on another, then Favorites Only.
  int sfex2 = f.RowOfGame("sfex2");
  EXPECT_FALSE(StarFilled(sfex2));
  ClickStar(sfex2);
  EXPECT_TRUE(StarFilled(sfex2));
  f.SelectRow(f.RowOfGame("tekken3"));
  f.Command(207);
  EXPECT_TRUE(StarFilled(f.RowOfGame("tekken3")));
  EXPECT_EQ(App().settings.favorites, (IdList{23, 82}));
  f.Command(112);
  EXPECT_EQ(f.Rows(), 2);
  EXPECT_TRUE(MenuTicked(227));
  // Clearing a star with Favorites Only on removes the row: Ctrl+D, then
  // Space on the row as on a check box.
  f.SelectRow(f.RowOfGame("tekken3"));
  f.Command(207);
  EXPECT_EQ(f.Rows(), 1);
  f.SelectRow(0);
  PostMessageW(Main().list, WM_KEYDOWN, VK_SPACE, 0);
  PumpMessagesFor(100);
  EXPECT_EQ(f.Rows(), 0);
  EXPECT_TRUE(App().settings.favorites.empty());
  f.Command(227);
  EXPECT_EQ(f.Rows(), 462);
}

TEST(MainWindow, SortingByEachColumnAndTheColumnMenu) {
  MainWindowFixture f;
  ASSERT_TRUE(f.Open());
  ClickColumn(2);  // Game, ascending
  std::string first = f.CellText(0, 2), last = f.CellText(461, 2);
  EXPECT_LT(_stricmp(first.c_str(), last.c_str()), 0);
  ClickColumn(2);  // the same column again: descending
  EXPECT_EQ(f.CellText(0, 2), last);
  EXPECT_EQ(App().settings.sort_ascending, 0);
  ClickColumn(3);  // Info does not sort
  EXPECT_EQ(App().settings.sort_column, 2);
  ClickColumn(6);  // Year: ascending, the empty years first or last but in order
  EXPECT_EQ(App().settings.sort_column, 6);
  ClickColumn(1);
  EXPECT_EQ(f.CellText(0, 1), "1");

  // Info is hidden by default; showing it gives 140 (scaled).
  EXPECT_EQ(ListView_GetColumnWidth(Main().list, 3), 0);
  EXPECT_FALSE(MenuTicked(220));
  f.Command(220);
  EXPECT_EQ(ListView_GetColumnWidth(Main().list, 3), 140);
  EXPECT_TRUE(MenuTicked(220));
  EXPECT_EQ(App().settings.columns_hidden, 0);
  // "Game" can never be hidden.
  f.Command(219);
  EXPECT_GT(ListView_GetColumnWidth(Main().list, 2), 0);

  // The status icons go with their column and come back with it.
  auto status_image = [&](const char* set) {
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = f.RowOfGame(set);
    item.iSubItem = 4;
    ListView_GetItem(Main().list, &item);
    return item.iImage;
  };
  EXPECT_EQ(status_image("tekken3"), 0);
  EXPECT_EQ(status_image("ts2"), 1);
  f.Command(221);
  EXPECT_EQ(ListView_GetColumnWidth(Main().list, 4), 0);
  EXPECT_EQ(status_image("tekken3"), I_IMAGENONE);
  f.Command(221);
  EXPECT_EQ(status_image("tekken3"), 0);
  EXPECT_EQ(status_image("ts2"), 1);
}

TEST(MainWindow, MenuStatesFollowTheSelection) {
  MainWindowFixture f;
  ASSERT_TRUE(f.Open());
  f.SelectRow(-1);
  for (int id : {205, 251, 252, 206, 250, 253, 207, 104}) EXPECT_FALSE(MenuEnabled(id)) << id;
  f.SelectRow(f.RowOfGame("ts2"));  // ROMs missing
  EXPECT_FALSE(MenuEnabled(205));
  EXPECT_TRUE(MenuEnabled(250));
  EXPECT_EQ(f.StatusText().rfind("Missing in the ROMs folder: ts2.zip", 0), 0u);
  f.SelectRow(f.RowOfGame("sfex2"));
  EXPECT_TRUE(MenuEnabled(205));
  EXPECT_FALSE(MenuEnabled(206));
}

TEST(MainWindow, PlayingTwoGamesFillsTheRecentMenu) {
  MainWindowFixture f("logs=1\r\n");
  // A MAME without the Windows build's HLSL options (the SDL build's list).
  f.WriteText("fakemame-control.txt", "exit=0\ndelay-ms=300\nshowusage-osd=sdl\n");
  ASSERT_TRUE(f.Open());
  DialogDriver boxes;
  for (const char* set : {"sfex2", "tekken3"}) {
    f.SelectRow(f.RowOfGame(set));
    f.Command(205);
    ASSERT_TRUE(Main().launch.running) << set;
    EXPECT_EQ(f.StatusText().rfind("Playing: ", 0), 0u);
    EXPECT_NE(f.StatusText().find("   |   Left out for this MAME: -nohlsl_enable"), std::string::npos)
        << f.StatusText();
    EXPECT_TRUE(MenuEnabled(206));
    ASSERT_TRUE(f.WaitFor([] { return !Main().launch.running; }));
  }
  EXPECT_EQ(f.ReadText("korvo-settings.cfg").find("recent=82,23") != std::string::npos, true)
      << f.ReadText("korvo-settings.cfg");
  ASSERT_GE(GetMenuItemCount(Main().recent_menu), 2);
  EXPECT_EQ(MenuText(Main().recent_menu, 0).rfind("&1  Tekken 3", 0), 0u);
  EXPECT_EQ(MenuText(Main().recent_menu, 1).rfind("&2  Street Fighter EX2", 0), 0u);
  // An end within 5 s with code 0 says so in the status bar, and no box.
  EXPECT_EQ(f.StatusText().rfind("MAME closed after 0 s (exit code 0)", 0), 0u) << f.StatusText();
  EXPECT_TRUE(boxes.Seen().empty());

  // Play from the window starts MAME with the arguments --game would use.
  auto calls = fakemame::ParseCalls(f.ReadText("fakemame-calls.txt"));
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().args.front(), "tekken3");
  EXPECT_EQ(std::count(calls.back().args.begin(), calls.back().args.end(), "-nohlsl_enable"), 0);
  EXPECT_NE(f.ReadText("logs\\korvo-launch.log").find("tekken3"), std::string::npos);
  EXPECT_NE(f.ReadText("logs\\korvo-launch.log").find("\r\nLeft out for this MAME: -nohlsl_enable\r\n"),
            std::string::npos);

  f.Command(203);  // Clear Recent Files
  EXPECT_EQ(MenuText(Main().recent_menu, 0), "(No Recent Games)");
  EXPECT_FALSE(MenuEnabled(203));
}

TEST(MainWindow, AFailedStartExplainsTheExitAndOpensTheRomCheck) {
  MainWindowFixture f;
  f.WriteText("fakemame-control.txt", "exit=2\n");
  ASSERT_TRUE(f.Open());
  DialogDriver boxes;
  f.SelectRow(f.RowOfGame("sfex2"));
  f.Command(205);
  ASSERT_TRUE(f.WaitFor([&] { return !Main().launch.running && !boxes.Seen().empty(); }));
  EXPECT_EQ(f.StatusText(), "MAME exited with code 2: ROM files are missing or wrong (Game > Check ROM Set)");
  EXPECT_TRUE(boxes.SawTitle("Check ROM Set"));
  EXPECT_FALSE(boxes.SawTitle("MAME Ended"));
}

TEST(MainWindow, MameNotFoundIsSaidOnceAndTheStatusBarKeepsIt) {
  MainWindowFixture f("", /*with_mame=*/false);
  DialogDriver boxes;
  ASSERT_TRUE(f.Open());
  ASSERT_TRUE(f.WaitFor([&] { return boxes.SawTitle("MAME Not Found"); }));
  EXPECT_EQ(f.StatusText(), "mame.exe was not found (General tab > MAME Program)   |   462 games listed");
  f.Command(200);  // a rescan does not show the box again
  ASSERT_TRUE(f.WaitFor([] { return !Main().loading; }));
  PumpMessagesFor(200);
  EXPECT_EQ(boxes.Seen().size(), 1u);
}

TEST(MainWindow, LayoutSwitchResetAndClosingSavesTheViewButNotUnappliedOptions) {
  MainWindowFixture f;
  ASSERT_TRUE(f.Open());
  // Separate layout: the options area lives in the "Settings" window; F9 shows it.
  ASSERT_TRUE(Options().window);
  EXPECT_EQ(GetParent(Options().tabs), Options().window);
  f.Command(216);
  EXPECT_TRUE(IsWindowVisible(Options().window));
  EXPECT_EQ(Options().current, 0);
  f.Command(117);
  EXPECT_EQ(TabCtrl_GetCurSel(Options().tabs), 1);
  f.Command(110);  // Cancel hides it
  EXPECT_FALSE(IsWindowVisible(Options().window));

  f.Command(211);  // Classic Layout
  PumpMessagesFor(100);
  EXPECT_EQ(GetParent(Options().tabs), Main().window);
  EXPECT_TRUE(MenuTicked(211));
  RECT r;
  GetWindowRect(Main().window, &r);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(r.right - r.left, std::min(1200L, work.right - work.left));
  f.Command(216);  // F9 does nothing in Classic Layout
  EXPECT_FALSE(IsWindowVisible(Options().window));
  f.Command(211);
  PumpMessagesFor(100);
  EXPECT_EQ(GetParent(Options().tabs), Options().window);
  GetWindowRect(Main().window, &r);
  EXPECT_EQ(r.right - r.left, std::min(860L, work.right - work.left));

  // Window size, filters and favourites are kept; an option changed without OK is not.
  MoveWindow(Main().window, 40, 30, 900, 740, TRUE);
  f.SelectRow(f.RowOfGame("sfex2"));
  f.Command(207);
  ChooseFilter(FilterKind::Region, 1);
  std::string region = App().settings.filter_region;
  f.Command(109);  // OK: the options as they are become the applied ones
  App().settings.video = 3;  // as if a page had been read without OK
  f.Close();
  std::string saved = f.ReadText("korvo-settings.cfg");
  EXPECT_NE(saved.find("window_w=900"), std::string::npos) << saved;
  EXPECT_NE(saved.find("favorites=23"), std::string::npos);
  EXPECT_NE(saved.find("filter_region=" + region), std::string::npos);
  EXPECT_NE(saved.find("video=0"), std::string::npos);
}

TEST(MainWindow, SurvivesAnOffScreenRectangleAndHighDpi) {
  MainWindowFixture f("window_x=-30000\r\nwindow_y=-30000\r\nwindow_w=900\r\nwindow_h=700\r\n");
  ASSERT_TRUE(f.Open(288));
  RECT r, work;
  GetWindowRect(Main().window, &r);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_GE(r.left, work.left);
  EXPECT_LE(r.right, work.right);
  EXPECT_EQ(f.Rows(), 462);
}

TEST(MainWindow, Screenshots) {
  for (bool dark : {false, true}) {
    ApplyTheme(dark);
    for (bool classic : {false, true}) {
      MainWindowFixture f(classic ? "options_window=0\r\nsearch_bar=1\r\nfilters_bar=1\r\n"
                                  : "search_bar=1\r\nfilters_bar=1\r\n");
      f.AddSnapshot("snap/pong/0002.png", "sfex2\\0000.png", 1);
      f.AddSnapshot("snap/pong/0001.png", "sfex2\\0001.png", 2);
      ASSERT_TRUE(f.Open());
      f.SelectRow(f.RowOfGame("sfex2"));
      ASSERT_TRUE(f.WaitFor([] { return PreviewPaneShown().answered; }));
      std::string look = dark ? "dark" : "light";
      SaveWindowScreenshot(Main().window, "main-" + std::string(classic ? "classic" : "separate") + "-" + look);
      if (!classic) {
        f.Command(216);
        SaveWindowScreenshot(Options().window, "options-window-" + look);
        f.Command(110);
      }
    }
  }
  ApplyTheme(false);
}

TEST(MainWindow, AMameThatKnowsNoGamesStillListsThemAll) {
  MainWindowFixture f;
  // Any program that is not MAME answers -listfull with nothing useful.
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  CopyInto(Utf16ToUtf8(system) + "\\hostname.exe", f.dir.File("mame.exe"));
  ASSERT_TRUE(f.Open());
  EXPECT_EQ(f.Rows(), 462);
  EXPECT_EQ(f.StatusText(), "462 games (PSX-based and Hyper Neo Geo 64 boards), 2 with ROMs");
}

TEST(MainWindow, EnterAndDoubleClickPlayAndTheLauncherComesBackAfterAMinimisedStart) {
  MainWindowFixture f("on_game_start=1\r\n");
  f.WriteText("fakemame-control.txt", "exit=0\ndelay-ms=400\n");
  ASSERT_TRUE(f.Open());
  DialogDriver boxes;
  f.SelectRow(f.RowOfGame("tekken3"));
  MSG enter = {Main().list, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_TRUE(PreTranslateMainMessage(enter));
  ASSERT_TRUE(Main().launch.running);
  EXPECT_TRUE(IsIconic(Main().window));
  // A second start while one runs is refused with a box.
  f.Command(205);
  EXPECT_TRUE(boxes.SawTitle("Play"));
  ASSERT_TRUE(f.WaitFor([] { return !Main().launch.running; }));
  EXPECT_FALSE(IsIconic(Main().window));

  // An auto-repeated Enter does not start another game.
  MSG repeat = {Main().list, WM_KEYDOWN, VK_RETURN, 1 | (1 << 30), 0, {}};
  EXPECT_FALSE(PreTranslateMainMessage(repeat));
  EXPECT_FALSE(Main().launch.running);
}

TEST(MainWindow, CommandsThatNeedASelectionSaySo) {
  MainWindowFixture f;
  ASSERT_TRUE(f.Open());
  f.SelectRow(-1);
  DialogDriver boxes;
  f.Command(104);
  f.Command(253);
  f.Command(106);
  f.Command(250);
  PumpMessagesFor(200);
  EXPECT_TRUE(boxes.SawTitle("Game Settings"));
  EXPECT_TRUE(boxes.SawTitle("Desktop Icon"));
  EXPECT_TRUE(boxes.SawTitle("Check ROM Set"));
  EXPECT_TRUE(boxes.SawTitle("Play"));
  for (const SeenBox& b : boxes.Seen()) EXPECT_EQ(b.text, "Select a game first.") << b.title;
}

// The dark look painted by the launcher itself: tab strip, status bar, list
// header and a checked toolbar button, read back from the window.
TEST(MainWindow, DarkLookPixels) {
  ApplyTheme(true);
  {
    MainWindowFixture f("options_window=0\r\nfavorites_only=1\r\n");
    ASSERT_TRUE(f.Open());
    PumpMessagesFor(200);
    RedrawWindow(Main().window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessagesFor(200);
    WindowPixels shot(Main().window);
    auto at = [&](HWND control, int x, int y) {
      RECT window_rect, r;
      GetWindowRect(Main().window, &window_rect);
      GetWindowRect(control, &r);
      return shot.At({r.left - window_rect.left + x, r.top - window_rect.top + y});
    };
    RECT tabs;
    GetClientRect(Options().tabs, &tabs);
    EXPECT_EQ(at(Options().tabs, tabs.right - 3, 5), 0x202020u);  // the strip right of the last tab
    EXPECT_EQ(at(Main().status, 20, 0), 0x505050u);              // the status bar's top line
    EXPECT_EQ(at(Main().status, 3, 8), 0x202020u);
    HWND header = ListView_GetHeader(Main().list);
    EXPECT_EQ(at(header, 30, 3), 0x303030u);
    HWND favorites = Main().tools[1];
    EXPECT_EQ(at(favorites, 5, 16), 0x3E3E3Eu);  // checked: the highlight
    EXPECT_EQ(at(Main().tools[0], 5, 16), 0x202020u);  // not checked: the face
    MENUBARINFO bar = {sizeof bar};
    ASSERT_TRUE(GetMenuBarInfo(Main().window, OBJID_MENU, 0, &bar));
    RECT window_rect;
    GetWindowRect(Main().window, &window_rect);
    EXPECT_EQ(shot.At({bar.rcBar.right - window_rect.left - 20, bar.rcBar.top - window_rect.top + 3}), 0x202020u);
  }
  ApplyTheme(false);
}

// Game Settings from the menu, and a restore of a backup made before the game
// had settings of its own: the restore takes them away again.
TEST(MainWindow, GameSettingsFromTheMenuAndARestoreOfAnEarlierBackup) {
  MainWindowFixture f;
  ASSERT_TRUE(f.Open());
  const std::string backup = f.dir.File("before.zip");
  DialogScript save;
  save.Then([&] { return AnswerFileDialog("Backup Settings", backup); });
  f.Command(255);
  ASSERT_TRUE(save.Finished());

  // Cheats of the Game Settings window: -1 keeps what it shows; gives what it showed.
  auto game_settings = [&](int cheats) {
    int shown = -1;
    DialogScript s;
    s.Then([&] {
      HWND window = FindModal("Game Settings");
      if (!window) return false;
      std::pair<int, HWND> search = {1011, nullptr};  // the Cheats list, on a page inside the window
      EnumChildWindows(
          window,
          [](HWND child, LPARAM data) {
            auto* found = reinterpret_cast<std::pair<int, HWND>*>(data);
            if (GetDlgCtrlID(child) == found->first) found->second = child;
            return found->second ? FALSE : TRUE;
          },
          reinterpret_cast<LPARAM>(&search));
      shown = static_cast<int>(SendMessageW(search.second, CB_GETCURSEL, 0, 0));
      if (cheats >= 0) SendMessageW(search.second, CB_SETCURSEL, static_cast<WPARAM>(cheats), 0);
      Press(window, IDOK);
      return true;
    });
    f.Command(250);
    EXPECT_TRUE(s.Finished());
    return shown;
  };
  f.SelectRow(f.RowOfGame("tekken3"));
  EXPECT_EQ(game_settings(1), 0);  // Same As Global, then On
  EXPECT_EQ(f.StatusText(), "This game now has its own settings");
  ASSERT_TRUE(FileExists(f.dir.File("korvo-games.cfg")));

  DialogScript restore;
  restore.Then([&] { return AnswerFileDialog("Restore Settings", backup); })
      .Then([&] { return AnswerBox("Restore Settings", IDYES); });
  f.Command(256);
  ASSERT_TRUE(restore.Finished());
  EXPECT_EQ(f.StatusText().rfind("Backup restored: ", 0), 0u) << f.StatusText();
  EXPECT_FALSE(FileExists(f.dir.File("korvo-games.cfg")));
  EXPECT_TRUE(FileExists(f.dir.File("KORVO-before-restore.zip")));
  f.SelectRow(-1);
  f.SelectRow(f.RowOfGame("tekken3"));
  EXPECT_EQ(f.StatusText().find("its own settings"), std::string::npos) << f.StatusText();
  EXPECT_EQ(game_settings(-1), 0);
  EXPECT_EQ(f.StatusText(), "This game follows the main settings again");
}

TEST(MainWindow, DraggingTheSplitterInClassicLayout) {
  MainWindowFixture f("options_window=0\r\n");
  ASSERT_TRUE(f.Open());
  RECT list;
  GetWindowRect(Main().list, &list);
  MapWindowPoints(nullptr, Main().window, reinterpret_cast<POINT*>(&list), 2);
  int grip_x = list.right + 4, y = list.top + 50;
  SendMessageW(Main().window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grip_x, y));
  SendMessageW(Main().window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(712, y));
  SendMessageW(Main().window, WM_LBUTTONUP, 0, MAKELPARAM(712, y));
  EXPECT_EQ(App().settings.splitter, 700);
  GetWindowRect(Main().list, &list);
  EXPECT_EQ(list.right - list.left, 700);
  // Reset Window Size makes it automatic again.
  f.Command(210);
  EXPECT_EQ(App().settings.splitter, 0);
  EXPECT_EQ(f.StatusText(), "Window size reset");
}

TEST(MainWindow, LoggingOffSavesLikeClosing) {
  MainWindowFixture f;
  ASSERT_TRUE(f.Open());
  MoveWindow(Main().window, 50, 40, 880, 730, TRUE);
  f.SelectRow(f.RowOfGame("tekken3"));
  f.Command(207);
  EXPECT_EQ(SendMessageW(Main().window, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageW(Main().window, WM_ENDSESSION, TRUE, 0);
  std::string saved = f.ReadText("korvo-settings.cfg");
  EXPECT_NE(saved.find("window_w=880"), std::string::npos) << saved;
  EXPECT_NE(saved.find("favorites=82"), std::string::npos);
  EXPECT_TRUE(IsWindow(Main().window));  // the session ends it, not the launcher
}
