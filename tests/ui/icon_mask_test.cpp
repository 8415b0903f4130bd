#include "ui/icon_mask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace {
// Mask value at a point of the 24-unit design grid.
uint8_t AtGrid(const std::vector<uint8_t>& mask, int size, double gx, double gy) {
  int x = static_cast<int>(gx * size / 24), y = static_cast<int>(gy * size / 24);
  return mask[y * size + x];
}

long Total(const std::vector<uint8_t>& mask) { return std::accumulate(mask.begin(), mask.end(), 0L); }

// Coverage of the columns left and right of the middle.
std::pair<long, long> Halves(const std::vector<uint8_t>& mask, int size) {
  long left = 0, right = 0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) (x < size / 2 ? left : right) += mask[y * size + x];
  return {left, right};
}
}  // namespace

TEST(IconMask, EveryIconDrawsNearTheCentreAtEverySize) {
  for (int size : {16, 20, 40}) {
    for (int icon = 0; icon < kIconCount; ++icon) {
      for (bool filled : {false, true}) {
        auto mask = IconMask(icon, filled, size);
        ASSERT_EQ(mask.size(), static_cast<size_t>(size * size));
        EXPECT_EQ(*std::max_element(mask.begin(), mask.end()), 255) << icon << " at " << size;
        // The drawing is centred on the grid: its centre of mass lies near the
        // middle and it spans more than half the square.
        double sum = 0, cx = 0, cy = 0;
        int x0 = size, x1 = -1;
        for (int y = 0; y < size; ++y)
          for (int x = 0; x < size; ++x)
            if (uint8_t v = mask[y * size + x]) {
              sum += v, cx += v * (x + 0.5), cy += v * (y + 0.5);
              x0 = std::min(x0, x), x1 = std::max(x1, x);
            }
        EXPECT_NEAR(cx / sum, size / 2.0, size / 5.0) << icon << " at " << size;
        EXPECT_NEAR(cy / sum, size / 2.0, size / 5.0) << icon << " at " << size;
        EXPECT_GT(x1 - x0 + 1, size / 2) << icon << " at " << size;
      }
    }
  }
  EXPECT_TRUE(IconMask(kIconCount, false, 16).empty());
  EXPECT_TRUE(IconMask(-1, false, 16).empty());
  EXPECT_TRUE(IconMask(kIconPlay, false, 0).empty());
}

TEST(IconMask, StarIsSymmetricAndFilledCoversMoreThanOutline) {
  for (int size : {16, 20, 40}) {
    auto outline = IconMask(kIconStar, false, size);
    auto filled = IconMask(kIconStar, true, size);
    for (const auto* mask : {&outline, &filled})
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size / 2; ++x)
          EXPECT_LE(std::abs((*mask)[y * size + x] - (*mask)[y * size + size - 1 - x]), 1) << x << "," << y;
    EXPECT_GT(Total(filled), Total(outline) * 5 / 4);
    EXPECT_EQ(AtGrid(filled, size, 12, 13), 255);
    EXPECT_LT(AtGrid(outline, size, 12, 13), 64);
  }
  // Plain and filled differ only for the star.
  EXPECT_EQ(IconMask(kIconPlay, false, 20), IconMask(kIconPlay, true, 20));
}

TEST(IconMask, GearPlayAndStatusShapes) {
  const int size = 40;
  auto gear = IconMask(kIconSettings, false, size);
  EXPECT_EQ(AtGrid(gear, size, 12, 12), 0);                // the hole
  EXPECT_EQ(AtGrid(gear, size, 12, 12 - 6), 255);          // the body
  EXPECT_EQ(AtGrid(gear, size, 12, 2.3), 255);             // a tooth straight up
  EXPECT_EQ(AtGrid(gear, size, 12 + 6.7, 12 - 6.7), 255);  // a tooth at 45°

  auto play = IconMask(kIconPlay, false, size);
  auto [left, right] = Halves(play, size);
  EXPECT_GT(left, right * 3 / 2);  // the triangle points right
  EXPECT_EQ(AtGrid(play, size, 8.5, 6), 255);
  EXPECT_EQ(AtGrid(play, size, 17, 6), 0);

  auto available = IconMask(kIconAvailable, false, size);
  EXPECT_EQ(AtGrid(available, size, 12, 3), 255);     // the disc
  EXPECT_EQ(AtGrid(available, size, 10.5, 15.8), 0);  // the black check
  EXPECT_EQ(AtGrid(available, size, 0.5, 0.5), 0);    // outside the disc
  auto missing = IconMask(kIconMissing, false, size);
  EXPECT_EQ(AtGrid(missing, size, 12, 4), 255);
  EXPECT_EQ(AtGrid(missing, size, 12, 12), 0);  // where the cross's strokes meet
  EXPECT_EQ(AtGrid(missing, size, 9, 9), 0);
  auto checked = IconMask(kIconChecked, false, size);
  EXPECT_EQ(AtGrid(checked, size, 12, 4), 255);      // the shield
  EXPECT_EQ(AtGrid(checked, size, 10.8, 15.2), 0);   // the black check
  EXPECT_EQ(AtGrid(checked, size, 3, 21), 0);        // its pointed foot leaves the corners
  auto damaged = IconMask(kIconDamaged, false, size);
  EXPECT_EQ(AtGrid(damaged, size, 12, 5), 255);      // the sign
  EXPECT_EQ(AtGrid(damaged, size, 12, 11), 0);       // the black "!"
  EXPECT_EQ(AtGrid(damaged, size, 12, 15.3), 255);   // between its stroke and dot
  EXPECT_EQ(AtGrid(damaged, size, 3, 4), 0);         // a triangle leaves the top corners
}

TEST(IconMaskCache, KeepsOneSizeAndDropsItForAnother) {
  IconMaskCache cache;
  const auto& star16 = cache.Get(kIconStar, true, 16);
  EXPECT_EQ(star16, IconMask(kIconStar, true, 16));
  EXPECT_EQ(&cache.Get(kIconStar, true, 16), &star16);
  EXPECT_EQ(cache.Get(kIconStar, false, 16), IconMask(kIconStar, false, 16));
  EXPECT_EQ(cache.Get(kIconStar, true, 20), IconMask(kIconStar, true, 20));
  EXPECT_EQ(cache.Get(kIconStar, false, 20).size(), 400u);  // not the 16-pixel mask
  EXPECT_EQ(cache.Get(kIconStar, true, 16).size(), 256u);
  EXPECT_TRUE(cache.Get(kIconCount, false, 16).empty());
}
