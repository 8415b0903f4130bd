#include "catalogue/game_table.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace {

const BoardInfo* BoardOfNumber(int32_t number) {
  for (const BoardInfo& b : kBoards)
    if (number >= b.first && number <= b.last) return &b;
  return nullptr;
}

TEST(GameTable, RowsAreNumberedAndSetNamesAreUniqueLowerCaseZipNames) {
  std::set<std::string> sets;
  for (int i = 0; i < kGameCount; ++i) {
    const GameTableRow& row = GameTable[i];
    EXPECT_EQ(row.number, i + 1);
    std::string set = row.set;
    EXPECT_FALSE(set.empty());
    EXPECT_LE(set.size(), 11u) << set;
    for (char c : set) EXPECT_TRUE(std::islower(static_cast<unsigned char>(c)) || std::isdigit(c) || c == '_') << set;
    EXPECT_TRUE(sets.insert(set).second) << "duplicate " << set;
    EXPECT_TRUE(row.year == 0 || (row.year >= 1994 && row.year <= 2011)) << set;
    EXPECT_EQ(row.flags & ~kGameNotWorking, 0u);
  }
}

TEST(GameTable, ParentsBiosAndBoardsKeepTheirRelations) {
  for (const GameTableRow& row : GameTable) {
    const BoardInfo* board = BoardOfNumber(row.number);
    ASSERT_NE(board, nullptr) << row.number;
    EXPECT_STREQ(row.board, board->name) << row.set;
    if (row.number == 433)
      EXPECT_STREQ(row.bios, "coh1002t");
    else
      EXPECT_STREQ(row.bios, board->bios) << row.set;
    EXPECT_EQ(GameTableRowBySet(row.bios), nullptr) << "BIOS set is a row: " << row.bios;
    if (*row.parent) {
      const GameTableRow* parent = GameTableRowBySet(row.parent);
      ASSERT_NE(parent, nullptr) << row.set << " names missing parent " << row.parent;
      EXPECT_STREQ(parent->parent, "") << row.set << " is a clone of a clone";
      EXPECT_STREQ(parent->bios, row.bios) << row.set;
    }
  }
}

TEST(GameTable, BoardCountsMatchTheBoardTable) {
  struct Counts {
    int rows, parents, not_working;
  };
  const Counts expected[kBoardCount] = {{17, 5, 0},  {28, 7, 0},  {36, 11, 1}, {59, 29, 4}, {7, 7, 0},  {9, 3, 0},
                                        {12, 3, 0},  {4, 2, 0},   {1, 1, 0},   {1, 1, 0},   {3, 1, 0},  {10, 3, 3},
                                        {22, 13, 0}, {45, 35, 26}, {14, 11, 3}, {155, 69, 85}, {39, 31, 0}};
  int next = 1, total_nw = 0;
  for (int b = 0; b < kBoardCount; ++b) {
    EXPECT_EQ(kBoards[b].first, next) << kBoards[b].name;
    next = kBoards[b].last + 1;
    Counts c{0, 0, 0};
    for (const GameTableRow& row : GameTable) {
      if (std::string(row.board) != kBoards[b].name) continue;
      ++c.rows;
      c.parents += *row.parent == 0;
      c.not_working += (row.flags & kGameNotWorking) != 0;
    }
    EXPECT_EQ(c.rows, expected[b].rows) << kBoards[b].name;
    EXPECT_EQ(c.parents, expected[b].parents) << kBoards[b].name;
    EXPECT_EQ(c.not_working, expected[b].not_working) << kBoards[b].name;
    total_nw += c.not_working;
  }
  EXPECT_EQ(next, kGameCount + 1);
  EXPECT_EQ(total_nw, 122);
}

