// Every window the Windows tests photograph has its layout checked first.
#include <gtest/gtest.h>

#include "screenshot_win.h"

namespace {
bool IsPushButton(HWND window) {
  wchar_t name[16] = L"";
  GetClassNameW(window, name, 16);
  const LONG type = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
  return !lstrcmpiW(name, L"Button") && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

// What a person notices in a window's layout: a control cut off by the window's edge; push buttons side by side that
// do not line up or that overlap.
void ExpectTidyLayout(HWND window, const std::string& name) {
  const RECT client = ClientRectOf(window);
  std::vector<RECT> buttons;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    const RECT r = RectIn(c, window);
    if (!IsWindowVisible(c)) continue;
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
        << name << ": control " << GetDlgCtrlID(c) << " is cut off";
    if (IsPushButton(c)) buttons.push_back(r);
  }
  for (size_t i = 0; i < buttons.size(); ++i)
    for (size_t j = i + 1; j < buttons.size(); ++j) {
      const RECT &a = buttons[i], &b = buttons[j];
      if (a.top < b.bottom && b.top < a.bottom)  // in one row
        EXPECT_TRUE(a.top == b.top && a.bottom == b.bottom && (a.right <= b.left || b.right <= a.left))
            << name << ": buttons out of line at x " << a.left << " and " << b.left;
    }
}

const bool installed = (g_before_screenshot = ExpectTidyLayout, true);
}  // namespace
