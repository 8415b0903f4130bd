// Controls the dark look paints itself: the settings tab strip, progress
// bars (no system has a dark one) (the list
// header and the status bar are painted in both looks, see flat_header_win.h
// and flat_status_bar_win.h).
// Each function does nothing in the light look.
#pragma once
#include <windows.h>

#include "ui/dark_menu_bar_win.h"  // the menu bar is painted by a message filter of its own

void DarkTabs(HWND tab);
void DarkProgress(HWND bar);
// ThemeControl installs this on a list view (its sunken edge or border,
// which the system would draw in light colours), edit fields and drop-down
// lists.
void DarkEdge(HWND control);

// Whether one of the painters above is installed on the window.
bool HasDarkPainting(HWND window);
