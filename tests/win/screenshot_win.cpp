#include "screenshot_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "base/utf16_win.h"

std::string ScreenshotFolder() {
  const char* build = std::getenv("KORVO_WIN_BUILD");
  if (!build || !*build) return "";
  std::string folder = build;
  // Under Wine the variable holds a Unix path: reach it through the Z: drive.
  if (folder[0] == '/') std::replace(folder.begin(), folder.end(), '/', '\\'), folder = "Z:" + folder;
  folder = folder.substr(0, folder.find_last_of('\\')) + "\\screenshots";
  CreateDirectoryW(Utf8ToUtf16(folder).c_str(), nullptr);
  return folder;
}

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
}  // namespace

bool SaveWindowScreenshot(HWND window, const std::string& name) {
  if (window && IsWindow(window)) ExpectTidyLayout(window, name);
  std::string folder = ScreenshotFolder();
  if (folder.empty() || (window && !IsWindow(window))) return false;
  if (window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessagesFor(80);
  }
  WindowPixels shot(window);
  if (shot.rgb.empty()) return false;
  for (uint32_t& pixel : shot.rgb) pixel |= 0xFF000000;  // GDI leaves alpha at 0, which image tools read as clear
  const DWORD bytes = static_cast<DWORD>(shot.rgb.size() * 4);
  BITMAPINFOHEADER info = {sizeof info, shot.width, -shot.height, 1, 32, BI_RGB, bytes, 0, 0, 0, 0};
  BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof file + sizeof info + bytes), 0, 0, sizeof file + sizeof info};
  std::ofstream out(Utf8ToUtf16(folder + "\\" + name + ".bmp").c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file).write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(shot.rgb.data()), bytes);
  return static_cast<bool>(out);
}
