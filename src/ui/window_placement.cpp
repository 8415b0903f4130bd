#include "ui/window_placement.h"

#include <algorithm>

LayoutRect KeepInsideWorkArea(LayoutRect r, const LayoutRect& work, bool may_shrink) {
  if (may_shrink) {
    r.w = std::min(r.w, work.w);
    r.h = std::min(r.h, work.h);
  }
  r.x = std::max(std::min(r.x, work.Right() - r.w), work.x);
  r.y = std::max(std::min(r.y, work.Bottom() - r.h), work.y);
  return r;
}
