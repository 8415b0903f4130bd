// The pixel shaders' formulas on small known pictures (computed on the
// processor with the same formulas as the shader text).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "filterwin/filter_reference.h"

namespace {
RgbImage Picture(int w, int h, const std::function<float(int, int)>& gray) {
  RgbImage image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float v = gray(x, y);
      image.At(x, y) = {v, v, v};
    }
  return image;
}

// The picture stretched over a target of w x h.
RgbImage Stretch(const RgbImage& src, int scaler, int dither, int w, int h) {
  FilterChoice choice;
  choice.scaler = scaler;
  choice.dither = dither;
  choice.keep_aspect = false;
  DispConstants k = ScalingPassConstants(choice, src.width, src.height, w, h);
  return RenderReferencePass(src, k, scaler == kScalerXbrz ? ReferenceShader::kXbrz : ReferenceShader::kPlain, w, h);
}

RgbImage Scale(const RgbImage& src, int scaler, int dither, int scale) {
  return Stretch(src, scaler, dither, src.width * scale, src.height * scale);
}

// Every pixel more than `margin` pixels from the picture's border (where
// clamped taps repeat the edge) is `value`.
void ExpectInnerFlat(const RgbImage& image, int margin, float value) {
  for (int y = margin; y < image.height - margin; ++y)
    for (int x = margin; x < image.width - margin; ++x) ASSERT_NEAR(image.At(x, y).r, value, 1e-5f) << x << "," << y;
}

bool IsBlackOrWhite(float v) { return v == 0.0f || v == 1.0f; }

// Per output row, the first column brighter than half.
std::vector<int> EdgeColumns(const RgbImage& image) {
  std::vector<int> columns;
  for (int y = 0; y < image.height; ++y) {
    int x = 0;
    while (x < image.width && image.At(x, y).r <= 0.5f) ++x;
    columns.push_back(x);
  }
  return columns;
}
}  // namespace

TEST(FilterReference, DitherSmoothingFlattensACheckerboardOnlyWhenAskedAndOnlyAWeakOne) {
  // A dithered mid-grey: 0.5 and 0.6 alternating.
  RgbImage dither = Picture(8, 8, [](int x, int y) { return (x + y) % 2 ? 0.6f : 0.5f; });
  ExpectInnerFlat(Scale(dither, kScalerPixels, 3, 4), 4, 0.55f);
  RgbImage off = Scale(dither, kScalerPixels, 0, 4);
  EXPECT_EQ(off.At(0, 0).r, 0.5f);
  EXPECT_EQ(off.At(4, 0).r, 0.6f);
  // Low's threshold is below the step: the pattern stays.
  RgbImage low = Scale(dither, kScalerPixels, 1, 4);
  EXPECT_EQ(low.At(0, 0).r, 0.5f);
  EXPECT_EQ(low.At(4, 0).r, 0.6f);
  // A full-contrast checkerboard is a picture, not dithering.
  RgbImage board = Picture(8, 8, [](int x, int y) { return (x + y) % 2 ? 1.0f : 0.0f; });
  RgbImage kept = Scale(board, kScalerPixels, 3, 4);
  EXPECT_EQ(kept.At(0, 0).r, 0.0f);
  EXPECT_EQ(kept.At(4, 0).r, 1.0f);
  // The xBRZ taps smooth the same way.
  ExpectInnerFlat(Scale(dither, kScalerXbrz, 3, 4), 12, 0.55f);
}

TEST(FilterReference, PointKeepsAHardEdgeWhileTheBlendingScalersSoftenIt) {
  RgbImage edge = Picture(8, 4, [](int x, int) { return x < 4 ? 0.0f : 1.0f; });
  RgbImage point = Scale(edge, kScalerPixels, 0, 8);
  for (const Rgb& p : point.pixels) EXPECT_TRUE(IsBlackOrWhite(p.r));
  EXPECT_EQ(point.At(31, 0).r, 0.0f);
  EXPECT_EQ(point.At(32, 0).r, 1.0f);

  // At 7.625 output pixels per texel (the edge on pixel 30's centre)
  // bilinear ramps over a texel's width, sharp bilinear over one pixel.
  auto blended = [](const RgbImage& image) {
    int n = 0;
    for (int x = 0; x < image.width; ++x) n += image.At(x, 5).r > 0.01f && image.At(x, 5).r < 0.99f;
    return n;
  };
  RgbImage linear = Stretch(edge, kScalerBilinear, 0, 61, 30);
  RgbImage sharp = Stretch(edge, kScalerSharpBilinear, 0, 61, 30);
  EXPECT_EQ(blended(linear), 7);
  EXPECT_EQ(blended(sharp), 1);
  for (int x = 1; x < 61; ++x) {
    EXPECT_GE(linear.At(x, 5).r, linear.At(x - 1, 5).r);
    EXPECT_GE(sharp.At(x, 5).r, sharp.At(x - 1, 5).r);
  }
  EXPECT_NEAR(sharp.At(30, 5).r, 0.5f, 1e-5f);
}

