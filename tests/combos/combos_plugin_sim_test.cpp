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

// A combo's first step lasts one frame, later steps two (30 ms at 60 fps); a press starts a row, a hold
// does not repeat it, a busy player ignores further triggers, the other player is free, the first row wins
// a shared frame, a pad code starts a row too; only triggered fields are touched. Both frame APIs agree.
TEST(PluginCombos, PlayFrameByFrameOnEitherApi) {
  CombosState s = Rows({{"236+HP", "4", 1}, {"6+LP", "5", 1}, {"2+HK", "6", 2}, {"4+LK", "7", 1}});
  s.rows[3].pad = "1_BUTTON2";
  const std::string scenario = "frames 90\nhold KEYCODE_4 10 30\nhold KEYCODE_5 12 12\nhold KEYCODE_6 12 12\n"
                               "hold KEYCODE_5 40 40\nhold KEYCODE_4 50 50\nhold KEYCODE_5 70 70\nhold KEYCODE_7 70 80\n"
                               "hold JOYCODE_1_BUTTON2 85 85\n";
  std::string out = Simulate(s, scenario), old = Simulate(s, "api old\n" + scenario);
  const std::string expected[] = {"", kDown, kDown + "," + kRight, kDown + "," + kRight + ",:IN1 P2 Button 6,:IN1 P2 Down",
                                  kHp + "," + kRight, kHp + "," + kRight, ""};
  for (int f = 10; f <= 16; ++f) EXPECT_EQ(Frame(out, f), expected[f - 10]) << f;
  for (int f = 16; f <= 40; ++f) EXPECT_EQ(Frame(out, f), "") << f;
  EXPECT_TRUE(Frame(out, 41) == ":IN0 P1 Button 1," + kRight && Frame(out, 42) == "" && Frame(out, 51) == kDown);
  EXPECT_EQ(Presses(out, kDown, 1, 60), 2);
  EXPECT_EQ(Frame(out, 71), ":IN0 P1 Button 1," + kRight);
  for (int f = 72; f <= 85; ++f) EXPECT_EQ(Frame(out, f), "") << f;  // the held second trigger never fires
  EXPECT_EQ(Frame(out, 86), ":IN0 P1 Button 4," + kLeft);
  EXPECT_TRUE(Has(out, "\ntouch :IN0 P1 Down 6 2\n")) << out;  // set on each frame it is down, cleared once a combo
  EXPECT_EQ(out.substr(out.find("\nF1: ")), old.substr(old.find("\nF1: ")));
  EXPECT_TRUE(Has(out, "frame_sub kept") && !Has(old, "frame_sub kept"));
  EXPECT_FALSE(Has(Simulate(s, "frames 30\n"), "touch"));  // nothing without a trigger
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

}  // namespace
