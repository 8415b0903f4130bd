#include "launch/captured_run.h"

#include <algorithm>
#include <atomic>

#include "launch/mame_location.h"
#include "launch/process.h"

namespace {
std::atomic<bool> g_abandoned{false};
// How long a read waits at most before it looks whether the run was abandoned.
constexpr uint32_t kAbandonCheckMs = 100;
}  // namespace

void AbandonCapturedRuns() { g_abandoned = true; }

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
  if (g_abandoned) return kCapturedTimedOut;
  CaptureProcess process;
  const uint64_t start = MonotonicMs();
  switch (StartCaptureProcess(process, program, arguments, working_folder)) {
    case CaptureStart::kNoPipe: return kCapturedNoPipe;
    case CaptureStart::kNotStarted: return kCapturedNotStarted;
    case CaptureStart::kStarted: break;
  }
  auto elapsed = [&] { return MonotonicMs() - start; };
  auto give_up = [&] {
    CaptureTerminate(process, 1);
    CloseCaptureProcess(process);
    return kCapturedTimedOut;
  };
  // Keep reading past the output limit so that MAME never blocks, but do not keep it all.
  auto keep = [&](const char* bytes, int64_t got) {
    if (output.size() < kCapturedOutputLimit) output.append(bytes, static_cast<size_t>(got));
  };

  // Each read waits for MAME's next piece, so its output is taken as fast as
  // it comes, however small the pieces; the wait ends early when MAME ends.
  static thread_local char block[65536];
  for (;;) {
    const uint64_t used = elapsed();
    if (used > time_limit_ms || g_abandoned) return give_up();  // also a program that prints without end
    const uint64_t wait = std::min<uint64_t>(time_limit_ms - used + 1, kAbandonCheckMs);
    int64_t got = CaptureRead(process, block, sizeof block, static_cast<uint32_t>(wait));
    if (got > 0) {
      keep(block, got);
      continue;
    }
    if (got < 0) break;  // MAME closed its end
    if (CaptureWaitEnded(process, 0)) {
      // Ended: take what is still in the pipe and stop, since a process MAME
      // left behind may hold the pipe open.
      while ((got = CaptureRead(process, block, sizeof block, 0)) > 0) {
        keep(block, got);
        if (elapsed() > time_limit_ms) return give_up();
      }
      break;
    }
  }
  // The pipe can close while MAME still runs (it may close its output early):
  // it still gets only the time that is left.
  const uint64_t used = elapsed();
  if (used > time_limit_ms || !CaptureWaitEnded(process, static_cast<uint32_t>(time_limit_ms - used))) return give_up();

  uint32_t code = 0;
  if (exit_code) *exit_code = CaptureExitCode(process, code) ? static_cast<int32_t>(code) : 0;
  CloseCaptureProcess(process);
  return kCapturedEnded;
}
