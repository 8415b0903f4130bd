// Couch mode on injected pad readings: an evening through the list, a game, options and other windows; --game ended.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "controls/controls_tab_ui_win.h"
#include "controls/pad_poller_win.h"
#include "launch/frontend.h"
#include "main_window_fixture_win.h"
#include "options_page_driver_win.h"
#include "optionsarea/options_page_set_ui_win.h"
#include "preview/preview_pane_ui_win.h"

namespace {
constexpr uint16_t kUp = 0x0001, kDown = 0x0002, kLeft = 0x0004, kRight = 0x0008, kStart = 0x0010, kBack = 0x0020, kLB = 0x0100, kRB = 0x0200,
                   kA = 0x1000, kB = 0x2000, kX = 0x4000, kY = 0x8000,
                   kLT = 0x0400, kRT = 0x0800;  // the triggers, pulled all the way (bits no button uses)

// The buttons held on the first XInput pad, set from any thread; a tap is let go after 100 ms, busy launcher or not.
std::atomic<uint16_t> held{0}, tapped{0};
std::atomic<DWORD> tapped_until{0};
std::atomic<bool> plugged{true};
std::atomic<int> reads{0};  // of the pad, by the launcher

uint16_t HandButtons() { return held | (static_cast<LONG>(GetTickCount() - tapped_until) < 0 ? tapped.load() : 0); }
void ReadHand(PadReadings& r) {
  const uint16_t hand = plugged ? HandButtons() : 0;
  ++reads, r.pads[0].ok = plugged, r.pads[0].buttons = hand & ~(kLT | kRT);
  r.pads[0].left_trigger = hand & kLT ? 255 : 0, r.pads[0].right_trigger = hand & kRT ? 255 : 0;
}

struct InjectedPad {
  explicit InjectedPad(bool plugged_in = true) {
    held = tapped = 0, plugged = plugged_in;
    SetPadSource({[] { return true; }, ReadHand, [] {}});
  }
  ~InjectedPad() { SetPadSource({}); }
};

void Pump(DWORD ms) { PumpUntil(nullptr, ms); }
void TapNow(uint16_t buttons) { tapped = buttons, tapped_until = GetTickCount() + 100; }
// A press as a hand makes it, and a moment for the launcher to answer.
void Tap(uint16_t buttons) { TapNow(buttons), Pump(240); }

// Enter presses that reach the system's input, whoever sends them.
std::atomic<int> enters{0};
LRESULT CALLBACK CountEnters(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION && message == WM_KEYDOWN && reinterpret_cast<KBDLLHOOKSTRUCT*>(data)->vkCode == VK_RETURN)
    ++enters;
  return CallNextHookEx(nullptr, code, message, data);
}

bool MameInFront() { HWND w = FindWindowW(L"FakeMamePicture", nullptr); return w && GetForegroundWindow() == w; }
}  // namespace

