// The main window's pure rules: menu states, status texts, the recent menu.
#include <gtest/gtest.h>

#include <set>

#include "app/main_focus.h"
#include "app/menu_bar.h"
#include "app/menu_state.h"
#include "app/recent_menu.h"
#include "app/status_text.h"
#include "catalogue/list_columns.h"
#include "settings/game_settings.h"

namespace {
// "id" per item, "-" when greyed, "v" when ticked.
std::string Menus(const MenuFacts& f) {
  std::string out;
  for (const MenuItemState& s : MenuStates(f))
    out += std::to_string(s.id) + (s.enabled ? "" : "-") + (s.checked ? "v" : "") + " ";
  return out;
}
}  // namespace

TEST(MenuStates, FollowSelectionPlayabilityTheRunningGameAndTheView) {
  MenuFacts f;
  EXPECT_EQ(Menus(f), "205- 251- 252- 206- 250- 253- 207- 104- 203- 211 224v 225 226 227 228 272 229 230 231v 232v "
                      "218v 221v 217v 219-v 222v 223v 220v 270v 271v ");
  f.has_selection = f.playable = f.has_recent = f.classic = f.favorites_only = f.only_available = true;
  f.hide_not_working = f.search_bar_shown = f.filter_bar_shown = true;
  f.toolbar_shown = f.preview_shown = false, f.theme_mode = 2, f.columns_hidden = 8 | 2 | 64 | 256;  // Info, "#", Year, Time Played
  EXPECT_EQ(Menus(f), "205 251 252 206- 250 253 207 104 203 211v 224 225 226v 227v 228v 272v 229v 230v 231 232 "
                      "218 221v 217v 219-v 222v 223 220 270v 271 ");
  MenuFacts running;
  running.running = running.has_selection = true, running.theme_mode = 1;
  EXPECT_EQ(Menus(running), "205- 251- 252- 206 250 253 207 104 203- 211 224 225v 226 227 228 272 229 230 231v 232v "
                            "218v 221v 217v 219-v 222v 223v 220v 270v 271v ");
  // Each command of the menus (Theme and List Columns included) is an item of its own, and each state has its item.
  std::set<int> ids;
  auto add = [&](int id) { EXPECT_TRUE(id <= 0 || ids.insert(id).second) << "command " << id << " twice"; };
  for (const MenuBarMenu& menu : MenuBarMenus())
    for (const MenuLine& line : menu.lines) add(line.id);
  for (const MenuLine& line : ThemeMenuLines()) add(line.id);
  for (const ColumnMenuItem& column : kColumnMenu) {  // each item shows and hides the column it names
    std::string text = column.text;
    std::erase(text, '&'), add(column.id);
    EXPECT_EQ(text, kListColumns[column.column].header) << column.id;
  }
  for (const MenuItemState& s : MenuStates(f)) EXPECT_TRUE(ids.count(s.id)) << "no item for " << s.id;
}

TEST(StatusText, NormalTextsByStateAndNotes) {
  GameList list = BuildGameList();
  StatusFacts f;
  EXPECT_EQ(NormalStatusText(f), "Ready");
  f.loading = true;
  EXPECT_EQ(NormalStatusText(f), "Loading games\xE2\x80\xA6");
  f.rescan = true;
  EXPECT_EQ(NormalStatusText(f), "Asking MAME for its games\xE2\x80\xA6");
  f.loading = false, f.has_list = true;
  EXPECT_EQ(NormalStatusText(f), "Ready");  // no list given
  f.list = &list;
  EXPECT_EQ(NormalStatusText(f), "462 games (PSX-based and Hyper Neo Geo 64 boards), 0 with ROMs");
  f.selected = &list[22], f.selected_has_roms = false;
  f.missing_zips = "sfex2.zip, coh3002c.zip", f.own_settings = true;
  EXPECT_EQ(NormalStatusText(f), "Missing in the ROMs folder: sfex2.zip, coh3002c.zip" + std::string(kOwnSettingsSuffix));
  f.selected_has_roms = true, f.hidden_not_working = 136;
  EXPECT_EQ(NormalStatusText(f), "462 games (PSX-based and Hyper Neo Geo 64 boards), 0 with ROMs   |   136 that do "
                                 "not work hidden" + std::string(kOwnSettingsSuffix));
  f.running = true, f.running_title = "Street Fighter EX2";
  EXPECT_EQ(NormalStatusText(f), "Playing: Street Fighter EX2");
  f.left_out = "Left out for this MAME: -hlsl_enable";
  EXPECT_EQ(NormalStatusText(f), "Playing: Street Fighter EX2   |   Left out for this MAME: -hlsl_enable");

  EXPECT_EQ(UnreadableFilesText({"a.cfg", "b.cfg"}),
            "Could not read a.cfg, b.cfg: each is kept with \".unreadable\" added to its name and the defaults are used");
  EXPECT_EQ(GameSettingsStatusText(false), std::string("This game follows the main settings again"));
}

TEST(RecentMenu, SkipsGamesNotInTheListNumbersWithoutGapsAndDoublesAmpersands) {
  GameList list = BuildGameList();
  list[22].title = "Rock & Roll", list[22].info = "A&B";
  list.erase(list.begin() + 9);  // game 10 is not in this list
  auto items = RecentMenuItems({23, 10, 82}, list);
  std::string text;
  for (const RecentMenuItem& item : items) text += std::to_string(item.id) + " " + std::to_string(item.game) + " " + item.text + "|";
  EXPECT_EQ(text, "600 23 &1  Rock && Roll [A&&B]|601 82 &2  Tekken 3 (World, TET2/VER.E1)|");
}

TEST(MainWindowFocus, TheListTakesItUnlessAFieldHadItAndTheFirstPressLandsOnARow) {
  using F = FocusHolder;
  for (auto [had, gets] : {std::pair{F::kNone, F::kGameList}, {F::kGameList, F::kGameList},
                           {F::kSearchBox, F::kSearchBox}, {F::kControl, F::kControl}})
    EXPECT_EQ(FocusOnActivation(had), gets) << static_cast<int>(had);
  // Nothing selected: the first row; a kept selection stays; an empty list has none.
  EXPECT_TRUE(FirstPressRow(-1, 462) == 0 && FirstPressRow(5, 462) == 5 && FirstPressRow(-1, 0) == -1 &&
              FirstPressRow(-1, 1) == 0 && FirstPressRow(3, 2) == 0);
}
