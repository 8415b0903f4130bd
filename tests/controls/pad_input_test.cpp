// Pad and key input: what the capture dialogs choose, what couch mode's ticks ask for, and the probe report.
#include "controls/capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "controls/lua_plugin.h"
#include "controls/pad_navigation.h"
#include "controls_test_env.h"

namespace {

struct PadRun {
  PadReadings readings;
  PadCaptureSetup setup;
  PadProbe probe;
  PadCaptureMemory memory;
  explicit PadRun(bool directions = false, bool pad_two = false, int rest = 0) {
    readings.xinput = true;
    for (auto& p : readings.pads) p.ok = true;
    setup.directions = directions;
    if (pad_two)  // the first XInput pad as MAME's joystick 2 (joystick 1 is another device), with MAME's tokens
      probe = {{0, "Arcade stick", {{"Button 1", "BUTTON1", 0}}},
               {1, "XInput Player 1", {{"A", "BUTTON1", 0}, {"LB", "BUTTON5", 0}, {"RT", "SLIDER2", rest}}}},
      setup.probe_numbers = {2, 0, 0, 0};
  }
  void Open() { memory = PadCaptureBaseline(readings); }
  std::optional<std::string> Tick() { return DecidePadCapture(memory, readings, setup, probe); }
};

TEST(Capture, KeysCountOnANewPressPadControlsAreNamedAsMameDoesAndTheLegacyWord) {
  // Keys: only a new press of a table key counts, the earliest first; Esc cancels, Delete clears.
  using S = CaptureStatus;
  struct KeyCase { std::initializer_list<int> before, now; S status; const char* name; } keys[] = {
      {{'A'}, {'A'}, S::Waiting, ""}, {{'A'}, {}, S::Waiting, ""}, {{}, {'A'}, S::Chosen, "A"},
      {{}, {0x01, 0x10, 0x11, 0x12, 0xB3}, S::Waiting, ""},  // mouse, generic Shift, media keys
      {{}, {0xA1}, S::Chosen, "RSHIFT"}, {{}, {'Z', 'A'}, S::Chosen, "A"}, {{}, {0x1B, 0x2E, 'Q'}, S::Chosen, "Q"},
      {{}, {0x1B}, S::Cancelled, ""}, {{}, {0x2E}, S::Chosen, ""}, {{}, {0x1B, 0x2E}, S::Cancelled, ""},
      {{0x1B, 0x2E}, {0x1B, 0x2E}, S::Waiting, ""}, {{}, {0x6F}, S::Chosen, "SLASHPAD"}, {{}, {0x7B}, S::Chosen, "F12"},
      {{}, {'5'}, S::Chosen, "5"},
  };
  auto down = [](std::initializer_list<int> held) { KeyStates s{}; for (int k : held) s.at(k) = true; return s; };
  for (const KeyCase& c : keys) {
    KeyCapture got = DecideKeyCapture(down(c.before), down(c.now));
    EXPECT_TRUE(got.status == c.status && (got.status != S::Chosen || got.name == c.name)) << c.name << " got " << got.name;
  }

  struct Case {
    bool directions, pad_two;  // a direction dialog; the probe that makes the first pad MAME's second
    int rest, index;           // the right trigger's rest in the probe, the pad moved
    XInputReading before, after;  // ok, buttons, left and right trigger, stick x and y
    const char* expected;
  } cases[] = {  // MAME's numbering, the Pad Number choice and a stick held from the start: the Controls tab's test
      {false, true, 0, 0, {true}, {true, 0x0010}, "2_START"},    // not in the probe: the usual name
      {false, true, 0, 0, {true}, {true, 0x1000}, "2_BUTTON1"},  // the probe's token; a button is no trigger
      {false, false, 0, 1, {true}, {true, 0x0020 | 0x0100 | 0x2000}, "2_BUTTON2"},  // B before LB before Back
      {false, true, -32768, 0, {true}, {true, 0, 0, 255}, "2_SLIDER2_POS_SWITCH"},  // pressed away from its rest
      {false, false, 0, 2, {true}, {true, 0, 127}, ""},  // pressed only a little
      {false, false, 0, 2, {true}, {true, 0, 128}, "3_SLIDER1_NEG_SWITCH"},
      {false, false, 0, 2, {true, 0, 255}, {true, 0, 128}, ""},  // held when the dialog opened
      {true, false, 0, 0, {true, 0x0001}, {true, 0x1001, 0, 255}, ""},  // D-pad held; buttons are no direction
      {true, true, 0, 0, {true}, {true, 0, 0, 0, -16001, 16000}, "2_XAXIS_LEFT_SWITCH"},  // 16000 is not enough
  };
  for (const Case& c : cases) {
    PadRun run(c.directions, c.pad_two, c.rest);
    run.readings.pads[c.index] = c.before;
    run.Open();
    run.readings.pads[c.index] = c.after;
    EXPECT_EQ(run.Tick().value_or(""), c.expected) << c.index << " " << c.after.buttons;
  }

  // A down since the opening counts once pressed anew, and again when the pad returns with A down; a long token is cut.
  PadRun asleep;
  asleep.probe = {{0, "XInput", {{"A", std::string(80, 'T'), 0}}}};
  asleep.readings.pads[0].buttons = 0x1000;
  asleep.Open();
  const std::optional<std::string> a = "1_" + std::string(kPadCodeMax - 2, 'T');
  for (auto [buttons, ok, expected] : std::initializer_list<std::tuple<uint16_t, bool, std::optional<std::string>>>{
           {0x1000, true, {}}, {0, true, {}}, {0x1000, true, a}, {0x1000, false, {}}, {0x1000, true, a}}) {
    asleep.readings.pads[0].buttons = buttons, asleep.readings.pads[0].ok = ok;
    EXPECT_EQ(asleep.Tick(), expected) << buttons << " " << ok;
  }

  // The legacy joystick's state word: bits 20-23 the POV (a diagonal sets both neighbours), 24-27 the stick.
  struct { uint32_t pov, bits, x = 32767, y = 32767; } words[] = {
      {65535, 0x00}, {4500, 0x09}, {13500, 0x0A}, {22500, 0x06}, {31500, 0x05}, {36000, 0x01}, {36001, 0x00},
      {65535, 0x10, 32767, 16767}, {65535, 0x00, 32767, 16768}, {65535, 0x20, 32767, 48769},
      {65535, 0x00, 32767, 48768}, {65535, 0x60, 16767, 65535}, {65535, 0x90, 48769, 0}};
  for (auto w : words)
    EXPECT_EQ(LegacyJoystickWord({true, 0, w.pov, w.x, w.y}), w.bits << 20) << w.pov << " " << w.x << "," << w.y;
  EXPECT_EQ(LegacyJoystickWord({true, 0xFFFFFFFFu}), 0xFFFFFu);  // only 20 buttons exist

  // Without XInput, legacy joysticks: buttons for a button dialog, the POV and stick ways (MAME's names) for a direction.
  for (bool directions : {false, true}) {
    PadRun legacy(directions);
    legacy.readings.xinput = false;
    JoystickReading& stick = legacy.readings.joysticks[1] = {true, 1u << 2};  // held as the dialog opens: not taken
    legacy.Open();
    std::string got = legacy.Tick().value_or("-") + " ";
    for (JoystickReading moved : {JoystickReading{true, 0, 0}, {true, 0, 65535, 0}, {true, 0, 65535, 65535},
                                  {true, 0, 65535, 32767, 0}, {true, 0, 65535, 32767, 65535}, {true, 1u << 2}}) {
      stick = {true}, legacy.Tick();  // back at rest first
      stick = moved, got += legacy.Tick().value_or("-") + " ";
    }
    EXPECT_EQ(got, directions ? "- 2_HAT1UP 2_XAXIS_LEFT_SWITCH 2_XAXIS_RIGHT_SWITCH 2_YAXIS_UP_SWITCH 2_YAXIS_DOWN_SWITCH - "
                              : "- - - - - - 2_BUTTON3 ");
  }
}

using A = PadAction;
using Actions = std::vector<PadAction>;

constexpr uint16_t kDpadUp = 0x0001, kDpadDown = 0x0002, kStart = 0x0010, kBack = 0x0020, kButtonA = 0x1000;

PadReadings Pad(uint16_t buttons = 0, int16_t lx = 0, int16_t ly = 0) {
  return {true, {{{true, buttons, 0, 0, lx, ly}}}, {}};
}

// Ticks 16 ms apart, after an idle first tick that takes the baseline.
struct Session {
  PadNavigationMemory memory;
  PadNavigationMode mode{true, false};
  uint32_t now = 0xFFFFF000u;  // the tick count wraps during the session
  explicit Session(const PadReadings& first = Pad()) { DecidePadNavigation(memory, first, now, mode); }
  Actions Tick(const PadReadings& r, uint32_t step = 16) { return DecidePadNavigation(memory, r, now += step, mode); }
  // Holds `r` for `ms`: the time (from the start of the hold) of each action.
  std::vector<std::pair<uint32_t, A>> Hold(const PadReadings& r, uint32_t ms) {
    std::vector<std::pair<uint32_t, A>> seen;
    for (uint32_t t = 0; t <= ms; t += 16)
      for (A a : Tick(r)) seen.push_back({t, a});
    return seen;
  }
};
}  // namespace

