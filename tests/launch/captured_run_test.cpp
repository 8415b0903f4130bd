#include "launch/captured_run.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include "launch/process.h"
#include "support/test_support.h"

namespace {
std::string Script(const TempDir& dir, const std::string& name, const std::string& body) {
  std::string path = dir.File(name);
  WriteTestFile(path, "#!/bin/sh\n" + body + "\n");
  chmod(path.c_str(), 0755);
  return path;
}
}  // namespace

TEST(CapturedRun, OutputExitCodeAndArguments) {
  TempDir dir;
  // 1.5 MB, far more than a pipe holds, then a non-zero end.
  std::string big = Script(dir, "big", "head -c 1572864 /dev/zero | tr '\\0' x; printf '[%s]' \"$@\" >&2; exit 7");
  TextBuffer out;
  int32_t code = -1;
  EXPECT_EQ(RunProgramCaptured(big, dir.path(), "-x \"a b\" \"\"", out, 20000, &code), kCapturedEnded);
  EXPECT_EQ(code, 7);
  EXPECT_EQ(out.size(), 1572864u + 11u);
  EXPECT_EQ(out.substr(out.size() - 11), "[-x][a b][]");

  out = "stale";
  EXPECT_EQ(RunProgramCaptured(Script(dir, "quiet", "exit 0"), dir.path(), "", out, 5000, &code), kCapturedEnded);
  EXPECT_EQ(out, "");
  EXPECT_EQ(code, 0);
  EXPECT_EQ(RunProgramCaptured(dir.File("missing.exe"), dir.path(), "", out, 1000), kCapturedNotStarted);
  EXPECT_EQ(out, "");

  // What it left running still holds the pipe: the program's end is the answer's end.
  const std::string left = dir.File("left");
  const uint64_t start = MonotonicMs();
  EXPECT_EQ(RunProgramCaptured(Script(dir, "leaves", "sleep 30 & echo $! > " + left + "; echo done"), dir.path(), "",
                               out, 20000),
            kCapturedEnded);
  EXPECT_LT(MonotonicMs() - start, 3000u);
  EXPECT_EQ(out, "done\n");
  kill(atoi(ReadTestFile(left).c_str()), SIGKILL);
}

TEST(CapturedRun, TimeLimitEndsTheProgram) {
  TempDir dir;
  const std::string pid_file = dir.File("pid");
  const std::string bodies[] = {
      "echo started; exec sleep 60",
      "exec >&- 2>&-; exec sleep 60",  // closing its output does not escape the limit
      "exec yes garbage",              // nor does printing without end
  };
  for (const std::string& body : bodies) {
    SCOPED_TRACE(body);
    std::string program = Script(dir, "run", "echo $$ > " + pid_file + "; " + body);
    TextBuffer out;
    uint64_t start = MonotonicMs();
    EXPECT_EQ(RunProgramCaptured(program, dir.path(), "", out, 400), kCapturedTimedOut);
    EXPECT_LT(MonotonicMs() - start, 3000u);
    EXPECT_NE(kill(atoi(ReadTestFile(pid_file).c_str()), 0), 0);  // gone
    if (body.rfind("echo", 0) == 0) EXPECT_EQ(out, "started\n");
  }
}
