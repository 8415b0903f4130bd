#include "ui/ui_metrics_win.h"

UiMetrics& Ui() {
  static UiMetrics metrics;
  return metrics;
}

void SetUiDpi(int dpi) { Ui().dpi = dpi < 96 ? 96 : dpi; }

void InitUiMetrics(HINSTANCE instance) {
  UiMetrics& ui = Ui();
  ui.instance = instance;
  HDC screen = GetDC(nullptr);
  SetUiDpi(screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96);
  if (screen) ReleaseDC(nullptr, screen);

  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    ui.font = CreateFontIndirectW(&metrics.lfMessageFont);
  if (!ui.font) ui.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

  for (int id = 1; id <= 32 && !ui.icon_large; ++id) {
    ui.icon_large = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    if (ui.icon_large)
      ui.icon_small = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  }
  if (!ui.icon_large) ui.icon_large = ui.icon_small = LoadIconW(nullptr, IDI_APPLICATION);
}

int SystemMetric(int index) {
  // Asked by name: systems before Windows 10 (1607) have no per-DPI metrics.
  using ForDpiFn = int(WINAPI*)(int index, UINT dpi);
  static const auto for_dpi = reinterpret_cast<ForDpiFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  return for_dpi ? for_dpi(index, static_cast<UINT>(Ui().dpi)) : GetSystemMetrics(index);
}

void SetUiFont(HWND control) { SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Ui().font), FALSE); }

bool RegisterLauncherClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, bool with_icon) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  if (with_icon) {
    wc.hIcon = Ui().icon_large;
    wc.hIconSm = Ui().icon_small;
  }
  return RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
