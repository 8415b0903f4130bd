// The sequence pad's 26 owner-drawn buttons (part of the Combos tab).
#pragma once
#include <windows.h>

// Creates the buttons on the page (ids kIdComboPadFirst + table index) with their tooltips.
void CreatePadButtons(HWND page, HWND tips);
// Three rows of ten equal places from (x, y) across `width`; returns the height used.
int LayoutPadButtons(int x, int y, int width, bool apply);
// The token a pad button inserts ("Del" for the remover), or null for another id.
const char* PadButtonToken(int id);
// WM_DRAWITEM of a pad button; false for any other control.
bool DrawPadButton(const DRAWITEMSTRUCT* item);
