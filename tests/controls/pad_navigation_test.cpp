// Couch mode's decisions: which actions a tick of pad readings asks for, with
// the repeat, the dead zone, several pads, pads that vanish, the exit
// combination, and the letter jump of the game list.
#include "controls/pad_navigation.h"

#include <gtest/gtest.h>

namespace {
using A = PadAction;
using Actions = std::vector<PadAction>;

constexpr uint16_t kDpadUp = 0x0001, kDpadDown = 0x0002, kDpadRight = 0x0008, kStart = 0x0010, kBack = 0x0020,
                   kButtonA = 0x1000;

PadReadings Idle() {
  PadReadings r;
  r.xinput = true;
  r.pads[0].ok = true;
  return r;
}
PadReadings Pad(uint16_t buttons, int16_t lx = 0, int16_t ly = 0) {
  PadReadings r = Idle();
  r.pads[0].buttons = buttons;
  r.pads[0].thumb_lx = lx;
  r.pads[0].thumb_ly = ly;
  return r;
}

// Ticks 16 ms apart, after an idle first tick that takes the baseline.
struct Session {
  PadNavigationMemory memory;
  PadNavigationMode mode{true, false};
  uint32_t now = 0xFFFFF000u;  // the tick count wraps during the session
  explicit Session(const PadReadings& first = Idle()) { DecidePadNavigation(memory, first, now, mode); }
  Actions Tick(const PadReadings& r, uint32_t step = 16) {
    now += step;
    return DecidePadNavigation(memory, r, now, mode);
  }
  // Holds `r` for `ms`; the times (from the start of the hold) of each action.
  std::vector<std::pair<uint32_t, A>> Hold(const PadReadings& r, uint32_t ms, uint32_t step = 16) {
    std::vector<std::pair<uint32_t, A>> seen;
    for (uint32_t t = 0; t <= ms; t += step)
      for (A a : Tick(r, step)) seen.push_back({t, a});
    return seen;
  }
};
}  // namespace

TEST(PadNavigation, EachControlStandsForItsActionOnANewPressOnly) {
  struct Case {
    uint16_t xinput;
    uint32_t joystick_buttons;
    uint32_t pov;
    Actions expected;  // on press, then on release
  };
  const Case cases[] = {
      {kDpadUp, 0, 0, {A::kUp}},          {kDpadDown, 0, 18000, {A::kDown}},
      {0x0004, 0, 27000, {A::kLeft}},     {kDpadRight, 0, 9000, {A::kRight}},
      {0x0100, 1u << 4, 65535, {A::kPageUp}}, {0x0200, 1u << 5, 65535, {A::kPageDown}},
      {kButtonA, 1u << 0, 65535, {A::kAccept}}, {0x2000, 1u << 1, 65535, {A::kCancel}},
      {0x4000, 1u << 2, 65535, {A::kSearch}},   {0x8000, 1u << 3, 65535, {A::kFavorite}},
      {kStart, 1u << 7, 65535, {A::kSettings}}, {kBack, 1u << 6, 65535, {A::kFavoritesOnly}},
      {0x0040, 1u << 8, 65535, {}},  // the stick buttons and button 9 mean nothing
  };
  for (const Case& c : cases) {
    for (bool joystick : {false, true}) {
      PadReadings idle = joystick ? PadReadings{} : Idle();
      idle.joysticks[3].ok = true;
      PadReadings pressed = idle;
      if (joystick) {
        pressed.joysticks[3].buttons = c.joystick_buttons;
        pressed.joysticks[3].pov = c.pov;
      } else {
        pressed.pads[0].buttons = c.xinput;
      }
      Session s(idle);
      Actions got = s.Tick(pressed);
      for (A a : s.Tick(pressed, 300)) got.push_back(a);  // held, before any repeat
      for (A a : s.Tick(idle)) got.push_back(a);          // Start and Back act when let go
      EXPECT_EQ(got, c.expected) << c.xinput << (joystick ? " on the joystick" : "");
    }
  }
}

TEST(PadNavigation, AHeldDirectionRepeatsAfter400MsSpeedingUpTo25RowsASecond) {
  Session s;
  auto seen = s.Hold(Pad(kDpadDown), 3000);
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], std::make_pair(0u, A::kDown));
  EXPECT_EQ(seen[1].first, 400u);  // the first tick at the delay
  auto rows_between = [&](uint32_t from, uint32_t to) {
    int n = 0;
    for (auto& [t, a] : seen) n += t >= from && t < to && a == A::kDown;
    return n;
  };
  EXPECT_EQ(rows_between(1, 400), 0);
  EXPECT_NEAR(rows_between(400, 800), 4, 1);    // about 8 a second at first
  EXPECT_NEAR(rows_between(2000, 3000), 25, 2);  // about 25 a second once up to speed
  for (auto& [t, a] : seen) EXPECT_EQ(a, A::kDown);
  EXPECT_TRUE(s.Tick(Pad(0)).empty());
  EXPECT_TRUE(s.Hold(Pad(0), 500).empty());  // let go: the repeat ends

  // LB / RB repeat the same way; a late timer catches up one step, not a burst.
  Session late;
  late.Tick(Pad(0x0200));
  EXPECT_EQ(late.Tick(Pad(0x0200), 2000), Actions{A::kPageDown});
  EXPECT_EQ(late.Tick(Pad(0x0200), 16), Actions{A::kPageDown});
  EXPECT_TRUE(late.Tick(Pad(0x0200), 16).empty());
}

