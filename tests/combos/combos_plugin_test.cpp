// The generated combos plugin frame by frame in a simulated MAME: which inputs the game reads after a trigger.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>

#include "combos/combo_rows.h"
#include "combos/combos_plugin.h"
#include "support/test_support.h"

TEST(CombosPlugin, StepsPressTheRightFieldsForTheirFramesAndReleaseThemAfterwards) {
  CombosState s;
  ResetCombos(s);
  s.rows[0].seq = "236+HP";
  s.rows[0].key = "4";
  CombosPluginInputs in;
  in.combos = &s;
  TempDir dir;
  WriteTestFile(dir.File("init.lua"), BuildCombosInitLua(in));
  WriteTestFile(dir.File("scenario.txt"), "frames 20\nhold KEYCODE_4 10 10\n");
  ASSERT_EQ(std::system(("cd '" + dir.path() + "' && lua5.4 '" + SourcePath("tests/lua/mame_sim.lua") +
                         "' init.lua scenario.txt >output.txt 2>&1").c_str()), 0) << ReadTestFile(dir.File("output.txt"));
  const std::string output = ReadTestFile(dir.File("output.txt"));
  std::map<int, std::string> frames;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);)
    if (line.size() > 1 && line[0] == 'F') frames[std::stoi(line.substr(1))] = line.substr(line.find(": ") + 2);
  ASSERT_EQ(frames.size(), 20u) << output;
  // The first step for one frame, later steps for two (30 ms at 60 fps); heavy punch is wired to two fields.
  const std::string down = ":IN0 P1 Down", right = ":IN0 P1 Right", hp = ":EXTRA P1 Button 3,:IN0 P1 Button 3";
  const std::string expected[] = {"", down, down + "," + right, down + "," + right, hp + "," + right, hp + "," + right};
  for (int f = 10; f <= 15; ++f) EXPECT_EQ(frames[f], expected[f - 10]) << f;
  for (int f = 16; f <= 20; ++f) EXPECT_EQ(frames[f], "") << f;
}
