#include "catalogue/game_filter.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/game_row_paint.h"
#include "catalogue/game_table.h"
#include "catalogue/list_columns.h"
#include "catalogue/list_state.h"
#include "catalogue/text_compare.h"
#include "settings/settings.h"

namespace {
std::vector<int32_t> Numbers(const GameList& list, const std::vector<int32_t>& rows) {
  std::vector<int32_t> out;
  for (int32_t i : rows) out.push_back(list[i].number);
  return out;
}
std::vector<int32_t> Found(const GameList& list, const std::string& typed) {
  FilterState st;
  st.search = PrepareSearchText(typed);
  return Numbers(list, FilterRows(list, st, {}, nullptr));
}
}  // namespace

TEST(FilterRows, SearchFavoritesAvailabilityTheFourListsAndTheirValues) {
  GameList list = BuildGameList();
  EXPECT_EQ(Found(list, "  82 "), (std::vector<int32_t>{82, 268, 277, 278, 279, 280, 281}));  // number, title or info
  EXPECT_TRUE(Found(list, "CLONE").size() == 462u - 232u && PrepareSearchText(std::string(300, 'A')) == std::string(199, 'a'));
  // Letters beyond ASCII fold alike in titles, search and title order: "ŁÓDŹ" finds "Łódź", "Ż" and "ż" sort as one.
  list[0].title = "Wy\xC5\x9B" "cig \xC5\x81\xC3\xB3" "d\xC5\xBA";
  EXPECT_EQ(Found(list, "\xC5\x81\xC3\x93" "D\xC5\xB9"), (std::vector<int32_t>{1}));
  EXPECT_EQ(CompareNoCase("\xC5\xBB" "aba", "\xC5\xBC" "ABA"), 0);

  IdList favorites = {82, 1, 145, 389};
  HasRomsFn has_roms = [](const GameEntry& e) { return e.number % 2 == 0; };
  FilterState st;
  st.favorites_only = st.only_available = true;
  EXPECT_EQ(Numbers(list, FilterRows(list, st, favorites, has_roms)), (std::vector<int32_t>{82}));
  EXPECT_TRUE(FilterRows(list, st, favorites, nullptr).empty());  // without a scan nothing counts as available
  FilterState by_lists;
  by_lists.selection = {"JP", "Namco", "Fighting", "Namco System 12"};
  EXPECT_EQ(Numbers(list, FilterRows(list, by_lists, {}, nullptr)),
            (std::vector<int32_t>{89, 90, 91, 93, 99, 100, 101, 104, 112, 121, 122, 123}));
  by_lists.search = PrepareSearchText("soul");
  EXPECT_EQ(Numbers(list, FilterRows(list, by_lists, {}, nullptr)), (std::vector<int32_t>{99, 100, 101}));

  // The lists hold their values sorted, within capacity and width.
  list = BuildGameList();
  FilterLists lists = BuildFilterValues(list);
  EXPECT_EQ(lists.values[0], (std::vector<std::string>{"ASIA", "EUROPE", "JP", "Other", "US", "WORLD"}));
  EXPECT_TRUE(lists.values[3].size() == static_cast<size_t>(kBoardCount) && lists.values[3].front() == "Acclaim ZN-1");

  // 40 boards with long names: 32 of them, cut to 39 characters, still filter.
  static std::string names[40];
  for (int i = 0; i < 40; ++i) list[i].board = (names[i] = "Board " + std::to_string(100 + i) + std::string(40, 'x')).c_str();
  list.resize(40);
  lists = BuildFilterValues(list);
  ASSERT_EQ(lists.values[3].size(), 32u);
  EXPECT_EQ(lists.values[3].back(), names[31].substr(0, 39));
  FilterState by_board;
  by_board.selection.value[3] = lists.values[3][5];
  EXPECT_EQ(Numbers(list, FilterRows(list, by_board, {}, nullptr)), (std::vector<int32_t>{6}));
}

