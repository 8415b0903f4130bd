// Waits until a running launcher's main window shows its game list: the list
// has rows and the status bar no longer says that games are being loaded.
// `make run` takes its screenshot then. The argument is the most seconds to
// wait (30 when none is given); the exit code is 0 when the list came, 1 when not.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <cwctype>

namespace {
bool ListFilled() {
  HWND main = FindWindowW(L"KorvoMain", nullptr);
  if (!main) return false;
  HWND list = FindWindowExW(main, nullptr, WC_LISTVIEWW, nullptr);
  HWND status = FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr);
  if (!list || !status) return false;
  wchar_t text[256] = L"";
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(status, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, &ignored);
  bool loading = !std::wcsncmp(text, L"Loading", 7) || !std::wcsncmp(text, L"Asking", 6);
  DWORD_PTR rows = 0;
  SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &rows);
  return rows > 0 && !loading;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  long seconds = argc > 1 ? std::wcstol(argv[1], nullptr, 10) : 30;
  ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds > 0 ? seconds : 30) * 1000;
  while (GetTickCount64() < end) {
    if (ListFilled()) return 0;
    Sleep(200);
  }
  return 1;
}
