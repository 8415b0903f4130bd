// Owner-drawn push buttons that show a sign or a picture rather than their
// window text, which stays their name for screen readers. They look like
// the other push buttons of the look.
#pragma once
#include <windows.h>

// The body of such a button: drawn, with the colours of what goes on it.
struct ButtonBody {
  COLORREF face;  // under the sign
  COLORREF ink;   // of the sign
  RECT inside;    // where the sign goes (moved while pushed)
};
ButtonBody DrawButtonBody(const DRAWITEMSTRUCT* item);
// A text centred on the body, in its ink.
void DrawButtonText(const DRAWITEMSTRUCT* item, const ButtonBody& body, const wchar_t* text);
// The focus frame, when the button has the focus and the frame shows.
void DrawButtonFocus(const DRAWITEMSTRUCT* item, COLORREF ink);

// Lets an owner-drawn button show `glyph` (a text kept for the button's
// life, such as "\u00D7"); its parent passes WM_DRAWITEM to DrawGlyphButton,
// which draws it and is false for other items.
void ShowGlyph(HWND button, const wchar_t* glyph);
bool DrawGlyphButton(const DRAWITEMSTRUCT* item);
