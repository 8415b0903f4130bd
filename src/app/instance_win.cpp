#include "app/instance_win.h"

#include <windows.h>

#include "base/utf16_win.h"

bool TakeSingleInstance(const std::string& name) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, Utf8ToUtf16(name).c_str());
  if (!mutex) return true;  // no mutex to be had: run rather than refuse
  return GetLastError() != ERROR_ALREADY_EXISTS;
}

void BringFirstInstanceForward() {
  HWND first = FindWindowW(L"KorvoMain", nullptr);
  if (!first) return;
  if (IsIconic(first)) ShowWindow(first, SW_RESTORE);
  SetForegroundWindow(first);
}
