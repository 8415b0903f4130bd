// The enabling rules of the options pages for every Video Mode and the
// switches the other controls depend on.
#include "app/page_rules.h"

#include <gtest/gtest.h>

namespace {
PageEnables Video(int32_t mode, bool hlsl = true, bool glsl = true) {
  PageRuleInputs in;
  in.video = mode;
  in.hlsl = hlsl;
  in.glsl = glsl;
  return EvaluatePageRules(in);
}

TEST(PageRules, EachVideoModeEnablesOnlyItsOwnRenderer) {
  struct Row {
    int32_t mode;
    bool hlsl, glsl, bgfx;
  };
  for (Row r : {Row{0, false, false, true}, Row{1, false, false, true}, Row{2, true, false, false},
                Row{3, false, true, false}, Row{4, false, false, false}}) {
    SCOPED_TRACE(r.mode);
    PageEnables e = Video(r.mode);
    EXPECT_EQ(e.hlsl, r.hlsl);
    EXPECT_EQ(e.hlsl_settings, r.hlsl);
    EXPECT_EQ(e.glsl, r.glsl);
    EXPECT_EQ(e.glsl_options, r.glsl);
    EXPECT_EQ(e.bgfx, r.bgfx);
  }
}

TEST(PageRules, SecondLevelControlsNeedTheirSwitchToo) {
  EXPECT_TRUE(Video(2, false).hlsl);
  EXPECT_FALSE(Video(2, false).hlsl_settings);
  EXPECT_TRUE(Video(3, true, false).glsl);
  EXPECT_FALSE(Video(3, true, false).glsl_options);
  // A ticked HLSL box means nothing under OpenGL.
  EXPECT_FALSE(Video(3, true, true).hlsl_settings);
}

TEST(PageRules, FullscreenFilterWindowJoysticksAndSound) {
  PageRuleInputs in;
  EXPECT_TRUE(EvaluatePageRules(in).maximize);
  EXPECT_FALSE(EvaluatePageRules(in).filter_options);
  EXPECT_TRUE(EvaluatePageRules(in).joystick_options);
  in.fullscreen = true;
  in.filter_window = true;
  in.joystick = false;
  EXPECT_FALSE(EvaluatePageRules(in).maximize);
  EXPECT_TRUE(EvaluatePageRules(in).filter_options);
  EXPECT_FALSE(EvaluatePageRules(in).joystick_options);
  for (int32_t sound : {0, 2, 3, 4}) {
    in.sound = sound;
    EXPECT_TRUE(EvaluatePageRules(in).audio_options) << sound;
  }
  in.sound = 1;  // Off
  EXPECT_FALSE(EvaluatePageRules(in).audio_options);
}
}  // namespace
