// The baseline of the window benchmark: the least a Win32 program does to
// show a window, with one edit field and two drop-downs that repaint the
// window when they change. It writes the same timing marks as the launcher.
// Built a second time with the launcher's manifest and the common controls
// library loaded as the launcher loads it, it shows what that library alone
// costs at start.
#include <windows.h>
#ifdef KORVO_TRIVIAL_COMMON_CONTROLS
#include <commctrl.h>
#endif

#include <cwchar>
#include <initializer_list>

#include "base/timing_log_win.h"

namespace {
LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 8, 8, 300, 24, window,
                      reinterpret_cast<HMENU>(100), nullptr, nullptr);
      for (int id : {442, 444}) {  // the launcher's region and hardware filters
        HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST,
                                     id == 442 ? 316 : 524, 8, 200, 300, window,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        for (const wchar_t* item : {L"All", L"One", L"Two", L"Three", L"Four", L"Five", L"Six"})
          SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
      }
      return 0;
    case WM_COMMAND:
      if (HIWORD(wparam) == EN_CHANGE || HIWORD(wparam) == CBN_SELCHANGE) {
        InvalidateRect(window, nullptr, TRUE);
        TimingMarkWhenPainted("refill painted");
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT r;
      GetClientRect(window, &r);
      r.top = 40;
      DrawTextW(dc, L"A trivial window", -1, &r, DT_CENTER | DT_SINGLELINE);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int show) {
  TimingMark("entry");
#ifdef KORVO_TRIVIAL_COMMON_CONTROLS
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
#endif
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"KorvoBenchTrivial";
  RegisterClassExW(&wc);
  // The benchmark gives the launcher's size on the command line: "width height".
  wchar_t* rest = command_line;
  int width = static_cast<int>(std::wcstol(rest, &rest, 10)), height = static_cast<int>(std::wcstol(rest, &rest, 10));
  if (width <= 0 || height <= 0) width = 860, height = 720;
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"Trivial", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                width, height, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  TimingMark("main window created");
  ShowWindow(window, show);
  UpdateWindow(window);
  TimingMarkWhenPainted("main window painted");
  MSG msg;
  for (;;) {
    TimingIdle();
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
