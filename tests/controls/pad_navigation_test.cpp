// Couch mode's decisions: which actions a tick of pad readings asks for.
#include "controls/pad_navigation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {
using A = PadAction;
using Actions = std::vector<PadAction>;

constexpr uint16_t kDpadUp = 0x0001, kDpadDown = 0x0002, kStart = 0x0010, kBack = 0x0020, kButtonA = 0x1000;

PadReadings Pad(uint16_t buttons = 0, int16_t lx = 0, int16_t ly = 0) {
  PadReadings r;
  r.xinput = true;
  r.pads[0] = {true, buttons, 0, 0, lx, ly};
  return r;
}

// Ticks 16 ms apart, after an idle first tick that takes the baseline.
struct Session {
  PadNavigationMemory memory;
  PadNavigationMode mode{true, false};
  uint32_t now = 0xFFFFF000u;  // the tick count wraps during the session
  explicit Session(const PadReadings& first = Pad()) { DecidePadNavigation(memory, first, now, mode); }
  Actions Tick(const PadReadings& r, uint32_t step = 16) { return DecidePadNavigation(memory, r, now += step, mode); }
  // Holds `r` for `ms`: the time (from the start of the hold) of each action.
  std::vector<std::pair<uint32_t, A>> Hold(const PadReadings& r, uint32_t ms, uint32_t step = 16) {
    std::vector<std::pair<uint32_t, A>> seen;
    for (uint32_t t = 0; t <= ms; t += step)
      for (A a : Tick(r, step)) seen.push_back({t, a});
    return seen;
  }
};
bool Only(const std::vector<std::pair<uint32_t, A>>& seen, A action) {
  return !seen.empty() && std::all_of(seen.begin(), seen.end(), [&](auto& s) { return s.second == action; });
}
}  // namespace

TEST(PadNavigation, EachControlStandsForItsActionOnANewPressOnly) {
  struct Case {
    uint16_t xinput;
    uint32_t joystick_buttons, pov;
    Actions expected;  // on press, held, then on release
  } cases[] = {
      {kDpadUp, 0, 0, {A::kUp}}, {kDpadDown, 0, 18000, {A::kDown}}, {0x0004, 0, 27000, {A::kLeft}},
      {0x0008, 0, 9000, {A::kRight}}, {0x0100, 1u << 4, 65535, {A::kPageUp}},
      {0x0200, 1u << 5, 65535, {A::kPageDown}}, {kButtonA, 1u << 0, 65535, {A::kAccept}},
      {0x2000, 1u << 1, 65535, {A::kCancel}}, {0x4000, 1u << 2, 65535, {A::kSearch}},
      {0x8000, 1u << 3, 65535, {A::kFavorite}}, {kStart, 1u << 7, 65535, {A::kSettings}},
      {kBack, 1u << 6, 65535, {A::kFavoritesOnly}}, {0x0040, 1u << 8, 65535, {}},  // stick buttons, button 9: nothing
  };
  for (const Case& c : cases) {
    for (bool joystick : {false, true}) {
      PadReadings idle = joystick ? PadReadings{} : Pad(), pressed = joystick ? PadReadings{} : Pad(c.xinput);
      idle.joysticks[3].ok = true;
      pressed.joysticks[3] = {true, joystick ? c.joystick_buttons : 0, joystick ? c.pov : 65535};
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
  ASSERT_TRUE(Only(seen, A::kDown));
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0].first, 0u);
  EXPECT_EQ(seen[1].first, 400u);  // the first tick at the delay
  auto rows_between = [&](uint32_t from, uint32_t to) {
    return std::count_if(seen.begin(), seen.end(), [&](auto& s) { return s.first >= from && s.first < to; });
  };
  EXPECT_NEAR(rows_between(400, 800), 4, 1);    // about 8 a second at first
  EXPECT_NEAR(rows_between(2000, 3000), 25, 2);  // about 25 a second once up to speed
  EXPECT_TRUE(s.Tick(Pad()).empty() && s.Hold(Pad(), 500).empty());  // let go: the repeat ends

  // LB / RB repeat the same way; a late timer catches up one step, not a burst.
  Session late;
  late.Tick(Pad(0x0200));
  EXPECT_EQ(late.Tick(Pad(0x0200), 2000), Actions{A::kPageDown});
  EXPECT_EQ(late.Tick(Pad(0x0200)), Actions{A::kPageDown});
  EXPECT_TRUE(late.Tick(Pad(0x0200)).empty());
}

