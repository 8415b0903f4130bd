#include "catalogue/classify.h"

#include <gtest/gtest.h>

// The first key of its table found in the text wins; only the first 119
// characters of a maker and 299 of a title are searched; a region is the
// first known word in brackets.
TEST(Classify, MakerGenreAndRegionOfTexts) {
  using Fn = const char* (*)(std::string_view);
  const Fn M = MakerOf, G = GenreOf, R = RegionOf;
  const struct { Fn fn; std::string text; const char* expected; } cases[] = {
      {M, "Eighting / Raizing / Namco", "Namco"}, {M, "McO'River, Inc.", "Video System"}, {M, "Mitchell", "Other"},
      {M, std::string(118, ' ') + "SNK", "Other"}, {M, std::string(116, ' ') + "SNK", "SNK"},
      {G, "Derby Quiz My Dream Horse (Japan, MDH1/VER.A2)", "Racing"}, {G, "Tekken 3 (World)", "Fighting"},
      {G, "Beatmania IIDX DJ Troopers", "Music"}, {G, "Beat DJ", "Other"},
      {G, std::string(296, ' ') + "golf", "Other"}, {G, std::string(295, ' ') + "golf", "Sports"},
      {R, "Tekken 3 (World, TET2/VER.E1)", "WORLD"}, {R, "Battle Arena Toshinden 2 (USA 951124)", "US"},
      {R, "Dance Dance Revolution 5th Mix (G*A27 VER. JAA)", "Other"}, {R, "Gallop Racer (Japanese Ver 9)", "JP"},
      {R, "Game (Japan / Asia)", "JP"}, {R, "Game (ver 1) (Asia)", "ASIA"}, {R, "Japan Game (v1) Asia", "Other"},
      {R, "Game (Europe", "EUROPE"}, {R, "Game (japanxxxxxxxxxxxxxxxx)", "Other"}, {R, "(", "Other"},
  };
  for (const auto& c : cases) EXPECT_STREQ(c.fn(c.text), c.expected) << c.text;
}
