// Windows side of the fake MAME (mame.exe): the command line, folders and
// standard handles as a Windows program sees them.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "fakemame_os.h"
#include "fakemame_picture_win.h"

namespace fakemame {
namespace {

std::string ToUtf8(const wchar_t* s, int n = -1) {
  if (n == 0) return "";
  int size = WideCharToMultiByte(CP_UTF8, 0, s, n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, s, n, out.data(), size, nullptr, nullptr);
  if (n < 0 && !out.empty()) out.pop_back();  // the counted NUL
  return out;
}

std::wstring ToUtf16(const std::string& s) {
  if (s.empty()) return L"";
  int size = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), size);
  return out;
}

std::string Kind(DWORD which) {
  HANDLE h = GetStdHandle(which);
  if (h == nullptr || h == INVALID_HANDLE_VALUE) return "none";
  switch (GetFileType(h)) {
    case FILE_TYPE_DISK: return "file";
    case FILE_TYPE_PIPE: return "pipe";
    case FILE_TYPE_CHAR: return "console";
    default: return "none";
  }
}

}  // namespace

Invocation ReadInvocation(int, char**) {
  Invocation call;
  call.command_line = ToUtf8(GetCommandLineW());
  int n = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &n);
  for (int i = 1; argv && i < n; ++i) call.args.push_back(ToUtf8(argv[i]));
  if (argv) LocalFree(argv);
  wchar_t buf[32768];
  DWORD len = GetCurrentDirectoryW(32768, buf);
  call.folder = ToUtf8(buf, static_cast<int>(len));
  len = GetModuleFileNameW(nullptr, buf, 32768);
  std::string exe = ToUtf8(buf, static_cast<int>(len));
  call.exe_folder = exe.substr(0, exe.find_last_of('\\'));
  call.std_in = Kind(STD_INPUT_HANDLE);
  call.std_out = Kind(STD_OUTPUT_HANDLE);
  call.std_err = Kind(STD_ERROR_HANDLE);
  // Recorded answers are passed through byte for byte.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  return call;
}

bool ReadFileBytes(const std::string& path, std::string& out) {
  HANDLE h = CreateFileW(ToUtf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  out.clear();
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
  CloseHandle(h);
  return true;
}

bool AppendFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileW(ToUtf16(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) && wrote == bytes.size();
  CloseHandle(h);
  return ok;
}

bool PathIsFile(const std::string& path) {
  DWORD a = GetFileAttributesW(ToUtf16(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathIsFolder(const std::string& path) {
  DWORD a = GetFileAttributesW(ToUtf16(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteStream(int stream, const std::string& bytes) {
  FILE* f = stream == 2 ? stderr : stdout;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fflush(f);
}

void SleepMs(long ms) { Sleep(static_cast<DWORD>(ms)); }

void ShowPictureWindow(int width, int height, const std::string& key_note) {
  static std::string note;
  note = key_note;
  g_key_pressed = [](unsigned scan_code) { AppendFileBytes(note, "key=" + std::to_string(scan_code) + "\n"); };
  RunPictureWindow(width, height);
}

void HangUntilStopped(const std::string&) {
  for (;;) Sleep(INFINITE);
}

std::string GetEnv(const char* name) {
  wchar_t buf[32768];
  DWORD n = GetEnvironmentVariableW(ToUtf16(name).c_str(), buf, 32768);
  return n > 0 && n < 32768 ? ToUtf8(buf, static_cast<int>(n)) : "";
}

char PathSeparator() { return '\\'; }

}  // namespace fakemame
