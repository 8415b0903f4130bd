#include <gtest/gtest.h>

#include "base/file_system.h"
#include "base/paths.h"
#include "app/startup.h"
#include "base/text_util.h"
#include "support/test_support.h"

namespace {
CommandLine Parse(std::vector<std::string> args) { return ParseCommandLine(args); }
}  // namespace

TEST(CommandLineParsing, NamesTheGameAndScreenMode) {
  auto a = Parse({"--game=SFEX2", "--windowed"});
  EXPECT_EQ(a.game, "SFEX2");
  EXPECT_EQ(a.screen, ScreenRequest::Window);
  EXPECT_EQ(Parse({"--game", "sfex2"}).game, "sfex2");
  EXPECT_EQ(Parse({"--windowed", "sfex2"}).game, "sfex2");
  EXPECT_EQ(Parse({"sfex2", "--game", "tekken3"}).game, "tekken3");  // a later --game replaces
  EXPECT_EQ(Parse({"sfex2", "tekken3"}).game, "sfex2");              // a second bare name does not
  EXPECT_EQ(Parse({"--GAME", "x", "--Fullscreen"}).screen, ScreenRequest::FullScreen);
  EXPECT_EQ(Parse({"--fullscreen", "--windowed"}).screen, ScreenRequest::Window);
  EXPECT_EQ(Parse({}).screen, ScreenRequest::FollowSettings);
  EXPECT_EQ(Parse({"C:\\ROMs\\sfex2.zip"}).game, "C:\\ROMs\\sfex2.zip");  // a dropped zip
}

TEST(CommandLineParsing, OnlyANamedGameLeavesTheWindowOut) {
  EXPECT_FALSE(Parse({"--game"}).game_named);  // a trailing --game is ignored
  EXPECT_FALSE(Parse({"-x", "--other", "--windowed"}).game_named);
  EXPECT_FALSE(Parse({}).game_named);
  // An empty name still means the frontend mode (which answers "no game").
  EXPECT_TRUE(Parse({"--game="}).game_named);
  EXPECT_TRUE(Parse({"--game", ""}).game_named);
  auto empty_first = Parse({"", "sfex2"});
  EXPECT_TRUE(empty_first.game_named);
  EXPECT_EQ(empty_first.game, "");
}

TEST(SingleInstance, NameFoldsCaseAndSeparators) {
  EXPECT_EQ(SingleInstanceName("C:\\Games\\A"), "KORVO-c__games_a");
  EXPECT_EQ(SingleInstanceName("c:\\games\\a"), SingleInstanceName("C:\\Games\\A"));
  EXPECT_NE(SingleInstanceName("C:\\Games\\A"), SingleInstanceName("C:\\Games\\B"));
  EXPECT_EQ(SingleInstanceName("C:\\Spi\xC3\x89le"), "KORVO-c__spi\xC3\xA9le");
  // One folder, one name, in every script: "C:\Gry\Łódź" and "c:\gry\łódź",
  // Greek, Cyrillic, Armenian, Georgian and full-width letters.
  EXPECT_EQ(SingleInstanceName("C:\\Gry\\\xC5\x81\xC3\xB3" "d\xC5\xBA"),
            SingleInstanceName("c:\\gry\\\xC5\x82\xC3\xB3" "d\xC5\xBA"));
  EXPECT_EQ(SingleInstanceName("C:\\Gry\\\xC5\x81\xC3\xB3" "d\xC5\xBA"), "KORVO-c__gry_\xC5\x82\xC3\xB3" "d\xC5\xBA");
  EXPECT_EQ(SingleInstanceName("\xCE\xA3\xD0\x96\xD4\xB1\xE1\x82\xA0\xEF\xBC\xA1"),
            "KORVO-\xCF\x83\xD0\xB6\xD5\xA1\xE2\xB4\x80\xEF\xBD\x81");
  EXPECT_EQ(Utf16Length(SingleInstanceName(std::string(1000, 'x'))), 590u);
}

TEST(MainWindowPlacement, SavedRectangleOnlyWhenStillOnScreen) {
  ScreenRect work{0, 0, 1920, 1040}, screen{0, 0, 1920, 1080};
  ScreenRect centred = MainWindowRect(true, 96, work, screen, {});
  EXPECT_EQ(centred.w, 860);
  EXPECT_EQ(centred.h, 720);
  EXPECT_EQ(centred.x, (1920 - 860) / 2);
  ScreenRect big = MainWindowRect(false, 192, work, screen, {});  // 2400x1600 clamped to the work area
  EXPECT_EQ(big.w, 1920);
  EXPECT_EQ(big.h, 1040);
  ScreenRect saved{100, 50, 800, 600};
  EXPECT_EQ(MainWindowRect(true, 96, work, screen, saved).x, 100);
  ScreenRect off_right{1850, 50, 800, 600};  // x must stay left of the right edge - 100
  EXPECT_EQ(MainWindowRect(true, 96, work, screen, off_right).x, centred.x);
  ScreenRect off_top{100, -70, 800, 600};
  EXPECT_EQ(MainWindowRect(true, 96, work, screen, off_top).x, centred.x);
}

TEST(Migration, MovesEarlierFilesOnlyWhenTheNewNameIsFree) {
  TempDir dir;
  WriteTestFile(dir.File("dravo-settings.cfg"), "video=2\r\n");
  WriteTestFile(dir.File("dravo-games.cfg"), "old games");
  WriteTestFile(dir.File("korvo-games.cfg"), "new games");
  MigrateEarlierLauncherFiles(dir.path());
  EXPECT_EQ(ReadTestFile(dir.File("korvo-settings.cfg")), "video=2\r\n");
  EXPECT_FALSE(TestFileExists(dir.File("dravo-settings.cfg")));
  EXPECT_EQ(ReadTestFile(dir.File("korvo-games.cfg")), "new games");  // both present: nothing moves
  EXPECT_TRUE(TestFileExists(dir.File("dravo-games.cfg")));
  EXPECT_FALSE(TestFileExists(dir.File("korvo-combos.cfg")));
}
