#include "ui/vector_raster.h"

#include <gtest/gtest.h>

namespace {
uint8_t At(const std::vector<uint8_t>& mask, int size, int x, int y) { return mask[y * size + x]; }
}  // namespace

TEST(VectorRaster, FillsCoverWholePixelsAndPensAreCentredOnTheLine) {
  // Grid of 4 units on 4 pixels: one unit is one output pixel.
  VectorRaster box(4, 4);
  box.Polygon({{1, 1}, {3, 1}, {3, 3}, {1, 3}}, 0, true);
  EXPECT_EQ(box.Reduce(), (std::vector<uint8_t>{0, 0, 0, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 0, 0, 0}));

  // A pen one unit wide on the border between rows 3 and 4 covers half of each.
  VectorRaster line(8, 8);
  line.Line({1, 4}, {7, 4}, 1);
  auto mask = line.Reduce();
  for (int x = 1; x <= 6; ++x)
    EXPECT_TRUE(At(mask, 8, x, 3) == 127 && At(mask, 8, x, 4) == 127 && At(mask, 8, x, 2) == 0) << x;
  // Round ends reach half a pen beyond the end points, no further.
  EXPECT_TRUE(At(mask, 8, 0, 3) > 0 && At(mask, 8, 0, 3) < 127);
}

TEST(VectorRaster, BlackInkCutsHolesAndOutlinesStayHollow) {
  VectorRaster ring(24);
  ring.Disc({12, 12}, 10);
  ring.Disc({12, 12}, 5, Ink::Black);
  auto mask = ring.Reduce();
  EXPECT_TRUE(At(mask, 24, 12, 12) == 0 && At(mask, 24, 12, 4) == 255);

  VectorRaster outline(24);
  outline.Ellipse({2, 2}, {22, 22}, 2, false);
  outline.RoundRect({6, 6}, {18, 18}, 3, 1, false);
  mask = outline.Reduce();
  EXPECT_TRUE(At(mask, 24, 12, 12) == 0 && At(mask, 24, 12, 2) > 100 && At(mask, 24, 12, 6) > 100);

  // A large corner radius leaves the box's corners empty.
  VectorRaster rounded(24);
  rounded.RoundRect({2, 2}, {22, 22}, 8, 0, true);
  mask = rounded.Reduce();
  EXPECT_TRUE(At(mask, 24, 2, 2) == 0 && At(mask, 24, 12, 2) == 255 && At(mask, 24, 12, 12) == 255);
}

TEST(VectorRaster, ArcsRunInTheirOwnDirection) {
  // Between two points on the right, counter-clockwise on screen goes round the left.
  VectorRaster by_points(24);
  by_points.ArcBetweenPoints({4, 4}, {20, 20}, {20, 8}, {20, 16}, 2);
  auto mask = by_points.Reduce();
  EXPECT_TRUE(At(mask, 24, 4, 12) > 100 && At(mask, 24, 12, 4) > 100 && At(mask, 24, 20, 12) == 0);

  // Angles grow clockwise on screen: -42 to 42 is the right-hand side only.
  VectorRaster by_angles(24);
  by_angles.ArcBetweenAngles({12, 12}, 8, -42, 42, 2);
  mask = by_angles.Reduce();
  EXPECT_TRUE(At(mask, 24, 20, 12) > 100 && At(mask, 24, 4, 12) == 0 && At(mask, 24, 12, 4) == 0 &&
              At(mask, 24, 12, 20) == 0);
}

TEST(VectorRaster, ShapesOutsideTheCanvasAreClipped) {
  VectorRaster raster(8, 8);
  raster.Polygon({{-4, -4}, {12, -4}, {12, 12}, {-4, 12}}, 3, true);
  raster.Line({-10, 4}, {20, 4}, 2);
  for (uint8_t value : raster.Reduce()) EXPECT_EQ(value, 255);
  EXPECT_TRUE(VectorRaster(0).Reduce().empty());
}
