// A child program whose standard output and error go into one pipe that the
// launcher reads as fast as the child writes, with waits that a time limit
// can cut short. process_win.cpp runs it with CreateProcess;
// process_posix.cpp with fork/exec, so the reading loop is testable natively.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

struct CaptureProcess {
  void* state = nullptr;  // owned by the platform file; freed by CloseCaptureProcess
};

enum class CaptureStart { kStarted, kNoPipe, kNotStarted };

// Starts `program` with `arguments` (a Windows-style argument text) in
// `working_folder`, hidden, standard input inherited.
CaptureStart StartCaptureProcess(CaptureProcess& process, const std::string& program, const std::string& arguments,
                                 const std::string& working_folder);

// Waits up to `wait_ms` for output and reads what has come, at most `size`
// bytes. Returns the count read; 0 when nothing came within the wait or the
// program ended (ask CaptureWaitEnded); -1 once every writer has closed the
// pipe and it is empty.
int64_t CaptureRead(CaptureProcess& process, char* buffer, size_t size, uint32_t wait_ms);
// Waits up to `ms` for the program to end; true when it has ended.
bool CaptureWaitEnded(CaptureProcess& process, uint32_t ms);
// Ends the program (and anything it started on POSIX) and waits for it to go.
void CaptureTerminate(CaptureProcess& process, uint32_t exit_code);
// The exit code of an ended program; false while it runs.
bool CaptureExitCode(CaptureProcess& process, uint32_t& code);
void CloseCaptureProcess(CaptureProcess& process);

// A monotonic millisecond clock for time limits.
uint64_t MonotonicMs();
