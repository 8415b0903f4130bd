#include "combos/combo_sequence.h"

#include <gtest/gtest.h>

#include "combos/combos_editor.h"
#include "combos/move_lists.h"

namespace {

// The compiled steps as "mask/ms" words, for compact tables.
std::string Compiled(const std::string& seq, int side = kComboSideLeft, int32_t charge = 600) {
  std::string out;
  for (const ComboStep& s : CompileComboSequence(seq, side, charge))
    out += (out.empty() ? "" : " ") + std::to_string(s.mask) + "/" + std::to_string(s.duration);
  return out;
}

TEST(CompileComboSequence, MotionsHoldsSidesReleasesAndWhatItCannotRead) {
  struct Case {
    std::string seq;
    int side;
    int32_t charge;
    const char* steps;
  } cases[] = {
      {"236+HP", 0, 600, "2/0 10/0 72/0"}, {"2 3 6+HP", 0, 600, "2/0 10/0 72/0"}, {"236HP", 0, 600, "2/0 10/0 72/0"},
      {"236+HP", 1, 600, "2/0 6/0 68/0"},  {"4*C 6+HP", 0, 600, "4/600 72/0"},   {"4*c", 0, 1200, "4/1200"},
      {"5*200", 0, 600, "0/200"},          {"4*", 0, 600, "4/0"},               {"4*0", 0, 600, "4/0"},
      {"4*9000", 0, 600, "4/5000"},        {"4*99999999999999999999999", 0, 600, "4/5000"},
      {"~ ~", 0, 600, "0/0 0/0"},          {"5", 0, 600, "0/0"},                {"LP+LK,START", 0, 600, "144/0 1024/0"},
      {"bn6+b1+St", 0, 600, "1552/0"},
      // A button pressed in two steps in a row is let go in between.
      {"HP HP", 0, 600, "64/0 0/0 64/0"},  {"6+HP 3+HP", 0, 600, "72/0 0/0 74/0"}, {"6 3", 0, 600, "8/0 10/0"},
      {"HP LP", 0, 600, "64/0 16/0"},
      // What cannot be read is passed over; a non-ASCII byte ends the run.
      {"", 0, 600, ""}, {"0", 0, 600, ""}, {"+", 0, 600, ""}, {"HPX HEAVYPUNCH ?! \xC3\xA9", 0, 600, ""},
      {"6 + HP", 0, 600, "8/0 64/0"},      {"2\xC3\xA9" "3", 0, 600, "2/0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Compiled(c.seq, c.side, c.charge), c.steps) << c.seq;
  std::string digits(41, '2');
  std::vector<ComboStep> steps = CompileComboSequence(digits + "+HP", 0, 600);
  EXPECT_EQ(steps.size(), 40u);  // the 41st digit is not a direction
  EXPECT_EQ(steps.back(), (ComboStep{66, 0}));  // the buttons still count
}

TEST(FormatComboSequence, ReadableFormsAndWhatDoesNotValidateAsStored) {
  struct Case {
    const char* seq;
    int side;
    size_t room;
    const char* shown;
  } cases[] = {
      {"236+HP", 0, 400, "QCF (D, DR, R) + HP"}, {"236+HP", 1, 400, "QCF (D, DL, L) + HP"},
      {"1*C 6+HP", 0, 400, "Hold DL (charge), R + HP"}, {"4*800", 0, 400, "Hold L (800 ms)"},
      {"23*100", 0, 400, "D, Hold DR (100 ms)"}, {"2 3 6+HP", 0, 400, "D, DR, R + HP"}, {"LP+LK", 0, 400, "LP + LK"},
      {"~ b3+st+BN2", 0, 400, "~, HP + START + BN2"}, {"4", 1, 400, "R"}, {"236+HP", 0, 8, "QCF (D,"},
      {"236+HPX", 0, 4, "236"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatComboSequence(c.seq, c.side, c.room), c.shown) << c.seq;
  for (const char* bad : {"236+HPX", "6 + HP", "0", "*C", "4*", "236+", "HEAVYPUNCH"})
    EXPECT_EQ(FormatComboSequence(bad, 0, 400), bad);
}

TEST(ConvertWordNotation, WordsAndShortNamesConvertNumberNotationAndUnknownWordsDoNot) {
  struct Case {
    const char* text;
    int side;
    const char* stored;
  } cases[] = {
      {"Down, Down-Right, Right + Heavy Punch", 0, "2 3 6+HP"}, {"QCF + HP", 0, "236+HP"}, {"qcf+hp", 0, "236+HP"},
      {"Hold DL, R + HP", 0, "1*C 6+HP"}, {"Hold Left (800 ms) then Right + HP", 0, "4*800 6+HP"},
      {"forward, down, down-forward + lp", 0, "6 2 3+LP"}, {"Right + HP", 1, "4+HP"}, {"Right", 1, "4"},
      {"forward", 1, "6"}, {"QCF", 0, "2 3 6"}, {"down, pause, heavy_kick", 0, "2 ~ HK"},
      {"DP + start + BN3", 0, "623+ST+BN3"}, {"full-circle + lp + mp + hp", 0, "632147+LP+MP+HP"},
      {"down (crouch) , up", 0, "2 8"}, {"down, up (and then", 0, "2 8"},
  };
  std::string out;
  for (const Case& c : cases) {
    EXPECT_TRUE(ConvertWordNotation(c.text, c.side, out)) << c.text;
    EXPECT_EQ(out, c.stored) << c.text;
  }
  for (const char* text : {"236+HP", "HP", "LP+LK", "", "4*C 6+HP", "down, sideways", "qcf + hpx", "hold"})
    EXPECT_FALSE(ConvertWordNotation(text, 0, out)) << text;
  std::string long_step = "dfc";
  for (int i = 0; i < 60; ++i) long_step += "+dfc";
  EXPECT_FALSE(ConvertWordNotation(long_step, 0, out));  // directions past 600 characters
  EXPECT_FALSE(ConvertWordNotation(std::string(3000, ' ') + "down", 0, out));  // only the first 590 are read
  std::string many;
  for (int i = 0; i < 100; ++i) many += "dfc, ";
  ASSERT_TRUE(ConvertWordNotation(many, 0, out));
  EXPECT_LE(out.size(), 399u);  // the output stays within its buffer
}

TEST(ComboSequenceParts, ButtonNamesAndBoundedAppend) {
  for (const char* yes : {"LP", "hk", "Start", "ST", "BN1", "bn6"}) EXPECT_TRUE(IsComboButtonName(yes)) << yes;
  for (const char* no : {"B1", "BN7", "HPX", "", "~", "QCF"}) EXPECT_FALSE(IsComboButtonName(no)) << no;
  std::string b = "abc";
  AppendBounded(b, 6, "defg");
  EXPECT_EQ(b, "abcde");
  AppendBounded(b, 6, "x");
  AppendBounded(b, 0, "x");
  EXPECT_EQ(b, "abcde");
}

// Every built-in move plays, and what the tab shows for it (typed back, or left in the box and touched by
// the pad) plays the same steps, on either side.
TEST(MoveLists, EveryMovePlaysAndItsReadableFormReadsBackToTheSameSteps) {
  size_t characters = 0, moves = 0;
  for (const MoveList& list : AllMoveLists()) {
    if (std::string(list.character) != kGenericMovesName) ++characters, moves += list.moves.size();
    for (const ComboMove& move : list.moves)
      for (int side : {0, 1}) {
        std::string shown = FormatComboSequence(move.seq, side, 400);
        EXPECT_TRUE(Compiled(move.seq, side) != "" && shown != move.seq &&
                    Compiled(SequenceFromTyped(shown, side), side) == Compiled(move.seq, side))
            << list.character << ": " << move.name << " side " << side << " shown " << shown;
      }
  }
  EXPECT_TRUE(characters == 25 && moves == 313 && FindMoveList("ryu")->moves.size() == 12) << characters << " " << moves;
  // The Move box lists a character's moves in the game's own order.
  const MoveList* balrog = FindMoveList("Balrog (Vega in the West)");
  ASSERT_NE(balrog, nullptr);
  EXPECT_EQ(std::string(balrog->moves[7].name) + "|" + balrog->moves[8].name, "Ground Crystal Flash|Scarlet Terror");
  EXPECT_EQ(FindMoveList("Nobody"), nullptr);
}

}  // namespace
