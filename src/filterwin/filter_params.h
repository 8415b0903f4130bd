// What the filter window draws: where the picture sits on the monitor, the
// scaler and dither choices, and the constant block both shader passes read.
#pragma once
#include "settings/settings.h"

// The picture's box on a monitor, in pixels from its top-left corner.
struct PictureBox {
  int x0 = 0, y0 = 0, width = 0, height = 0;
};

// A centred 4:3 box with `keep_aspect`, else the whole monitor.
PictureBox PlacePicture(int monitor_w, int monitor_h, bool keep_aspect);

struct Float4 {
  float x = 0, y = 0, z = 0, w = 0;
};

// The shaders' constant block, in register order; the layout is the one the
// shader text declares (five four-float vectors, 80 bytes).
struct DispConstants {
  Float4 params;  // x: scaler parameter, y: dither threshold (0 = off)
  Float4 region;  // texels read: x, y, width, height
  Float4 xs;      // output pixels per source texel
  Float4 ss;      // source size and its reciprocal
  Float4 rect;    // the picture in clip space: left, top, right, bottom
};
static_assert(sizeof(DispConstants) == 80, "the constant buffer is 80 bytes");

enum FilterScaler { kScalerBilinear = 0, kScalerPixels = 1, kScalerXbrz = 2, kScalerSharpBilinear = 3, kScalerBicubic = 4 };

// The settings one overlay run works with, read once when it starts.
struct FilterChoice {
  int scaler = kScalerXbrz;  // 0-4
  int dither = 0;            // 0-3
  bool fxaa = false;
  bool keep_aspect = true;
};
FilterChoice ReadFilterChoice(const Settings& settings);

// The value ps_plain branches on for a scaler (xBRZ has its own shader: 0).
float ScalerParameter(int scaler);
// The dither smoothing threshold for Off, Low, Medium, High.
float DitherThreshold(int dither);

// Pass 1: the captured picture of captured_w x captured_h scaled into the picture box.
DispConstants ScalingPassConstants(const FilterChoice& choice, int captured_w, int captured_h, int monitor_w,
                                   int monitor_h);
// Pass 2: FXAA over the whole monitor-sized intermediate picture.
DispConstants FxaaPassConstants(int monitor_w, int monitor_h);
