// The generated plugin, run frame by frame in the simulated MAME of tests/lua/mame_sim.lua.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

#include "combos/combos_plugin.h"
#include "support/test_support.h"

namespace {

struct HarnessRun {
  std::string output;                        // everything the simulator printed
  std::map<int, std::string> frames;         // frame number -> fields at 1, comma separated
  std::map<std::string, std::string> touch;  // field id -> "sets clears"
  bool Has(const std::string& line) const { return output.find(line) != std::string::npos; }
};

HarnessRun RunPluginInSimulator(const std::string& init_lua, const std::string& scenario) {
  TempDir dir;
  WriteTestFile(dir.File("init.lua"), init_lua);
  WriteTestFile(dir.File("scenario.txt"), scenario);
  std::string command = "lua5.4 '" + SourcePath("tests/lua/mame_sim.lua") + "' '" + dir.File("init.lua") + "' '" +
                        dir.File("scenario.txt") + "' 2>&1";
  HarnessRun run;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
    pclose(pipe);
  }
  std::istringstream lines(run.output);
  for (std::string line; std::getline(lines, line);) {
    size_t colon = line.find(": ");
    if (line.size() > 1 && line[0] == 'F' && colon != std::string::npos) {
      run.frames[std::stoi(line.substr(1, colon - 1))] = line.substr(colon + 2);
    } else if (line.rfind("touch ", 0) == 0) {
      // "touch :IN0 P1 Down 3 1": the id holds spaces, the counts are the last two words.
      size_t last = line.rfind(' '), before = line.rfind(' ', last - 1);
      run.touch[line.substr(6, before - 6)] = line.substr(before + 1);
    }
  }
  return run;
}

std::string MakeInitLua(const CombosState& combos, const std::string& autofire_rows = "",
                        const std::string& log_path = "", int autofire_rate = 1) {
  CombosPluginInputs in;
  in.combos = &combos;
  in.autofire_rows = autofire_rows;
  in.log_path = log_path;
  in.autofire_rate = autofire_rate;
  return BuildCombosInitLua(in);
}

