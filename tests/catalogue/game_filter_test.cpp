#include "catalogue/game_filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "catalogue/classify.h"
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

TEST(FilterLists, HoldTheValuesSortedWithinCapacityAndWidthAndSelectionsFallBack) {
  GameList list = BuildGameList();
  FilterLists lists = BuildFilterValues(list);
  EXPECT_EQ(lists.values[0], (std::vector<std::string>{"ASIA", "EUROPE", "JP", "Other", "US", "WORLD"}));
  EXPECT_EQ(lists.values[2], (std::vector<std::string>{"Action", "Fighting", "Mahjong", "Music", "Other", "Puzzle",
                                                       "Quiz", "Racing", "Shooter", "Sports"}));
  EXPECT_EQ(lists.values[3].size(), static_cast<size_t>(kBoardCount));
  EXPECT_EQ(lists.values[3].front(), "Acclaim ZN-1");
  EXPECT_FALSE(lists.Empty());
  EXPECT_TRUE(FilterLists{}.Empty());

  FilterSelection noted;
  noted.value[0] = "JP";
  noted.value[1] = "Nobody";
  noted.value[3] = "Taito G-Net";
  FilterSelection sel = MatchSelection(lists, noted);
  EXPECT_EQ(sel.value[0] + "|" + sel.value[1] + "|" + sel.value[2] + "|" + sel.value[3], "JP|||Taito G-Net");

  // 40 boards with long names: 32 of them, cut to 39 characters, still filter.
  static std::string names[40];
  for (int i = 0; i < 40; ++i) {
    names[i] = "Board " + std::to_string(100 + i) + std::string(40, 'x');
    list[i].board = names[i].c_str();
  }
  list.resize(40);
  lists = BuildFilterValues(list);
  ASSERT_EQ(lists.values[3].size(), 32u);
  EXPECT_EQ(lists.values[3][0].size(), 39u);
  EXPECT_EQ(lists.values[3].back().substr(0, 9), "Board 131");
  FilterState st;
  st.selection.value[3] = lists.values[3][5];
  EXPECT_EQ(Numbers(list, FilterRows(list, st, {}, nullptr)), (std::vector<int32_t>{6}));
}

TEST(FilterRows, SearchMatchesTitleInfoOrExactNumber) {
  GameList list = BuildGameList();
  auto numbers = Found(list, "  82 ");
  EXPECT_NE(std::find(numbers.begin(), numbers.end(), 82), numbers.end());
  for (int32_t n : numbers) {
    const GameEntry& e = *FindGameByNumber(list, n);
    EXPECT_TRUE(n == 82 || e.title.find("82") != std::string::npos || e.info.find("82") != std::string::npos) << e.set;
  }
  EXPECT_EQ(Found(list, "182").size(), 1u);
  EXPECT_EQ(Found(list, "CLONE").size(), 462u - 232u);
  MarkNotInMame(list[3]);
  MarkNotInMame(list[400]);
  EXPECT_EQ(Found(list, "not in this"), (std::vector<int32_t>{4, 401}));
  EXPECT_EQ(Found(list, "tekken 3").size(), 10u);
  EXPECT_EQ(PrepareSearchText(std::string(300, 'A')), std::string(199, 'a'));

  // Letters beyond ASCII fold the same way in titles, in the search box and
  // in the title order: "ŁÓDŹ" finds "Łódź", "Ż" and "ż" sort as one.
  list[0].title = "Wy\xC5\x9B" "cig \xC5\x81\xC3\xB3" "d\xC5\xBA";
  EXPECT_EQ(Found(list, "\xC5\x81\xC3\x93" "D\xC5\xB9"), (std::vector<int32_t>{1}));
  EXPECT_EQ(Found(list, "\xC5\x82\xC3\xB3" "d\xC5\xBA"), (std::vector<int32_t>{1}));
  EXPECT_EQ(CompareNoCase("\xC5\xBB" "aba", "\xC5\xBC" "ABA"), 0);
  EXPECT_LT(CompareNoCase("\xC5\xBB" "a", "\xC5\xBD" "a"), 0);  // Ż before Ž, whatever their case
  EXPECT_LT(CompareNoCase("\xC5\xBC" "a", "\xC5\xBD" "a"), 0);
}

