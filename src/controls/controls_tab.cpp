#include "controls/controls_tab.h"

RowCommand CellClickCommand(int action, int column, bool double_click) {
  if (column == kAutofireColumn) return IsAutofireButton(action) ? RowCommand::ToggleAutofire : RowCommand::None;
  if (!double_click) return RowCommand::None;
  if (column == kKeyboardColumn) return RowCommand::SetKey;
  if (column == kPadColumn) return RowCommand::SetPad;
  return RowCommand::None;
}

std::vector<RowMenuEntry> RowMenuEntries(const InputMapping& m, int action, int column) {
  std::vector<RowMenuEntry> entries;
  if (IsAutofireButton(action)) {
    entries.push_back({RowCommand::ToggleAutofire, "Autofire", HasAutofire(m, action)});
    entries.push_back({});
  }
  const bool key = column != kPadColumn, pad = column != kKeyboardColumn;
  if (key) entries.push_back({RowCommand::SetKey, "Set Key\u2026"});
  if (pad) entries.push_back({RowCommand::SetPad, "Set Pad\u2026"});
  entries.push_back({});
  if (key) entries.push_back({RowCommand::ClearKey, "Clear Key"});
  if (pad) entries.push_back({RowCommand::ClearPad, "Clear Pad"});
  return entries;
}

std::string AutofireCellText(const InputMapping& m, int action) {
  if (!IsAutofireButton(action)) return {};
  return HasAutofire(m, action) ? "[x]" : "[ ]";
}
