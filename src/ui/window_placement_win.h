// The work area of the monitor a window or rectangle is on.
#pragma once
#include <windows.h>

#include "ui/layout_rect.h"

// The work area of the monitor that holds most of `r` (the nearest one when
// none does).
LayoutRect WorkAreaAround(const RECT& r);
// `r` (screen coordinates) wholly inside the work area of its monitor.
RECT KeepOnItsMonitor(const RECT& r, bool may_shrink);
// WM_DPICHANGED (the window went to a monitor of another DPI): the window
// takes the rectangle the system suggests and is painted again whole. Its
// controls keep the scale of the DPI the launcher started at.
void FollowDpiChange(HWND window, LPARAM suggested);
