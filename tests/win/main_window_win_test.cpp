// The main window as a user goes: browsing, filters, sorting, layouts, playing, a missing MAME or none, the look.

#include <gtest/gtest.h>
#include <oleacc.h>

#include <atomic>
#include <cctype>
#include <functional>
#include <optional>
#include <thread>

#include "app/about_ui_win.h"
#include "app/menu_bar.h"
#include "catalogue/game_list_loader.h"
#include "catalogue/game_list_view_ui_win.h"
#include "main_window_fixture_win.h"
#include "options_page_driver_win.h"
#include "optionsarea/options_area_ui_win.h"
#include "optionsarea/options_page_set_ui_win.h"
#include "preview/preview_pane_ui_win.h"
#include "settings/play_stats.h"
#include "ui/drop_down_win.h"
#include "ui/scale.h"
#include "ui/tool_bar_win.h"

namespace {
const bool journeys_checked = (g_journey_check = [](bool ok, const std::string& what) { EXPECT_TRUE(ok) << what; }, true);

std::string MenuText(HMENU menu, int position) {
  wchar_t text[256] = L"";
  GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
  return Utf16ToUtf8(text);
}

UINT MenuState(int id) {
  SendMessageW(Main().window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(Main().menu), 0);
  return GetMenuState(Main().menu, static_cast<UINT>(id), MF_BYCOMMAND);
}
bool MenuEnabled(int id) { return !(MenuState(id) & MF_GRAYED); }
bool MenuTicked(int id) { return (MenuState(id) & MF_CHECKED) != 0; }

void ClickColumn(int column) {
  NMLISTVIEW click = {{Main().list, static_cast<UINT_PTR>(kIdGameList), LVN_COLUMNCLICK}, -1, column};
  SendMessageW(Main().window, WM_NOTIFY, kIdGameList, reinterpret_cast<LPARAM>(&click));
}

// A click of the mouse on a row, `x` pixels into a column's cell.
void ClickCell(int row, int column, int x) {
  ListView_EnsureVisible(Main().list, row, FALSE);
  POINT at = {HeaderItemRect(ListView_GetHeader(Main().list), column).left + x,
              MiddleOf(RowRect(Main().list, row, LVIR_BOUNDS)).y};
  ClientToScreen(Main().list, &at);
  ClickScreen(at);
}

bool StarFilled(int row) {
  return ListView_GetItemState(Main().list, row, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

void ChooseFilter(FilterKind kind, int index) { ChooseComboEntry(Main().filters[static_cast<int>(kind)], index); }

// For the rest of a scope the system opens text files, web addresses and folders with `program`; then as before.
class ShellOpensWith {
 public:
  explicit ShellOpensWith(const std::string& program) {
    const std::wstring command = L"\"" + Utf8ToUtf16(program) + L"\" \"%1\"";
    for (const wchar_t* key : {L".txt", L"KorvoTest.Text\\shell\\open\\command", L"https\\shell\\open\\command",
                               L"Folder\\shell\\open\\command"}) {
      HKEY k;
      const bool existed = !RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &k) && !RegCloseKey(k);
      wchar_t value[1024];
      DWORD size = sizeof value;
      const bool had = !RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, value, &size);
      kept_.push_back({key, existed, had ? std::optional<std::wstring>(value) : std::nullopt});
      Set(key, key[0] == L'.' ? L"KorvoTest.Text" : command);
    }
  }
  ~ShellOpensWith() {
    for (const auto& [key, existed, value] : kept_) {
      if (value) Set(key, *value);
      else if (existed) RegDeleteKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr);
      else RegDeleteTreeW(HKEY_CLASSES_ROOT, key.substr(0, key.find(L'\\')).c_str());
    }
  }

 private:
  static void Set(const std::wstring& key, const std::wstring& value) {
    RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  std::vector<std::tuple<std::wstring, bool, std::optional<std::wstring>>> kept_;  // key, existed, its value
};

// A menu opened by `open` (a menu of the bar: Alt and its letter), an item chosen with keys (its letter, or a submenu's
// letter then the item's; arrows and Enter where items have no letter), as on a keyboard. A second thread plays the hand: the menu's own loop runs timers late or not at all under Wine. A key press lost on a
// busy machine is pressed again; a menu still open after that is cancelled, so that the test fails on what it checks
// instead of waiting in the menu for good.
void ChooseWithKeys(const std::function<void()>& open, std::initializer_list<WORD> keys) {
  std::atomic<bool> pressed{false}, stop{false};
  HWND window = Main().window;
  std::thread hand([&] {
    for (int polls = 0; !stop && polls < 300; ++polls, Sleep(40)) {
      const bool open = FindWindowW(L"#32768", nullptr) != nullptr;
      if (pressed && !open) return;
      if (open && (!pressed || polls % 50 == 0))
        for (WORD key : keys) PressKey(key, true), PressKey(key, false), Sleep(60), pressed = true;
      if (polls == 250) PostMessageW(window, WM_CANCELMODE, 0, 0);
    }
  });
  // A program the last command opened may have the keyboard now: a click on the status bar brings the launcher back.
  if (GetForegroundWindow() != window) {
    RECT bar;
    GetWindowRect(Main().status, &bar);
    ClickScreen(MiddleOf(bar));
    WaitFor([&] { return GetForegroundWindow() == window; }, 3000);
  }
  open();
  WaitFor([&] { return pressed && !FindWindowW(L"#32768", nullptr); }, 15000);
  stop = true;
  hand.join();
}
void ChooseWithKeys(wchar_t menu, std::initializer_list<WORD> keys) {
  ChooseWithKeys([menu] { PostMessageW(Main().window, WM_SYSCOMMAND, SC_KEYMENU, menu); }, keys);
}

RECT ScreenWorkArea() { RECT work = {}; return SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0), work; }
}  // namespace

