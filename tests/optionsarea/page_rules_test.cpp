// The enabling rules of the options pages for every Video Mode and the switches the other controls depend on.
#include "optionsarea/page_rules.h"

#include <gtest/gtest.h>

namespace {
// Enabled controls as letters: Hlsl, its Settings, Glsl, its Options, Bgfx, Maximize, Filter, Joystick, Audio options.
std::string Enabled(int32_t video, bool hlsl, bool glsl, bool fullscreen, bool filter, bool joystick, int32_t sound) {
  PageRuleInputs in;
  in.video = video, in.hlsl = hlsl, in.glsl = glsl, in.fullscreen = fullscreen;
  in.filter_window = filter, in.joystick = joystick, in.sound = sound;
  PageEnables e = EvaluatePageRules(in);
  std::string out;
  for (auto [on, letter] : {std::pair{e.hlsl, 'H'}, {e.hlsl_settings, 'S'}, {e.glsl, 'G'}, {e.glsl_options, 'O'},
                            {e.bgfx, 'B'}, {e.maximize, 'M'}, {e.filter_options, 'F'}, {e.joystick_options, 'J'},
                            {e.audio_options, 'A'}})
    if (on) out += letter;
  return out;
}

TEST(PageRules, EachVideoModeEnablesOnlyItsOwnRendererAndSwitchesTheirControls) {
  EXPECT_EQ(Enabled(0, true, true, false, false, true, 0), "BMJA");
  EXPECT_EQ(Enabled(1, true, true, false, false, true, 2), "BMJA");
  EXPECT_EQ(Enabled(2, true, true, false, false, true, 3), "HSMJA");
  EXPECT_EQ(Enabled(2, false, true, false, false, true, 4), "HMJA");  // second level needs its own switch
  EXPECT_EQ(Enabled(3, true, true, false, false, true, 0), "GOMJA");  // a ticked HLSL box means nothing here
  EXPECT_EQ(Enabled(3, true, false, false, false, true, 0), "GMJA");
  EXPECT_EQ(Enabled(4, true, true, true, true, false, 1), "F");       // full screen, filter window, no joystick, sound off
  EXPECT_EQ(Enabled(4, true, true, false, false, true, 0), "MJA");
}
}  // namespace
