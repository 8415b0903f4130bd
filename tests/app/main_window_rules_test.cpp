// The main window's pure rules: menu states, status texts, the recent menu.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/keyboard_shortcuts.h"
#include "app/menu_state.h"
#include "app/recent_menu.h"
#include "app/status_text.h"
#include "controls/pad_navigation.h"

namespace {
MenuItemState Find(const std::vector<MenuItemState>& states, int id) {
  auto it = std::find_if(states.begin(), states.end(), [id](const MenuItemState& s) { return s.id == id; });
  return it == states.end() ? MenuItemState{-1, false, false} : *it;
}
}  // namespace

TEST(MenuStates, GameMenuFollowsSelectionPlayabilityAndTheRunningGame) {
  MenuFacts none;
  auto s = MenuStates(none);
  for (int id : {205, 251, 252, 206, 250, 253, 207, 104}) EXPECT_FALSE(Find(s, id).enabled) << id;

  MenuFacts missing_roms;
  missing_roms.has_selection = true;
  s = MenuStates(missing_roms);
  EXPECT_FALSE(Find(s, 205).enabled);
  for (int id : {250, 253, 207, 104}) EXPECT_TRUE(Find(s, id).enabled) << id;

  MenuFacts running = missing_roms;
  running.running = true;
  s = MenuStates(running);
  EXPECT_TRUE(Find(s, 206).enabled);
  EXPECT_FALSE(Find(s, 251).enabled);
}

TEST(MenuStates, TicksAndTheColumnMenu) {
  MenuFacts f;
  f.classic = true;
  f.theme_mode = 2;
  f.columns_hidden = 8 | 2;  // Info and "#"
  f.search_bar_shown = true;
  auto s = MenuStates(f);
  EXPECT_TRUE(Find(s, 211).checked);
  EXPECT_TRUE(Find(s, 226).checked);
  EXPECT_FALSE(Find(s, 224).checked);
  EXPECT_TRUE(Find(s, 229).checked);
  EXPECT_FALSE(Find(s, 220).checked);  // Info hidden
  EXPECT_FALSE(Find(s, 218).checked);  // "#" hidden
  EXPECT_TRUE(Find(s, 222).checked);
  EXPECT_EQ(Find(s, 219), (MenuItemState{219, false, true}));  // "Game": always shown, greyed
  EXPECT_FALSE(Find(s, 203).enabled);  // no recent games
  // The column menu lists the columns in display order.
  const int expected[7] = {218, 221, 217, 219, 222, 223, 220};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(kColumnMenu[i].id, expected[i]);
}

TEST(StatusText, NormalTextsByState) {
  GameList list = BuildGameList();
  StatusFacts f;
  EXPECT_EQ(NormalStatusText(f), "Ready");
  f.loading = true;
  EXPECT_EQ(NormalStatusText(f), "Loading games\xE2\x80\xA6");
  f.rescan = true;
  EXPECT_EQ(NormalStatusText(f), "Asking MAME for its games\xE2\x80\xA6");
  f.loading = false;
  f.has_list = true;
  f.list = &list;
  f.mame_found = false;
  EXPECT_EQ(NormalStatusText(f), "mame.exe was not found (General tab > MAME Program)   |   462 games listed");
  f.mame_found = true;
  f.selected = &list[22];
  f.selected_has_roms = false;
  f.missing_zips = "sfex2.zip, coh3002c.zip";
  f.own_settings = true;
  EXPECT_EQ(NormalStatusText(f), "Missing in the ROMs folder: sfex2.zip, coh3002c.zip" + std::string(kOwnSettingsSuffix));
  f.running = true;
  f.running_title = "Street Fighter EX2";
  EXPECT_EQ(NormalStatusText(f), "Playing: Street Fighter EX2");
}

TEST(RecentMenu, SkipsGamesNotInTheListNumbersWithoutGapsAndDoublesAmpersands) {
  GameList list = BuildGameList();
  list[22].title = "Rock & Roll";
  list[22].info = "A&B";
  list.erase(list.begin() + 9);  // game 10 is not in this list
  auto items = RecentMenuItems({23, 10, 82}, list);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].id, 600);
  EXPECT_EQ(items[0].text, "&1  Rock && Roll [A&&B]");
  EXPECT_EQ(items[1].id, 601);
  EXPECT_EQ(items[1].game, 82);
  EXPECT_EQ(items[1].text.rfind("&2  ", 0), 0u);
}

TEST(KeyboardShortcuts, FiveGroupsSeparatedByEmptyRowsThePadAfterTheLauncher) {
  auto rows = KeyboardShortcutRows();
  EXPECT_EQ(rows.size(), 48u + PadShortcutRows().size() + 1);
  int empty = static_cast<int>(std::count(rows.begin(), rows.end(), std::pair<std::string, std::string>{"", ""}));
  EXPECT_EQ(empty, 5);
  EXPECT_EQ(rows.front().first, "LAUNCHER");
  EXPECT_EQ(rows[10].first, "PAD");
}
