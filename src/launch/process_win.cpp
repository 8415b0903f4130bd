// The captured child on Windows: a pipe for standard output and error whose
// launcher end is read overlapped, so that one wait covers both the next
// piece of output and the end of the program; a hidden process without a
// console window.
#include <windows.h>

#include <atomic>
#include <cstring>

#include "base/utf16_win.h"
#include "launch/mame_args.h"
#include "launch/process.h"

namespace {
struct WinChild {
  HANDLE process = nullptr;
  HANDLE read_end = nullptr;
  HANDLE read_done = nullptr;  // the overlapped read's event
  OVERLAPPED overlapped{};
  bool pending = false;  // a read into `block` is under way
  bool closed = false;   // every writer has gone
  char block[65536];
  DWORD have = 0, taken = 0;  // bytes of a finished read not handed out yet
};

WinChild* Child(CaptureProcess& p) { return static_cast<WinChild*>(p.state); }

// Makes both ends of a fresh pipe: ours overlapped and not inherited, the
// child's a plain inheritable handle. Its buffer is large, so that MAME
// seldom waits for us at all.
bool MakePipe(HANDLE& read_end, HANDLE& write_end) {
  static std::atomic<unsigned> serial{0};
  wchar_t name[96];
  wsprintfW(name, L"\\\\.\\pipe\\korvo-capture-%lu-%lu-%u", GetCurrentProcessId(), GetCurrentThreadId(),
            serial.fetch_add(1));
  read_end = CreateNamedPipeW(name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                              PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0,
                              1u << 20, 0, nullptr);
  if (read_end == INVALID_HANDLE_VALUE) return false;
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  write_end = CreateFileW(name, GENERIC_WRITE, 0, &sa, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (write_end != INVALID_HANDLE_VALUE) return true;
  CloseHandle(read_end);
  return false;
}

// Takes a finished read's count (false when the pipe has closed).
bool FinishRead(WinChild& c) {
  c.pending = false;
  DWORD got = 0;
  if (!GetOverlappedResult(c.read_end, &c.overlapped, &got, FALSE)) {
    c.closed = true;  // ERROR_BROKEN_PIPE: MAME and all it started have closed their ends
    return false;
  }
  c.have = got;
  c.taken = 0;
  return true;
}
}  // namespace

namespace {
// The programs asked questions end with the launcher, also when it ends while
// one still answers: the system closes this job with the launcher's last
// handle. Nothing changes where no job can be made.
HANDLE QuestionJob() {
  static HANDLE job = [] {
    HANDLE made = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (made && !SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
      CloseHandle(made);
      made = nullptr;
    }
    return made;
  }();
  return job;
}
}  // namespace

CaptureStart StartCaptureProcess(CaptureProcess& process, const std::string& program, const std::string& arguments,
                                 const std::string& working_folder) {
  // Only the write end goes to MAME; our read end must not leak into it, or
  // the pipe would never report that MAME closed its side.
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!MakePipe(read_end, write_end)) return CaptureStart::kNoPipe;
  HANDLE read_done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!read_done) {
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
  BOOL ok = CreateProcessW(Utf8ToUtf16(program).c_str(), command.data(), nullptr, nullptr, TRUE,
                           CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr, folder.empty() ? nullptr : folder.c_str(),
                           &si, &pi);
  CloseHandle(write_end);
  if (!ok) {
    CloseHandle(read_end);
    CloseHandle(read_done);
    return CaptureStart::kNotStarted;
  }
  if (HANDLE job = QuestionJob()) AssignProcessToJobObject(job, pi.hProcess);
  ResumeThread(pi.hThread);
  CloseHandle(pi.hThread);
  auto* child = new WinChild;
  child->process = pi.hProcess;
  child->read_end = read_end;
  child->read_done = read_done;
  process.state = child;
  return CaptureStart::kStarted;
}

int64_t CaptureRead(CaptureProcess& process, char* buffer, size_t size, uint32_t wait_ms) {
  WinChild* c = Child(process);
  if (!c) return -1;
  if (c->taken == c->have && !c->pending) {
    if (c->closed) return -1;
    c->have = c->taken = 0;
    c->overlapped = OVERLAPPED{};
    c->overlapped.hEvent = c->read_done;  // ReadFile clears it
    const BOOL done = ReadFile(c->read_end, c->block, sizeof c->block, nullptr, &c->overlapped);
    if (!done && GetLastError() != ERROR_IO_PENDING) {
      c->closed = true;
      return -1;
    }
    c->pending = true;
    // Output that was already waiting needs no wait: every call saved counts
    // when MAME prints in small pieces.
    if (done && !FinishRead(*c)) return -1;
  }
  if (c->pending) {
    // Output first: it is taken even when MAME has ended meanwhile.
    HANDLE both[2] = {c->read_done, c->process};
    if (WaitForMultipleObjects(2, both, FALSE, wait_ms) != WAIT_OBJECT_0) return 0;
    if (!FinishRead(*c)) return -1;
  }
  DWORD n = c->have - c->taken;
  if (n > size) n = static_cast<DWORD>(size);
  std::memcpy(buffer, c->block + c->taken, n);
  c->taken += n;
  return n;
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
  if (c->pending) {
    // The read must be over before its buffer goes.
    CancelIoEx(c->read_end, &c->overlapped);
    DWORD ignored = 0;
    GetOverlappedResult(c->read_end, &c->overlapped, &ignored, TRUE);
  }
  CloseHandle(c->read_end);
  CloseHandle(c->read_done);
  CloseHandle(c->process);
  delete c;
  process.state = nullptr;
}

uint64_t MonotonicMs() { return GetTickCount64(); }
