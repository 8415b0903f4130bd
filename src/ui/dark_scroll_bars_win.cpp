#include "ui/dark_scroll_bars_win.h"

#include <algorithm>

#include "ui/control_paint_win.h"
#include "ui/subclass_win.h"
#include "ui/theme_colours_win.h"

namespace {
constexpr UINT_PTR kScrollBarsId = 0x4B42;
constexpr int kNotDragged = -1;

// What the bars showed when they were last painted; a change means the system
// drew them anew.
struct Bars {
  LONG style = 0;
  SCROLLINFO vertical = {}, horizontal = {};
  int dragged = kNotDragged;  // SB_VERT or SB_HORZ while its thumb is dragged
};

SCROLLINFO BarState(HWND window, int bar) {
  SCROLLINFO info = {sizeof info, SIF_ALL};
  if (!GetScrollInfo(window, bar, &info)) info = {};
  return info;
}

bool SameState(const SCROLLINFO& a, const SCROLLINFO& b) {
  return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos &&
         a.nTrackPos == b.nTrackPos;
}

// The thumb's offset from the bar's start while it is dragged: the system
// reports the thumb where it was when the drag began.
int DraggedThumbAt(const SCROLLINFO& state, int arrow, int free_length) {
  const int range = state.nMax - state.nMin + 1 - std::max<int>(state.nPage, 1);
  if (range <= 0) return arrow;
  return arrow + MulDiv(free_length, std::clamp(state.nTrackPos - state.nMin, 0, range), range);
}

void PaintBar(HWND window, HDC dc, LONG object, const RECT& frame, const Bars& bars) {
  SCROLLBARINFO info = {sizeof info};
  if (!GetScrollBarInfo(window, object, &info) || (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)))
    return;
  const bool vertical = object == OBJID_VSCROLL;
  RECT bar = info.rcScrollBar;
  OffsetRect(&bar, -frame.left, -frame.top);
  const int start = vertical ? bar.top : bar.left, end = vertical ? bar.bottom : bar.right;
  const int thickness = vertical ? bar.right - bar.left : bar.bottom - bar.top;
  // The arrows are square, as the system draws them, or share a short bar.
  const int arrow = std::min(thickness, (end - start) / 2);
  auto along = [&](int from, int to) {
    return vertical ? RECT{bar.left, from, bar.right, to} : RECT{from, bar.top, to, bar.bottom};
  };
  FillColour(dc, bar, ThemeColour(ColourRole::Face));
  const bool enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
  const COLORREF ink = enabled ? DimTextColour() : ThemeColour(ColourRole::Separator);
  const int radius = std::max(2, thickness / 4);
  // The arrows are parts 1 and 5 of the bar's states; one held down shows pushed.
  const RECT arrows[2] = {along(start, start + arrow), along(end - arrow, end)};
  for (int i = 0; i < 2; ++i) {
    if (info.rgstate[i == 0 ? 1 : 5] & STATE_SYSTEM_PRESSED) FillColour(dc, arrows[i], ThemeColour(ColourRole::ToolPushed));
    DrawChevron(dc, arrows[i], radius, ink,
                i == 0 ? (vertical ? Pointing::kUp : Pointing::kLeft) : (vertical ? Pointing::kDown : Pointing::kRight));
  }

  const int size = info.xyThumbBottom - info.xyThumbTop;
  if (!enabled || size <= 0) return;
  const bool dragged = bars.dragged == (vertical ? SB_VERT : SB_HORZ);
  const int at = start + (dragged ? DraggedThumbAt(vertical ? bars.vertical : bars.horizontal, arrow,
                                                   end - start - 2 * arrow - size)
                                  : info.xyThumbTop);
  RECT thumb = along(at, at + size);
  const int inset = thickness / 5;
  if (vertical)
    InflateRect(&thumb, -inset, 0);
  else
    InflateRect(&thumb, 0, -inset);
  FillColour(dc, thumb, ThemeColour(dragged ? ColourRole::ToolPushed : ColourRole::Separator));
}

