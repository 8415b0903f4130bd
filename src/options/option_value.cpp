#include "options/option_value.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

bool ReadDecimalNumber(std::string_view text, double& out) {
  size_t i = 0;
  const size_t n = text.size();
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < n && IsDigit(text[i])) ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    size_t exponent_digits = 0;
    while (i < n && IsDigit(text[i])) ++i, ++exponent_digits;
    if (exponent_digits == 0) return false;
  }
  if (i != n) return false;
  // from_chars takes no leading '+'.
  std::string_view body = text[0] == '+' ? text.substr(1) : text;
  double value = 0;
  auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (end != body.data() + body.size()) return false;
  // Out of range texts (1e999) come back as an error; treat them as not a number.
  if (ec != std::errc() || !std::isfinite(value)) return false;
  out = value;
  return true;
}

bool IsWholeNumberText(std::string_view text) {
  size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i)
    if (!IsDigit(text[i])) return false;
  return true;
}

bool HasControlCharacter(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return true;
  return false;
}

std::string_view TrimBlanks(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  return text.substr(b, e - b);
}
