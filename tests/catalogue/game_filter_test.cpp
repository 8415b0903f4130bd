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

FilterState Search(const std::string& text) {
  FilterState st;
  st.search = PrepareSearchText(text);
  return st;
}

TEST(FilterLists, HoldTheBuiltInValuesSortedAndSelectionsFallBack) {
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
  EXPECT_EQ(sel.value[0], "JP");
  EXPECT_EQ(sel.value[1], "");
  EXPECT_EQ(sel.value[3], "Taito G-Net");
}

TEST(FilterLists, CapacityAndWidthLimitTheValues) {
  GameList list;
  for (int i = 0; i < 40; ++i) {
    GameEntry e;
    e.number = i + 1;
    e.title = "Game (" + std::string(i % 2 ? "Japan" : "World") + ")";
    list.push_back(e);
  }
  static const char* boards[40];
  static std::string names[40];
  for (int i = 0; i < 40; ++i) {
    names[i] = "Board " + std::to_string(100 + i) + std::string(40, 'x');
    boards[i] = names[i].c_str();
    list[i].board = boards[i];
  }
  FilterLists lists = BuildFilterValues(list);
  ASSERT_EQ(lists.values[3].size(), 32u);  // capacity
  EXPECT_EQ(lists.values[3][0].size(), 39u);  // width
  EXPECT_EQ(lists.values[3].back().substr(0, 9), "Board 131");
  // A board name longer than the width still filters by its cut text.
  FilterState st;
  st.selection.value[3] = lists.values[3][5];
  EXPECT_EQ(Numbers(list, FilterRows(list, st, {}, nullptr)), (std::vector<int32_t>{6}));
}

