// Painting through one off-screen bitmap, copied to the screen at once, so
// that nothing is ever seen half painted. The bitmap is shared by every such
// paint of the UI thread and only grows: a bitmap made for each paint comes
// with fresh pages, which cost a large paint milliseconds to fault in.
#pragma once
#include <windows.h>

// While it lives, dc() is where to paint `area` (in the target's
// coordinates); at its end what was painted there reaches `target`. The DC
// state a painter changes (objects, colours, modes) does not outlive it.
class OffscreenPaint {
 public:
  OffscreenPaint(HDC target, const RECT& area);
  ~OffscreenPaint();
  OffscreenPaint(const OffscreenPaint&) = delete;
  OffscreenPaint& operator=(const OffscreenPaint&) = delete;
  HDC dc() const { return buffer_ ? buffer_ : target_; }

 private:
  HDC target_;
  RECT area_;
  HDC buffer_ = nullptr;  // nullptr: straight onto the target
  int saved_ = 0;
  HDC own_dc_ = nullptr;  // a paint's own, when the shared one is busy or not this thread's
  HBITMAP own_bitmap_ = nullptr;
  HGDIOBJ own_old_ = nullptr;
};

// A window's first paint shows nothing older that a half-painted state could
// flash over: until PrepareOffscreenBuffer, paints go straight to the screen,
// and the first sight of the window does not wait for the bitmap's pages.
void HoldOffscreenBuffer();
// Ends the hold and makes the shared bitmap at least w x h, its pages touched.
void PrepareOffscreenBuffer(int w, int h);
