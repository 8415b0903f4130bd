#include "catalogue/list_columns.h"

#include <gtest/gtest.h>

TEST(ListColumns, HidingAndShowingKeepsRememberedWidths) {
  const int32_t none[kListColumnCount] = {};
  ColumnWidths widths = InitialColumnWidths(none, 144), remembered{};
  EXPECT_EQ(widths[5], 255);  // 170 at 144 DPI
  // The default hides Info; the "Game" bit cannot be set.
  int32_t bits = ApplyColumnWidths(8 | 4, 144, widths, remembered);
  EXPECT_EQ(bits, 8);
  EXPECT_EQ(widths[3], 0);
  EXPECT_GT(widths[2], 0);
  // Shown again without a remembered width of this run: the table's 140, scaled.
  remembered[3] = 0;
  ApplyColumnWidths(0, 144, widths, remembered);
  EXPECT_EQ(widths[3], 210);
  // Hardware widened to 300, hidden and shown: 300 again.
  widths[5] = 300;
  ApplyColumnWidths(1 << 5, 144, widths, remembered);
  EXPECT_EQ(widths[5], 0);
  ApplyColumnWidths(0, 144, widths, remembered);
  EXPECT_EQ(widths[5], 300);
  // Status shown again gets its "shown again" width, not its creation width.
  ColumnWidths w2 = InitialColumnWidths(none, 96), r2{};
  ApplyColumnWidths(1 << 4, 96, w2, r2);
  r2 = {};
  ApplyColumnWidths(0, 96, w2, r2);
  EXPECT_EQ(w2[4], 64);
}

TEST(ListColumns, WidthRulesAndSavedWidths) {
  EXPECT_FALSE(ColumnDragAllowed(3, 200, 140, 8, 96));  // hidden
  EXPECT_FALSE(ColumnDragAllowed(2, 50, 260, 0, 96));   // below the smallest
  EXPECT_TRUE(ColumnDragAllowed(2, 50, 40, 0, 96));     // already narrower: may grow
  EXPECT_TRUE(ColumnDragAllowed(6, 32, 40, 0, 96));
  EXPECT_EQ(FittedColumnWidth(6, 10, 192), 64);
  EXPECT_EQ(FittedColumnWidth(2, 400, 96), 400);

  ColumnWidths widths = {128, 80, 600, 0, 80, 380, 80};
  int32_t saved[kListColumnCount] = {1, 2, 3, 77, 5, 6, 7};
  SavedColumnWidths(widths, 8, 192, saved);
  const int32_t expected[kListColumnCount] = {64, 40, 300, 77, 40, 190, 40};
  for (int c = 0; c < kListColumnCount; ++c) EXPECT_EQ(saved[c], expected[c]) << c;
}
