// `korvo --game <name>` end to end with the fake MAME: names, exit codes and log lines.
#include "launch/frontend.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "../../tools/fakemame/fakemame_record.h"
#include "base/paths.h"
#include "launch/mame_args.h"
#include "support/test_support.h"

namespace {
struct FrontendSetup {
  TempDir dir;
  Settings settings;
  FrontendSetup() {
    SetLauncherFolder(dir.path());
    ResetSettings(settings);
    settings.logs = 1;
    WriteTestFile(dir.File("mame.exe"), ReadTestFile(FakeMamePath()));
    chmod(dir.File("mame.exe").c_str(), 0755);
  }
  void Zips(std::initializer_list<const char*> names) {
    for (const char* name : names) WriteTestFile(dir.File(std::string("roms/") + name), "PK\5\6");
  }
  int Run(const std::string& game, ScreenRequest screen = ScreenRequest::FollowSettings) {
    return RunFrontend(settings, {}, game, screen);
  }
  std::vector<fakemame::RecordedCall> Calls() {
    return fakemame::ParseCalls(ReadTestFile(dir.File("fakemame-calls.txt")));
  }
  std::string Log() { return ReadTestFile(dir.File("logs/korvo-launch.log")); }
};
}  // namespace

TEST(Frontend, NamesFromFrontEndsAndDroppedFiles) {
  GameList games = BuildGameList();
  auto set_of = [&](const std::string& text) {
    const GameEntry* e = FindFrontendGame(games, NormalizeFrontendName(text));
    return e ? e->set : std::string("-");
  };
  const std::pair<const char*, const char*> cases[] = {
      {"SFEX2", "sfex2"}, {"\"C:\\My ROMs\\sfex2.zip\"", "sfex2"}, {"  /home/me/roms/tekken3.7z ", "tekken3"},
      {"sfex2.zip.bak", "-"},  // one cut at the last dot only
      {"coh3002c", "-"},       // a BIOS is not a game
  };
  for (const auto& [text, set] : cases) EXPECT_EQ(set_of(text), set) << text;
  EXPECT_EQ(NormalizeFrontendName("\"\""), "");
  EXPECT_EQ(NormalizeFrontendName("C:\\ROMs\\"), "");
  EXPECT_EQ(NormalizeFrontendName(std::string(5000, 'a')).size(), 299u);
}

TEST(Frontend, PlaysWithExactlyTheBuiltArguments) {
  FrontendSetup f;
  f.Zips({"SFEX2.ZIP", "coh3002c.zip"});
  WriteTestFile(f.dir.File("fakemame-control.txt"), "exit=3\n");  // MAME's own failure is not passed on
  EXPECT_EQ(f.Run("C:\\ROMs\\sfex2.zip"), kFrontendPlayed);
  EXPECT_EQ(f.Run("sfex2", ScreenRequest::FullScreen), kFrontendPlayed);

  GameList games = BuildGameList();
  ArgList expected;
  BuildMameArgs(f.settings, {}, games, FindGameBySet(games, "sfex2")->number, nullptr, expected);
  auto calls = f.Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].args, expected);
  EXPECT_EQ(calls[0].folder, f.dir.path());
  EXPECT_NE(std::find(calls[0].args.begin(), calls[0].args.end(), "-window"), calls[0].args.end());
  EXPECT_NE(std::find(calls[1].args.begin(), calls[1].args.end(), "-nowindow"), calls[1].args.end());
  EXPECT_EQ(f.Log().rfind("Korvo v1.0.0\r\n", 0), 0u);
}

TEST(Frontend, FailuresGiveTheirCodeAndLogLine) {
  FrontendSetup f;
  EXPECT_EQ(f.Run(""), kFrontendNoGame);
  EXPECT_EQ(f.Log(), "no game given: \r\n");
  EXPECT_EQ(f.Run(" \t "), kFrontendNoGame);
  // A name was given: what does not find a game is an unknown game; MAME's pong is not one of the table's.
  for (const char* name : {"\"\"", "C:\\ROMs\\", "C:/ROMs/", "pong"}) {
    EXPECT_EQ(f.Run(name), kFrontendUnknownGame) << name;
    EXPECT_EQ(f.Log(), "unknown game (use the MAME set name, e.g. sfex2, or the ROM zip of a game of the listed "
                       "boards): " + std::string(name) + "\r\n");
  }

  f.Zips({"sfex2.zip"});  // the BIOS zip is missing
  EXPECT_EQ(f.Run("sfex2"), kFrontendRomsMissing);
  EXPECT_EQ(f.Log(), "ROM files missing: coh3002c.zip\r\n");
  EXPECT_EQ(f.Run("kikaioh"), kFrontendRomsMissing);
  EXPECT_EQ(f.Log(), "ROM files missing: kikaioh.zip, techromn.zip, coh3002c.zip\r\n");
  EXPECT_TRUE(f.Calls().empty());

  f.settings.logs = 0;
  f.settings.mame_exe = "emu\\mame.exe";
  EXPECT_EQ(f.Run("sfex2"), kFrontendNoMame);
  EXPECT_EQ(f.Log(), "ROM files missing: kikaioh.zip, techromn.zip, coh3002c.zip\r\n");  // logs off: untouched
  f.settings.logs = 1;
  EXPECT_EQ(f.Run("sfex2"), kFrontendNoMame);
  EXPECT_EQ(f.Log(), "mame.exe not found (set it in the launcher, or put it beside the launcher): " + f.dir.path() +
                         "\\emu\\mame.exe\r\n");

  // There, but it will not start.
  f.settings.mame_exe = "";
  f.Zips({"coh3002c.zip"});
  chmod(f.dir.File("mame.exe").c_str(), 0644);
  EXPECT_EQ(f.Run("sfex2"), kFrontendNoMame);
  EXPECT_EQ(f.Log(), "mame.exe could not be started: " + f.dir.path() + "\\mame.exe\r\n");
}
