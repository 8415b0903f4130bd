// Screenshots for a person's eye, kept by `make test` in build/screenshots/; never compared pixel for pixel.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/theme_win.h"

// Pumps pending messages for a moment so that everything is painted.
inline void PumpMessagesFor(DWORD ms) {
  DWORD end = GetTickCount() + ms;
  MSG msg;
  do {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  } while (static_cast<LONG>(GetTickCount() - end) < 0);
}

// The dark or light look for the rest of a scope; the light one again after it.
struct Look {
  explicit Look(bool dark) : name(dark ? "dark" : "light") { ApplyTheme(dark); }
  ~Look() { ApplyTheme(false); }
  const std::string name;
};

// Pumps messages until `done` holds or `ms` have passed; whether it held.
template <typename Done>
bool WaitFor(Done done, DWORD ms = 15000) {
  for (const DWORD end = GetTickCount() + ms; !done(); PumpMessagesFor(20))
    if (static_cast<LONG>(GetTickCount() - end) >= 0) return false;
  return true;
}

// <repo>/build/screenshots, found through KORVO_WIN_BUILD (<repo>/build/windows); empty when it is not set.
std::string ScreenshotFolder();

// The window as painted (nullptr: the screen) into <folder>/<name>.bmp, made PNG by the test script.
// Runs on each window before it is photographed: the tests check its layout there, the benchmarks nothing.
inline void (*g_before_screenshot)(HWND window, const std::string& name) = nullptr;
bool SaveWindowScreenshot(HWND window, const std::string& name);

// A window's pixels, frame included, read from its own DC (nothing above it counts); nullptr: the screen's.
struct WindowPixels {
  int width = 0, height = 0;
  POINT origin = {0, 0};      // the window's top left on the screen
  std::vector<uint32_t> rgb;  // 0x00RRGGBB, top row first

  explicit WindowPixels(HWND window) {
    RECT rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window) GetWindowRect(window, &rect);
    width = rect.right - rect.left, height = rect.bottom - rect.top, origin = {rect.left, rect.top};
    HDC source = window ? GetWindowDC(window) : GetDC(nullptr);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info = {{sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}};
    void* bits = nullptr;
    HGDIOBJ old = SelectObject(memory, CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    rgb.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + width * height);
    DeleteObject(SelectObject(memory, old));
    DeleteDC(memory);
    ReleaseDC(window, source);
  }
  uint32_t At(POINT p) const {
    return p.x >= 0 && p.y >= 0 && p.x < width && p.y < height ? rgb[p.y * width + p.x] & 0xFFFFFF : 0xFFFFFFFF;
  }
  // The pixel at a point of `control`'s client area (nullptr: a point of the screen).
  uint32_t In(HWND control, int x, int y) const {
    POINT p = {x, y};
    if (control) ClientToScreen(control, &p);
    return At({p.x - origin.x, p.y - origin.y});
  }
  // How many pixels of a rectangle of `control`'s client area (nullptr: of the screen) `match`.
  template <typename Match>
  int Count(HWND control, const RECT& r, Match match) const {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) count += match(In(control, x, y));
    return count;
  }
};

// A window's rectangle in its parent's client coordinates (nullptr: the screen's).
inline RECT RectIn(HWND child, HWND parent) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
inline RECT ClientRectOf(HWND window) { RECT r = {}; return GetClientRect(window, &r), r; }
inline int WidthOf(HWND window) { const RECT r = RectIn(window, nullptr); return r.right - r.left; }

