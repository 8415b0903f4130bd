#include "ui/dark_button_win.h"

#include <commctrl.h>

#include "ui/control_paint_win.h"
#include "ui/subclass_win.h"
#include "ui/theme_colours_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr UINT_PTR kButtonId = 0x4B42;

bool IsTextPushButton(HWND button) {
  LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
  LONG_PTR type = style & BS_TYPEMASK;
  return (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) && !(style & (BS_BITMAP | BS_ICON));
}

void PaintPushButton(HWND button, HDC dc, const RECT& client) {
  // What lies around the rounded body is the parent's own background.
  auto around = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(button), WM_CTLCOLORBTN,
                                                      reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(button)));
  FillRect(dc, &client, around ? around : FaceBrush());

  LRESULT state = SendMessageW(button, BM_GETSTATE, 0, 0);
  LRESULT ui_state = SendMessageW(button, WM_QUERYUISTATE, 0, 0);
  bool enabled = IsWindowEnabled(button);
  bool focused = GetFocus() == button;
  bool is_default = (GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  ColourRole body = !enabled                 ? ColourRole::ControlBackground
                    : (state & BST_PUSHED)   ? ColourRole::ToolPushed
                    : (state & BST_HOT)      ? ColourRole::ToolHot
                                             : ColourRole::DialogField;
  ColourRole border = enabled && (is_default || focused) ? ColourRole::TabAccent : ColourRole::Separator;
  HPEN pen = CreatePen(PS_SOLID, 1, ThemeColour(border));
  HGDIOBJ old_pen = SelectObject(dc, pen);
  HGDIOBJ old_brush = SelectObject(dc, KeptBrush(ThemeColour(body)));
  RoundRect(dc, client.left, client.top, client.right, client.bottom, S(4), S(4));
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  DeleteObject(pen);

  UINT format = DT_CENTER | DT_VCENTER | ((ui_state & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0);
  DrawLabel(button, dc, WindowText(button), client, enabled ? TextColour() : DimTextColour(), format);
  if (focused && !(ui_state & UISF_HIDEFOCUS)) {
    RECT focus = client;
    InflateRect(&focus, -S(3), -S(3));
    SetTextColor(dc, TextColour());
    SetBkColor(dc, RGB(0, 0, 0));
    DrawFocusRect(dc, &focus);
  }
}

// Messages after which the button looks different; the default handling may
// have drawn the system's button, so ours goes over it at once.
bool ChangesLook(UINT message) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_CAPTURECHANGED:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case BM_SETSTATE:
    case BM_SETSTYLE:
      return true;
  }
  return false;
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR) {
  LRESULT result = 0;
  if (PaintMessage(button, message, wparam, PaintPushButton, &result)) return result;
  if (message == WM_NCDESTROY) RemoveSubclass(button, ButtonProc, id);
  result = CallNextSubclass(button, message, wparam, lparam);
  if (ChangesLook(message) && IsWindow(button)) {
    InvalidateRect(button, nullptr, FALSE);
    UpdateWindow(button);
  }
  return result;
}
}  // namespace

void DarkPushButton(HWND button) {
  if (!IsDarkTheme() || !button || !IsTextPushButton(button)) return;
  AddSubclass(button, ButtonProc, kButtonId, 0);
  InvalidateRect(button, nullptr, TRUE);
}
