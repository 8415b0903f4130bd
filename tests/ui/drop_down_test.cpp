// The rules of the drop-down field: keys, letters and where its list opens.
#include "ui/drop_down.h"

#include <gtest/gtest.h>

namespace {
TEST(DropDown, KeysStayInsideTheListAndStartFromNothingChosen) {
  EXPECT_EQ(DropDownStep(DropDownKey::Down, -1, 5, 1), 0);
  EXPECT_EQ(DropDownStep(DropDownKey::Up, -1, 5, 1), 0);
  EXPECT_EQ(DropDownStep(DropDownKey::Up, 0, 5, 1), 0);
  EXPECT_EQ(DropDownStep(DropDownKey::Up, 3, 5, 1), 2);
  EXPECT_EQ(DropDownStep(DropDownKey::Down, 4, 5, 1), 4);
  EXPECT_EQ(DropDownStep(DropDownKey::PageDown, 1, 5, 19), 4);
  EXPECT_EQ(DropDownStep(DropDownKey::PageUp, 3, 5, 2), 1);
  EXPECT_EQ(DropDownStep(DropDownKey::PageDown, 0, 5, 0), 1);  // a page is never less than one entry
  EXPECT_EQ(DropDownStep(DropDownKey::End, 0, 5, 1), 4);
  EXPECT_EQ(DropDownStep(DropDownKey::Home, 3, 5, 1), 0);
  EXPECT_EQ(DropDownStep(DropDownKey::Down, -1, 0, 1), -1);
}

TEST(DropDown, ALetterFindsTheNextEntryInAnyCaseGoingRound) {
  const std::vector<std::string> makers = {"All Makers", "Atlus", "Capcom", "capcom / Namco", "\xC3\x89lan", ""};
  EXPECT_EQ(DropDownEntryByLetter(makers, -1, U'a'), 0);
  EXPECT_EQ(DropDownEntryByLetter(makers, 0, U'A'), 1);
  EXPECT_EQ(DropDownEntryByLetter(makers, 1, U'a'), 0);  // round to the top
  EXPECT_EQ(DropDownEntryByLetter(makers, 2, U'c'), 3);
  EXPECT_EQ(DropDownEntryByLetter(makers, 3, U'C'), 2);
  EXPECT_EQ(DropDownEntryByLetter(makers, 0, U'\u00C9'), 4);  // a letter beyond ASCII, as typed
  EXPECT_EQ(DropDownEntryByLetter(makers, 0, U'z'), -1);
  EXPECT_EQ(DropDownEntryByLetter({"\xC3"}, -1, U'\u00C3'), -1);  // a broken first character matches nothing
  EXPECT_EQ(DropDownEntryByLetter({}, -1, U'a'), -1);
}

TEST(DropDown, TheListOpensWhereTheScreenHasRoom) {
  const DropDownRect screen = {0, 0, 1280, 1000};
  // Below the field, high enough for every entry up to the most rows, two borders.
  DropDownRect below = DropDownListRect({100, 100, 200, 24}, 8, 16, 20, 1, 0, screen);
  EXPECT_EQ(below.y, 124);
  EXPECT_EQ(below.h, 8 * 16 + 2);
  EXPECT_EQ(below.w, 200);
  EXPECT_EQ(DropDownListRect({100, 100, 200, 24}, 50, 16, 20, 1, 0, screen).h, 20 * 16 + 2);
  // Near the bottom with more room above: it opens upwards.
  DropDownRect above = DropDownListRect({100, 900, 200, 24}, 20, 16, 20, 1, 0, screen);
  EXPECT_EQ(above.y + above.h, 900);
  EXPECT_EQ(above.h, 20 * 16 + 2);
  // Less room both ways than it needs: the larger side, cut to fit.
  DropDownRect tight = DropDownListRect({0, 60, 200, 24}, 20, 16, 20, 1, 0, {0, 0, 1280, 200});
  EXPECT_EQ(tight.y, 84);
  EXPECT_EQ(tight.h, 116);
  // Kept on the screen sideways, and never narrower than asked.
  DropDownRect right = DropDownListRect({1200, 100, 200, 24}, 3, 16, 20, 1, 250, screen);
  EXPECT_EQ(right.w, 250);
  EXPECT_EQ(right.x, 1030);
  EXPECT_EQ(DropDownListRect({100, 100, 200, 24}, 0, 16, 20, 1, 0, screen).h, 16 + 2);  // an empty list shows one row
}
}  // namespace
