#include "ui/control_paint_win.h"

#include <algorithm>

#include "ui/frameless_win.h"
#include "ui/offscreen_paint_win.h"
#include "ui/subclass_win.h"
#include "ui/theme_colours_win.h"
#include "ui/ui_metrics_win.h"

namespace {
void PaintBuffered(HWND window, Painter painter) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  if (client.right > 0 && client.bottom > 0) {
    OffscreenPaint buffered(dc, client);
    painter(window, buffered.dc(), client);
  }
  EndPaint(window, &ps);
}

void PaintInto(HWND window, HDC dc, Painter painter) {
  RECT client;
  GetClientRect(window, &client);
  painter(window, dc, client);
}
}  // namespace

void FillColour(HDC dc, const RECT& rect, COLORREF colour) { FillRect(dc, &rect, KeptBrush(colour)); }

bool PaintMessage(HWND window, UINT message, WPARAM wparam, Painter painter, LRESULT* result) {
  switch (message) {
    case WM_ERASEBKGND:
      *result = 1;
      return true;
    case WM_PAINT:
      if (wparam)
        PaintInto(window, reinterpret_cast<HDC>(wparam), painter);
      else
        PaintBuffered(window, painter);
      *result = 0;
      return true;
    case WM_NCPAINT:
      if (!HasNoFrame(window)) return false;
      *result = 0;
      return true;
    case WM_PRINTCLIENT:
      PaintInto(window, reinterpret_cast<HDC>(wparam), painter);
      *result = 0;
      return true;
  }
  return false;
}

LRESULT PaintedControlMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, Painter painter,
                              bool (*changes_look)(UINT message)) {
  LRESULT result = 0;
  if (PaintMessage(window, message, wparam, painter, &result)) return result;
  result = CallNextSubclass(window, message, wparam, lparam);
  if (changes_look(message) && IsWindow(window)) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
  }
  return result;
}

void DrawLabel(HWND window, HDC dc, const std::wstring& text, RECT rect, COLORREF colour, UINT format) {
  HGDIOBJ old_font = nullptr;
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0))) old_font = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_SINGLELINE);
  if (old_font) SelectObject(dc, old_font);
}

std::wstring WindowText(HWND window) {
  std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return text;
}

void DrawChevron(HDC dc, const RECT& box, int radius, COLORREF ink, Pointing way) {
  HPEN pen = CreatePen(PS_SOLID, std::max(1, S(1)), ink);
  HGDIOBJ old_pen = SelectObject(dc, pen);
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2, r = radius;
  const int tip = way == Pointing::kUp || way == Pointing::kLeft ? -1 : 1;
  const bool sideways = way == Pointing::kLeft || way == Pointing::kRight;
  // Drawn as if pointing up or down (along, across), turned for left and
  // right. The last point one further: a line leaves out its end point.
  const POINT shape[3] = {{-r, -tip * (r / 2)}, {0, tip * (r / 2)}, {r + 1, -tip * (r / 2 + 1)}};
  POINT chevron[3];
  for (int i = 0; i < 3; ++i)
    chevron[i] = sideways ? POINT{cx + shape[i].y, cy + shape[i].x} : POINT{cx + shape[i].x, cy + shape[i].y};
  Polyline(dc, chevron, 3);
  SelectObject(dc, old_pen);
  DeleteObject(pen);
}

void PaintDropFace(HWND window, HDC dc, const RECT& client, const DropFace& face) {
  FillRect(dc, &client, face.inside);
  FrameRect(dc, &client, KeptBrush(face.border));
  RECT button = client;
  button.left = client.right - std::min<int>(S(20), client.right / 2);
  const COLORREF ink = face.enabled ? TextColour() : DimTextColour();
  DrawChevron(dc, button, std::max(3, S(4)), ink, Pointing::kDown);

  RECT text = client;
  text.right = button.left;
  InflateRect(&text, -S(2), -S(2));
  if (face.highlighted) {
    FillColour(dc, text, ThemeColour(ColourRole::Selection));
    DrawFocusRect(dc, &text);
  }
  if (face.text.empty()) return;
  RECT label = text;
  label.left += S(3);
  DrawLabel(window, dc, face.text, label, face.highlighted ? ThemeColour(ColourRole::SelectionText) : ink,
            DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}
