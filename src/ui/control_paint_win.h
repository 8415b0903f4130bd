// Shared pieces of the controls the launcher paints itself.
#pragma once
#include <windows.h>

#include <string>

using Painter = void (*)(HWND window, HDC dc, const RECT& client);

void FillColour(HDC dc, const RECT& rect, COLORREF colour);

// Answers WM_ERASEBKGND (nothing to erase), WM_PAINT (through a bitmap, so the
// control never flickers) and WM_PRINTCLIENT with the painter; false for
// every other message.
bool PaintMessage(HWND window, UINT message, WPARAM wparam, Painter painter, LRESULT* result);

// The whole answer of a subclass procedure for a system control painted by
// `painter`: the paint messages, and every other message passed on. After a
// message that `changes_look` names, the control is repainted at once: the
// system's control may have drawn itself there, past WM_PAINT.
LRESULT PaintedControlMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, Painter painter,
                              bool (*changes_look)(UINT message));

// One line of text in the control's own font, transparent over what lies beneath.
void DrawLabel(HWND window, HDC dc, const std::wstring& text, RECT rect, COLORREF colour, UINT format);

// The control's window text.
std::wstring WindowText(HWND window);

// A chevron of two strokes centred in `box`, `radius` wide each side.
enum class Pointing { kUp, kDown, kLeft, kRight };
void DrawChevron(HDC dc, const RECT& box, int radius, COLORREF ink, Pointing way);

// The closed field of a drop-down list, drawn flat: its inside, a thin line
// round it, the chevron at the right and the chosen entry, on the selection
// colour while the field has the focus and its list is closed.
struct DropFace {
  HBRUSH inside;
  COLORREF border;
  bool enabled;
  bool highlighted;
  std::wstring text;
};
void PaintDropFace(HWND window, HDC dc, const RECT& client, const DropFace& face);
