#include <gtest/gtest.h>

#include "options/option_list_rows.h"

TEST(OptionWindows, HeightsFollowTheWorkAreaWithinTheirLimits) {
  EXPECT_EQ(HlslWindowHeight(1000), 570);
  EXPECT_EQ(HlslWindowHeight(600), 510);
  EXPECT_EQ(HlslWindowHeight(400), 380);
  EXPECT_EQ(MameOptionsWindowHeight(1000), 600);
  EXPECT_EQ(MameOptionsWindowHeight(650), 560);
  EXPECT_EQ(MameOptionsWindowHeight(300), 400);
}

TEST(OptionWindows, RowTextsShowOnOffAndNone) {
  HlslValues hlsl = ParseHlslOptions("-yiq_enable 1 -defocus 0.4,0.4");
  OptionRowTexts yiq = HlslRowTexts(49, hlsl);
  EXPECT_EQ((std::vector<std::string>{yiq.group, yiq.option, yiq.value, yiq.default_value}),
            (std::vector<std::string>{"NTSC (YIQ)", "Enable", "On", "Off"}));
  EXPECT_EQ(HlslRowTexts(44, hlsl).value, "0.4,0.4");

  MameOptionValues mame = ParseMoreOptions("-nonvram_save -state \"my state\"");
  OptionRowTexts state = MameOptionRowTexts(10, mame);
  EXPECT_EQ((std::vector<std::string>{state.group, state.option, state.value, state.default_value}),
            (std::vector<std::string>{"Core State/Playback", "state", "my state", "(none)"}));
  EXPECT_EQ(MameOptionRowTexts(35, mame).value, "Off");
  EXPECT_EQ(MameOptionRowTexts(35, mame).default_value, "On");
  EXPECT_EQ(MameOptionRowTexts(16, DefaultMameOptionValues()).value, "(none)");  // aviwrite
  EXPECT_EQ(MameOptionDescriptionLine(12), "-rewind_capacity:  rewind buffer size in megabytes");
}