TEST(ListState, RowOrderSavedFiltersResetAndRecentGames) {
  GameList list = BuildGameList();
  IdList favorites = {300, 5};
  HasRomsFn has_roms = [](const GameEntry& e) { return e.number <= 3; };
  auto sorted = [&](int column, bool ascending) {
    std::vector<int32_t> rows = FilterRows(list, {}, favorites, has_roms);
    SortRows(rows, RowOrder(list, column, ascending, favorites, has_roms));
    return Numbers(list, rows);
  };
  auto head = [](std::vector<int32_t> v, size_t n) { return std::vector<int32_t>(v.begin(), v.begin() + n); };
  auto tail = [](std::vector<int32_t> v, size_t n) { return std::vector<int32_t>(v.end() - n, v.end()); };
  EXPECT_EQ(head(sorted(kColumnFavorite, true), 3), (std::vector<int32_t>{5, 300, 203}));  // then by title
  EXPECT_EQ(tail(sorted(kColumnStatus, true), 4), (std::vector<int32_t>{445, 1, 2, 3}));
  EXPECT_TRUE(head(sorted(kColumnNumber, true), 2) == (std::vector<int32_t>{1, 2}) &&
              head(sorted(kColumnNumber, false), 2) == (std::vector<int32_t>{462, 461}));
  // Year descending: same year by title descending, then number descending.
  EXPECT_EQ(head(sorted(kColumnYear, false), 3), (std::vector<int32_t>{462, 461, 460}));
  const std::vector<int32_t> by_year = sorted(kColumnYear, true);  // and all the way down
  EXPECT_TRUE(std::is_sorted(by_year.begin(), by_year.end(),
                             [&](int32_t a, int32_t b) { return FindGameByNumber(list, a)->year < FindGameByNumber(list, b)->year; }));
  list[0].title = "!b", list[1].title = "!a";  // one letter apart: in title order, whatever their numbers
  EXPECT_EQ(head(sorted(kColumnGame, true), 2), (std::vector<int32_t>{2, 1}));
  // Play stats reach the rows (most played, last played first going down); without stats the rows forget them.
  ApplyPlayStats(list, {{7, {2, 100, 50}}, {9, {1, 300, 40}}});
  EXPECT_EQ(head(sorted(kColumnTimePlayed, false), 2), (std::vector<int32_t>{9, 7}));
  EXPECT_EQ(head(sorted(kColumnLastPlayed, false), 2), (std::vector<int32_t>{7, 9}));
  ApplyPlayStats(list, {});
  EXPECT_TRUE(std::all_of(list.begin(), list.end(), [](const GameEntry& e) { return e.played == PlayRecord{}; }));

  // A header click sorts ascending, the same header again turns it round; Info and other headers do not sort.
  Settings s;
  ResetSettings(s);
  std::string clicks;
  for (int column : std::initializer_list<int>{kColumnYear, kColumnYear, kColumnHardware, kColumnHardware, kColumnHardware,
                                               kColumnInfo, -1, kListColumnCount}) {
    const bool sorts = ApplySortClick(s, column);
    clicks += std::to_string(sorts) + std::to_string(s.sort_column) + std::to_string(s.sort_ascending) + " ";
  }
  EXPECT_EQ(clicks, "161 160 151 150 151 051 051 051 ");
  EXPECT_EQ(head(Numbers(list, VisibleRows(list, {}, s, nullptr)), 2), (std::vector<int32_t>{172, 171}));

  // Saved filters load cut to their lists' widths; a choice no game produces falls back to All, the others stay.
  ParseSettingsText(s, "filter_region=JAPANESE\nfilter_genre=Fighting\nfilter_maker=" + std::string(50, 'm'));
  FilterSelection sel = SelectionFromSettings(s);
  EXPECT_EQ(sel.value[0] + "|" + sel.value[2] + "|" + std::to_string(sel.value[1].size()), "JAPANES|Fighting|39");
  FilterSelection matched = MatchSelection(BuildFilterValues(BuildGameList()), sel);
  EXPECT_EQ(matched.value[0] + "|" + matched.value[2], "|Fighting");
  s.favorites_only = 1;
  ResetFilters(s);  // every list back to All, the sort to "#" ascending; Favorites Only stays
  EXPECT_EQ(s.filter_region + s.filter_maker + s.filter_genre + s.filter_hardware + std::to_string(s.sort_column) +
                std::to_string(s.sort_ascending) + std::to_string(s.favorites_only), "111");

  // A refill selects the remembered game's row, wherever the order puts it, and none while it is filtered out.
  std::vector<int32_t> rows = FilterRows(list, {}, favorites, has_roms);
  SortRows(rows, RowOrder(list, kColumnYear, false, favorites, has_roms));
  EXPECT_EQ(Numbers(list, {rows[static_cast<size_t>(RowOfGame(list, rows, 300))]}), std::vector<int32_t>{300});
  EXPECT_EQ(RowOfGame(list, FilterRows(list, {{}, "", true}, favorites, has_roms), 23), -1);
  EXPECT_EQ(std::pair(RowOfGame(list, rows, 0), RowOfGame(list, rows, list[static_cast<size_t>(rows[0])].number)),
            std::pair(-1, 0));  // no game; the first row's

  IdList recent;
  for (int32_t n = 1; n <= 10; ++n) AddRecentGame(recent, n);
  EXPECT_EQ(recent, (IdList{10, 9, 8, 7, 6, 5, 4, 3}));
  AddRecentGame(recent, 5);
  EXPECT_EQ(recent, (IdList{5, 10, 9, 8, 7, 6, 4, 3}));
}

