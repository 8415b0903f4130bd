// The probe report, the questions it answers, and the probe run's bookkeeping.
#include <gtest/gtest.h>

#include "controls/lua_plugin.h"
#include "controls_test_env.h"

TEST(PadProbeReport, ParsesDevicesAndItemsAndIgnoresTheRest) {
  PadProbe p = ParsePadProbe(
      "I|0|orphan|X|1\r\n"
      "D|0|Generic Stick\r\nI|0|Button 1|BUTTON1|0\r\n"
      "D|1|XInput Player 1\nI|1|A|BUTTON1|0\nI|1|LB|BUTTON5|0\nI|1|LSX|XAXIS|12.5\ngarbage\n|\n"
      "D|1|Twin\nI|1|RT|SLIDER2|-32768\nI|7|X|Y\nEND\nD|9|after end is still read");
  ASSERT_EQ(p.size(), 4u);
  ASSERT_TRUE(p[0].items.size() == 1 && p[1].items.size() == 4 && p[2].items.size() == 1);  // index 1: every item
  EXPECT_TRUE(p[0].items[0].token == "BUTTON1" && p[1].items[2].current == 12 && p[1].items[3].current == -32768);

  EXPECT_TRUE(XInputPadNumber(p, 1) == 2 && XInputPadNumber(p, 2) == 0);
  EXPECT_TRUE(!IsXInputPad(p, 1) && IsXInputPad(p, 2) && IsXInputPad(p, 5));
  EXPECT_TRUE(ProbeTokenOf(p, 2, "RT")->token == "SLIDER2" && !ProbeTokenOf(p, 1, "RT"));
  EXPECT_EQ(*ProbeNameOfToken(p, 2, "BUTTON5"), "LB");
  EXPECT_TRUE(XInputPadNumber({}, 1) == 0 && IsXInputPad({}, 1) && ParsePadProbe("").empty());
}

TEST(PadProbeRun, AFreshCompleteReportReplacesTheOldOneAndAnIncompleteOneChangesNothing) {
  ControlsEnv env;
  ForgetPadProbe();
  WriteTestFile(env.dir.File("korvo-padprobe.txt"), "D|0|XInput Old\nI|0|A|BUTTON1|0\nEND\n");
  EXPECT_EQ(*ProbeNameOfToken(1, "BUTTON1"), "A");  // the earlier run's report is used

  std::string seen_folder;
  auto writes = [&](const std::string& report) {
    return [&, report](const std::string& folder, uint32_t limit) {
      seen_folder = folder;
      EXPECT_EQ(limit, kProbeTimeLimitMs);
      WriteTestFile(env.dir.File("korvo-padprobe.new"), report);
      return true;
    };
  };
  RunPadProbe(false, writes("D|0|XInput New\nI|0|B|BUTTON2|0\nEND\n"));
  EXPECT_EQ(seen_folder, env.dir.path() + "\\korvo-plugins\\korvo-probe-plugin");
  EXPECT_EQ(*ProbeNameOfToken(1, "BUTTON2"), "B");
  EXPECT_EQ(ReadTestFile(env.dir.File("korvo-padprobe.txt")), "D|0|XInput New\nI|0|B|BUTTON2|0\nEND\n");
  EXPECT_FALSE(TestFileExists(env.dir.File("korvo-padprobe.new")));
  const std::string init = ReadTestFile(env.dir.File("korvo-plugins/korvo-probe-plugin/korvo_probe/init.lua"));
  EXPECT_EQ(init.rfind("local OUTPATH = [=[" + env.dir.path() + "/korvo-padprobe.new]=]\n", 0), 0u);

  // Without force, a second probe in the same run does nothing.
  RunPadProbe(false, writes("D|0|Other\nEND\n"));
  EXPECT_EQ(*ProbeNameOfToken(1, "BUTTON2"), "B");

  RunPadProbe(true, writes("D|0|Cut short\nI|0|C|BUTTON3|0\n"));
  EXPECT_EQ(*ProbeNameOfToken(1, "BUTTON2"), "B");
  EXPECT_EQ(ReadTestFile(env.dir.File("korvo-padprobe.txt")), "D|0|XInput New\nI|0|B|BUTTON2|0\nEND\n");
  EXPECT_FALSE(TestFileExists(env.dir.File("korvo-padprobe.new")));
}

TEST(LuaPlugins, PathsCannotCloseTheirStringEarly) {
  for (auto [path, lua] : {std::pair{"C:/a b/x", "[=[C:/a b/x]=]"}, {"a]=]b", "[==[a]=]b]==]"}, {"a]=", "[==[a]=]==]"},
                            {"a]", "[=[a]]=]"}})
    EXPECT_EQ(LuaLongString(path), lua);
}
