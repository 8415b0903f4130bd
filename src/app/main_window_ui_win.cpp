#include "app/main_window_ui_win.h"

#include "settings/app_state.h"
#include "app/startup.h"
#include "settings/settings.h"

namespace {
HICON LoadProgramIcon(HINSTANCE instance) {
  for (int id = 1; id <= 32; ++id)
    if (HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(id))) return icon;
  return LoadIconW(nullptr, IDI_APPLICATION);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE: {
      RECT r;
      if (!IsIconic(window) && GetWindowRect(window, &r))
        App().settings.main_window = {r.left, r.top, r.right - r.left, r.bottom - r.top};
      SaveSettings(App().settings, App().settings_path);
      DestroyWindow(window);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK PlainPageProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(window, message, wparam, lparam);
}

bool Register(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HICON icon) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}
}  // namespace

bool RegisterWindowClasses(HINSTANCE instance) {
  HICON icon = LoadProgramIcon(instance);
  return Register(instance, L"KorvoMain", MainWindowProc, icon) &&
         Register(instance, L"KorvoPage", PlainPageProc, nullptr) &&
         Register(instance, L"KorvoOptions", PlainPageProc, icon);
}

HWND CreateMainWindow(HINSTANCE instance, int show) {
  UINT dpi = 96;
  HDC screen = GetDC(nullptr);
  if (screen) {
    dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
  }
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  ScreenRect work_area{work.left, work.top, work.right - work.left, work.bottom - work.top};
  ScreenRect virtual_screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  const WindowRect& saved = App().settings.main_window;
  ScreenRect r = MainWindowRect(App().settings.options_window != 0, static_cast<int>(dpi), work_area,
                                virtual_screen, {saved.x, saved.y, saved.w, saved.h});
  HWND window = CreateWindowExW(0, L"KorvoMain", L"Korvo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, r.x, r.y, r.w,
                                r.h, nullptr, nullptr, instance, nullptr);
  if (window) {
    ShowWindow(window, show);
    UpdateWindow(window);
  }
  return window;
}
