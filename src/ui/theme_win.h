// Light and dark looks (stand-in until the theme module lands).
#pragma once
#include <windows.h>

void ApplyTheme(bool dark);
bool IsDarkTheme();
void DarkTitleBar(HWND window);
void ThemeControl(HWND control, const wchar_t* class_name);
COLORREF FaceColour();
COLORREF ControlBackgroundColour();
COLORREF TextColour();
COLORREF DimTextColour();
COLORREF PanelColour();
HBRUSH FaceBrush();
HBRUSH ControlBackgroundBrush();
COLORREF LinkColour();
bool ControlColours(UINT message, HDC dc, HWND control, bool page, LRESULT* result);