TEST(FilterRows, CombinesFavoritesAvailabilityAndTheFourLists) {
  GameList list = BuildGameList();
  IdList favorites = {82, 1, 145, 389};
  HasRomsFn has_roms = [](const GameEntry& e) { return e.number % 2 == 0; };

  FilterState st;
  st.favorites_only = true;
  EXPECT_EQ(Numbers(list, FilterRows(list, st, favorites, has_roms)), (std::vector<int32_t>{1, 82, 145, 389}));
  st.only_available = true;
  EXPECT_EQ(Numbers(list, FilterRows(list, st, favorites, has_roms)), (std::vector<int32_t>{82}));
  EXPECT_TRUE(FilterRows(list, st, favorites, nullptr).empty());  // without a scan nothing counts as available

  FilterState by_lists;
  by_lists.selection.value[0] = "JP";
  by_lists.selection.value[1] = "Namco";
  by_lists.selection.value[2] = "Fighting";
  by_lists.selection.value[3] = "Namco System 12";
  EXPECT_EQ(Numbers(list, FilterRows(list, by_lists, {}, nullptr)),
            (std::vector<int32_t>{89, 90, 91, 93, 99, 100, 101, 104, 112, 121, 122, 123}));
  by_lists.search = PrepareSearchText("soul");
  EXPECT_EQ(Numbers(list, FilterRows(list, by_lists, {}, nullptr)), (std::vector<int32_t>{99, 100, 101}));
}

TEST(RowOrder, EachColumnHasItsKeyAndTieBreaks) {
  GameList list = BuildGameList();
  IdList favorites = {300, 5};
  HasRomsFn has_roms = [](const GameEntry& e) { return e.number <= 3; };
  FilterState all;
  auto sorted = [&](int column, bool ascending) {
    std::vector<int32_t> rows = FilterRows(list, all, favorites, has_roms);
    SortRows(rows, RowOrder(list, column, ascending, favorites, has_roms));
    return Numbers(list, rows);
  };
  auto by_number = sorted(kColumnNumber, false);
  EXPECT_EQ(by_number.front(), 462);
  EXPECT_EQ(by_number.back(), 1);

  auto fav = sorted(kColumnFavorite, true);
  EXPECT_EQ(std::vector<int32_t>(fav.begin(), fav.begin() + 2), (std::vector<int32_t>{5, 300}));  // by title
  EXPECT_EQ(sorted(kColumnFavorite, false).back(), 5);
  auto status = sorted(kColumnStatus, true);
  EXPECT_EQ(std::vector<int32_t>(status.end() - 3, status.end()), (std::vector<int32_t>{1, 2, 3}));

  // Year descending: same year by title descending, then number descending.
  auto years = sorted(kColumnYear, false);
  for (size_t i = 1; i < years.size(); ++i)
    ASSERT_GE(FindGameByNumber(list, years[i - 1])->year, FindGameByNumber(list, years[i])->year);
  auto pos = [&](const std::vector<int32_t>& v, int32_t n) { return std::find(v.begin(), v.end(), n) - v.begin(); };
  // Tekken 2 (World, TES2/VER.A) #54 and Tekken 2 (US, ...) #55 are 1996: World sorts first descending.
  EXPECT_LT(pos(years, 54), pos(years, 55));

  Settings s;
  ResetSettings(s);
  s.sort_column = kColumnHardware;
  auto hw = VisibleRows(list, all, s, nullptr);
  EXPECT_EQ(BoardOf(list[hw.front()]), "Acclaim ZN-1");
  EXPECT_EQ(list[hw.front()].number, 172);  // Judge Dredd (Rev B) first, then Rev C
  s.sort_column = kColumnInfo;  // the Info column orders like Game
  auto info = VisibleRows(list, all, s, nullptr);
  s.sort_column = kColumnGame;
  EXPECT_EQ(info, VisibleRows(list, all, s, nullptr));

  // Identical titles: ascending by info text, then number.
  GameList same(3);
  same[0] = {3, "X", "clone of a", "c", "", "", nullptr, nullptr, 0, 0};
  same[1] = {2, "x", "", "b", "", "", nullptr, nullptr, 0, 0};
  same[2] = {1, "X", "", "a", "", "", nullptr, nullptr, 0, 0};
  EXPECT_LT(CompareRows(same, 2, 1, kColumnGame, true, {}, nullptr), 0);
  EXPECT_LT(CompareRows(same, 1, 0, kColumnGame, true, {}, nullptr), 0);
  EXPECT_GT(CompareRows(same, 1, 0, kColumnGame, false, {}, nullptr), 0);
}

