// The toolbar: one window that draws its buttons (vector icons) and
// separators in both looks and sends a button's command to its parent, as a
// clicked button would. One window rather than one per button: under Wine,
// each child window costs as much to make, place and paint as the whole
// toolbar's drawing.
#pragma once
#include <windows.h>

#include <vector>

struct ToolBarItem {
  int command_id = 0;  // 0: a separator
  int icon = -1;       // IconIndex
  RECT rect = {};      // in the bar's client coordinates
  const char* name = nullptr;  // UTF-8, what a screen reader says for the button
};

HWND CreateToolBar(HWND parent, int control_id);
// The items and where they are; states of commands that stay are kept.
void SetToolBarItems(HWND bar, const std::vector<ToolBarItem>& items);

void SetToolEnabled(HWND bar, int command_id, bool on);
bool IsToolEnabled(HWND bar, int command_id);
void SetToolChecked(HWND bar, int command_id, bool on);
bool IsToolChecked(HWND bar, int command_id);
// The button's rectangle in the bar's client coordinates; empty when there is none.
RECT ToolRect(HWND bar, int command_id);
// The bar's items, left to right.
std::vector<ToolBarItem> ToolBarItems(HWND bar);
// Does what a click on the button does, when it is enabled.
void PressTool(HWND bar, int command_id);
