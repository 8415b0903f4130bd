// Option strings are stored as one command-line text and handed to MAME
// through the Windows command-line rules, so reading and writing them here
// must follow exactly the same rules, or a value would split differently
// when MAME starts than it did in the editor.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Splits a text the way CommandLineToArgvW splits every argument after the
// program name: blanks and tabs separate, double quotes group, 2n backslashes
// before a quote give n backslashes and a grouping quote, 2n+1 give n and a
// literal quote, other backslashes are literal, and an unclosed quote runs to
// the end. Three quotes in a row inside a group give one literal quote.
std::vector<std::string> SplitArgumentText(std::string_view text);

// One argument quoted so that SplitArgumentText gives it back unchanged: as it
// is when it is non-empty and has no blank, tab or double quote; otherwise in
// double quotes with the backslashes before a quote (and before the closing
// quote) doubled and every inner quote escaped.
std::string QuoteArgument(std::string_view text);