TEST(ListState, SortClicksFilterKeysResetAndRecentGames) {
  Settings s;
  ResetSettings(s);
  s.sort_column = kColumnNumber;
  EXPECT_TRUE(ApplySortClick(s, kColumnNumber));
  EXPECT_EQ(s.sort_ascending, 0);
  EXPECT_TRUE(ApplySortClick(s, kColumnYear));
  EXPECT_EQ(s.sort_column, kColumnYear);
  EXPECT_EQ(s.sort_ascending, 1);
  EXPECT_TRUE(ApplySortClick(s, kColumnFavorite));
  EXPECT_FALSE(ApplySortClick(s, kColumnInfo));
  EXPECT_FALSE(ApplySortClick(s, 7));
  EXPECT_FALSE(ApplySortClick(s, -1));
  EXPECT_EQ(s.sort_column, kColumnFavorite);

  // The saved filters load cut to their lists' widths (Info does not sort);
  // a saved choice no game produces falls back to All, the others stay.
  ParseSettingsText(s, "sort_column=3\nsort_ascending=yes\nfilter_region=JAPANESE\nfilter_genre=Fighting\n"
                       "filter_maker=" + std::string(50, 'm'));
  EXPECT_EQ(s.sort_column, kColumnNumber);
  EXPECT_EQ(s.sort_ascending, 0);
  FilterSelection sel = SelectionFromSettings(s);
  EXPECT_EQ(sel.value[0] + "|" + sel.value[2], "JAPANES|Fighting");
  EXPECT_EQ(sel.value[1].size(), 39u);
  FilterSelection matched = MatchSelection(BuildFilterValues(BuildGameList()), sel);
  EXPECT_EQ(matched.value[0] + "|" + matched.value[2], "|Fighting");
  ParseSettingsText(s, "sort_column=12\nsort_ascending=1\nfilter_hardware=" + std::string(50, 'h') +
                           "\nfilter_genre=" + std::string(50, 'g'));
  EXPECT_EQ(s.sort_column, kColumnYear);
  EXPECT_EQ(s.sort_ascending, 1);
  sel = SelectionFromSettings(s);
  EXPECT_EQ(sel.value[2].size() * 100 + sel.value[3].size(), 23u * 100 + 39u);

  s.favorites_only = 1;
  s.sort_ascending = 0;
  ResetFilters(s);
  EXPECT_EQ(s.filter_region + s.filter_maker + s.filter_genre + s.filter_hardware, "");
  EXPECT_EQ(s.sort_column, kColumnNumber);
  EXPECT_EQ(s.sort_ascending, 1);
  EXPECT_EQ(s.favorites_only, 1);

  IdList recent;
  for (int32_t n = 1; n <= 10; ++n) AddRecentGame(recent, n);
  EXPECT_EQ(recent, (IdList{10, 9, 8, 7, 6, 5, 4, 3}));
  AddRecentGame(recent, 5);
  EXPECT_EQ(recent, (IdList{5, 10, 9, 8, 7, 6, 4, 3}));
}

}  // namespace
