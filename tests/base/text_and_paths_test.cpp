#include <gtest/gtest.h>

#include "base/paths.h"
#include "base/text_buffer.h"
#include "base/text_case.h"
#include "base/text_util.h"

TEST(ParseInt, AcceptsSignedDecimalAndRejectsEverythingElse) {
  int32_t v = 99;
  EXPECT_TRUE(ParseInt("-5", v));
  EXPECT_EQ(v, -5);
  EXPECT_TRUE(ParseInt("007", v));
  EXPECT_EQ(v, 7);
  EXPECT_TRUE(ParseInt(" 12", v));  // a leading blank is skipped
  EXPECT_EQ(v, 12);
  v = 99;
  for (const char* bad : {"", "12 ", "0x10", "5a", "-", "99999999999x"}) EXPECT_FALSE(ParseInt(bad, v)) << bad;
  EXPECT_EQ(v, 99);  // failures leave the target alone
  // Beyond 32 bits the value saturates, however many digits follow.
  for (const char* high : {"2147483648", "99999999999", "+99999999999999999999999999999"}) {
    EXPECT_TRUE(ParseInt(high, v)) << high;
    EXPECT_EQ(v, INT32_MAX) << high;
  }
  for (const char* low : {"-2147483649", "-99999999999", "-99999999999999999999999999999"}) {
    EXPECT_TRUE(ParseInt(low, v)) << low;
    EXPECT_EQ(v, INT32_MIN) << low;
  }
  EXPECT_TRUE(ParseInt("-2147483648", v));
  EXPECT_EQ(v, INT32_MIN);
}

TEST(Utf16Units, CutsWithoutSplittingCharacters) {
  EXPECT_EQ(Utf16Length("abc"), 3u);
  EXPECT_EQ(Utf16Length("\xC3\xA9t\xC3\xA9"), 3u);          // é t é
  EXPECT_EQ(Utf16Length("\xF0\x9F\x8E\xAE"), 2u);           // one emoji is a surrogate pair
  EXPECT_EQ(CutToUtf16Units("\xC3\xA9t\xC3\xA9", 2), "\xC3\xA9t");
  EXPECT_EQ(CutToUtf16Units("a\xF0\x9F\x8E\xAE", 2), "a");  // the pair does not fit in one unit
  EXPECT_EQ(CutToUtf16Units("a\xF0\x9F\x8E\xAE", 3), "a\xF0\x9F\x8E\xAE");
  EXPECT_EQ(CutToUtf16Units("abc", 0), "");
  EXPECT_EQ(Utf16Length("\xFF\xFE"), 2u);  // broken bytes count one unit each
}

TEST(LowerCase, FollowsTheUnicodeSimpleMapping) {
  // Latin Extended-A pairs on both parities, the odd ones out around them,
  // and letters of other scripts.
  EXPECT_EQ(LowerCaseWithTable("\xC5\x81\xC5\xBB\xC5\xBD\xC5\xB8"), "\xC5\x82\xC5\xBC\xC5\xBE\xC3\xBF");  // ŁŻŽŸ
  EXPECT_EQ(LowerCaseWithTable("\xC5\x82\xC5\xBC\xC5\xBE\xC5\xBF"), "\xC5\x82\xC5\xBC\xC5\xBE\xC5\xBF");  // already lower
  EXPECT_EQ(SimpleLowerCase(0x2C2F), 0x2C5Fu);  // Glagolitic, added late
  // Only pairs that map back, as on Windows: İ, ẞ, Dž and the Ohm sign stay.
  for (uint32_t cp : {0x0130u, 0x1E9Eu, 0x01C5u, 0x2126u}) EXPECT_EQ(SimpleLowerCase(cp), cp);
  EXPECT_EQ(SimpleLowerCase(0xA7C0), 0xA7C1u);
  EXPECT_EQ(SimpleLowerCase(0xFF3A), 0xFF5Au);
  EXPECT_EQ(SimpleLowerCase(0x00D7), 0x00D7u);  // the multiplication sign has no case
  EXPECT_EQ(SimpleLowerCase(0x10400), 0x10400u);  // beyond the BMP: unchanged
  // Every mapped code point maps to a lower-case letter that stays put.
  for (uint32_t cp = 0; cp < 0x10000; ++cp) EXPECT_EQ(SimpleLowerCase(SimpleLowerCase(cp)), SimpleLowerCase(cp)) << cp;
  // Malformed bytes are kept, not read as Latin-1.
  EXPECT_EQ(LowerCaseWithTable("A\xC4Z\xFF\xE2\x82"), "a\xC4z\xFF\xE2\x82");
}

TEST(TextBuffer, AppendFormatHandlesLongResults) {
  TextBuffer out = "x";
  AppendFormat(out, "%s=%d", "video", 2);
  EXPECT_EQ(out, "xvideo=2");
  std::string big(2000, 'q');
  AppendFormat(out, "[%s]", big.c_str());
  EXPECT_EQ(out.size(), 8u + 2002u);
  EXPECT_EQ(out.back(), ']');
}

TEST(Paths, JoinAndResolve) {
  EXPECT_EQ(JoinPath("C:\\", "x"), "C:\\x");
  EXPECT_EQ(JoinPath("", "x"), "x");
  EXPECT_EQ(JoinPath("a/", "x"), "a/x");
  EXPECT_EQ(JoinPath("C:\\Games", "korvo-settings.cfg"), "C:\\Games\\korvo-settings.cfg");

  EXPECT_TRUE(IsAbsolutePath("C:\\MAME"));
  EXPECT_TRUE(IsAbsolutePath("d:x"));
  EXPECT_TRUE(IsAbsolutePath("\\\\server\\share"));
  EXPECT_TRUE(IsAbsolutePath("/usr"));
  EXPECT_FALSE(IsAbsolutePath("mame\\mame.exe"));
  EXPECT_FALSE(IsAbsolutePath("1:"));
  EXPECT_FALSE(IsAbsolutePath(""));

  SetLauncherFolder("C:\\Korvo");
  EXPECT_EQ(ResolvePath("mame\\mame.exe"), "C:\\Korvo\\mame\\mame.exe");
  EXPECT_EQ(ResolvePath("E:\\mame.exe"), "E:\\mame.exe");
  SetLauncherFolder("");
}

TEST(Paths, ShortUtf8PathUsesForwardSlashes) {
  // Without 8.3 names (this system) the path stays, with `/` for MAME's Lua.
  EXPECT_EQ(ShortUtf8Path("C:\\Korvo\\logs\\combos.log"), "C:/Korvo/logs/combos.log");
}