// An evening with the pad, plugged in late (Ctrl+P, menu keys aside): each step's selection, focus, nothing stale.
TEST(PadNavigationWin, AnEveningOnTheCouchWithThePadOnlyAtScreenDpi) {
  HDC screen = GetDC(nullptr);
  const Look look(GetDeviceCaps(screen, LOGPIXELSX) == 144);
  ReleaseDC(nullptr, screen);
  InjectedPad pad(/*plugged_in=*/false);
  // Sorted by status, available first: tekken3 (a favourite), then sfex2, then the other 460.
  MainWindowFixture f("on_game_start=1\r\nsort_column=4\r\nsort_ascending=0\r\nfavorites=82\r\nskip_warnings=1\r\n");
  f.Write("fakemame-control.txt", "picture=320x240\n");
  for (int i = 0; i < 3; ++i)
    f.AddSnapshot("snap/pong/000" + std::to_string(i) + ".png", "sfex2\\000" + std::to_string(i) + ".png", i + 1);
  ASSERT_TRUE(f.Open(0));
  ASSERT_TRUE(PumpUntil([] { return GetForegroundWindow() == Main().window; }));
  int step = 0;
  auto seen = [&](const std::string& name, int selected, HWND focus) {
    SaveWindowScreenshot(nullptr, "couch-" + look.name + "-" + std::to_string(++step) + "-" + name);
    EXPECT_EQ(f.SelectedRow(), selected) << name;
    EXPECT_EQ(GetFocus(), focus) << name;
    EXPECT_EQ(f.StalePixels(), "") << name;
  };
  const int tekken3 = f.RowOfGame("tekken3"), sfex2 = f.RowOfGame("sfex2");
  ASSERT_TRUE(tekken3 == 0 && sfex2 == 1);
  seen("start", -1, Main().list);
  // Without a pad the idle launcher only looks for one now and then; once one is plugged in it is read every frame.
  Pump(600);
  reads = 0;
  Pump(1000);
  EXPECT_LE(reads, 6) << "an idle launcher without a pad woke every frame";
  plugged = true;
  Pump(kPadLookPeriodMs + 200);
  reads = 0;
  Tap(kDown);
  EXPECT_GE(reads, 8) << "a connected pad is read every frame";
  seen("first-down", tekken3, Main().list);
  Tap(kX);
  seen("search", tekken3, Main().search_edit);
  Tap(kDown);
  seen("into-the-results", tekken3, Main().list);
  Tap(kDown);
  ASSERT_TRUE(WaitFor([] { return PreviewPaneShown().set == "sfex2"; }));
  seen("picked", sfex2, Main().list);
  // RT and LT step through its pictures; Y stars the game, and takes the star away again.
  for (auto [trigger, index] : {std::pair{kRT, 1}, {kLT, 0}}) {
    Tap(trigger);
    EXPECT_TRUE(PumpUntil([&] { return PreviewPaneShown().index == index; }, 3000)) << trigger;
  }
  Tap(kY);
  EXPECT_TRUE(IdListContains(App().settings.favorites, FindGameBySet(Main().games, "sfex2")->number));
  Tap(kY);
  EXPECT_EQ(App().settings.favorites.size(), 1u);

  // A plays it; the launcher steps aside for MAME's window, and the pad leaves the launcher alone meanwhile.
  Tap(kA);
  ASSERT_TRUE(PumpUntil([&] { return Main().launch.running; }) && PumpUntil(MameInFront));
  // F13 (scan code 100) reaches MAME's window, to skip its warnings.
  EXPECT_TRUE(PumpUntil([&] { return f.Read("fakemame-calls.txt").find("key=100\n") != std::string::npos; }, 3000));
  EXPECT_TRUE(f.CallsWith("sfex2") == 1u && IsIconic(Main().window));
  const size_t calls = f.Calls().size();
  Tap(kDown);
  Tap(kA);
  EXPECT_TRUE(f.SelectedRow() == sfex2 && f.Calls().size() == calls);
  // Back + Start held: half a second does nothing, a second asks MAME's window to close, without a word.
  held = kBack | kStart;
  Pump(500);
  EXPECT_TRUE(Main().launch.running);
  ASSERT_TRUE(PumpUntil([] { return !Main().launch.running; }, 6000));
  held = 0;
  EXPECT_TRUE(Main().launch.stopped_by_user && !IsIconic(Main().window) && GetForegroundWindow() == Main().window);
  EXPECT_FALSE(FileExists(f.dir.File("korvo-output.tmp")));  // without logs, MAME's output goes to the temp folder
  Pump(200);
  EXPECT_FALSE(Main().launch.running || IsWindowVisible(Options().window)) << "letting go of Start and Back did something";
  seen("back-from-mame", sfex2, Main().list);

  // Favorites Only and back: sfex2 is not a favourite, and is selected again when it shows again.
  Tap(kBack);
  EXPECT_EQ(f.Rows(), 1);
  seen("favorites-only", -1, Main().list);
  Tap(kBack);
  seen("all-games", sfex2, Main().list);
  Tap(kDown);
  EXPECT_EQ(f.SelectedRow(), sfex2 + 1) << "the next Down goes on from the remembered game";

  // Start: the options. The D-pad goes from control to control, left and right change a choice, LB and RB the tab, A
  // ticks.
  Tap(kStart);
  ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(Options().window) && GetForegroundWindow() == Options().window; }));
  HWND on_start = FindPageControl(kOnGameStartId);
  std::vector<HWND> visited = {GetFocus()};
  for (int i = 0; i < 30 && GetFocus() != on_start; ++i) Tap(kDown), visited.push_back(GetFocus());
  ASSERT_EQ(GetFocus(), on_start) << "the D-pad reached When A Game Starts";
  EXPECT_EQ(std::set<HWND>(visited.begin(), visited.end()).size(), visited.size()) << "each press moved on";
  Tap(kRight);
  EXPECT_EQ(ChosenEntry(on_start), "Close The Launcher");
  for (auto [button, tab] : {std::pair{kLB, kTabCombos}, {kRB, kTabGeneral}, {kRB, kTabVideo}}) {
    Tap(button);
    EXPECT_TRUE(IsWindowVisible(Options().pages[tab]) && IsChild(Options().pages[tab], GetFocus())) << tab;
  }
  HWND fullscreen = PageControl(kFullscreenId);
  for (int i = 0; i < 5 && GetFocus() != fullscreen; ++i) Tap(kDown);
  ASSERT_EQ(GetFocus(), fullscreen);
  Tap(kA);
  EXPECT_EQ(SendMessageW(fullscreen, BM_GETCHECK, 0, 0), BST_CHECKED);
  // On a number with spin buttons right is one more, as on a choice.
  Tap(kRB);
  for (int i = 0; i < 5 && GetFocus() != FindPageControl(kVolumeId); ++i) Tap(kDown);
  Tap(kRight);
  EXPECT_EQ(PageText(kVolumeId), "1");
  SaveWindowScreenshot(nullptr, "couch-" + look.name + "-" + std::to_string(++step) + "-options");
  // B is Cancel: nothing changed is kept, and the list has the focus again.
  Tap(kB);
  ASSERT_TRUE(PumpUntil([] { return !IsWindowVisible(Options().window) && GetFocus() == Main().list; }, 3000));
  EXPECT_TRUE(App().settings.on_game_start == 1 && App().settings.fullscreen == 0);
  EXPECT_EQ(ChosenEntry(on_start), "Minimize The Launcher");
  seen("options-cancelled", sfex2 + 1, Main().list);

  // Ctrl+P hides the preview and shows it again: no picture of it stays over the list, nothing stale anywhere.
  for (bool shown : {false, true}) {
    PressKeys({VK_CONTROL, 'P'});
    ASSERT_TRUE(PumpUntil([&] { return (IsWindowVisible(Main().preview) != 0) == shown; }, 3000));
    seen(shown ? "preview-shown" : "preview-hidden", sfex2 + 1, Main().list);
  }

  // A box, Keyboard Shortcuts, Check All ROM Sets (their loops run the script): the pad moves in each, B closes it.
  const int before = f.SelectedRow();
  auto tap = [&](DialogScript& hand, uint16_t buttons) {
    hand.Then([=] { return TapNow(buttons), true; }).Then([] { return static_cast<LONG>(GetTickCount() - tapped_until) > 100; });
  };
  int table_row = -1, paged_row = -1;
  uint32_t table_track = 0;  // its scroll bar's track as the table first shows
  DialogScript hand;
  tap(hand, kA);  // on a game without ROMs: the box that says so
  hand.Then([] { return FindBox("Play") != nullptr; });
  tap(hand, kB);
  hand.Then([] { return !FindBox("Play"); });
  hand.Then([] { return PressKeys({VK_MENU, 'H'}), PressKeys({'K'}), true; }).Then([] { return FindModal("Keyboard Shortcuts") != nullptr; });
  tap(hand, kDown);
  tap(hand, kDown);
  hand.Then([&] {
    HWND table = ListIn(FindModal("Keyboard Shortcuts"));
    SCROLLBARINFO scroll = {sizeof scroll};
    GetScrollBarInfo(table, OBJID_VSCROLL, &scroll);
    const RECT& bar = scroll.rcScrollBar;
    table_track = WindowPixels(table).In(nullptr, (bar.left + bar.right) / 2, bar.bottom - 2 * (bar.right - bar.left));
    return table_row = GetFocus() == table ? SelectedListRow(table) : -2, true;
  });
  tap(hand, kRB);  // a page down, and back up to the first row
  hand.Then([&] { return paged_row = SelectedListRow(ListIn(FindModal("Keyboard Shortcuts"))), true; });
  tap(hand, kLB);
  tap(hand, kUp);  // on the first row: on to the control before the table, as Shift+Tab goes
  bool left_the_table = false;
  hand.Then([&] { return left_the_table = GetFocus() != ListIn(FindModal("Keyboard Shortcuts")), true; });
  tap(hand, kB);
  hand.Then([] { return !FindModal("Keyboard Shortcuts"); });
  hand.Then([] { return PressKeys({VK_MENU, 'G'}), PressKeys({'A'}), true; }).Then([] { return FindModal("Check All ROM Sets") != nullptr; });
  hand.Then([&] { return SaveWindowScreenshot(nullptr, "couch-" + look.name + "-" + std::to_string(++step) + "-check-all"), true; });
  tap(hand, kB);
  ASSERT_TRUE(PumpUntil([&] { return hand.Finished() && !FindModal("Check All ROM Sets"); }, 30000));
  EXPECT_TRUE(table_row == 1 && paged_row > 5 && left_the_table) << table_row << " " << paged_row
                                                                  << ": the pad through the table's rows";
  EXPECT_TRUE(look.name == "light" || table_track == 0x202020u) << std::hex << table_track;
  ASSERT_TRUE(PumpUntil([] { return GetForegroundWindow() == Main().window; }, 3000));
  seen("after-the-windows", before, Main().list);
  Tap(kDown);
  EXPECT_EQ(f.SelectedRow(), before + 1);

  // Set Key on the Controls tab: the pad's A must not reach the capture dialog as Enter; the keyboard's Esc cancels.
  Tap(kStart);
  ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(Options().window); }));
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, CountEnters, GetModuleHandleW(nullptr), 0);
  enters = 0;
  f.Command(118);
  HWND list = MappingWindows().list;
  SelectListRow(list, 0);
  const std::vector<std::string> mapping = ListRow(list, 0);
  DWORD opened = 0;
  auto after = [&](DWORD ms) { return GetTickCount() - opened > ms; };
  DialogScript capture;
  capture.Then([&] { return FindModal("Set Keyboard Key") && (opened = GetTickCount()) != 0; })
      .Then([&] { return after(100) && (held = kA, true); })
      .Then([&] { return after(300) && (held = 0, true); })
      .Then([&] { return after(600) && FindModal("Set Keyboard Key") && (PressKey(VK_ESCAPE, true), true); });
  PostMessageW(Main().window, WM_COMMAND, 392, 0);
  ASSERT_TRUE(PumpUntil([&] { return opened && !FindModal("Set Keyboard Key"); }));
  PressKey(VK_ESCAPE, false);
  EXPECT_TRUE(capture.Finished()) << "the pad's A closed the dialog";
  EXPECT_EQ(ListRow(list, 0), mapping) << "the pad's A was taken as the key";
  EXPECT_EQ(enters, 0) << "the pad pressed Enter while the dialog waited";
  UnhookWindowsHookEx(hook);
  Tap(kB);
  EXPECT_TRUE(PumpUntil([] { return !IsWindowVisible(Options().window); }, 3000));
}

