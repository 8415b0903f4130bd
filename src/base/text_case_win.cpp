#include "base/text_case.h"

#include <windows.h>

#include "base/utf16_win.h"

std::string LowerCaseText(std::string_view utf8) {
  std::wstring text = Utf8ToUtf16(utf8);
  if (text.empty()) return std::string();
  // The invariant locale without linguistic casing: the same answer whatever
  // the user's language, as the file system's names compare.
  std::wstring lower(text.size(), L'\0');
  int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, text.data(), static_cast<int>(text.size()),
                        lower.data(), static_cast<int>(lower.size()), nullptr, nullptr, 0);
  if (n <= 0) return LowerCaseWithTable(utf8);
  lower.resize(static_cast<size_t>(n));
  return Utf16ToUtf8(lower);
}
