// Asking MAME a question: run it hidden, collect everything it prints, and
// guarantee an end within a time limit. The play launch sends its output to a
// file instead; this is only for short question-and-answer runs.
#pragma once
#include <cstdint>
#include <string>

#include "base/text_buffer.h"

enum CapturedRunResult : int {
  kCapturedEnded = 0,       // MAME ran and ended; output and exit code delivered
  kCapturedNoPipe = 1,      // no pipe could be made
  kCapturedNotStarted = 2,  // mame.exe did not start
  kCapturedTimedOut = 3,    // the limit ran out and MAME was ended
};

// Runs the located mame.exe in MAME's folder with `arguments` appended to its
// quoted path. `output` is replaced by what MAME printed (standard output and
// error together).
int RunMameCaptured(const std::string& arguments, TextBuffer& output, uint32_t time_limit_ms,
                    int32_t* exit_code = nullptr);

// The same run for a given program and working folder.
int RunProgramCaptured(const std::string& program, const std::string& working_folder, const std::string& arguments,
                       TextBuffer& output, uint32_t time_limit_ms, int32_t* exit_code = nullptr);

// Ends every run under way as its time limit would, and refuses new ones:
// for a program that is ending and must not wait a minute for MAME's answer.
void AbandonCapturedRuns();

// Output beyond this many bytes is read (so the program never blocks) but not kept.
constexpr size_t kCapturedOutputLimit = 64u << 20;
