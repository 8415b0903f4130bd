#include "base/key_value_text.h"

#include <gtest/gtest.h>

#include "support/test_support.h"


namespace {
std::string Utf16(const std::u16string& text, bool big_endian) {
  std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t u : text) {
    char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
    out += big_endian ? high : low;
    out += big_endian ? low : high;
  }
  return out;
}

// `text` with each \x01 turned into the line end `end`.
template <typename Text>
Text Ended(const Text& text, const char* end) {
  Text out;
  for (auto c : text) {
    if (c != 1) out += c;
    for (const char* e = end; c == 1 && *e; ++e) out += static_cast<typename Text::value_type>(*e);
  }
  return out;
}
}  // namespace

TEST(KeyValueText, EveryEditorsEncodingAndLineEndReadsTheSame) {
  // A path with a non-ASCII letter and a value with a character beyond the
  // BMP (a surrogate pair in UTF-16).
  const std::u16string utf16 = u"mame_exe=C:\\Spiele\\M\u00FCnz\\mame.exe\u0001favorites=5,7 \U0001F600\u0001";
  const std::string utf8 = "mame_exe=C:\\Spiele\\M\xC3\xBCnz\\mame.exe\x01" "favorites=5,7 \xF0\x9F\x98\x80\x01";
  for (const char* end : {"\r\n", "\n", "\r"}) {
    for (const std::string& bytes : {Ended(utf8, end), "\xEF\xBB\xBF" + Ended(utf8, end),
                                     Utf16(Ended(utf16, end), false), Utf16(Ended(utf16, end), true)}) {
      SCOPED_TRACE(testing::PrintToString(bytes));
      EXPECT_EQ(DecodeKeyValueText(bytes), Ended(utf8, "\n"));
    }
  }
  // A lone surrogate and a dangling last byte cannot be read as text.
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
