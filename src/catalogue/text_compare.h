// Case-insensitive ordinal comparison of UTF-8 texts, the way the list and
// its filters order names: both texts are lower-cased as the search box and
// the file system do (LowerCaseText), then compared by code point.
#pragma once
#include <string_view>

int CompareNoCase(std::string_view a, std::string_view b);
