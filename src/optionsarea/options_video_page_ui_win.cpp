// The Video page: MAME's video output, its renderers' own settings, the
// screen corrections and the launcher's filter window.
#include <memory>

#include "optionsarea/options_fields_ui_win.h"
#include "optionsarea/options_page_layout_ui_win.h"
#include "optionsarea/options_page_set_ui_win.h"
#include "settings/app_display_modes_win.h"
#include "settings/app_state.h"
#include "ui/ui_metrics_win.h"

namespace {
// Resolution stands for two settings; a size that is no display mode (the
// monitor changed, or the file was edited) stays offered and kept.
void BindResolution(HWND combo) {
  auto shown = std::make_shared<ResolutionList>();
  AddPageField({combo,
                [=](const Settings& s) {
                  int at = 0;
                  *shown = ResolutionChoices(AppDisplayModes(), s.res_w, s.res_h, &at);
                  FillCombo(combo, shown->labels, at);
                },
                [=](Settings& s) {
                  int at = ComboSelection(combo);
                  if (at < 0 || static_cast<size_t>(at) >= shown->sizes.size()) return;
                  auto [w, h] = shown->sizes[static_cast<size_t>(at)];
                  if (w == 0 && s.res_w == 0) return;  // Auto as it was, whatever the height said
                  s.res_w = w;
                  s.res_h = h;
                }});
}
}  // namespace

int BuildVideoPage(HWND page) {
  PageLayout& p = NewPageLayout(page);
  BindChoice(p.Choice(kVideoModeId, "Video Mode"), VideoModeChoices, &Settings::video);
  BindCheck(p.Check(kFullscreenId, "Fullscreen"), &Settings::fullscreen);
  BindCheck(p.Check(kMaximizeId, "Maximize Window"), &Settings::maximize);
  BindResolution(p.Choice(kResolutionId, "Resolution"));
  BindChoice(p.Choice(kRotationId, "Rotation"), RotationChoices, &Settings::rotate);
  BindCheck(p.Check(kKeepAspectId, "Keep Aspect Ratio"), &Settings::keep_aspect);
  BindCheck(p.Check(kUnevenStretchId, "Uneven Stretch"), &Settings::uneven_stretch);
  BindCheck(p.Check(kBilinearId, "Bilinear Filter"), &Settings::filter);
  BindChoice(p.Choice(kIntegerScaleId, "Integer Scale (Pixel Perfect)", 120), IntegerScaleChoices,
             &Settings::integer_scale);
  BindChoice(p.Choice(kPrescaleId, "Prescale", 120), PrescaleChoices, &Settings::prescale);
  BindCheck(p.Check(kWaitVsyncId, "Wait For V-Sync"), &Settings::wait_vsync);
  BindCheck(p.Check(kSyncRefreshId, "Sync Refresh Rate"), &Settings::sync_refresh);
  BindCheck(p.Check(kThrottleId, "Throttle (Real Speed)"), &Settings::throttle);
  BindChoice(p.Choice(kFrameSkipId, "Frame Skip", 120), FrameSkipChoices, &Settings::frameskip);
  BindCheck(p.Check(kHlslId, "HLSL (Direct3D Only)"), &Settings::hlsl_enable);
  p.Button(kHlslSettingsId, "HLSL Settings\u2026");
  BindCheck(p.Check(kGlslId, "GLSL (OpenGL Only)"), &Settings::gl_glsl);
  BindChoice(p.Choice(kGlslFilterId, "GLSL Filter", 120), GlslFilterChoices, &Settings::gl_glsl_filter);
  BindText(p.Edit(kGlslShaderId, "GLSL Shader Name"), &Settings::glsl_shader, kShortFieldSize, false);

  p.BeginGroup("BGFX");
  BindChoice(p.Choice(kBgfxChainId, "BGFX Screen Effect"), BgfxChainChoices, &Settings::bgfx_chain);
  BindChoice(p.Choice(kBgfxBackendId, "BGFX Backend"), BgfxBackendChoices, &Settings::bgfx_backend);
  p.EndGroup();

  p.BeginGroup("Artwork");
  BindCheck(p.Check(kArtworkCropId, "Crop Artwork"), &Settings::artwork_crop);
  p.EndGroup();

  p.BeginGroup("Display");
  BindMameText(p.Edit(kBrightnessId, "Brightness", 80), "brightness", "Brightness");
  BindMameText(p.Edit(kContrastId, "Contrast", 80), "contrast", "Contrast");
  BindMameText(p.Edit(kGammaId, "Gamma", 80), "gamma", "Gamma");
  BindMameText(p.Edit(kAspectId, "Aspect Ratio", 80), "aspect", "Aspect Ratio");
  p.EndGroup();

  p.BeginGroup("BGFX Extras");
  BindMameText(p.Edit(kShadowMaskId, "BGFX Shadow Mask"), "bgfx_shadow_mask", "BGFX Shadow Mask");
  BindMameText(p.Edit(kLutId, "BGFX LUT"), "bgfx_lut", "BGFX LUT");
  p.EndGroup();

  p.BeginGroup("Filter Window (Experimental)");
  BindCheck(p.Check(kFilterWindowId, "Filter Window"), &Settings::filter_window);
  BindChoice(p.Choice(kFilterScalerId, "Filter Scaler"), FilterScalerChoices, &Settings::filter_scaler);
  BindCheck(p.Check(kFxaaId, "FXAA Filter"), &Settings::filter_fxaa);
  BindChoice(p.Choice(kDitherId, "Dither Smoothing", 120), DitherChoices, &Settings::filter_dither);
  p.EndGroup();
  return p.Place(S(500), 0);
}
