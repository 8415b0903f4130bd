// A play start under Windows with the fake mame.exe: the output file, the
// waiting thread, the diagnosis with the output's tail, and Stop.
#include <windows.h>

#include <gtest/gtest.h>

#include "launch/play.h"
#include "scratch_launcher_win.h"

TEST(PlayWin, CrashOutputReachesTheBoxStopIsSilentAndAnOutputFileIsNoCondition) {
  ScratchLauncher f;
  Settings settings;
  ResetSettings(settings);
  GameList games = BuildGameList();
  HANDLE ended = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  LaunchState state;
  auto start = [&] {
    uint32_t error = 0;
    ResetEvent(ended);
    if (!StartPlay(state, settings, {}, games, *FindGameBySet(games, "tekken3"), nullptr, error)) return false;
    StartWaitThread(state, [ended] { SetEvent(ended); });
    return true;
  };
  f.Write("fakemame-control.txt", "print=starting\\nlast words\\n\nexit=3\n");
  ASSERT_TRUE(start());
  ASSERT_EQ(WaitForSingleObject(ended, 10000), WAIT_OBJECT_0);
  MameEndReport report = FinishPlay(state, TickMs());
  EXPECT_EQ(report.status, "MAME exited with code 3: MAME had a fatal error");
  EXPECT_TRUE(report.show_box);
  EXPECT_EQ(report.box_text, report.status + "\n\nMAME said:\n\nstarting\nlast words");

  // A MAME that never ends: Stop closes it within the grace time, without a word.
  f.Write("fakemame-control.txt", "hang=1\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(WaitForSingleObject(ended, 300), static_cast<DWORD>(WAIT_TIMEOUT));
  StopGame(state);
  ASSERT_EQ(WaitForSingleObject(ended, kStopGraceMs + 4000), WAIT_OBJECT_0);
  EXPECT_TRUE(FinishPlay(state, TickMs()).silent);
  CloseHandle(ended);

  // An output file that cannot be created does not stop the start: MAME keeps its own handles.
  f.Write("fakemame-control.txt", "exit=0\n");
  DeleteFileW(Utf8ToUtf16(f.dir.File("fakemame-calls.txt")).c_str());
  GameStart game{f.dir.File("mame.exe"), {"tekken3"}, f.dir.path(), f.dir.File("no such folder\\korvo-output.tmp")};
  GameProcess process;
  uint32_t error = 0;
  ASSERT_TRUE(StartGameProcess(game, process, error)) << error;
  EXPECT_TRUE(WaitGameProcess(process, 10000));
  CloseGameProcess(process);
  auto calls = f.Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, ArgList{"tekken3"});
  EXPECT_NE(calls[0].std_out, "file");
}