TEST(PadNavigation, EachControlActsOnANewPressAndAHeldDirectionRepeats) {
  struct Case { uint16_t xinput; uint32_t joystick_buttons, pov; Actions expected; } cases[] = {  // pressed, held, let go
      {kDpadUp, 0, 0, {A::kUp}}, {0x0008, 0, 9000, {A::kRight}}, {0x0200, 1u << 5, 65535, {A::kPageDown}},
      {kDpadDown, 0, 18000, {A::kDown}}, {0x0004, 0, 27000, {A::kLeft}},
      {kButtonA, 1u << 0, 65535, {A::kAccept}}, {0x8000, 1u << 3, 65535, {A::kFavorite}},
      {kStart, 1u << 7, 65535, {A::kSettings}}, {kBack, 1u << 6, 65535, {A::kFavoritesOnly}},
      {0x0040, 1u << 8, 65535, {}},  // stick buttons, button 9: nothing
  };
  for (const Case& c : cases)
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

  Session s;
  auto seen = s.Hold(Pad(kDpadDown), 3000);
  ASSERT_TRUE(seen.size() >= 2 && std::all_of(seen.begin(), seen.end(), [](auto& s) { return s.second == A::kDown; }));
  EXPECT_TRUE(seen[0].first == 0 && seen[1].first == 400) << seen[1].first;  // the first repeat at the delay
  auto rows_between = [&](uint32_t from, uint32_t to) {
    return std::count_if(seen.begin(), seen.end(), [&](auto& s) { return s.first >= from && s.first < to; });
  };
  EXPECT_NEAR(rows_between(400, 800), 4, 1);    // about 8 a second at first
  EXPECT_NEAR(rows_between(2000, 3000), 25, 2);  // about 25 a second once up to speed
  EXPECT_TRUE(s.Tick(Pad()).empty() && s.Hold(Pad(), 500).empty());  // let go: the repeat ends
  // Held on while the launcher was behind a game: no repeat when it is in front again.
  s.Tick(Pad(kDpadDown)), s.mode.navigate = false, s.Tick(Pad(kDpadDown)), s.mode.navigate = true;
  EXPECT_TRUE(s.Hold(Pad(kDpadDown), 1000).empty());
  Session plugged(PadReadings{});  // a pad plugged in with Down held brings it along: not a press
  EXPECT_TRUE(plugged.Tick(Pad(kDpadDown)).empty() && plugged.Tick(Pad()).empty());

  // LB / RB repeat the same way; a late timer catches up one step, not a burst.
  Session late;
  late.Tick(Pad(0x0200));
  EXPECT_EQ(late.Tick(Pad(0x0200), 2000), Actions{A::kPageDown});
  EXPECT_TRUE(late.Tick(Pad(0x0200)) == Actions{A::kPageDown} && late.Tick(Pad(0x0200)).empty());

  // The triggers step through the game's pictures, once a pull: eased a little and pulled again, no flicker.
  Session t;
  PadReadings pulled = Pad();
  for (auto [left, right, expected] : std::initializer_list<std::tuple<uint8_t, uint8_t, Actions>>{
           {0, 90, {}}, {0, 120, {A::kNextPicture}}, {0, 60, {}}, {0, 120, {}}, {0, 30, {}}, {200, 0, {A::kPreviousPicture}}}) {
    pulled.pads[0].left_trigger = left, pulled.pads[0].right_trigger = right;
    EXPECT_EQ(t.Tick(pulled, 300), expected) << int(left) << "," << int(right);
  }
}

