// The rules of the drop-down field: keys, letters and where its list opens.
#include "ui/drop_down.h"

#include <gtest/gtest.h>

namespace {
TEST(DropDown, KeysStayInsideTheListAndStartFromNothingChosen) {
  using K = DropDownKey;
  // {key, from, count, page size, lands on}; a page is never less than one entry.
  const struct { K key; int from, count, page, expected; } cases[] = {
      {K::Down, -1, 5, 1, 0}, {K::Up, -1, 5, 1, 0},       {K::Up, 0, 5, 1, 0},     {K::Up, 3, 5, 1, 2},
      {K::Down, 4, 5, 1, 4},  {K::PageDown, 1, 5, 19, 4}, {K::PageUp, 3, 5, 2, 1}, {K::PageDown, 0, 5, 0, 1},
      {K::End, 0, 5, 1, 4},   {K::Home, 3, 5, 1, 0},      {K::Down, -1, 0, 1, -1}};
  for (const auto& c : cases)
    EXPECT_EQ(DropDownStep(c.key, c.from, c.count, c.page), c.expected) << static_cast<int>(c.key) << " " << c.from;
}

TEST(DropDown, ALetterFindsTheNextEntryInAnyCaseGoingRound) {
  const std::vector<std::string> makers = {"All Makers", "Atlus", "Capcom", "capcom / Namco", "\xC3\x89lan", "",
                                           "\xF0\x9D\x90\x80 Bold", "\xE3\x83\x8A Kana"};
  // From 1 'a' goes round to the top; \u00C9, U+30CA and U+1D400 (two, three, four bytes) are matched as typed.
  const struct { int from; char32_t letter; int expected; } cases[] = {
      {-1, U'a', 0}, {0, U'A', 1}, {1, U'a', 0}, {2, U'c', 3}, {3, U'C', 2}, {0, U'\u00C9', 4}, {0, U'z', -1},
      {0, U'\U0001D400', 6}, {0, U'\u30CA', 7}};
  for (const auto& c : cases) EXPECT_EQ(DropDownEntryByLetter(makers, c.from, c.letter), c.expected) << c.from;
  EXPECT_EQ(DropDownEntryByLetter({"\xC3"}, -1, U'\u00C3'), -1);  // a broken first character matches nothing
  EXPECT_EQ(DropDownEntryByLetter({}, -1, U'a'), -1);
}

TEST(DropDown, TheListOpensWhereTheScreenHasRoom) {
  const DropDownRect screen = {0, 0, 1280, 1000}, field = {100, 100, 200, 24};
  auto text = [](DropDownRect r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.w) + "x" + std::to_string(r.h);
  };
  // Below the field, high enough for every entry up to the most rows, two borders; an empty list shows one row.
  EXPECT_EQ(text(DropDownListRect(field, 8, 16, 20, 1, 0, screen)), "100,124 200x130");
  EXPECT_EQ(text(DropDownListRect(field, 50, 16, 20, 1, 0, screen)), "100,124 200x322");
  EXPECT_EQ(text(DropDownListRect(field, 0, 16, 20, 1, 0, screen)), "100,124 200x18");
  // Near the bottom with more room above: it opens upwards.
  EXPECT_EQ(text(DropDownListRect({100, 900, 200, 24}, 20, 16, 20, 1, 0, screen)), "100,578 200x322");
  // Less room both ways than it needs: the larger side, cut to fit.
  EXPECT_EQ(text(DropDownListRect({0, 60, 200, 24}, 20, 16, 20, 1, 0, {0, 0, 1280, 200})), "0,84 200x116");
  // Kept on the screen sideways, and never narrower than asked.
  EXPECT_EQ(text(DropDownListRect({1200, 100, 200, 24}, 3, 16, 20, 1, 250, screen)), "1030,124 250x50");
}
}  // namespace
