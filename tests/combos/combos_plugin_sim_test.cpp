// The generated plugin, run frame by frame in the simulated MAME of tests/lua/mame_sim.lua.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "combos/combos_plugin.h"
#include "support/test_support.h"

namespace {

// What the simulator printed: "F<n>: <fields at 1>" per frame, then "touch <field> <sets> <clears>".
std::string Simulate(const CombosState& combos, const std::string& scenario, const std::string& autofire_rows = "",
                     const std::string& log_path = "", int autofire_rate = 1) {
  CombosPluginInputs in;
  in.combos = &combos, in.autofire_rows = autofire_rows, in.log_path = log_path, in.autofire_rate = autofire_rate;
  TempDir dir;
  WriteTestFile(dir.File("init.lua"), BuildCombosInitLua(in));
  WriteTestFile(dir.File("scenario.txt"), scenario);
  std::string command = "lua5.4 '" + SourcePath("tests/lua/mame_sim.lua") + "' '" + dir.File("init.lua") + "' '" +
                        dir.File("scenario.txt") + "' 2>&1";
  std::string out = "\n";
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}
bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
std::string Frame(const std::string& out, int n) {
  size_t at = out.find("\nF" + std::to_string(n) + ": ");
  if (at == std::string::npos) return "(no frame " + std::to_string(n) + ")";
  at = out.find(' ', at) + 1;
  return out.substr(at, out.find('\n', at) - at);
}
// Presses (0 -> 1 changes) of a field over frames [from, to].
int Presses(const std::string& out, const std::string& field, int from, int to) {
  int presses = 0;
  for (int f = from, was = 0, on; f <= to; ++f, was = on) presses += (on = Has(Frame(out, f), field)) && !was;
  return presses;
}

CombosState Rows(std::initializer_list<std::tuple<const char*, const char*, int>> rows) {  // seq, key, player
  CombosState s;
  int i = 0;
  for (auto [seq, key, player] : rows) s.rows[i].seq = seq, s.rows[i].key = key, s.rows[i++].player = player;
  return s;
}

const std::string kDown = ":IN0 P1 Down", kRight = ":IN0 P1 Right", kLeft = ":IN0 P1 Left";
const std::string kHp = ":EXTRA P1 Button 3,:IN0 P1 Button 3";

// Both frame-callback APIs give the same frames: the first step for one frame, later steps for two at
// 30 ms and 60 fps, all released afterwards; only the triggered fields are touched, and cleared once.
TEST(PluginTiming, FirstStepOneFrameLaterStepsTwoOnEitherApi) {
  CombosState s = Rows({{"236+HP", "4", 1}, {"8", "5", 2}});
  for (const char* api : {"new", "old"}) {
    SCOPED_TRACE(api);
    std::string out = Simulate(s, std::string("api ") + api + "\nframes 20\nhold KEYCODE_4 10 10\n");
    const std::string expected[] = {"", kDown, kDown + "," + kRight, kDown + "," + kRight, kHp + "," + kRight,
                                    kHp + "," + kRight, "", "", "", "", ""};
    for (int f = 10; f <= 20; ++f) EXPECT_EQ(Frame(out, f), expected[f - 10]) << f;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 21 + 4 + (std::string(api) == "new")) << out;
    EXPECT_TRUE(Has(out, "touch :IN0 P1 Down 3 1\n") && Has(out, "touch :IN0 P1 Right 4 1\n")) << out;
    EXPECT_EQ(Has(out, "frame_sub kept"), std::string(api) == "new");
  }
  EXPECT_FALSE(Has(Simulate(s, "frames 30\n"), "touch"));  // nothing without a trigger
}

TEST(PluginTriggers, PressStartsHoldDoesNotRepeatBusyPlayerIgnoresOthersFirstRowWins) {
  CombosState s = Rows({{"236+HP", "4", 1}, {"6+LP", "5", 1}, {"2+HK", "6", 2}, {"4+LK", "7", 1}});
  s.rows[3].pad = "1_BUTTON2";  // a pad code starts a row too
  std::string out = Simulate(s,
                             "frames 90\n"
                             "hold KEYCODE_4 10 30\n"   // held long: plays once
                             "hold KEYCODE_5 12 12\n"   // player 1 busy: ignored
                             "hold KEYCODE_6 12 12\n"   // player 2 is free
                             "hold KEYCODE_5 40 40\n"   // after the end: plays
                             "hold KEYCODE_4 50 50\n"   // released and pressed again: plays again
                             "hold KEYCODE_5 70 70\nhold KEYCODE_7 70 80\n"  // same frame: the first row
                             "hold JOYCODE_1_BUTTON2 85 85\n");
  EXPECT_EQ(Frame(out, 13), kDown + "," + kRight + ",:IN1 P2 Button 6,:IN1 P2 Down");
  for (int f = 16; f <= 40; ++f) EXPECT_EQ(Frame(out, f), "") << f;
  EXPECT_TRUE(Frame(out, 41) == ":IN0 P1 Button 1," + kRight && Frame(out, 42) == "" && Frame(out, 51) == kDown);
  EXPECT_EQ(Presses(out, kDown, 1, 60), 2);
  EXPECT_EQ(Frame(out, 71), ":IN0 P1 Button 1," + kRight);
  for (int f = 72; f <= 85; ++f) EXPECT_EQ(Frame(out, f), "") << f;  // the held second trigger never fires
  EXPECT_EQ(Frame(out, 86), ":IN0 P1 Button 4," + kLeft);
}

