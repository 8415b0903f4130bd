#include "combos/sequence_pad.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <tuple>

#include "combos/pad_pictures.h"

namespace {

// Presses pad buttons one after another with the caret where the last press left it.
PadEdit Press(PadEdit edit, std::initializer_list<const char*> tokens) {
  for (const char* token : tokens) {
    edit = std::string(token) == "Del" ? PadDelete(edit.text, edit.caret, edit.caret)
                                       : PadInsert(edit.text, edit.caret, edit.caret, token);
  }
  return edit;
}

TEST(SequencePad, PressesInARowSignsRefusedAtTheStartOrAfterASignAndDelTakesTheLastPiece) {
  struct Case {
    std::string text;  // the caret at its end
    std::initializer_list<const char*> presses;
    std::string expected;
  } cases[] = {
      {"", {"LP", "+", "LK"}, "LP + LK"}, {"", {"QCF", "HP"}, "QCF + HP"}, {"", {"HP", "HP"}, "HP, HP"},
      {"", {"Hold", "L"}, "Hold L"}, {"", {"~", "HP"}, "~, HP"}, {"", {"Hold", "DL", ",", "R", "HP"}, "Hold DL, R + HP"},
      {"", {"D", "DR", "R", "HP"}, "D, DR, R + HP"}, {"", {"+"}, ""}, {"", {","}, ""}, {"", {"HP", "+", ","}, "HP +"},
      {"", {"HP", ",", "+"}, "HP,"},
      // What follows a closing parenthesis or a long word.
      {"QCF (D, DR, R)", {"HP"}, "QCF (D, DR, R) + HP"}, {"QCF (D, DR, R)", {"L"}, "QCF (D, DR, R), L"},
      {"hold", {"R"}, "hold R"}, {std::string(23, 'x'), {"HP"}, std::string(23, 'x') + " + HP"},
      {std::string(24, 'x'), {"HP"}, std::string(24, 'x') + ", HP"},
      // Del; a dangling sign goes with the piece in front of it; unbalanced parentheses still lose something.
      {"QCF (D, DR, R) + HP", {"Del"}, "QCF (D, DR, R)"}, {"QCF (D, DR, R) + HP", {"Del", "Del"}, ""},
      {"Hold L", {"Del"}, "Hold"}, {"Hold L", {"Del", "Del"}, ""},
      {"Hold DL (charge), R + HP", {"Del", "Del"}, "Hold DL (charge)"}, {"+", {"Del"}, ""},
      {"QCF + HP,  ", {"Del"}, "QCF"}, {"~, HP", {"Del"}, "~"}, {"D, R)", {"Del"}, "D"}, {"QCF (", {"Del"}, "QCF"},
      {"(", {"Del"}, ""}, {"QCF ((D, R), DR)", {"Del"}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Press(PadEdit{c.text, c.text.size()}, c.presses).text, c.expected) << c.text;
  EXPECT_EQ(Press(PadEdit{}, {"START"}).caret, 5u);
  EXPECT_EQ(PadDelete("QCF (D, DR, R) + HP", 19, 19).caret, 14u);
}

TEST(SequencePad, InsertAndDelInsideTheTextWithOrWithoutASelection) {
  struct Case {
    const char* text;
    size_t from, to;
    const char* token;  // nullptr: Del
    const char* expected;
    size_t caret;  // npos: not checked
  } cases[] = {
      {"HP +  ", 6, 6, "+", "HP +  ", 6},  // refused: nothing changes
      {"QCF, HP", 3, 3, "LP", "QCF + LP, HP", 8}, {"R + HP", 0, 0, "Hold", "Hold R + HP", std::string::npos},
      {"QCF HP", 3, 3, "+", "QCF + HP", std::string::npos}, {"QCF + HP", 6, 8, "HK", "QCF + HK", std::string::npos},
      {"QCF (D, DR, R) + HP", 5, 17, "LK", "QCF ( + LK, HP", 10}, {"QCF + HP", 1, 1, "HP", "Q + HP, CF + HP", 6},
      {"HP", 90, 50, "HK", "HP, HK", std::string::npos},  // offsets beyond the text are its end
      {"QCF + HP, HK", 8, 8, nullptr, "QCF, HK", 3}, {"QCF, HP + HK", 7, 7, nullptr, "QCF + HK", std::string::npos},
      {"QCF, HP HK", 7, 7, nullptr, "QCF, HK", std::string::npos}, {"HP, HK", 2, 2, nullptr, "HK", 0},
      {"HP + HK", 2, 2, nullptr, "HK", std::string::npos}, {"  HP", 1, 1, nullptr, "  HP", std::string::npos},
      {"LP + LK", 5, 7, nullptr, "LP", 2}, {"LP + LK, HP", 0, 7, nullptr, "HP", std::string::npos},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " / " + (c.token ? c.token : "Del"));
    PadEdit edit = c.token ? PadInsert(c.text, c.from, c.to, c.token) : PadDelete(c.text, c.from, c.to);
    EXPECT_EQ(edit.text, c.expected);
    EXPECT_EQ(c.caret == std::string::npos ? c.caret : edit.caret, c.caret);
  }
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
  EXPECT_FALSE(taken[1][1] || taken[2][3] || taken[2][4] || taken[2][5]);
}



struct Centroid {
  double x = 0, y = 0;  // where the ink of a mask lies, relative to its middle (-0.5 .. 0.5)
  long ink = 0;
};
Centroid InkCentre(const std::vector<uint8_t>& mask, int size) {
  Centroid c;
  for (int i = 0; i < size * size; ++i)
    c.x += mask[i] * (i % size + 0.5), c.y += mask[i] * (i / size + 0.5), c.ink += mask[i];
  if (c.ink) c.x = c.x / c.ink / size - 0.5, c.y = c.y / c.ink / size - 0.5;
  return c;
}

TEST(PadPictures, EightArrowsAndSixMotionsPointTheirWayTheRestIsText) {
  int pictures = 0;
  for (const PadButton& b : SequencePadButtons())
    for (int size : {24, 36}) pictures += PadPictureMask(b.token, size).size() == static_cast<size_t>(size * size);
  EXPECT_EQ(pictures, 2 * 14);
  EXPECT_TRUE(PadPictureMask("HP", 24).empty() && PadPictureMask("U", 0).empty());
  // The head carries more ink than the tail; a straight arrow is centred across.
  for (auto [token, dx, dy] : std::initializer_list<std::tuple<const char*, int, int>>{
           {"U", 0, -1}, {"D", 0, 1}, {"L", -1, 0}, {"R", 1, 0}, {"UL", -1, -1}, {"UR", 1, -1}, {"DL", -1, 1},
           {"DR", 1, 1}}) {
    Centroid c = InkCentre(PadPictureMask(token, 48), 48);
    EXPECT_TRUE(dx ? c.x * dx > 0.02 : std::abs(c.x) < 0.02) << token;
    EXPECT_TRUE(dy ? c.y * dy > 0.02 : std::abs(c.y) < 0.02) << token;
  }
  // Forward and back motions are mirror images.
  for (auto [forward, back] : {std::pair{"QCF", "QCB"}, {"HCF", "HCB"}, {"FCF", "FCB"}}) {
    Centroid f = InkCentre(PadPictureMask(forward, 48), 48), b = InkCentre(PadPictureMask(back, 48), 48);
    EXPECT_NEAR(f.x, -b.x, 0.02) << forward;
    EXPECT_NEAR(f.y, b.y, 0.02) << forward;
    EXPECT_NEAR(static_cast<double>(f.ink) / b.ink, 1.0, 0.05) << forward;
  }
}

}  // namespace
