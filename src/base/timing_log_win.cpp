#include "base/timing_log_win.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
struct TimingLog {
  FILE* file = nullptr;
  ULONGLONG process_start = 0;
  std::vector<std::string> pending;  // marked when no paint is left

  TimingLog() {
    wchar_t path[MAX_PATH];
    DWORD n = GetEnvironmentVariableW(L"KORVO_TIMING", path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    file = _wfopen(path, L"ab");
    FILETIME created, exited, kernel, user;
    if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
      process_start = (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  }
};

TimingLog& Log() {
  static TimingLog log;
  return log;
}

ULONGLONG Now() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}
}  // namespace

void TimingMark(const char* label) {
  TimingLog& log = Log();
  if (!log.file) return;
  ULONGLONG now = Now();
  std::fprintf(log.file, "%llu %.1f %s\n", now, (now - log.process_start) / 10000.0, label);
  std::fflush(log.file);
}

void TimingMarkWhenPainted(const char* label) {
  if (Log().file) Log().pending.push_back(label);
}

void TimingIdle() {
  TimingLog& log = Log();
  if (!log.file || log.pending.empty()) return;
  // Painting comes after every posted and sent message; none left means the
  // screen shows the state the label names.
  if (HIWORD(GetQueueStatus(QS_PAINT | QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0) return;
  for (const std::string& label : log.pending) TimingMark(label.c_str());
  log.pending.clear();
}
