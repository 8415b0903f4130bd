// The background loader against the fake MAME, which replays MAME 0.251's
// recorded -listfull answer and logs every call beside itself.
#include "catalogue/game_list_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <future>

#include "settings/app_state.h"
#include "base/paths.h"
#include "catalogue/mame_usage.h"
#include "launch/mame_asker.h"
#include "support/test_support.h"
#include "../tools/fakemame/fakemame_record.h"

TEST(GameListLoader, AsksTheFakeOnceThenUsesTheCache) {
  TempDir dir;
  SetLauncherFolder(dir.path());
  ResetSettings(App().settings);
  auto load = [](bool force) {
    std::promise<std::unique_ptr<GameListBlock>> done;
    auto arrived = done.get_future();
    EXPECT_TRUE(StartGameListLoader(force, LocatedMameAsker(),
                                    [&done](std::unique_ptr<GameListBlock> b) { done.set_value(std::move(b)); }));
    // The main thread owns the settings and may store them anew meanwhile
    // (OK of the options); the loader located MAME before it started.
    for (int i = 0; i < 90000 && arrived.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready; ++i) {
      Settings same = App().settings;
      App().settings = same;
    }
    EXPECT_EQ(arrived.wait_for(std::chrono::seconds(1)), std::future_status::ready);
    return arrived.get();
  };
  // Both questions are asked once per MAME build: the listing and the options.
  auto calls = [&dir](const char* question) {
    size_t n = 0;
    for (const auto& call : fakemame::ParseCalls(ReadTestFile(dir.File("fakemame-calls.txt"))))
      n += !call.args.empty() && call.args[0] == question;
    return n;
  };
  auto listfull_calls = [&] {
    EXPECT_EQ(calls("-showusage"), calls("-listfull"));
    return calls("-listfull");
  };

  // No MAME: the table as built, and no cache.
  auto block = load(true);
  ASSERT_TRUE(block && block->built);
  EXPECT_EQ(FindGameBySet(block->list, "sfex2")->title, BuildGameList()[22].title);
  EXPECT_FALSE(TestFileExists(dir.File("korvo-listing-cache.cfg")));
  EXPECT_FALSE(TestFileExists(dir.File("korvo-options-cache.cfg")));

  std::filesystem::copy_file(FakeMamePath(), dir.File("mame.exe"));
  block = load(false);
  EXPECT_EQ(FindGameBySet(block->list, "sfex2")->title, "Street Fighter EX2 (Euro 980312)");
  EXPECT_EQ(listfull_calls(), 1u);
  EXPECT_FALSE(HasMameOption(CachedMameUsage(LocatedMameAsker()), "joystick_threshold"));
  block = load(false);
  EXPECT_EQ(FindGameBySet(block->list, "sfex2")->title, "Street Fighter EX2 (Euro 980312)");
  EXPECT_EQ(listfull_calls(), 1u);
  load(true);
  EXPECT_EQ(listfull_calls(), 2u);
}