TEST(FilterReference, BicubicWeightsSumToOneAndKeepFlatAreas) {
  for (float f : {0.0f, 0.1f, 0.25f, 0.5f, 0.8f, 0.999f}) {
    float w[4];
    MitchellWeights(f, w);
    EXPECT_NEAR(w[0] + w[1] + w[2] + w[3], 1.0f, 1e-5f) << f;
    EXPECT_GT(w[1] + w[2], 0.8f) << f;  // the two nearest taps carry the weight
  }
  float w[4];
  MitchellWeights(0.0f, w);
  EXPECT_NEAR(w[0], 1.0f / 18, 1e-6f);
  EXPECT_NEAR(w[1], 16.0f / 18, 1e-6f);
  EXPECT_NEAR(w[2], 1.0f / 18, 1e-6f);
  EXPECT_NEAR(w[3], 0.0f, 1e-6f);

  RgbImage flat = Picture(6, 6, [](int, int) { return 0.3f; });
  for (const Rgb& p : Scale(flat, kScalerBicubic, 0, 5).pixels) EXPECT_NEAR(p.r, 0.3f, 1e-5f);
  // An edge gets the slight overshoot of this filter, and stays in step.
  RgbImage edge = Picture(8, 4, [](int x, int) { return x < 4 ? 0.2f : 0.8f; });
  RgbImage cubic = Scale(edge, kScalerBicubic, 0, 8);
  EXPECT_LT(cubic.At(20, 5).r, 0.2f);
  EXPECT_GT(cubic.At(43, 5).r, 0.8f);
  EXPECT_NEAR(cubic.At(31, 5).r + cubic.At(32, 5).r, 1.0f, 1e-5f);
}

TEST(FilterReference, XbrzSmoothsADiagonalAndKeepsAStraightEdge) {
  // A staircase: white right of the diagonal.
  RgbImage stairs = Picture(12, 12, [](int x, int y) { return x > y ? 1.0f : 0.0f; });
  std::vector<int> steps = EdgeColumns(Scale(stairs, kScalerPixels, 0, 8));
  std::vector<int> smooth = EdgeColumns(Scale(stairs, kScalerXbrz, 0, 8));
  int largest_step = 0, largest_smooth = 0;
  int min_offset = 1000, max_offset = -1000;  // of the edge from the diagonal
  for (int y = 17; y + 17 < static_cast<int>(smooth.size()); ++y) {  // away from the picture's edges
    largest_step = std::max(largest_step, steps[y] - steps[y - 1]);
    largest_smooth = std::max(largest_smooth, smooth[y] - smooth[y - 1]);
    EXPECT_GE(smooth[y], smooth[y - 1]) << y;
    min_offset = std::min(min_offset, smooth[y] - y);
    max_offset = std::max(max_offset, smooth[y] - y);
  }
  EXPECT_EQ(largest_step, 8);
  EXPECT_LE(largest_smooth, 2);
  EXPECT_LE(max_offset - min_offset, 2);  // a straight line at 45 degrees

  // A straight edge is no corner: exactly what hard pixels give.
  RgbImage edge = Picture(8, 6, [](int x, int) { return x < 3 ? 0.0f : 1.0f; });
  RgbImage xbrz = Scale(edge, kScalerXbrz, 0, 8), point = Scale(edge, kScalerPixels, 0, 8);
  for (size_t i = 0; i < xbrz.pixels.size(); ++i) ASSERT_EQ(xbrz.pixels[i].r, point.pixels[i].r) << i;

  // A lone pixel is rounded off, not left square: its outer corner blends.
  RgbImage dot = Picture(7, 7, [](int x, int y) { return x == 3 && y == 3 ? 1.0f : 0.0f; });
  RgbImage round = Scale(dot, kScalerXbrz, 0, 8);
  EXPECT_LT(round.At(24, 24).r, 0.5f);
  EXPECT_EQ(round.At(28, 28).r, 1.0f);
}

TEST(FilterReference, FxaaSoftensAStaircaseButNotAFlatArea) {
  RgbImage stairs = Picture(16, 16, [](int x, int y) { return x > y ? 1.0f : 0.0f; });
  DispConstants k = FxaaPassConstants(16, 16);
  RgbImage out = RenderReferencePass(stairs, k, ReferenceShader::kFxaa, 16, 16);
  int softened = 0;
  for (const Rgb& p : out.pixels) softened += !IsBlackOrWhite(p.r);
  EXPECT_GE(softened, 16);
  EXPECT_EQ(out.At(12, 2).r, 1.0f);  // far from the edge
  EXPECT_EQ(out.At(2, 12).r, 0.0f);

  RgbImage flat = Picture(8, 8, [](int, int) { return 0.4f; });
  for (const Rgb& p : RenderReferencePass(flat, FxaaPassConstants(8, 8), ReferenceShader::kFxaa, 8, 8).pixels)
    EXPECT_NEAR(p.r, 0.4f, 1e-6f);
}

TEST(FilterReference, PassDrawsOnlyInsideThePictureBox) {
  RgbImage white = Picture(4, 3, [](int, int) { return 1.0f; });
  FilterChoice choice;
  choice.scaler = kScalerPixels;
  DispConstants k = ScalingPassConstants(choice, 4, 3, 16, 6);  // a 8 x 6 box at x 4
  RgbImage out = RenderReferencePass(white, k, ReferenceShader::kPlain, 16, 6);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(out.At(x, 3).r, x >= 4 && x < 12 ? 1.0f : 0.0f) << x;

  RgbImage over(1, 1);
  over.At(0, 0) = {1.2f, -0.1f, 0.5f};
  QuantizeToUnorm8(over);
  EXPECT_EQ(over.At(0, 0).r, 1.0f);
  EXPECT_EQ(over.At(0, 0).g, 0.0f);
  EXPECT_EQ(over.At(0, 0).b, 128.0f / 255);
}
