// A child program whose standard output and error go into one pipe that the
// launcher reads without blocking. process_win.cpp runs it with CreateProcess;
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

// Bytes waiting in the pipe, or -1 once the pipe is closed and empty.
int64_t CapturePipeWaiting(CaptureProcess& process);
// Reads up to `size` waiting bytes; 0 when nothing could be read.
size_t CapturePipeRead(CaptureProcess& process, char* buffer, size_t size);
// Waits up to `ms` for the program to end; true when it has ended.
bool CaptureWaitEnded(CaptureProcess& process, uint32_t ms);
// Ends the program (and anything it started on POSIX) and waits for it to go.
void CaptureTerminate(CaptureProcess& process, uint32_t exit_code);
// The exit code of an ended program; false while it runs.
bool CaptureExitCode(CaptureProcess& process, uint32_t& code);
void CloseCaptureProcess(CaptureProcess& process);

// A monotonic millisecond clock for time limits.
uint64_t MonotonicMs();
