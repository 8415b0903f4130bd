#include "base/display_modes.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(DisplayModeList, FiltersDeduplicatesSortsAndFallsBack) {
  auto modes = CollectDisplayModes(
      {{1920, 1080, 32}, {640, 480, 8}, {800, 600, 32}, {1920, 1080, 16}, {320, 240, 32}, {1024, 768, 32}});
  EXPECT_EQ(modes, (DisplayModes{{800, 600}, {1024, 768}, {1920, 1080}}));
  auto fallback = CollectDisplayModes({{320, 200, 32}, {1024, 768, 8}});
  ASSERT_EQ(fallback.size(), 11u);
  EXPECT_EQ(fallback.front(), (std::pair<int, int>{640, 480}));
  EXPECT_EQ(fallback.back(), (std::pair<int, int>{1920, 1080}));
  EXPECT_TRUE(std::is_sorted(fallback.begin(), fallback.end()));
}