// Right and Left in the list sorted by year: to the first game of the next year, and back to the first of its own.
TEST(PadNavigationWin, RightAndLeftJumpByTheSortedColumnsGroups) {
  InjectedPad pad;
  MainWindowFixture f("sort_column=6\r\n");
  ASSERT_TRUE(f.Open() && PumpUntil([] { return GetForegroundWindow() == Main().window; }));
  Tap(kDown), Tap(kRight);
  const int row = f.SelectedRow();
  EXPECT_TRUE(row > 1 && f.CellText(row, 6) != f.CellText(0, 6) && f.CellText(row - 1, 6) == f.CellText(0, 6)) << row;
  Tap(kRight), Tap(kLeft);
  EXPECT_EQ(f.SelectedRow(), row) << f.CellText(row, 6);
  Tap(kLeft);
  EXPECT_EQ(f.SelectedRow(), 0);
}

TEST(PadNavigationWin, BackAndStartHeldEndAGameStartedWithGame) {
  InjectedPad pad;
  ScratchLauncher launcher;
  for (const char* zip : {"roms\\sfex2.zip", "roms\\coh3002c.zip"}) launcher.Write(zip, "PK\5\6");
  launcher.Write("fakemame-control.txt", "picture=200x150\n");
  SetFrontendEndWatch(PadExitComboWatch());
  DWORD held_from = 0;
  std::atomic<bool> ended_game{false}, closed_by_hand{false};
  std::thread hand([&] {
    for (int i = 0; i < 400 && !FindWindowW(L"FakeMamePicture", nullptr); ++i) Sleep(50);
    // The watch counts what is held at its first look as held before (it may look late): let go, press again.
    for (int attempt = 0; attempt < 4 && !ended_game; ++attempt) {
      held = 0;
      Sleep(300);
      held_from = GetTickCount();
      held = kBack | kStart;
      for (int t = 0; t < 80 && !ended_game; ++t) Sleep(50);
    }
    held = 0;
    if (!ended_game) {  // never wait for ever: end the fake as its user would
      closed_by_hand = true;
      PostMessageW(FindWindowW(L"FakeMamePicture", nullptr), WM_CLOSE, 0, 0);
    }
  });
  EXPECT_EQ(RunFrontend(App().settings, App().game_settings, "sfex2", ScreenRequest::FollowSettings), kFrontendPlayed);
  const DWORD ended = GetTickCount();
  ended_game = true;
  hand.join();
  EXPECT_FALSE(closed_by_hand) << "Back + Start held never ended the game";
  const DWORD took = ended - held_from;
  SetFrontendEndWatch(nullptr);
  EXPECT_GE(took, 900u);
  EXPECT_LT(took, 6000u) << "ended by force, not by its window's close";
  EXPECT_EQ(launcher.CallsWith("sfex2"), 1u);  // other calls may ask MAME what it is
}

// The system's devices are read on a thread of their own; with none plugged in it must not read every frame either.
TEST(PadNavigationWin, WithoutADeviceTheSystemPadsAreReadOnlyWhenAsked) {
  PadSource system = SystemPadSource();
  system.open();
  PadReadings r;
  system.read(r);
  for (const XInputReading& pad : r.pads)
    if (pad.ok) GTEST_SKIP() << "a pad is plugged in";
  for (const JoystickReading& stick : r.joysticks)
    if (stick.ok) GTEST_SKIP() << "a joystick is plugged in";
  const unsigned long before = SystemPadReadingsTaken();
  for (int ask = 0; ask < 4; ++ask) Sleep(100), system.read(r);
  EXPECT_LE(SystemPadReadingsTaken() - before, 5u) << "asked 4 times in 400 ms";
  system.close();
}
