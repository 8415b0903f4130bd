// Couch mode on injected pad readings: the list, search, options and a capture dialog; a game played and ended.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "controls/controls_tab_ui_win.h"
#include "controls/pad_poller_win.h"
#include "launch/frontend.h"
#include "main_window_fixture_win.h"
#include "options_page_driver_win.h"

namespace {
constexpr uint16_t kDown = 0x0002, kStart = 0x0010, kBack = 0x0020, kA = 0x1000, kB = 0x2000, kX = 0x4000, kY = 0x8000;

// The buttons held on the first XInput pad; set from any thread.
std::atomic<uint16_t> held{0};

struct InjectedPad {
  InjectedPad() {
    held = 0;
    SetPadSource({[] { return true; }, [](PadReadings& r) { r.pads[0].ok = true, r.pads[0].buttons = held; }, [] {}});
  }
  ~InjectedPad() { SetPadSource({}); }
};

void Pump(DWORD ms) { PumpUntil(nullptr, ms); }
// A press as a hand makes it: held for a few ticks, then let go.
void Tap(uint16_t buttons) { held = buttons, Pump(120), held = 0, Pump(120); }

// Enter presses that reach the system's input, whoever sends them.
std::atomic<int> enters{0};
LRESULT CALLBACK CountEnters(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION && message == WM_KEYDOWN && reinterpret_cast<KBDLLHOOKSTRUCT*>(data)->vkCode == VK_RETURN)
    ++enters;
  return CallNextHookEx(nullptr, code, message, data);
}

bool MameInFront() {
  HWND mame = FindWindowW(L"FakeMamePicture", nullptr);
  return mame && GetForegroundWindow() == mame;
}
}  // namespace

