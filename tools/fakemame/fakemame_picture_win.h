// The fake MAME's picture window: a titled window whose client area
// shows a known picture, drawn for WM_PAINT and for window prints alike, so a
// copy of it can be compared with what the picture should be.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace fakemame {

// The picture's pixel (0x00RRGGBB) at (x, y) of a w x h client area: a
// staircase diagonal, a faint checkerboard, a hard vertical edge and a gradient.
inline uint32_t PicturePixel(int x, int y, int w, int h) {
  auto rgb = [](uint32_t r, uint32_t g, uint32_t b) { return r << 16 | g << 8 | b; };
  bool left = x < w / 2, top = y < h / 2;
  if (left && top) return x > y ? rgb(255, 255, 255) : rgb(20, 30, 120);
  if (top) return (x + y) % 2 ? rgb(153, 153, 153) : rgb(128, 128, 128);
  if (left) return x < w / 4 ? rgb(220, 30, 30) : rgb(30, 200, 60);
  return rgb(static_cast<uint32_t>(x * 255 / w), static_cast<uint32_t>(y * 255 / h), 96);
}

inline void DrawPicture(HWND window, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  int w = client.right, h = client.bottom;
  if (w <= 0 || h <= 0) return;
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels[static_cast<size_t>(y) * w + x] = PicturePixel(x, y, w, h);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, 0, 0, w, h, 0, 0, 0, h, pixels.data(), &info, DIB_RGB_COLORS);
}

// Told of each key pressed in the window, by its scan code (the launcher
// presses one to skip MAME's warnings), where anyone listens.
inline void (*g_key_pressed)(unsigned scan_code) = nullptr;

inline LRESULT CALLBACK PictureWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      DrawPicture(window, dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: DrawPicture(window, reinterpret_cast<HDC>(wparam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_KEYDOWN:
      if (g_key_pressed) g_key_pressed(static_cast<unsigned>(lparam >> 16) & 0x1FF);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

// A shown window with a client area of w x h; its thread must handle its messages.
inline HWND CreatePictureWindow(int w, int h) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = PictureWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  wc.lpszClassName = L"FakeMamePicture";
  RegisterClassExW(&wc);
  // Without a frame: Wine's window print draws the client area at the
  // window's corner instead of inside the frame.
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"MAME: fake picture", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                                40, 40, w, h, nullptr, nullptr, instance, nullptr);
  if (!window) return nullptr;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  SetForegroundWindow(window);
  return window;
}

// Shows the window and handles its messages until it is closed.
inline void RunPictureWindow(int w, int h) {
  if (!CreatePictureWindow(w, h)) return;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace fakemame
