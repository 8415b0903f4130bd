// Controls the dark look paints itself: the settings tab strip, the status
// bar and the list header. Each function does nothing in the light look.
#pragma once
#include <windows.h>

#include "ui/dark_menu_bar_win.h"  // the menu bar is painted by a message filter of its own

void DarkTabs(HWND tab);
void DarkStatusBar(HWND status);
// ThemeControl installs these on a list view (its header, and its sunken
// edge or border, which the system would draw in light colours) and the
// edge on edit fields and drop-down lists.
void DarkHeader(HWND header);
void DarkEdge(HWND control);

// Whether one of the painters above is installed on the window.
bool HasDarkPainting(HWND window);
