// korvo.exe --game with the fake mame.exe beside it: MAME's arguments, autofire around the game, Windows' failures.

#include <gtest/gtest.h>

#include "base/version.h"
#include "catalogue/mame_status.h"
#include "launch/launch_wiring.h"
#include "launch/mame_asker.h"
#include "launch/mame_args.h"
#include "scratch_launcher_win.h"

namespace {
struct KorvoFolder : ScratchLauncher {
  KorvoFolder() {
    CopyInto(TestBuildFolder() + "\\korvo.exe", dir.File("korvo.exe"));
    Write("korvo-settings.cfg", "logs=1\r\n");
    for (const char* zip : {"roms\\sfex2.zip", "roms\\coh3002c.zip"}) Write(zip, "PK\5\6");
  }
  long Run(const std::string& tail) {
    DeleteFileW(Utf8ToUtf16(dir.File("fakemame-calls.txt")).c_str());
    return RunProgram(dir.File("korvo.exe"), tail);
  }
  std::string Log() const { return Read("logs\\korvo-launch.log"); }

  // The list korvo.exe is expected to build, from the same files and with the same plugins.
  ArgList Expected(int32_t screen_mode) const {
    InstallLaunchHooks();
    Settings s;
    ResetSettings(s);
    LoadSettings(s, dir.File("korvo-settings.cfg"));
    GameSettingsList game_settings;
    LoadGameSettings(game_settings, dir.File("korvo-games.cfg"));
    GameList games = BuildGameList();
    LaunchRequest request;
    request.screen_mode = screen_mode;
    ArgList args;
    BuildMameArgs(s, game_settings, games, FindGameBySet(games, "sfex2")->number, &request, args);
    return args;
  }
};

bool Holds(const std::vector<std::string>& args, const char* arg) {
  return std::find(args.begin(), args.end(), arg) != args.end();
}
}  // namespace

TEST(FrontendWin, StartsTheFakeWithExactlyTheBuiltListAutofireIsNoneOnlyWhileMameRunsAndWindowsFailuresAreSaid) {
  KorvoFolder f;
  // A NUL inside a per-game text does not cut the command line short.
  using namespace std::string_literals;
  f.Write("korvo-games.cfg", "[game 23]\r\nbios=asia\0junk\r\nextra_arguments=-nothrottle\0-x\r\nautosave=1\r\n"s);
  f.Write("fakemame-control.txt", "exit=7\ndelay-ms=300\n");
  EXPECT_EQ(f.Run("--game sfex2"), 0);  // MAME's own code is not passed on
  auto calls = f.Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, f.Expected(-1));  // the plugins too: start-up connected the builder to their writers
  for (const char* arg : {"asia", "-autosave", "-nothrottle"}) EXPECT_TRUE(Holds(calls[0].args, arg)) << arg;
  EXPECT_EQ(calls[0].folder + "|" + calls[0].std_out + "|" + calls[0].std_err, f.dir.path() + "|file|file");
  EXPECT_EQ(f.Log().rfind("Korvo v" + std::string(kKorvoVersion) + "\r\n", 0), 0u);

  // A dropped file's path as Windows splits it, and a screen choice (the rest: the native command-line tests).
  for (auto [tail, screen_mode] : {std::pair{"\"C:/My ROMs/SFEX2.zip\"", -1}, {"--fullscreen --game sfex2", 1}}) {
    SCOPED_TRACE(tail);
    EXPECT_EQ(f.Run(tail), 0);
    calls = f.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args, f.Expected(screen_mode));
  }

  // A not-working game's failed start logs what MAME said of it; a run counts in korvo-played.cfg, a failure not.
  DriverStatuses statuses;
  ASSERT_TRUE(AskDriverStatuses(LocatedMameAsker(App().settings), statuses));
  for (const char* zip : {"roms\\xrally.zip", "roms\\hng64.zip"}) f.Write(zip, "PK\5\6");
  f.Write("fakemame-control.txt", "exit=3\n");
  EXPECT_EQ(f.Run("--game xrally"), 0);
  EXPECT_NE(f.Log().find("\r\nMAME exited with code 3: MAME had a fatal error; MAME marks this game as not working "
                         "(Not working. Imperfect: sound. Save states not supported.)\r\n"),
            std::string::npos) << f.Log();
  EXPECT_FALSE(f.Exists("korvo-played.cfg"));
  f.Write("fakemame-control.txt", "exit=0\n");
  EXPECT_EQ(f.Run("--game xrally"), 0);
  EXPECT_NE(f.Read("korvo-played.cfg").find("\r\n143=1,0,"), std::string::npos) << f.Read("korvo-played.cfg");

  // Autofire on Player 1 Button 1, left as NONE by a launcher that was ended while MAME ran.
  f.Write("cfg\\default.cfg",
          "<?xml version=\"1.0\"?>\n<mameconfig version=\"10\">\n    <system name=\"default\">\n        <input>\n"
          "            <port type=\"P1_BUTTON1\">\n                <newseq type=\"standard\">\n"
          "                    NONE\n                </newseq>\n            </port>\n"
          "        </input>\n    </system>\n</mameconfig>\n");
  f.Write("korvo-autofire.cfg", "P1_BUTTON1\tLCONTROL\t1_BUTTON3\t\n");
  const std::string real = "KEYCODE_LCONTROL OR JOYCODE_1_BUTTON3";
  // The next start repairs it, whatever it goes on to do.
  EXPECT_TRUE(f.Run("--game nosuchgame") == 2 && f.Read("cfg\\default.cfg").find(real) != std::string::npos);

  // A play with the combos plugin: MAME finds NONE, and the real sequence is back once it has ended.
  f.Write("fakemame-control.txt", "print-file=cfg\\default.cfg\n");
  EXPECT_TRUE(f.Run("--game sfex2") == 0 && f.Calls().size() == 1u);
  const std::string seen = f.Read("logs\\korvo-output.log");
  EXPECT_NE(seen.find("P1_BUTTON1"), std::string::npos) << seen;
  EXPECT_EQ(seen.find(real), std::string::npos) << seen;
  const std::string at_rest = f.Read("cfg\\default.cfg");
  EXPECT_NE(at_rest.find(real), std::string::npos) << at_rest;
  EXPECT_EQ(at_rest.find("NONE"), std::string::npos) << at_rest;

  // What only Windows gives: a MAME Program setting naming a folder, and a mame.exe that is no program.
  const std::string not_found = "mame.exe not found (set it in the launcher, or put it beside the launcher): ";
  f.Write("korvo-settings.cfg", "logs=1\r\nmame_exe=roms\r\n");
  EXPECT_TRUE(f.Run("--game sfex2") == 4 && f.Log() == not_found + f.dir.File("roms") + "\r\n");
  f.Write("korvo-settings.cfg", "logs=1\r\n");
  f.Write("mame.exe", "not a program");
  EXPECT_EQ(f.Run("--game sfex2"), 4);
  EXPECT_EQ(f.Log() + std::to_string(f.Calls().size()), "mame.exe could not be started: " + f.dir.File("mame.exe") + "\r\n0");
}
