// The colours of the current look as GDI colours and brushes, and the
// answer to the controls' colour requests. The flag is set by ApplyTheme
// (theme_win.h), the only writer.
#pragma once
#include <windows.h>

#include <cstdint>

#include "ui/palette.h"

bool IsDarkTheme();
void SetDarkThemeFlag(bool dark);

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
