#include "options/hlsl_options.h"

#include <cstdio>

#include "base/text_util.h"
#include "options/option_value.h"

HlslValues DefaultHlslValues() {
  HlslValues values;
  for (const HlslOption& option : HlslOptionTable()) values.emplace_back(option.default_value);
  return values;
}

HlslValues ParseHlslOptions(std::string_view text) {
  HlslValues values = DefaultHlslValues();
  // Words are split at spaces only: the texts this window writes never hold
  // tabs or quotes, so a hand-made oddity simply stays an unknown word.
  std::vector<std::string_view> words;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    size_t end = text.find(' ', i);
    if (end == std::string_view::npos) end = text.size();
    words.push_back(text.substr(i, end - i));
    i = end;
  }
  for (size_t i = 0; i < words.size(); ++i) {
    std::string_view word = words[i];
    if (word.size() < 2 || word[0] != '-') continue;
    int row = FindHlslOption(word.substr(1));
    if (row < 0 || i + 1 >= words.size()) continue;
    values[static_cast<size_t>(row)] = std::string(words[i + 1]);
    ++i;
  }
  return values;
}

std::string BuildHlslOptions(const HlslValues& values) {
  std::string out;
  auto table = HlslOptionTable();
  for (size_t row = 0; row < table.size() && row < values.size(); ++row) {
    if (values[row] == table[row].default_value) continue;
    if (!out.empty()) out += ' ';
    out += '-';
    out += table[row].name;
    out += ' ';
    out += values[row];
  }
  return out;
}

bool HlslOptionsFit(std::string_view stored) { return Utf16Length(stored) <= kHlslOptionsMaxUnits; }

namespace {
size_t FieldCount(std::string_view text) {
  size_t count = 1;
  for (char c : text) count += c == ',';
  return count;
}

// Every comma-separated field must itself be a number: MAME reads each one,
// and "1,,1" or "-,+,." would reach it as broken values otherwise.
bool IsNumberList(std::string_view text) {
  size_t start = 0;
  while (true) {
    size_t comma = text.find(',', start);
    std::string_view field = text.substr(start, comma == std::string_view::npos ? text.npos : comma - start);
    double ignored = 0;
    if (field.find_first_not_of("0123456789.-+") != std::string_view::npos) return false;
    if (!ReadDecimalNumber(field, ignored)) return false;
    if (comma == std::string_view::npos) return true;
    start = comma + 1;
  }
}
}  // namespace

bool IsValidHlslValue(const HlslOption& option, std::string_view value) {
  if (value.empty() || HasControlCharacter(value)) return false;
  switch (option.kind) {
    case HlslKind::List:
      return FieldCount(value) == FieldCount(option.default_value) && IsNumberList(value);
    case HlslKind::FileName:
      // A blank or a quote would split the name when the text becomes MAME's command line.
      return value.find_first_of(" \t\"") == std::string_view::npos;
    case HlslKind::OnOff:
      return value == "0" || value == "1";
    case HlslKind::WholeNumber:
      if (value.find_first_of(".eE") != std::string_view::npos) return false;
      [[fallthrough]];
    case HlslKind::Number: {
      double number = 0;
      return ReadDecimalNumber(value, number) && number >= option.min && number <= option.max;
    }
  }
  return false;
}

void ToggleHlslValue(HlslValues& values, size_t row) {
  if (row < values.size()) values[row] = values[row] == "1" ? "0" : "1";
}

bool EditHlslValue(HlslValues& values, size_t row, std::string_view typed) {
  auto table = HlslOptionTable();
  if (row >= values.size() || row >= table.size()) return false;
  std::string_view value = TrimBlanks(typed);
  if (!IsValidHlslValue(table[row], value)) return false;
  values[row] = std::string(value);
  return true;
}

std::string HlslPromptText(const HlslOption& option) {
  std::string text = option.label;
  if (option.kind == HlslKind::List) return text + " (numbers separated by commas):";
  char range[80];
  std::snprintf(range, sizeof range, " (%g to %g):", option.min, option.max);
  return text + range;
}

std::string HlslShownValue(const HlslOption& option, std::string_view value) {
  if (option.kind == HlslKind::OnOff) return value == "1" ? "On" : "Off";
  return std::string(value);
}
