#include "ui/icon_mask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace {
// Mask value at a point of the 24-unit design grid.
uint8_t AtGrid(const std::vector<uint8_t>& mask, int size, double gx, double gy) {
  return mask[static_cast<int>(gy * size / 24) * size + static_cast<int>(gx * size / 24)];
}
long Total(const std::vector<uint8_t>& mask) { return std::accumulate(mask.begin(), mask.end(), 0L); }
}  // namespace

TEST(IconMask, EveryIconDrawsCentredAtEverySizeAndTheStarIsSymmetric) {
  for (int size : {16, 20, 40}) {
    for (int icon = 0; icon < kIconCount; ++icon)
      for (bool filled : {false, true}) {
        auto mask = IconMask(icon, filled, size);
        ASSERT_EQ(mask.size(), static_cast<size_t>(size * size));
        // Full ink somewhere, the centre of mass near the middle, more than half the square wide.
        double sum = 0, cx = 0, cy = 0;
        int x0 = size, x1 = -1;
        for (int i = 0; i < size * size; ++i)
          if (uint8_t v = mask[i])
            sum += v, cx += v * (i % size + 0.5), cy += v * (i / size + 0.5), x0 = std::min(x0, i % size),
                x1 = std::max(x1, i % size);
        EXPECT_TRUE(*std::max_element(mask.begin(), mask.end()) == 255 && std::abs(cx / sum - size / 2.0) < size / 5.0 &&
                    std::abs(cy / sum - size / 2.0) < size / 5.0 && x1 - x0 + 1 > size / 2)
            << icon << " at " << size;
      }
    auto outline = IconMask(kIconStar, false, size), filled = IconMask(kIconStar, true, size);
    for (const auto* mask : {&outline, &filled})
      for (int i = 0; i < size * size; ++i)
        EXPECT_LE(std::abs((*mask)[i] - (*mask)[i - i % size + size - 1 - i % size]), 1) << i << " at " << size;
    EXPECT_GT(Total(filled), Total(outline) * 5 / 4);
    EXPECT_TRUE(AtGrid(filled, size, 12, 13) == 255 && AtGrid(outline, size, 12, 13) < 64) << size;
  }
  EXPECT_EQ(IconMask(kIconPlay, false, 20), IconMask(kIconPlay, true, 20));  // only the star has a filled look
  EXPECT_TRUE(IconMask(kIconCount, false, 16).empty() && IconMask(-1, false, 16).empty() &&
              IconMask(kIconPlay, false, 0).empty());
}

TEST(IconMask, GearPlayAndStatusShapes) {
  const int size = 40;
  // Points of the 24-unit grid fully inked or empty: the gear's hole, body and teeth up and at 45 degrees;
  // the play triangle; the disc, its black check and outside it; the cross's middle; the shield, its
  // check and the corners its foot leaves; the warning sign, its "!", the gap of the "!" and its corners.
  struct { int icon; double gx, gy; bool ink; } points[] = {
      {kIconSettings, 12, 12, false}, {kIconSettings, 12, 6, true}, {kIconSettings, 12, 2.3, true},
      {kIconSettings, 18.7, 5.3, true}, {kIconPlay, 8.5, 6, true}, {kIconPlay, 17, 6, false},
      {kIconAvailable, 12, 3, true}, {kIconAvailable, 10.5, 15.8, false}, {kIconAvailable, 0.5, 0.5, false},
      {kIconMissing, 12, 4, true}, {kIconMissing, 12, 12, false}, {kIconMissing, 9, 9, false},
      {kIconChecked, 12, 4, true}, {kIconChecked, 10.8, 15.2, false}, {kIconChecked, 3, 21, false},
      {kIconDamaged, 12, 5, true}, {kIconDamaged, 12, 11, false}, {kIconDamaged, 12, 15.3, true},
      {kIconDamaged, 3, 4, false}};
  for (const auto& p : points)
    EXPECT_EQ(AtGrid(IconMask(p.icon, false, size), size, p.gx, p.gy), p.ink ? 255 : 0) << p.icon << " " << p.gx << "," << p.gy;
  auto play = IconMask(kIconPlay, false, size);
  long left = 0;
  for (int i = 0; i < size * size; ++i) left += i % size < size / 2 ? play[i] : 0;
  EXPECT_GT(left, (Total(play) - left) * 3 / 2);  // the triangle points right
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
