#include "app/menu_state.h"

const ColumnMenuItem kColumnMenu[7] = {
    {218, "&#"}, {221, "&Status"}, {217, "&Favorite"}, {219, "&Game"}, {222, "&Hardware"}, {223, "&Year"}, {220, "&Info"},
};

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
      {229, true, f.search_bar_shown},
      {230, true, f.filter_bar_shown},
      {231, true, f.toolbar_shown},
      {kPreviewCommand, true, f.preview_shown},
  };
  for (const ColumnMenuItem& c : kColumnMenu) {
    int column = c.id - 217;
    out.push_back({c.id, column != 2, (f.columns_hidden & (1 << column)) == 0});
  }
  return out;
}
