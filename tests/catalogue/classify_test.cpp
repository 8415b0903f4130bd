#include "catalogue/classify.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(Classify, MakerTakesTheFirstKeyOfTheTable) {
  EXPECT_STREQ(MakerOf("Capcom / Takara"), "Capcom");
  EXPECT_STREQ(MakerOf("Gaps Inc."), "Gaps");
  EXPECT_STREQ(MakerOf("Eighting / Raizing / Namco"), "Namco");  // namco comes before eighting
  EXPECT_STREQ(MakerOf("McO'River, Inc."), "Video System");
  EXPECT_STREQ(MakerOf("Mitchell"), "Other");
  EXPECT_STREQ(MakerOf("Amuse World"), "Other");
  EXPECT_STREQ(MakerOf("bootleg (Arcade MOD BIOS)"), "Other");
  EXPECT_STREQ(MakerOf(""), "Other");
  // Only the first 119 characters are searched.
  EXPECT_STREQ(MakerOf(std::string(118, ' ') + "SNK"), "Other");
  EXPECT_STREQ(MakerOf(std::string(116, ' ') + "SNK"), "SNK");
}

TEST(Classify, GenreTakesTheFirstKeyOfTheTable) {
  EXPECT_STREQ(GenreOf("Derby Quiz My Dream Horse (Japan, MDH1/VER.A2)"), "Racing");
  EXPECT_STREQ(GenreOf("Tekken 3 (World, TET2/VER.E1)"), "Fighting");
  EXPECT_STREQ(GenreOf("Beatmania IIDX DJ Troopers"), "Music");
  EXPECT_STREQ(GenreOf("Beat DJ"), "Other");  // "dj " needs its trailing space
  EXPECT_STREQ(GenreOf("Mahjong Oh (V2.06J 2001/08/23 17:00)"), "Mahjong");
  EXPECT_STREQ(GenreOf("Heaven's Gate"), "Other");
  EXPECT_STREQ(GenreOf(""), "Other");
  EXPECT_STREQ(GenreOf(std::string(296, ' ') + "golf"), "Other");
  EXPECT_STREQ(GenreOf(std::string(295, ' ') + "golf"), "Sports");
}

TEST(Classify, RegionIsTheFirstKnownWordInBrackets) {
  EXPECT_STREQ(RegionOf("Tekken 3 (World, TET2/VER.E1)"), "WORLD");
  EXPECT_STREQ(RegionOf("Battle Arena Toshinden 2 (USA 951124)"), "US");
  EXPECT_STREQ(RegionOf("Dance Dance Revolution 5th Mix (G*A27 VER. JAA)"), "Other");
  EXPECT_STREQ(RegionOf("Gallop Racer (Japanese Ver 9.01.12)"), "JP");
  EXPECT_STREQ(RegionOf("Game (Japan / Asia)"), "JP");
  EXPECT_STREQ(RegionOf("Game (ver 1) (Asia)"), "ASIA");        // later groups are read too
  EXPECT_STREQ(RegionOf("Japan Game (v1) Asia"), "Other");      // words outside brackets do not count
  EXPECT_STREQ(RegionOf("Game (Europe"), "EUROPE");             // an unclosed group still names it
  EXPECT_STREQ(RegionOf("Game (japanxxxxxxxxxxxxxxxx)"), "Other");
  EXPECT_STREQ(RegionOf("No brackets"), "Other");
  EXPECT_STREQ(RegionOf(""), "Other");
  EXPECT_STREQ(RegionOf("("), "Other");
}

TEST(Classify, EveryBuiltInGameGetsAValueOfItsTable) {
  GameList list = BuildGameList();
  std::set<std::string> regions, genres, makers;
  for (const GameEntry& e : list) {
    regions.insert(RegionOf(e.title));
    genres.insert(GenreOf(e.title));
    makers.insert(MakerOf(MakerTextOf(e)));
    EXPECT_FALSE(HardwareOf(e).empty()) << e.set;
  }
  EXPECT_EQ(regions, (std::set<std::string>{"ASIA", "EUROPE", "JP", "Other", "US", "WORLD"}));
  EXPECT_EQ(genres, (std::set<std::string>{"Action", "Fighting", "Mahjong", "Music", "Other", "Puzzle", "Quiz",
                                           "Racing", "Shooter", "Sports"}));
  // Makers the table does not name (Mitchell, bootlegs, ...) fall to Other.
  EXPECT_TRUE(makers.count("Other"));
  EXPECT_TRUE(makers.count("Konami"));
  EXPECT_LE(makers.size(), 26u);
}

}  // namespace
