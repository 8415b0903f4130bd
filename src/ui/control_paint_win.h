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

// One line of text in the control's own font, transparent over what lies beneath.
void DrawLabel(HWND window, HDC dc, const std::wstring& text, RECT rect, COLORREF colour, UINT format);

// The control's window text.
std::wstring WindowText(HWND window);
