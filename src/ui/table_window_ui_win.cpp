#include "ui/table_window_ui_win.h"

#include <commctrl.h>

#include "base/utf16_win.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr int kListId = 1001;
constexpr int kHeight = 520;

void AddRow(HWND list, int index, const std::pair<std::string, std::string>& row) {
  std::wstring first = Utf8ToUtf16(row.first), second = Utf8ToUtf16(row.second);
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = first.data();
  int at = ListView_InsertItem(list, &item);
  ListView_SetItemText(list, at, 1, second.data());
}
}  // namespace

HWND AddTableList(ModalDialog& d, int x, int y, int width, int height, int id, DWORD extra_style) {
  HWND list = AddDialogControl(d, WC_LISTVIEWW, "", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | extra_style,
                               x, y, width, height, id, WS_EX_CLIENTEDGE);
  if (list) ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  return list;
}

void AddTableColumn(HWND list, int index, const TableColumn& column) {
  std::wstring title = Utf8ToUtf16(column.title);
  LVCOLUMNW c = {};
  c.mask = LVCF_TEXT | LVCF_WIDTH;
  c.pszText = title.data();
  c.cx = S(column.width);
  ListView_InsertColumn(list, index, &c);
}

void ShowTableWindow(HWND owner, const std::string& title, const TableColumn& first, const TableColumn& second,
                     const TableRows& rows) {
  const int width = first.width + second.width + 48;
  ModalDialog d;
  if (!CreateModalDialog(d, owner, title, width, kHeight)) return;
  HWND list = AddTableList(d, 10, 10, width - 20, kHeight - 56, kListId, LVS_NOSORTHEADER);
  AddTableColumn(list, 0, first);
  AddTableColumn(list, 1, second);
  for (size_t i = 0; i < rows.size(); ++i) AddRow(list, static_cast<int>(i), rows[i]);
  AddDialogControl(d, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, width - 100, kHeight - 36, 90, 26, IDOK);
  RunModalDialog(d);
}
