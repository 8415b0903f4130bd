#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "base/display_modes.h"
#include "base/key_value_text.h"
#include "base/paths.h"
#include "base/text_buffer.h"
#include "base/text_case.h"
#include "base/text_util.h"
#include "support/test_support.h"

TEST(TextUtil, ParseIntUtf16CutsLowerCaseAndFormatting) {
  // A leading blank is skipped; beyond 32 bits the value saturates, however many digits follow.
  for (auto [text, value] : {std::pair{"-5", -5}, {"007", 7}, {" 12", 12}, {"2147483648", INT32_MAX},
                             {"99999999999", INT32_MAX}, {"+99999999999999999999999999999", INT32_MAX},
                             {"-2147483649", INT32_MIN}, {"-99999999999999999999999999999", INT32_MIN},
                             {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX}}) {
    int32_t v = 99;
    EXPECT_TRUE(ParseInt(text, v) && v == value) << text << " gives " << v;
  }
  int32_t v = 99;
  for (const char* bad : {"", "12 ", "0x10", "5a", "-", "99999999999x"}) EXPECT_FALSE(ParseInt(bad, v)) << bad;
  EXPECT_EQ(v, 99);  // failures leave the target alone

  // é t é; € x; one emoji is a surrogate pair; broken bytes count one unit each.
  for (auto [text, units] : {std::pair{"abc", 3u}, {"\xC3\xA9t\xC3\xA9", 3u}, {"\xE2\x82\xACx", 2u},
                             {"\xF0\x9F\x8E\xAE", 2u}, {"\xFF\xFE", 2u}})
    EXPECT_EQ(Utf16Length(text), units) << text;
  // A surrogate pair does not fit in one unit.
  for (auto [text, units, cut] : {std::tuple{"\xC3\xA9t\xC3\xA9", 2, "\xC3\xA9t"}, {"a\xF0\x9F\x8E\xAE", 2, "a"},
                                  {"a\xF0\x9F\x8E\xAE", 3, "a\xF0\x9F\x8E\xAE"}, {"abc", 0, ""}})
    EXPECT_EQ(CutToUtf16Units(text, units), cut) << units;
  // A four-byte sequence gives its code point; one cut short by the text's end (whatever follows) is its lead byte.
  size_t at = 0, cut_at = 2;
  uint32_t cp = 0, cut_cp = 0;
  EXPECT_TRUE(NextUtf8CodePoint("\xF0\x9F\x8E\xAE", at, cp) && cp == 0x1F3AE && at == 4);
  EXPECT_TRUE(!NextUtf8CodePoint(std::string_view("ab\xC3\xA9", 3), cut_at, cut_cp) && cut_cp == 0xC3 && cut_at == 3);

  TextBuffer out = "x";
  AppendFormat(out, "%s=%d", "video", 2);
  AppendFormat(out, "[%s]", std::string(2000, 'q').c_str());
  EXPECT_EQ(out, "xvideo=2[" + std::string(2000, 'q') + "]");

  // Latin Extended-A pairs on both parities, the odd ones out around them; malformed bytes are kept.
  EXPECT_EQ(LowerCaseWithTable("\xC5\x81\xC5\xBB\xC5\xBD\xC5\xB8"), "\xC5\x82\xC5\xBC\xC5\xBE\xC3\xBF");  // ŁŻŽŸ
  EXPECT_EQ(LowerCaseWithTable("A\xC4Z\xFF\xE2\x82"), "a\xC4z\xFF\xE2\x82");
  // Beyond the BMP nothing changes (within it the Windows tests compare every code point with the system's).
  EXPECT_EQ(SimpleLowerCase(0x10400u), 0x10400u);
  // Every mapped code point maps to a lower-case letter that stays put.
  for (uint32_t cp = 0; cp < 0x10000; ++cp) EXPECT_EQ(SimpleLowerCase(SimpleLowerCase(cp)), SimpleLowerCase(cp)) << cp;
}

