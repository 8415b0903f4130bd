// Small text helpers shared by every parser of the launcher's files.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// White space off both ends (isspace in the C locale, so CR goes too).
std::string_view TrimNarrow(std::string_view text);
std::string Trim(std::string_view text);

// Decimal text to a 32-bit integer. Leading blanks are skipped; an empty text
// or anything after the digits fails and leaves `out` alone. A value beyond
// 32 bits saturates to INT32_MIN or INT32_MAX.
bool ParseInt(std::string_view text, int32_t& out);

std::string ToLowerAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// Length of a UTF-8 text in UTF-16 code units (what Windows counts as characters).
size_t Utf16Length(std::string_view utf8);
// Cuts a UTF-8 text so that it holds at most `max_units` UTF-16 units, never
// splitting a character. Fixed-size text fields of the settings files use it.
std::string CutToUtf16Units(std::string_view utf8, size_t max_units);

// A text value of a settings file as its fixed-size field holds it: up to
// the first NUL (the writer could not reproduce anything after one, and a
// command line would end there), trimmed, cut to `max_units` UTF-16 units and
// trimmed again, so that what is written reads back the same.
std::string FieldText(std::string_view value, size_t max_units);

// Reads the code point at text[i] and moves i past it. A byte that does not
// start a well-formed sequence gives false, with i moved past that byte alone.
bool NextUtf8CodePoint(std::string_view text, size_t& i, uint32_t& code_point);
// Appends the UTF-8 form of a code point.
void AppendUtf8(uint32_t code_point, std::string& out);

// Clamps `value` into [low, high].
inline int32_t Clamp(int32_t value, int32_t low, int32_t high) {
  return value < low ? low : (value > high ? high : value);
}
