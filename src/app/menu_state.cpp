#include "app/menu_state.h"

const ColumnMenuItem kColumnMenu[9] = {
    {218, 1, "&#"},    {221, 4, "&Status"}, {217, 0, "&Favorite"},    {219, 2, "&Game"},        {222, 5, "&Hardware"},
    {223, 6, "&Year"}, {220, 3, "&Info"},   {270, 7, "&Last Played"}, {271, 8, "&Time Played"},
};

int ColumnOfCommand(int id) {
  for (const ColumnMenuItem& c : kColumnMenu)
    if (c.id == id) return c.column;
  return -1;
}

std::vector<MenuItemState> MenuStates(const MenuFacts& f) {
  std::vector<MenuItemState> out = {
      {205, f.playable, false},        // Play
      {251, f.playable, false},        // Play Fullscreen
      {252, f.playable, false},        // Play Windowed
      {206, f.running, false},         // Stop
      {250, f.has_selection, false},   // Game Settings
      {253, f.has_selection, false},   // Check ROM Set
      {207, f.has_selection, false},   // Toggle Favorite
      {104, f.has_selection, false},   // Create Desktop Icon
      {203, f.has_recent, false},      // Clear Recent Files
      {211, true, f.classic},
      {224, true, f.theme_mode == 0},
      {225, true, f.theme_mode == 1},
      {226, true, f.theme_mode == 2},
      {227, true, f.favorites_only},
      {228, true, f.only_available},
      {kHideNotWorkingCommand, true, f.hide_not_working},
      {229, true, f.search_bar_shown},
      {230, true, f.filter_bar_shown},
      {231, true, f.toolbar_shown},
      {kPreviewCommand, true, f.preview_shown},
  };
  for (const ColumnMenuItem& c : kColumnMenu)
    out.push_back({c.id, c.column != 2, (f.columns_hidden & (1 << c.column)) == 0});
  return out;
}
