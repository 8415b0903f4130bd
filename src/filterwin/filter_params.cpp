#include "filterwin/filter_params.h"

#include <algorithm>

namespace {
int RoundHalfUp(double v) { return static_cast<int>(v + 0.5); }
int Clamp(int v, int lo, int hi) { return std::min(std::max(v, lo), hi); }

Float4 SizeAndReciprocal(int w, int h) {
  return {static_cast<float>(w), static_cast<float>(h), 1.0f / static_cast<float>(w), 1.0f / static_cast<float>(h)};
}
}  // namespace

PictureBox PlacePicture(int monitor_w, int monitor_h, bool keep_aspect) {
  if (monitor_w <= 0 || monitor_h <= 0) return {};
  if (!keep_aspect) return {0, 0, monitor_w, monitor_h};
  constexpr double kAspect = 4.0 / 3.0;
  double full_width = monitor_h * kAspect;
  PictureBox box;
  if (monitor_w < full_width) {
    box.width = monitor_w;
    box.height = RoundHalfUp(monitor_w / kAspect);
  } else {
    box.width = RoundHalfUp(full_width);
    box.height = monitor_h;
  }
  box.x0 = (monitor_w - box.width) / 2;
  box.y0 = (monitor_h - box.height) / 2;
  return box;
}

FilterChoice ReadFilterChoice(const Settings& settings) {
  FilterChoice choice;
  choice.scaler = Clamp(settings.filter_scaler, 0, 4);
  choice.dither = Clamp(settings.filter_dither, 0, 3);
  choice.fxaa = settings.filter_fxaa != 0;
  choice.keep_aspect = settings.keep_aspect != 0;
  return choice;
}

float ScalerParameter(int scaler) {
  switch (scaler) {
    case kScalerBilinear: return 1.0f;
    case kScalerSharpBilinear: return 3.0f;
    case kScalerBicubic: return 4.0f;
    default: return 0.0f;  // hard pixels; xBRZ does not read it
  }
}

float DitherThreshold(int dither) {
  static const float kThresholds[] = {0.0f, 0.04f, 0.08f, 0.14f};
  return kThresholds[Clamp(dither, 0, 3)];
}

DispConstants ScalingPassConstants(const FilterChoice& choice, int captured_w, int captured_h, int monitor_w,
                                   int monitor_h) {
  captured_w = std::max(captured_w, 1);
  captured_h = std::max(captured_h, 1);
  monitor_w = std::max(monitor_w, 1);
  monitor_h = std::max(monitor_h, 1);
  PictureBox box = PlacePicture(monitor_w, monitor_h, choice.keep_aspect);
  auto fw = static_cast<float>(monitor_w), fh = static_cast<float>(monitor_h);
  DispConstants k;
  k.params = {ScalerParameter(choice.scaler), DitherThreshold(choice.dither), 0, 0};
  k.region = {0, 0, static_cast<float>(captured_w), static_cast<float>(captured_h)};
  k.xs = {static_cast<float>(box.width) / captured_w, static_cast<float>(box.height) / captured_h, 0, 0};
  k.ss = SizeAndReciprocal(captured_w, captured_h);
  k.rect = {2.0f * box.x0 / fw - 1.0f, 1.0f - 2.0f * box.y0 / fh, 2.0f * (box.x0 + box.width) / fw - 1.0f,
            1.0f - 2.0f * (box.y0 + box.height) / fh};
  return k;
}

DispConstants FxaaPassConstants(int monitor_w, int monitor_h) {
  DispConstants k;
  k.ss = SizeAndReciprocal(std::max(monitor_w, 1), std::max(monitor_h, 1));
  k.rect = {-1, 1, 1, -1};
  return k;
}
