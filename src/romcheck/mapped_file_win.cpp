// Win32 twin of mapped_file_posix.cpp.
#include <windows.h>

#include "base/utf16_win.h"
#include "romcheck/mapped_file.h"

bool MapFileForReading(const std::string& path, MappedFile& file) {
  file = MappedFile();
  // Read sharing only: nobody can truncate the file while it is mapped, which
  // would turn reads of the view into access faults.
  HANDLE h = CreateFileW(Utf8ToUtf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > static_cast<unsigned long long>(SIZE_MAX)) {
    CloseHandle(h);
    return false;
  }
  if (size.QuadPart == 0) {  // an empty file cannot be mapped; it is simply empty
    CloseHandle(h);
    return true;
  }
  HANDLE mapping = CreateFileMappingW(h, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (!mapping) {
    CloseHandle(h);
    return false;
  }
  void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  if (!view) {
    CloseHandle(mapping);
    CloseHandle(h);
    return false;
  }
  CloseHandle(mapping);  // the view keeps the mapping alive
  file.view = view;
  file.handle = h;       // held to keep the no-write sharing in force
  file.data = static_cast<const uint8_t*>(view);
  file.size = static_cast<size_t>(size.QuadPart);
  return true;
}

void UnmapFile(MappedFile& file) {
  if (file.view) UnmapViewOfFile(file.view);
  if (file.handle) CloseHandle(static_cast<HANDLE>(file.handle));
  file = MappedFile();
}
