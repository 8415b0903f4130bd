#include "launch/game_process.h"

#include <windows.h>

#include <thread>

#include "base/utf16_win.h"
#include "launch/mame_args.h"

struct GameProcessState {
  HANDLE process = nullptr;
  DWORD id = 0;
  ~GameProcessState() {
    if (process) CloseHandle(process);
  }
};

bool StartGameProcess(const GameStart& start, GameProcess& process, uint32_t& error) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE output = INVALID_HANDLE_VALUE;
  if (!start.output_path.empty())
    output = CreateFileW(Utf8ToUtf16(start.output_path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool redirect = output != INVALID_HANDLE_VALUE;

  STARTUPINFOW si = {};
  si.cb = sizeof si;
  if (redirect) {
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = output;
    si.hStdError = output;
  }
  std::wstring program = Utf8ToUtf16(start.program);
  std::wstring command = Utf8ToUtf16(MameCommandLine(start.program, start.args));
  std::wstring folder = Utf8ToUtf16(start.working_folder);
  PROCESS_INFORMATION pi = {};
  BOOL ok = CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, redirect ? TRUE : FALSE,
                           start.hide_console ? CREATE_NO_WINDOW : 0, nullptr,
                           folder.empty() ? nullptr : folder.c_str(), &si, &pi);
  if (!ok) error = GetLastError();
  if (redirect) CloseHandle(output);  // MAME keeps its own
  if (!ok) return false;
  CloseHandle(pi.hThread);
  process.state = std::make_shared<GameProcessState>();
  process.state->process = pi.hProcess;
  process.state->id = pi.dwProcessId;
  return true;
}

bool DuplicateGameProcess(const GameProcess& process, GameProcess& copy) {
  if (!process) return false;
  HANDLE dup = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), process.state->process, GetCurrentProcess(), &dup, 0, FALSE,
                       DUPLICATE_SAME_ACCESS))
    return false;
  copy.state = std::make_shared<GameProcessState>();
  copy.state->process = dup;
  copy.state->id = process.state->id;
  return true;
}

uint32_t GameProcessId(const GameProcess& process) { return process ? process.state->id : 0; }

bool WaitGameProcess(const GameProcess& process, uint32_t ms) {
  if (!process) return true;
  return WaitForSingleObject(process.state->process, ms == UINT32_MAX ? INFINITE : ms) == WAIT_OBJECT_0;
}

bool GameProcessExitCode(const GameProcess& process, uint32_t& code) {
  DWORD value = 0;
  if (!WaitGameProcess(process, 0) || !process || !GetExitCodeProcess(process.state->process, &value)) return false;
  code = value;
  return true;
}

void TerminateGameProcess(const GameProcess& process, uint32_t exit_code) {
  if (process) TerminateProcess(process.state->process, exit_code);
}

namespace {
struct WindowSearch {
  DWORD id;
  bool visible_only;
  HWND found = nullptr;
  int count = 0;
};

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM param) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(param)) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

BOOL CALLBACK FindWindowOf(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->id || (search->visible_only && !IsWindowVisible(window))) return TRUE;
  if (!search->found) search->found = window;
  ++search->count;
  return TRUE;
}

WindowSearch VisibleWindowsOf(DWORD id) {
  WindowSearch search{id, true};
  EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
  return search;
}

void SendF13(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = 0x64;  // F13: a key nothing else uses
  input.ki.dwFlags = KEYEVENTF_SCANCODE | flags;
  SendInput(1, &input, sizeof input);
}
}  // namespace

void StopGameProcess(const GameProcess& process, uint32_t grace_ms) {
  if (!process) return;
  EnumWindows(CloseWindowOf, static_cast<LPARAM>(process.state->id));
  if (!WaitGameProcess(process, grace_ms)) TerminateGameProcess(process, 0);
}

void CloseGameProcess(GameProcess& process) { process.state.reset(); }

std::string UserTempFolder() {
  wchar_t buffer[261];
  DWORD n = GetTempPathW(261, buffer);
  return n > 0 && n < 261 ? Utf16ToUtf8(std::wstring(buffer, n)) : "";
}

uint32_t TickMs() { return GetTickCount(); }

void StartWarningSkipThread(uint32_t process_id) {
  std::thread([process_id] {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, process_id);
    if (!process) return;
    for (int i = 0; i < 40; ++i) {
      if (WaitForSingleObject(process, 500) == WAIT_OBJECT_0) break;
      WindowSearch windows = VisibleWindowsOf(process_id);
      DWORD foreground_owner = 0;
      GetWindowThreadProcessId(GetForegroundWindow(), &foreground_owner);
      // Only while MAME has the focus: the key must never land in another program.
      if (windows.count > 0 && foreground_owner == process_id) {
        SendF13(0);
        Sleep(120);
        SendF13(KEYEVENTF_KEYUP);
      }
    }
    CloseHandle(process);
  }).detach();
}

void AllowAnyForeground() { AllowSetForegroundWindow(ASFW_ANY); }

void StartForegroundThread(uint32_t process_id) {
  std::thread([process_id] {
    for (int i = 0; i < 60; ++i) {
      Sleep(250);
      HWND window = VisibleWindowsOf(process_id).found;
      if (!window) continue;
      // A press of Alt lets this process hand the foreground over.
      keybd_event(VK_MENU, 0, 0, 0);
      keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
      SetForegroundWindow(window);
      return;
    }
  }).detach();
}
