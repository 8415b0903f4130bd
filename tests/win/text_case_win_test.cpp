// The built-in lower-case table against the system's answer, code point by code point.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/text_case.h"

TEST(TextCaseWin, TableMatchesTheSystemForEveryBmpCodePoint) {
  int differences = 0;
  for (uint32_t cp = 0; cp < 0x10000; ++cp) {
    wchar_t in = static_cast<wchar_t>(cp), out = 0;
    ASSERT_EQ(LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, &in, 1, &out, 1, nullptr, nullptr, 0), 1) << cp;
    if (SimpleLowerCase(cp) != out && ++differences <= 20)
      ADD_FAILURE() << std::hex << "U+" << cp << ": table U+" << SimpleLowerCase(cp) << ", system U+" << uint32_t(out);
  }
  EXPECT_EQ(differences, 0);
  const std::string text = "C:\\Gry\\\xC5\x81\xC3\xB3" "d\xC5\xBA \xC5\xBB\xC5\xBD\xC5\xB8 \xCE\xA3\xD0\x96 \xEF\xBC\xA1";
  EXPECT_EQ(LowerCaseText(text), LowerCaseWithTable(text));
}