TEST(PathsAndDisplayModes, JoinResolveAndTheModeList) {
  for (auto [folder, name, joined] : {std::tuple{"C:\\", "x", "C:\\x"}, {"", "x", "x"}, {"a/", "x", "a/x"},
                                      {"C:\\Games", "korvo-settings.cfg", "C:\\Games\\korvo-settings.cfg"}})
    EXPECT_EQ(JoinPath(folder, name), joined);
  for (const char* absolute : {"C:\\MAME", "d:x", "\\\\server\\share", "/usr"}) EXPECT_TRUE(IsAbsolutePath(absolute));
  for (const char* relative : {"mame\\mame.exe", "1:", ""}) EXPECT_FALSE(IsAbsolutePath(relative));
  SetLauncherFolder("C:\\Korvo");
  EXPECT_EQ(ResolvePath("mame\\mame.exe") + "|" + ResolvePath("E:\\mame.exe"), "C:\\Korvo\\mame\\mame.exe|E:\\mame.exe");
  SetLauncherFolder("");

  auto modes = CollectDisplayModes(
      {{1920, 1080, 32}, {640, 480, 8}, {800, 600, 32}, {640, 480, 16}, {1920, 1080, 16}, {320, 240, 32}, {1024, 768, 32}});
  EXPECT_EQ(modes, (DisplayModes{{640, 480}, {800, 600}, {1024, 768}, {1920, 1080}}));
  auto fallback = CollectDisplayModes({{320, 200, 32}, {1024, 768, 8}});
  ASSERT_EQ(fallback.size(), 11u);
  EXPECT_TRUE(fallback.front() == std::make_pair(640, 480) && fallback.back() == std::make_pair(1920, 1080) &&
              std::is_sorted(fallback.begin(), fallback.end()));
  // Each offered mode is a screen's shape: its height is its width's 4:3, 5:4 or 16:9, rounded.
  for (auto [w, h] : fallback)
    EXPECT_TRUE(std::lround(w * 0.75) == h || std::lround(w * 0.8) == h || std::lround(w * 0.5625) == h) << w << "x" << h;
}

TEST(KeyValueText, Utf16OfEitherByteOrderBecomesUtf8AndAnUnreadableFileIsKeptOnce) {
  // "Mü 😀" with CR LF, then a lone surrogate and a dangling last byte, which cannot be read as text.
  const std::string le("\xFF\xFEM\0\xFC\0 \0\x3D\xD8\x00\xDE\r\0\n\0", 16);
  std::string be = "\xFE\xFF";
  for (size_t i = 2; i < le.size(); i += 2) be += std::string{le[i + 1], le[i]};
  for (const std::string& bytes : {le, be}) EXPECT_EQ(DecodeKeyValueText(bytes), "M\xC3\xBC \xF0\x9F\x98\x80\n");
  EXPECT_EQ(DecodeKeyValueText(std::string("\xFF\xFE" "a\0\x00\xD8" "b\0", 8) + "c"), "a\xEF\xBF\xBD" "b");

  // A file of which nothing was taken is kept aside once.
  TempDir dir;
  const std::string path = dir.File("korvo-settings.cfg");
  const std::string utf32 = std::string("\0\0\xFE\xFF\0\0\0v\0\0\0=\0\0\0" "2", 16);
  WriteTestFile(path, utf32);
  TakeUnreadableNotes();
  EXPECT_FALSE(KeepIfUnreadable(path, utf32, 1));  // something was taken
  EXPECT_FALSE(KeepIfUnreadable(path, "; only a comment\r\n\r\n# and another\r\n", 0) ||
               TestFileExists(path + ".unreadable"));
  EXPECT_TRUE(KeepIfUnreadable(path, utf32, 0) && ReadTestFile(path + ".unreadable") == utf32);
  // A later unreadable file never replaces the copy, and is not said again.
  WriteTestFile(path, "garbage");
  EXPECT_TRUE(KeepIfUnreadable(path, "garbage", 0) && ReadTestFile(path + ".unreadable") == utf32);
  EXPECT_EQ(TakeUnreadableNotes(), std::vector<std::string>{"korvo-settings.cfg"});
  EXPECT_TRUE(KeepIfUnreadable(path, "garbage", 0) && TakeUnreadableNotes().empty());
}
