#include "base/text_util.h"

#include <cctype>
#include <climits>
#include <cstdlib>

namespace {
bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
int64_t Clamp64(int64_t v) { return v < INT32_MIN ? INT32_MIN : (v > INT32_MAX ? INT32_MAX : v); }

// Decodes one UTF-8 sequence at text[i]; malformed bytes count as one unit each.
uint32_t DecodeUtf8(std::string_view text, size_t& i, bool* well_formed = nullptr) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  int extra = c >= 0xF0 && c < 0xF8 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
  if ((c >= 0x80 && c < 0xC0) || c >= 0xF8) extra = 0;
  if (i + extra >= text.size() + (extra ? 0 : 1)) extra = 0;
  uint32_t cp = extra == 3 ? (c & 0x07) : extra == 2 ? (c & 0x0F) : extra == 1 ? (c & 0x1F) : c;
  for (int k = 1; k <= extra; ++k) {
    unsigned char cc = static_cast<unsigned char>(text[i + k]);
    if ((cc & 0xC0) != 0x80) {  // broken sequence: take the lead byte alone
      i += 1;
      if (well_formed) *well_formed = false;
      return c;
    }
    cp = (cp << 6) | (cc & 0x3F);
  }
  i += 1 + extra;
  if (well_formed) *well_formed = c < 0x80 || extra > 0;
  return cp;
}

}  // namespace

std::string_view TrimNarrow(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && IsSpace(text[b])) ++b;
  while (e > b && IsSpace(text[e - 1])) --e;
  return text.substr(b, e - b);
}

std::string Trim(std::string_view text) { return std::string(TrimNarrow(text)); }

bool ParseInt(std::string_view text, int32_t& out) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i >= text.size()) return false;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') return false;
    // Past 32 bits the value saturates (and stops growing), so a setting far
    // out of range is clamped like any other out-of-range value.
    if (value <= INT32_MAX) value = value * 10 + (c - '0');
  }
  if (negative) value = -value;
  out = static_cast<int32_t>(Clamp64(value));
  return true;
}

std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

size_t Utf16Length(std::string_view utf8) {
  size_t units = 0;
  for (size_t i = 0; i < utf8.size();) units += DecodeUtf8(utf8, i) >= 0x10000 ? 2 : 1;
  return units;
}

std::string CutToUtf16Units(std::string_view utf8, size_t max_units) {
  size_t units = 0, i = 0;
  while (i < utf8.size()) {
    size_t next = i;
    size_t need = DecodeUtf8(utf8, next) >= 0x10000 ? 2 : 1;
    if (units + need > max_units) break;
    units += need;
    i = next;
  }
  return std::string(utf8.substr(0, i));
}

std::string FieldText(std::string_view value, size_t max_units) {
  return Trim(CutToUtf16Units(TrimNarrow(value.substr(0, value.find('\0'))), max_units));
}

bool NextUtf8CodePoint(std::string_view text, size_t& i, uint32_t& code_point) {
  bool well_formed = true;
  code_point = DecodeUtf8(text, i, &well_formed);
  return well_formed;
}

void AppendUtf8(uint32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}
