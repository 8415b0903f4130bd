#include "options/mame_options.h"

#include "base/text_util.h"
#include "launch/mame_args.h"
#include "options/option_value.h"

MameOptionValues DefaultMameOptionValues() {
  MameOptionValues result;
  for (const MameOption& option : MameOptionTable()) result.values.emplace_back(option.default_value);
  return result;
}

MameOptionValues ParseMoreOptions(std::string_view stored) {
  MameOptionValues result = DefaultMameOptionValues();
  if (stored.empty()) return result;
  auto table = MameOptionTable();
  // The same split MAME's command line gets, so that the editor sees the
  // arguments MAME will see.
  ArgList args;
  ParseArgText(std::string(stored), args);
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg[0] != '-') {
      result.kept.push_back(arg);
      continue;
    }
    std::string_view name = std::string_view(arg).substr(1);
    int row = FindMameOption(name);
    if (row >= 0 && table[static_cast<size_t>(row)].kind == MameOptionKind::OnOff) {
      result.values[static_cast<size_t>(row)] = "1";
      continue;
    }
    if (row >= 0) {
      // A value-taking option at the very end has nothing to set; MAME would
      // refuse it too, so it is dropped rather than kept.
      if (i + 1 < args.size()) result.values[static_cast<size_t>(row)] = args[++i];
      continue;
    }
    if (name.size() > 2 && name.substr(0, 2) == "no") {
      int negated = FindMameOption(name.substr(2));
      if (negated >= 0 && table[static_cast<size_t>(negated)].kind == MameOptionKind::OnOff) {
        result.values[static_cast<size_t>(negated)] = "0";
        continue;
      }
    }
    result.kept.push_back(arg);
  }
  return result;
}

std::string BuildMoreOptions(const MameOptionValues& values) {
  std::string out;
  auto append = [&out](std::string_view piece) {
    if (!out.empty()) out += ' ';
    out += piece;
  };
  auto table = MameOptionTable();
  for (size_t row = 0; row < table.size() && row < values.values.size(); ++row) {
    const MameOption& option = table[row];
    const std::string& value = values.values[row];
    if (value == option.default_value) continue;
    if (option.kind == MameOptionKind::OnOff) {
      append(std::string(value == "1" ? "-" : "-no") + option.name);
    } else if (!value.empty()) {
      append(std::string("-") + option.name);
      append(QuoteArg(value));
    }
  }
  for (const std::string& arg : values.kept) append(QuoteArg(arg));
  return out;
}

bool MoreOptionsFit(std::string_view stored) { return Utf16Length(stored) <= kMoreOptionsMaxUnits; }

bool IsValidMameOptionValue(const MameOption& option, std::string_view value) {
  // A line break would end the settings file's line and start a new key there.
  if (HasControlCharacter(value)) return false;
  switch (option.kind) {
    case MameOptionKind::Path:
    case MameOptionKind::Text:
      return true;
    case MameOptionKind::OnOff:
      return value == "0" || value == "1";
    case MameOptionKind::WholeNumber:
      // MAME reads these as integers and stops at "1.0" or "1e3".
      if (!IsWholeNumberText(value)) return false;
      [[fallthrough]];
    case MameOptionKind::Number: {
      double number = 0, limit = 0;
      if (!ReadDecimalNumber(value, number)) return false;
      if (*option.min && ReadDecimalNumber(option.min, limit) && number < limit) return false;
      if (*option.max && ReadDecimalNumber(option.max, limit) && number > limit) return false;
      return true;
    }
  }
  return false;
}

void ToggleMameOptionValue(MameOptionValues& values, size_t row) {
  if (row < values.values.size()) values.values[row] = values.values[row] == "1" ? "0" : "1";
}

bool EditMameOptionValue(MameOptionValues& values, size_t row, std::string_view typed) {
  auto table = MameOptionTable();
  if (row >= table.size() || row >= values.values.size()) return false;
  std::string_view value = TrimBlanks(typed);
  if (value.empty()) {
    values.values[row] = table[row].default_value;
    return true;
  }
  if (!IsValidMameOptionValue(table[row], value)) return false;
  values.values[row] = std::string(value);
  return true;
}

std::string GetMameOption(std::string_view stored, std::string_view name) {
  int row = FindMameOption(name);
  if (row < 0) return std::string();
  std::string value = ParseMoreOptions(stored).values[static_cast<size_t>(row)];
  if (MameOptionTable()[static_cast<size_t>(row)].kind == MameOptionKind::OnOff) return value == "1" ? "1" : "0";
  return value;
}

bool SetMameOption(std::string& stored, std::string_view name, std::string_view value) {
  int found = FindMameOption(name);
  if (found < 0) return false;
  size_t row = static_cast<size_t>(found);
  const MameOption& option = MameOptionTable()[row];
  MameOptionValues values = ParseMoreOptions(stored);
  std::string wanted;
  if (option.kind == MameOptionKind::OnOff) {
    wanted = value == "1" ? "1" : "0";
  } else {
    std::string_view trimmed = TrimBlanks(value);
    if (trimmed.empty()) {
      wanted = option.default_value;
    } else if (IsValidMameOptionValue(option, trimmed)) {
      wanted = std::string(trimmed);
    } else {
      return false;
    }
  }
  if (values.values[row] == wanted) return false;
  values.values[row] = wanted;
  std::string rebuilt = BuildMoreOptions(values);
  if (!MoreOptionsFit(rebuilt)) return false;
  stored = std::move(rebuilt);
  return true;
}

std::vector<size_t> FilterMameOptions(std::string_view search) {
  std::string needle = ToLowerAscii(CutToUtf16Units(search, 99));
  std::vector<size_t> rows;
  auto table = MameOptionTable();
  for (size_t row = 0; row < table.size(); ++row) {
    if (!needle.empty()) {
      std::string haystack =
          ToLowerAscii(std::string(table[row].name) + ' ' + table[row].description + ' ' + table[row].group);
      if (haystack.find(needle) == std::string::npos) continue;
    }
    rows.push_back(row);
  }
  return rows;
}

std::string MameOptionPromptText(const MameOption& option) {
  std::string text = std::string("-") + option.name + " (";
  if (*option.min || *option.max) {
    text += *option.min ? option.min : "...";
    text += " to ";
    text += *option.max ? option.max : "...";
    text += "; ";
  }
  return text + "empty = MAME's default):";
}

std::string MameOptionShownValue(const MameOption& option, std::string_view value) {
  if (option.kind == MameOptionKind::OnOff) return value == "1" ? "On" : "Off";
  if (value.empty()) return "(none)";
  return std::string(value);
}