TEST(PadNavigationWin, FromTheListToMameAndBackAndThroughTheOptionsWithoutAKeyboard) {
  InjectedPad pad;
  MainWindowFixture f("on_game_start=1\r\n");
  f.Write("fakemame-control.txt", "picture=320x240\n");
  ASSERT_TRUE(f.Open());
  ASSERT_TRUE(PumpUntil([] { return GetForegroundWindow() == Main().window; }));

  // The user clicks the row three above sfex2, and goes on with the pad.
  const int sfex2 = f.RowOfGame("sfex2");
  f.SelectRow(sfex2 - 3);
  SetFocus(Main().list);
  for (int i = 0; i < 3; ++i) Tap(kDown);
  EXPECT_EQ(f.SelectedRow(), sfex2);

  Tap(kY);
  EXPECT_EQ(App().settings.favorites, (IdList{23}));
  Tap(kBack);
  EXPECT_EQ(f.Rows(), 1);
  Tap(kBack);
  EXPECT_EQ(f.Rows(), 462);
  Tap(kX);
  EXPECT_TRUE(IsWindowVisible(Main().search_edit) && GetFocus() == Main().search_edit);
  Tap(kB);
  EXPECT_TRUE(!IsWindowVisible(Main().search_edit) && GetFocus() == Main().list);

  // A plays it; the launcher steps aside for MAME's window.
  Tap(kA);
  ASSERT_TRUE(PumpUntil([] { return Main().launch.running; }));
  // MAME's own questions (the listing, its options) may come before or after.
  EXPECT_EQ(f.CallsWith("sfex2"), 1u);
  const size_t calls = f.Calls().size();
  ASSERT_TRUE(PumpUntil(MameInFront));
  EXPECT_TRUE(IsIconic(Main().window));

  // With MAME in front the pad leaves the launcher alone.
  Tap(kDown);
  Tap(kA);
  EXPECT_EQ(f.SelectedRow(), sfex2);
  EXPECT_EQ(f.Calls().size(), calls);

  // Back + Start held: half a second does nothing, a second asks MAME's window to close, without a word.
  held = kBack | kStart;
  Pump(500);
  EXPECT_TRUE(Main().launch.running);
  ASSERT_TRUE(PumpUntil([] { return !Main().launch.running; }, 6000));
  held = 0;
  EXPECT_TRUE(Main().launch.stopped_by_user);
  EXPECT_TRUE(!IsIconic(Main().window) && GetForegroundWindow() == Main().window && GetFocus() == Main().list);
  EXPECT_EQ(f.SelectedRow(), sfex2);
  Pump(200);
  EXPECT_FALSE(Main().launch.running) << "letting go of Start and Back opened or started nothing";
  EXPECT_FALSE(IsWindowVisible(Options().window));

  Tap(kStart);
  ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(Options().window); }));
  EXPECT_EQ(GetForegroundWindow(), Options().window);

  // Set Key on the Controls tab: the pad's A must not reach the dialog as Enter; the keyboard's Esc still cancels.
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, CountEnters, GetModuleHandleW(nullptr), 0);
  enters = 0;
  f.Command(118);
  HWND list = MappingWindows().list;
  SelectListRow(list, 0);
  const std::vector<std::string> before = ListRow(list, 0);
  // The dialog's own loop runs inside the pump; the script is the hand.
  DWORD opened = 0;
  auto after = [&](DWORD ms) { return GetTickCount() - opened > ms; };
  DialogScript hand;
  hand.Then([&] { return FindModal("Set Keyboard Key") && (opened = GetTickCount()) != 0; })
      .Then([&] { return after(100) && (held = kA, true); })
      .Then([&] { return after(300) && (held = 0, true); })
      .Then([&] { return after(600) && FindModal("Set Keyboard Key") && (PressKey(VK_ESCAPE, true), true); });
  PostMessageW(Main().window, WM_COMMAND, 392, 0);
  ASSERT_TRUE(PumpUntil([&] { return opened && !FindModal("Set Keyboard Key"); }));
  PressKey(VK_ESCAPE, false);
  EXPECT_TRUE(hand.Finished()) << "the pad's A closed the dialog";
  EXPECT_EQ(ListRow(list, 0), before) << "the pad's A was taken as the key";
  EXPECT_EQ(enters, 0) << "the pad pressed Enter while the dialog waited";
  Tap(kA);  // with the dialog gone, A is Enter again (OK of a page: nothing to do)
  EXPECT_EQ(enters, 1);
  UnhookWindowsHookEx(hook);

  Tap(kB);
  EXPECT_TRUE(PumpUntil([] { return !IsWindowVisible(Options().window); }, 3000));
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
  EXPECT_EQ(RunFrontend(App().settings, App().game_settings, "sfex2", ScreenRequest::FollowSettings),
            kFrontendPlayed);
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

TEST(PadNavigationWin, WithoutAPadTheLauncherOnlyLooksForOneAndAPadPluggedInDrivesIt) {
  static std::atomic<int> reads{0};
  static std::atomic<bool> plugged{false};
  reads = 0, plugged = false, held = 0;
  SetPadSource({[] { return true; },
                [](PadReadings& r) {
                  ++reads;
                  r.pads[0].ok = plugged, r.pads[0].buttons = plugged ? held.load() : 0;
                },
                [] {}});
  MainWindowFixture f;
  ASSERT_TRUE(f.Open());
  ASSERT_TRUE(PumpUntil([] { return GetForegroundWindow() == Main().window; }));
  f.SelectRow(0);
  SetFocus(Main().list);
  Pump(600);
  reads = 0;
  Pump(1000);
  EXPECT_LE(reads, 6) << "an idle launcher without a pad woke every frame";

  plugged = true;
  Pump(kPadLookPeriodMs + 200);
  reads = 0;
  Tap(kDown);
  EXPECT_EQ(f.SelectedRow(), 1);
  EXPECT_GE(reads, 8) << "a connected pad is read every frame";
  SetPadSource({});
}

// The system's devices are read on a thread of their own; with none plugged
// in (as under Wine here) it must not go on reading every frame either.
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