TEST(MainWindow, BrowsingTheListLayoutsAndWhatClosingKeeps) {
  MainWindowFixture f;
  ASSERT_TRUE(f.Open() && WaitForListTasks(15000));  // statuses too
  EXPECT_EQ(std::to_string(f.Rows()) + f.StatusText(), "462462 games (PSX-based and Hyper Neo Geo 64 boards), 2 with ROMs");
  EXPECT_FALSE(ToolChecked(113)) << "Fullscreen shown on before the settings window was made";

  // Rescanned with a MAME slow to say how well the sets run: a message shown meanwhile stays when they come.
  f.Write("fakemame-control.txt", "listxml-delay-ms=3000\n");
  f.Command(200);
  ASSERT_TRUE(WaitFor([] { return !Main().loading; }, 15000));
  f.Command(210);
  EXPECT_TRUE(!WaitForListTasks(0) && WaitForListTasks(15000) && (PumpMessagesFor(100), f.StatusText() == "Window size reset"));
  EXPECT_TRUE(WaitFor([&] { return f.StatusText().empty(); }, 8000)) << "a passing note goes after a while";
  // Game Settings (Cheats: On), then a restore of an earlier backup: the game's settings are gone again.
  const std::string backup = f.dir.File("before.zip");
  bool launcher_waits = false;  // the file dialog belongs to the launcher: no click reaches the list behind it
  DialogScript save;
  save.Then([&] {
    return FindBox("Backup Settings") && (launcher_waits = !IsWindowEnabled(Main().window), true) &&
           AnswerFileDialog("Backup Settings", backup);
  });
  f.Command(255);
  f.SelectRow(f.RowOfGame("tekken3"));
  EXPECT_TRUE(WhenShown("Game Settings", [](HWND window) {
    HWND page = FindWindowExW(window, nullptr, L"KorvoGameSettingsPage", nullptr);
    return page && (SendDlgItemMessageW(page, 1011, CB_SETCURSEL, 1, 0), Press(window, IDOK), true);
  }, [&] { f.Command(250); }));
  EXPECT_EQ(f.StatusText(), "This game now has its own settings");
  DialogScript restore;
  restore.Then([&] { return AnswerFileDialog("Restore Settings", backup); })
      .Then([&] { return AnswerBox("Restore Settings", IDYES); });
  f.Command(256);
  ASSERT_TRUE(save.Finished() && restore.Finished());
  EXPECT_TRUE(launcher_waits);
  EXPECT_EQ(f.StatusText().rfind("Backup restored: ", 0), 0u) << f.StatusText();
  EXPECT_FALSE(FileExists(f.dir.File("korvo-games.cfg")));

  // The hidden button other programs may press, as the toolbar and menus do.
  HWND icon_button = GetDlgItem(Main().window, 104);
  EXPECT_TRUE(icon_button && !IsWindowVisible(icon_button) && ControlText(icon_button) == "Create Desktop Icon");
  // Commands that need a game say so while none is selected.
  f.SelectRow(-1);
  DialogDriver boxes;
  for (int id : {104, 253, 106, 250}) f.Command(id);
  PumpMessagesFor(200);
  ASSERT_EQ(boxes.Seen().size(), 4u) << boxes.Titles() << f.StatusText();
  for (const SeenBox& b : boxes.Seen()) EXPECT_EQ(b.text, "Select a game first.") << b.title;
  f.SelectRow(f.RowOfGame("tekken3"));  // its own settings went with the restore
  EXPECT_EQ(f.StatusText().find("its own settings"), std::string::npos) << f.StatusText();
  f.SelectRow(f.RowOfGame("ts2"));  // ROMs missing
  EXPECT_TRUE(!MenuEnabled(205) && f.StatusText().rfind("Missing in the ROMs folder: ts2.zip", 0) == 0);
  f.SelectRow(f.RowOfGame("sfex2"));
  EXPECT_TRUE(MenuEnabled(205));

  // List Only Available ROMs: sfex2 (with its BIOS) and tekken3.
  f.Command(114);
  EXPECT_TRUE(f.Rows() == 2 && MenuTicked(228) && ToolChecked(114));
  f.Command(228);
  EXPECT_TRUE(f.Rows() == 462 && !ToolChecked(114));

  // Search: trimmed, any case; the selected game stays selected and focused.
  SetWindowTextW(Main().search_edit, L"  street FIGHTER ex2 ");
  EXPECT_TRUE(f.Rows() > 3 && f.Rows() < 30) << f.Rows();
  EXPECT_EQ(f.CellText(f.SelectedRow(), 2), "Street Fighter EX2 (Euro 980312)");
  EXPECT_EQ(ListView_GetNextItem(Main().list, -1, LVNI_FOCUSED), f.SelectedRow());
  SetWindowTextW(Main().search_edit, L"");
  EXPECT_TRUE(f.Rows() == 462 && f.SelectedRow() == f.RowOfGame("sfex2"));

  // A filter choice narrows the list; Reset Filters brings all back.
  ChooseFilter(FilterKind::Hardware, 1);
  EXPECT_LT(f.Rows(), 462);
  f.Command(443);
  EXPECT_TRUE(f.Rows() == 462 && App().settings.filter_hardware.empty());

  // Favourites: a star clicked (only on the star itself), Ctrl+D, Favorites Only, where Ctrl+D and Space remove rows.
  for (auto [column, x] : {std::pair{2, S(40)}, {1, S(10)}, {5, S(20)}, {0, S(40)}}) {
    ClickCell(f.RowOfGame("sfex2"), column, x);
    EXPECT_TRUE(App().settings.favorites.empty()) << "a click in column " << column << " starred a game";
  }
  ClickCell(f.RowOfGame("sfex2"), 0, S(9));  // on the star
  f.SelectRow(f.RowOfGame("tekken3"));
  f.Command(207);
  EXPECT_TRUE(StarFilled(f.RowOfGame("sfex2")) && StarFilled(f.RowOfGame("tekken3")));
  EXPECT_EQ(App().settings.favorites, (IdList{23, 82}));
  f.Command(112);
  EXPECT_TRUE(f.Rows() == 2 && MenuTicked(227));
  f.SelectRow(f.RowOfGame("tekken3"));
  f.Command(207);
  EXPECT_EQ(f.Rows(), 1);
  f.SelectRow(0);
  PostMessageW(Main().list, WM_KEYDOWN, VK_SPACE, 0);
  PumpMessagesFor(100);
  EXPECT_TRUE(f.Rows() == 0 && App().settings.favorites.empty());
  f.Command(227);
  EXPECT_EQ(f.Rows(), 462);

  // Sorting by column clicks; Info does not sort.
  ClickColumn(2);
  std::string first = f.CellText(0, 2), last = f.CellText(461, 2);
  EXPECT_LT(_stricmp(first.c_str(), last.c_str()), 0);
  ClickColumn(2);
  EXPECT_TRUE(f.CellText(0, 2) == last && App().settings.sort_ascending == 0);
  ClickColumn(3);
  EXPECT_EQ(App().settings.sort_column, 2);
  ClickColumn(1);
  EXPECT_EQ(f.CellText(0, 1), "1");

  // The column menu: Info hidden by default, 140 wide when shown; Game stays; the status icons go with their column.
  EXPECT_TRUE(ListView_GetColumnWidth(Main().list, 3) == 0 && !MenuTicked(220));
  f.Command(220);
  EXPECT_TRUE(ListView_GetColumnWidth(Main().list, 3) == 140 && MenuTicked(220));
  EXPECT_EQ(App().settings.columns_hidden, kNewColumnsHidden);  // only Last Played and Time Played
  f.Command(219);
  EXPECT_GT(ListView_GetColumnWidth(Main().list, 2), 0);
  f.Command(221);
  EXPECT_TRUE(ListView_GetColumnWidth(Main().list, 4) == 0 && f.StatusImage("tekken3") == I_IMAGENONE);
  f.Command(221);
  EXPECT_EQ(std::to_string(f.StatusImage("tekken3")) + std::to_string(f.StatusImage("ts2")), "01");

  // Classic Layout: the options in the main window, F9 does nothing, the splitter dragged until Reset Window Size.
  const RECT work = ScreenWorkArea();
  f.Command(211);
  PumpMessagesFor(100);
  EXPECT_TRUE(GetParent(Options().tabs) == Main().window && MenuTicked(211));
  EXPECT_EQ(WidthOf(Main().window), std::min(1200L, work.right - work.left));
  f.Command(216);
  EXPECT_FALSE(IsWindowVisible(Options().window));
  const RECT list = RectIn(Main().list, Main().window);
  // The pointer between the list and the options shows the way they part (under the list: the preview pane's test).
  POINT between = {(list.right + RectIn(Options().tabs, Main().window).left) / 2, list.top + 50};
  ClientToScreen(Main().window, &between), SetCursorPos(between.x, between.y), PumpMessagesFor(100);
  CURSORINFO cursor = {sizeof cursor};
  EXPECT_TRUE(GetCursorInfo(&cursor) && cursor.hCursor == LoadCursorW(nullptr, IDC_SIZEWE));
  Drag(Main().window, {list.right + 4, list.top + 50}, {662, list.top + 50});
  EXPECT_TRUE(App().settings.splitter == 650 && WidthOf(Main().list) == 650);
  f.Command(210);
  EXPECT_EQ(std::to_string(App().settings.splitter) + f.StatusText(), "0Window size reset");
  const auto& saved_widths = App().settings.columns_games;  // back to automatic at the next start, too
  EXPECT_EQ(std::count(std::begin(saved_widths), std::end(saved_widths), 0), std::ssize(saved_widths));
  f.Command(211);
  PumpMessagesFor(100);
  EXPECT_TRUE(GetParent(Options().tabs) == Options().window);
  EXPECT_EQ(WidthOf(Main().window), std::min(860L, work.right - work.left));

  // Logging off saves as closing does; the session, not the launcher, ends the window.
  MoveWindow(Main().window, 50, 40, 880, 730, TRUE);
  EXPECT_EQ(SendMessageW(Main().window, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageW(Main().window, WM_ENDSESSION, TRUE, 0);
  EXPECT_NE(f.Read("korvo-settings.cfg").find("window_w=880"), std::string::npos);
  EXPECT_TRUE(IsWindow(Main().window));
  // Closing keeps the window size, filters and favourites, but not an option changed without OK.
  MoveWindow(Main().window, 40, 30, 900, 740, TRUE);
  f.SelectRow(f.RowOfGame("sfex2"));
  f.Command(207);
  ChooseFilter(FilterKind::Region, 1);
  EXPECT_LT(f.Rows(), 462) << "the region chosen narrows the list";
  std::string region = App().settings.filter_region;
  f.Command(109);  // OK: the options as they are become the applied ones
  App().settings.video = 3;  // as if a page had been read without OK
  f.Close();
  const std::string saved = f.Read("korvo-settings.cfg");
  const std::string kept[] = {"window_w=900", "favorites=23", "filter_region=" + region, "video=0"};
  for (const std::string& line : kept) EXPECT_TRUE(HasLine(saved, line)) << line << " in:\n" << saved;
}

// At first every column fits beside the preview, a later one narrows it to its least; no layout change leaves stale.
TEST(MainWindow, TheListsColumnsBesideThePreviewAndEveryLayoutChangeAtScreenDpi) {
  MainWindowFixture f;
  f.AddSnapshot("snap/pong/0000.png", "sfex2\\0000.png", 1);
  ASSERT_TRUE(f.Open(0));
  EXPECT_EQ(GetWindowLongW(Main().list, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), WS_VSCROLL);
  EXPECT_GT(WidthOf(Main().preview), ScaleForDpi(160, Ui().dpi));
  f.Command(220);  // Info
  EXPECT_EQ(WidthOf(Main().preview), ScaleForDpi(160, Ui().dpi));

  f.SelectRow(f.RowOfGame("sfex2"));
  SetFocus(Main().list);
  auto keys = [](std::initializer_list<WORD> pressed) { PressKeys(pressed), PumpMessagesFor(100); };
  auto drag_splitter = [](int by) {
    const RECT list = RectIn(Main().list, Main().window);
    Drag(Main().window, {list.right + S(4), list.top + 50}, {list.right + S(4) + by, list.top + 50});
  };
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"filter bar", [&] { f.Command(230); }}, {"toolbar", [&] { f.Command(231); }},
      {"search bar from the View menu", [&] {
         ChooseWithKeys(L'v', {'S'});
         EXPECT_TRUE(IsWindowVisible(Main().search_edit) && HasLine(f.Read("korvo-settings.cfg"), "search_bar=1"));
       }},
      {"search bar", [&] { keys({VK_CONTROL, 'F'}); }},
      {"search closed", [&] { f.Command(101); EXPECT_FALSE(IsWindowVisible(Main().search_edit) || MenuTicked(229)); }},
      {"filter bar back", [&] { f.Command(230); }},
      {"Year hidden from the header's own menu", [&] {
         POINT year = MiddleOf(HeaderItemRect(ListView_GetHeader(Main().list), 6));
         ClientToScreen(ListView_GetHeader(Main().list), &year);
         ChooseWithKeys([&] { SetCursorPos(year.x, year.y), mouse_event(MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0); }, {'Y'});
         EXPECT_EQ(ListView_GetColumnWidth(Main().list, 6), 0);
       }},
      {"preview hidden", [&] { keys({VK_CONTROL, 'P'}); }}, {"preview shown", [&] { keys({VK_CONTROL, 'P'}); }},
      {"toolbar back", [&] { f.Command(231); }}, {"classic", [&] { f.Command(211); }},
      {"splitter", [&] { drag_splitter(S(400)); }}, {"preview under the list", [&] { keys({VK_CONTROL, 'P'}); }},
      {"narrower", [&] {
         const RECT r = RectIn(Main().window, nullptr);
         SetWindowPos(Main().window, nullptr, 0, 0, r.right - r.left - S(80), r.bottom - r.top - S(60), SWP_NOMOVE | SWP_NOZORDER);
       }},
      {"separate", [&] { f.Command(211); }},
      {"moved to another monitor", [&] {  // as the system says it, with the rectangle it suggests
         RECT r = RectIn(Main().window, nullptr);
         r.left -= S(20), r.right += S(20);
         SendMessageW(Main().window, WM_DPICHANGED, MAKEWPARAM(Ui().dpi, Ui().dpi), reinterpret_cast<LPARAM>(&r));
       }},
  };
  for (const auto& [name, change] : changes) {
    change();
    PumpMessagesFor(200);
    EXPECT_EQ(f.StalePixels(), "") << name;
    LONG fields_end = 0;  // the filter fields share the list's width up to Reset Filters
    for (HWND field : Main().filters) fields_end = std::max(fields_end, RectIn(field, Main().window).right);
    EXPECT_TRUE(!IsWindowVisible(Main().reset_filters) || RectIn(Main().reset_filters, Main().window).left - fields_end == S(6))
        << name;
    if (std::string(name) != "splitter") continue;
    // The list as wide as it goes: the options area keeps the room its rows need, on every tab.
    SaveWindowScreenshot(nullptr, "layout-classic-" + std::to_string(Ui().dpi));
    for (int tab = 0; tab < kOptionsTabCount; ++tab) {
      RECT at = TabItemRect(Options().tabs, tab);
      MapWindowPoints(Options().tabs, nullptr, reinterpret_cast<POINT*>(&at), 2);
      ClickScreen(MiddleOf(at));
      HWND page = Options().pages[tab];
      ASSERT_TRUE(IsWindowVisible(page));
      const RECT area = ClientRectOf(page);
      for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c)) EXPECT_LE(RectIn(c, page).right, area.right) << "tab " << tab << " control " << GetDlgCtrlID(c);
    }
  }
}

