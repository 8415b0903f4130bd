#include "ui/flat_status_bar_win.h"

#include <commctrl.h>

#include <cwchar>
#include <string>

#include "ui/control_paint_win.h"
#include "ui/subclass_win.h"
#include "ui/theme_colours_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr UINT_PTR kFlatStatusBarId = 0x4B53;
constexpr int kLongestStatusText = 598;

// The grip shows only where it works: not while the window is maximised.
bool GripShown(HWND status) {
  return (GetWindowLongPtrW(status, GWL_STYLE) & SBARS_SIZEGRIP) && !IsZoomed(GetAncestor(status, GA_ROOT));
}

// Six dots in a triangle in the bottom right corner, as the system's grip.
void PaintGrip(HDC dc, const RECT& client) {
  const int dot = S(2), step = S(4), margin = S(2);
  HBRUSH brush = KeptBrush(DimTextColour());
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3 - row; ++column) {
      const int right = client.right - margin - column * step, bottom = client.bottom - margin - row * step;
      RECT r = {right - dot, bottom - dot, right, bottom};
      FillRect(dc, &r, brush);
    }
}

void PaintStatusBar(HWND status, HDC dc, const RECT& client) {
  FillColour(dc, client, FaceColour());
  FillColour(dc, {client.left, client.top, client.right, client.top + 1}, ThemeColour(ColourRole::Separator));
  const bool grip = GripShown(status);
  if (grip) PaintGrip(dc, client);
  int length = LOWORD(SendMessageW(status, SB_GETTEXTLENGTHW, 0, 0));
  if (length < 1 || length > kLongestStatusText) return;
  std::wstring text(length + 1, L'\0');
  SendMessageW(status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
  text.resize(wcsnlen(text.c_str(), length));
  RECT part = client;
  SendMessageW(status, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part));
  RECT rect = {part.left + S(6), client.top, part.right - (grip ? S(14) : 0), client.bottom};
  DrawLabel(status, dc, text, rect, TextColour(), DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

LRESULT CALLBACK FlatStatusBarProc(HWND status, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR) {
  LRESULT result = 0;
  if (PaintMessage(status, message, wparam, PaintStatusBar, &result)) return result;
  if (message == WM_NCDESTROY) RemoveSubclass(status, FlatStatusBarProc, id);
  return CallNextSubclass(status, message, wparam, lparam);
}
}  // namespace

void FlatStatusBar(HWND status) {
  if (status && AddSubclass(status, FlatStatusBarProc, kFlatStatusBarId, 0)) InvalidateRect(status, nullptr, TRUE);
}
