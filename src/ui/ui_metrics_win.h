// What every window of the launcher shares: the screen's DPI, the message
// font and the program icon. Set once by InitUiMetrics at start-up.
#pragma once
#include <windows.h>

#include "ui/scale.h"

struct UiMetrics {
  int dpi = 96;                // the screen's horizontal logical pixels per inch, at least 96
  HFONT font = nullptr;        // the system's message font (or the default GUI font)
  HICON icon_large = nullptr;  // the program icon in the large and small system sizes
  HICON icon_small = nullptr;
  HINSTANCE instance = nullptr;
};

UiMetrics& Ui();
// Reads the DPI and the message font and loads the program icon (the first
// icon resource among 1 to 32 that loads).
void InitUiMetrics(HINSTANCE instance);
// Tests and windows on another monitor may set another DPI.
void SetUiDpi(int dpi);

// A size in 96-DPI units at the current DPI.
inline int S(int value) { return ScaleForDpi(value, Ui().dpi); }
// A system metric (SM_CXVSCROLL...) at the current DPI: a window on a screen
// of another DPI than the primary one has frames and bars of that DPI.
int SystemMetric(int index);

// Registers a window class of the launcher: arrow cursor, no background
// brush (the windows paint the face of the look), the program icon when
// `with_icon`. A class registered before counts as done.
bool RegisterLauncherClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, bool with_icon);

// Gives a control the shared font (WM_SETFONT without redraw).
void SetUiFont(HWND control);
