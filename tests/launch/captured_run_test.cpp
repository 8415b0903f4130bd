#include "launch/captured_run.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include "app/app_state.h"
#include "app/paths.h"
#include "launch/process.h"
#include "support/test_support.h"

namespace {
std::string Script(const TempDir& dir, const std::string& name, const std::string& body) {
  std::string path = dir.File(name);
  WriteTestFile(path, "#!/bin/sh\n" + body + "\n");
  chmod(path.c_str(), 0755);
  return path;
}

bool ProcessAlive(const std::string& pid_file) {
  std::string text = ReadTestFile(pid_file);
  int pid = atoi(text.c_str());
  return pid > 0 && kill(pid, 0) == 0;
}
}  // namespace

TEST(CapturedRun, DeliversLargeOutputAndExitCode) {
  TempDir dir;
  // 1.5 MB, far more than a pipe holds, then a non-zero end.
  std::string big = Script(dir, "big", "head -c 1572864 /dev/zero | tr '\\0' x; echo err >&2; exit 7");
  TextBuffer out;
  int32_t code = -1;
  EXPECT_EQ(RunProgramCaptured(big, dir.path(), "", out, 20000, &code), kCapturedEnded);
  EXPECT_EQ(code, 7);
  ASSERT_EQ(out.size(), 1572864u + 4u);
  EXPECT_EQ(out.substr(out.size() - 4), "err\n");

  std::string quiet = Script(dir, "quiet", "exit 0");
  out = "stale";
  EXPECT_EQ(RunProgramCaptured(quiet, dir.path(), "", out, 5000, &code), kCapturedEnded);
  EXPECT_EQ(out, "");
  EXPECT_EQ(code, 0);
}

TEST(CapturedRun, ArgumentsAndWorkingFolderArrive) {
  TempDir dir;
  std::string echo = Script(dir, "echo", "pwd; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done");
  TextBuffer out;
  EXPECT_EQ(RunProgramCaptured(echo, dir.path(), "-listxml \"a b\" \"\" c\\\\d", out, 5000), kCapturedEnded);
  EXPECT_NE(out.find("[-listxml]\n[a b]\n[]\n[c\\\\d]\n"), std::string::npos) << out;
  EXPECT_EQ(out.rfind(dir.path(), 0), 0u) << out;
}

TEST(CapturedRun, TimeLimitEndsTheProgram) {
  TempDir dir;
  std::string pid_file = dir.File("pid");
  struct Case {
    const char* name;
    std::string body;
  } cases[] = {
      {"hang", "echo $$ > " + pid_file + "; echo started; exec sleep 60"},
      // Closing its output does not let it escape the limit.
      {"closed", "echo $$ > " + pid_file + "; exec >&- 2>&-; exec sleep 60"},
      // Nor does printing without end.
      {"flood", "echo $$ > " + pid_file + "; exec yes garbage"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string program = Script(dir, c.name, c.body);
    TextBuffer out;
    uint64_t start = MonotonicMs();
    EXPECT_EQ(RunProgramCaptured(program, dir.path(), "", out, 400), kCapturedTimedOut);
    EXPECT_LT(MonotonicMs() - start, 3000u);
    EXPECT_FALSE(ProcessAlive(pid_file));
    if (std::string(c.name) == "hang") EXPECT_EQ(out, "started\n");
    EXPECT_LE(out.size(), kCapturedOutputLimit);
  }
}

TEST(CapturedRun, MissingProgramDoesNotStart) {
  TempDir dir;
  TextBuffer out = "stale";
  EXPECT_EQ(RunProgramCaptured(dir.File("nothing.exe"), dir.path(), "-listfull", out, 1000), kCapturedNotStarted);
  EXPECT_EQ(out, "");
  std::string not_runnable = dir.File("plain.txt");
  WriteTestFile(not_runnable, "text");
  EXPECT_EQ(RunProgramCaptured(not_runnable, dir.path(), "", out, 1000), kCapturedNotStarted);

  // Through the settings: no mame.exe beside the launcher.
  SetLauncherFolder(dir.path());
  ResetSettings(App().settings);
  EXPECT_EQ(RunMameCaptured("-listfull", out, 1000), kCapturedNotStarted);
  EXPECT_EQ(out, "");
}

TEST(CapturedRun, RunsTheLocatedMameInItsFolder) {
  TempDir dir;
  SetLauncherFolder(dir.path());
  ResetSettings(App().settings);
  Script(dir, "mame/mame.exe", "pwd; echo \"$1\"");
  TextBuffer out;
  int32_t code = -1;
  EXPECT_EQ(RunMameCaptured("-listfull", out, 5000, &code), kCapturedEnded);
  EXPECT_EQ(out, dir.path() + "/mame\n-listfull\n");
  EXPECT_EQ(code, 0);
}
