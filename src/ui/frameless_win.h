// A control without a frame (no border, no scroll bars) has nothing to paint
// outside its client area, yet the default WM_NCPAINT asks the visual style
// and the display about it: under Wine, about ten trips to the server per
// control each time the window shows, moves or resizes.
#pragma once
#include <windows.h>

// Whether the window's client area fills it: nothing of a frame to paint.
bool HasNoFrame(HWND window);

// Answers WM_NCPAINT of `control` itself while it has no frame; a frame given
// later (a style change) is painted as before.
void SkipEmptyFramePaint(HWND control);
