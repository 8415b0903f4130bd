// Ticks and enabled states of the menu bar, worked out from the window's
// state when a menu opens.
#pragma once
#include <vector>

struct MenuFacts {
  bool has_selection = false;
  bool playable = false;  // selected, nothing runs, MAME knows the set, ROMs present
  bool running = false;
  bool classic = false;
  bool favorites_only = false, only_available = false, hide_not_working = false;
  bool search_bar_shown = false, toolbar_shown = true, filter_bar_shown = false, preview_shown = true;
  int theme_mode = 0;
  int columns_hidden = 0;
  bool has_recent = false;
};

// View > Show Preview (Ctrl+P).
constexpr int kPreviewCommand = 232;
// View > Hide Games That Do Not Work.
constexpr int kHideNotWorkingCommand = 272;
// The preview's previous and next picture (Ctrl+PgUp, Ctrl+PgDn).
constexpr int kPreviousPictureCommand = 273;
constexpr int kNextPictureCommand = 274;

struct MenuItemState {
  int id;
  bool enabled;
  bool checked;
  bool operator==(const MenuItemState&) const = default;
};

std::vector<MenuItemState> MenuStates(const MenuFacts& facts);

// The column menu (View > List Columns and the header's right-click menu):
// the command ids in display order and their names.
struct ColumnMenuItem {
  int id;
  int column;
  const char* text;
};
extern const ColumnMenuItem kColumnMenu[9];
// The list column of a column command, or -1.
int ColumnOfCommand(int id);
