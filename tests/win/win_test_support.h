// Helpers for the Windows-side tests: scratch folders and running korvo.exe.
#pragma once
#include <windows.h>

#include <string>

#include "app/utf16_win.h"

class WinTempDir {
 public:
  WinTempDir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    path_ = Utf16ToUtf8(base) + "korvo-wt-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    CreateDirectoryW(Utf8ToUtf16(path_).c_str(), nullptr);
  }
  ~WinTempDir() {
    std::wstring from = Utf8ToUtf16(path_);
    from.push_back(L'\0');  // SHFileOperation wants a double NUL
    RemoveTree(Utf8ToUtf16(path_));
  }
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  static void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring full = dir + L"\\" + name;
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveTree(full);
        else
          DeleteFileW(full.c_str());
      } while (FindNextFileW(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
  }
  std::string path_;
};
