// Playing from the main window without the window: checks, recent games, and
// a real start of the fake MAME through to its end or a Stop.
#include "launch/play.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "../../tools/fakemame/fakemame_record.h"
#include "base/paths.h"
#include "controls/input_mapping.h"
#include "controls/mapping_files.h"
#include "launch/launch_log.h"
#include "launch/mame_args_hooks.h"
#include "support/test_support.h"

namespace {
// A launcher folder holding the fake as mame.exe.
struct FakeSetup {
  TempDir dir;
  Settings settings;
  FakeSetup() {
    SetLauncherFolder(dir.path());
    ResetSettings(settings);
    WriteTestFile(dir.File("mame.exe"), ReadTestFile(FakeMamePath()));
    chmod(dir.File("mame.exe").c_str(), 0755);
  }
  void Control(const std::string& text) { WriteTestFile(dir.File("fakemame-control.txt"), text); }
  std::vector<fakemame::RecordedCall> Calls() {
    return fakemame::ParseCalls(ReadTestFile(dir.File("fakemame-calls.txt")));
  }
};

bool WaitFor(const std::atomic<bool>& flag, int ms) {
  for (int i = 0; i < ms / 10 && !flag; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return flag;
}
}  // namespace

TEST(Play, Checks) {
  GameList games = BuildGameList();
  GameEntry entry = *FindGameBySet(games, "sfex2");
  EXPECT_EQ(CheckPlay(nullptr, true, false, false), PlayCheck::kNoSelection);
  EXPECT_EQ(CheckPlay(&entry, true, false, false), PlayCheck::kAlreadyRunning);
  EXPECT_EQ(CheckPlay(&entry, false, false, false), PlayCheck::kRomsMissing);
  EXPECT_EQ(CheckPlay(&entry, false, true, false), PlayCheck::kMameNotFound);
  EXPECT_EQ(CheckPlay(&entry, false, true, true), PlayCheck::kOk);
  MarkNotInMame(entry);
  EXPECT_EQ(CheckPlay(&entry, false, false, true), PlayCheck::kNotInMame);
}

TEST(Play, StartWaitAndDiagnoseTheFake) {
  FakeSetup fake;
  fake.settings.logs = 1;
  fake.Control("print=romset missing\\n\nexit=2\ndelay-ms=100\n");
  GameList games = BuildGameList();
  const GameEntry& entry = *FindGameBySet(games, "tekken3");
  LaunchState state;
  uint32_t error = 0;
  ASSERT_TRUE(StartPlay(state, fake.settings, {}, games, entry, nullptr, error));
  EXPECT_TRUE(state.running);
  EXPECT_EQ(state.last_game, entry.number);
  EXPECT_EQ(fake.settings.recent.front(), entry.number);

  std::atomic<bool> ended{false};
  StartWaitThread(state, [&] { ended = true; });
  ASSERT_TRUE(WaitFor(ended, 5000));
  MameEndReport report = FinishPlay(state, state.start_tick + 1000);
  EXPECT_FALSE(state.running);
  EXPECT_TRUE(report.open_rom_check);
  EXPECT_EQ(report.status.rfind("MAME exited with code 2:", 0), 0u);

  // MAME ran in its folder with its output in the logs folder, and the launch log tells how.
  auto calls = fake.Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args.front(), "tekken3");
  EXPECT_EQ(calls[0].folder, fake.dir.path());
  EXPECT_EQ(calls[0].std_out, "file");
  EXPECT_EQ(ReadTestFile(fake.dir.File("logs/korvo-output.log")), "romset missing\n");
  std::string log = ReadTestFile(fake.dir.File("logs/korvo-launch.log"));
  EXPECT_EQ(log.rfind("Korvo v1.0.0\r\n", 0), 0u);
  EXPECT_NE(log.find("mame.exe tekken3 -window"), std::string::npos);
  EXPECT_NE(log.find("cfg\\default.cfg (missing)\r\n"), std::string::npos);
  EXPECT_NE(log.find("cfg\\tekken3.cfg (none)\r\n"), std::string::npos);
}

TEST(Play, AutofireButtonsAreNoneOnlyWhileMameRunsWithTheCombosPlugin) {
  FakeSetup fake;
  fake.settings.logs = 1;
  fake.Control("print-file=cfg/default.cfg\ndelay-ms=100\n");  // what MAME found at its start
  SetWriteCombosPluginHook([](std::string& folder) {
    folder = LauncherFolder() + "\\korvo-plugins\\korvo-combos-plugin";
    return true;
  });
  InputMapping& m = TheInputMapping();
  m = InputMapping{};
  SetBindingKey(m, 4, "LCONTROL");
  SetAutofire(m, 4, true);
  ASSERT_TRUE(WriteInputMapping());
  const std::string real = "KEYCODE_LCONTROL OR JOYCODE_1_BUTTON3";
  ASSERT_NE(ReadTestFile(fake.dir.File("cfg/default.cfg")).find(real), std::string::npos);

  GameList games = BuildGameList();
  LaunchState state;
  uint32_t error = 0;
  ASSERT_TRUE(StartPlay(state, fake.settings, {}, games, *FindGameBySet(games, "sfex2"), nullptr, error));
  std::atomic<bool> ended{false};
  StartWaitThread(state, [&] { ended = true; });
  ASSERT_TRUE(WaitFor(ended, 5000));
  FinishPlay(state, TickMs());
  const std::string seen = ReadTestFile(fake.dir.File("logs/korvo-output.log"));
  EXPECT_NE(seen.find("P1_BUTTON1"), std::string::npos) << seen;
  EXPECT_EQ(seen.find(real), std::string::npos) << seen;
  std::string at_rest = ReadTestFile(fake.dir.File("cfg/default.cfg"));
  EXPECT_NE(at_rest.find(real), std::string::npos) << at_rest;
  EXPECT_EQ(at_rest.find("NONE"), std::string::npos) << at_rest;

  SetWriteCombosPluginHook(nullptr);
  m = InputMapping{};
}

TEST(Play, StopEndsAHangingMameSilently) {
  FakeSetup fake;
  fake.Control("hang=1\n");
  GameList games = BuildGameList();
  LaunchState state;
  uint32_t error = 0;
  ASSERT_TRUE(StartPlay(state, fake.settings, {}, games, *FindGameBySet(games, "sfex2"), nullptr, error));
  std::atomic<bool> ended{false};
  StartWaitThread(state, [&] { ended = true; });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(ended);
  StopGame(state);
  ASSERT_TRUE(WaitFor(ended, 5000));
  EXPECT_TRUE(FinishPlay(state, TickMs()).silent);
}

TEST(Play, AStartThatFailsChangesNothing) {
  FakeSetup fake;
  chmod(fake.dir.File("mame.exe").c_str(), 0644);  // there, but not a program
  GameList games = BuildGameList();
  LaunchState state;
  uint32_t error = 0;
  EXPECT_FALSE(StartPlay(state, fake.settings, {}, games, *FindGameBySet(games, "sfex2"), nullptr, error));
  EXPECT_NE(error, 0u);
  EXPECT_FALSE(state.running);
  EXPECT_TRUE(fake.settings.recent.empty());
  EXPECT_EQ(CouldNotStartText(5), "Windows error 5");
}
