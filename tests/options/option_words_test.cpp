#include <gtest/gtest.h>

#include "options/option_words.h"
#include "options/option_value.h"

using Words = std::vector<std::string>;

TEST(SplitArgumentText, FollowsTheSystemCommandLineRules) {
  EXPECT_EQ(SplitArgumentText(""), Words{});
  EXPECT_EQ(SplitArgumentText(" \t "), Words{});
  EXPECT_EQ(SplitArgumentText(" a\t b  "), (Words{"a", "b"}));
  EXPECT_EQ(SplitArgumentText("-snapname \"%g shot %i\" x"), (Words{"-snapname", "%g shot %i", "x"}));
  EXPECT_EQ(SplitArgumentText("a\"b c\"d"), Words{"ab cd"});
  EXPECT_EQ(SplitArgumentText("\"\" b"), (Words{"", "b"}));
  EXPECT_EQ(SplitArgumentText(R"(C:\dir\ x)"), (Words{R"(C:\dir\)", "x"}));
  EXPECT_EQ(SplitArgumentText(R"(a\\"b c")"), Words{R"(a\b c)"});
  EXPECT_EQ(SplitArgumentText(R"(a\\\"b)"), Words{R"(a\"b)"});
  EXPECT_EQ(SplitArgumentText(R"("a""b" c)"), (Words{"a\"b c"}));   // "" inside a group ends it with a quote
  EXPECT_EQ(SplitArgumentText(R"("a"""b" c)"), (Words{"a\"b", "c"}));  // three quotes give one
}

TEST(SplitArgumentText, UnbalancedQuoteRunsToTheEnd) {
  EXPECT_EQ(SplitArgumentText("-snapname \"a b -rewind"), (Words{"-snapname", "a b -rewind"}));
  EXPECT_EQ(SplitArgumentText("\""), Words{""});
}

TEST(QuoteArgument, EveryTextReadsBackAsOneArgument) {
  const char* samples[] = {"plain", "", "a b", "tab\there", "q\"uote", R"(C:\My Games\)", R"(a\"b)",
                           R"(\\server\share dir\\)", "\"", "\\", " lead", "trail ", "%g shot %i"};
  for (const char* sample : samples) {
    std::string quoted = QuoteArgument(sample);
    EXPECT_EQ(SplitArgumentText(quoted), Words{sample}) << quoted;
    EXPECT_EQ(SplitArgumentText(quoted + " " + quoted), (Words{sample, sample})) << quoted;
  }
  EXPECT_EQ(QuoteArgument("plain"), "plain");
  EXPECT_EQ(QuoteArgument(R"(C:\My Games\)"), R"("C:\My Games\\")");
  EXPECT_EQ(QuoteArgument("a\"b"), R"("a\"b")");
}

TEST(OptionValueText, DecimalNumbersOnly) {
  double v = 0;
  for (const char* good : {"0", "-1", "+2.5", ".5", "5.", "1e3", "1E-2", "007"}) EXPECT_TRUE(ReadDecimalNumber(good, v)) << good;
  for (const char* bad : {"", "-", ".", "e5", "1e", "0x1p3", "inf", "nan", "1,5", " 1", "1 ", "1e999", "--1"})
    EXPECT_FALSE(ReadDecimalNumber(bad, v)) << bad;
  ASSERT_TRUE(ReadDecimalNumber("+2.5", v));
  EXPECT_EQ(v, 2.5);
  EXPECT_TRUE(IsWholeNumberText("-15"));
  EXPECT_FALSE(IsWholeNumberText("1.0"));
  EXPECT_FALSE(IsWholeNumberText("+"));
}
