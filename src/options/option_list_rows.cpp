#include "options/option_list_rows.h"

#include <algorithm>

int HlslWindowHeight(int work_area_height) { return std::clamp(work_area_height - 90, 380, 570); }

int MameOptionsWindowHeight(int work_area_height) { return std::clamp(work_area_height - 90, 400, 600); }

OptionRowTexts HlslRowTexts(size_t row, const HlslValues& values) {
  const HlslOption& o = HlslOptionTable()[row];
  return {o.group, o.label, HlslShownValue(o, values[row]), HlslShownValue(o, o.default_value)};
}

OptionRowTexts MameOptionRowTexts(size_t row, const MameOptionValues& values) {
  const MameOption& o = MameOptionTable()[row];
  return {o.group, o.name, MameOptionShownValue(o, values.values[row]), MameOptionShownValue(o, o.default_value)};
}

std::vector<bool> HlslRowsNotInMame(const MameUsage& usage) {
  std::vector<bool> rows;
  for (const HlslOption& o : HlslOptionTable()) rows.push_back(!HasMameOption(usage, o.name));
  return rows;
}

std::vector<bool> MameOptionRowsNotInMame(const MameUsage& usage) {
  std::vector<bool> rows;
  for (const MameOption& o : MameOptionTable()) rows.push_back(!HasMameOption(usage, o.name));
  return rows;
}

std::string MameOptionDescriptionLine(size_t row, bool not_in_mame) {
  const MameOption& o = MameOptionTable()[row];
  return std::string("-") + o.name + ":  " + (not_in_mame ? std::string(kNotInThisMameText) + " " : "") +
         o.description;
}

std::string HlslNoteLine(size_t row, bool not_in_mame) {
  if (!not_in_mame) return kHlslNote;
  return std::string("-") + HlslOptionTable()[row].name + ":  " + kNotInThisMameText;
}
