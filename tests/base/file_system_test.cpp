#include <gtest/gtest.h>

#include "base/file_system.h"
#include "base/key_value_text.h"
#include "support/test_support.h"

TEST(FileLayer, ReadsEveryByteAndAFailedAtomicWriteKeepsTheOldFileAndNoTemporary) {
  TempDir dir;
  const std::string bytes("a\0b\r\n\xff", 6);
  WriteTestFile(dir.File("f.bin"), bytes);
  WriteTestFile(dir.File("empty"), "");
  EXPECT_EQ(*ReadWholeFile(dir.File("f.bin")), bytes);
  EXPECT_EQ(*ReadWholeFile(dir.File("empty")), "");
  EXPECT_FALSE(ReadWholeFile(dir.File("missing")).has_value());

  std::string target = dir.File("korvo-settings.cfg");
  ASSERT_TRUE(WriteFileAtomic(target, "old"));
  ASSERT_TRUE(WriteFileAtomic(target, "new"));
  EXPECT_EQ(ReadTestFile(target), "new");
  EXPECT_FALSE(TestFileExists(target + ".tmp"));
  ASSERT_TRUE(CreateFolder(target + ".tmp"));  // the temporary cannot be created: the old file stays
  EXPECT_FALSE(WriteFileAtomic(target, "lost"));
  EXPECT_EQ(ReadTestFile(target), "new");
  std::string folder_target = dir.File("cfg");  // the move cannot replace the target: the temporary goes
  ASSERT_TRUE(CreateFolder(folder_target));
  WriteTestFile(folder_target + "/keep", "x");
  EXPECT_FALSE(WriteFileAtomic(folder_target, "lost"));
  EXPECT_FALSE(TestFileExists(folder_target + ".tmp"));
  EXPECT_FALSE(WriteFileAtomic(dir.File("nope/file.cfg"), "x"));  // a folder that does not exist

  std::string path = dir.path() + "\\sub";  // backslash paths work natively
  ASSERT_TRUE(CreateFolder(path));
  EXPECT_TRUE(CreateFolder(path));  // an existing folder is fine
  ASSERT_TRUE(WriteFileAtomic(path + "\\a.cfg", "x"));
  std::vector<FolderEntry> entries;
  ASSERT_TRUE(ListFolder(path, entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "a.cfg");
  EXPECT_FALSE(ListFolder(dir.File("missing"), entries));
}

TEST(KeyValueText, AFileOfWhichNothingWasTakenIsKeptOnce) {
  TempDir dir;
  const std::string path = dir.File("korvo-settings.cfg");
  const std::string utf32 = std::string("\0\0\xFE\xFF\0\0\0v\0\0\0=\0\0\0" "2", 16);
  WriteTestFile(path, utf32);
  TakeUnreadableNotes();
  EXPECT_FALSE(KeepIfUnreadable(path, utf32, 1));  // something was taken
  EXPECT_FALSE(KeepIfUnreadable(path, "; only a comment\r\n\r\n# and another\r\n", 0));
  EXPECT_FALSE(TestFileExists(path + ".unreadable"));
  EXPECT_TRUE(KeepIfUnreadable(path, utf32, 0));
  EXPECT_EQ(ReadTestFile(path + ".unreadable"), utf32);
  // A later unreadable file never replaces the copy, and is not said again.
  WriteTestFile(path, "garbage");
  EXPECT_TRUE(KeepIfUnreadable(path, "garbage", 0));
  EXPECT_EQ(ReadTestFile(path + ".unreadable"), utf32);
  EXPECT_EQ(TakeUnreadableNotes(), std::vector<std::string>{"korvo-settings.cfg"});
  EXPECT_TRUE(KeepIfUnreadable(path, "garbage", 0));
  EXPECT_TRUE(TakeUnreadableNotes().empty());
}
