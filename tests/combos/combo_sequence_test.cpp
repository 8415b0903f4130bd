#include "combos/combo_sequence.h"

#include <gtest/gtest.h>

#include "combos/move_lists.h"

namespace {

using Steps = std::vector<ComboStep>;

Steps Compile(const std::string& seq, int side = kComboSideLeft, int32_t charge = 600) {
  return CompileComboSequence(seq, side, charge);
}

TEST(CompileComboSequence, MotionsHoldsAndSides) {
  EXPECT_EQ(Compile("236+HP"), (Steps{{2, 0}, {10, 0}, {72, 0}}));
  EXPECT_EQ(Compile("2 3 6+HP"), Compile("236+HP"));
  EXPECT_EQ(Compile("236HP"), Compile("236+HP"));
  EXPECT_EQ(Compile("236+HP", kComboSideRight), (Steps{{2, 0}, {6, 0}, {68, 0}}));
  EXPECT_EQ(Compile("4*C 6+HP"), (Steps{{4, 600}, {72, 0}}));
  EXPECT_EQ(Compile("4*c", kComboSideLeft, 1200), (Steps{{4, 1200}}));
  EXPECT_EQ(Compile("5*200"), (Steps{{0, 200}}));
  EXPECT_EQ(Compile("4*"), (Steps{{4, 0}}));
  EXPECT_EQ(Compile("4*0"), (Steps{{4, 0}}));
  EXPECT_EQ(Compile("4*9000"), (Steps{{4, 5000}}));
  EXPECT_EQ(Compile("4*99999999999999999999999"), (Steps{{4, 5000}}));
  EXPECT_EQ(Compile("~ ~"), (Steps{{0, 0}, {0, 0}}));
  EXPECT_EQ(Compile("5"), (Steps{{0, 0}}));
  EXPECT_EQ(Compile("LP+LK,START"), (Steps{{144, 0}, {1024, 0}}));
  EXPECT_EQ(Compile("bn6+b1+St"), (Steps{{512 | 16 | 1024, 0}}));
}

TEST(CompileComboSequence, ReleasesAButtonPressedInTwoStepsInARow) {
  EXPECT_EQ(Compile("HP HP"), (Steps{{64, 0}, {0, 0}, {64, 0}}));
  EXPECT_EQ(Compile("6+HP 3+HP"), (Steps{{72, 0}, {0, 0}, {74, 0}}));
  EXPECT_EQ(Compile("6 3"), (Steps{{8, 0}, {10, 0}}));
  EXPECT_EQ(Compile("HP LP"), (Steps{{64, 0}, {16, 0}}));
}

TEST(CompileComboSequence, PassesOverWhatItCannotRead) {
  EXPECT_TRUE(Compile("").empty());
  EXPECT_TRUE(Compile("0").empty());
  EXPECT_TRUE(Compile("+").empty());
  EXPECT_TRUE(Compile("HPX HEAVYPUNCH ?! \xC3\xA9").empty());
  EXPECT_EQ(Compile("6 + HP"), (Steps{{8, 0}, {64, 0}}));
  EXPECT_EQ(Compile("2\xC3\xA9" "3"), (Steps{{2, 0}}));  // a non-ASCII byte ends the run
  std::string digits(41, '2');
  EXPECT_EQ(Compile(digits + "+HP").size(), 40u);  // the 41st digit is not a direction
  EXPECT_EQ(Compile(digits + "+HP").back(), (ComboStep{66, 0}));  // the buttons still count
}

TEST(FormatComboSequence, ReadableForms) {
  EXPECT_EQ(FormatComboSequence("236+HP", 0, 400), "QCF (D, DR, R) + HP");
  EXPECT_EQ(FormatComboSequence("236+HP", 1, 400), "QCF (D, DL, L) + HP");
  EXPECT_EQ(FormatComboSequence("1*C 6+HP", 0, 400), "Hold DL (charge), R + HP");
  EXPECT_EQ(FormatComboSequence("4*800", 0, 400), "Hold L (800 ms)");
  EXPECT_EQ(FormatComboSequence("23*100", 0, 400), "D, Hold DR (100 ms)");
  EXPECT_EQ(FormatComboSequence("2 3 6+HP", 0, 400), "D, DR, R + HP");
  EXPECT_EQ(FormatComboSequence("LP+LK", 0, 400), "LP + LK");
  EXPECT_EQ(FormatComboSequence("~ b3+st+BN2", 0, 400), "~, HP + START + BN2");
  EXPECT_EQ(FormatComboSequence("4", 1, 400), "R");
  EXPECT_EQ(FormatComboSequence("236+HP", 0, 8), "QCF (D,");
}

TEST(FormatComboSequence, ShowsWhatDoesNotValidateAsStored) {
  for (const char* bad : {"236+HPX", "6 + HP", "0", "*C", "4*", "236+", "HEAVYPUNCH"})
    EXPECT_EQ(FormatComboSequence(bad, 0, 400), bad);
  EXPECT_EQ(FormatComboSequence("236+HPX", 0, 4), "236");
}

TEST(ConvertWordNotation, WordsAndShortNames) {
  struct Case {
    const char* text;
    int side;
    const char* stored;
  } cases[] = {
      {"Down, Down-Right, Right + Heavy Punch", 0, "2 3 6+HP"},
      {"QCF + HP", 0, "236+HP"},
      {"qcf+hp", 0, "236+HP"},
      {"Hold DL, R + HP", 0, "1*C 6+HP"},
      {"Hold Left (800 ms) then Right + HP", 0, "4*800 6+HP"},
      {"forward, down, down-forward + lp", 0, "6 2 3+LP"},
      {"Right + HP", 1, "4+HP"},
      {"Right", 1, "4"},
      {"forward", 1, "6"},
      {"QCF", 0, "2 3 6"},
      {"down, pause, heavy_kick", 0, "2 ~ HK"},
      {"DP + start + BN3", 0, "623+ST+BN3"},
      {"full-circle + lp + mp + hp", 0, "632147+LP+MP+HP"},
      {"down (crouch) , up", 0, "2 8"},
      {"down, up (and then", 0, "2 8"},
  };
  for (const Case& c : cases) {
    std::string out;
    EXPECT_TRUE(ConvertWordNotation(c.text, c.side, out)) << c.text;
    EXPECT_EQ(out, c.stored) << c.text;
  }
}

TEST(ConvertWordNotation, LeavesNumberNotationAndUnknownWordsAlone) {
  std::string out;
  for (const char* text : {"236+HP", "HP", "LP+LK", "", "4*C 6+HP", "down, sideways", "qcf + hpx", "hold"})
    EXPECT_FALSE(ConvertWordNotation(text, 0, out)) << text;
  std::string long_step = "dfc";
  for (int i = 0; i < 60; ++i) long_step += "+dfc";
  EXPECT_FALSE(ConvertWordNotation(long_step, 0, out));  // directions past 600 characters
  std::string many(3000, ' ');
  many += "down";
  EXPECT_FALSE(ConvertWordNotation(many, 0, out));  // only the first 590 characters are read
}

TEST(ConvertWordNotation, OutputStaysWithinItsBuffer) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "dfc, ";
  std::string out;
  ASSERT_TRUE(ConvertWordNotation(text, 0, out));
  EXPECT_LE(out.size(), 399u);
}

