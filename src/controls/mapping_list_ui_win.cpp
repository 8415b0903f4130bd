#include "controls/mapping_list_ui_win.h"

#include <commctrl.h>

#include <string>

#include "base/utf16_win.h"
#include "controls/controls_tab.h"
#include "controls/input_mapping.h"

namespace {
void SetCell(HWND list, int row, int column, const std::string& text) {
  std::wstring wide = Utf8ToUtf16(text);
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

int ActionOfRow(int row) {
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (row < 0 || !SendMessageW(MappingWindows().list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  int action = static_cast<int>(item.lParam);
  return action >= 0 && action < kActionCount ? action : -1;
}

ControlsMappingWindows& MappingWindows() {
  static ControlsMappingWindows windows;
  return windows;
}

void RefreshMappingCells() {
  HWND list = MappingWindows().list;
  if (!list) return;
  const InputMapping& m = TheInputMapping();
  for (int row = 0; row < kActionCount; ++row) {
    int action = ActionOfRow(row);
    if (action < 0) continue;
    BindingCells cells = BindingCellTexts(m, action);
    SetCell(list, row, kKeyboardColumn, cells.keyboard);
    SetCell(list, row, kPadColumn, cells.pad);
    SetCell(list, row, kAutofireColumn, AutofireCellText(m, action));
  }
}
