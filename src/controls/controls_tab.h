// What the cells of the Controls tab's mapping list do: clicks, double-clicks
// and the right-click menu, by action and column.
#pragma once
#include <string>
#include <vector>

#include "controls/input_mapping.h"

enum MappingColumn { kActionColumn = 0, kKeyboardColumn = 1, kPadColumn = 2, kAutofireColumn = 3 };

enum class RowCommand { None, SetKey, SetPad, ClearKey, ClearPad, ToggleAutofire };

// A click changes only an Autofire cell of a button; a double-click sets the
// key or pad of its cell, or toggles autofire (the Action cell does nothing).
RowCommand CellClickCommand(int action, int column, bool double_click);

// The right-click menu of a row: Autofire first for a button, then the Set
// and Clear entries of the clicked cell (both kinds off the key and pad cells).
// An entry with RowCommand::None is a separator.
struct RowMenuEntry {
  RowCommand command = RowCommand::None;
  std::string label;
  bool checked = false;
};
std::vector<RowMenuEntry> RowMenuEntries(const InputMapping& m, int action, int column);

// "[x]" or "[ ]" for the twelve buttons, empty for the other actions.
std::string AutofireCellText(const InputMapping& m, int action);