TEST(FilterRows, SearchMatchesTitleInfoOrExactNumber) {
  GameList list = BuildGameList();
  std::vector<int32_t> rows = FilterRows(list, Search("  82 "), {}, nullptr);
  auto numbers = Numbers(list, rows);
  EXPECT_NE(std::find(numbers.begin(), numbers.end(), 82), numbers.end());
  for (int32_t i : rows) {
    const GameEntry& e = list[i];
    EXPECT_TRUE(e.number == 82 || e.title.find("82") != std::string::npos || e.info.find("82") != std::string::npos)
        << e.set;
  }
  EXPECT_EQ(FilterRows(list, Search("182"), {}, nullptr).size(), 1u);

  size_t clones = std::count_if(list.begin(), list.end(), [](const GameEntry& e) { return !e.parent.empty(); });
  EXPECT_EQ(FilterRows(list, Search("CLONE"), {}, nullptr).size(), clones);
  EXPECT_EQ(clones, 462u - 232u);

  MarkNotInMame(list[3]);
  MarkNotInMame(list[400]);
  EXPECT_EQ(Numbers(list, FilterRows(list, Search("not in this"), {}, nullptr)), (std::vector<int32_t>{4, 401}));
  EXPECT_EQ(FilterRows(list, Search("tekken 3"), {}, nullptr).size(), 10u);
  EXPECT_EQ(PrepareSearchText(std::string(300, 'A')), std::string(199, 'a'));

  // Letters beyond ASCII fold the same way in titles, in the search box and
  // in the title order: "ŁÓDŹ" finds "Łódź", "Ż" and "ż" sort as one.
  list[0].title = "Wy\xC5\x9B" "cig \xC5\x81\xC3\xB3" "d\xC5\xBA";
  EXPECT_EQ(Numbers(list, FilterRows(list, Search("\xC5\x81\xC3\x93" "D\xC5\xB9"), {}, nullptr)),
            (std::vector<int32_t>{1}));
  EXPECT_EQ(Numbers(list, FilterRows(list, Search("\xC5\x82\xC3\xB3" "d\xC5\xBA"), {}, nullptr)),
            (std::vector<int32_t>{1}));
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
  // Without a scan nothing counts as available.
  EXPECT_TRUE(FilterRows(list, st, favorites, nullptr).empty());

  FilterState by_lists;
  by_lists.selection.value[0] = "JP";
  by_lists.selection.value[1] = "Namco";
  by_lists.selection.value[2] = "Fighting";
  by_lists.selection.value[3] = "Namco System 12";
  for (int32_t i : FilterRows(list, by_lists, {}, nullptr)) {
    const GameEntry& e = list[i];
    EXPECT_STREQ(RegionOf(e.title), "JP");
    EXPECT_STREQ(MakerOf(e.maker), "Namco");
    EXPECT_STREQ(GenreOf(e.title), "Fighting");
    EXPECT_EQ(BoardOf(e), "Namco System 12");
  }
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
  for (size_t i = 1; i < years.size(); ++i) {
    const GameEntry& a = *FindGameByNumber(list, years[i - 1]);
    const GameEntry& b = *FindGameByNumber(list, years[i]);
    ASSERT_GE(a.year, b.year);
  }
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

TEST(ListState, SortClicksResetAndRecentGames) {
  Settings s;
  ResetSettings(s);
  s.sort_column = kColumnNumber;
  s.sort_ascending = 1;
  EXPECT_TRUE(ApplySortClick(s, kColumnNumber));
  EXPECT_EQ(s.sort_ascending, 0);
  EXPECT_TRUE(ApplySortClick(s, kColumnYear));
  EXPECT_EQ(s.sort_column, kColumnYear);
  EXPECT_EQ(s.sort_ascending, 1);
  EXPECT_FALSE(ApplySortClick(s, kColumnInfo));
  EXPECT_FALSE(ApplySortClick(s, 7));
  EXPECT_EQ(s.sort_column, kColumnYear);

  s.filter_region = "JP";
  s.filter_hardware = "Konami GV";
  s.favorites_only = 1;
  ResetFilters(s);
  EXPECT_EQ(s.filter_region, "");
  EXPECT_EQ(s.filter_hardware, "");
  EXPECT_EQ(s.sort_column, kColumnNumber);
  EXPECT_EQ(s.sort_ascending, 1);
  EXPECT_EQ(s.favorites_only, 1);

  s.filter_maker = std::string(50, 'm');
  EXPECT_EQ(SelectionFromSettings(s).value[1].size(), 39u);

  IdList recent;
  for (int32_t n = 1; n <= 10; ++n) AddRecentGame(recent, n);
  EXPECT_EQ(recent, (IdList{10, 9, 8, 7, 6, 5, 4, 3}));
  AddRecentGame(recent, 5);
  EXPECT_EQ(recent, (IdList{5, 10, 9, 8, 7, 6, 4, 3}));
}

}  // namespace

namespace {

TEST(ListState, FilterKeysOfTheSettingsFileLoadAsTheListExpects) {
  Settings s;
  ResetSettings(s);
  ParseSettingsText(s, "sort_column=3\nsort_ascending=yes\nfilter_region=JAPANESE\nfilter_genre=Fighting\n");
  EXPECT_EQ(s.sort_column, kColumnNumber);  // Info does not sort
  EXPECT_EQ(s.sort_ascending, 0);
  FilterSelection sel = SelectionFromSettings(s);
  EXPECT_EQ(sel.value[0], "JAPANES");
  EXPECT_EQ(sel.value[2], "Fighting");
  // A saved choice no game produces falls back to All; the others stay.
  FilterSelection matched = MatchSelection(BuildFilterValues(BuildGameList()), sel);
  EXPECT_EQ(matched.value[0], "");
  EXPECT_EQ(matched.value[2], "Fighting");
  ParseSettingsText(s, "sort_column=-4\n");
  EXPECT_EQ(s.sort_column, 0);
  ParseSettingsText(s, "sort_column=12\nsort_ascending=1\n");
  EXPECT_EQ(s.sort_column, kColumnYear);
  EXPECT_EQ(s.sort_ascending, 1);
}

}  // namespace
