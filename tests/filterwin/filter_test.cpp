// The filter window: its picture's place, the passes' constants, the shaders through an HLSL front end and on the CPU.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>

#include "filterwin/filter_params.h"
#include "filterwin/filter_reference.h"
#include "filterwin/filter_shaders.h"
#include "support/test_support.h"

namespace {
RgbImage Picture(int w, int h, const std::function<float(int, int)>& gray) {
  RgbImage image(w, h);
  for (int i = 0; i < w * h; ++i) image.At(i % w, i / w) = {gray(i % w, i / w), gray(i % w, i / w), gray(i % w, i / w)};
  return image;
}

// The picture stretched over a target of w x h (by default `scale` times its size).
RgbImage Scale(const RgbImage& src, int scaler, int dither, int scale, int w = 0, int h = 0) {
  FilterChoice choice{.scaler = scaler, .dither = dither, .keep_aspect = false};
  if (!w) w = src.width * scale, h = src.height * scale;
  DispConstants k = ScalingPassConstants(choice, src.width, src.height, w, h);
  return RenderReferencePass(src, k, scaler == kScalerXbrz ? ReferenceShader::kXbrz : ReferenceShader::kPlain, w, h);
}

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

TEST(FilterPlacement, FourThreeBoxWithBarsOrTheWholeMonitorAndThePassConstants) {
  // Bars beside (wide) or above and below (5:4), sizes rounded half up; Keep Aspect Ratio off stretches.
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
  // The constants the passes read for such a box.
  FilterChoice choice{.scaler = kScalerSharpBilinear, .dither = 2};
  DispConstants k = ScalingPassConstants(choice, 320, 240, 1920, 1080);
  const Float4 expected[] = {{3.0f, 0.08f, 0, 0}, {0, 0, 320, 240}, {4.5f, 4.5f, 0, 0}, {320, 240, 1.0f / 320, 1.0f / 240},
                             {-0.75f, 1, 0.75f, -1}};
  const Float4* got[] = {&k.params, &k.region, &k.xs, &k.ss, &k.rect};
  for (int i = 0; i < 5; ++i) ExpectVector(*got[i], expected[i]);
  // 1280 x 1024: bars of 32 rows above and below.
  k = ScalingPassConstants(choice, 160, 120, 1280, 1024);
  ExpectVector(k.rect, {-1, 1.0f - 64.0f / 1024, 1, 1.0f - 2.0f * 992 / 1024});
  // A monitor or a capture that reports no size gives a drawable box, never a division by zero.
  for (DispConstants z : {ScalingPassConstants(choice, 0, 0, 0, 0), FxaaPassConstants(0, 0)})
    for (const Float4* v : {&z.xs, &z.ss, &z.rect})
      EXPECT_TRUE(std::isfinite(v->x) && std::isfinite(v->y) && std::isfinite(v->z) && std::isfinite(v->w));
}

TEST(FilterChoiceTable, ParametersAndOutOfRangeSettingsAreClamped) {
  // Out-of-range values are clamped, whether or not they came through the settings loader.
  Settings settings;
  settings.filter_scaler = 99, settings.filter_dither = -5, settings.filter_fxaa = 1, settings.keep_aspect = 0;
  FilterChoice c = ReadFilterChoice(settings);
  EXPECT_TRUE(c.scaler == kScalerBicubic && c.dither == 0 && c.fxaa && !c.keep_aspect);
  settings.filter_scaler = -1, settings.filter_dither = 12, settings.filter_fxaa = 0, settings.keep_aspect = 1;
  c = ReadFilterChoice(settings);
  EXPECT_TRUE(c.scaler == kScalerBilinear && c.dither == 3 && !c.fxaa && c.keep_aspect);
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

  // Five four-float vectors in the record's order, all inside the block.
  std::string text = kFilterCommonShader;
  size_t at = text.find("cbuffer Disp : register(b0)"), end = text.find("};", at);
  for (const char* name : {"float4 params;", "float4 region;", "float4 xs;", "float4 ss;", "float4 rect;"})
    EXPECT_LT(at = text.find(name, at), end) << name;
}

TEST(FilterReference, DitherSmoothingOnlyFromItsThresholdAndThePassDrawsOnlyInsideItsBox) {
  // Off and Low (whose threshold is below the step) keep a dithered mid-grey; a full-contrast board is a picture.
  RgbImage dither = Picture(8, 8, [](int x, int y) { return (x + y) % 2 ? 0.6f : 0.5f; });
  RgbImage board = Picture(8, 8, [](int x, int y) { return (x + y) % 2 ? 1.0f : 0.0f; });
  for (auto [image, level, dark, light] : {std::tuple{&dither, 0, 0.5f, 0.6f}, {&dither, 1, 0.5f, 0.6f},
                                           {&board, 3, 0.0f, 1.0f}}) {
    RgbImage out = Scale(*image, kScalerPixels, level, 4);
    EXPECT_TRUE(out.At(0, 0).r == dark && out.At(4, 0).r == light) << level;
  }

  DispConstants k = ScalingPassConstants({.scaler = kScalerPixels}, 4, 3, 16, 6);  // a 8 x 6 box at x 4
  RgbImage out = RenderReferencePass(Picture(4, 3, [](int, int) { return 1.0f; }), k, ReferenceShader::kPlain, 16, 6);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(out.At(x, 3).r, x >= 4 && x < 12 ? 1.0f : 0.0f) << x;
}

// Every pass over a busy picture as last compared with a graphics card; KORVO_RECORD_FILTERS=1 records a wanted change.
TEST(FilterReference, EveryPassOfABusyPictureAsLastComparedWithAGraphicsCard) {
  RgbImage busy(13, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 13; ++x)
      // Lines and colours on the left, a dithered grey on the right.
      busy.At(x, y) = x >= 9 ? Rgb{(x + y) % 2 ? 0.6f : 0.5f, (x + y) % 2 ? 0.6f : 0.5f, (x + y) % 2 ? 0.6f : 0.5f}
                             : Rgb{x == y || x == 8 - y ? 1.0f : (x * 5 + y * 3) % 7 / 6.0f, (x ^ y) & 1 ? 0.8f : 0.1f,
                                   (x + 2 * y) % 5 == 0 ? 1.0f : 0.0f};
  std::string digests;
  auto add = [&](const char* name, RgbImage image) {
    QuantizeToUnorm8(image);
    uint64_t h = 1469598103934665603ull;
    for (const Rgb& p : image.pixels)
      for (float c : {p.r, p.g, p.b}) h = (h ^ static_cast<uint64_t>(std::lround(c * 255))) * 1099511628211ull;
    digests += std::string(name) + " " + std::to_string(h) + "\n";
  };
  for (int scaler : {kScalerBilinear, kScalerPixels, kScalerXbrz, kScalerSharpBilinear, kScalerBicubic})
    for (int dither : {0, 3})
      add(("scaler " + std::to_string(scaler) + " dither " + std::to_string(dither)).c_str(),
          Scale(busy, scaler, dither, 0, 40, 27));
  add("fxaa", RenderReferencePass(Scale(busy, kScalerXbrz, 0, 3), FxaaPassConstants(39, 27), ReferenceShader::kFxaa,
                                  39, 27));
  const std::string recorded = SourcePath("tests/fixtures/filter-reference.txt");
  if (std::getenv("KORVO_RECORD_FILTERS")) WriteTestFile(recorded, digests);
  EXPECT_EQ(ReadTestFile(recorded), digests);
}
