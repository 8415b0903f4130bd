#include "combos/combo_sequence.h"

#include <cstring>

#include "base/text_util.h"
#include "combos/combo_tables.h"

namespace {

bool IsSeparator(char c) { return c == ',' || c == ' ' || c == '\t'; }
bool IsDirectionDigit(char c) { return c >= '1' && c <= '9'; }

// Tokens are separated by any run of commas, spaces and tabs.
std::vector<std::string_view> SplitTokens(std::string_view seq) {
  std::vector<std::string_view> tokens;
  size_t i = 0;
  while (i < seq.size()) {
    while (i < seq.size() && IsSeparator(seq[i])) ++i;
    size_t start = i;
    while (i < seq.size() && !IsSeparator(seq[i])) ++i;
    if (i > start) tokens.push_back(seq.substr(start, i - start));
  }
  return tokens;
}

uint32_t DirectionMask(char digit, int side) {
  if (side == kComboSideRight) digit = MirrorComboDigit(digit);
  return kComboDirections[digit - '1'].mask;
}

// Reads decimal digits at text[i], clamped so that long runs cannot overflow.
int32_t ReadMilliseconds(std::string_view text, size_t& i) {
  int64_t value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    if (value <= kComboMaxHoldMs) value = value * 10 + (text[i] - '0');
    ++i;
  }
  if (value < 1) return 0;
  return value > kComboMaxHoldMs ? kComboMaxHoldMs : static_cast<int32_t>(value);
}

uint32_t ButtonBits(std::string_view rest) {
  uint32_t bits = 0;
  size_t i = 0;
  while (i <= rest.size()) {
    size_t plus = rest.find('+', i);
    if (plus == std::string_view::npos) plus = rest.size();
    std::string_view piece = rest.substr(i, plus - i);
    if (piece.size() >= 2 && piece.size() <= 5) bits |= ComboButtonMask(piece);
    i = plus + 1;
  }
  return bits;
}

// Where the hold suffix ends and the button names begin; duration out.
struct TokenParts {
  std::string_view digits;
  bool has_hold = false, charge = false;
  int32_t hold_ms = 0;
  std::string_view rest;
};

TokenParts SplitToken(std::string_view token, size_t max_digits) {
  TokenParts parts;
  size_t i = 0;
  while (i < token.size() && i < max_digits && IsDirectionDigit(token[i])) ++i;
  parts.digits = token.substr(0, i);
  if (i > 0 && i < token.size() && token[i] == '*') {
    parts.has_hold = true;
    ++i;
    if (i < token.size() && (token[i] == 'C' || token[i] == 'c')) {
      parts.charge = true;
      ++i;
    } else {
      parts.hold_ms = ReadMilliseconds(token, i);
    }
  }
  parts.rest = token.substr(i);
  return parts;
}

}  // namespace

char MirrorComboDigit(char digit) {
  static const char kMirror[] = "321654987";
  return IsDirectionDigit(digit) ? kMirror[digit - '1'] : digit;
}

const char* ComboDirectionShortName(char digit) {
  return IsDirectionDigit(digit) ? kComboDirections[digit - '1'].short_name : "";
}

bool IsComboButtonName(std::string_view word) {
  if (word.size() == 2 && (word[0] == 'B' || word[0] == 'b')) return false;  // B1..B6 are not offered on the pad
  return ComboButtonMask(word) != 0;
}

void AppendBounded(std::string& buffer, size_t size, std::string_view text) {
  if (size == 0 || buffer.size() + 1 >= size) return;
  size_t room = size - 1 - buffer.size();
  buffer.append(text.substr(0, room));
}

std::vector<ComboStep> CompileComboSequence(std::string_view seq, int side, int32_t charge_ms) {
  std::vector<ComboStep> steps;
  auto add = [&steps](uint32_t mask, int32_t duration) {
    // A button held over two steps in a row would read as one long press:
    // let it go for one step in between.
    if (!steps.empty() && (steps.back().mask & mask & kComboButtonBits) != 0) steps.push_back({0, 0});
    steps.push_back({mask, duration});
  };
  for (std::string_view token : SplitTokens(seq)) {
    if (token == "~") {
      add(0, 0);
      continue;
    }
    TokenParts parts = SplitToken(token, 40);
    int32_t duration = parts.charge ? charge_ms : parts.hold_ms;
    if (duration < 1) duration = 0;
    if (duration > kComboMaxHoldMs) duration = kComboMaxHoldMs;
    uint32_t buttons = ButtonBits(parts.rest);
    if (parts.digits.empty()) {
      if (buttons != 0) add(buttons, 0);
      continue;
    }
    for (size_t k = 0; k + 1 < parts.digits.size(); ++k) add(DirectionMask(parts.digits[k], side), 0);
    add(DirectionMask(parts.digits.back(), side) | buttons, duration);
  }
  return steps;
}

