#include "ui/offscreen_paint_win.h"

#include <algorithm>

namespace {
struct SharedBuffer {
  DWORD thread = 0;  // the UI thread, which made it
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  int w = 0, h = 0;
  bool busy = false;
  bool held = false;
};
SharedBuffer shared;

// A bitmap of the screen's kind, as a paint DC is.
HBITMAP ScreenBitmap(int w, int h) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = screen ? CreateCompatibleBitmap(screen, w, h) : nullptr;
  if (screen) ReleaseDC(nullptr, screen);
  return bitmap;
}

bool GrowShared(int w, int h) {
  SharedBuffer& s = shared;
  if (s.dc && w <= s.w && h <= s.h) return true;
  if (!s.dc) {
    s.dc = CreateCompatibleDC(nullptr);
    if (!s.dc) return false;
    s.thread = GetCurrentThreadId();
  }
  const int new_w = std::max(w, s.w), new_h = std::max(h, s.h);
  HBITMAP bigger = ScreenBitmap(new_w, new_h);
  if (!bigger) return false;
  // The DC lives as long as the program, so its first stock bitmap is never needed back.
  SelectObject(s.dc, bigger);
  if (s.bitmap) DeleteObject(s.bitmap);
  s.bitmap = bigger;
  s.w = new_w;
  s.h = new_h;
  return true;
}
}  // namespace

OffscreenPaint::OffscreenPaint(HDC target, const RECT& area) : target_(target), area_(area) {
  const int w = static_cast<int>(area.right - area.left), h = static_cast<int>(area.bottom - area.top);
  SharedBuffer& s = shared;
  if (w <= 0 || h <= 0 || s.held) return;
  const bool mine = !s.dc || s.thread == GetCurrentThreadId();
  if (mine && !s.busy && GrowShared(w, h)) {
    s.busy = true;
    buffer_ = s.dc;
  } else {
    // A paint within a paint, or on another thread: a bitmap of its own.
    own_dc_ = CreateCompatibleDC(target);
    own_bitmap_ = own_dc_ ? CreateCompatibleBitmap(target, w, h) : nullptr;
    if (!own_bitmap_) {  // out of memory: straight onto the target
      if (own_dc_) DeleteDC(own_dc_);
      own_dc_ = nullptr;
      return;
    }
    own_old_ = SelectObject(own_dc_, own_bitmap_);
    buffer_ = own_dc_;
  }
  saved_ = SaveDC(buffer_);
  SetViewportOrgEx(buffer_, -area.left, -area.top, nullptr);
}

OffscreenPaint::~OffscreenPaint() {
  if (!buffer_) return;
  RestoreDC(buffer_, saved_);
  SetViewportOrgEx(buffer_, 0, 0, nullptr);
  BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, buffer_, 0, 0, SRCCOPY);
  if (buffer_ == own_dc_) {
    SelectObject(own_dc_, own_old_);
    DeleteObject(own_bitmap_);
    DeleteDC(own_dc_);
  } else {
    shared.busy = false;
  }
}

void HoldOffscreenBuffer() { shared.held = true; }

void PrepareOffscreenBuffer(int w, int h) {
  SharedBuffer& s = shared;
  s.held = false;
  if (w <= 0 || h <= 0 || s.busy || (s.dc && s.thread != GetCurrentThreadId()) || !GrowShared(w, h)) return;
  PatBlt(s.dc, 0, 0, s.w, s.h, BLACKNESS);
}
