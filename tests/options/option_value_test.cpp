#include <gtest/gtest.h>

#include "options/option_value.h"

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
