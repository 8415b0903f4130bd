#include "ui/frameless_win.h"

#include "ui/subclass_win.h"

namespace {
constexpr UINT_PTR kFramelessId = 0x4E43;

LRESULT CALLBACK FramelessProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR) {
  if (message == WM_NCPAINT && HasNoFrame(window)) return 0;
  return CallNextSubclass(window, message, wparam, lparam);
}
}  // namespace

bool HasNoFrame(HWND window) {
  RECT outer, client;
  if (!GetWindowRect(window, &outer) || !GetClientRect(window, &client)) return false;
  return outer.right - outer.left == client.right && outer.bottom - outer.top == client.bottom;
}

void SkipEmptyFramePaint(HWND control) {
  if (control) AddSubclass(control, FramelessProc, kFramelessId, 0);
}
