// Helpers for the Windows-side tests: scratch folders and running korvo.exe.
#pragma once
#include <windows.h>
#include <tlhelp32.h>

#include <filesystem>
#include <string>

#include "base/utf16_win.h"

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
    std::error_code ignored;  // a file a test left open stays behind
    std::filesystem::remove_all(std::filesystem::path(Utf8ToUtf16(path_)), ignored);
  }
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// The folder of the running test executable; korvo.exe is built beside it.
inline std::string TestBuildFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring full(path, n);
  return Utf16ToUtf8(full.substr(0, full.find_last_of(L'\\')));
}

inline bool CopyInto(const std::string& from, const std::string& to) {
  return CopyFileW(Utf8ToUtf16(from).c_str(), Utf8ToUtf16(to).c_str(), FALSE) != 0;
}

// Starts a program with a command-line tail; the caller owns the handle.
inline HANDLE StartProgram(const std::string& exe, const std::string& tail) {
  std::wstring cmd = L"\"" + Utf8ToUtf16(exe) + L"\"";
  if (!tail.empty()) cmd += L" " + Utf8ToUtf16(tail);
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return nullptr;
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

// Waits for the process to end; returns its exit code, or -1 on time-out.
inline long WaitExit(HANDLE process, DWORD ms) {
  if (WaitForSingleObject(process, ms) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return static_cast<long>(code);
}

// How many processes of this program run now (Wine lists those of this prefix).
inline int CountProcesses(const wchar_t* exe_name) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL ok = Process32FirstW(snap, &entry); ok; ok = Process32NextW(snap, &entry))
    count += _wcsicmp(entry.szExeFile, exe_name) == 0;
  CloseHandle(snap);
  return count;
}