ComboRow Row(const std::string& seq, const std::string& key, int player = 1) {
  ComboRow r;
  r.seq = seq, r.key = key, r.player = player;
  return r;
}
CombosState Rows(std::initializer_list<ComboRow> rows) {
  CombosState s;
  std::copy(rows.begin(), rows.end(), s.rows.begin());
  return s;
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

// Both frame-callback APIs give the same frames: the first step for one
// frame, later steps for two at 30 ms and 60 fps, all released afterwards;
// only the triggered fields are touched, each set and cleared once.
TEST(PluginTiming, FirstStepOneFrameLaterStepsTwoOnEitherApi) {
  CombosState s = Rows({Row("236+HP", "4"), Row("8", "5", 2)});
  for (const char* api : {"new", "old"}) {
    SCOPED_TRACE(api);
    HarnessRun run = RunPluginInSimulator(MakeInitLua(s), std::string("api ") + api + "\nframes 20\nhold KEYCODE_4 10 10\n");
    ASSERT_EQ(run.frames.size(), 20u) << run.output;
    const std::string expected[] = {"", kDown, kDown + "," + kRight, kDown + "," + kRight, kHp + "," + kRight,
                                    kHp + "," + kRight, "", "", "", "", ""};
    for (int f = 10; f <= 20; ++f) EXPECT_EQ(run.frames[f], expected[f - 10]) << f;
    EXPECT_EQ(run.touch.size(), 4u);  // no field of player 2 or another button was touched
    EXPECT_EQ(run.touch[kDown], "3 1");  // set on each of its frames, cleared once
    EXPECT_EQ(run.Has("frame_sub kept"), std::string(api) == "new");
  }
  EXPECT_TRUE(RunPluginInSimulator(MakeInitLua(s), "frames 30\n").touch.empty());  // nothing without a trigger
}

TEST(PluginTriggers, PressStartsHoldDoesNotRepeatBusyPlayerIgnoresOthersFirstRowWins) {
  CombosState s = Rows({Row("236+HP", "4"), Row("6+LP", "5"), Row("2+HK", "6", 2), Row("4+LK", "7")});
  HarnessRun run = RunPluginInSimulator(MakeInitLua(s),
                                        "frames 80\n"
                                        "hold KEYCODE_4 10 30\n"   // held long: plays once
                                        "hold KEYCODE_5 12 12\n"   // player 1 busy: ignored
                                        "hold KEYCODE_6 12 12\n"   // player 2 is free
                                        "hold KEYCODE_5 40 40\n"   // after the end: plays
                                        "hold KEYCODE_4 50 50\n"   // released and pressed again: plays again
                                        "hold KEYCODE_5 70 70\nhold KEYCODE_7 70 80\n");  // same frame: the first row
  EXPECT_EQ(run.frames[13], kDown + "," + kRight + ",:IN1 P2 Button 6,:IN1 P2 Down");
  for (int f = 16; f <= 40; ++f) EXPECT_EQ(run.frames[f], "") << f;
  EXPECT_EQ(run.frames[41], ":IN0 P1 Button 1," + kRight);
  EXPECT_EQ(run.frames[42], "");
  EXPECT_EQ(run.frames[51], kDown);
  EXPECT_EQ(Presses(run, kDown, 1, 60), 2);
  EXPECT_EQ(run.frames[71], ":IN0 P1 Button 1," + kRight);
  for (int f = 72; f <= 80; ++f) EXPECT_EQ(run.frames[f], "") << f;  // the held second trigger never fires

  // A pad code starts a row too; a charge holds for the charge time, mirrored on the right side.
  ComboRow charge = Row("4*C 6+HP", "X");
  charge.pad = "1_BUTTON2";
  charge.side = 1;
  CombosState c = Rows({charge, Row("START", "S")});
  run = RunPluginInSimulator(MakeInitLua(c), "frames 60\nhold JOYCODE_1_BUTTON2 5 5\nhold KEYCODE_S 2 2\n");
  EXPECT_EQ(run.frames[3], ":SYSTEM 1 Player Start");
  EXPECT_EQ(run.frames[6], kRight);
  EXPECT_EQ(run.frames[40], kRight);  // 600 ms from frame 5 ends on frame 41
  EXPECT_EQ(run.frames[41], kHp + "," + kLeft);
  EXPECT_EQ(run.frames[43], "");
}

// Autofire presses at once, then every half period, at each speed; releasing
// the trigger lets the button go, and buttons without autofire are untouched.
TEST(PluginAutofire, PressesPerSecondAtEachSpeedAndBesideACombo) {
  const int expected[] = {10, 15, 20, 30};
  const std::string rows = "{player=1,bit=4,trig='KEYCODE_A'},\n{player=2,bit=9,trig='KEYCODE_B OR JOYCODE_2_BUTTON6'},\n";
  for (int rate = 0; rate < 4; ++rate) {
    SCOPED_TRACE(rate);
    HarnessRun run = RunPluginInSimulator(MakeInitLua(CombosState{}, rows, "", rate),
                                          "frames 90\nhold KEYCODE_A 10 69\nhold JOYCODE_2_BUTTON6 80 90\n");
    EXPECT_EQ(run.frames[10], ":IN0 P1 Button 1");
    int presses = Presses(run, ":IN0 P1 Button 1", 10, 69);
    if (rate == 3)
      EXPECT_GE(presses, 28);  // 16 ms halves drift against 16.7 ms frames
    else
      EXPECT_EQ(presses, expected[rate]);
    for (int f = 70; f <= 79; ++f) EXPECT_EQ(run.frames[f], "") << f;
    EXPECT_EQ(run.frames[80], ":IN1 P2 Button 6");
    EXPECT_EQ(run.touch.count(":IN0 P1 Button 2"), 0u);
  }
  HarnessRun both = RunPluginInSimulator(MakeInitLua(Rows({Row("2 2 2 2", "4")}), "{player=1,bit=5,trig='KEYCODE_A'},\n"),
                                         "frames 20\nhold KEYCODE_4 5 5\nhold KEYCODE_A 5 20\n");
  EXPECT_EQ(both.frames[6], ":IN0 P1 Button 2," + kDown);
  EXPECT_EQ(both.frames[8], kDown);  // autofire half period over, combo still holds Down
}

// Faults inside MAME are logged and the next frame goes on; the log keeps to 201 lines.
TEST(PluginFaults, ErrorsAreLoggedPlayingGoesOnAndAStoppedMachineIsForgotten) {
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
  for (const char* line : {"combo 1 trigger KEYCODE_BAD = (not understood)", "combo 2 trigger KEYCODE_4 = name(KEYCODE_4)",
                           "combo 2 started", "error: ", "combo done"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  std::string every_frame = "frames 400\n";
  for (int f = 1; f <= 400; ++f) every_frame += "fail_time " + std::to_string(f) + "\n";
  RunPluginInSimulator(MakeInitLua(s, "", log), every_frame);
  std::string flooded = ReadTestFile(log);
  EXPECT_EQ(std::count(flooded.begin(), flooded.end(), '\n'), 201 + std::count(text.begin(), text.end(), '\n'));

  // Without a frame callback it says so; without a log path it writes nothing and still plays.
  CombosState one = Rows({Row("6", "4")});
  RunPluginInSimulator(MakeInitLua(one, "", dir.File("c.log")), "api none\nframes 3\n");
  EXPECT_EQ(ReadTestFile(dir.File("c.log")), "plugin started\nno frame callback in this MAME\n");
  EXPECT_EQ(RunPluginInSimulator(MakeInitLua(one), "frames 3\nhold KEYCODE_4 1 1\n").frames[2], kRight);

  // A machine that stops mid-combo: the new one starts with nothing pressed and its fields found again.
  run = RunPluginInSimulator(MakeInitLua(Rows({Row("2 2 2 2 2", "4")}), "", dir.File("s.log")),
                             "frames 20\nhold KEYCODE_4 5 5\nstop 8\nhold KEYCODE_4 12 12\n");
  EXPECT_EQ(run.frames[7], kDown);
  EXPECT_EQ(run.frames[8], "");
  EXPECT_EQ(run.frames[13], kDown);
  text = ReadTestFile(dir.File("s.log"));
  EXPECT_NE(text.find("fields found"), text.rfind("fields found"));
}

}  // namespace
