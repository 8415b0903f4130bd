// Case-insensitive ordinal comparison of UTF-8 texts, the way the list and
// its filters order names: ASCII letters fold to upper case, every other
// byte compares by value (so UTF-8 keeps code-point order).
#pragma once
#include <string_view>

int CompareNoCase(std::string_view a, std::string_view b);
