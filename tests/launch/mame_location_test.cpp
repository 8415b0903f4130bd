#include "launch/mame_location.h"

#include <gtest/gtest.h>

#include "app/paths.h"
#include "settings/settings.h"
#include "support/test_support.h"

namespace {
std::string Backslashed(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}
}  // namespace

TEST(MameLocation, CandidatesInOrderAndSetting) {
  TempDir dir;
  SetLauncherFolder(dir.path());
  Settings s;
  ResetSettings(s);
  std::string path;
  EXPECT_FALSE(LocateMameProgram(s, path));
  EXPECT_EQ(path, dir.path() + "\\mame.exe");
  EXPECT_EQ(MameFolder(s), Backslashed(dir.path()));

  WriteTestFile(dir.File("mame/mame64.exe"), "");
  ASSERT_TRUE(LocateMameProgram(s, path));
  EXPECT_EQ(path, dir.path() + "\\mame\\mame64.exe");
  WriteTestFile(dir.File("mame64.exe"), "");
  ASSERT_TRUE(LocateMameProgram(s, path));
  EXPECT_EQ(path, dir.path() + "\\mame64.exe");
  WriteTestFile(dir.File("mame/mame.exe"), "");
  ASSERT_TRUE(LocateMameProgram(s, path));
  EXPECT_EQ(path, dir.path() + "\\mame\\mame.exe");
  EXPECT_EQ(MameFolder(s), Backslashed(dir.path()) + "\\mame");
  EXPECT_EQ(MameRomsFolder(s), Backslashed(dir.path()) + "\\mame\\roms");

  // The setting wins, resolved against the launcher folder, even when missing.
  s.mame_exe = "emu/other.exe";
  EXPECT_FALSE(LocateMameProgram(s, path));
  EXPECT_EQ(path, dir.path() + "\\emu/other.exe");
  EXPECT_EQ(MameFolder(s), Backslashed(dir.path()) + "\\emu");
}

TEST(MameLocation, FoldersOfUnusualPaths) {
  SetLauncherFolder("C:\\Korvo");
  Settings s;
  ResetSettings(s);
  s.mame_exe = "C:/mame.exe";
  EXPECT_EQ(MameFolder(s), "C:\\");
  s.mame_exe = "D:/Emu/MAME/mame.exe";
  EXPECT_EQ(MameFolder(s), "D:\\Emu\\MAME");
  EXPECT_EQ(MameRomsFolder(s), "D:\\Emu\\MAME\\roms");

  s.roms_directory = "  roms2 ; E:\\r";
  EXPECT_EQ(MameRomsFolder(s), "C:\\Korvo\\roms2");
  s.roms_directory = " ;E:\\r";
  EXPECT_EQ(MameRomsFolder(s), "D:\\Emu\\MAME\\roms");
}