// The separate Settings window is made when first opened, where it was left; never opened, its place is kept.
TEST(MainWindow, TheSettingsWindowIsMadeWhenFirstOpenedWhereItWasLeft) {
  const std::string place = "optwin_x=300\r\noptwin_y=40\r\noptwin_w=520\r\noptwin_h=700\r\n";
  {
    MainWindowFixture f(place);
    ASSERT_TRUE(f.Open());
    EXPECT_FALSE(Options().window || Options().tabs);
    f.Close();
    EXPECT_NE(f.Read("korvo-settings.cfg").find(place), std::string::npos) << f.Read("korvo-settings.cfg");
  }
  {
    MainWindowFixture f(place);
    ASSERT_TRUE(f.Open());
    f.Command(117);  // Video Settings
    ASSERT_TRUE(Options().window && IsWindowVisible(Options().window));
    const RECT r = RectIn(Options().window, nullptr);
    EXPECT_TRUE(r.left == 300 && r.top == 40 && r.right - r.left == 520 && r.bottom - r.top == 700);
    EXPECT_TRUE(TabCtrl_GetCurSel(Options().tabs) == kTabVideo && IsWindowVisible(Options().pages[kTabVideo]));
    SendMessageW(Options().window, WM_SYSCOMMAND, SC_MINIMIZE, 0);  // asked for again, it comes back
    f.Command(117);
    EXPECT_FALSE(IsIconic(Options().window));
  }

  // Left partly off the screen (another DPI, a monitor gone): both come back inside the work area, as large as fits.
  MainWindowFixture off("optwin_x=1100\r\noptwin_y=500\r\noptwin_w=840\r\noptwin_h=1200\r\n"
                        "window_x=-200\r\nwindow_y=300\r\nwindow_w=900\r\nwindow_h=800\r\n");
  ASSERT_TRUE(off.Open());
  off.Command(216);
  const RECT work = ScreenWorkArea();
  for (HWND w : {Options().window, Main().window}) {
    const RECT r = RectIn(w, nullptr);
    EXPECT_TRUE(r.left >= work.left && r.top >= work.top && r.right <= work.right && r.bottom <= work.bottom)
        << r.left << "," << r.top << " " << r.right << "," << r.bottom;
  }
  EXPECT_EQ(WidthOf(Main().window), 900);
}