TEST(PadNavigation, TheStickBackAndStartToEndTheGamePollingAndLetterJump) {
  Session s;
  // Eased a little and pushed again: one push, no flicker; back from rest it must pass the dead zone again.
  for (auto [lx, ly, expected] : std::initializer_list<std::tuple<int16_t, int16_t, Actions>>{
           {0, 15000, {}}, {0, 17000, {A::kUp}}, {0, 13000, {}}, {0, 17000, {}}, {0, 11000, {}}, {0, 13000, {}},
           {0, 17000, {A::kUp}}, {0, -20000, {A::kDown}}, {20000, 0, {A::kRight}}, {0, 0, {}}, {-20000, 20000, {A::kUp}}})
    EXPECT_EQ(s.Tick(Pad(0, lx, ly)), expected) << lx << "," << ly;

  PadReadings stick;  // the joystick interface: 0-65535 with y growing downwards
  stick.joysticks[0].ok = true;
  Session j(stick);
  for (auto [x, y, expected] : std::initializer_list<std::tuple<uint32_t, uint32_t, Actions>>{
           {32767, 60000, {A::kDown}}, {20000, 32767, {}}, {10000, 32767, {A::kLeft}}}) {
    stick.joysticks[0].x = x, stick.joysticks[0].y = y;
    EXPECT_EQ(j.Tick(stick), expected) << x << "," << y;
  }

  std::vector<std::string> keys;
  for (const char* title : {"Akai Katana", "alpine racer", "Bloody Roar", "Brave Blade", "Bust-A-Move", "Cool Boarders",
                            "\xC3\x89lan", "\xC3\x89t\xC3\xA9", "Zero Gunner"})
    keys.push_back(LetterJumpKey(title, false));
  EXPECT_TRUE(keys[0] == keys[1] && keys[6] == "\xC3\x89") << "any case, a whole character";
  // The last group stays; with no current row the first.
  for (auto [current, direction, expected] : std::initializer_list<std::tuple<int, int, int>>{
           {1, +1, 2}, {2, +1, 5}, {6, +1, 8}, {8, +1, 8}, {8, -1, 6}, {7, -1, 5}, {4, -1, 0}, {1, -1, 0}, {-1, +1, 0}})
    EXPECT_EQ(LetterJumpRow(keys, current, direction), expected) << current;
  EXPECT_EQ(LetterJumpRow({}, 0, +1), -1);
  std::vector<std::string> years;  // years group by the whole cell; descending order works the same way
  for (const char* y : {"1999", "1999", "1998", "", ""}) years.push_back(LetterJumpKey(y, true));
  for (auto [current, direction, expected] : {std::tuple{0, +1, 2}, {2, +1, 3}, {4, -1, 2}})
    EXPECT_EQ(LetterJumpRow(years, current, direction), expected) << current;

  // Back and Start held one second end the game once and open nothing.
  Session combo;
  combo.mode.exit_combo = true;
  combo.Tick(Pad(kBack));
  auto ends = combo.Hold(Pad(kBack | kStart), 1500);
  ASSERT_EQ(ends.size(), 1u) << "one end, no Favorites Only, no Settings";
  EXPECT_TRUE(ends[0].second == A::kEndGame && ends[0].first >= 1000u && ends[0].first < 1016u) << ends[0].first;
  EXPECT_TRUE(combo.Tick(Pad(kStart)).empty() && combo.Tick(Pad()).empty()) << "let go after the combination: Start opens nothing";
  // Let go early: nothing; again from the start: a second end, also while MAME is in front.
  EXPECT_TRUE(combo.Hold(Pad(kBack | kStart), 900).empty() && combo.Tick(Pad(kStart)).empty());
  combo.mode = {false, true};
  EXPECT_EQ(combo.Hold(Pad(kBack | kStart), 1100).size(), 1u);
  // Still held from the game before as the next one is watched: it needs a new hold, or the new game would end at once.
  Session next(Pad(kBack | kStart));
  next.mode = {false, true};
  EXPECT_TRUE(next.Hold(Pad(kBack | kStart), 1500).empty());

  // Polling: 16 ms navigating (the look period while no pad is there), 100 ms watching only the combination, else none.
  EXPECT_TRUE(PadPollPeriodMs(true, true, true, true, true) == 16 &&
              PadPollPeriodMs(true, true, true, true, false) == kPadLookPeriodMs &&
              PadPollPeriodMs(true, true, false, true, true) == 100 && PadPollPeriodMs(false, true, true, true, false) == 100 &&
              PadPollPeriodMs(true, true, false, false, true) == 0 && PadPollPeriodMs(false, false, true, true, true) == 0);
}

