#include "launch/mame_location.h"

#include <gtest/gtest.h>

#include "base/paths.h"
#include "settings/settings.h"
#include "support/test_support.h"

TEST(MameLocation, CandidatesSettingAndFolders) {
  TempDir dir;
  SetLauncherFolder("/k");
  Settings s;
  ResetSettings(s);
  std::string path;
  EXPECT_FALSE(LocateMameProgram(s, path));
  EXPECT_EQ(path, "/k\\mame.exe");  // still named in messages
  EXPECT_EQ(MameFolder(s), "\\k");

  SetLauncherFolder(dir.path());
  WriteTestFile(dir.File("mame/mame64.exe"), "");
  WriteTestFile(dir.File("mame64.exe"), "");
  ASSERT_TRUE(LocateMameProgram(s, path));
  EXPECT_EQ(path, dir.path() + "\\mame64.exe");  // beside the launcher before the sub-folder
  WriteTestFile(dir.File("mame/mame.exe"), "");
  ASSERT_TRUE(LocateMameProgram(s, path));
  EXPECT_EQ(path, dir.path() + "\\mame\\mame.exe");
  // A MAME Program setting must name a program: a folder is not found.
  s.mame_exe = "mame";
  EXPECT_FALSE(LocateMameProgram(s, path));
  EXPECT_EQ(path, dir.path() + "\\mame");
  s.mame_exe = "mame\\mame.exe";
  EXPECT_TRUE(LocateMameProgram(s, path));
  s.mame_exe.clear();

  SetLauncherFolder("C:\\Korvo");
  s.mame_exe = "C:/mame.exe";
  EXPECT_EQ(MameFolder(s), "C:\\");
  s.mame_exe = "Emu/mame.exe";
  EXPECT_FALSE(LocateMameProgram(s, path));
  EXPECT_EQ(MameFolder(s), "C:\\Korvo\\Emu");
  EXPECT_EQ(MameRomsFolder(s), "C:\\Korvo\\Emu\\roms");
  s.roms_directory = "  roms2 ; E:\\r";
  EXPECT_EQ(MameRomsFolder(s), "C:\\Korvo\\roms2");
}
