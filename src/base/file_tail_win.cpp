#include "base/file_tail.h"

#include <windows.h>

#include "base/utf16_win.h"

namespace {
HANDLE OpenShared(const std::string& path) {
  return CreateFileW(Utf8ToUtf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string ReadAt(HANDLE h, uint64_t offset, size_t max_bytes) {
  std::string bytes;
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(offset);
  if (offset <= static_cast<uint64_t>(INT64_MAX) && SetFilePointerEx(h, at, nullptr, FILE_BEGIN)) {
    bytes.resize(max_bytes);
    DWORD got = 0;
    if (!ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) got = 0;
    bytes.resize(got);
  }
  return bytes;
}
}  // namespace

std::optional<std::string> ReadFileTail(const std::string& path, size_t max_bytes) {
  HANDLE h = OpenShared(path);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  LARGE_INTEGER size = {};
  if (GetFileSizeEx(h, &size)) {
    const uint64_t total = static_cast<uint64_t>(size.QuadPart);
    const uint64_t from = total > max_bytes ? total - max_bytes : 0;
    bytes = ReadAt(h, from, static_cast<size_t>(total - from));
  }
  CloseHandle(h);
  return bytes;
}

std::optional<std::string> ReadFileRange(const std::string& path, uint64_t offset, size_t max_bytes) {
  HANDLE h = OpenShared(path);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes = ReadAt(h, offset, max_bytes);
  CloseHandle(h);
  return bytes;
}
