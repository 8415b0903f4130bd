// The capture dialogs' decisions: which key or pad control a tick of readings chooses, and when it keeps waiting.
#include "controls/capture.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

KeyStates Keys(std::initializer_list<int> down) {
  KeyStates s{};
  for (int k : down) s[static_cast<size_t>(k)] = true;
  return s;
}

TEST(KeyCapture, OnlyANewPressOfATableKeyCountsEarliestFirstEscCancelsDeleteClears) {
  using S = CaptureStatus;
  struct Case {
    std::initializer_list<int> before, now;
    S status;
    const char* name;
  } cases[] = {
      {{'A'}, {'A'}, S::Waiting, ""}, {{'A'}, {}, S::Waiting, ""}, {{}, {'A'}, S::Chosen, "A"},
      {{}, {0x01, 0x10, 0x11, 0x12, 0xB3}, S::Waiting, ""},  // mouse, generic Shift, media keys
      {{}, {0xA1}, S::Chosen, "RSHIFT"}, {{}, {0x64}, S::Chosen, "4PAD"}, {{}, {'Z', 'A'}, S::Chosen, "A"},
      {{}, {0x70, '0'}, S::Chosen, "0"}, {{}, {0x1B, 0x2E, 'Q'}, S::Chosen, "Q"}, {{}, {0x1B}, S::Cancelled, ""},
      {{}, {0x2E}, S::Chosen, ""}, {{}, {0x1B, 0x2E}, S::Cancelled, ""}, {{0x1B, 0x2E}, {0x1B, 0x2E}, S::Waiting, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KeyCapture got = DecideKeyCapture(Keys(c.before), Keys(c.now));
    EXPECT_EQ(got.status, c.status);
    EXPECT_EQ(got.status == S::Chosen ? got.name : "", c.name);
  }
}

struct PadRun {
  PadReadings readings;
  PadCaptureSetup setup;
  PadProbe probe;
  PadCaptureMemory memory;
  explicit PadRun(bool directions = false, bool pad_two = false, int rest = 0) {
    readings.xinput = true;
    for (auto& p : readings.pads) p.ok = true;
    setup.directions = directions;
    // The first XInput pad as MAME's joystick 2 (joystick 1 is some other device), with MAME's tokens.
    if (pad_two)
      probe = {{0, "Arcade stick", {{"Button 1", "BUTTON1", 0}}},
               {1, "XInput Player 1", {{"A", "BUTTON1", 0}, {"LB", "BUTTON5", 0}, {"RT", "SLIDER2", rest}}}},
      setup.probe_numbers = {2, 0, 0, 0};
  }
  void Open() { memory = PadCaptureBaseline(readings); }
  std::optional<std::string> Tick() { return DecidePadCapture(memory, readings, setup, probe); }
};

TEST(PadCapture, XInputControlsAreNumberedAndNamedAsMameDoesAndOnlyDirectionsTakeAHeldStick) {
  struct Case {
    bool directions, pad_two;  // a direction dialog; the probe that makes the first pad MAME's second
    int rest, forced, index;   // the right trigger's rest in the probe, the Pad Number choice, the pad moved
    XInputReading before, after;  // ok, buttons, left and right trigger, stick x and y
    const char* expected;
  } cases[] = {
      {false, true, 0, 0, 0, {true}, {true, 0x1000}, "2_BUTTON1"},  // A
      {false, true, 0, 3, 0, {true}, {true, 0x1000}, "3_BUTTON1"},  // the choice overrides the number only
      {false, true, 0, 0, 0, {true}, {true, 0x0010}, "2_START"},    // not in the probe: the usual name
      {false, false, 0, 0, 0, {true}, {true, 0, 0, 200}, "1_SLIDER2_NEG_SWITCH"},
      {false, false, 0, 0, 1, {true}, {true, 0x0020 | 0x0100 | 0x2000}, "2_BUTTON2"},  // B before LB before Back
      {false, true, -32768, 0, 0, {true}, {true, 0, 0, 255}, "2_SLIDER2_POS_SWITCH"},  // pressed away from its rest
      {false, false, 0, 0, 2, {true}, {true, 0, 127}, ""},  // pressed only a little
      {false, false, 0, 0, 2, {true}, {true, 0, 128}, "3_SLIDER1_NEG_SWITCH"},
      {false, false, 0, 0, 2, {true, 0, 255}, {true, 0, 128}, ""},  // held when the dialog opened
      {true, false, 0, 0, 0, {true, 0x0001}, {true, 0x1001, 0, 255}, ""},  // D-pad held; buttons are no direction
      {true, false, 0, 0, 0, {true}, {true, 0x0001}, "1_HAT1UP"},
      {true, true, 0, 0, 0, {true, 0, 0, 0, 0, 30000}, {true, 0, 0, 0, 0, 30000}, "2_YAXIS_UP_SWITCH"},
      {true, true, 0, 0, 0, {true}, {true, 0, 0, 0, 0, 16000}, ""},  // exactly the threshold is not enough
      {true, true, 0, 0, 0, {true}, {true, 0, 0, 0, -16001, 16000}, "2_XAXIS_LEFT_SWITCH"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    PadRun run(c.directions, c.pad_two, c.rest);
    run.setup.forced_pad = c.forced;
    run.readings.pads[c.index] = c.before;
    run.Open();
    run.readings.pads[c.index] = c.after;
    EXPECT_EQ(run.Tick().value_or(""), c.expected);
  }

  PadRun long_token;
  long_token.probe = {{0, "XInput", {{"A", std::string(80, 'T'), 0}}}};
  long_token.Open();
  long_token.readings.pads[0].buttons = 0x1000;
  EXPECT_EQ(long_token.Tick().value_or(""), "1_" + std::string(kPadCodeMax - 2, 'T'));
}

TEST(PadCapture, LegacyJoysticksByTheirIndex) {
  // POV before stick; a button dialog ignores stick and POV, a direction dialog the buttons.
  for (auto [directions, buttons, pov, x, y, expected] :
       std::initializer_list<std::tuple<bool, uint32_t, uint32_t, uint32_t, uint32_t, const char*>>{
           {false, 1u << 4, 65535, 32767, 32767, "4_BUTTON5"}, {false, (1u << 7) | (1u << 2), 65535, 32767, 32767, "4_BUTTON3"},
           {true, 0, 9000, 32767, 32767, "4_HAT1RIGHT"}, {true, 0, 65535, 0, 32767, "4_XAXIS_LEFT_SWITCH"},
           {true, 0, 18000, 32767, 0, "4_HAT1DOWN"}, {false, 0, 9000, 0, 32767, ""}, {true, 1, 65535, 32767, 32767, ""}}) {
    PadRun run(directions);
    run.readings.xinput = false;
    run.readings.joysticks[3].ok = true;
    run.Open();
    run.readings.joysticks[3] = {true, buttons, pov, x, y};
    EXPECT_EQ(run.Tick().value_or(""), expected) << buttons << " " << pov << " " << x << "," << y;
  }
}

TEST(PadCapture, LegacyStateWordRanges) {
  // Bits 20-23: POV up, down, left, right (diagonals set both neighbours); bits 24-27: the stick's.
  JoystickReading r{true};
  for (auto [pov, x, y, bits] : std::initializer_list<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t>>{
           {65535, 32767, 32767, 0x00}, {0, 32767, 32767, 0x01}, {4500, 32767, 32767, 0x09}, {13500, 32767, 32767, 0x0A},
           {22500, 32767, 32767, 0x06}, {31500, 32767, 32767, 0x05}, {36000, 32767, 32767, 0x01},
           {36001, 32767, 32767, 0x00}, {65535, 32767, 16767, 0x10}, {65535, 32767, 16768, 0x00},
           {65535, 32767, 48769, 0x20}, {65535, 32767, 48768, 0x00}, {65535, 16767, 65535, 0x60},
           {65535, 48769, 0, 0x90}}) {
    r.pov = pov, r.x = x, r.y = y;
    EXPECT_EQ(LegacyJoystickWord(r), bits << 20) << pov << " " << x << "," << y;
  }
  r = {true, 0xFFFFFFFFu};  // only 20 buttons exist
  EXPECT_EQ(LegacyJoystickWord(r), 0xFFFFFu);
}

TEST(PadCapture, UnreadableDevicesCountAsReleased) {
  PadRun run;
  run.readings.pads[0].buttons = 0x1000;  // held at the start
  run.readings.joysticks[0] = {true, 1, 65535, 32767, 32767};
  run.Open();
  EXPECT_FALSE(run.Tick());
  run.readings.pads[0].ok = run.readings.joysticks[0].ok = false;  // unplugged for a tick
  ASSERT_FALSE(run.Tick());
  run.readings.pads[0].ok = run.readings.joysticks[0].ok = true;
  EXPECT_EQ(run.Tick(), "1_BUTTON1");  // the XInput pad comes first
  EXPECT_EQ(run.Tick(), "1_BUTTON1");  // then the legacy joystick's button 1

  PadRun none;  // without an XInput library the XInput readings mean nothing
  none.readings.xinput = false;
  none.Open();
  none.readings.pads[0].buttons = 0x1000;
  EXPECT_FALSE(none.Tick());
}

}  // namespace
