#include "combos/combos_editor.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "combos/combo_sequence.h"
#include "combos/combos_tab_texts.h"

namespace {

std::vector<ComboStep> Steps(const std::string& seq, int side) { return CompileComboSequence(seq, side, 600); }

TEST(TypedSequence, WordsConvertNumbersAndUnknownTextStayAsTypedAndSpacedPlusJoinsButtons) {
  ComboRow row;
  row.name = "Ryu: Hadou Ken (Surge Fist)";
  row.key = "4";
  EXPECT_FALSE(ApplyTypedSequence(row, "qcf + hp"));
  EXPECT_EQ(row.seq + "|" + row.name + "|" + row.kind + "|" + row.key, "236+HP|Custom|Custom|4");
  for (const char* typed : {"236+HP", "whatever I like (x)", ""}) {
    ApplyTypedSequence(row, typed);
    EXPECT_EQ(row.seq, typed);
  }
  row.side = kComboSideRight;
  ApplyTypedSequence(row, "Right");
  EXPECT_EQ(row.seq, "4");

  // Next to digits a spaced "+" keeps its number-notation meaning (two steps); control characters are spaces.
  for (auto [typed, stored] : {std::pair{"LP + LK", "LP+LK"}, {"236+LP  +LK", "236+LP+LK"}, {"6 + HP", "6 + HP"},
                               {"LP + + LK", "LP + + LK"}, {"qcf\t+\r\nhp", "236+HP"}, {"HP\tHP\x01", "HP HP "}})
    EXPECT_EQ(SequenceFromTyped(typed, 0), stored) << typed;
  EXPECT_EQ(Steps(SequenceFromTyped("LP + LK, HP", 0), 0),
            (std::vector<ComboStep>{{kComboButton1 | kComboButton1 << 3, 0}, {kComboButton1 << 2, 0}}));
  EXPECT_EQ(SpacesForControlCharacters("a\tb\x7f\xc3\xa9"), "a b \xc3\xa9");

  std::string many;
  for (int i = 0; i < 40; ++i) many += "qcf + hp, ";  // 400 characters
  bool cut = false;
  std::string stored = SequenceFromTyped(many, 0, &cut);
  EXPECT_TRUE(cut && stored.size() <= 159 && stored.back() == 'P') << stored;
  for (size_t at = 0; at < stored.size(); at += 7) EXPECT_EQ(stored.substr(at, 6), "236+HP");
  EXPECT_EQ(SequenceFromTyped(std::string(300, 'x'), 0, &cut), std::string(159, 'x'));
  EXPECT_TRUE(cut);
  SequenceFromTyped("HP", 0, &cut);
  EXPECT_FALSE(cut);
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
  EXPECT_EQ(row.name + "|" + row.kind + "|" + row.seq + "|" + row.key + "|" + std::to_string(row.side),
            "Guile: Sonic Boom|Special|1*C 6+HP|5|1");
  EXPECT_EQ(HintLine(guile->moves[sonic].hint), "CHARGE B,F + P");

  RowMove found = FindRowMove("GUILE: Sonic Boom"), lower = FindRowMove("Guile: sonic boom");  // the move must match
  EXPECT_TRUE(found.list == guile && found.move == sonic && lower.list == guile && lower.move == -1);
  EXPECT_EQ(FindRowMove("Generic Moves: Fireball (QCF + HP)").move, 4);
  RowMove chun = FindRowMove("Chun-Li: Kikou Shou: Goku (Ultimate Chi Palm)");  // ": " inside the move name
  ASSERT_TRUE(chun.list && chun.move >= 0);
  EXPECT_STREQ(chun.list->moves[chun.move].name, "Kikou Shou: Goku (Ultimate Chi Palm)");
  EXPECT_TRUE(FindRowMove("Custom").list == nullptr && FindRowMove("Nobody: Sonic Boom").list == nullptr);
}

TEST(ComboRowEditing, CellMoveBoxAndTimeBoxTextsPadTargetAndClear) {
  ComboRow row;
  row.name = "Ryu: Hadou Ken (Surge Fist)";
  row.kind = "Special";
  row.seq = "236+HP";
  auto cells = [&] {
    std::string out;
    for (int column : {kComboColumnNumber, kComboColumnSequence, kComboColumnPlayer, kComboColumnSide,
                       kComboColumnKeyboard, kComboColumnPad, kComboColumnType})
      out += ComboCellText(row, 3, column) + "|";
    return out;
  };
  EXPECT_EQ(cells(), "4|QCF (D, DR, R) + HP|Player 1|Left|||Special|");
  row.side = kComboSideRight, row.player = 2, row.key = "4", row.pad = "1_BUTTON3";
  EXPECT_EQ(cells(), "4|QCF (D, DL, L) + HP|Player 2|Right|4|Pad 1 X|Special|");
  const ComboMove& hadou = FindMoveList("Ryu")->moves[3];
  EXPECT_EQ(MoveEntryText(hadou, kComboSideLeft), "[Special] Hadou Ken (Surge Fist)   (QCF (D, DR, R) + HP)");
  EXPECT_EQ(MoveEntryText(hadou, kComboSideRight), "[Special] Hadou Ken (Surge Fist)   (QCF (D, DL, L) + HP)");
  for (auto [text, value] : {std::pair{"", 0}, {" 45 ", 45}, {"4x", 0}}) EXPECT_EQ(TimeBoxValue(text), value) << text;

  CombosState state;
  ResetCombos(state);
  EXPECT_EQ(PadTargetRow(state), 12);
  for (ComboRow& r : state.rows) r.seq = "HP";
  EXPECT_EQ(PadTargetRow(state), 0);
  ClearComboRow(row);
  EXPECT_EQ(cells(), "4||Player 1|Left||||");
}

TEST(CombosTabTexts, LegendAndHelp) {
  const auto& rows = ComboLegendRows();
  ASSERT_EQ(rows.size(), 49u);
  EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const auto& r) { return r.second.empty(); }), 5);  // titles
  EXPECT_TRUE(rows.front().first == "DIRECTIONS" && rows.back().first == "Hold L");
  std::string help = HowCombosWorkText();
  EXPECT_TRUE(help.rfind("HOW COMBOS WORK\nGive a row", 0) == 0 && help.find("\n\nCHARGE MOVES") != std::string::npos);
  EXPECT_EQ(std::count(help.begin(), help.end(), '\n'), 17);
}

}  // namespace
