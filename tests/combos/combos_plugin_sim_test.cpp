// The generated plugin, run frame by frame in a simulated MAME.
#include <gtest/gtest.h>

#include <algorithm>

#include "plugin_harness.h"
#include "support/test_support.h"

namespace {

CombosState Rows(std::initializer_list<ComboRow> rows) {
  CombosState s;
  int i = 0;
  for (const ComboRow& r : rows) s.rows[i++] = r;
  return s;
}

ComboRow Row(const std::string& seq, const std::string& key, int player = 1, int side = 0) {
  ComboRow r;
  r.seq = seq;
  r.key = key;
  r.player = player;
  r.side = side;
  return r;
}

const std::string kDown = ":IN0 P1 Down", kRight = ":IN0 P1 Right", kLeft = ":IN0 P1 Left";
const std::string kHp = ":EXTRA P1 Button 3,:IN0 P1 Button 3";

// Presses (0 -> 1 changes) of a field over frames [from, to].
int Presses(const HarnessRun& run, const std::string& field, int from, int to) {
  int presses = 0;
  bool was = false;
  for (int f = from; f <= to; ++f) {
    bool on = run.frames.count(f) && run.frames.at(f).find(field) != std::string::npos;
    presses += on && !was;
    was = on;
  }
  return presses;
}

class PluginTiming : public ::testing::TestWithParam<const char*> {};

// Both frame-callback APIs give the same frames: the first step for one
// frame, later steps for two at 30 ms and 60 fps, all released afterwards.
TEST_P(PluginTiming, FirstStepOneFrameLaterStepsTwo) {
  CombosState s = Rows({Row("236+HP", "4")});
  HarnessRun run = RunPluginInSimulator(MakeInitLua(s), std::string("api ") + GetParam() +
                                                            "\nframes 20\nhold KEYCODE_4 10 10\n");
  ASSERT_EQ(run.frames.size(), 20u) << run.output;
  EXPECT_EQ(run.frames[10], "");
  EXPECT_EQ(run.frames[11], kDown);
  EXPECT_EQ(run.frames[12], kDown + "," + kRight);
  EXPECT_EQ(run.frames[13], kDown + "," + kRight);
  EXPECT_EQ(run.frames[14], ":EXTRA P1 Button 3,:IN0 P1 Button 3," + kRight);
  EXPECT_EQ(run.frames[15], run.frames[14]);
  for (int f = 16; f <= 20; ++f) EXPECT_EQ(run.frames[f], "") << f;
  if (std::string(GetParam()) == "new") EXPECT_TRUE(run.Has("frame_sub kept"));
}
INSTANTIATE_TEST_SUITE_P(Apis, PluginTiming, ::testing::Values("new", "old"));

TEST(PluginTriggers, PressStartsHoldDoesNotRepeatBusyPlayerIgnoresOthers) {
  CombosState s = Rows({Row("236+HP", "4"), Row("6+LP", "5"), Row("2+HK", "6", 2)});
  std::string scenario =
      "frames 60\n"
      "hold KEYCODE_4 10 30\n"   // held long: plays once
      "hold KEYCODE_5 12 12\n"   // player 1 busy: ignored
      "hold KEYCODE_6 12 12\n"   // player 2 is free
      "hold KEYCODE_5 40 40\n"   // after the end: plays
      "hold KEYCODE_4 50 50\n";  // released and pressed again: plays again
  HarnessRun run = RunPluginInSimulator(MakeInitLua(s), scenario);
  EXPECT_EQ(run.frames[13], kDown + "," + kRight + ",:IN1 P2 Button 6,:IN1 P2 Down");
  for (int f = 16; f <= 40; ++f) EXPECT_EQ(run.frames[f], "") << f;
  EXPECT_EQ(run.frames[41], ":IN0 P1 Button 1," + kRight);
  EXPECT_EQ(run.frames[42], "");
  EXPECT_EQ(run.frames[51], kDown);
  EXPECT_EQ(Presses(run, kDown, 1, 60), 2);
}

TEST(PluginTriggers, TwoTriggersOnOneFrameFirstRowWins) {
  CombosState s = Rows({Row("6+LP", "4"), Row("4+LK", "5")});
  HarnessRun run = RunPluginInSimulator(MakeInitLua(s), "frames 20\nhold KEYCODE_4 10 10\nhold KEYCODE_5 10 20\n");
  EXPECT_EQ(run.frames[11], ":IN0 P1 Button 1," + kRight);
  for (int f = 12; f <= 20; ++f) EXPECT_EQ(run.frames[f], "") << f;  // the held second trigger never fires
}

TEST(PluginTriggers, KeyOrPadStartsTheRowAndHoldsLastTheChargeTime) {
  ComboRow row = Row("4*C 6+HP", "X");
  row.pad = "1_BUTTON2";
  row.side = 1;  // stored for the left side: on the right the hold presses Right
  CombosState s = Rows({row, Row("START", "S")});
  s.charge_ms = 600;
  HarnessRun run =
      RunPluginInSimulator(MakeInitLua(s), "frames 60\nhold JOYCODE_1_BUTTON2 5 5\nhold KEYCODE_S 2 2\n");
  EXPECT_EQ(run.frames[3], ":SYSTEM 1 Player Start");
  EXPECT_EQ(run.frames[6], kRight);
  EXPECT_EQ(run.frames[40], kRight);  // 600 ms from frame 5 ends on frame 41
  EXPECT_EQ(run.frames[41], kHp + "," + kLeft);
  EXPECT_EQ(run.frames[43], "");
}

// Autofire presses at once, then every half period, at each speed; releasing
// the trigger lets the button go, and buttons without autofire are untouched.
TEST(PluginAutofire, PressesPerSecondAtEachSpeed) {
  const int expected[] = {10, 15, 20, 30};
  for (int rate = 0; rate < 4; ++rate) {
    CombosState none;
    std::string rows = "{player=1,bit=4,trig='KEYCODE_A'},\n{player=2,bit=9,trig='KEYCODE_B OR JOYCODE_2_BUTTON6'},\n";
    HarnessRun run = RunPluginInSimulator(MakeInitLua(none, rows, "", rate),
                                          "frames 90\nhold KEYCODE_A 10 69\nhold JOYCODE_2_BUTTON6 80 90\n");
    EXPECT_EQ(run.frames[10], ":IN0 P1 Button 1") << rate;
    int presses = Presses(run, ":IN0 P1 Button 1", 10, 69);
    if (rate == 3)
      EXPECT_GE(presses, 28);  // 16 ms halves drift against 16.7 ms frames
    else
      EXPECT_EQ(presses, expected[rate]) << rate;
    for (int f = 70; f <= 79; ++f) EXPECT_EQ(run.frames[f], "") << rate << " " << f;
    EXPECT_EQ(run.frames[80], ":IN1 P2 Button 6");
    EXPECT_EQ(run.touch.count(":IN0 P1 Button 2"), 0u);
  }
}

TEST(PluginAutofire, CombinesWithARunningComboOfTheSamePlayer) {
  CombosState s = Rows({Row("2 2 2 2", "4")});
  HarnessRun run = RunPluginInSimulator(MakeInitLua(s, "{player=1,bit=5,trig='KEYCODE_A'},\n"),
                                        "frames 20\nhold KEYCODE_4 5 5\nhold KEYCODE_A 5 20\n");
  EXPECT_EQ(run.frames[6], ":IN0 P1 Button 2," + kDown);
  EXPECT_EQ(run.frames[8], kDown);  // autofire half period over, combo still holds Down
}

TEST(PluginInputs, LeavesThePlayersOwnInputsAlone) {
  CombosState s = Rows({Row("6+LP", "4"), Row("8", "5", 2)});
  HarnessRun idle = RunPluginInSimulator(MakeInitLua(s), "frames 30\n");
  EXPECT_TRUE(idle.touch.empty()) << idle.output;  // nothing is set or cleared without a trigger

  HarnessRun run = RunPluginInSimulator(MakeInitLua(s), "frames 30\nhold KEYCODE_4 5 5\n");
  EXPECT_EQ(run.touch[":IN0 P1 Right"], "1 1");  // set on its one frame, cleared once
  EXPECT_EQ(run.touch[":IN0 P1 Button 1"], "1 1");
  EXPECT_EQ(run.touch.size(), 2u);  // no other field, of either player, was touched
}

// Faults inside MAME are logged and the next frame goes on; the log keeps
// to 201 lines.
TEST(PluginFaults, ErrorsAreLoggedAndPlayingGoesOn) {
  TempDir dir;
  std::string log = dir.File("combos ]=] log.txt");
  // The third trigger would end or escape a Lua string if written as typed.
  CombosState s = Rows({Row("6+LP", "BAD"), Row("236+HP", "4"), Row("HP", "Q'\\\r\n]=]\"", 2)});
  HarnessRun run = RunPluginInSimulator(MakeInitLua(s, "", log),
                                        "frames 20\nbad_trigger KEYCODE_BAD\nhold KEYCODE_4 10 10\n"
                                        "hold KEYCODE_BAD 10 10\nfail_time 12\n");
  ASSERT_EQ(run.frames.size(), 20u) << run.output;
  EXPECT_EQ(run.frames[11], kDown);
  EXPECT_EQ(run.frames[13], kDown + "," + kRight);  // the faulty frame 12 changed nothing
  std::string text = ReadTestFile(log);
  EXPECT_EQ(text.find("plugin started\nfields found: 23\n"), 0u) << text;
  EXPECT_NE(text.find("combo 1 trigger KEYCODE_BAD = (not understood)"), std::string::npos);
  EXPECT_NE(text.find("combo 2 trigger KEYCODE_4 = name(KEYCODE_4)"), std::string::npos);
  EXPECT_NE(text.find("combo 2 started"), std::string::npos);
  EXPECT_NE(text.find("error: "), std::string::npos);
  EXPECT_NE(text.find("combo done"), std::string::npos);

  std::string every_frame = "frames 400\n";
  for (int f = 1; f <= 400; ++f) every_frame += "fail_time " + std::to_string(f) + "\n";
  RunPluginInSimulator(MakeInitLua(s, "", log), every_frame);
  std::string flooded = ReadTestFile(log);
  EXPECT_EQ(std::count(flooded.begin(), flooded.end(), '\n'), 201 + std::count(text.begin(), text.end(), '\n'));
}

TEST(PluginFaults, WithoutAFrameCallbackItSaysSoAndWithoutLogPathWritesNothing) {
  TempDir dir;
  std::string log = dir.File("c.log");
  CombosState s = Rows({Row("6", "4")});
  RunPluginInSimulator(MakeInitLua(s, "", log), "api none\nframes 3\n");
  EXPECT_EQ(ReadTestFile(log), "plugin started\nno frame callback in this MAME\n");
  HarnessRun quiet = RunPluginInSimulator(MakeInitLua(s), "frames 3\nhold KEYCODE_4 1 1\n");
  EXPECT_EQ(quiet.frames[2], kRight);
}

TEST(PluginFaults, AMachineThatStopsMidComboIsForgotten) {
  TempDir dir;
  std::string log = dir.File("c.log");
  CombosState s = Rows({Row("2 2 2 2 2", "4")});
  HarnessRun run = RunPluginInSimulator(MakeInitLua(s, "", log),
                                        "frames 20\nhold KEYCODE_4 5 5\nstop 8\nhold KEYCODE_4 12 12\n");
  EXPECT_EQ(run.frames[7], kDown);
  EXPECT_EQ(run.frames[8], "");  // new machine: nothing pressed, the old combo is gone
  EXPECT_EQ(run.frames[13], kDown);
  std::string text = ReadTestFile(log);
  EXPECT_NE(text.find("fields found"), text.rfind("fields found"));  // found again on the new machine
}

}  // namespace
