// A rectangle of a window layout in pixels, as the pure layout functions
// compute it (no <windows.h>, so they run under the native tests).
#pragma once

struct LayoutRect {
  int x = 0, y = 0, w = 0, h = 0;
  int Right() const { return x + w; }
  int Bottom() const { return y + h; }
  bool operator==(const LayoutRect&) const = default;
};