TEST(PadNavigation, TheStickCountsOnlyPastTheDeadZoneAndDiagonalsMoveTheList) {
  Session s;
  EXPECT_TRUE(s.Tick(Pad(0, 0, 15000)).empty());
  EXPECT_EQ(s.Tick(Pad(0, 0, 17000)), Actions{A::kUp});
  EXPECT_TRUE(s.Tick(Pad(0, 0, 13000)).empty());
  EXPECT_TRUE(s.Tick(Pad(0, 0, 17000)).empty()) << "eased a little and pushed again: one push, no flicker";
  EXPECT_TRUE(s.Tick(Pad(0, 0, 11000)).empty());
  EXPECT_TRUE(s.Tick(Pad(0, 0, 13000)).empty()) << "back from rest, not yet past the dead zone";
  EXPECT_EQ(s.Tick(Pad(0, 0, 17000)), Actions{A::kUp});
  EXPECT_EQ(s.Tick(Pad(0, 0, -20000)), Actions{A::kDown});
  EXPECT_EQ(s.Tick(Pad(0, 20000, 0)), Actions{A::kRight});
  EXPECT_TRUE(s.Tick(Pad(0)).empty());
  EXPECT_EQ(s.Tick(Pad(0, -20000, 20000)), Actions{A::kUp}) << "a diagonal moves the selection";

  // The joystick interface: 0-65535 with y growing downwards.
  PadReadings stick;
  stick.joysticks[0].ok = true;
  Session j(stick);
  stick.joysticks[0].y = 60000;
  EXPECT_EQ(j.Tick(stick), Actions{A::kDown});
  stick.joysticks[0].y = 32767;
  stick.joysticks[0].x = 20000;
  EXPECT_TRUE(j.Tick(stick).empty());
  stick.joysticks[0].x = 10000;
  EXPECT_EQ(j.Tick(stick), Actions{A::kLeft});
}

TEST(PadNavigation, SeveralPadsActTogetherAndOnePadSeenTwiceActsOnce) {
  PadReadings two = Idle();
  two.pads[2].ok = true;
  two.joysticks[0].ok = true;
  Session s(two);
  PadReadings r = two;
  r.pads[0].buttons = kDpadDown;
  EXPECT_EQ(s.Tick(r), Actions{A::kDown});
  r.pads[2].buttons = kButtonA;  // the second pad while the first holds Down
  r.joysticks[0].buttons = 1;    // ... and the same pad through the joystick interface
  EXPECT_EQ(s.Tick(r), Actions{A::kAccept});
  r.pads[0].buttons = kDpadDown | kButtonA;  // A on the first pad too: already held
  auto seen = s.Hold(r, 500);
  ASSERT_FALSE(seen.empty());
  for (auto& [t, a] : seen) EXPECT_EQ(a, A::kDown) << t;  // the first pad's Down goes on repeating
  r.pads[2].buttons = kDpadUp;  // a newer direction takes the repeat over
  EXPECT_EQ(s.Tick(r), Actions{A::kUp});
  seen = s.Hold(r, 600);
  ASSERT_FALSE(seen.empty());
  for (auto& [t, a] : seen) EXPECT_EQ(a, A::kUp) << t;
}

TEST(PadNavigation, APadUnpluggedWhileHeldStopsAndPlugsBackInWithoutPresses) {
  Session s;
  s.Tick(Pad(kDpadDown));
  PadReadings gone = Idle();
  gone.pads[0].ok = false;
  EXPECT_TRUE(s.Hold(gone, 800).empty()) << "no repeat from a pad that is gone";
  EXPECT_TRUE(s.Tick(Pad(kButtonA | kDpadDown)).empty()) << "plugged in with A held: not a press";
  EXPECT_TRUE(s.Tick(Pad(kDpadDown)).empty());
  EXPECT_EQ(s.Tick(Pad(kButtonA | kDpadDown)), Actions{A::kAccept});

  s.Tick(Pad(kStart));
  EXPECT_TRUE(s.Tick(gone).empty()) << "Start acts when let go, not when its pad vanishes";
  s.mode.exit_combo = true;
  s.Hold(Pad(kStart | kBack), 500);
  EXPECT_TRUE(s.Hold(gone, 1200).empty()) << "the combination ends with its pad";
}

