// A window's own scroll bars in the dark palette, where the platform has no
// dark mode to draw them (older systems, Wine): the system keeps drawing them
// light, outside the window's paint, so they are painted over each time it
// may have drawn them.
#pragma once
#include <windows.h>

// Dark look only; a window that has no scroll bar now may show one later.
void DarkScrollBars(HWND window);

// For code that set a bar with redraw (SetScrollInfo) outside the window's
// own messages: the system drew it light again.
void RepaintDarkScrollBars(HWND window);
