// Where the picture goes on the monitor, the constants both passes read, and the shader texts, which go
// through an HLSL front end here so that a syntax or type fault shows up without a graphics card or Windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include "filterwin/filter_params.h"
#include "filterwin/filter_shaders.h"
#include "support/test_support.h"

namespace {
void ExpectVector(const Float4& v, Float4 e) {
  auto near = [](float a, float b) { return std::abs(a - b) <= 1e-6f * std::max(1.0f, std::abs(b)); };
  EXPECT_TRUE(near(v.x, e.x) && near(v.y, e.y) && near(v.z, e.z) && near(v.w, e.w))
      << v.x << " " << v.y << " " << v.z << " " << v.w;
}
// Runs glslangValidator in HLSL mode on one entry point; returns its output on failure.
std::string CompileError(const std::string& path, const char* stage, const char* entry) {
  std::string log = path + "." + entry + ".log";
  std::string command = std::string("glslangValidator -D -V -S ") + stage + " -e " + entry + " -o /dev/null '" +
                        path + "' >'" + log + "' 2>&1";
  int rc = std::system(command.c_str());
  return rc == 0 ? "" : "exit " + std::to_string(rc) + "\n" + ReadTestFile(log);
}
}  // namespace

TEST(FilterPlacement, FourThreeBoxWithBarsOrTheWholeMonitor) {
  // Wide monitor: bars left and right; 5:4: bars above and below; quotients
  // round half up, offsets are integer halves; Keep Aspect Ratio off stretches.
  struct { int w, h; bool keep; PictureBox box; } cases[] = {
      {1920, 1080, true, {240, 0, 1440, 1080}}, {1280, 1024, true, {0, 32, 1280, 960}},
      {1366, 768, true, {171, 0, 1024, 768}},   {1001, 1000, true, {0, 124, 1001, 751}},
      {1025, 768, true, {0, 0, 1024, 768}},     {1024, 768, true, {0, 0, 1024, 768}},
      {1920, 1080, false, {0, 0, 1920, 1080}},  {0, 1080, true, {0, 0, 0, 0}}};
  for (const auto& c : cases) {
    PictureBox b = PlacePicture(c.w, c.h, c.keep);
    EXPECT_TRUE(b.x0 == c.box.x0 && b.y0 == c.box.y0 && b.width == c.box.width && b.height == c.box.height)
        << c.w << "x" << c.h << " gives " << b.x0 << "," << b.y0 << " " << b.width << "x" << b.height;
  }
}

TEST(FilterPlacement, ScalingAndFxaaPassConstants) {
  FilterChoice choice;
  choice.scaler = kScalerSharpBilinear;
  choice.dither = 2;
  DispConstants k = ScalingPassConstants(choice, 320, 240, 1920, 1080);
  const Float4 expected[] = {{3.0f, 0.08f, 0, 0}, {0, 0, 320, 240}, {4.5f, 4.5f, 0, 0}, {320, 240, 1.0f / 320, 1.0f / 240},
                             {-0.75f, 1, 0.75f, -1}};
  const Float4* got[] = {&k.params, &k.region, &k.xs, &k.ss, &k.rect};
  for (int i = 0; i < 5; ++i) ExpectVector(*got[i], expected[i]);
  // 1280 x 1024 with a 160 x 120 window: 8 output pixels per texel, bars of 32 rows.
  k = ScalingPassConstants(choice, 160, 120, 1280, 1024);
  ExpectVector(k.xs, {8, 8, 0, 0});
  ExpectVector(k.rect, {-1, 1.0f - 64.0f / 1024, 1, 1.0f - 2.0f * 992 / 1024});
  choice.keep_aspect = false;  // stretched: the whole target, and uneven scale factors
  k = ScalingPassConstants(choice, 320, 240, 1920, 1080);
  ExpectVector(k.xs, {6, 4.5f, 0, 0});
  ExpectVector(k.rect, {-1, 1, 1, -1});

  k = FxaaPassConstants(1920, 1080);
  ExpectVector(k.params, {0, 0, 0, 0});
  ExpectVector(k.ss, {1920, 1080, 1.0f / 1920, 1.0f / 1080});
  ExpectVector(k.rect, {-1, 1, 1, -1});
}

TEST(FilterChoiceTable, ParametersAndOutOfRangeSettingsAreClamped) {
  for (auto [scaler, parameter] : {std::pair{kScalerBilinear, 1.0f}, {kScalerPixels, 0.0f}, {kScalerXbrz, 0.0f},
                                   {kScalerSharpBilinear, 3.0f}, {kScalerBicubic, 4.0f}})
    EXPECT_EQ(ScalerParameter(scaler), parameter) << scaler;
  for (auto [dither, threshold] : {std::pair{0, 0.0f}, {1, 0.04f}, {2, 0.08f}, {3, 0.14f}, {9, 0.14f}, {-1, 0.0f}})
    EXPECT_EQ(DitherThreshold(dither), threshold) << dither;

  TempDir dir;
  std::string path = dir.File("korvo-settings.cfg");
  Settings settings;
  auto load = [&](const std::string& text) {
    WriteTestFile(path, text);
    ResetSettings(settings);
    LoadSettings(settings, path);
    return ReadFilterChoice(settings);
  };
  FilterChoice c = load("filter_window=1\r\nfilter_scaler=7\r\nfilter_dither=12\r\nfilter_fxaa=1\r\nkeep_aspect=0\r\n");
  EXPECT_TRUE(c.scaler == kScalerBicubic && c.dither == 3 && c.fxaa && !c.keep_aspect);
  c = load("filter_scaler=-1\r\nfilter_dither=-3\r\n");
  EXPECT_TRUE(c.scaler == kScalerBilinear && c.dither == 0 && !c.fxaa && c.keep_aspect);
  // A record that never went through the loader is clamped all the same.
  settings.filter_scaler = 99, settings.filter_dither = -5;
  c = ReadFilterChoice(settings);
  EXPECT_TRUE(c.scaler == kScalerBicubic && c.dither == 0);
}

TEST(FilterShaderText, EveryEntryPointCompilesAndTheConstantBlockMatchesTheRecord) {
  ASSERT_EQ(std::system("command -v glslangValidator >/dev/null"), 0)
      << "glslangValidator is missing (scripts/install-deps.sh installs glslang-tools)";
  TempDir dir;
  std::string scaling = dir.File("scaling.hlsl"), fxaa = dir.File("fxaa.hlsl");
  WriteTestFile(scaling, ScalingShaderText());
  WriteTestFile(fxaa, FxaaShaderText());
  for (auto [path, stage, entry] : {std::tuple{scaling, "vert", "vs_disp"}, {scaling, "frag", "ps_plain"},
                                    {scaling, "frag", "ps_xbrz"}, {fxaa, "frag", "ps_fxaa"}})
    EXPECT_EQ(CompileError(path, stage, entry), "") << entry;

  // Five four-float vectors in the record's order.
  std::string text = kFilterCommonShader;
  size_t at = text.find("cbuffer Disp : register(b0)"), last = at;
  ASSERT_NE(at, std::string::npos);
  for (const char* name : {"float4 params;", "float4 region;", "float4 xs;", "float4 ss;", "float4 rect;"}) {
    last = text.find(name, last);
    ASSERT_NE(last, std::string::npos) << name;
  }
  EXPECT_LT(last, text.find("};", at));
}