TEST(PadNavigation, TheStickCountsOnlyPastTheDeadZoneAndDiagonalsMoveTheList) {
  Session s;
  // Eased a little and pushed again: one push, no flicker; back from rest it must pass the dead zone again.
  for (auto [lx, ly, expected] : std::initializer_list<std::tuple<int16_t, int16_t, Actions>>{
           {0, 15000, {}}, {0, 17000, {A::kUp}}, {0, 13000, {}}, {0, 17000, {}}, {0, 11000, {}}, {0, 13000, {}},
           {0, 17000, {A::kUp}}, {0, -20000, {A::kDown}}, {20000, 0, {A::kRight}}, {0, 0, {}},
           {-20000, 20000, {A::kUp}}})
    EXPECT_EQ(s.Tick(Pad(0, lx, ly)), expected) << lx << "," << ly;

  PadReadings stick;  // the joystick interface: 0-65535 with y growing downwards
  stick.joysticks[0].ok = true;
  Session j(stick);
  for (auto [x, y, expected] : std::initializer_list<std::tuple<uint32_t, uint32_t, Actions>>{
           {32767, 60000, {A::kDown}}, {20000, 32767, {}}, {10000, 32767, {A::kLeft}}}) {
    stick.joysticks[0].x = x, stick.joysticks[0].y = y;
    EXPECT_EQ(j.Tick(stick), expected) << x << "," << y;
  }
}

TEST(PadNavigation, SeveralPadsActTogetherAndOnePadSeenTwiceActsOnce) {
  PadReadings r = Pad();
  r.pads[2].ok = r.joysticks[0].ok = true;
  Session s(r);
  r.pads[0].buttons = kDpadDown;
  EXPECT_EQ(s.Tick(r), Actions{A::kDown});
  r.pads[2].buttons = kButtonA;  // the second pad while the first holds Down
  r.joysticks[0].buttons = 1;    // ... and the same pad through the joystick interface
  EXPECT_EQ(s.Tick(r), Actions{A::kAccept});
  r.pads[0].buttons = kDpadDown | kButtonA;  // A on the first pad too: already held
  EXPECT_TRUE(Only(s.Hold(r, 500), A::kDown));  // the first pad's Down goes on repeating
  r.pads[2].buttons = kDpadUp;  // a newer direction takes the repeat over
  EXPECT_EQ(s.Tick(r), Actions{A::kUp});
  EXPECT_TRUE(Only(s.Hold(r, 600), A::kUp));
}

TEST(PadNavigation, ControlsHeldBeforeWhileAwayOrWhenReplugedWaitForANewPress) {
  Session s;
  s.Tick(Pad(kDpadDown));
  PadReadings gone = Pad();
  gone.pads[0].ok = false;
  EXPECT_TRUE(s.Hold(gone, 800).empty()) << "no repeat from a pad that is gone";
  EXPECT_TRUE(s.Tick(Pad(kButtonA | kDpadDown)).empty() && s.Tick(Pad(kDpadDown)).empty()) << "plugged in with A held";
  EXPECT_EQ(s.Tick(Pad(kButtonA | kDpadDown)), Actions{A::kAccept});
  s.Tick(Pad(kStart));
  EXPECT_TRUE(s.Tick(gone).empty()) << "Start acts when let go, not when its pad vanishes";
  s.mode.exit_combo = true;
  s.Hold(Pad(kStart | kBack), 500);
  EXPECT_TRUE(s.Hold(gone, 1200).empty()) << "the combination ends with its pad";

  Session held(Pad(kButtonA | kBack | kStart));
  held.mode.exit_combo = true;
  EXPECT_TRUE(held.Hold(Pad(kButtonA | kBack | kStart), 1500).empty() && held.Tick(Pad()).empty()) << "held from before";

  Session away;
  away.mode.navigate = false;  // MAME or another program in front, or a capture dialog open
  EXPECT_TRUE(away.Hold(Pad(kDpadDown), 600).empty());
  away.Tick(Pad(kDpadDown | kStart));
  away.mode.navigate = true;
  EXPECT_TRUE(away.Hold(Pad(kDpadDown | kStart), 600).empty());
  EXPECT_TRUE(away.Tick(Pad()).empty()) << "Start pressed while away opens nothing when let go here";
}

