#include "launch/captured_run.h"

#include "launch/mame_location.h"
#include "launch/process.h"

int RunMameCaptured(const std::string& arguments, TextBuffer& output, uint32_t time_limit_ms, int32_t* exit_code) {
  std::string program;
  if (!LocateMameProgram(program)) {
    output.clear();
    return kCapturedNotStarted;
  }
  return RunProgramCaptured(program, MameFolder(), arguments, output, time_limit_ms, exit_code);
}

int RunProgramCaptured(const std::string& program, const std::string& working_folder, const std::string& arguments,
                       TextBuffer& output, uint32_t time_limit_ms, int32_t* exit_code) {
  output.clear();
  CaptureProcess process;
  const uint64_t start = MonotonicMs();
  switch (StartCaptureProcess(process, program, arguments, working_folder)) {
    case CaptureStart::kNoPipe: return kCapturedNoPipe;
    case CaptureStart::kNotStarted: return kCapturedNotStarted;
    case CaptureStart::kStarted: break;
  }
  auto out_of_time = [&] { return MonotonicMs() - start > time_limit_ms; };
  auto give_up = [&] {
    CaptureTerminate(process, 1);
    CloseCaptureProcess(process);
    return kCapturedTimedOut;
  };

  static thread_local char block[16384];
  int ended_seen = 0;
  for (;;) {
    int64_t waiting = CapturePipeWaiting(process);
    if (waiting < 0) break;  // MAME closed its end
    if (waiting > 0) {
      size_t got = CapturePipeRead(process, block, sizeof block);
      // Keep reading past the limit so that MAME never blocks, but do not keep it all.
      if (output.size() < kCapturedOutputLimit) output.append(block, got);
      if (got > 0) {
        if (out_of_time()) return give_up();  // a program that prints without end
        continue;
      }
    }
    if (CaptureWaitEnded(process, 30)) {
      // Ended: once more round the loop to drain the pipe, then stop (the pipe
      // may stay open when MAME left a child process holding it).
      if (++ended_seen == 2) break;
    } else if (out_of_time()) {
      return give_up();
    }
  }
  // The pipe can close while MAME still runs (it may close its output early):
  // it still gets only the time that is left.
  while (!CaptureWaitEnded(process, 30))
    if (out_of_time()) return give_up();

  uint32_t code = 0;
  if (exit_code) *exit_code = CaptureExitCode(process, code) ? static_cast<int32_t>(code) : 0;
  CloseCaptureProcess(process);
  return kCapturedEnded;
}