TEST(GameTable, TellingRowsAreExact) {
  struct Row {
    int32_t number;
    const char *set, *parent, *bios, *board, *title, *maker;
    int32_t year;
    uint32_t flags;
  };
  const Row rows[] = {
      {1, "ts2", "", "coh1000c", "Sony ZN-1 System", "Battle Arena Toshinden 2 (Europe 951124)", "Capcom / Takara", 1995, 0},
      {2, "ts2u", "ts2", "coh1000c", "Sony ZN-1 System", "Battle Arena Toshinden 2 (USA 951124)", "Capcom / Takara", 1995, 0},
      {37, "sfex2p", "", "coh3002c", "Sony ZN-2 System", "Street Fighter EX2 Plus (Europe 990611)", "Capcom / Arika", 1999, 0},
      {65, "tekken2", "", "", "Namco System 11", "Tekken 2 Ver.B (World, TES2/VER.D)", "Namco", 1996, 0},
      {82, "tekken3", "", "", "Namco System 12", "Tekken 3 (World, TET2/VER.E1)", "Namco", 1997, 0},
      {145, "fatfurwa", "", "hng64", "SNK Hyper Neo Geo 64",
       "Fatal Fury: Wild Ambition / Garou Densetsu: Wild Ambition (rev.A)", "SNK", 1998, 0},
      {200, "flamegunj", "flamegun", "coh1002m", "Tecmo TPS", "Flame Gunner (Japan)", "Gaps Inc.", 1999, 0},
      {389, "ddr5m", "", "sys573", "Konami System 573", "Dance Dance Revolution 5th Mix (G*A27 VER. JAA)", "Konami",
       2001, 1},
      {462, "tblkkuzug", "", "coh3002t", "Taito G-Net", "The Block Kuzushi (VER 1.10G)", "bootleg (Arcade MOD BIOS)",
       2011, 0},
  };
  for (const Row& r : rows) {
    const GameTableRow* row = GameTableRowByNumber(r.number);
    ASSERT_NE(row, nullptr);
    EXPECT_STREQ(row->set, r.set);
    EXPECT_STREQ(row->parent, r.parent);
    EXPECT_STREQ(row->bios, r.bios);
    EXPECT_STREQ(row->board, r.board);
    EXPECT_STREQ(row->title, r.title);
    EXPECT_STREQ(row->maker, r.maker);
    EXPECT_EQ(row->year, r.year);
    EXPECT_EQ(row->flags, r.flags);
  }
  EXPECT_EQ(GameTableRowByNumber(0), nullptr);
  EXPECT_EQ(GameTableRowByNumber(463), nullptr);
  EXPECT_TRUE(IsBiosSet("COH1000C"));
  EXPECT_TRUE(IsBiosSet("coh1002t"));
  EXPECT_FALSE(IsBiosSet("tekken3"));
  EXPECT_FALSE(IsBiosSet(""));
}

TEST(GameList, EntriesCopyTheRowsWithTheirInfoTexts) {
  GameList list = BuildGameList();
  ASSERT_EQ(list.size(), static_cast<size_t>(kGameCount));
  EXPECT_EQ(list[0].info, "");  // working parent
  EXPECT_EQ(list[1].info, "clone of ts2");
  EXPECT_EQ(FindGameBySet(list, "ddr5m")->info, "not working in MAME");
  EXPECT_EQ(FindGameBySet(list, "bam2a")->info, "clone of bam2, not working in MAME");
  EXPECT_EQ(FindGameBySet(list, "bam2a")->flags, kGameNotWorking);

  GameEntry& e = list[0];
  MarkNotInMame(e);
  MarkNotInMame(e);
  EXPECT_EQ(e.info, "not in this MAME");
  EXPECT_EQ(e.flags, kGameNotInMame);
  MarkNotInMame(list[1]);
  EXPECT_EQ(list[1].info, "clone of ts2, not in this MAME");

  GameEntry bare;
  EXPECT_EQ(BoardOf(bare), "");
  EXPECT_EQ(MakerTextOf(bare), "");
}

TEST(GameList, FindsGamesBySetNumberAndZipPath) {
  GameList list = BuildGameList();
  ASSERT_NE(FindGameBySet(list, "ts2U"), nullptr);
  EXPECT_EQ(FindGameBySet(list, "ts2U")->number, 2);
  EXPECT_EQ(FindGameBySet(list, "ts2u.zip"), nullptr);
  EXPECT_EQ(FindGameBySetOrFile(list, "ts2u.zip")->number, 2);
  EXPECT_EQ(FindGameBySetOrFile(list, "C:\\Games\\roms\\Tekken3.ZIP")->number, 82);
  EXPECT_EQ(FindGameBySetOrFile(list, "/roms/sams64_2.zip")->set, "sams64_2");
  EXPECT_EQ(FindGameBySetOrFile(list, "C:\\roms\\"), nullptr);
  EXPECT_EQ(FindGameBySetOrFile(list, "nothing.zip"), nullptr);

  EXPECT_EQ(FindGameByNumber(list, 462)->set, "tblkkuzug");
  EXPECT_EQ(FindGameByNumber(list, 9999), nullptr);
  SortGameListByTitle(list);
  EXPECT_EQ(list[FindGameIndexByNumber(list, 82)].number, 82);
  EXPECT_EQ(FindGameIndexByNumber(list, -1), -1);
}

