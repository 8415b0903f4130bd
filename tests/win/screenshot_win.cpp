#include "screenshot_win.h"

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

bool SaveWindowScreenshot(HWND window, const std::string& name) {
  const std::string folder = ScreenshotFolder();
  // The checks read the window's pixels too: painted whole and on top first.
  if (window && IsWindow(window) && (g_before_screenshot || !folder.empty())) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessagesFor(80);
    if (g_before_screenshot) g_before_screenshot(window, name);
  }
  if (folder.empty() || (window && !IsWindow(window))) return false;
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
