// The Combos tab's list: 20 rows, the mouse on their cells, trigger capture.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "base/utf16_win.h"
#include "combos/combo_rows.h"
#include "combos/combos_editor.h"
#include "combos/combos_tab_state_win.h"
#include "combos/combos_tab_ui_win.h"
#include "controls/capture_ui_win.h"
#include "ui/control_paint_win.h"
#include "ui/shell_win.h"
#include "ui/text_prompt_ui_win.h"
#include "ui/ui_metrics_win.h"

namespace combos_tab {
namespace {

int ListSelection() {
  return static_cast<int>(SendMessageW(tab.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void AskCapture(int row, int kind) {
  WPARAM what = static_cast<WPARAM>(row) | (static_cast<WPARAM>(kind) << 16);
  if (tab.target)
    PostMessageW(tab.target, kComboTriggerMessage, what, 0);
  else
    CaptureComboTrigger(DialogOwner(), row, kind);
}

// The row and column under a list notification's point; false off the rows.
bool HitCell(const NMITEMACTIVATE* activate, int& row, int& column) {
  LVHITTESTINFO hit = {};
  hit.pt = activate->ptAction;
  SendMessageW(tab.list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  row = hit.iItem;
  column = hit.iSubItem;
  return row >= 0 && row < kComboRowCount && (hit.flags & LVHT_ONITEM);
}

int TriggerKind(int column) {
  if (column == kComboColumnKeyboard) return kComboTriggerKey;
  if (column == kComboColumnPad) return kComboTriggerPad;
  return 0;
}

void TriggerMenu(int row, int kind) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"Set\u2026");
  AppendMenuW(menu, MF_STRING, 2, L"Clear");
  POINT at;
  GetCursorPos(&at);
  int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, tab.page, nullptr);
  DestroyMenu(menu);
  if (chosen == 1) AskCapture(row, kind);
  if (chosen == 2) {
    ComboRow& combo = Combos().rows[row];
    (kind == kComboTriggerKey ? combo.key : combo.pad).clear();
    RefreshList();
  }
}

void Rename(int row) {
  std::string name = Combos().rows[row].name;
  if (!TextPrompt(DialogOwner(), "Rename Combo", "Name of this combo:", name, static_cast<int>(kComboNameSize)))
    return;
  Combos().rows[row].name = CutToField(name, kComboNameSize);
  RefreshList();
  if (row == tab.row) FillEditor();
}

}  // namespace

void CreateList() {
  tab.list = Make(WC_LISTVIEWW, "",
                  LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP, kIdComboList,
                  WS_EX_CLIENTEDGE);
  SendMessageW(tab.list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  for (int column = 0; column < kComboColumnCount; ++column) {
    std::wstring title = Utf8ToUtf16(kComboColumns[column].title);
    LVCOLUMNW c = {};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    c.pszText = title.data();
    c.cx = S(kComboColumns[column].width);
    c.iSubItem = column;
    SendMessageW(tab.list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
  }
  for (int i = 0; i < kComboRowCount; ++i) {
    std::wstring number = std::to_wstring(i + 1);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = number.data();
    SendMessageW(tab.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}

void RefreshList() {
  const CombosState& state = Combos();
  for (int i = 0; i < kComboRowCount; ++i) {
    for (int column = 0; column < kComboColumnCount; ++column) {
      std::wstring text = Utf8ToUtf16(ComboCellText(state.rows[i], i, column));
      LVITEMW item = {};
      item.iSubItem = column;
      item.pszText = text.data();
      SendMessageW(tab.list, LVM_SETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
  }
}

void SelectRow(int row) {
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = 0;
  SendMessageW(tab.list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  if (row >= 0) {
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(tab.list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(tab.list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  }
  tab.row = row;
  FillEditor();
}

}  // namespace combos_tab

using namespace combos_tab;

bool CombosTabNotify(NMHDR* header, LRESULT* result) {
  if (!header || !tab.list || header->hwndFrom != tab.list) return false;
  *result = 0;
  int row = -1, column = -1;
  switch (header->code) {
    case LVN_ITEMCHANGED: {
      auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if (!(change->uChanged & LVIF_STATE) || ((change->uOldState ^ change->uNewState) & LVIS_SELECTED) == 0)
        return true;
      int selected = ListSelection();
      if (selected != tab.row) {
        tab.row = selected;
        FillEditor();
      }
      return true;
    }
    case NM_CLICK:
      if (HitCell(reinterpret_cast<NMITEMACTIVATE*>(header), row, column) && TriggerKind(column)) {
        SelectRow(row);
        AskCapture(row, TriggerKind(column));
      }
      return true;
    case NM_RCLICK:
      if (HitCell(reinterpret_cast<NMITEMACTIVATE*>(header), row, column) && TriggerKind(column)) {
        SelectRow(row);
        TriggerMenu(row, TriggerKind(column));
      }
      return true;
    case NM_DBLCLK:
      if (HitCell(reinterpret_cast<NMITEMACTIVATE*>(header), row, column) && column == kComboColumnName)
        Rename(row);
      return true;
  }
  return false;
}

void CaptureComboTrigger(HWND owner, int row, int kind) {
  if (row < 0 || row >= kComboRowCount || (kind != kComboTriggerKey && kind != kComboTriggerPad)) return;
  std::string label = "Combo " + std::to_string(row + 1) + " Trigger", code;
  ComboRow& combo = Combos().rows[row];
  if (kind == kComboTriggerKey) {
    if (!CaptureKey(owner, label, code)) return;
    combo.key = CutToField(code, kComboKeySize);
  } else {
    if (!CapturePadCode(owner, label, false, code)) return;
    combo.pad = CutToField(code, kComboPadSize);
  }
  RefreshList();
}
