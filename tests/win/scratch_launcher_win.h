// A launcher folder of its own for a window test (fresh settings, the fake MAME, windows set up); programs it starts.
#pragma once
#include <windows.h>
#include <tlhelp32.h>

#include <filesystem>
#include <string>

#include "../../tools/fakemame/fakemame_record.h"

#include "backup/zip_writer.h"
#include "base/file_system.h"
#include "base/paths.h"
#include "dialog_script_win.h"
#include "settings/app_state.h"

class WinTempDir {
 public:
  WinTempDir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    // Wine reuses the process id, and a folder a MAME still held stays behind: the time keeps runs' folders apart.
    path_ = Utf16ToUtf8(base) + "korvo-wt-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount64()) + "-" + std::to_string(++counter);
    CreateDirectoryW(Utf8ToUtf16(path_).c_str(), nullptr);
  }
  ~WinTempDir() {
    // A MAME the window started on its own may still end; a file a test left open stays behind.
    std::error_code failed;
    for (int i = 0; i < 50 && (std::filesystem::remove_all(std::filesystem::path(Utf8ToUtf16(path_)), failed), failed);
         ++i)
      Sleep(50);
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
  STARTUPINFOW si = {sizeof si};
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
// Runs a program to its end (a minute at most); its exit code, -1 on time-out, -2 when it did not start.
inline long RunProgram(const std::string& exe, const std::string& tail) {
  HANDLE process = StartProgram(exe, tail);
  const long code = process ? WaitExit(process, 60000) : -2;
  if (process) CloseHandle(process);
  return code;
}

// How many processes of this program run now (Wine lists those of this prefix).
inline int CountProcesses(const wchar_t* exe_name) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry = {sizeof entry};
  int count = 0;
  for (BOOL ok = Process32FirstW(snap, &entry); ok; ok = Process32NextW(snap, &entry))
    count += _wcsicmp(entry.szExeFile, exe_name) == 0;
  CloseHandle(snap);
  return count;
}

struct ScratchLauncher {
  WinTempDir dir;
  explicit ScratchLauncher(bool with_mame = true) {
    SetLauncherFolder(dir.path());
    AppState& app = App();
    ResetSettings(app.settings);
    app.game_settings.clear();
    app.played.clear();
    app.settings_path = dir.File("korvo-settings.cfg");
    if (with_mame) CopyInto(TestBuildFolder() + "\\tools\\fakemame\\mame.exe", dir.File("mame.exe"));
    InitWindowsForTests();
  }
  // Writes a file below the folder, creating its folders.
  bool Write(const std::string& relative, const std::string& bytes) const {
    std::string path = dir.File(relative);
    for (size_t at = path.find('\\', dir.path().size() + 1); at != std::string::npos; at = path.find('\\', at + 1))
      CreateFolder(path.substr(0, at));
    return WriteFileAtomic(path, bytes);
  }
  std::string Read(const std::string& relative) const { return ReadWholeFile(dir.File(relative)).value_or("<missing>"); }
  bool Exists(const std::string& relative) const { return FileExists(dir.File(relative)); }
  // The fake MAME's record of its starts; how many began with `first_arg` (a set, -listxml), the window's asks aside.
  std::vector<fakemame::RecordedCall> Calls() const { return fakemame::ParseCalls(Read("fakemame-calls.txt")); }
  size_t CallsWith(const std::string& first_arg) const {
    size_t n = 0;
    for (const auto& call : Calls()) n += !call.args.empty() && call.args[0] == first_arg && call.args.size() < 400;
    return n;
  }
};

// A zip of one member, as a ROM set or a backup would hold it.
inline std::string ZipOf(const std::string& member, const std::string& data) {
  ZipWriter zip;
  StartZip(zip);
  AddZipMember(zip, member, data);
  FinishZip(zip);
  return zip.output;
}