TEST(PadProbe, ReportParsedReplacedOnlyWhenCompleteAndPluginPathsStayStrings) {
  PadProbe p = ParsePadProbe(
      "I|0|orphan|X|1\r\n"
      "D|0|Generic Stick\r\nI|0|Button 1|BUTTON1|0\r\n"
      "D|1|XInput Player 1\nI|1|A|BUTTON1|0\nI|1|LB|BUTTON5|0\nI|1|LSX|XAXIS|12.5\ngarbage\n|\n"
      "D|1|Twin\nI|1|RT|SLIDER2|-32768\nI|7|X|Y\nEND\nD|9|after end is still read");
  ASSERT_TRUE(p.size() == 4 && p[0].items.size() == 1 && p[1].items.size() == 4 && p[2].items.size() == 1) << p.size();
  EXPECT_TRUE(p[0].items[0].token == "BUTTON1" && p[1].items[2].current == 12 && p[1].items[3].current == -32768);

  ControlsEnv env;
  ForgetPadProbe();
  WriteTestFile(env.dir.File("korvo-padprobe.txt"), "D|0|XInput Old\nI|0|A|BUTTON1|0\nEND\n");
  EXPECT_EQ(*ProbeNameOfToken(1, "BUTTON1"), "A");  // the earlier run's report is used

  std::string seen_folder;
  auto writes = [&](const std::string& report) {
    return [&, report](const std::string& folder, uint32_t limit) {
      seen_folder = folder;
      WriteTestFile(env.dir.File("korvo-padprobe.new"), report);
      return limit == kProbeTimeLimitMs;
    };
  };
  auto uses_the_new_report = [&] {
    return *ProbeNameOfToken(1, "BUTTON2") == "B" && !TestFileExists(env.dir.File("korvo-padprobe.new")) &&
           ReadTestFile(env.dir.File("korvo-padprobe.txt")) == "D|0|XInput New\nI|0|B|BUTTON2|0\nEND\n";
  };
  RunPadProbe(false, writes("D|0|XInput New\nI|0|B|BUTTON2|0\nEND\n"));
  EXPECT_TRUE(seen_folder == env.dir.path() + "\\korvo-plugins\\korvo-probe-plugin" && uses_the_new_report()) << seen_folder;
  // Without force, a second probe in the same run does nothing; an incomplete report changes nothing.
  RunPadProbe(false, writes("D|0|Other\nEND\n"));
  RunPadProbe(true, writes("D|0|Cut short\nI|0|C|BUTTON3|0\n"));
  EXPECT_TRUE(uses_the_new_report());

  for (auto [path, lua] : {std::pair{"C:/a b/x", "[=[C:/a b/x]=]"}, {"a]=]b", "[==[a]=]b]==]"}, {"a]=", "[==[a]=]==]"},
                            {"a]", "[=[a]]=]"}})
    EXPECT_EQ(LuaLongString(path), lua);
}


