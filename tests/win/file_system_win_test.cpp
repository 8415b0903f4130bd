// The Win32 file layer under Wine: atomic replacement and its failure paths.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/file_system.h"
#include "win_test_support.h"

TEST(WriteFileAtomicWin, ReplacesAndLeavesNoTemporary) {
  WinTempDir dir;
  std::string target = dir.File("korvo-settings.cfg");
  ASSERT_TRUE(WriteFileAtomic(target, "old\r\n"));
  ASSERT_TRUE(WriteFileAtomic(target, "new\r\n"));
  EXPECT_EQ(*ReadWholeFile(target), "new\r\n");
  EXPECT_FALSE(FileExists(target + ".tmp"));
}

TEST(WriteFileAtomicWin, FailureKeepsOldFileAndRemovesTemporary) {
  WinTempDir dir;
  std::string target = dir.File("korvo-games.cfg");
  ASSERT_TRUE(WriteFileAtomic(target, "keep me"));
  // A target that cannot be replaced: a folder of that name takes the move's place.
  std::string blocked = dir.File("blocked");
  ASSERT_TRUE(CreateFolder(blocked));
  EXPECT_FALSE(WriteFileAtomic(blocked, "lost"));
  EXPECT_FALSE(FileExists(blocked + ".tmp"));
  // The temporary name itself taken by a folder: nothing can be written.
  ASSERT_TRUE(CreateFolder(target + ".tmp"));
  EXPECT_FALSE(WriteFileAtomic(target, "lost"));
  EXPECT_EQ(*ReadWholeFile(target), "keep me");
}
