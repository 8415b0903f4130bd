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

std::string MameOptionDescriptionLine(size_t row) {
  const MameOption& o = MameOptionTable()[row];
  return std::string("-") + o.name + ":  " + o.description;
}