void Paint(HWND window, Bars& bars) {
  bars.style = GetWindowLongW(window, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL);
  bars.vertical = BarState(window, SB_VERT);
  bars.horizontal = BarState(window, SB_HORZ);
  RECT frame;
  if (!bars.style || !GetWindowRect(window, &frame)) return;
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  if (bars.style & WS_VSCROLL) PaintBar(window, dc, OBJID_VSCROLL, frame, bars);
  if (bars.style & WS_HSCROLL) PaintBar(window, dc, OBJID_HSCROLL, frame, bars);
  SCROLLBARINFO v = {sizeof v}, h = {sizeof h};
  if ((bars.style & (WS_VSCROLL | WS_HSCROLL)) == (WS_VSCROLL | WS_HSCROLL) &&
      GetScrollBarInfo(window, OBJID_VSCROLL, &v) && GetScrollBarInfo(window, OBJID_HSCROLL, &h)) {
    RECT corner = {v.rcScrollBar.left, h.rcScrollBar.top, v.rcScrollBar.right, h.rcScrollBar.bottom};
    OffsetRect(&corner, -frame.left, -frame.top);
    FillColour(dc, corner, ThemeColour(ColourRole::Face));
  }
  ReleaseDC(window, dc);
}

bool Changed(HWND window, const Bars& bars) {
  return (GetWindowLongW(window, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != bars.style ||
         !SameState(BarState(window, SB_VERT), bars.vertical) || !SameState(BarState(window, SB_HORZ), bars.horizontal);
}

// Messages after which the system may have drawn a bar: its frame, a paint
// (a list view sets its bars again then, drawn even when nothing changed), a
// press on a bar (which returns when the mouse lets go), the pointer over it
// or leaving it.
bool DrawsBars(UINT message) {
  switch (message) {
    case WM_NCPAINT:
    case WM_PAINT:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCMOUSEMOVE:
    case WM_NCMOUSELEAVE:
    case WM_ENABLE: return true;
    default: return false;
  }
}

UINT RepaintMessage() {
  static const UINT message = RegisterWindowMessageW(L"korvo-dark-scroll-bars");
  return message;
}

LRESULT CALLBACK BarsProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR data) {
  auto* bars = reinterpret_cast<Bars*>(data);
  if (message == WM_NCDESTROY) {
    RemoveSubclass(window, BarsProc, id);
    delete bars;
    return CallNextSubclass(window, message, wparam, lparam);
  }
  if (message == RepaintMessage()) {
    Paint(window, *bars);
    return 0;
  }
  const bool own_bar = (message == WM_VSCROLL || message == WM_HSCROLL) && !lparam;
  if (own_bar) bars->dragged = LOWORD(wparam) == SB_THUMBTRACK ? (message == WM_VSCROLL ? SB_VERT : SB_HORZ) : kNotDragged;
  const LRESULT result = CallNextSubclass(window, message, wparam, lparam);
  if (message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK) bars->dragged = kNotDragged;
  if (own_bar) {
    // While the mouse holds a bar, the system draws it after each step it
    // reports, in a loop of its own that still hands on posted messages.
    PostMessageW(window, RepaintMessage(), 0, 0);
  } else if (DrawsBars(message) || Changed(window, *bars)) {
    Paint(window, *bars);
  }
  return result;
}
}  // namespace

void DarkScrollBars(HWND window) {
  if (!IsDarkTheme() || !window || FindSubclass(window, BarsProc, kScrollBarsId)) return;
  auto* bars = new Bars;
  if (!AddSubclass(window, BarsProc, kScrollBarsId, reinterpret_cast<DWORD_PTR>(bars))) {
    delete bars;
    return;
  }
  Paint(window, *bars);
}

void RepaintDarkScrollBars(HWND window) {
  DWORD_PTR data = 0;
  if (window && FindSubclass(window, BarsProc, kScrollBarsId, &data)) Paint(window, *reinterpret_cast<Bars*>(data));
}