TEST(ListColumns, WidthsHideShowAndSave) {
  const int32_t none[kListColumnCount] = {};
  auto text = [](const auto& w) {
    std::string out;
    for (int c = 0; c < kListColumnCount; ++c) out += std::to_string(w[c]) + " ";
    return out;
  };
  ColumnWidths widths = InitialColumnWidths(none, 96), remembered{};
  // Every column hidden but "Game"; shown again without a remembered width: its own "shown again" width, scaled.
  EXPECT_TRUE(ApplyColumnWidths(511, 96, widths, remembered) == 511 - 4 && text(widths) == "0 0 260 0 0 0 0 0 0 ");
  remembered = {};
  ApplyColumnWidths(0, 144, widths, remembered);
  EXPECT_EQ(text(widths), "96 60 260 210 96 285 96 144 126 ");
  // Hardware widened to 300, hidden and shown: 300 again.
  widths[5] = 300;
  ApplyColumnWidths(1 << 5, 144, widths, remembered);
  ApplyColumnWidths(0, 144, widths, remembered);
  EXPECT_EQ(widths[5], 300);

  EXPECT_TRUE(FittedColumnWidth(2, 10, 192) == 128 && FittedColumnWidth(2, 400, 96) == 400 && FittedColumnWidth(9, 5, 96) == 5);
  // Hidden or below the smallest: no; already narrower may grow.
  EXPECT_FALSE(ColumnDragAllowed(3, 200, 140, 8, 96) || ColumnDragAllowed(2, 50, 260, 0, 96) ||
               ColumnDragAllowed(0, 64, 0, 1, 96));
  EXPECT_TRUE(ColumnDragAllowed(2, 63, 40, 0, 96) && ColumnDragAllowed(2, 64, 260, 0, 96) && ColumnDragAllowed(9, 1, 40, 0, 96));
  int32_t saved[kListColumnCount] = {1, 2, 3, 77, 5, 6, 7, 8, 9};
  SavedColumnWidths({128, 80, 600, 0, 80, 380, 80, 200, 0}, 8 | 256, 192, saved);  // hidden and empty ones keep theirs
  EXPECT_EQ(text(saved), "64 40 300 77 40 190 40 100 9 ");
  EXPECT_EQ(text(InitialColumnWidths(saved, 192)), "128 80 600 154 80 380 80 200 18 ");  // what the next start shows
}

TEST(GameRowPaint, CellsFollowTheHeaderAndTheRowShowsItsStarStatusAndSelection) {
  // Hardware dragged before Game, Info hidden: hidden columns take no room.
  std::string spans;
  for (const RowCell& c : RowCells({1, 4, 0, 5, 2, 6, 3, 7, 8}, {64, 40, 260, 0, 40, 170, 40, 0, 0}))
    spans += std::to_string(c.column) + ":" + std::to_string(c.left) + "-" + std::to_string(c.right) + " ";
  EXPECT_EQ(spans, "1:0-40 4:40-80 0:80-144 5:144-314 2:314-574 6:574-614 ");
  // The star is where its column went, cut by a narrow column, nowhere while hidden.
  auto star = [](std::array<int, kListColumnCount> order, ColumnWidths widths) {
    LayoutRect r = StarRect(RowCells(order, widths), 20, 16, 2);
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.w) + "x" + std::to_string(r.h);
  };
  EXPECT_EQ(star({1, 4, 0, 5, 2, 6, 3}, {64, 40, 260, 0, 40, 170, 40}), "82,2 16x16");
  EXPECT_EQ(star({0, 1, 2, 3, 4, 5, 6}, {12, 40, 260, 0, 40, 170, 40}), "2,2 10x16");
  EXPECT_EQ(star({2, 6, 5, 0, 1, 4, 3}, {64, 90, 260, 0, 40, 170, 40}), "472,2 16x16");
  EXPECT_EQ(star({1, 4, 0, 5, 2, 6, 3}, {0, 40, 260, 0, 40, 170, 40}), "0,0 0x0");
  // The status picture only while its column is shown.
  EXPECT_TRUE(CellImage(kStatusColumn, false, true, 3) == kFirstStatusImage + 3 &&
              CellImage(kStatusColumn, true, false, 3) == -1 && CellImage(0, true, false, 0) == kStarFilledImage &&
              CellImage(2, true, true, 0) == -1);  // a text cell has no picture

  // Text cells: a played game's last day in the short form and its time, nothing for an unknown year.
  GameEntry game;
  game.number = 7, game.title = "Tekken", game.played = {2, 3900, 1796126400};  // 1 Dec 2026, noon UTC
  std::string cells;
  for (int column = 0; column < kListColumnCount; ++column) cells += CellText(game, column) + "|";
  EXPECT_EQ(cells, "|7|Tekken|||||1 Dec 2026|1 h 5 min|");
  game.played.times = 0;
  EXPECT_TRUE(CellText(game, 7).empty() && CellText(game, 8).empty());

  // In both looks a selected row stands out, more with the focus than without, and its text stays readable.
  for (bool dark : {false, true}) {
    auto back = [&](bool selected, bool focused) { return PaletteColour(RowColoursOf(selected, focused).background, dark); };
    std::vector<uint32_t> backs = {back(false, true), back(true, true), back(true, false)};
    EXPECT_TRUE(backs[0] != backs[1] && backs[0] != backs[2] && backs[1] != backs[2]) << dark;
    for (bool selected : {false, true})
      for (bool focused : {false, true})
        EXPECT_NE(PaletteColour(RowColoursOf(selected, focused).text, dark), back(selected, focused)) << dark;
  }
}
