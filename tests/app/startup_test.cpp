#include <gtest/gtest.h>

#include "app/startup.h"
#include "ui/window_placement.h"
#include "base/text_util.h"
#include "support/test_support.h"

// The game, whether one was named at all (an empty name makes the frontend mode answer "no game"), the screen mode.
TEST(CommandLineParsing, NamesTheGameAndScreenMode) {
  const char *F = "follow", *W = "window", *S = "full";
  const struct { std::vector<std::string> args; const char* game; bool named; const char* screen; } cases[] = {
      {{"--game=SFEX2", "--windowed"}, "SFEX2", true, W}, {{"--game", "sfex2"}, "sfex2", true, F},
      {{"--windowed", "sfex2"}, "sfex2", true, W},
      {{"sfex2", "--game", "tekken3"}, "tekken3", true, F},  // a later --game replaces
      {{"sfex2", "tekken3"}, "sfex2", true, F},              // a second bare name does not
      {{"--GAME", "x", "--Fullscreen"}, "x", true, S}, {{"--fullscreen", "--windowed"}, "", false, W},
      {{"C:\\ROMs\\sfex2.zip"}, "C:\\ROMs\\sfex2.zip", true, F},  // a dropped zip
      {{}, "", false, F},
      {{"--game"}, "", false, F},  // a trailing --game is ignored
      {{"-x", "--other", "--windowed"}, "", false, W}, {{"--game="}, "", true, F}, {{"--game", ""}, "", true, F},
      {{"", "sfex2"}, "", true, F},
  };
  for (const auto& c : cases) {
    CommandLine line = ParseCommandLine(c.args);
    const char* screen = line.screen == ScreenRequest::Window ? W : line.screen == ScreenRequest::FullScreen ? S : F;
    EXPECT_EQ(line.game + "|" + (line.game_named ? "named|" : "|") + screen,
              std::string(c.game) + "|" + (c.named ? "named|" : "|") + c.screen)
        << testing::PrintToString(c.args);
  }
}

TEST(SingleInstance, NameFoldsCaseAndSeparatorsAndIsCut) {
  EXPECT_EQ(SingleInstanceName("C:\\Games\\Spi\xC3\x89le"), "KORVO-c__games_spi\xC3\xA9le");
  EXPECT_EQ(Utf16Length(SingleInstanceName(std::string(1000, 'x'))), 590u);
}

TEST(MainWindowPlacement, SavedRectangleOnlyWhenStillOnScreen) {
  ScreenRect work{0, 0, 1920, 1040}, screen{0, 0, 1920, 1080};
  auto text = [](ScreenRect r) { return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.w) + "x" + std::to_string(r.h); };
  EXPECT_EQ(text(MainWindowRect(true, 96, work, screen, {})), "530,160 860x720");
  EXPECT_EQ(text(MainWindowRect(false, 192, work, screen, {})), "0,0 1920x1040");  // 2400x1600 clamped to the work area
  EXPECT_EQ(text(MainWindowRect(false, 96, work, screen, {})), "360,120 1200x800");
  // At least 100 pixels across and the title bar must still be on the screen.
  const struct { int x, y; bool kept; } saved[] = {{100, 50, true},   {1819, 50, true},  {1820, 50, false}, {-699, 50, true}, {-700, 50, false},
               {100, -59, true},  {100, -60, false}, {100, 979, true},  {100, 980, false}};
  for (const auto& s : saved) {
    ScreenRect r = MainWindowRect(true, 96, work, screen, {s.x, s.y, 800, 600});
    EXPECT_EQ(r.w == 800 && (r.x == s.x || r.x == 0 || r.x == 1120), s.kept) << s.x << "," << s.y;
  }
  // A kept window comes back inside its monitor's work area, moved least, shrunk if larger; a fixed dialog keeps size.
  EXPECT_EQ(text(RestoredWindowRect({1500, 900, 800, 600}, screen, work)), "1120,440 800x600");
  EXPECT_EQ(text(RestoredWindowRect({-20, 5, 2000, 1200}, screen, work)), "0,0 1920x1040");
  EXPECT_EQ(text(RestoredWindowRect({3000, 5, 800, 600}, screen, work)), "0,0 0x0");
  const ScreenRect second{1920, 0, 1280, 984};  // a monitor right of the first
  EXPECT_EQ(text(KeepInsideWorkArea({2700, 700, 840, 1200}, second, true)), "2360,0 840x984");
  EXPECT_EQ(text(KeepInsideWorkArea({2700, 700, 840, 1200}, second, false)), "2360,0 840x1200");
  EXPECT_EQ(text(KeepInsideWorkArea({1900, 100, 300, 200}, second, false)), "1920,100 300x200");
}

TEST(Migration, MovesEarlierFilesOnlyWhenTheNewNameIsFree) {
  TempDir dir;
  WriteTestFile(dir.File("dravo-settings.cfg"), "video=2\r\n");
  WriteTestFile(dir.File("dravo-games.cfg"), "old games");
  WriteTestFile(dir.File("korvo-games.cfg"), "new games");
  WriteTestFile(dir.File("dravo-combos.cfg"), "combos");
  MigrateEarlierLauncherFiles(dir.path());
  std::string files;  // each new file's text, "+old" where the earlier one is still there
  for (std::string name : {"settings.cfg", "games.cfg", "combos.cfg"})
    files += ReadTestFile(dir.File("korvo-" + name)) + (TestFileExists(dir.File("dravo-" + name)) ? "+old|" : "|");
  EXPECT_EQ(files, "video=2\r\n|new games+old|combos|");  // both present: nothing moves
}
