// Screenshots of windows for a person's eye: `make test` keeps them in
// build/screenshots/ (PNG). They are never compared pixel for pixel.
#pragma once
#include <windows.h>

#include <string>

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

// The folder for screenshots: <repo>/build/screenshots, found through
// KORVO_WIN_BUILD (<repo>/build/windows); empty when it is not set.
std::string ScreenshotFolder();

// Copies the window as painted, frame and children included, into <folder>/<name>.bmp. The test script
// turns the BMP files into PNG files. False when nothing was written.
bool SaveWindowScreenshot(HWND window, const std::string& name);

// The colour of one screen pixel, for checks of owner drawing.
COLORREF ScreenPixel(int x, int y);
