// The captured run against the fake MAME printing at once and line by line; a hang, a missing program, the cache.

#include <gtest/gtest.h>

#include <chrono>

#include "launch/captured_run.h"
#include "launch/mame_asker.h"
#include "scratch_launcher_win.h"

TEST(CapturedRunWin, AnswersArriveWholeAHangEndsMissingDoesNotStartAndTheListingCacheFollowsTheProgram) {
  std::string listings[2];
  for (int way = 0; way < 2; ++way) {
    const std::string print_way = way ? "print-lines=1\n" : "";
    SCOPED_TRACE(print_way);
    ScratchLauncher f;
    const std::string fake = f.dir.File("mame.exe");
    f.Write("fakemame-control.txt", print_way + "bytes=1048576\nexit=3\n");
    TextBuffer out;
    int32_t code = -1;
    ASSERT_EQ(RunProgramCaptured(fake, f.dir.path(), "sfex2", out, 30000, &code), kCapturedEnded);
    EXPECT_TRUE(out.size() == 1048576u && code == 3);
    ASSERT_EQ(RunProgramCaptured(fake, f.dir.path(), "-listfull", out, 60000), kCapturedEnded);
    EXPECT_EQ(out.rfind("Name:", 0), 0u);
    listings[way] = out;

    f.Write("fakemame-control.txt", print_way + "print=started\\n\nhang=1\n");
    int before = CountProcesses(L"mame.exe");
    ULONGLONG start = GetTickCount64();
    EXPECT_EQ(RunProgramCaptured(fake, f.dir.path(), "sfex2", out, 1000), kCapturedTimedOut);
    EXPECT_LT(GetTickCount64() - start, 4000u);
    EXPECT_TRUE(out == "started\n" && CountProcesses(L"mame.exe") == before);
    EXPECT_EQ(RunProgramCaptured(f.dir.File("none.exe"), f.dir.path(), "-listfull", out, 1000), kCapturedNotStarted);
    EXPECT_EQ(out, "");
  }
  EXPECT_GT(listings[0].size(), 2000000u);
  EXPECT_TRUE(listings[0] == listings[1]) << "the answers printed line by line differ";

  // The listing's cache follows the program file.
  ScratchLauncher f;
  auto load = [] {
    GameList list = BuildGameList();
    LoadMameListing(list, false, LocatedMameAsker());
    return FindGameBySet(list, "sfex2")->title;
  };
  EXPECT_EQ(load(), "Street Fighter EX2 (Euro 980312)");
  load();
  EXPECT_EQ(f.CallsWith("-listfull"), 1u);
  // Same size, another time: another build of MAME.
  const auto earlier = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  std::filesystem::last_write_time(std::filesystem::path(Utf8ToUtf16(f.dir.File("mame.exe"))), earlier);
  EXPECT_EQ(load(), "Street Fighter EX2 (Euro 980312)");
  load();
  EXPECT_EQ(f.CallsWith("-listfull"), 2u);
  SetLauncherFolder("");
}
