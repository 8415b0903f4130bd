#include "screenshot_win.h"

#include <cstdlib>
#include <vector>

#include "base/utf16_win.h"

std::string ScreenshotFolder() {
  const char* build = std::getenv("KORVO_WIN_BUILD");
  if (!build || !*build) return "";
  std::string folder = build;
  // Under Wine the variable holds a Unix path: reach it through the Z: drive.
  if (!folder.empty() && folder[0] == '/') {
    for (char& c : folder)
      if (c == '/') c = '\\';
    folder = "Z:" + folder;
  }
  size_t cut = folder.find_last_of('\\');
  folder = (cut == std::string::npos ? folder : folder.substr(0, cut)) + "\\screenshots";
  CreateDirectoryW(Utf8ToUtf16(folder).c_str(), nullptr);
  return folder;
}

bool SaveWindowScreenshot(HWND window, const std::string& name) {
  std::string folder = ScreenshotFolder();
  if (folder.empty() || !IsWindow(window)) return false;
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessagesFor(300);
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;

  // The window's own DC reads what was painted into the window, children
  // included; the screen DC under Wine does not always have it yet.
  HDC screen = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;  // bottom-up, as BMP files store it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  GdiFlush();
  // GDI leaves the alpha byte at 0, which image tools read as transparent.
  auto* pixel = static_cast<unsigned char*>(bits);
  for (int i = 0; i < w * h; ++i) pixel[i * 4 + 3] = 0xFF;

  BITMAPFILEHEADER file = {};
  const DWORD image_size = static_cast<DWORD>(w) * static_cast<DWORD>(h) * 4;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + image_size;
  bool ok = false;
  HANDLE out = CreateFileW(Utf8ToUtf16(folder + "\\" + name + ".bmp").c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    ok = WriteFile(out, &file, sizeof file, &written, nullptr) &&
         WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
         WriteFile(out, bits, image_size, &written, nullptr);
    CloseHandle(out);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return ok;
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return c;
}