// Autofire presses at once, then every half period, at each speed; releasing
// the trigger lets the button go, and buttons without autofire are untouched.
TEST(PluginAutofire, PressesPerSecondAtEachSpeed) {
  const int expected[] = {10, 15, 20, 30};
  const std::string rows = "{player=1,bit=4,trig='KEYCODE_A'},\n{player=2,bit=9,trig='KEYCODE_B OR JOYCODE_2_BUTTON6'},\n";
  for (int rate = 0; rate < 4; ++rate) {
    SCOPED_TRACE(rate);
    std::string out = Simulate(CombosState{}, "frames 90\nhold KEYCODE_A 10 69\nhold JOYCODE_2_BUTTON6 80 90\n", rows, "", rate);
    EXPECT_EQ(Frame(out, 10), ":IN0 P1 Button 1");
    int presses = Presses(out, ":IN0 P1 Button 1", 10, 69);
    EXPECT_TRUE(rate == 3 ? presses >= 28 : presses == expected[rate]) << presses;  // 16 ms halves drift at 60 fps
    for (int f = 70; f <= 79; ++f) EXPECT_EQ(Frame(out, f), "") << f;
    EXPECT_EQ(Frame(out, 80), ":IN1 P2 Button 6");
    EXPECT_FALSE(Has(out, "touch :IN0 P1 Button 2 "));
  }
}

// Faults inside MAME are logged and the next frame goes on; the log keeps to 201 lines.
TEST(PluginFaults, ErrorsAreLoggedPlayingGoesOnAndAStoppedMachineIsForgotten) {
  TempDir dir;
  std::string log = dir.File("combos ]=] log.txt");
  // The third trigger would end or escape a Lua string if written as typed.
  CombosState s = Rows({{"6+LP", "BAD", 1}, {"236+HP", "4", 1}, {"HP", "Q'\\\r\n]=]\"", 2}});
  std::string out = Simulate(s, "frames 20\nbad_trigger KEYCODE_BAD\nhold KEYCODE_4 10 10\nhold KEYCODE_BAD 10 10\n"
                                "fail_time 12\n", "", log);
  EXPECT_TRUE(Frame(out, 11) == kDown && Frame(out, 13) == kDown + "," + kRight && Frame(out, 20) == "")
      << out;  // the faulty frame 12 changed nothing, and the last is there
  std::string text = ReadTestFile(log);
  EXPECT_EQ(text.find("plugin started\nfields found: 23\n"), 0u) << text;
  for (const char* line : {"combo 1 trigger KEYCODE_BAD = (not understood)", "combo 2 trigger KEYCODE_4 = name(KEYCODE_4)",
                           "combo 2 started", "error: ", "combo done"})
    EXPECT_TRUE(Has(text, line)) << line;
  std::string every_frame = "frames 400\n";
  for (int f = 1; f <= 400; ++f) every_frame += "fail_time " + std::to_string(f) + "\n";
  Simulate(s, every_frame, "", log);
  std::string flooded = ReadTestFile(log);
  EXPECT_EQ(std::count(flooded.begin(), flooded.end(), '\n'), 201 + std::count(text.begin(), text.end(), '\n'));

  // Without a frame callback it says so.
  Simulate(s, "api none\nframes 3\n", "", dir.File("c.log"));
  EXPECT_EQ(ReadTestFile(dir.File("c.log")), "plugin started\nno frame callback in this MAME\n");
  // A machine that stops mid-combo: the new one starts with nothing pressed and its fields found again.
  out = Simulate(Rows({{"2 2 2 2 2", "4", 1}}), "frames 20\nhold KEYCODE_4 5 5\nstop 8\nhold KEYCODE_4 12 12\n", "",
                 dir.File("s.log"));
  EXPECT_TRUE(Frame(out, 7) == kDown && Frame(out, 8) == "" && Frame(out, 13) == kDown) << out;
  text = ReadTestFile(dir.File("s.log"));
  EXPECT_NE(text.find("fields found"), text.rfind("fields found"));
}

}  // namespace