TEST(PadNavigation, BackAndStartHeldOneSecondEndTheGameOnceAndOpenNothing) {
  Session s;
  s.mode.exit_combo = true;
  s.Tick(Pad(kBack));
  auto seen = s.Hold(Pad(kBack | kStart), 1500);
  ASSERT_EQ(seen.size(), 1u) << "one end, no Favorites Only, no Settings";
  EXPECT_EQ(seen[0].second, A::kEndGame);
  EXPECT_GE(seen[0].first, 1000u);
  EXPECT_LT(seen[0].first, 1016u);
  EXPECT_TRUE(s.Tick(Pad(kStart)).empty());
  EXPECT_TRUE(s.Tick(Pad(0)).empty()) << "let go after the combination: Start opens nothing";

  // Let go early: nothing; again from the start: a second end.
  EXPECT_TRUE(s.Hold(Pad(kBack | kStart), 900).empty());
  EXPECT_TRUE(s.Tick(Pad(kStart)).empty());
  EXPECT_EQ(s.Hold(Pad(kBack | kStart), 1100).size(), 1u);
  s.Tick(Pad(0));

  // Not watched (no game runs): nothing, and the press of both opens nothing either.
  s.mode.exit_combo = false;
  EXPECT_TRUE(s.Hold(Pad(kBack | kStart), 1500).empty());
  s.Tick(Pad(0));
  // Watched without navigating (MAME in front): the end still comes.
  s.mode = {false, true};
  EXPECT_EQ(s.Hold(Pad(kBack | kStart), 1100).size(), 1u);
}

TEST(PadNavigation, ControlsHeldBeforeOrWhileNotNavigatingWaitForANewPress) {
  Session held(Pad(kButtonA | kBack | kStart));
  held.mode.exit_combo = true;
  EXPECT_TRUE(held.Hold(Pad(kButtonA | kBack | kStart), 1500).empty()) << "held from before: no press, no end";
  EXPECT_TRUE(held.Tick(Pad(0)).empty());

  Session away;
  away.mode.navigate = false;  // MAME or another program in front, or a capture dialog open
  EXPECT_TRUE(away.Hold(Pad(kDpadDown), 600).empty());
  away.Tick(Pad(kDpadDown | kStart));
  away.mode.navigate = true;
  EXPECT_TRUE(away.Hold(Pad(kDpadDown | kStart), 600).empty());
  EXPECT_TRUE(away.Tick(Pad(0)).empty()) << "Start pressed while away opens nothing when let go here";
}

TEST(PadNavigation, PollingRateFollowsWhatIsWatched) {
  struct Case {
    bool navigation, exit_combo, in_front, running;
    uint32_t period;
  } cases[] = {
      {true, true, true, true, 16},     {true, false, true, false, 16}, {true, true, false, true, 100},
      {false, true, true, true, 100},   {true, true, false, false, 0},  {false, false, true, true, 0},
      {false, true, false, false, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PadPollPeriodMs(c.navigation, c.exit_combo, c.in_front, c.running), c.period)
        << c.navigation << c.exit_combo << c.in_front << c.running;
}

TEST(PadNavigation, LetterJumpGoesFromGroupToGroupOfTheSortedColumn) {
  std::vector<std::string> keys;
  for (const char* title : {"Akai Katana", "alpine racer", "Bloody Roar", "Brave Blade", "Bust-A-Move", "Cool Boarders",
                            "\xC3\x89lan", "\xC3\x89t\xC3\xA9", "Zero Gunner"})
    keys.push_back(LetterJumpKey(title, false));
  EXPECT_EQ(keys[0], keys[1]) << "any case";
  EXPECT_EQ(keys[6], "\xC3\x89") << "a whole character";
  struct Case {
    int current, direction, expected;
  } cases[] = {
      {0, +1, 2}, {1, +1, 2}, {2, +1, 5}, {5, +1, 6}, {6, +1, 8}, {8, +1, 8},   // the last group stays
      {8, -1, 6}, {7, -1, 5}, {4, -1, 0}, {1, -1, 0}, {0, -1, 0}, {-1, +1, 0},  // no current row: the first
  };
  for (const Case& c : cases) EXPECT_EQ(LetterJumpRow(keys, c.current, c.direction), c.expected) << c.current;
  EXPECT_EQ(LetterJumpRow({}, 0, +1), -1);

  // Years group by the whole cell; descending order works the same way.
  std::vector<std::string> years;
  for (const char* y : {"1999", "1999", "1998", "", ""}) years.push_back(LetterJumpKey(y, true));
  EXPECT_EQ(LetterJumpRow(years, 0, +1), 2);
  EXPECT_EQ(LetterJumpRow(years, 2, +1), 3);
  EXPECT_EQ(LetterJumpRow(years, 4, -1), 2);
}
