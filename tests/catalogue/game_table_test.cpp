#include "catalogue/game_table.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace {
std::string ToLower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}
}  // namespace

// The rows against their boards: each board a contiguous range of numbers
// naming its BIOS, unique lower-case set names, clones of parents on one BIOS.
TEST(GameTable, RowsBoardsParentsAndBiosKeepTheirRelations) {
  std::set<std::string> sets;
  int next = 1, not_working = 0, clones = 0;
  for (const BoardInfo& board : kBoards) {
    ASSERT_EQ(board.first, next) << board.name;
    for (next = board.first; next <= board.last; ++next) {
      const GameTableRow& row = GameTable[next - 1];
      const std::string set = row.set;
      EXPECT_EQ(std::to_string(row.number) + row.board + row.bios, std::to_string(next) + board.name + (next == 433 ? "coh1002t" : board.bios));
      EXPECT_TRUE(!set.empty() && set.size() <= 11 && sets.insert(set).second && set == ToLower(set)) << set;
      EXPECT_EQ(GameTableRowBySet(row.bios), nullptr) << "BIOS set is a row: " << row.bios;
      not_working += (row.flags & kGameNotWorking) != 0;
      if (!*row.parent) continue;
      ++clones;
      const GameTableRow* parent = GameTableRowBySet(row.parent);
      ASSERT_NE(parent, nullptr) << set << " names missing parent " << row.parent;
      EXPECT_EQ(std::string(parent->parent) + parent->bios, row.bios) << set << ": a clone of a clone or another BIOS";
    }
  }
  EXPECT_EQ(next, kGameCount + 1);
  EXPECT_EQ(not_working * 1000 + clones, 122 * 1000 + 462 - 232);
}

TEST(GameTable, LookUpsByNumberAndSet) {
  const struct {
    int32_t number;
    const char* row;
  } rows[] = {
      {1, "ts2||coh1000c|Sony ZN-1 System|Battle Arena Toshinden 2 (Europe 951124)|Capcom / Takara|1995|0"},
      {200, "flamegunj|flamegun|coh1002m|Tecmo TPS|Flame Gunner (Japan)|Gaps Inc.|1999|0"},
      {462, "tblkkuzug||coh3002t|Taito G-Net|The Block Kuzushi (VER 1.10G)|bootleg (Arcade MOD BIOS)|2011|0"},
  };
  for (const auto& r : rows) {
    const GameTableRow* row = GameTableRowByNumber(r.number);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(std::string(row->set) + "|" + row->parent + "|" + row->bios + "|" + row->board + "|" + row->title + "|" +
                  row->maker + "|" + std::to_string(row->year) + "|" + std::to_string(row->flags),
              r.row);
  }
  EXPECT_EQ(GameTableRowByNumber(0), nullptr);
  EXPECT_EQ(GameTableRowByNumber(463), nullptr);
  EXPECT_EQ(GameTableRowBySet("TEKKEN3")->number, 82);
  EXPECT_TRUE(IsBiosSet("COH1000C") && IsBiosSet("coh1002t"));
  EXPECT_FALSE(IsBiosSet("tekken3") || IsBiosSet(""));

  GameList list = BuildGameList();
  ASSERT_EQ(list.size(), static_cast<size_t>(kGameCount));
  EXPECT_EQ(list[1].set + "|" + list[1].parent + "|" + list[1].bios + "|" + std::string(BoardOf(list[1])) + "|" +
                std::string(MakerTextOf(list[1])) + "|" + std::to_string(YearOf(list[1])),
            "ts2u|ts2|coh1000c|Sony ZN-1 System|Capcom / Takara|1995");
  EXPECT_EQ(FindGameBySet(list, "ts2U")->number, 2);
  EXPECT_EQ(FindGameBySet(list, "ts2u.zip"), nullptr);
  for (auto [name, set] : {std::pair{"ts2u.zip", "ts2u"}, {"C:\\Games\\roms\\Tekken3.ZIP", "tekken3"}, {"ts2", "ts2"},
                           {"/roms/sams64_2.zip", "sams64_2"}, {"C:\\roms\\", ""}, {"nothing.zip", ""}, {"nothing", ""}}) {
    const GameEntry* e = FindGameBySetOrFile(list, name);
    EXPECT_EQ(e ? e->set : "", set) << name;
  }
  EXPECT_EQ(FindGameByNumber(list, 462)->set, "tblkkuzug");
  EXPECT_EQ(FindGameByNumber(list, 9999), nullptr);
  EXPECT_EQ(FindGameIndexByNumber(list, -1), -1);
}

