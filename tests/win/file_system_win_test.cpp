// The Win32 file layer under Wine: atomic replacement and its failure paths.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/file_system.h"
#include "base/paths.h"
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

TEST(ShortUtf8PathWin, NonAsciiPathsBecomeShortNamesWithForwardSlashes) {
  WinTempDir dir;
  std::string folder = dir.File("Sp\xC3\xA9l ]=] logs");
  ASSERT_TRUE(CreateFolder(folder));
  std::string log = folder + "\\korvo-combos.log";
  std::string lua_path = ShortUtf8Path(log);
  EXPECT_TRUE(FileExists(log));  // created so that it has a short name
  for (unsigned char c : lua_path) EXPECT_LT(c, 0x80) << lua_path;
  EXPECT_EQ(lua_path.find('\\'), std::string::npos);
  EXPECT_EQ(ShortUtf8Path("C:\\plain\\path.log"), "C:/plain/path.log");
}