namespace {

// A token of the stored form: digits, an optional hold after them, then
// button names joined by "+" (the first "+" may be left out).
bool ValidToken(std::string_view token) {
  if (token == "~") return true;
  size_t i = 0;
  while (i < token.size() && IsDirectionDigit(token[i])) ++i;
  if (i < token.size() && token[i] == '*') {
    if (i == 0) return false;
    ++i;
    if (i < token.size() && (token[i] == 'C' || token[i] == 'c')) {
      ++i;
    } else {
      size_t digits_start = i;
      while (i < token.size() && token[i] >= '0' && token[i] <= '9') ++i;
      if (i == digits_start) return false;
    }
  }
  std::string_view rest = token.substr(i);
  if (rest.empty()) return i > 0;
  if (rest[0] == '+') rest.remove_prefix(1);
  size_t start = 0;
  while (true) {
    size_t plus = rest.find('+', start);
    std::string_view name = rest.substr(start, plus == std::string_view::npos ? std::string_view::npos : plus - start);
    if (name.empty() || name.size() > 5 || ComboButtonMask(name) == 0) return false;
    if (plus == std::string_view::npos) return true;
    start = plus + 1;
  }
}

std::string FormatToken(std::string_view token, int side) {
  constexpr size_t kStepSize = 300;
  std::string text;
  if (token == "~") return "~";
  TokenParts parts = SplitToken(token, 39);
  auto name_of = [side](char digit) {
    return ComboDirectionShortName(side == kComboSideRight ? MirrorComboDigit(digit) : digit);
  };
  auto names = [&](std::string_view digits) {
    for (size_t k = 0; k < digits.size(); ++k) {
      if (k > 0) AppendBounded(text, kStepSize, ", ");
      AppendBounded(text, kStepSize, name_of(digits[k]));
    }
  };
  if (!parts.digits.empty()) {
    if (parts.has_hold) {
      names(parts.digits.substr(0, parts.digits.size() - 1));
      if (parts.digits.size() > 1) AppendBounded(text, kStepSize, ", ");
      std::string hold = std::string("Hold ") + name_of(parts.digits.back());
      hold += parts.charge ? " (charge)" : " (" + std::to_string(parts.hold_ms) + " ms)";
      AppendBounded(text, kStepSize, hold);
    } else if (const ComboMotion* motion = FindComboMotionByDigits(parts.digits)) {
      AppendBounded(text, kStepSize, motion->short_name);
      AppendBounded(text, kStepSize, " (");
      names(parts.digits);
      AppendBounded(text, kStepSize, ")");
    } else {
      names(parts.digits);
    }
  }
  std::string_view rest = parts.rest;
  size_t start = 0;
  while (start < rest.size()) {
    size_t plus = rest.find('+', start);
    if (plus == std::string_view::npos) plus = rest.size();
    std::string_view name = rest.substr(start, plus - start);
    start = plus + 1;
    if (name.empty()) continue;
    if (!text.empty()) AppendBounded(text, kStepSize, " + ");
    AppendBounded(text, kStepSize, ComboButtonDisplayName(name));
  }
  return text;
}

}  // namespace

std::string FormatComboSequence(std::string_view seq, int side, size_t size) {
  std::string out;
  std::vector<std::string_view> tokens = SplitTokens(seq);
  for (std::string_view token : tokens) {
    if (!ValidToken(token)) {
      AppendBounded(out, size, seq);
      return out;
    }
  }
  for (size_t k = 0; k < tokens.size(); ++k) {
    if (k > 0) AppendBounded(out, size, ", ");
    AppendBounded(out, size, FormatToken(tokens[k], side));
  }
  return out;
}