TEST(GameList, InfoTextsNotInMameAndTitleOrder) {
  GameList list = BuildGameList();
  EXPECT_EQ(list[0].info, "");  // working parent
  EXPECT_EQ(list[1].info, "clone of ts2");
  EXPECT_EQ(FindGameBySet(list, "ddr5m")->info, "not working in MAME");
  EXPECT_EQ(FindGameBySet(list, "bam2a")->info, "clone of bam2, not working in MAME");
  EXPECT_EQ(FindGameBySet(list, "bam2a")->flags, kGameNotWorking);
  MarkNotInMame(list[0]);
  MarkNotInMame(list[0]);
  EXPECT_EQ(list[0].info, "not in this MAME");
  EXPECT_EQ(list[0].flags, kGameNotInMame);
  MarkNotInMame(list[1]);
  EXPECT_EQ(list[1].info, "clone of ts2, not in this MAME");
  EXPECT_EQ(BoardOf(GameEntry{}), "");
  EXPECT_EQ(MakerTextOf(GameEntry{}), "");

  SortGameListByTitle(list);
  for (size_t i = 1; i < list.size(); ++i) {
    ASSERT_LE(ToLower(list[i - 1].title), ToLower(list[i].title)) << i;
  }
  EXPECT_EQ(list[FindGameIndexByNumber(list, 82)].number, 82);
  // Same title: a clone's info text sorts after the parent's empty one, then by number.
  GameList same(3);
  same[0] = {7, "Same", "clone of x", "b", "", "", nullptr, nullptr, 0, 0};
  same[1] = {9, "SAME", "", "a", "", "", nullptr, nullptr, 0, 0};
  same[2] = {8, "same", "", "c", "", "", nullptr, nullptr, 0, 0};
  SortGameListByTitle(same);
  EXPECT_EQ(std::vector<int32_t>({same[0].number, same[1].number, same[2].number}), std::vector<int32_t>({8, 9, 7}));
}

TEST(ShortTitle, CutsDetailAndVersion) {
  const struct {
    std::string title;
    bool keep_version;
    std::string expected;
  } cases[] = {
      {"Tekken 2 Ver.B (World, TES2/VER.D)", false, "Tekken 2 (World,)"},
      {"Tekken 2 Ver.B (World, TES2/VER.D)", true, "Tekken 2 Ver.B (World,)"},
      {"Gallop Racer (English Ver 10.17.K)", false, "Gallop Racer (English)"},
      {"  Heaven's Gate  ", false, "Heaven's Gate"},
      {"Soul Edge Ver. II (US, SO3/VER.C)", false, "Soul Edge (US,)"},
      // A "ver" followed by more words stays; "Version" at the end goes.
      {"Tokimeki Memorial Oshiete Your Heart Seal Version Plus", false,
       "Tokimeki Memorial Oshiete Your Heart Seal Version Plus"},
      {"Some Game Version3", false, "Some Game"},
      {"Some Game Version3", true, "Some Game Version3"},
      // Groups without a word, or without a closing bracket, do not count.
      {"Game ( ) Two (Japan)", false, "Game ( ) Two (Japan)"},
      {"Game (unclosed", false, "Game (unclosed"},
      {"Many   blanks\there (  Japan  1.0)", false, "Many blanks here (Japan)"},
      {"", false, ""},
      // Long texts are cut, never overrun.
      {"T (" + std::string(200, 'w') + ")", false, "T (" + std::string(78, 'w') + ")"},
      {std::string(1000, 'x'), false, std::string(399, 'x')},
  };
  for (const auto& c : cases) EXPECT_EQ(ShortTitle(c.title, c.keep_version), c.expected) << c.title;
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
    EXPECT_TRUE(names.insert(ToLower(ShortcutTitle(list, e))).second) << e.set << " shares its shortcut name";
  }
  // Case does not make names differ.
  GameList two(2);
  two[0] = {1, "Abc (Japan, 1)", "", "a", "", "", nullptr, nullptr, 0, 0};
  two[1] = {2, "ABC (JAPAN, 2)", "", "b", "", "", nullptr, nullptr, 0, 0};
  EXPECT_EQ(ShortcutTitle(two, two[0]), "Abc (Japan, 1)");
}
