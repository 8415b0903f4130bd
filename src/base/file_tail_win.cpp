#include "base/file_tail.h"

#include <windows.h>

#include "base/utf16_win.h"

std::optional<std::string> ReadFileTail(const std::string& path, size_t max_bytes) {
  HANDLE h = CreateFileW(Utf8ToUtf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  LARGE_INTEGER size = {};
  if (GetFileSizeEx(h, &size)) {
    LONGLONG from = size.QuadPart > static_cast<LONGLONG>(max_bytes) ? size.QuadPart - max_bytes : 0;
    LARGE_INTEGER at;
    at.QuadPart = from;
    if (SetFilePointerEx(h, at, nullptr, FILE_BEGIN)) {
      bytes.resize(static_cast<size_t>(size.QuadPart - from));
      DWORD got = 0;
      if (!ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) got = 0;
      bytes.resize(got);
    }
  }
  CloseHandle(h);
  return bytes;
}
