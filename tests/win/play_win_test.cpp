// A play start under Windows with the fake mame.exe: output into the file,
// the waiting thread, the diagnosis with the output tail, and Stop.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>

#include "../../tools/fakemame/fakemame_record.h"

#include "base/paths.h"
#include "base/utf16_win.h"
#include "launch/play.h"
#include "win_test_support.h"

namespace {
struct PlayFolder {
  WinTempDir dir;
  Settings settings;
  GameList games = BuildGameList();
  PlayFolder() {
    SetLauncherFolder(dir.path());
    ResetSettings(settings);
    CopyInto(TestBuildFolder() + "\\tools\\fakemame\\mame.exe", dir.File("mame.exe"));
  }
  void Control(const std::string& text) {
    std::ofstream(Utf8ToUtf16(dir.File("fakemame-control.txt")).c_str(), std::ios::binary) << text;
  }
  bool Start(LaunchState& state, HANDLE ended_event) {
    uint32_t error = 0;
    if (!StartPlay(state, settings, {}, games, *FindGameBySet(games, "tekken3"), nullptr, error)) return false;
    StartWaitThread(state, [ended_event] { SetEvent(ended_event); });
    return true;
  }
};
}  // namespace

TEST(PlayWin, CrashOutputReachesTheBoxAndStopIsSilent) {
  PlayFolder f;
  f.Control("print=starting\\nlast words\\n\nexit=3\n");
  HANDLE ended = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  LaunchState state;
  ASSERT_TRUE(f.Start(state, ended));
  ASSERT_EQ(WaitForSingleObject(ended, 10000), WAIT_OBJECT_0);
  MameEndReport report = FinishPlay(state, TickMs());
  EXPECT_EQ(report.status, "MAME exited with code 3: MAME had a fatal error");
  EXPECT_TRUE(report.show_box);
  EXPECT_EQ(report.box_text, report.status + "\n\nMAME said:\n\nstarting\nlast words");

  // A MAME that never ends: Stop closes it within the grace time, without a word.
  ResetEvent(ended);
  f.Control("hang=1\n");
  ASSERT_TRUE(f.Start(state, ended));
  EXPECT_EQ(WaitForSingleObject(ended, 300), static_cast<DWORD>(WAIT_TIMEOUT));
  StopGame(state);
  ASSERT_EQ(WaitForSingleObject(ended, kStopGraceMs + 4000), WAIT_OBJECT_0);
  EXPECT_TRUE(FinishPlay(state, TickMs()).silent);
  CloseHandle(ended);
}

TEST(PlayWin, AnOutputFileThatCannotBeCreatedDoesNotStopTheStart) {
  PlayFolder f;
  f.Control("exit=0\n");
  GameStart start;
  start.program = f.dir.File("mame.exe");
  start.args = {"tekken3"};
  start.working_folder = f.dir.path();
  start.output_path = f.dir.File("no such folder\\korvo-output.tmp");
  GameProcess process;
  uint32_t error = 0;
  ASSERT_TRUE(StartGameProcess(start, process, error)) << error;
  EXPECT_TRUE(WaitGameProcess(process, 10000));
  CloseGameProcess(process);

  std::ifstream in(Utf8ToUtf16(f.dir.File("fakemame-calls.txt")).c_str(), std::ios::binary);
  auto calls = fakemame::ParseCalls(std::string(std::istreambuf_iterator<char>(in), {}));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, ArgList{"tekken3"});
  EXPECT_NE(calls[0].std_out, "file");  // MAME's own handles, not a half-made file
}
