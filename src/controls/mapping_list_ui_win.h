// The windows of the Controls tab's mapping group, and the list's cells.
#pragma once
#include <windows.h>

struct ControlsMappingWindows {
  HWND profile_label = nullptr, profile = nullptr;
  HWND save = nullptr, save_as = nullptr, rename = nullptr, remove = nullptr;
  HWND help = nullptr, list = nullptr;
  HWND set_key = nullptr, set_pad = nullptr, clear = nullptr, defaults = nullptr, open_cfg = nullptr;
};
ControlsMappingWindows& MappingWindows();

// The action of a list row, or -1.
int ActionOfRow(int row);
// Rewrites the Keyboard, Pad and Autofire cells of all 25 rows from the mapping.
void RefreshMappingCells();
