#include "app/instance_win.h"

#include <windows.h>

#include "base/utf16_win.h"

bool TakeSingleInstance(const std::string& name, unsigned wait_ms) {
  const std::wstring wide = Utf8ToUtf16(name);
  const DWORD start = GetTickCount();
  for (;;) {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, wide.c_str());
    if (!mutex) return true;  // no mutex to be had: run rather than refuse
    if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
    CloseHandle(mutex);
    if (GetTickCount() - start >= wait_ms) return false;
    Sleep(100);
  }
}

void BringFirstInstanceForward() {
  HWND first = FindWindowW(L"KorvoMain", nullptr);
  if (!first) return;
  if (IsIconic(first)) ShowWindow(first, SW_RESTORE);
  SetForegroundWindow(first);
}
