#include "options/dip_switch_rows.h"

#include <algorithm>

std::string DipHeaderText(const std::string& title) {
  std::string text = kDipHeaderFormat;
  return text.replace(0, 2, title);  // the format starts with the title's "%s"
}

int DipWindowHeight(size_t switch_count, int work_area_height) {
  long long wanted = 30LL * static_cast<long long>(switch_count) + 114;
  return static_cast<int>(std::min<long long>(wanted, work_area_height - 90LL));
}

size_t DipRowsThatFit(size_t switch_count, int window_height) {
  size_t rows = 0;
  while (rows < switch_count && 30LL * static_cast<long long>(rows) + 114 <= window_height) ++rows;
  return rows;
}

std::vector<std::string> DipListEntries(const DipSwitch& sw) {
  std::vector<std::string> entries;
  for (const DipValue& v : sw.values) entries.push_back(v.value == sw.default_value ? v.name + " (default)" : v.name);
  return entries;
}

size_t DipSelectedEntry(const DipSwitch& sw, uint32_t current) {
  for (size_t i = 0; i < sw.values.size(); ++i)
    if (sw.values[i].value == current) return i;
  return 0;
}

std::vector<DipChoice> DipChoicesFromRows(const std::vector<DipSwitch>& switches, const std::vector<int>& selected) {
  std::vector<DipChoice> choices;
  for (size_t i = 0; i < switches.size() && i < selected.size(); ++i) {
    const DipSwitch& sw = switches[i];
    if (selected[i] < 0 || static_cast<size_t>(selected[i]) >= sw.values.size()) continue;
    choices.push_back({sw.tag, sw.mask, sw.default_value, sw.values[static_cast<size_t>(selected[i])].value});
  }
  return choices;
}

std::vector<DipChoice> DipChoicesToSave(const std::vector<DipSwitch>& switches, const std::vector<int>& opened,
                                        const std::vector<int>& selected, bool file_changed) {
  if (!file_changed) return DipChoicesFromRows(switches, selected);
  std::vector<int> changed = selected;
  for (size_t i = 0; i < changed.size(); ++i)
    if (i < opened.size() && opened[i] == changed[i]) changed[i] = -1;
  return DipChoicesFromRows(switches, changed);
}
