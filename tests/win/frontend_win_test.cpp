// korvo.exe --game under Windows with the fake mame.exe beside it: what MAME
// is started with, and the exit code for every outcome.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "../../tools/fakemame/fakemame_record.h"
#include "base/paths.h"
#include "base/utf16_win.h"
#include "catalogue/game_table.h"
#include "launch/launch_wiring.h"
#include "launch/mame_args.h"
#include "settings/game_settings.h"
#include "settings/settings.h"
#include "win_test_support.h"

namespace {
void WriteFileText(const std::string& path, const std::string& text) {
  std::ofstream(Utf8ToUtf16(path).c_str(), std::ios::binary) << text;
}
std::string ReadFileText(const std::string& path) {
  std::ifstream in(Utf8ToUtf16(path).c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A launcher folder: korvo.exe, the fake as mame.exe, and ROM zips.
struct KorvoFolder {
  WinTempDir dir;
  KorvoFolder() {
    CopyInto(TestBuildFolder() + "\\korvo.exe", dir.File("korvo.exe"));
    CopyInto(TestBuildFolder() + "\\tools\\fakemame\\mame.exe", dir.File("mame.exe"));
    WriteFileText(dir.File("korvo-settings.cfg"), "logs=1\r\n");
    CreateDirectoryW(Utf8ToUtf16(dir.File("roms")).c_str(), nullptr);
    for (const char* zip : {"sfex2.zip", "coh3002c.zip"}) WriteFileText(dir.File("roms\\") + zip, "PK\5\6");
  }
  long Run(const std::string& tail) {
    HANDLE process = StartProgram(dir.File("korvo.exe"), tail);
    if (!process) return -2;
    long code = WaitExit(process, 60000);
    CloseHandle(process);
    return code;
  }
  std::vector<fakemame::RecordedCall> TakeCalls() {
    auto calls = fakemame::ParseCalls(ReadFileText(dir.File("fakemame-calls.txt")));
    DeleteFileW(Utf8ToUtf16(dir.File("fakemame-calls.txt")).c_str());
    return calls;
  }
  std::string Log() { return ReadFileText(dir.File("logs\\korvo-launch.log")); }

  // The list korvo.exe is expected to build, from the same settings file
  // and with the same plugins.
  ArgList Expected(int32_t screen_mode) {
    SetLauncherFolder(dir.path());
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

TEST(FrontendWin, StartsTheFakeWithExactlyTheBuiltList) {
  KorvoFolder f;
  WriteFileText(f.dir.File("fakemame-control.txt"), "exit=7\ndelay-ms=300\n");
  EXPECT_EQ(f.Run("--game sfex2"), 0);  // MAME's own code is not passed on
  auto calls = f.TakeCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, f.Expected(-1));
  // Start-up connected the builder to the plugin writers: with logs on, the
  // input-log plugin goes to MAME.
  auto plugin = std::find(calls[0].args.begin(), calls[0].args.end(), "-plugin");
  ASSERT_NE(plugin, calls[0].args.end());
  ASSERT_NE(plugin + 1, calls[0].args.end());
  EXPECT_NE(plugin[1].find("korvo_diag"), std::string::npos) << plugin[1];
  EXPECT_EQ(calls[0].folder, f.dir.path());
  EXPECT_EQ(calls[0].std_out, "file");
  EXPECT_EQ(calls[0].std_err, "file");
  EXPECT_EQ(f.Log().rfind("Korvo v1.0.0\r\n", 0), 0u);

  for (const char* tail : {"--game=C:\\ROMs\\sfex2.zip", "--game \"C:\\My ROMs\\sfex2.zip\"", "SFEX2",
                           "\"C:/ROMs/sfex2.zip\""}) {
    EXPECT_EQ(f.Run(tail), 0) << tail;
    calls = f.TakeCalls();
    ASSERT_EQ(calls.size(), 1u) << tail;
    EXPECT_EQ(calls[0].args.front(), "sfex2") << tail;
  }

  EXPECT_EQ(f.Run("--fullscreen --game sfex2"), 0);
  calls = f.TakeCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, f.Expected(1));
  EXPECT_TRUE(Holds(calls[0].args, "-nowindow"));
  EXPECT_EQ(f.Run("--game sfex2 --windowed"), 0);
  calls = f.TakeCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_TRUE(Holds(calls[0].args, "-window"));
}

TEST(FrontendWin, ANulInAPerGameTextDoesNotCutTheCommandLine) {
  KorvoFolder f;
  using namespace std::string_literals;
  WriteFileText(f.dir.File("korvo-games.cfg"),
                "[game 23]\r\nbios=asia\0junk\r\nextra_arguments=-nothrottle\0-x\r\nautosave=1\r\n"s);
  EXPECT_EQ(f.Run("--game sfex2"), 0);
  auto calls = f.TakeCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, f.Expected(-1));
  EXPECT_TRUE(Holds(calls[0].args, "asia"));
  EXPECT_TRUE(Holds(calls[0].args, "-autosave"));
  EXPECT_TRUE(Holds(calls[0].args, "-nothrottle"));
  EXPECT_TRUE(Holds(calls[0].args, "-plugin"));  // the last arguments arrived too
}

TEST(FrontendWin, AutofireIsNoneOnlyWhileMameRuns) {
  KorvoFolder f;
  // Autofire on Player 1 Button 1, left as NONE by a launcher that was ended
  // while MAME ran.
  const std::string none_cfg =
      "<?xml version=\"1.0\"?>\n<mameconfig version=\"10\">\n    <system name=\"default\">\n        <input>\n"
      "            <port type=\"P1_BUTTON1\">\n                <newseq type=\"standard\">\n"
      "                    NONE\n                </newseq>\n            </port>\n"
      "        </input>\n    </system>\n</mameconfig>\n";
  CreateDirectoryW(Utf8ToUtf16(f.dir.File("cfg")).c_str(), nullptr);
  WriteFileText(f.dir.File("cfg\\default.cfg"), none_cfg);
  WriteFileText(f.dir.File("korvo-autofire.cfg"), "P1_BUTTON1\tLCONTROL\t1_BUTTON3\t\n");
  const std::string real = "KEYCODE_LCONTROL OR JOYCODE_1_BUTTON3";
  // The next start repairs it, whatever it goes on to do.
  EXPECT_EQ(f.Run("--game nosuchgame"), 2);
  EXPECT_NE(ReadFileText(f.dir.File("cfg\\default.cfg")).find(real), std::string::npos);

  // A play with the combos plugin: MAME finds NONE, and the real sequence is
  // back once it has ended.
  WriteFileText(f.dir.File("fakemame-control.txt"), "print-file=cfg\\default.cfg\n");
  EXPECT_EQ(f.Run("--game sfex2"), 0);
  auto calls = f.TakeCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_TRUE(Holds(calls[0].args, "-plugin"));
  const std::string seen = ReadFileText(f.dir.File("logs\\korvo-output.log"));
  EXPECT_NE(seen.find("P1_BUTTON1"), std::string::npos) << seen;
  EXPECT_EQ(seen.find(real), std::string::npos) << seen;
  const std::string at_rest = ReadFileText(f.dir.File("cfg\\default.cfg"));
  EXPECT_NE(at_rest.find(real), std::string::npos) << at_rest;
  EXPECT_EQ(at_rest.find("NONE"), std::string::npos) << at_rest;
}

TEST(FrontendWin, FailureCodesAndLogLines) {
  KorvoFolder f;
  EXPECT_EQ(f.Run("--game pong"), 2);
  EXPECT_EQ(f.Run("--game nosuchgame"), 2);
  EXPECT_EQ(f.Log().rfind("unknown game (", 0), 0u);
  // A name was given, even when it is nothing but quotes or a folder.
  EXPECT_EQ(f.Run("--game \"\\\"\\\"\""), 2);
  EXPECT_EQ(f.Log(), "unknown game (use the MAME set name, e.g. sfex2, or the ROM zip of a game of the listed boards): "
                     "\"\"\r\n");
  for (const char* tail : {"--game C:\\ROMs\\", "--game \"C:\\ROMs\\\\\""}) {
    EXPECT_EQ(f.Run(tail), 2) << tail;
    EXPECT_EQ(f.Log(), "unknown game (use the MAME set name, e.g. sfex2, or the ROM zip of a game of the listed "
                       "boards): C:\\ROMs\\\r\n") << tail;
  }
  EXPECT_EQ(f.Run("--game \" \""), 5);
  EXPECT_EQ(f.Log(), "no game given: \r\n");
  EXPECT_EQ(f.Run("--game \"\""), 5);  // an empty name: a code, never the main window
  EXPECT_EQ(f.Run("--game="), 5);
  EXPECT_EQ(f.Run("--game " + std::string(3000, 'x')), 2);

  DeleteFileW(Utf8ToUtf16(f.dir.File("roms\\coh3002c.zip")).c_str());
  EXPECT_EQ(f.Run("--game sfex2"), 3);
  EXPECT_EQ(f.Log(), "ROM files missing: coh3002c.zip\r\n");
  EXPECT_TRUE(f.TakeCalls().empty());

  DeleteFileW(Utf8ToUtf16(f.dir.File("mame.exe")).c_str());
  EXPECT_EQ(f.Run("--game sfex2"), 4);
  EXPECT_EQ(f.Log(), "mame.exe not found (set it in the launcher, or put it beside the launcher): " +
                         f.dir.File("mame.exe") + "\r\n");
  // A MAME Program setting that names a folder: not found, whatever the folder holds.
  CreateDirectoryW(Utf8ToUtf16(f.dir.File("emu")).c_str(), nullptr);
  WriteFileText(f.dir.File("korvo-settings.cfg"), "logs=1\r\nmame_exe=emu\r\n");
  EXPECT_EQ(f.Run("--game sfex2"), 4);
  EXPECT_EQ(f.Log(), "mame.exe not found (set it in the launcher, or put it beside the launcher): " +
                         f.dir.File("emu") + "\r\n");
  WriteFileText(f.dir.File("korvo-settings.cfg"), "logs=1\r\n");
  // A mame.exe that is no program.
  WriteFileText(f.dir.File("mame.exe"), "not a program");
  WriteFileText(f.dir.File("roms\\coh3002c.zip"), "PK\5\6");
  EXPECT_EQ(f.Run("--game sfex2"), 4);
  EXPECT_EQ(f.Log(), "mame.exe could not be started: " + f.dir.File("mame.exe") + "\r\n");
}
