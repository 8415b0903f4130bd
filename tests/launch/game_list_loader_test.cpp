// The background loader against the fake MAME (replaying MAME 0.251's
// recorded answer) and against the real MAME when it is installed.
#include "catalogue/game_list_loader.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <future>

#include "app/app_state.h"
#include "app/paths.h"
#include "launch/mame_asker.h"
#include "support/test_support.h"
#include "../tools/fakemame/fakemame_record.h"

namespace {
std::unique_ptr<GameListBlock> LoadInBackground(bool force) {
  std::promise<std::unique_ptr<GameListBlock>> done;
  auto arrived = done.get_future();
  EXPECT_TRUE(StartGameListLoader(force, LocatedMameAsker(),
                                  [&done](std::unique_ptr<GameListBlock> block) { done.set_value(std::move(block)); }));
  EXPECT_EQ(arrived.wait_for(std::chrono::seconds(90)), std::future_status::ready);
  return arrived.get();
}

size_t ListfullCalls(const TempDir& dir) {
  size_t n = 0;
  for (const auto& call : fakemame::ParseCalls(ReadTestFile(dir.File("fakemame-calls.txt"))))
    n += !call.args.empty() && call.args[0] == "-listfull";
  return n;
}
}  // namespace

TEST(GameListLoader, AsksTheFakeOnceAndThenUsesTheCache) {
  TempDir dir;
  SetLauncherFolder(dir.path());
  ResetSettings(App().settings);
  std::filesystem::copy_file(FakeMamePath(), dir.File("mame.exe"));

  auto block = LoadInBackground(false);
  ASSERT_TRUE(block && block->built);
  EXPECT_EQ(block->list.size(), static_cast<size_t>(kGameCount));
  EXPECT_EQ(FindGameBySet(block->list, "sfex2")->title, "Street Fighter EX2 (Euro 980312)");
  EXPECT_EQ(ListfullCalls(dir), 1u);
  EXPECT_TRUE(TestFileExists(dir.File("korvo-listing-cache.cfg")));

  block = LoadInBackground(false);
  EXPECT_EQ(ListfullCalls(dir), 1u);
  EXPECT_EQ(FindGameBySet(block->list, "sfex2")->title, "Street Fighter EX2 (Euro 980312)");

  // A new build of MAME in the same place (same size, other time) is asked again.
  struct timespec times[2] = {{0, UTIME_OMIT}, {1500000000, 0}};
  utimensat(AT_FDCWD, dir.File("mame.exe").c_str(), times, 0);
  LoadInBackground(false);
  EXPECT_EQ(ListfullCalls(dir), 2u);
  LoadInBackground(true);
  EXPECT_EQ(ListfullCalls(dir), 3u);
}

TEST(GameListLoader, WithoutMameTheTableStaysAsBuilt) {
  TempDir dir;
  SetLauncherFolder(dir.path());
  ResetSettings(App().settings);
  auto block = LoadInBackground(true);
  ASSERT_TRUE(block && block->built);
  GameList plain = BuildGameList();
  for (size_t i = 0; i < plain.size(); ++i) {
    EXPECT_EQ(block->list[i].title, plain[i].title);
    EXPECT_EQ(block->list[i].flags, plain[i].flags);
  }
  EXPECT_FALSE(TestFileExists(dir.File("korvo-listing-cache.cfg")));
}

TEST(GameListLoader, RealMameDescribesWhatItKnows) {
  if (!TestFileExists("/usr/games/mame")) GTEST_SKIP() << "no MAME installed";
  TempDir dir;
  SetLauncherFolder(dir.path());
  ResetSettings(App().settings);
  App().settings.mame_exe = "/usr/games/mame";
  auto block = LoadInBackground(true);
  ASSERT_TRUE(block);
  MameListing listing;
  ParseListfull(ReadTestFile(SourcePath("tests/fixtures/mame0251/listfull.txt")), GameTableSets(), listing);
  int known = 0;
  for (const GameEntry& e : block->list) {
    bool listed = listing.count(e.set) > 0;
    known += listed;
    EXPECT_EQ(!(e.flags & kGameNotInMame), listed) << e.set;
  }
  EXPECT_GT(known, 400);
  ResetSettings(App().settings);
}