// Help > Korvo User's Guide opens the README.txt that came with the launcher, or without it the guide on the web,
// each with what the system opens such things with (here the fake MAME, which notes how it was started); so are
// MAME's documentation, the pages of About's links and the File menu's folders.
TEST(MainWindow, TheHelpMenuOpensTheGuideBesideTheLauncherOrOnTheWeb) {
  MainWindowFixture f;
  const ShellOpensWith shell(f.dir.File("mame.exe"));
  ASSERT_TRUE(f.Open());
  f.Write("README.txt", "KORVO\r\n");
  ChooseWithKeys(L'h', {'U'});
  EXPECT_TRUE(WaitFor([&] { return f.CallsWith(f.dir.File("README.txt")) == 1; })) << f.Read("fakemame-calls.txt");
  DeleteFileW(Utf8ToUtf16(f.dir.File("README.txt")).c_str());
  WaitFor([] { return CountProcesses(L"mame.exe") == 0; });  // the opener of the text has done
  // The opener had the foreground: keys pressed now may reach no window under Wine, so the menu's commands from here.
  f.Command(kUserGuideCommand);
  EXPECT_TRUE(WaitFor([&] { return f.CallsWith(kUserGuideAddress) == 1; })) << f.Read("fakemame-calls.txt");
  // MAME has not taken a snapshot yet: Open Screenshots Folder makes the folder and opens it.
  f.Command(254);
  EXPECT_TRUE(WaitFor([&] { return f.CallsWith(f.dir.File("snap")) == 1; })) << f.Read("fakemame-calls.txt");
  // MAME Documentation, and each of About's links clicked: each opens its own page.
  f.Command(259);
  EXPECT_TRUE(WaitFor([&] { return f.CallsWith(kMameDocumentationAddress) == 1; })) << f.Read("fakemame-calls.txt");
  EXPECT_TRUE(WhenShown("About", [&](HWND dialog) {
    for (auto [link, address] : {std::pair{L"Dravo", kEarlierLauncherAddress}, {L"Korvo", kKorvoAddress}}) {
      ClickScreen(MiddleOf(RectIn(FindWindowExW(dialog, nullptr, nullptr, link), nullptr)));
      EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));  // the pointer shows a link
      EXPECT_TRUE(WaitFor([&] { return f.CallsWith(address) == 1; })) << f.Read("fakemame-calls.txt");
    }
    return Press(dialog, IDOK), true;
  }, [&] { f.Command(215); }));
}

