// The light or dark look of every window: the theme flag, the platform's dark
// mode for title bars, menus and common controls, and the palette as GDI colours.
#pragma once
#include <windows.h>

#include <cstdint>

#include "ui/palette.h"

// Sets the look for the run. Called at start-up before any window exists;
// calling it again switches the flag (tests use both looks in one process).
void ApplyTheme(bool dark);
bool IsDarkTheme();

// A dark title bar for a top-level window (dark look only).
void DarkTitleBar(HWND window);
// Dark mode and dark painting for a control by its class name (dark look only):
// "BUTTON", "EDIT", "COMBOBOX", "SCROLLBAR", "SysListView32" (with its header).
void ThemeControl(HWND control, const wchar_t* class_name);

// A role's colour in the current look; the light look asks the system where
// the palette borrows its colours.
COLORREF ThemeColour(ColourRole role);
COLORREF FaceColour();
COLORREF ControlBackgroundColour();
COLORREF TextColour();
COLORREF DimTextColour();
COLORREF PanelColour();
COLORREF LinkColour();

// Brushes of the current look, kept for the run (never delete them).
HBRUSH FaceBrush();
HBRUSH ControlBackgroundBrush();
HBRUSH KeptBrush(COLORREF colour);

// Answers WM_CTLCOLOR* for a window's child control. Dark look: sets the text
// and background colours, puts the brush in *result and returns true; `page`
// marks controls on the settings pages. Light look: returns false so the caller
// runs the default handling, except for controls marked "dim", which get the
// grey text colour on the face colour.
bool ControlColours(UINT message, HDC dc, HWND control, bool page, LRESULT* result);

inline COLORREF ColourRefOf(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }
inline uint32_t RgbOf(COLORREF colour) {
  return (uint32_t{GetRValue(colour)} << 16) | (uint32_t{GetGValue(colour)} << 8) | GetBValue(colour);
}
