// The capture dialogs' decisions: which key or pad control a tick of readings
// chooses, and when it keeps waiting.
#include "controls/capture.h"

#include <gtest/gtest.h>

namespace {

KeyStates Keys(std::initializer_list<int> down) {
  KeyStates s{};
  for (int k : down) s[static_cast<size_t>(k)] = true;
  return s;
}

TEST(KeyCapture, OnlyANewPressOfATableKeyCounts) {
  // Held when the dialog opened: nothing until it is released and pressed again.
  KeyStates held = Keys({'A'});
  EXPECT_EQ(DecideKeyCapture(held, held).status, CaptureStatus::Waiting);
  EXPECT_EQ(DecideKeyCapture(held, Keys({})).status, CaptureStatus::Waiting);
  KeyCapture again = DecideKeyCapture(Keys({}), held);
  EXPECT_EQ(again.status, CaptureStatus::Chosen);
  EXPECT_EQ(again.name, "A");

  // Keys outside the table: mouse buttons, the generic Shift, media keys.
  EXPECT_EQ(DecideKeyCapture(Keys({}), Keys({0x01, 0x10, 0x11, 0x12, 0xB3})).status, CaptureStatus::Waiting);
  EXPECT_EQ(DecideKeyCapture(Keys({}), Keys({0xA1})).name, "RSHIFT");
  EXPECT_EQ(DecideKeyCapture(Keys({}), Keys({0x64})).name, "4PAD");
}

TEST(KeyCapture, TheEarlierTableKeyWinsAndEscDeleteAreNeverChosen) {
  EXPECT_EQ(DecideKeyCapture(Keys({}), Keys({'Z', 'A'})).name, "A");
  EXPECT_EQ(DecideKeyCapture(Keys({}), Keys({0x70, '0'})).name, "0");  // digits come before F1
  // A table key beats Esc and Delete in the same tick.
  EXPECT_EQ(DecideKeyCapture(Keys({}), Keys({0x1B, 0x2E, 'Q'})).name, "Q");

  KeyCapture esc = DecideKeyCapture(Keys({}), Keys({0x1B}));
  EXPECT_EQ(esc.status, CaptureStatus::Cancelled);
  KeyCapture del = DecideKeyCapture(Keys({}), Keys({0x2E}));
  EXPECT_EQ(del.status, CaptureStatus::Chosen);
  EXPECT_EQ(del.name, "");
  EXPECT_EQ(DecideKeyCapture(Keys({}), Keys({0x1B, 0x2E})).status, CaptureStatus::Cancelled);
  // Held from before the dialog: neither cancels.
  EXPECT_EQ(DecideKeyCapture(Keys({0x1B, 0x2E}), Keys({0x1B, 0x2E})).status, CaptureStatus::Waiting);
}

// A probe in which the first XInput pad is MAME's joystick 2 (joystick 1 is
// some other device) with MAME's tokens for its items.
PadProbe ProbeWithPadTwo(int right_trigger_rest = 0) {
  PadProbe probe;
  probe.push_back({0, "Arcade stick", {{"Button 1", "BUTTON1", 0}}});
  probe.push_back({1,
                   "XInput Player 1",
                   {{"A", "BUTTON1", 0},
                    {"LB", "BUTTON5", 0},
                    {"LSX", "XAXIS", 0},
                    {"RT", "SLIDER2", right_trigger_rest},
                    {"D-pad Up", "HAT1UP", 0}}});
  return probe;
}

struct PadRun {
  PadReadings readings;
  PadCaptureSetup setup;
  PadProbe probe;
  PadCaptureMemory memory;
  PadRun(bool directions = false) {
    readings.xinput = true;
    for (auto& p : readings.pads) p.ok = true;
    setup.directions = directions;
  }
  void Open() { memory = PadCaptureBaseline(readings); }
  std::optional<std::string> Tick() { return DecidePadCapture(memory, readings, setup, probe); }
};

TEST(PadCapture, XInputButtonsAreNumberedAndNamedAsMameDoes) {
  PadRun run;
  run.probe = ProbeWithPadTwo();
  run.setup.probe_numbers = {2, 0, 0, 0};
  run.Open();
  EXPECT_FALSE(run.Tick());
  run.readings.pads[0].buttons = 0x1000;  // A
  EXPECT_EQ(run.Tick(), "2_BUTTON1");

  // The Pad Number choice overrides the number, not the item.
  run.setup.forced_pad = 3;
  run.readings.pads[0].buttons = 0;
  run.Tick();
  run.readings.pads[0].buttons = 0x1000;
  EXPECT_EQ(run.Tick(), "3_BUTTON1");

  // An item the probe does not list keeps the usual name.
  run.setup.forced_pad = 0;
  run.readings.pads[0].buttons = 0;
  run.Tick();
  run.readings.pads[0].buttons = 0x0010;  // Start
  EXPECT_EQ(run.Tick(), "2_START");
}

TEST(PadCapture, TriggersAndTheButtonOrder) {
  PadRun run;  // no probe data
  run.Open();
  run.readings.pads[0].right_trigger = 200;
  EXPECT_EQ(run.Tick(), "1_SLIDER2_NEG_SWITCH");

  // Several buttons at once: the table order decides (B before LB before Back).
  PadRun order;
  order.Open();
  order.readings.pads[1].buttons = 0x0020 | 0x0100 | 0x2000;
  EXPECT_EQ(order.Tick(), "2_BUTTON2");

  // A trigger resting at the far end is pressed towards the other end.
  PadRun rest;
  rest.probe = ProbeWithPadTwo(-32768);
  rest.setup.probe_numbers = {2, 0, 0, 0};
  rest.Open();
  rest.readings.pads[0].right_trigger = 255;
  EXPECT_EQ(rest.Tick(), "2_SLIDER2_POS_SWITCH");

  // A trigger held at the start, or pressed only a little, is not taken.
  PadRun held;
  held.readings.pads[2].left_trigger = 255;
  held.Open();
  EXPECT_FALSE(held.Tick());
  held.readings.pads[2].left_trigger = 127;
  EXPECT_FALSE(held.Tick());
  held.readings.pads[2].left_trigger = 128;
  EXPECT_EQ(held.Tick(), "3_SLIDER1_NEG_SWITCH");
}

TEST(PadCapture, DirectionsTakeTheHeldStickButOnlyANewDpadPress) {
  PadRun run(/*directions=*/true);
  run.readings.pads[0].buttons = 0x0001;  // D-pad up held at the start
  run.Open();
  EXPECT_FALSE(run.Tick());
  run.readings.pads[0].buttons = 0x1000 | 0x0001;  // buttons do not count for a direction
  run.readings.pads[0].right_trigger = 255;
  EXPECT_FALSE(run.Tick());
  run.readings.pads[0].buttons = 0;
  EXPECT_FALSE(run.Tick());
  run.readings.pads[0].buttons = 0x0001;
  EXPECT_EQ(run.Tick(), "1_HAT1UP");

  PadRun stick(true);
  stick.probe = ProbeWithPadTwo();
  stick.setup.probe_numbers = {2, 0, 0, 0};
  stick.readings.pads[0].thumb_ly = 30000;  // already held when the dialog opened
  stick.Open();
  EXPECT_EQ(stick.Tick(), "2_YAXIS_UP_SWITCH");
  stick.readings.pads[0].thumb_ly = 16000;  // exactly the threshold is not enough
  stick.readings.pads[0].thumb_lx = -16001;
  EXPECT_EQ(stick.Tick(), "2_XAXIS_LEFT_SWITCH");
}

TEST(PadCapture, LegacyJoysticksByTheirIndex) {
  auto first = [](bool directions, auto change) {
    PadRun run(directions);
    run.readings.xinput = false;
    run.readings.joysticks[3].ok = true;
    run.Open();
    change(run.readings.joysticks[3]);
    return run.Tick();
  };
  EXPECT_EQ(first(false, [](JoystickReading& j) { j.buttons = 1u << 4; }), "4_BUTTON5");
  EXPECT_EQ(first(false, [](JoystickReading& j) { j.buttons = (1u << 7) | (1u << 2); }), "4_BUTTON3");
  EXPECT_EQ(first(true, [](JoystickReading& j) { j.pov = 9000; }), "4_HAT1RIGHT");
  EXPECT_EQ(first(true, [](JoystickReading& j) { j.x = 0; }), "4_XAXIS_LEFT_SWITCH");
  // POV before stick when both move at once.
  EXPECT_EQ(first(true, [](JoystickReading& j) { j.y = 0, j.pov = 18000; }), "4_HAT1DOWN");
  // A button dialog ignores the stick and the POV; a direction dialog the buttons.
  EXPECT_FALSE(first(false, [](JoystickReading& j) { j.x = 0, j.pov = 9000; }));
  EXPECT_FALSE(first(true, [](JoystickReading& j) { j.buttons = 1; }));
}

TEST(PadCapture, LegacyStateWordRanges) {
  JoystickReading r;
  r.ok = true;
  EXPECT_EQ(LegacyJoystickWord(r), 0u);  // centred, POV 65535
  auto pov = [&](uint32_t value) {
    r.pov = value;
    return LegacyJoystickWord(r) >> 20 & 0xF;  // up, down, left, right
  };
  EXPECT_EQ(pov(0), 0x1u);
  EXPECT_EQ(pov(4500), 0x9u);  // diagonals set both neighbours
  EXPECT_EQ(pov(13500), 0xAu);
  EXPECT_EQ(pov(22500), 0x6u);
  EXPECT_EQ(pov(31500), 0x5u);
  EXPECT_EQ(pov(36000), 0x1u);
  EXPECT_EQ(pov(36001), 0x0u);
  r.pov = 65535;
  auto stick = [&](uint32_t x, uint32_t y) {
    r.x = x, r.y = y;
    return LegacyJoystickWord(r) >> 24;
  };
  EXPECT_EQ(stick(32767, 16767), 0x1u);
  EXPECT_EQ(stick(32767, 16768), 0x0u);
  EXPECT_EQ(stick(32767, 48769), 0x2u);
  EXPECT_EQ(stick(32767, 48768), 0x0u);
  EXPECT_EQ(stick(16767, 65535), 0x6u);
  EXPECT_EQ(stick(48769, 0), 0x9u);
  r.x = r.y = 32767;
  r.buttons = 0xFFFFFFFFu;  // only 20 buttons exist
  EXPECT_EQ(LegacyJoystickWord(r), 0xFFFFFu);
}

TEST(PadCapture, UnreadableDevicesCountAsReleased) {
  PadRun run;
  run.readings.pads[0].buttons = 0x1000;  // held at the start
  run.readings.joysticks[0] = {true, 1, 65535, 32767, 32767};
  run.Open();
  EXPECT_FALSE(run.Tick());
  run.readings.pads[0].ok = false;  // unplugged for a tick
  run.readings.joysticks[0].ok = false;
  EXPECT_FALSE(run.Tick());
  run.readings.pads[0].ok = true;
  run.readings.joysticks[0].ok = true;
  EXPECT_EQ(run.Tick(), "1_BUTTON1");  // the XInput pad comes first
  EXPECT_EQ(run.Tick(), "1_BUTTON1");  // then the legacy joystick's button 1

  // Without an XInput library the XInput readings mean nothing.
  PadRun none;
  none.readings.xinput = false;
  none.Open();
  none.readings.pads[0].buttons = 0x1000;
  EXPECT_FALSE(none.Tick());
}

TEST(PadCapture, ALongProbeTokenIsCutTo71Bytes) {
  PadRun run;
  run.probe = {{0, "XInput", {{"A", std::string(80, 'T'), 0}}}};
  run.Open();
  run.readings.pads[0].buttons = 0x1000;
  std::optional<std::string> code = run.Tick();
  ASSERT_TRUE(code);
  EXPECT_EQ(code->size(), kPadCodeMax);
  EXPECT_EQ(code->substr(0, 3), "1_T");
}

}  // namespace