TEST(MainWindow, PlayingFillsTheRecentMenuAndAFailureOpensTheRomCheck) {
  MainWindowFixture f("logs=1\r\non_game_start=1\r\n");
  // A MAME without the Windows build's HLSL options (the SDL build's list).
  f.Write("fakemame-control.txt", "exit=0\ndelay-ms=400\nshowusage-osd=sdl\n");
  ASSERT_TRUE(f.Open());
  DialogDriver boxes([](HWND, const SeenBox& seen) { return seen.title == "Play"; });  // held open by a script below
  // sfex2 with a double click on its row, tekken3 with Enter; the launcher is minimised meanwhile.
  for (const char* set : {"sfex2", "tekken3"}) {
    f.SelectRow(f.RowOfGame(set));
    MSG enter = {Main().list, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    if (set[0] == 's') ClickCell(f.RowOfGame(set), 2, S(40)), ClickCell(f.RowOfGame(set), 2, S(40));
    else EXPECT_TRUE(PreTranslateMainMessage(enter));
    ASSERT_TRUE(Main().launch.running && IsIconic(Main().window)) << set;
    EXPECT_TRUE(f.StatusText().rfind("Playing: ", 0) == 0 &&
                f.StatusText().find("   |   Left out for this MAME: -nohlsl_enable") != std::string::npos) << f.StatusText();
    ASSERT_TRUE(WaitFor([] { return !Main().launch.running; }) && !IsIconic(Main().window));
  }
  EXPECT_NE(f.Read("korvo-settings.cfg").find("recent=82,23"), std::string::npos);
  EXPECT_EQ(f.CellText(f.RowOfGame("tekken3"), 7), PlayDateText(LocalDateOf(std::time(nullptr)), true));  // Last Played
  // An end within 5 s with code 0 says so in the status bar, and no box (the second it took varies with the load).
  EXPECT_EQ(f.StatusText().substr(0, 18) + f.StatusText().substr(19, 16) + "|" + std::to_string(boxes.Seen().size()), "MAME closed after  s (exit code 0)|0");

  // What this MAME lacks is left out of the start, and said in the log.
  auto calls = f.Calls();
  ASSERT_FALSE(calls.empty());
  std::vector<std::string> last = calls.back().args;
  EXPECT_TRUE(last.front() == "tekken3" && !std::count(last.begin(), last.end(), "-nohlsl_enable"));
  EXPECT_NE(f.Read("logs\\korvo-launch.log").find("\r\nLeft out for this MAME: -nohlsl_enable\r\n"), std::string::npos);

  // An auto-repeated Enter starts nothing; a second start while one runs is refused. MAME's end while that box is up
  // is told once it is closed.
  MSG repeat = {Main().list, WM_KEYDOWN, VK_RETURN, 1 | (1 << 30), 0, {}};
  EXPECT_FALSE(PreTranslateMainMessage(repeat) || Main().launch.running);
  DWORD ended_at = 0;
  std::string while_open;
  DialogScript hold;
  hold.Then([&] { return FindBox("Play") && CountProcesses(L"mame.exe") == 0 && (ended_at = GetTickCount()); }).Then([&] {
    return GetTickCount() - ended_at > 500 && (while_open = f.StatusText(), PostMessageW(FindBox("Play"), WM_COMMAND, IDOK, 0));
  });
  for (int twice = 0; twice < 2; ++twice) f.Command(205);
  EXPECT_EQ(while_open.substr(0, 9), "Playing: ");
  ASSERT_TRUE(WaitFor([&] { return !Main().launch.running && f.StatusText().rfind("MAME closed after", 0) == 0; }));

  // Street Fighter EX2 again from Recent Files; tekken3 full screen from its row's menu, opened with Shift+F10.
  const size_t started = f.Calls().size();
  ChooseWithKeys(L'f', {'F', '2'});
  ASSERT_TRUE(WaitFor([&] { return f.CallsWith("sfex2") == 2 && !Main().launch.running; }));
  f.SelectRow(f.RowOfGame("tekken3"));
  ChooseWithKeys([] { SetFocus(Main().list), PressKeys({VK_SHIFT, VK_F10}); }, {VK_DOWN, VK_DOWN, VK_RETURN});
  ASSERT_TRUE(WaitFor([&] { return f.Calls().size() == started + 2 && !Main().launch.running; }));
  last = f.Calls().back().args;
  EXPECT_TRUE(last.front() == "tekken3" && std::count(last.begin(), last.end(), "-nowindow")) << f.Read("fakemame-calls.txt");
  // Full screen turned on, sfex2 windowed from the menu of its row, opened with a right click there.
  f.Command(113);
  ListView_EnsureVisible(Main().list, f.RowOfGame("sfex2"), FALSE);  // scrolled to, as a user would
  POINT on = MiddleOf(RowRect(Main().list, f.RowOfGame("sfex2"), LVIR_BOUNDS));
  ClientToScreen(Main().list, &on);
  ChooseWithKeys([&] { SetCursorPos(on.x, on.y), mouse_event(MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0); },
                 {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  ASSERT_TRUE(WaitFor([&] { return f.Calls().size() == started + 3 && !Main().launch.running; }));
  last = f.Calls().back().args;
  EXPECT_TRUE(last.front() == "sfex2" && std::count(last.begin(), last.end(), "-window") &&
              f.SelectedRow() == f.RowOfGame("sfex2")) << f.Read("fakemame-calls.txt");
  f.Command(203);  // Clear Recent Files
  EXPECT_TRUE(MenuText(Main().recent_menu, 0) == "(No Recent Games)" && !MenuEnabled(203));

  // A failed start explains the exit code and opens the ROM check, not a box.
  f.Write("fakemame-control.txt", "exit=2\n");
  f.SelectRow(f.RowOfGame("sfex2"));
  size_t seen = boxes.Seen().size();
  f.Command(205);
  ASSERT_TRUE(WaitFor([&] { return !Main().launch.running && boxes.Seen().size() > seen; }));
  EXPECT_EQ(f.StatusText().rfind("MAME exited with code 2: ROM files are missing or wrong (Game > Check ROM Set)", 0), 0u);
  EXPECT_TRUE(boxes.SawTitle("Check ROM Set") && !boxes.SawTitle("MAME Ended"));
  ASSERT_TRUE(WaitFor([] { return CountProcesses(L"mame.exe") == 0; }));  // then a mame.exe that is no program:
  f.Write("mame.exe", "not a program");
  EXPECT_EQ(Answered("Could Not Start MAME", IDOK, [&] { f.Command(205); }), "Windows error 193");  // Windows' reason
  CopyInto(TestBuildFolder() + "\\tools\\fakemame\\mame.exe", f.dir.File("mame.exe"));
  f.Write("fakemame-control.txt", "exit=0\n");
  f.Command(216);
  ChoosePage(kOnGameStartId, 2);  // close on a game's start: the launcher saves and ends, MAME goes on
  f.Command(109);
  f.Command(205);
  EXPECT_TRUE(WaitFor([] { return !IsWindow(Main().window); }) && f.CallsWith("sfex2") > 0);
}

// Without MAME, off the screen and at 288 DPI: said once, the list is there; so with a program that is not MAME.
TEST(MainWindow, WithoutMameAndWithAProgramThatIsNoMame) {
  MainWindowFixture f("window_x=-30000\r\nwindow_y=-30000\r\nwindow_w=900\r\nwindow_h=700\r\n", /*with_mame=*/false);
  DialogDriver boxes;
  ASSERT_TRUE(f.Open(288));
  ASSERT_TRUE(WaitFor([&] { return boxes.SawTitle("MAME Not Found"); }));
  EXPECT_EQ(f.StatusText(), "mame.exe was not found (General tab > MAME Program)   |   462 games listed");
  f.Command(200);  // a rescan does not show the box again
  ASSERT_TRUE(WaitFor([] { return !Main().loading; }));
  PumpMessagesFor(200);
  EXPECT_EQ(boxes.Seen().size(), 1u);

  CopyInto("C:\\windows\\system32\\hostname.exe", f.dir.File("mame.exe"));
  f.Command(200);
  ASSERT_TRUE(WaitFor([] { return Main().has_list && !Main().loading; }));
  EXPECT_EQ(std::to_string(f.Rows()) + f.StatusText(), "462462 games (PSX-based and Hyper Neo Geo 64 boards), 2 with ROMs");
}

// A refill redraws only what it changed: after each search key, in both looks and scrolled sideways, the list is whole.
TEST(MainWindow, AfterEachSearchKeystrokeTheListLooksAsAFullRepaintDrawsIt) {
  for (bool dark : {false, true}) {
    const Look look(dark);
    MainWindowFixture f("search_bar=1\r\ncolumns_hidden=0\r\n");  // Info shown: wider than the list
    ASSERT_TRUE(f.Open());
    SetForegroundWindow(Main().window);
    SCROLLBARINFO sideways = {sizeof sideways};
    ASSERT_TRUE(GetScrollBarInfo(Main().list, OBJID_HSCROLL, &sideways) &&
                !(sideways.rgstate[0] & STATE_SYSTEM_INVISIBLE))
        << "the columns fit: nothing to scroll sideways";
    const RECT& bar = sideways.rcScrollBar;
    const POINT right_arrow = {bar.right - (bar.bottom - bar.top) / 2, (bar.top + bar.bottom) / 2};
    for (int click = 0; click < 2; ++click) ClickScreen(right_arrow);
    ASSERT_GT(GetScrollPos(Main().list, SB_HORZ), 0);

    ClickScreen(MiddleOf(RectIn(Main().search_edit, nullptr)));
    ASSERT_EQ(GetFocus(), Main().search_edit);
    const std::string typed = "street";
    std::vector<int> rows_seen;
    for (size_t i = 0; i < typed.size() * 2; ++i) {
      const WORD key = i < typed.size() ? static_cast<WORD>(std::toupper(typed[i])) : VK_BACK;
      PressKeys({key});
      PumpMessagesFor(60);
      rows_seen.push_back(f.Rows());
      WindowPixels seen(Main().list);
      RedrawWindow(Main().list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      WindowPixels repainted(Main().list);
      int differ = 0;
      for (size_t k = 0; k < seen.rgb.size(); ++k) differ += (seen.rgb[k] ^ repainted.rgb[k]) & 0xFFFFFF ? 1 : 0;
      EXPECT_EQ(differ, 0) << look.name << ", after key " << i << " with " << f.Rows() << " rows";
    }
    // The steps went through a scroll bar's thumb moving, going and coming back.
    EXPECT_TRUE(rows_seen.front() < 462 && rows_seen[typed.size() - 1] < 20 && rows_seen.back() == 462)
        << rows_seen.front() << " " << rows_seen[typed.size() - 1] << " " << rows_seen.back();
    if (dark) continue;
    // The chosen game scrolled away with the wheel: Down from the search field brings it back into view.
    f.SelectRow(f.Rows() - 1);
    const POINT rows_at = MiddleOf(RectIn(Main().list, nullptr));
    SetCursorPos(rows_at.x, rows_at.y), mouse_event(MOUSEEVENTF_WHEEL, 0, 0, 200 * WHEEL_DELTA, 0), PumpMessagesFor(100);
    ASSERT_EQ(ListView_GetTopIndex(Main().list), 0);
    ClickScreen(MiddleOf(RectIn(Main().search_edit, nullptr)));
    PressKeys({VK_DOWN});
    ASSERT_TRUE(PumpUntil([] { return GetFocus() == Main().list; }, 3000));
    const int top = ListView_GetTopIndex(Main().list), chosen = f.SelectedRow();
    EXPECT_TRUE(chosen == f.Rows() - 1 && top + ListView_GetCountPerPage(Main().list) > chosen) << top << " " << chosen;
    // A search hiding the selected game: Down selects the first result, Enter plays it (a box: its ROMs are missing).
    const RECT search = RectIn(Main().search_edit, nullptr);  // not where it was clicked: no double-click
    ClickScreen({search.left + 8, (search.top + search.bottom) / 2});
    for (WORD key : {WORD('T'), WORD('E'), WORD('K'), WORD(VK_DOWN)}) PressKeys({key});
    ASSERT_TRUE(PumpUntil([] { return GetFocus() == Main().list; }, 3000));
    EXPECT_TRUE(f.SelectedRow() == 0 && f.CellText(0, 2).rfind("Tekken", 0) == 0) << f.SelectedRow();
    EXPECT_EQ(Answered("Play", IDOK, [] { PressKeys({VK_RETURN}), PumpUntil(nullptr, 300); }),
              "The ROM files of this game were not found in the ROMs folder.");
  }
}

// Both layouts in both looks; in the dark one, what the main window has painted dark read back.
TEST(MainWindow, ScreenshotsAndTheDarkLooksPixels) {
  for (bool dark : {false, true}) {
    const Look look(dark);
    MainWindowFixture f("search_bar=1\r\nfilters_bar=1\r\n");
    f.AddSnapshot("snap/pong/0002.png", "sfex2\\0000.png", 1);
    f.AddSnapshot("snap/pong/0001.png", "sfex2\\0001.png", 2);
    ASSERT_TRUE(f.Open());
    f.SelectRow(f.RowOfGame("sfex2"));
    ASSERT_TRUE(WaitFor([] { return PreviewPaneShown().answered; }));
    SaveWindowScreenshot(Main().window, "main-separate-" + look.name);
    f.Command(211);  // Classic Layout
    PumpMessagesFor(100);
    SaveWindowScreenshot(Main().window, "main-classic-" + look.name);
    if (!dark) continue;

    // The rows as painted: the third row selected in the focused list and starred with Ctrl+D.
    SetFocus(Main().list);
    f.SelectRow(0);  // the list's top in view: the rows above the third are looked at too
    HWND header = ListView_GetHeader(Main().list);
    const RECT star = HeaderItemRect(header, 0), hardware = HeaderItemRect(header, 5);
    auto middle = [](int row) { return MiddleOf(RowRect(Main().list, row, LVIR_BOUNDS)).y; };
    for (uint32_t shown : {0xE8E8E8u, 0x0063B1u}) {  // the first row's star, put on and taken off, shows at once
      f.Command(207);
      PumpMessagesFor(100);
      EXPECT_EQ(WindowPixels(Main().window).In(Main().list, star.left + 10, middle(0)), shown);
    }
    f.SelectRow(2);
    f.Command(207);
    PumpMessagesFor(100);
    WindowPixels rows(Main().window);
    EXPECT_EQ(rows.In(Main().list, hardware.right - 3, middle(2)), 0x0063B1u);  // the whole row, to its last cell
    EXPECT_EQ(rows.In(Main().list, hardware.right - 3, middle(1)), 0x282828u);
    EXPECT_EQ(rows.In(Main().list, star.left + 10, middle(2)), 0xE8E8E8u);  // a filled star
    RECT empty = RowRect(Main().list, 1, LVIR_BOUNDS);  // an empty one: its outline only
    empty.left = star.left, empty.right = star.right;
    EXPECT_TRUE(rows.In(Main().list, star.left + 10, middle(1)) == 0x282828u &&
                rows.Count(Main().list, empty, [](uint32_t c) { return c != 0x282828u; }) > 10);

    // Widening the # column by its divider moves the star right with the header.
    const RECT number = HeaderItemRect(header, 1);
    Drag(header, {number.right - 1, MiddleOf(number).y}, {number.right + 29, MiddleOf(number).y});
    const RECT moved = HeaderItemRect(header, 0);
    ASSERT_EQ(moved.left, star.left + 30);
    RedrawWindow(Main().list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessagesFor(100);
    WindowPixels wider(Main().window);
    EXPECT_EQ(wider.In(Main().list, star.left + 10, middle(2)), 0x0063B1u);
    EXPECT_EQ(wider.In(Main().list, moved.left + 10, middle(2)), 0xE8E8E8u);
    // A double-click on that divider fits the column to its numbers again, no narrower than its smallest width.
    const RECT widened = HeaderItemRect(header, 1);
    SendMessageW(header, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(widened.right - 1, MiddleOf(widened).y));
    SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(widened.right - 1, MiddleOf(widened).y));
    const RECT fitted = HeaderItemRect(header, 1);
    EXPECT_TRUE(fitted.right < widened.right && fitted.right - fitted.left >= S(32)) << fitted.right - fitted.left;
    // Just right of a divider where hidden columns sit (Info, Last Played): dragged from there, they stay hidden.
    const RECT info = HeaderItemRect(header, 3);
    Drag(header, {info.left + 2, MiddleOf(info).y}, {info.left + 42, MiddleOf(info).y});
    for (int hidden : {3, 7, 8}) EXPECT_EQ(HeaderItemRect(header, hidden).right, HeaderItemRect(header, hidden).left);
    const RECT game = HeaderItemRect(header, 2);  // dragged almost shut, the Game column keeps its smallest width
    Drag(header, {game.right - 1, MiddleOf(game).y}, {game.left + 5, MiddleOf(game).y});
    EXPECT_GE(HeaderItemRect(header, 2).right - HeaderItemRect(header, 2).left, S(64));
    // Widened again, a title that does not fit is cut afresh for the new width (not kept as cut for the old one): it
    // fills the cell and ends in the three dots, which stand only on the line.
    const RECT shut = HeaderItemRect(header, 2);
    Drag(header, {shut.right - 1, MiddleOf(shut).y}, {shut.right + S(30), MiddleOf(shut).y});
    PumpMessagesFor(100);
    const int inside = HeaderItemRect(header, 2).right - S(6);
    WindowPixels cut(Main().window);
    HDC dc = GetDC(Main().list);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Main().list, WM_GETFONT, 0, 0)));
    int cut_rows = 0;
    for (int row : {0, 1, 3, 4}) {
      const std::wstring title = Utf8ToUtf16(f.CellText(row, 2));
      SIZE size = {};
      GetTextExtentPoint32W(dc, title.c_str(), static_cast<int>(title.size()), &size);
      if (size.cx <= inside - HeaderItemRect(header, 2).left - S(6)) continue;  // it fits
      ++cut_rows;
      const RECT band = RowRect(Main().list, row, LVIR_BOUNDS);
      int right = 0, top = band.bottom, bottom = 0;  // the last inked column; the ink's height just before it
      for (int x = 0; x < inside; ++x)
        for (int y = band.top + 1; y < band.bottom - 1; ++y)
          if (cut.In(Main().list, x, y) != 0x282828u) right = x;
      for (int x = right - S(5); x <= right; ++x)
        for (int y = band.top + 1; y < band.bottom - 1; ++y)
          if (cut.In(Main().list, x, y) != 0x282828u) top = std::min<int>(top, y), bottom = std::max<int>(bottom, y);
      EXPECT_TRUE(right >= inside - S(16) && bottom - top < S(4)) << f.CellText(row, 2) << ": " << inside - right;
    }
    ReleaseDC(Main().list, dc);
    EXPECT_GT(cut_rows, 0);

    f.Command(112);  // Favorites Only: its toolbar button checked
    RedrawWindow(Main().window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessagesFor(200);
    WindowPixels shot(Main().window);
    EXPECT_EQ(shot.In(Options().tabs, ClientRectOf(Options().tabs).right - 3, 5), 0x202020u);  // right of the last tab
    EXPECT_EQ(shot.In(Main().status, 20, 0), 0x505050u);               // the status bar's top line
    EXPECT_TRUE(shot.In(Main().status, 3, 8) == 0x202020u && shot.In(ListView_GetHeader(Main().list), 30, 3) == 0x303030u);
    EXPECT_EQ(shot.In(Main().toolbar, ToolRect(Main().toolbar, 112).left + 5, 16), 0x3E3E3Eu);  // checked: the highlight
    EXPECT_EQ(shot.In(Main().toolbar, ToolRect(Main().toolbar, 200).left + 5, 16), 0x202020u);  // not checked: the face
    // A toggle pressed and let go over the list does nothing; the pointer back over it finds it hot, not pressed.
    const RECT toggle = ToolRect(Main().toolbar, 112);
    POINT on = MiddleOf(toggle), off = MiddleOf(RectIn(Main().list, nullptr));
    ClientToScreen(Main().toolbar, &on);
    for (auto [at, button] : {std::pair{on, MOUSEEVENTF_LEFTDOWN}, {off, MOUSEEVENTF_LEFTUP}, {on, MOUSEEVENTF_MOVE}}) {
      SetCursorPos(at.x, at.y);
      mouse_event(button, 0, 0, 0, 0);
      PumpMessagesFor(100);
    }
    const uint32_t back_over = WindowPixels(Main().window).In(Main().toolbar, toggle.left + 5, 16);
    EXPECT_TRUE(App().settings.favorites_only && back_over == 0x444444u) << std::hex << back_over;  // the hot colour
    for (POINT at : {off, on, off})  // away, back and away again: no longer hot
      SetCursorPos(at.x, at.y), mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0), PumpMessagesFor(300);
    EXPECT_TRUE(WaitFor([&] { return WindowPixels(Main().window).In(Main().toolbar, toggle.left + 5, 16) == 0x3E3E3Eu; }, 3000));
    // Each of its buttons explains itself when pointed at.
    for (const ToolItem& item : kToolItems) {
      wchar_t text[256] = L"";
      TTTOOLINFOW tip = {sizeof tip, 0, Main().toolbar, static_cast<UINT_PTR>(item.id), {}, nullptr, text};
      EXPECT_TRUE(!item.tip || SendMessageW(Main().tooltips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tip)))
          << item.tip;
    }
    MENUBARINFO bar = {sizeof bar};
    ASSERT_TRUE(GetMenuBarInfo(Main().window, OBJID_MENU, 0, &bar));
    const RECT listed = RectIn(Main().list, nullptr);  // the menu bar dark, and the list's edge
    EXPECT_TRUE(shot.In(nullptr, bar.rcBar.right - 20, bar.rcBar.top + 3) == 0x202020u &&
                shot.In(nullptr, listed.left, (listed.top + listed.bottom) / 2) == 0x505050u);
    // A filter field: the controls' background, its entry and arrow in the text colour; its open list dark too.
    HWND field = Main().filters[static_cast<int>(FilterKind::Hardware)];
    const RECT box = ClientRectOf(field);
    int text_seen = 0;
    for (int x = 2; x < box.right - 2; ++x) text_seen += shot.In(field, x, box.bottom / 2) == 0xE8E8E8u;
    EXPECT_TRUE(shot.In(field, 3, 3) == 0x282828u && shot.In(field, box.right - 3, 3) == 0x282828u && text_seen > 3)
        << std::hex << shot.In(field, 3, 3) << " " << text_seen;
    SendMessageW(field, CB_SHOWDROPDOWN, TRUE, 0);
    HWND open = DropDownList(field);
    ASSERT_TRUE(open && SendMessageW(open, WM_GETFONT, 0, 0) == SendMessageW(field, WM_GETFONT, 0, 0));  // its letters
    RedrawWindow(open, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT last;
    SendMessageW(open, LB_GETITEMRECT, SendMessageW(open, LB_GETCOUNT, 0, 0) - 1, reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(WindowPixels(open).In(open, last.right - 3, last.top + 1), 0x383838u);  // the list fields' colour
    SendMessageW(field, CB_SHOWDROPDOWN, FALSE, 0);
  }
}