TEST(PadNavigation, BackAndStartHeldOneSecondEndTheGameOnceAndOpenNothing) {
  Session s;
  s.mode.exit_combo = true;
  s.Tick(Pad(kBack));
  auto seen = s.Hold(Pad(kBack | kStart), 1500);
  ASSERT_EQ(seen.size(), 1u) << "one end, no Favorites Only, no Settings";
  EXPECT_EQ(seen[0].second, A::kEndGame);
  EXPECT_TRUE(seen[0].first >= 1000u && seen[0].first < 1016u) << seen[0].first;
  EXPECT_TRUE(s.Tick(Pad(kStart)).empty() && s.Tick(Pad()).empty()) << "let go after the combination: Start opens nothing";
  // Let go early: nothing; again from the start: a second end.
  EXPECT_TRUE(s.Hold(Pad(kBack | kStart), 900).empty() && s.Tick(Pad(kStart)).empty());
  EXPECT_EQ(s.Hold(Pad(kBack | kStart), 1100).size(), 1u);
  s.Tick(Pad());
  // Not watched (no game runs): nothing, and the press of both opens nothing either.
  s.mode.exit_combo = false;
  EXPECT_TRUE(s.Hold(Pad(kBack | kStart), 1500).empty());
  s.Tick(Pad());
  s.mode = {false, true};  // watched without navigating (MAME in front): the end still comes
  EXPECT_EQ(s.Hold(Pad(kBack | kStart), 1100).size(), 1u);

  // Polling: 16 ms while navigating, 100 ms while only the combination is watched, else none.
  for (auto [navigation, exit_combo, in_front, running, period] :
       std::initializer_list<std::tuple<bool, bool, bool, bool, uint32_t>>{
           {true, true, true, true, 16}, {true, false, true, false, 16}, {true, true, false, true, 100},
           {false, true, true, true, 100}, {true, true, false, false, 0}, {false, false, true, true, 0},
           {false, true, false, false, 0}})
    EXPECT_EQ(PadPollPeriodMs(navigation, exit_combo, in_front, running), period)
        << navigation << exit_combo << in_front << running;
}

TEST(PadNavigation, LetterJumpGoesFromGroupToGroupOfTheSortedColumn) {
  std::vector<std::string> keys;
  for (const char* title : {"Akai Katana", "alpine racer", "Bloody Roar", "Brave Blade", "Bust-A-Move", "Cool Boarders",
                            "\xC3\x89lan", "\xC3\x89t\xC3\xA9", "Zero Gunner"})
    keys.push_back(LetterJumpKey(title, false));
  EXPECT_TRUE(keys[0] == keys[1] && keys[6] == "\xC3\x89") << "any case, a whole character";
  // The last group stays; with no current row the first.
  for (auto [current, direction, expected] : std::initializer_list<std::tuple<int, int, int>>{
           {0, +1, 2}, {1, +1, 2}, {2, +1, 5}, {5, +1, 6}, {6, +1, 8}, {8, +1, 8},
           {8, -1, 6}, {7, -1, 5}, {4, -1, 0}, {1, -1, 0}, {0, -1, 0}, {-1, +1, 0}})
    EXPECT_EQ(LetterJumpRow(keys, current, direction), expected) << current;
  EXPECT_EQ(LetterJumpRow({}, 0, +1), -1);
  // Years group by the whole cell; descending order works the same way.
  std::vector<std::string> years;
  for (const char* y : {"1999", "1999", "1998", "", ""}) years.push_back(LetterJumpKey(y, true));
  for (auto [current, direction, expected] : {std::tuple{0, +1, 2}, {2, +1, 3}, {4, -1, 2}})
    EXPECT_EQ(LetterJumpRow(years, current, direction), expected) << current;
}
