#include "ui/theme_colours_win.h"

#include <vector>

namespace {
bool g_dark = false;

bool IsMarkedDim(HWND control) { return GetPropW(control, L"dim") != nullptr; }
}  // namespace

bool IsDarkTheme() { return g_dark; }
void SetDarkThemeFlag(bool dark) { g_dark = dark; }

COLORREF ThemeColour(ColourRole role) {
  PaletteEntry entry = PaletteFor(role);
  if (g_dark) return ColourRefOf(entry.dark_rgb);
  if (entry.light_system_index >= 0) return GetSysColor(entry.light_system_index);
  return ColourRefOf(entry.light_rgb);
}

COLORREF FaceColour() { return ThemeColour(ColourRole::Face); }
COLORREF ControlBackgroundColour() { return ThemeColour(ColourRole::ControlBackground); }
COLORREF TextColour() { return ThemeColour(ColourRole::Text); }
COLORREF DimTextColour() { return ThemeColour(ColourRole::DimText); }
COLORREF PanelColour() { return ThemeColour(ColourRole::Panel); }
COLORREF LinkColour() { return ThemeColour(ColourRole::Link); }

HBRUSH KeptBrush(COLORREF colour) {
  struct Kept {
    COLORREF colour;
    HBRUSH brush;
  };
  static std::vector<Kept> kept;
  for (const Kept& k : kept)
    if (k.colour == colour) return k.brush;
  HBRUSH brush = CreateSolidBrush(colour);
  kept.push_back({colour, brush});
  return brush;
}

HBRUSH FaceBrush() { return g_dark ? KeptBrush(FaceColour()) : GetSysColorBrush(COLOR_3DFACE); }
HBRUSH ControlBackgroundBrush() { return g_dark ? KeptBrush(ControlBackgroundColour()) : GetSysColorBrush(COLOR_WINDOW); }

bool ControlColours(UINT message, HDC dc, HWND control, bool page, LRESULT* result) {
  if (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC || !result) return false;
  if (!g_dark) {
    if (message != WM_CTLCOLORSTATIC || !IsMarkedDim(control)) return false;
    SetTextColor(dc, DimTextColour());
    SetBkColor(dc, FaceColour());
    *result = reinterpret_cast<LRESULT>(FaceBrush());
    return true;
  }
  COLORREF background;
  if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
    background = ThemeColour(ColourRole::DialogField);
    SetTextColor(dc, TextColour());
  } else {
    background = page ? ControlBackgroundColour() : FaceColour();
    bool dim = (control && !IsWindowEnabled(control)) || IsMarkedDim(control);
    SetTextColor(dc, dim ? DimTextColour() : TextColour());
  }
  SetBkColor(dc, background);
  *result = reinterpret_cast<LRESULT>(KeptBrush(background));
  return true;
}
