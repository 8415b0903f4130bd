#include "ui/dark_button_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ui/control_paint_win.h"
#include "ui/subclass_win.h"
#include "ui/theme_colours_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr UINT_PTR kButtonId = 0x4B42;

enum class Kind { kOther, kPush, kCheck };

Kind KindOf(HWND button) {
  const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
  if (style & (BS_BITMAP | BS_ICON | BS_PUSHLIKE)) return Kind::kOther;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      return Kind::kPush;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return Kind::kCheck;
  }
  return Kind::kOther;
}

void DrawFocus(HDC dc, RECT focus) {
  SetTextColor(dc, TextColour());
  SetBkColor(dc, RGB(0, 0, 0));
  DrawFocusRect(dc, &focus);
}

// A check box: its box on the field colour with a tick, its label on the
// parent's background in the colour the parent asks for (dim when disabled).
void PaintCheckBox(HWND button, HDC dc, const RECT& client) {
  auto around = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(button), WM_CTLCOLORSTATIC,
                                                      reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(button)));
  const COLORREF ink = IsWindowEnabled(button) ? GetTextColor(dc) : DimTextColour();
  FillRect(dc, &client, around ? around : FaceBrush());

  const LRESULT state = SendMessageW(button, BM_GETSTATE, 0, 0);
  const int side = S(13), top = (client.bottom - side) / 2;
  const RECT box = {client.left, top, client.left + side, top + side};
  FillColour(dc, box, ThemeColour((state & BST_PUSHED) ? ColourRole::ToolPushed : ColourRole::DialogField));
  FrameRect(dc, &box, KeptBrush(ThemeColour(ColourRole::Separator)));
  if (state & BST_INDETERMINATE) {
    RECT inner = box;
    InflateRect(&inner, -S(3), -S(3));
    FillColour(dc, inner, ink);
  } else if (state & BST_CHECKED) {
    HPEN pen = CreatePen(PS_SOLID, std::max(1, S(2)), ink);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    auto at = [&](int x, int y) { return POINT{box.left + MulDiv(x, side, 13), box.top + MulDiv(y, side, 13)}; };
    const POINT tick[3] = {at(3, 6), at(5, 9), at(10, 3)};
    Polyline(dc, tick, 3);
    SelectObject(dc, old_pen);
    DeleteObject(pen);
  }

  const LRESULT ui_state = SendMessageW(button, WM_QUERYUISTATE, 0, 0);
  const UINT format = DT_LEFT | DT_VCENTER | ((ui_state & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0);
  RECT label = {box.right + S(4), client.top, client.right, client.bottom};
  const std::wstring text = WindowText(button);
  DrawLabel(button, dc, text, label, ink, format);
  if (GetFocus() != button || (ui_state & UISF_HIDEFOCUS)) return;
  // The focus goes round the label as wide as its text.
  HGDIOBJ old_font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
  RECT measured = label;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_SINGLELINE | DT_CALCRECT);
  SelectObject(dc, old_font);
  const int height = measured.bottom - measured.top;
  label.right = std::min(client.right, measured.right + S(1));
  label.top = (client.bottom - height) / 2 - 1;
  label.bottom = label.top + height + 2;
  label.left -= S(1);
  DrawFocus(dc, label);
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
    DrawFocus(dc, focus);
  }
}

// Messages after which the button may look different.
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
    case BM_SETCHECK:
      return true;
  }
  return false;
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR kind) {
  if (message == WM_NCDESTROY) RemoveSubclass(button, ButtonProc, id);
  const Painter painter = static_cast<Kind>(kind) == Kind::kCheck ? PaintCheckBox : PaintPushButton;
  return PaintedControlMessage(button, message, wparam, lparam, painter, ChangesLook);
}
}  // namespace

void DarkButton(HWND button) {
  const Kind kind = button ? KindOf(button) : Kind::kOther;
  if (!IsDarkTheme() || kind == Kind::kOther) return;
  AddSubclass(button, ButtonProc, kButtonId, static_cast<DWORD_PTR>(kind));
  InvalidateRect(button, nullptr, TRUE);
}
