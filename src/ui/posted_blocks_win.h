// Blocks that worker threads post to a window (lparam: a heap object the
// receiver owns), freed unread when the window goes.
#pragma once
#include <windows.h>

#include <vector>

// Frees the `Block`s posted to `window` under `message`. A look with a window
// filter also finds its children's messages: those go back to their own
// window, which owns and frees what they carry. A posted quit, returned
// whatever the filter, is kept for the program's loop.
template <typename Block>
void FreePostedBlocks(HWND window, UINT message) {
  std::vector<MSG> others;
  MSG msg;
  while (PeekMessageW(&msg, window, message, message, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.hwnd == window) delete reinterpret_cast<Block*>(msg.lParam);
    else others.push_back(msg);
  }
  for (const MSG& m : others) PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
}
