#include <gtest/gtest.h>

#include "base/file_system.h"
#include "support/test_support.h"

TEST(FileLayer, ReadWholeFileKeepsEveryByte) {
  TempDir dir;
  std::string bytes("a\0b\r\n\xff", 6);
  WriteTestFile(dir.File("f.bin"), bytes);
  EXPECT_EQ(*ReadWholeFile(dir.File("f.bin")), bytes);
  EXPECT_FALSE(ReadWholeFile(dir.File("missing")).has_value());
  WriteTestFile(dir.File("empty"), "");
  EXPECT_EQ(*ReadWholeFile(dir.File("empty")), "");
}

TEST(FileLayer, AtomicWriteFailureKeepsTheOldFileAndNoTemporary) {
  TempDir dir;
  std::string target = dir.File("korvo-settings.cfg");
  ASSERT_TRUE(WriteFileAtomic(target, "old"));
  ASSERT_TRUE(WriteFileAtomic(target, "new"));
  EXPECT_EQ(ReadTestFile(target), "new");
  EXPECT_FALSE(TestFileExists(target + ".tmp"));

  // The temporary cannot be created: the old file stays.
  ASSERT_TRUE(CreateFolder(target + ".tmp"));
  EXPECT_FALSE(WriteFileAtomic(target, "lost"));
  EXPECT_EQ(ReadTestFile(target), "new");

  // The move cannot replace the target: the temporary is cleaned up.
  std::string folder_target = dir.File("cfg");
  ASSERT_TRUE(CreateFolder(folder_target));
  WriteTestFile(folder_target + "/keep", "x");
  EXPECT_FALSE(WriteFileAtomic(folder_target, "lost"));
  EXPECT_FALSE(TestFileExists(folder_target + ".tmp"));

  // A folder that does not exist.
  EXPECT_FALSE(WriteFileAtomic(dir.File("nope/file.cfg"), "x"));
}

TEST(FileLayer, BackslashPathsWorkNatively) {
  TempDir dir;
  std::string path = dir.path() + "\\sub";
  ASSERT_TRUE(CreateFolder(path));
  EXPECT_TRUE(CreateFolder(path));  // existing folder is fine
  ASSERT_TRUE(WriteFileAtomic(path + "\\a.cfg", "x"));
  std::vector<FolderEntry> entries;
  ASSERT_TRUE(ListFolder(path, entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "a.cfg");
  EXPECT_FALSE(ListFolder(dir.File("missing"), entries));
}
