#include "optionsarea/page_rules.h"

namespace {
constexpr int32_t kVideoAuto = 0, kVideoBgfx = 1, kVideoDirect3D = 2, kVideoOpenGL = 3;
constexpr int32_t kSoundOff = 1;
}  // namespace

PageEnables EvaluatePageRules(const PageRuleInputs& in) {
  PageEnables e;
  e.maximize = !in.fullscreen;
  e.hlsl = in.video == kVideoDirect3D;
  e.hlsl_settings = e.hlsl && in.hlsl;
  e.glsl = in.video == kVideoOpenGL;
  e.glsl_options = e.glsl && in.glsl;
  e.bgfx = in.video == kVideoAuto || in.video == kVideoBgfx;
  e.filter_options = in.filter_window;
  e.joystick_options = in.joystick;
  e.audio_options = in.sound != kSoundOff;
  return e;
}
