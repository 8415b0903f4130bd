// Where the keyboard focus goes in the main window, as rules apart from the
// window: when the window becomes active again, and for the first press that
// goes into the game list.
#pragma once
#include <cstdint>

// What had the focus when the main window last lost it.
enum class FocusHolder : uint8_t {
  kNone,       // the window itself, a bar without keys of its own, or a control hidden or disabled since
  kGameList,
  kSearchBox,
  kControl,    // another control that takes the focus: a filter, a field of the options area
};

// The control that gets the focus when the main window becomes active (at
// start, and whenever a dialog, a box, the options window or another program
// gave it back): the field the user had put it in keeps it, else the game
// list takes it, so that the first press moves the selection.
FocusHolder FocusOnActivation(FocusHolder had_it);

// The row the first Down or Up into the game list selects while it has no
// selection, or that Down from the search field goes to: the selected row,
// else the first one; -1 for an empty list.
int FirstPressRow(int selected_row, int row_count);
