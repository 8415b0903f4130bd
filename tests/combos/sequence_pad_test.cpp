#include "combos/sequence_pad.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

// Presses pad buttons one after another with the caret where the last press left it.
PadEdit Press(PadEdit edit, std::initializer_list<const char*> tokens) {
  for (const char* token : tokens) {
    edit = std::string(token) == "Del" ? PadDelete(edit.text, edit.caret, edit.caret)
                                       : PadInsert(edit.text, edit.caret, edit.caret, token);
  }
  return edit;
}
PadEdit Press(std::initializer_list<const char*> tokens) { return Press(PadEdit{}, tokens); }
PadEdit At(const std::string& text, size_t caret) { return PadEdit{text, caret}; }

TEST(SequencePad, PressesFromAnEmptyBox) {
  EXPECT_EQ(Press({"LP", "+", "LK"}).text, "LP + LK");
  EXPECT_EQ(Press({"QCF", "HP"}).text, "QCF + HP");
  EXPECT_EQ(Press({"HP", "HP"}).text, "HP, HP");
  EXPECT_EQ(Press({"Hold", "L"}).text, "Hold L");
  EXPECT_EQ(Press({"~", "HP"}).text, "~, HP");
  EXPECT_EQ(Press({"Hold", "DL", ",", "R", "HP"}).text, "Hold DL, R + HP");
  EXPECT_EQ(Press({"D", "DR", "R", "HP"}).text, "D, DR, R + HP");
  EXPECT_EQ(Press({"START"}).caret, 5u);
}

TEST(SequencePad, SignsAreRefusedAtTheStartAndAfterAnotherSign) {
  EXPECT_EQ(Press({"+"}).text, "");
  EXPECT_EQ(Press({","}).text, "");
  EXPECT_EQ(Press({"HP", "+", ","}).text, "HP +");
  EXPECT_EQ(Press({"HP", ",", "+"}).text, "HP,");
  PadEdit refused = PadInsert("HP +  ", 6, 6, "+");
  EXPECT_EQ(refused.text, "HP +  ");
  EXPECT_EQ(refused.caret, 6u);
}

TEST(SequencePad, WhatFollowsAClosingParenthesisOrALongWord) {
  EXPECT_EQ(Press(At("QCF (D, DR, R)", 14), {"HP"}).text, "QCF (D, DR, R) + HP");
  EXPECT_EQ(Press(At("QCF (D, DR, R)", 14), {"L"}).text, "QCF (D, DR, R), L");
  EXPECT_EQ(Press(At("hold", 4), {"R"}).text, "hold R");
  std::string word23(23, 'x'), word24(24, 'x');
  EXPECT_EQ(Press(At(word23, 23), {"HP"}).text, word23 + " + HP");
  EXPECT_EQ(Press(At(word24, 24), {"HP"}).text, word24 + ", HP");
}

TEST(SequencePad, InsertingInsideTheText) {
  PadEdit mid = PadInsert("QCF, HP", 3, 3, "LP");
  EXPECT_EQ(mid.text, "QCF + LP, HP");
  EXPECT_EQ(mid.caret, 8u);
  EXPECT_EQ(PadInsert("R + HP", 0, 0, "Hold").text, "Hold R + HP");
  EXPECT_EQ(PadInsert("QCF HP", 3, 3, "+").text, "QCF + HP");
  // The selection is replaced.
  EXPECT_EQ(PadInsert("QCF + HP", 6, 8, "HK").text, "QCF + HK");
  // A selection across a parenthesis and a caret inside a word still give
  // one text with the caret right after the token.
  PadEdit across = PadInsert("QCF (D, DR, R) + HP", 5, 17, "LK");
  EXPECT_EQ(across.text, "QCF ( + LK, HP");
  EXPECT_EQ(across.text.substr(across.caret - 2, 2), "LK");
  PadEdit inside = PadInsert("QCF + HP", 1, 1, "HP");
  EXPECT_EQ(inside.text, "Q + HP, CF + HP");
  EXPECT_EQ(inside.caret, 6u);
  // Offsets beyond the text are taken as its end.
  EXPECT_EQ(PadInsert("HP", 90, 50, "HK").text, "HP, HK");
}

TEST(SequencePad, DelTakesTheLastPiece) {
  PadEdit once = PadDelete("QCF (D, DR, R) + HP", 19, 19);
  EXPECT_EQ(once.text, "QCF (D, DR, R)");
  EXPECT_EQ(once.caret, 14u);
  EXPECT_EQ(Press(once, {"Del"}).text, "");
  EXPECT_EQ(Press(At("Hold L", 6), {"Del"}).text, "Hold");
  EXPECT_EQ(Press(At("Hold L", 6), {"Del", "Del"}).text, "");
  EXPECT_EQ(Press(At("Hold DL (charge), R + HP", 24), {"Del", "Del"}).text, "Hold DL (charge)");
  EXPECT_EQ(Press(At("+", 1), {"Del"}).text, "");
  // A dangling sign goes together with the piece in front of it.
  EXPECT_EQ(Press(At("QCF + HP,  ", 11), {"Del"}).text, "QCF");
  EXPECT_EQ(Press(At("~, HP", 5), {"Del"}).text, "~");
  // Unbalanced parentheses: each press still takes something.
  EXPECT_EQ(Press(At("D, R)", 5), {"Del"}).text, "D");
  EXPECT_EQ(Press(At("QCF (", 5), {"Del"}).text, "QCF");
  EXPECT_EQ(Press(At("(", 1), {"Del"}).text, "");
  EXPECT_EQ(Press(At("QCF ((D, R), DR)", 16), {"Del"}).text, "");
}

TEST(SequencePad, DelInsideTheTextJoinsWhatFollows) {
  PadEdit comma = PadDelete("QCF + HP, HK", 8, 8);
  EXPECT_EQ(comma.text, "QCF, HK");
  EXPECT_EQ(comma.caret, 3u);
  EXPECT_EQ(PadDelete("QCF, HP + HK", 7, 7).text, "QCF + HK");
  EXPECT_EQ(PadDelete("QCF, HP HK", 7, 7).text, "QCF, HK");
  PadEdit first = PadDelete("HP, HK", 2, 2);
  EXPECT_EQ(first.text, "HK");
  EXPECT_EQ(first.caret, 0u);
  EXPECT_EQ(PadDelete("HP + HK", 2, 2).text, "HK");
  // Nothing before the caret: nothing changes.
  EXPECT_EQ(PadDelete("  HP", 1, 1).text, "  HP");
  // With a selection only the selection goes (and a sign left hanging before it).
  PadEdit selected = PadDelete("LP + LK", 5, 7);
  EXPECT_EQ(selected.text, "LP");
  EXPECT_EQ(selected.caret, 2u);
  EXPECT_EQ(PadDelete("LP + LK, HP", 0, 7).text, "HP");
}

TEST(SequencePad, TwentySixButtonsOnTheirPlaces) {
  auto buttons = SequencePadButtons();
  ASSERT_EQ(buttons.size(), 26u);
  bool taken[kPadRows][kPadPlaces] = {};
  for (const PadButton& b : buttons) {
    ASSERT_TRUE(b.row >= 0 && b.row < kPadRows && b.place >= 0 && b.place < kPadPlaces) << b.token;
    EXPECT_FALSE(taken[b.row][b.place]) << b.token;
    taken[b.row][b.place] = true;
  }
  // The gaps of the pad: row 2 place 2, row 3 places 4 to 6.
  EXPECT_FALSE(taken[1][1]);
  EXPECT_FALSE(taken[2][3] || taken[2][4] || taken[2][5]);
}

}  // namespace
