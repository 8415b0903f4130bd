// The built-in game table: look-ups, info texts, short and shortcut titles, and what is read from titles.
#include "catalogue/game_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/text_case.h"
#include "catalogue/classify.h"

TEST(GameTable, LookUpsShortcutTitlesAndInfoTexts) {
  EXPECT_EQ(GameTableRowBySet("TEKKEN3")->number, 82);

  GameList list = BuildGameList();
  ASSERT_EQ(list.size(), static_cast<size_t>(kGameCount));
  EXPECT_EQ(list[1].set + "|" + list[1].parent + "|" + list[1].bios + "|" + std::string(BoardOf(list[1])) + "|" +
                std::string(MakerTextOf(list[1])) + "|" + std::to_string(YearOf(list[1])),
            "ts2u|ts2|coh1000c|Sony ZN-1 System|Capcom / Takara|1995");
  EXPECT_TRUE(FindGameBySet(list, "ts2U")->number == 2 && FindGameBySet(list, "ts2u.zip") == nullptr);
  EXPECT_EQ(FindGameByNumber(list, 462)->set, "tblkkuzug");
  EXPECT_TRUE(FindGameByNumber(list, 9999) == nullptr && FindGameIndexByNumber(list, -1) == -1);

  // A shortcut's name grows only as far as the table needs to tell games apart.
  auto name = [&](const char* set) { return ShortcutTitle(list, *FindGameBySet(list, set)); };
  EXPECT_EQ(name("ts2"), "Battle Arena Toshinden 2 (Europe)");  // unique
  EXPECT_EQ(name("gdarius2"), "G-Darius Ver.2 (Ver)");          // the version tells it from G-Darius
  EXPECT_EQ(name("gdarius"), "G-Darius (Ver 2.02O)");           // the version does not: the whole title
  std::set<std::string> names;  // no two games share a shortcut file; case does not make names differ
  for (const GameEntry& e : list) EXPECT_TRUE(names.insert(LowerCaseText(ShortcutTitle(list, e))).second) << e.set;

  auto info = [&](const char* set) { return FindGameBySet(list, set)->info + "|" + std::to_string(FindGameBySet(list, set)->flags); };
  EXPECT_EQ(info("ts2") + " " + info("ts2u") + " " + info("ddr5m") + " " + info("bam2a"),
            "|0 clone of ts2|0 not working in MAME|1 clone of bam2, not working in MAME|1");
  MarkNotInMame(list[0]), MarkNotInMame(list[0]), MarkNotInMame(list[1]);
  EXPECT_EQ(info("ts2") + " " + info("ts2u"), "not in this MAME|2 clone of ts2, not in this MAME|2");
  EXPECT_EQ(BoardOf(GameEntry{}).size() + MakerTextOf(GameEntry{}).size(), 0u);

}

// The first table key found wins, in a maker's first 119 and a title's first 299 characters; a region is in brackets.
TEST(TitleTexts, ShortTitlesMakerGenreAndRegion) {
  // A short title keeps the first bracketed word and loses a trailing version mark ("Ver.B", not "Version Plus").
  const struct { std::string title; bool keep_version; std::string expected; } titles[] = {
      {"Tekken 2 Ver.B (World, TES2/VER.D)", false, "Tekken 2 (World,)"},
      {"Tekken 2 Ver.B (World, TES2/VER.D)", true, "Tekken 2 Ver.B (World,)"},
      {"Gallop Racer (English Ver 10.17.K)", false, "Gallop Racer (English)"},
      {"Soul Edge Ver. II (US, SO3/VER.C)", false, "Soul Edge (US,)"},
      {"Tokimeki Memorial Seal Version Plus", false, "Tokimeki Memorial Seal Version Plus"},
      {"Some Game Version3", false, "Some Game"}, {"Some Game Version3", true, "Some Game Version3"},
      {"Game ( ) Two (Japan)", false, "Game ( ) Two (Japan)"}, {"Game (unclosed", false, "Game (unclosed"},
      {"Many   blanks\there (  Japan  1.0)", false, "Many blanks here (Japan)"},
      {"  Heaven's Gate  ", false, "Heaven's Gate"}, {"", false, ""},
      {"T (" + std::string(200, 'w') + ")", false, "T (" + std::string(78, 'w') + ")"},
      {std::string(1000, 'x'), false, std::string(399, 'x')},
      {std::string(396, 'p') + " (Japan)", false, std::string(396, 'p') + " (J"},
  };
  for (const auto& c : titles) EXPECT_EQ(ShortTitle(c.title, c.keep_version), c.expected) << c.title;

  using Fn = const char* (*)(std::string_view);
  const Fn M = MakerOf, G = GenreOf, R = RegionOf;
  const struct { Fn fn; std::string text; const char* expected; } cases[] = {
      {M, "Eighting / Raizing / Namco", "Namco"}, {M, "Mitchell", "Other"},
      {M, std::string(118, ' ') + "SNK", "Other"}, {M, std::string(116, ' ') + "SNK", "SNK"},
      {G, "Derby Quiz My Dream Horse (Japan, MDH1/VER.A2)", "Racing"}, {G, "Beat DJ", "Other"},
      {G, std::string(296, ' ') + "golf", "Other"}, {G, std::string(295, ' ') + "golf", "Sports"},
      {R, "Tekken 3 (World, TET2/VER.E1)", "WORLD"}, {R, "Battle Arena Toshinden 2 (USA 951124)", "US"},
      {R, "Dance Dance Revolution 5th Mix (G*A27 VER. JAA)", "Other"}, {R, "Gallop Racer (Japanese Ver 9)", "JP"},
      {R, "Game (Japan / Asia)", "JP"}, {R, "Game (ver 1) (Asia)", "ASIA"}, {R, "Japan Game (v1) Asia", "Other"},
      {R, "Game (Europe", "EUROPE"}, {R, "Game (japanxxxxxxxxxxxxxxxx)", "Other"}, {R, "(", "Other"},
  };
  for (const auto& c : cases) EXPECT_STREQ(c.fn(c.text), c.expected) << c.text;
}
