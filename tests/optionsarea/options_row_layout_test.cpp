#include "optionsarea/options_row_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// A page row at 96 DPI: left edge 22 (right edge 278 unless said), the controls' column at 170.
constexpr RowMetrics RightEdge(int right) { return {22, right, 170, 4, 40, 80}; }
constexpr RowMetrics kRow = RightEdge(278);

std::string Dump(const RowCellPlaces& p) {
  std::string out = p.under_label ? "under " : "";
  for (size_t i = 0; i < p.x.size(); ++i) out += std::to_string(p.x[i]) + "+" + std::to_string(p.w[i]) + " ";
  return out;
}
}  // namespace

TEST(OptionsRowLayout, ControlsStayBesideTheLabelWhileTheyFitElseGoUnderItOrToTheLeftEdge) {
  // A path row (field, Browse, clear) beside its label on a wide page: the field takes what is left.
  EXPECT_EQ(Dump(PlaceRowCells({0, 68, 24}, true, false, RightEdge(438))), "170+168 342+68 414+24 ");
  // On a narrow page it goes under the label, from the left edge, and ends at the right one.
  const RowCellPlaces path = PlaceRowCells({0, 68, 24}, true, false, kRow);
  EXPECT_TRUE(Dump(path) == "under 22+156 182+68 254+24 " && path.x.back() + path.w.back() == kRow.right);
  // A drop-down gives up a little width, not half, to stay beside its label; under it, it narrows to the row.
  EXPECT_EQ(Dump(PlaceRowCells({220}, true, false, RightEdge(388))), "170+218 ");
  EXPECT_EQ(Dump(PlaceRowCells({220}, true, false, kRow)), "under 22+220 ");
  EXPECT_EQ(Dump(PlaceRowCells({220}, true, false, RightEdge(200))), "under 22+178 ");
  // Button rows start at the left edge when the column is too narrow.
  EXPECT_EQ(Dump(PlaceRowCells({150}, false, false, kRow)), "22+150 ");
  EXPECT_EQ(Dump(PlaceRowCells({100}, false, true, kRow)), "170+100 ");
  EXPECT_EQ(Dump(PlaceRowCells({100, 100}, false, true, kRow)), "22+100 126+100 ");
}
