// The generated combos plugin frame by frame in a simulated MAME: which inputs the game reads after a trigger.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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
  // Held on frame 10: the first step for one frame, later steps for two (30 ms at 60 fps); heavy punch has two fields.
  const std::string down = ":IN0 P1 Down", right = ":IN0 P1 Right", hp = ":EXTRA P1 Button 3,:IN0 P1 Button 3";
  const std::string pressed[] = {down, down + "," + right, down + "," + right, hp + "," + right, hp + "," + right};
  std::string expected;
  for (int f = 1; f <= 20; ++f) expected += "F" + std::to_string(f) + ": " + (f > 10 && f <= 15 ? pressed[f - 11] : "") + "\n";
  EXPECT_EQ(ReadTestFile(dir.File("output.txt")), expected);
}
