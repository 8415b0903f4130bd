#include "ui/flat_header_win.h"

#include <commctrl.h>

#include "ui/control_paint_win.h"
#include "ui/subclass_win.h"
#include "ui/theme_colours_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr UINT_PTR kFlatHeaderId = 0x4B48;

struct HeaderState {
  int hot = -1;      // the item under the pointer
  int pressed = -1;  // the item held down by the left button
  bool leave_asked = false;
};

LRESULT CALLBACK FlatHeaderProc(HWND header, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                DWORD_PTR data);

HeaderState* StateOf(HWND header) {
  DWORD_PTR data = 0;
  return FindSubclass(header, FlatHeaderProc, kFlatHeaderId, &data) ? reinterpret_cast<HeaderState*>(data) : nullptr;
}

void DrawSortArrow(HDC dc, const RECT& item, bool up) {
  int half = S(3);
  int x = item.right - S(10), y = (item.top + item.bottom) / 2;
  int tip = up ? y - half / 2 - 1 : y + half / 2 + 1;
  int base = up ? y + half / 2 + 1 : y - half / 2 - 1;
  POINT points[3] = {{x - half, base}, {x + half, base}, {x, tip}};
  HBRUSH brush = KeptBrush(TextColour());
  HPEN pen = CreatePen(PS_SOLID, 1, TextColour());
  HGDIOBJ old_brush = SelectObject(dc, brush), old_pen = SelectObject(dc, pen);
  Polygon(dc, points, 3);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  DeleteObject(pen);
}

COLORREF ItemColour(const HeaderState* state, int item) {
  if (state && item == state->pressed) return ThemeColour(ColourRole::ToolPushed);
  if (state && item == state->hot && state->pressed < 0) return ThemeColour(ColourRole::ToolHot);
  return PanelColour();
}

void PaintHeader(HWND header, HDC dc, const RECT& client) {
  const HeaderState* state = StateOf(header);
  FillColour(dc, client, PanelColour());
  COLORREF separator = ThemeColour(ColourRole::Separator);
  int count = Header_GetItemCount(header);
  for (int i = 0; i < count; ++i) {
    RECT rect;
    if (!Header_GetItemRect(header, i, &rect) || rect.right <= rect.left) continue;
    if (COLORREF back = ItemColour(state, i); back != PanelColour()) FillColour(dc, rect, back);
    FillColour(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, separator);
    FillColour(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, separator);
    wchar_t text[260] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = 260;
    Header_GetItem(header, i, &item);
    UINT align = (item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT    ? DT_RIGHT
                 : (item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                                                              : DT_LEFT;
    // The wider right margin makes room for the sort triangle only where it is drawn.
    const bool sorted = item.fmt & (HDF_SORTUP | HDF_SORTDOWN);
    RECT label = {rect.left + S(6), rect.top, rect.right - S(sorted ? 14 : 6), rect.bottom};
    DrawLabel(header, dc, text, label, TextColour(), align | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (sorted) DrawSortArrow(dc, rect, item.fmt & HDF_SORTUP);
  }
}

// The item a point is on, away from its dividers (where a press resizes
// rather than clicks), or -1.
int ItemAt(HWND header, LPARAM point) {
  HDHITTESTINFO hit = {};
  hit.pt = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  int item = static_cast<int>(SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & HHT_ONHEADER) && !(hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? item : -1;
}

void RedrawItem(HWND header, int item) {
  RECT rect;
  if (item >= 0 && Header_GetItemRect(header, item, &rect)) InvalidateRect(header, &rect, FALSE);
}

void SetHot(HWND header, HeaderState& state, int item) {
  if (item == state.hot) return;
  RedrawItem(header, state.hot);
  state.hot = item;
  RedrawItem(header, item);
}

void SetPressed(HWND header, HeaderState& state, int item) {
  if (item == state.pressed) return;
  RedrawItem(header, state.pressed);
  state.pressed = item;
  RedrawItem(header, item);
}

void AskForLeave(HWND header, HeaderState& state) {
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, header, 0};
  state.leave_asked = TrackMouseEvent(&track) != FALSE;
}

LRESULT CALLBACK FlatHeaderProc(HWND header, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                DWORD_PTR data) {
  auto& state = *reinterpret_cast<HeaderState*>(data);
  LRESULT result = 0;
  if (PaintMessage(header, message, wparam, PaintHeader, &result)) return result;
  switch (message) {
    case WM_MOUSEMOVE:
      SetHot(header, state, ItemAt(header, lparam));
      if (!state.leave_asked) AskForLeave(header, state);
      break;
    case WM_MOUSELEAVE:
      state.leave_asked = false;
      SetHot(header, state, -1);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetWindowLongPtrW(header, GWL_STYLE) & HDS_BUTTONS) SetPressed(header, state, ItemAt(header, lparam));
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      SetPressed(header, state, -1);
      // The press captured the pointer, which may end the leave notice asked
      // for before it; asked again, it comes at once if the pointer is gone.
      AskForLeave(header, state);
      break;
    case WM_NCDESTROY:
      RemoveSubclass(header, FlatHeaderProc, id);
      delete &state;
      break;
  }
  return CallNextSubclass(header, message, wparam, lparam);
}
}  // namespace

void FlatHeader(HWND header) {
  if (!header || StateOf(header)) return;
  auto* state = new HeaderState;
  if (!AddSubclass(header, FlatHeaderProc, kFlatHeaderId, reinterpret_cast<DWORD_PTR>(state))) {
    delete state;
    return;
  }
  InvalidateRect(header, nullptr, TRUE);
}
