#include "ui/dark_spin_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/control_paint_win.h"
#include "ui/subclass_win.h"
#include "ui/theme_colours_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr UINT_PTR kSpinId = 0x4B53;
enum Pressed : DWORD_PTR { kNone, kUp, kDown };  // the subclass's data: the arrow held down

LRESULT CALLBACK SpinProc(HWND spin, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR pressed);

void PaintHalf(HDC dc, const RECT& half, bool pushed, bool enabled, bool up) {
  FillColour(dc, half, ThemeColour(pushed ? ColourRole::ToolPushed : ColourRole::DialogField));
  FrameRect(dc, &half, KeptBrush(ThemeColour(ColourRole::Separator)));
  const int room = std::min(half.right - half.left, half.bottom - half.top);
  DrawChevron(dc, half, std::clamp(room / 4, 2, S(4)), enabled ? TextColour() : DimTextColour(),
              up ? Pointing::kUp : Pointing::kDown);
}

void PaintSpin(HWND spin, HDC dc, const RECT& client) {
  DWORD_PTR pressed = kNone;
  FindSubclass(spin, SpinProc, kSpinId, &pressed);
  const bool enabled = IsWindowEnabled(spin) != FALSE;
  const int middle = (client.top + client.bottom) / 2;
  // The halves share their middle line, as the arrows share the system's.
  PaintHalf(dc, {client.left, client.top, client.right, middle + 1}, pressed == kUp, enabled, true);
  PaintHalf(dc, {client.left, middle, client.right, client.bottom}, pressed == kDown, enabled, false);
}

void Press(HWND spin, UINT_PTR id, DWORD_PTR pressed) {
  AddSubclass(spin, SpinProc, id, pressed);
  InvalidateRect(spin, nullptr, FALSE);
}

LRESULT CALLBACK SpinProc(HWND spin, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR pressed) {
  LRESULT result = 0;
  if (PaintMessage(spin, message, wparam, PaintSpin, &result)) return result;
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    RECT client;
    GetClientRect(spin, &client);
    Press(spin, id, GET_Y_LPARAM(lparam) < client.bottom / 2 ? kUp : kDown);
  } else if (pressed != kNone && (message == WM_LBUTTONUP || message == WM_CAPTURECHANGED)) {
    Press(spin, id, kNone);
  } else if (message == WM_ENABLE) {
    InvalidateRect(spin, nullptr, FALSE);
  } else if (message == WM_NCDESTROY) {
    RemoveSubclass(spin, SpinProc, id);
  }
  return CallNextSubclass(spin, message, wparam, lparam);
}
}  // namespace

void DarkSpin(HWND spin) {
  if (!IsDarkTheme() || !spin || (GetWindowLongPtrW(spin, GWL_STYLE) & UDS_HORZ)) return;
  AddSubclass(spin, SpinProc, kSpinId, kNone);
  InvalidateRect(spin, nullptr, TRUE);
}
