#include "combos/combos_editor.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "combos/combo_sequence.h"
#include "combos/combos_tab_texts.h"

namespace {

std::vector<ComboStep> Steps(const std::string& seq, int side) { return CompileComboSequence(seq, side, 600); }

TEST(TypedSequence, WordsConvertNumbersAndUnknownTextStayAsTyped) {
  ComboRow row;
  row.name = "Ryu: Hadou Ken (Surge Fist)";
  row.key = "4";
  EXPECT_FALSE(ApplyTypedSequence(row, "qcf + hp"));
  EXPECT_EQ(row.seq, "236+HP");
  EXPECT_EQ(row.name, "Custom");
  EXPECT_EQ(row.kind, "Custom");
  EXPECT_EQ(row.key, "4");
  ApplyTypedSequence(row, "236+HP");
  EXPECT_EQ(row.seq, "236+HP");
  ApplyTypedSequence(row, "whatever I like (x)");
  EXPECT_EQ(row.seq, "whatever I like (x)");
  ApplyTypedSequence(row, "");
  EXPECT_EQ(row.seq, "");
  row.side = kComboSideRight;
  ApplyTypedSequence(row, "Right");
  EXPECT_EQ(row.seq, "4");
}

TEST(TypedSequence, SpacedPlusBetweenButtonsStaysOneStep) {
  EXPECT_EQ(SequenceFromTyped("LP + LK", 0), "LP+LK");
  EXPECT_EQ(Steps(SequenceFromTyped("LP + LK, HP", 0), 0),
            (std::vector<ComboStep>{{kComboButton1 | kComboButton1 << 3, 0}, {kComboButton1 << 2, 0}}));
  EXPECT_EQ(SequenceFromTyped("236+LP  +LK", 0), "236+LP+LK");
  // Next to digits a spaced "+" keeps its number-notation meaning: two steps.
  EXPECT_EQ(SequenceFromTyped("6 + HP", 0), "6 + HP");
  EXPECT_EQ(SequenceFromTyped("LP + + LK", 0), "LP + + LK");
}

// Whatever the tab shows for a stored move, typed back (or left in the box
// and touched by the pad) must play the same steps, on either side.
TEST(TypedSequence, ReadableFormOfEveryMoveReadsBackToTheSameSteps) {
  for (const MoveList& list : AllMoveLists()) {
    for (const ComboMove& move : list.moves) {
      for (int side : {kComboSideLeft, kComboSideRight}) {
        std::string shown = FormatComboSequence(move.seq, side, 400);
        std::string stored = SequenceFromTyped(shown, side);
        EXPECT_EQ(Steps(stored, side), Steps(move.seq, side))
            << list.character << ": " << move.name << " side " << side << " shown " << shown << " stored "
            << stored;
      }
    }
  }
}

TEST(TypedSequence, OverlongAndControlCharacters) {
  std::string many;
  for (int i = 0; i < 40; ++i) many += "qcf + hp, ";  // 400 characters
  bool cut = false;
  std::string stored = SequenceFromTyped(many, 0, &cut);
  EXPECT_TRUE(cut);
  EXPECT_LE(stored.size(), 159u);
  EXPECT_EQ(stored.back(), 'P');
  for (size_t at = 0; at < stored.size(); at += 7) EXPECT_EQ(stored.substr(at, 6), "236+HP");

  std::string typed(300, 'x');
  EXPECT_EQ(SequenceFromTyped(typed, 0, &cut), std::string(159, 'x'));
  EXPECT_TRUE(cut);
  SequenceFromTyped("HP", 0, &cut);
  EXPECT_FALSE(cut);

  EXPECT_EQ(SequenceFromTyped("qcf\t+\r\nhp", 0), "236+HP");
  EXPECT_EQ(SequenceFromTyped("HP\tHP\x01", 0), "HP HP ");
  EXPECT_EQ(SpacesForControlCharacters("a\tb\x7f\xc3\xa9"), "a b \xc3\xa9");
}

TEST(ComboRowEditing, MovesAndTheirRowsFindEachOther) {
  const MoveList* guile = FindMoveList("Guile");
  ASSERT_NE(guile, nullptr);
  int sonic = -1;
  for (size_t i = 0; i < guile->moves.size(); ++i)
    if (std::string(guile->moves[i].name) == "Sonic Boom") sonic = static_cast<int>(i);
  ASSERT_GE(sonic, 0);
  ComboRow row;
  row.key = "5";
  row.side = kComboSideRight;
  ApplyMoveToRow(row, *guile, guile->moves[sonic]);
  EXPECT_EQ(row.name, "Guile: Sonic Boom");
  EXPECT_EQ(row.kind, "Special");
  EXPECT_EQ(row.seq, "1*C 6+HP");
  EXPECT_EQ(row.key, "5");
  EXPECT_EQ(row.side, kComboSideRight);

  RowMove found = FindRowMove("GUILE: Sonic Boom");
  EXPECT_EQ(found.list, guile);
  EXPECT_EQ(found.move, sonic);
  EXPECT_EQ(FindRowMove("Guile: sonic boom").move, -1);  // the move name must match exactly
  EXPECT_EQ(FindRowMove("Guile: sonic boom").list, guile);
  EXPECT_EQ(FindRowMove("Generic Moves: Fireball (QCF + HP)").move, 4);
  // A move name holding ": " itself.
  RowMove chun = FindRowMove("Chun-Li: Kikou Shou: Goku (Ultimate Chi Palm)");
  ASSERT_NE(chun.list, nullptr);
  ASSERT_GE(chun.move, 0);
  EXPECT_STREQ(chun.list->moves[chun.move].name, "Kikou Shou: Goku (Ultimate Chi Palm)");
  EXPECT_EQ(FindRowMove("Custom").list, nullptr);
  EXPECT_EQ(FindRowMove("Nobody: Sonic Boom").list, nullptr);

  EXPECT_EQ(HintLine(guile->moves[sonic].hint), "CHARGE B,F + P");
}

TEST(ComboRowEditing, CellAndMoveBoxTexts) {
  ComboRow row;
  row.name = "Ryu: Hadou Ken (Surge Fist)";
  row.kind = "Special";
  row.seq = "236+HP";
  EXPECT_EQ(ComboCellText(row, 3, kComboColumnNumber), "4");
  EXPECT_EQ(ComboCellText(row, 3, kComboColumnSequence), "QCF (D, DR, R) + HP");
  EXPECT_EQ(ComboCellText(row, 3, kComboColumnPlayer), "Player 1");
  EXPECT_EQ(ComboCellText(row, 3, kComboColumnSide), "Left");
  EXPECT_EQ(ComboCellText(row, 3, kComboColumnKeyboard), "");
  EXPECT_EQ(ComboCellText(row, 3, kComboColumnPad), "");
  row.side = kComboSideRight;
  row.player = 2;
  row.key = "4";
  row.pad = "1_BUTTON3";
  EXPECT_EQ(ComboCellText(row, 3, kComboColumnSequence), "QCF (D, DL, L) + HP");
  EXPECT_EQ(ComboCellText(row, 3, kComboColumnPlayer), "Player 2");
  EXPECT_EQ(ComboCellText(row, 3, kComboColumnSide), "Right");
  EXPECT_EQ(ComboCellText(row, 3, kComboColumnKeyboard), "4");
  EXPECT_EQ(ComboCellText(row, 3, kComboColumnPad).rfind("Pad 1 ", 0), 0u);
  EXPECT_EQ(ComboCellText(row, 3, kComboColumnType), "Special");

  const ComboMove& hadou = FindMoveList("Ryu")->moves[3];
  EXPECT_EQ(MoveEntryText(hadou, kComboSideLeft), "[Special] Hadou Ken (Surge Fist)   (QCF (D, DR, R) + HP)");
  EXPECT_EQ(MoveEntryText(hadou, kComboSideRight), "[Special] Hadou Ken (Surge Fist)   (QCF (D, DL, L) + HP)");
}

TEST(ComboRowEditing, PadTargetClearSlotAndTimeBoxes) {
  CombosState state;
  ResetCombos(state);
  EXPECT_EQ(PadTargetRow(state), 12);
  for (ComboRow& row : state.rows) row.seq = "HP";
  EXPECT_EQ(PadTargetRow(state), 0);

  ComboRow& row = state.rows[2];
  row.player = 2;
  row.side = 1;
  row.pad = "1_BUTTON1";
  ClearComboRow(row);
  EXPECT_TRUE(row.name.empty() && row.kind.empty() && row.seq.empty() && row.key.empty() && row.pad.empty());
  EXPECT_EQ(row.player, 1);
  EXPECT_EQ(row.side, 0);

  EXPECT_EQ(TimeBoxValue(""), 0);
  EXPECT_EQ(TimeBoxValue(" 45 "), 45);
  EXPECT_EQ(TimeBoxValue("4x"), 0);
}

TEST(CombosTabTexts, LegendAndHelp) {
  const auto& rows = ComboLegendRows();
  ASSERT_EQ(rows.size(), 49u);
  int titles = 0;
  for (const auto& row : rows) titles += row.second.empty();
  EXPECT_EQ(titles, 5);  // directions, buttons, motion pieces, motions, signs
  EXPECT_EQ(rows.front().first, "DIRECTIONS");
  EXPECT_EQ(rows.back().first, "Hold L");
  std::string help = HowCombosWorkText();
  EXPECT_EQ(help.rfind("HOW COMBOS WORK\nGive a row", 0), 0u);
  EXPECT_NE(help.find("\n\nCHARGE MOVES"), std::string::npos);
  EXPECT_EQ(std::count(help.begin(), help.end(), '\n'), 17);
}

}  // namespace
