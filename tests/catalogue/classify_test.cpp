#include "catalogue/classify.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// The first key of its table found in the text wins; only the first 119
// characters of a maker and 299 of a title are searched; a region is the
// first known word in brackets.
TEST(Classify, MakerGenreAndRegionOfTexts) {
  using Fn = const char* (*)(std::string_view);
  const Fn M = MakerOf, G = GenreOf, R = RegionOf;
  const struct {
    Fn fn;
    std::string text;
    const char* expected;
  } cases[] = {
      {M, "Capcom / Takara", "Capcom"},
      {M, "Gaps Inc.", "Gaps"},
      {M, "Eighting / Raizing / Namco", "Namco"},  // namco comes before eighting
      {M, "McO'River, Inc.", "Video System"},
      {M, "Mitchell", "Other"},
      {M, "", "Other"},
      {M, std::string(118, ' ') + "SNK", "Other"},
      {M, std::string(116, ' ') + "SNK", "SNK"},
      {G, "Derby Quiz My Dream Horse (Japan, MDH1/VER.A2)", "Racing"},
      {G, "Tekken 3 (World, TET2/VER.E1)", "Fighting"},
      {G, "Beatmania IIDX DJ Troopers", "Music"},
      {G, "Beat DJ", "Other"},  // "dj " needs its trailing space
      {G, "Mahjong Oh (V2.06J 2001/08/23 17:00)", "Mahjong"},
      {G, "", "Other"},
      {G, std::string(296, ' ') + "golf", "Other"},
      {G, std::string(295, ' ') + "golf", "Sports"},
      {R, "Tekken 3 (World, TET2/VER.E1)", "WORLD"},
      {R, "Battle Arena Toshinden 2 (USA 951124)", "US"},
      {R, "Dance Dance Revolution 5th Mix (G*A27 VER. JAA)", "Other"},
      {R, "Gallop Racer (Japanese Ver 9.01.12)", "JP"},
      {R, "Game (Japan / Asia)", "JP"},
      {R, "Game (ver 1) (Asia)", "ASIA"},    // later groups are read too
      {R, "Japan Game (v1) Asia", "Other"},  // words outside brackets do not count
      {R, "Game (Europe", "EUROPE"},         // an unclosed group still names it
      {R, "Game (japanxxxxxxxxxxxxxxxx)", "Other"},
      {R, "No brackets", "Other"},
      {R, "(", "Other"},
      {R, "", "Other"},
  };
  for (const auto& c : cases) EXPECT_STREQ(c.fn(c.text), c.expected) << c.text;
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
  EXPECT_TRUE(makers.count("Other") && makers.count("Konami"));
  EXPECT_LE(makers.size(), 26u);
}

}  // namespace