TEST(IsComboButtonName, PadButtonsOnly) {
  for (const char* yes : {"LP", "hk", "Start", "ST", "BN1", "bn6"}) EXPECT_TRUE(IsComboButtonName(yes)) << yes;
  for (const char* no : {"B1", "BN7", "HPX", "", "~", "QCF"}) EXPECT_FALSE(IsComboButtonName(no)) << no;
}

TEST(AppendBounded, CutsToTheBuffer) {
  std::string b = "abc";
  AppendBounded(b, 6, "defg");
  EXPECT_EQ(b, "abcde");
  AppendBounded(b, 6, "x");
  EXPECT_EQ(b, "abcde");
  AppendBounded(b, 0, "x");
  EXPECT_EQ(b, "abcde");
}

// Every built-in move plays, and its readable form reads back as itself
// through the compiler (what the tab shows is what gets played).
TEST(MoveLists, EveryMoveCompilesAndItsReadableFormIsStable) {
  size_t characters = 0, moves = 0;
  for (const MoveList& list : AllMoveLists()) {
    if (std::string(list.character) != kGenericMovesName) ++characters, moves += list.moves.size();
    for (const ComboMove& move : list.moves) {
      for (int side : {0, 1}) {
        EXPECT_FALSE(Compile(move.seq, side).empty()) << list.character << ": " << move.name;
        std::string shown = FormatComboSequence(move.seq, side, 400);
        EXPECT_NE(shown, move.seq) << move.seq << " does not validate";
        EXPECT_EQ(FormatComboSequence(move.seq, side, 400), shown);
      }
    }
  }
  EXPECT_EQ(characters, 25u);
  EXPECT_EQ(moves, 313u);
  EXPECT_EQ(FindMoveList("ryu")->moves.size(), 12u);
  // The Move box lists a character's moves in the game's own order.
  const MoveList* balrog = FindMoveList("Balrog (Vega in the West)");
  ASSERT_NE(balrog, nullptr);
  EXPECT_STREQ(balrog->moves[7].name, "Ground Crystal Flash");
  EXPECT_STREQ(balrog->moves[8].name, "Scarlet Terror");
  EXPECT_EQ(FindMoveList("Nobody"), nullptr);
}

}  // namespace
