// The captured child on Windows: an anonymous pipe for standard output and
// error, a hidden process without a console window, polled with PeekNamedPipe.
#include <windows.h>

#include "base/utf16_win.h"
#include "launch/mame_args.h"
#include "launch/process.h"

namespace {
struct WinChild {
  HANDLE process = nullptr;
  HANDLE read_end = nullptr;
};

WinChild* Child(CaptureProcess& p) { return static_cast<WinChild*>(p.state); }
}  // namespace

CaptureStart StartCaptureProcess(CaptureProcess& process, const std::string& program, const std::string& arguments,
                                 const std::string& working_folder) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &sa, 0)) return CaptureStart::kNoPipe;
  // Only the write end goes to MAME; our read end must not leak into it, or
  // the pipe would never report that MAME closed its side.
  if (!SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0)) {
    CloseHandle(read_end);
    CloseHandle(write_end);
    return CaptureStart::kNoPipe;
  }

  std::wstring command = Utf8ToUtf16(QuoteArg(program));
  if (!arguments.empty()) command += L" " + Utf8ToUtf16(arguments);
  std::wstring folder = Utf8ToUtf16(working_folder);

  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = write_end;
  si.hStdError = write_end;
  PROCESS_INFORMATION pi{};
  BOOL ok = CreateProcessW(Utf8ToUtf16(program).c_str(), command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                           nullptr, folder.empty() ? nullptr : folder.c_str(), &si, &pi);
  CloseHandle(write_end);
  if (!ok) {
    CloseHandle(read_end);
    return CaptureStart::kNotStarted;
  }
  CloseHandle(pi.hThread);
  auto* child = new WinChild;
  child->process = pi.hProcess;
  child->read_end = read_end;
  process.state = child;
  return CaptureStart::kStarted;
}

int64_t CapturePipeWaiting(CaptureProcess& process) {
  WinChild* c = Child(process);
  DWORD waiting = 0;
  if (!c || !PeekNamedPipe(c->read_end, nullptr, 0, nullptr, &waiting, nullptr)) return -1;
  return waiting;
}

size_t CapturePipeRead(CaptureProcess& process, char* buffer, size_t size) {
  WinChild* c = Child(process);
  DWORD got = 0;
  if (!c || !ReadFile(c->read_end, buffer, static_cast<DWORD>(size), &got, nullptr)) return 0;
  return got;
}

bool CaptureWaitEnded(CaptureProcess& process, uint32_t ms) {
  WinChild* c = Child(process);
  return !c || WaitForSingleObject(c->process, ms) == WAIT_OBJECT_0;
}

void CaptureTerminate(CaptureProcess& process, uint32_t exit_code) {
  WinChild* c = Child(process);
  if (!c) return;
  TerminateProcess(c->process, exit_code);
  // Termination is asynchronous; make sure it is gone before we report.
  WaitForSingleObject(c->process, 5000);
}

bool CaptureExitCode(CaptureProcess& process, uint32_t& code) {
  WinChild* c = Child(process);
  DWORD value = 0;
  if (!c || !GetExitCodeProcess(c->process, &value) || value == STILL_ACTIVE) return false;
  code = value;
  return true;
}

void CloseCaptureProcess(CaptureProcess& process) {
  WinChild* c = Child(process);
  if (!c) return;
  CloseHandle(c->read_end);
  CloseHandle(c->process);
  delete c;
  process.state = nullptr;
}

uint64_t MonotonicMs() { return GetTickCount64(); }
