#include "base/key_value_text.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

TEST(KeyValueText, NonAsciiAndSurrogatePairsOfEitherUtf16ByteOrderBecomeUtf8) {
  // "Mü 😀" with CR LF, then a lone surrogate and a dangling last byte, which cannot be read as text.
  const std::string le("\xFF\xFEM\0\xFC\0 \0\x3D\xD8\x00\xDE\r\0\n\0", 16);
  std::string be = "\xFE\xFF";
  for (size_t i = 2; i < le.size(); i += 2) be += std::string{le[i + 1], le[i]};
  for (const std::string& bytes : {le, be}) EXPECT_EQ(DecodeKeyValueText(bytes), "M\xC3\xBC \xF0\x9F\x98\x80\n");
  EXPECT_EQ(DecodeKeyValueText(std::string("\xFF\xFE" "a\0\x00\xD8" "b\0", 8) + "c"), "a\xEF\xBF\xBD" "b");
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
