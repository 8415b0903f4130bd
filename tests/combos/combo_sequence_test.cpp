// Combo sequences: compiling, readable and word forms, typed text, the tab's texts, the sequence pad and its pictures.
#include "combos/combo_sequence.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "combos/combos_editor.h"
#include "combos/move_lists.h"
#include "combos/pad_pictures.h"
#include "combos/sequence_pad.h"
#include "support/test_support.h"

namespace {

// The compiled steps as "mask/ms" words, for compact tables.
std::string Compiled(const std::string& seq, int side = kComboSideLeft, int32_t charge = 600) {
  std::string out;
  for (const ComboStep& s : CompileComboSequence(seq, side, charge))
    out += (out.empty() ? "" : " ") + std::to_string(s.mask) + "/" + std::to_string(s.duration);
  return out;
}

TEST(CompileComboSequence, MotionsHoldsSidesReleasesAndWhatItCannotRead) {
  struct Case { std::string seq; const char* steps; int side = 0; int32_t charge = 600; } cases[] = {
      {"236+HP", "2/0 10/0 72/0"}, {"236HP", "2/0 10/0 72/0"}, {"236+HP", "2/0 6/0 68/0", 1},
      {"4*C 1*c 6+HP", "4/1200 6/1200 72/0", 0, 1200}, {"5*200", "0/200"}, {"4*", "4/0"}, {"~ ~", "0/0 0/0"},
      {"4*99999999999999999999999", "4/5000"}, {"LP+LK,START", "144/0 1024/0"}, {"bn6+b1+St", "1552/0"},
      // A button pressed in two steps in a row is let go in between.
      {"6+HP 3+HP", "72/0 0/0 74/0"}, {"6 3", "8/0 10/0"}, {"HP LP", "64/0 16/0"},
      // What cannot be read is passed over; a non-ASCII byte ends the run.
      {"0", ""}, {"+", ""}, {"HPX HEAVYPUNCH ?! \xC3\xA9", ""}, {"6 + HP", "8/0 64/0"}, {"2\xC3\xA9" "3", "2/0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Compiled(c.seq, c.side, c.charge), c.steps) << c.seq;
  std::vector<ComboStep> steps = CompileComboSequence(std::string(41, '2') + "+HP", 0, 600);
  EXPECT_TRUE(steps.size() == 40 && (steps.back() == ComboStep{66, 0}));  // the 41st digit is no direction, the buttons count
  for (const char* yes : {"LP", "hk", "Start", "ST", "BN1", "bn6"}) EXPECT_TRUE(IsComboButtonName(yes)) << yes;
  for (const char* no : {"B1", "BN7", "BX1", "HPX", "", "~", "QCF"}) EXPECT_FALSE(IsComboButtonName(no)) << no;
}

TEST(FormatComboSequence, ReadableFormsAndWhatDoesNotValidateAsStored) {
  struct Case { const char* seq; const char* shown; int side = 0; size_t room = 400; } cases[] = {
      {"4*800", "Hold L (800 ms)"}, {"23*100", "D, Hold DR (100 ms)"}, {"~ b3+st+BN2", "~, HP + START + BN2"},
      {"236+HP", "QCF (D,", 0, 8}, {"236+HPX", "236", 0, 4},  // a motion, a charge, both sides: the row cells' test
  };
  for (const Case& c : cases) EXPECT_EQ(FormatComboSequence(c.seq, c.side, c.room), c.shown) << c.seq;
  for (const char* bad : {"236+HPX", "6 + HP", "0", "*C", "4*", "236+", "HEAVYPUNCH"})
    EXPECT_EQ(FormatComboSequence(bad, 0, 400), bad);
}

TEST(ConvertWordNotation, WordsAndShortNamesConvertNumberNotationAndUnknownWordsDoNot) {
  struct Case { const char* text; const char* stored; int side = 0; } cases[] = {
      {"Down, Down-Right, Right + Heavy Punch", "2 3 6+HP"}, {"QCF + HP", "236+HP"}, {"QCF", "2 3 6"},
      {"Hold Left (800 ms) then Right + HP", "4*800 6+HP"}, {"forward, down, down-forward + lp", "6 2 3+LP"},
      {"Right + HP", "4+HP", 1}, {"forward", "6", 1}, {"down, pause, heavy_kick", "2 ~ HK"},
      {"DP + start + BN3", "623+ST+BN3"}, {"full-circle + lp + mp + hp", "632147+LP+MP+HP"},
      {"down (crouch) , up", "2 8"}, {"down, up (and then", "2 8"}, {"fdp + hp, bdp + lk", "623+HP 421+LK"},
  };
  std::string out;
  for (const Case& c : cases)
    EXPECT_TRUE(ConvertWordNotation(c.text, c.side, out) && out == c.stored) << c.text << " gives " << out;
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

// Every built-in move plays, and what the tab shows for it, typed back or touched by the pad, plays the same steps.
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

TEST(TypedSequence, WordsConvertNumbersAndUnknownTextStayAsTypedAndSpacedPlusJoinsButtons) {
  ComboRow row{"Ryu: Hadou Ken (Surge Fist)", "", "", 1, kComboSideRight, "4", ""};  // words are read for the row's side
  EXPECT_FALSE(ApplyTypedSequence(row, "right + hp"));
  EXPECT_EQ(row.seq + "|" + row.name + "|" + row.kind + "|" + row.key, "4+HP|Custom|Custom|4");

  // Next to digits a spaced "+" keeps its number-notation meaning (two steps); control characters are spaces.
  for (auto [typed, stored] : {std::pair{"LP + LK", "LP+LK"}, {"236+LP  +LK", "236+LP+LK"}, {"LP+ LK", "LP+LK"},
                               {"6 + HP", "6 + HP"}, {"LP + + LK", "LP + + LK"}, {"qcf\t+\r\nhp", "236+HP"},
                               {"HP\tHP\x01", "HP HP "}})
    EXPECT_EQ(SequenceFromTyped(typed, 0), stored) << typed;
  EXPECT_EQ(SpacesForControlCharacters("a\tb\x7f\xc3\xa9"), "a b \xc3\xa9");

  std::string many;
  for (int i = 0; i < 40; ++i) many += "qcf + hp, ";  // 400 characters
  bool cut = false;
  std::string stored = SequenceFromTyped(many, 0, &cut);
  EXPECT_TRUE(cut && stored.size() <= 159 && stored.back() == 'P') << stored;
  for (size_t at = 0; at < stored.size(); at += 7) EXPECT_EQ(stored.substr(at, 6), "236+HP");
  EXPECT_TRUE(SequenceFromTyped(std::string(300, 'x'), 0, &cut) == std::string(159, 'x') && cut);
  EXPECT_TRUE(SequenceFromTyped("HP", 0, &cut) == "HP" && !cut);
}

TEST(ComboRowEditing, MovesAndTheirRowsFindEachOtherCellAndTimeBoxTextsAndThePadsTargetRow) {
  RowMove found = FindRowMove("GUILE: Sonic Boom"), lower = FindRowMove("Guile: sonic boom");  // the move must match
  ASSERT_TRUE(found.list == FindMoveList("Guile") && found.move >= 0 && lower.list == found.list && lower.move == -1);
  EXPECT_STREQ(found.list->moves[found.move].name, "Sonic Boom");
  EXPECT_EQ(FindRowMove("Generic Moves: Fireball (QCF + HP)").move, 4);
  RowMove chun = FindRowMove("Chun-Li: Kikou Shou: Goku (Ultimate Chi Palm)");  // ": " inside the move name
  ASSERT_TRUE(chun.list && chun.move >= 0);
  EXPECT_STREQ(chun.list->moves[chun.move].name, "Kikou Shou: Goku (Ultimate Chi Palm)");
  EXPECT_TRUE(FindRowMove("Custom").list == nullptr && FindRowMove("Nobody: Sonic Boom").list == nullptr);

  ComboRow row{"Ryu: Hadou Ken (Surge Fist)", "Special", "236+HP", 1, kComboSideLeft, "", ""};
  auto cells = [&] {
    std::string out;
    for (int column : {kComboColumnNumber, kComboColumnName, kComboColumnSequence, kComboColumnPlayer, kComboColumnSide,
                       kComboColumnKeyboard, kComboColumnPad, kComboColumnType})
      out += ComboCellText(row, 3, column) + "|";
    return out;
  };
  EXPECT_EQ(cells(), "4|Ryu: Hadou Ken (Surge Fist)|QCF (D, DR, R) + HP|Player 1|Left|||Special|");
  row.side = kComboSideRight, row.player = 2, row.key = "4", row.pad = "1_BUTTON3";
  EXPECT_EQ(cells(), "4|Ryu: Hadou Ken (Surge Fist)|QCF (D, DL, L) + HP|Player 2|Right|4|Pad 1 X|Special|");
  const ComboMove& boom = found.list->moves[found.move];  // chosen in the Move box: the triggers, player and side stay
  ApplyMoveToRow(row, *found.list, boom);
  EXPECT_EQ(cells(), "4|Guile: Sonic Boom|Hold DR (charge), L + HP|Player 2|Right|4|Pad 1 X|Special|");
  ClearComboRow(row);
  EXPECT_EQ(cells(), "4|||Player 1|Left||||");
  for (auto [text, value] : {std::pair{"", 0}, {" 45 ", 45}, {"4x", 0}}) EXPECT_EQ(TimeBoxValue(text), value) << text;

  CombosState state;  // the first empty row is the Combos tab's test; with none, the first row
  for (ComboRow& r : state.rows) r.seq = "HP";
  EXPECT_EQ(PadTargetRow(state), 0);
}

TEST(SequencePad, PressesSignsRefusedAfterASignDelTakesTheLastPieceAndEditsInsideTheTextOrASelection) {
  constexpr size_t kEnd = std::string::npos;  // as from and to: the text's end; as the caret: not checked
  struct Case { std::string text; std::initializer_list<const char*> presses; std::string expected;
                size_t from = kEnd, to = kEnd, caret = kEnd; } cases[] = {
      {"", {"LP", "+", "LK"}, "LP + LK"}, {"", {"QCF", "HP"}, "QCF + HP"}, {"", {"HP", "HP"}, "HP, HP"},
      {"", {"~", "HP"}, "~, HP"}, {"", {"Hold", "DL", ",", "R", "HP"}, "Hold DL, R + HP"}, {"", {"+"}, ""},
      {"", {"HP", "+", ","}, "HP +"}, {"", {"HP", ",", "+"}, "HP,"}, {"", {"START"}, "START", kEnd, kEnd, 5},
      // What follows a closing parenthesis or a long word.
      {"QCF (D, DR, R)", {"HP"}, "QCF (D, DR, R) + HP"}, {"QCF (D, DR, R)", {"L"}, "QCF (D, DR, R), L"},
      {"hold", {"R"}, "hold R"}, {std::string(23, 'x'), {"HP"}, std::string(23, 'x') + " + HP"},
      {std::string(24, 'x'), {"HP"}, std::string(24, 'x') + ", HP"},
      // Del; a dangling sign goes with the piece in front of it; unbalanced parentheses still lose something.
      {"QCF (D, DR, R) + HP", {"Del", "Del"}, ""}, {"QCF (D, DR, R) + HP", {"Del"}, "QCF (D, DR, R)", kEnd, kEnd, 14},
      {"Hold DL (charge), R + HP", {"Del", "Del"}, "Hold DL (charge)"}, {"+", {"Del"}, ""}, {"QCF + HP,  ", {"Del"}, "QCF"},
      {"D, R)", {"Del"}, "D"}, {"QCF (", {"Del"}, "QCF"}, {"(", {"Del"}, ""}, {"QCF ((D, R), DR)", {"Del"}, ""},
      {"QCF (D", {"Del"}, "QCF ("},
      // Inside the text, with or without a selection; offsets beyond the text are its end.
      {"HP +  ", {"+"}, "HP +  ", 6, 6, 6}, {"QCF, HP", {"LP"}, "QCF + LP, HP", 3, 3, 8},
      {"R + HP", {"Hold"}, "Hold R + HP", 0, 0}, {"QCF HP", {"+"}, "QCF + HP", 3, 3}, {"QCF + HP", {"HK"}, "QCF + HK", 6, 8},
      {"QCF (D, DR, R) + HP", {"LK"}, "QCF ( + LK, HP", 5, 17, 10}, {"QCF + HP", {"HP"}, "Q + HP, CF + HP", 1, 1, 6},
      {"HP", {"HK"}, "HP, HK", 90, 50}, {"QCF + HP, HK", {"Del"}, "QCF, HK", 8, 8, 3},
      {"QCF, HP + HK", {"Del"}, "QCF + HK", 7, 7}, {"QCF, HP HK", {"Del"}, "QCF, HK", 7, 7}, {"HP, HK", {"Del"}, "HK", 2, 2, 0},
      {"  HP", {"Del"}, "  HP", 1, 1}, {"LP + LK", {"Del"}, "LP", 5, 7, 2}, {"LP + LK, HP", {"Del"}, "HP", 0, 7},
      {"LP + LK", {"Del"}, "LP", 5, 90},
  };
  for (const Case& c : cases) {
    // Pad buttons pressed one after another: the first on from..to, the rest at the caret.
    size_t from = c.from == kEnd ? c.text.size() : c.from, to = c.from == kEnd ? c.text.size() : c.to;
    PadEdit edit{c.text, 0};
    for (const char* token : c.presses) {
      edit = std::string(token) == "Del" ? PadDelete(edit.text, from, to) : PadInsert(edit.text, from, to, token);
      from = to = edit.caret;
    }
    EXPECT_TRUE(edit.text == c.expected && (c.caret == kEnd || edit.caret == c.caret))
        << c.text << " gives " << edit.text << " caret " << edit.caret;
  }
}

TEST(SequencePad, ButtonsOnTheirPlacesAndThePicturesAsLastLookedAtTheRestIsText) {
  auto buttons = SequencePadButtons();
  ASSERT_EQ(buttons.size(), 26u);
  std::string token_at[kPadRows][kPadPlaces];
  std::string digests, art;
  for (const PadButton& b : buttons) {
    ASSERT_TRUE(b.row >= 0 && b.row < kPadRows && b.place >= 0 && b.place < kPadPlaces) << b.token;
    EXPECT_EQ(std::exchange(token_at[b.row][b.place], b.token), "") << b.token;
    std::vector<uint8_t> mask = PadPictureMask(b.token, 24);
    if (!mask.empty()) digests += MaskDigestLine(b.token, 24, mask), art += MaskArt(mask, 24);
  }
  EXPECT_TRUE(PadPictureMask("HP", 24).empty() && PadPictureMask("U", 0).empty());
  // The eight directions lie around an empty middle, as on a stick.
  std::string stick;
  for (int i = 0; i < 9; ++i) stick += (token_at[i / 3][i % 3].empty() ? "-" : token_at[i / 3][i % 3]) + " ";
  EXPECT_EQ(stick, "UL U UR L - R DL D DR ");
  // Every picture as it was last looked at (tests/fixtures/pad-pictures.txt): a motion's arc, start and arrow.
  EXPECT_EQ(RecordedMasks("pad-pictures.txt", digests), digests) << art;
}

}  // namespace
