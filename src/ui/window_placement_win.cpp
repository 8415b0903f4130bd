#include "ui/window_placement_win.h"

#include "ui/window_placement.h"

LayoutRect WorkAreaAround(const RECT& r) {
  MONITORINFO info = {sizeof info};
  RECT work = {};
  if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info))
    work = info.rcWork;
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return {static_cast<int>(work.left), static_cast<int>(work.top), static_cast<int>(work.right - work.left),
          static_cast<int>(work.bottom - work.top)};
}

RECT KeepOnItsMonitor(const RECT& r, bool may_shrink) {
  const LayoutRect kept = KeepInsideWorkArea(
      {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left),
       static_cast<int>(r.bottom - r.top)},
      WorkAreaAround(r), may_shrink);
  return {kept.x, kept.y, kept.Right(), kept.Bottom()};
}

void FollowDpiChange(HWND window, LPARAM suggested) {
  const RECT* r = reinterpret_cast<const RECT*>(suggested);
  if (r)
    SetWindowPos(window, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}
