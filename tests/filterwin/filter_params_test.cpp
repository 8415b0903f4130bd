// Where the picture goes on the monitor and the constants both passes read.
#include <gtest/gtest.h>

#include "filterwin/filter_params.h"
#include "support/test_support.h"

namespace {
void ExpectBox(const PictureBox& box, int x0, int y0, int w, int h) {
  EXPECT_EQ(box.x0, x0);
  EXPECT_EQ(box.y0, y0);
  EXPECT_EQ(box.width, w);
  EXPECT_EQ(box.height, h);
}

void ExpectVector(const Float4& v, float x, float y, float z, float w) {
  EXPECT_FLOAT_EQ(v.x, x);
  EXPECT_FLOAT_EQ(v.y, y);
  EXPECT_FLOAT_EQ(v.z, z);
  EXPECT_FLOAT_EQ(v.w, w);
}
}  // namespace

TEST(FilterPlacement, FourThreeBoxWithBarsOrTheWholeMonitor) {
  // Wide monitor: bars left and right; a 5:4 monitor: bars above and below.
  ExpectBox(PlacePicture(1920, 1080, true), 240, 0, 1440, 1080);
  ExpectBox(PlacePicture(1280, 1024, true), 0, 32, 1280, 960);
  // Quotients round half up, offsets are integer halves.
  ExpectBox(PlacePicture(1366, 768, true), 171, 0, 1024, 768);
  ExpectBox(PlacePicture(1001, 1000, true), 0, 124, 1001, 751);
  ExpectBox(PlacePicture(1025, 768, true), 0, 0, 1024, 768);
  ExpectBox(PlacePicture(1024, 768, true), 0, 0, 1024, 768);
  // Keep Aspect Ratio off: stretched over everything.
  ExpectBox(PlacePicture(1920, 1080, false), 0, 0, 1920, 1080);
  ExpectBox(PlacePicture(0, 1080, true), 0, 0, 0, 0);
}

TEST(FilterPlacement, ScalingPassConstants) {
  FilterChoice choice;
  choice.scaler = kScalerSharpBilinear;
  choice.dither = 2;
  DispConstants k = ScalingPassConstants(choice, 320, 240, 1920, 1080);
  ExpectVector(k.params, 3.0f, 0.08f, 0, 0);
  ExpectVector(k.region, 0, 0, 320, 240);
  ExpectVector(k.xs, 4.5f, 4.5f, 0, 0);
  ExpectVector(k.ss, 320, 240, 1.0f / 320, 1.0f / 240);
  ExpectVector(k.rect, -0.75f, 1, 0.75f, -1);

  // 1280 x 1024 with a 160 x 120 window: 8 output pixels per texel, bars of 32 rows.
  choice.keep_aspect = true;
  k = ScalingPassConstants(choice, 160, 120, 1280, 1024);
  ExpectVector(k.xs, 8, 8, 0, 0);
  ExpectVector(k.rect, -1, 1.0f - 64.0f / 1024, 1, 1.0f - 2.0f * 992 / 1024);

  // Stretched: the whole target, and uneven scale factors.
  choice.keep_aspect = false;
  k = ScalingPassConstants(choice, 320, 240, 1920, 1080);
  ExpectVector(k.xs, 6, 4.5f, 0, 0);
  ExpectVector(k.rect, -1, 1, 1, -1);
}

TEST(FilterPlacement, FxaaPassCoversTheMonitor) {
  DispConstants k = FxaaPassConstants(1920, 1080);
  ExpectVector(k.params, 0, 0, 0, 0);
  ExpectVector(k.ss, 1920, 1080, 1.0f / 1920, 1.0f / 1080);
  ExpectVector(k.rect, -1, 1, 1, -1);
}

TEST(FilterChoiceTable, ScalerAndDitherParameters) {
  EXPECT_EQ(ScalerParameter(kScalerBilinear), 1.0f);
  EXPECT_EQ(ScalerParameter(kScalerPixels), 0.0f);
  EXPECT_EQ(ScalerParameter(kScalerXbrz), 0.0f);
  EXPECT_EQ(ScalerParameter(kScalerSharpBilinear), 3.0f);
  EXPECT_EQ(ScalerParameter(kScalerBicubic), 4.0f);
  EXPECT_EQ(DitherThreshold(0), 0.0f);
  EXPECT_EQ(DitherThreshold(1), 0.04f);
  EXPECT_EQ(DitherThreshold(2), 0.08f);
  EXPECT_EQ(DitherThreshold(3), 0.14f);
  EXPECT_EQ(DitherThreshold(9), 0.14f);
  EXPECT_EQ(DitherThreshold(-1), 0.0f);
}

TEST(FilterChoiceTable, SettingsFileValuesOutOfRangeAreClamped) {
  TempDir dir;
  std::string path = dir.File("korvo-settings.cfg");
  WriteTestFile(path, "filter_window=1\r\nfilter_scaler=7\r\nfilter_dither=12\r\nfilter_fxaa=1\r\nkeep_aspect=0\r\n");
  Settings settings;
  ResetSettings(settings);
  LoadSettings(settings, path);
  FilterChoice choice = ReadFilterChoice(settings);
  EXPECT_EQ(choice.scaler, kScalerBicubic);
  EXPECT_EQ(choice.dither, 3);
  EXPECT_TRUE(choice.fxaa);
  EXPECT_FALSE(choice.keep_aspect);

  WriteTestFile(path, "filter_scaler=-1\r\nfilter_dither=-3\r\n");
  ResetSettings(settings);
  LoadSettings(settings, path);
  choice = ReadFilterChoice(settings);
  EXPECT_EQ(choice.scaler, kScalerBilinear);
  EXPECT_EQ(choice.dither, 0);

  // A record that never went through the loader is clamped all the same.
  settings.filter_scaler = 99;
  settings.filter_dither = -5;
  choice = ReadFilterChoice(settings);
  EXPECT_EQ(choice.scaler, kScalerBicubic);
  EXPECT_EQ(choice.dither, 0);
}
