// The quoting must survive Windows' own splitting, which is what MAME and
// every other program uses to read its command line back.
#include <windows.h>
// windows.h first: shellapi.h needs its definitions
#include <shellapi.h>

#include <gtest/gtest.h>

#include "base/utf16_win.h"
#include "launch/mame_args.h"

namespace {
// What CommandLineToArgvW makes of "x " + text, without the program name.
ArgList WindowsSplit(const std::string& text) {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW((L"x " + Utf8ToUtf16(text)).c_str(), &count);
  ArgList out;
  for (int i = 1; argv && i < count; ++i) out.push_back(Utf16ToUtf8(argv[i]));
  LocalFree(argv);
  return out;
}
}  // namespace

TEST(ArgQuotingWin, JoinArgsAndParseArgTextAgreeWithWindows) {
  const ArgList awkward = {"", "plain", "two words", "tab\there", "q\"uote", "\"", "\"\"", "trailing\\",
                           "C:\\My Games\\", "two\\\\", "\\\"", "a\\\\\"b c", "\\\\server\\share\\", "ünïcödé ç", " ",
                           "-rompath", "D:\\roms;E:\\more roms"};
  EXPECT_EQ(WindowsSplit(JoinArgs(awkward)), awkward);
  for (const std::string& one : awkward) EXPECT_EQ(WindowsSplit(QuoteArg(one)), ArgList{one}) << one;

  // Free texts typed by the user, including unbalanced and doubled quotes.
  for (const char* text : {"-a b", "  spaced   out  ", "\"quoted arg\" next", "-cheat \"open ended",
                           "a\\\\b \\\\\"x y\"", "\\\"lit\\\"", "\"\"", "a\"\"b", "\"a\"\"b\"", "a\"\"\"b",
                           "\"\"\"\"", "end\\", "\t-tab\tsep", "\"C:\\Program Files\\\" -x"}) {
    ArgList mine;
    ParseArgText(text, mine);
    EXPECT_EQ(mine, WindowsSplit(text)) << text;
  }
}