TEST(GameList, SortByTitleIgnoresCaseThenUsesInfoAndNumber) {
  GameList list = BuildGameList();
  SortGameListByTitle(list);
  for (size_t i = 1; i < list.size(); ++i) {
    std::string a = list[i - 1].title, b = list[i].title;
    for (auto& c : a) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (auto& c : b) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ASSERT_LE(a, b) << i;
  }
  // Same title: a clone's info text sorts after the parent's empty one.
  GameList two(2);
  two[0] = {7, "Same", "clone of x", "b", "", "", nullptr, nullptr, 0, 0};
  two[1] = {9, "SAME", "", "a", "", "", nullptr, nullptr, 0, 0};
  SortGameListByTitle(two);
  EXPECT_EQ(two[0].number, 9);
}

TEST(ShortTitle, CutsDetailAndVersion) {
  EXPECT_EQ(ShortTitle("Tekken 2 Ver.B (World, TES2/VER.D)", false), "Tekken 2 (World,)");
  EXPECT_EQ(ShortTitle("Tekken 2 Ver.B (World, TES2/VER.D)", true), "Tekken 2 Ver.B (World,)");
  EXPECT_EQ(ShortTitle("Gallop Racer (English Ver 10.17.K)", false), "Gallop Racer (English)");
  EXPECT_EQ(ShortTitle("  Heaven's Gate  ", false), "Heaven's Gate");
  EXPECT_EQ(ShortTitle("Soul Edge Ver. II (US, SO3/VER.C)", false), "Soul Edge (US,)");
  // A "ver" followed by more words stays; "Version" at the end goes.
  EXPECT_EQ(ShortTitle("Tokimeki Memorial Oshiete Your Heart Seal Version Plus", false),
            "Tokimeki Memorial Oshiete Your Heart Seal Version Plus");
  EXPECT_EQ(ShortTitle("Some Game Version3", false), "Some Game");
  EXPECT_EQ(ShortTitle("Some Game Version3", true), "Some Game Version3");
  // Groups without a word, or without a closing bracket, do not count.
  EXPECT_EQ(ShortTitle("Game ( ) Two (Japan)", false), "Game ( ) Two (Japan)");
  EXPECT_EQ(ShortTitle("Game (unclosed", false), "Game (unclosed");
  EXPECT_EQ(ShortTitle("Many   blanks\there (  Japan  1.0)", false), "Many blanks here (Japan)");
  EXPECT_EQ(ShortTitle("", false), "");
  // Long texts are cut, never overrun.
  std::string word(200, 'w');
  EXPECT_EQ(ShortTitle("T (" + word + ")", false), "T (" + std::string(78, 'w') + ")");
  EXPECT_EQ(ShortTitle(std::string(1000, 'x'), false).size(), 399u);
}

TEST(ShortcutTitle, GrowsOnlyWhenNamesCollideInTheTable) {
  GameList list = BuildGameList();
  auto name = [&](const char* set) { return ShortcutTitle(list, *FindGameBySet(list, set)); };
  EXPECT_EQ(name("ts2"), "Battle Arena Toshinden 2 (Europe)");  // unique
  EXPECT_EQ(name("fatfurwa"), "Fatal Fury: Wild Ambition / Garou Densetsu: Wild Ambition (rev.A)");
  // G-Darius and G-Darius Ver.2 share "G-Darius (Ver)": the version tells them apart...
  EXPECT_EQ(name("gdarius2"), "G-Darius Ver.2 (Ver)");
  // ...and where it does not, the whole title is used.
  EXPECT_EQ(name("gdarius"), "G-Darius (Ver 2.02O)");
  EXPECT_EQ(name("tekken2a"), "Tekken 2 (World, TES2/VER.A)");
  // Tekken 2 Ver.B sets of two revisions keep the same version text, and a
  // shared shortcut name would let one game's shortcut replace the other's.
  EXPECT_EQ(name("tekken2"), "Tekken 2 Ver.B (World, TES2/VER.D)");
  EXPECT_EQ(name("tekken2b"), "Tekken 2 Ver.B (World, TES2/VER.B)");
  std::set<std::string> names;
  for (const GameEntry& e : list) {
    std::string n = ShortcutTitle(list, e);
    for (auto& c : n) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(names.insert(n).second) << e.set << " shares its shortcut name " << n;
  }
  EXPECT_EQ(name("tekken3"), "Tekken 3 (World, TET2/VER.E1)");
  EXPECT_EQ(name("ts2u"), "Battle Arena Toshinden 2 (USA 951124)");
  // Case does not make names differ.
  GameList two(2);
  two[0] = {1, "Abc (Japan, 1)", "", "a", "", "", nullptr, nullptr, 0, 0};
  two[1] = {2, "ABC (JAPAN, 2)", "", "b", "", "", nullptr, nullptr, 0, 0};
  EXPECT_EQ(ShortcutTitle(two, two[0]), "Abc (Japan, 1)");
}

}  // namespace