TEST(PadNavigation, WhatAPressDoesWhereTheFocusIs) {
  using F = PadFocus;
  using S = PadStep;
  const PadPlace game_list{F::kGameList, true, true}, search{F::kSearchBox, true}, field{F::kTextField},
      number{F::kNumberField}, choice{F::kDropDown, false, true}, open_choice{F::kDropDown, false, false, true},
      box{F::kCheckBox, false, true}, button{F::kButton}, rows{F::kList}, first_row{F::kList, false, false, false, true},
      last_row{F::kList, false, true, false, false, true}, nothing{F::kNothing, true};
  const std::tuple<A, PadPlace, S> cases[] = {
      // The game list: rows, letters and pages, even beside the tabs of Classic Layout.
      {A::kDown, game_list, S::kDownKey}, {A::kRight, game_list, S::kNextLetter}, {A::kPageDown, game_list, S::kPageDownKey},
      {A::kDown, search, S::kDownKey}, {A::kAccept, game_list, S::kEnterKey},
      // Elsewhere up and down go from control to control; another list first goes through its rows.
      {A::kDown, field, S::kNextControl}, {A::kUp, box, S::kPreviousControl}, {A::kDown, nothing, S::kNextControl},
      {A::kDown, rows, S::kDownKey}, {A::kDown, last_row, S::kNextControl}, {A::kUp, first_row, S::kPreviousControl},
      {A::kDown, first_row, S::kDownKey}, {A::kPageDown, rows, S::kPageDownKey},
      // Left and right change a choice or a number; an open list is chosen from with up, down and A.
      {A::kRight, choice, S::kDownKey}, {A::kLeft, choice, S::kUpKey}, {A::kRight, number, S::kUpKey},
      {A::kLeft, number, S::kDownKey}, {A::kLeft, field, S::kLeftKey}, {A::kDown, open_choice, S::kDownKey},
      {A::kAccept, open_choice, S::kEnterKey},
      // LB / RB switch tabs where there are some; A presses what is focused; B is Cancel.
      {A::kPageUp, box, S::kPreviousTab}, {A::kPageDown, choice, S::kNextTab}, {A::kPageDown, button, S::kNothing},
      {A::kAccept, box, S::kSpaceKey}, {A::kAccept, button, S::kSpaceKey}, {A::kAccept, field, S::kEnterKey},
      {A::kCancel, field, S::kEscapeKey}, {A::kCancel, game_list, S::kEscapeKey},
      // The main window's own commands only where it is in front; ending a game anywhere.
      {A::kSearch, search, S::kSearch}, {A::kSettings, nothing, S::kSettings}, {A::kFavoritesOnly, game_list, S::kFavoritesOnly},
      {A::kFavorite, box, S::kNothing}, {A::kSettings, field, S::kNothing}, {A::kEndGame, field, S::kEndGame},
  };
  for (const auto& [action, place, expected] : cases)
    EXPECT_EQ(PadStepFor(action, place), expected) << static_cast<int>(action) << " on " << static_cast<int>(place.focus);
}
