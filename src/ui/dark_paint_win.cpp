#include "ui/dark_paint_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ui/control_paint_win.h"
#include "ui/subclass_win.h"
#include "ui/theme_colours_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr UINT_PTR kPainterId = 0x4B44;  // one id for the painters: a window gets at most one
constexpr wchar_t kPaintedProperty[] = L"korvo-dark-paint";

void PaintTabs(HWND tab, HDC dc, const RECT& client) {
  FillColour(dc, client, ThemeColour(ColourRole::Face));
  int count = TabCtrl_GetItemCount(tab);
  int selected = TabCtrl_GetCurSel(tab);
  for (int i = 0; i < count; ++i) {
    RECT rect;
    if (!TabCtrl_GetItemRect(tab, i, &rect)) continue;
    bool is_selected = i == selected;
    FillColour(dc, rect, is_selected ? ControlBackgroundColour() : FaceColour());
    wchar_t text[128] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 128;
    TabCtrl_GetItem(tab, i, &item);
    DrawLabel(tab, dc, text, rect, is_selected ? TextColour() : DimTextColour(), DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    if (is_selected) FillColour(dc, {rect.left, rect.top, rect.right, rect.top + 2}, ThemeColour(ColourRole::TabAccent));
  }
}

// The track on the field colour, the part done in the accent, a thin line round.
void PaintProgress(HWND bar, HDC dc, const RECT& client) {
  FillColour(dc, client, ThemeColour(ColourRole::DialogField));
  PBRANGE range = {};
  SendMessageW(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  const int span = range.iHigh - range.iLow, done = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)) - range.iLow;
  if (span > 0 && done > 0) {
    RECT part = client;
    part.right = client.left + MulDiv(client.right - client.left, std::min(done, span), span);
    FillColour(dc, part, ThemeColour(ColourRole::TabAccent));
  }
  FrameRect(dc, &client, KeptBrush(ThemeColour(ColourRole::Separator)));
}

LRESULT CALLBACK PainterProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR data) {
  LRESULT result = 0;
  if (PaintMessage(window, message, wparam, reinterpret_cast<Painter>(data), &result)) return result;
  if (message == WM_NCDESTROY) {
    RemovePropW(window, kPaintedProperty);
    RemoveSubclass(window, PainterProc, id);
  }
  return CallNextSubclass(window, message, wparam, lparam);
}

bool IsComboBox(HWND window) {
  wchar_t name[16] = L"";
  return GetClassNameW(window, name, 16) && lstrcmpiW(name, WC_COMBOBOXW) == 0;
}

// The edge the system draws round a control: its client edge or border, or
// the sunken edge a drop-down list draws inside its client area.
int EdgeWidth(HWND window) {
  if (IsComboBox(window)) return GetSystemMetrics(SM_CXEDGE);
  if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) return GetSystemMetrics(SM_CXEDGE);
  return (GetWindowLongPtrW(window, GWL_STYLE) & WS_BORDER) ? 1 : 0;
}

// What a control paints its inside with: an edit field or a drop-down list
// asks its parent, as it does itself (a disabled or read-only one as a
// static control); a list is the control background.
HBRUSH InsideBrush(HWND window, HDC dc) {
  wchar_t name[16] = L"";
  GetClassNameW(window, name, 16);
  const bool edit = lstrcmpiW(name, L"Edit") == 0;
  if (!edit && !IsComboBox(window)) return ControlBackgroundBrush();
  const bool read_only = edit && (GetWindowLongPtrW(window, GWL_STYLE) & ES_READONLY);
  const UINT message = !IsWindowEnabled(window) || read_only ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(window), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  return brush ? brush : ControlBackgroundBrush();
}

// The edge is painted over once the control has drawn its frame and scroll
// bars: a thin line round it, the rest of the edge like its inside.
void PaintEdge(HWND window) {
  int edge = EdgeWidth(window);
  RECT frame;
  if (!edge || !GetWindowRect(window, &frame)) return;
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  RECT ring = {0, 0, frame.right - frame.left, frame.bottom - frame.top};
  FrameRect(dc, &ring, KeptBrush(ThemeColour(ColourRole::Separator)));
  HBRUSH inside = InsideBrush(window, dc);
  for (int i = 1; i < edge; ++i) {
    InflateRect(&ring, -1, -1);
    FrameRect(dc, &ring, inside);
  }
  ReleaseDC(window, dc);
}

LRESULT CALLBACK EdgeProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR) {
  if (message == WM_NCPAINT || (message == WM_PAINT && !wparam && IsComboBox(window))) {
    LRESULT result = CallNextSubclass(window, message, wparam, lparam);
    PaintEdge(window);
    return result;
  }
  if (message == WM_ENABLE) {  // the inside changes colour, the edge with it
    LRESULT result = CallNextSubclass(window, message, wparam, lparam);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    return result;
  }
  if (message == WM_NCDESTROY) RemoveSubclass(window, EdgeProc, id);
  return CallNextSubclass(window, message, wparam, lparam);
}

void Install(HWND window, Painter painter) {
  if (!IsDarkTheme() || !window) return;
  if (!AddSubclass(window, PainterProc, kPainterId, reinterpret_cast<DWORD_PTR>(painter))) return;
  SetPropW(window, kPaintedProperty, reinterpret_cast<HANDLE>(1));
  InvalidateRect(window, nullptr, TRUE);
}
}  // namespace

void DarkTabs(HWND tab) { Install(tab, PaintTabs); }

void DarkProgress(HWND bar) { Install(bar, PaintProgress); }

void DarkEdge(HWND control) {
  if (!IsDarkTheme() || !control) return;
  AddSubclass(control, EdgeProc, kPainterId, 0);
  RedrawWindow(control, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool HasDarkPainting(HWND window) { return GetPropW(window, kPaintedProperty) != nullptr; }
