#include "options/option_list_ui_win.h"

#include <commctrl.h>

#include "base/utf16_win.h"
#include "ui/theme_colours_win.h"
#include "ui/ui_metrics_win.h"

int WorkAreaHeightUnits() {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return MulDiv(work.bottom - work.top, 96, Ui().dpi);
}

HWND AddOptionList(ModalDialog& d, int x, int y, int width, int height, int id, const int (&column_widths)[4]) {
  HWND list = AddDialogControl(d, WC_LISTVIEWW, "",
                               LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP, x, y,
                               width, height, id, WS_EX_CLIENTEDGE);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  static const wchar_t* const kTitles[4] = {L"Group", L"Option", L"Value", L"Default"};
  for (int i = 0; i < 4; ++i) {
    LVCOLUMNW c = {};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.pszText = const_cast<wchar_t*>(kTitles[i]);
    c.cx = S(column_widths[i]);
    ListView_InsertColumn(list, i, &c);
  }
  return list;
}

void AddOptionButtons(ModalDialog& d, int width, int height, int edit_id, int reset_id) {
  const int y = height - 36;
  AddDialogControl(d, L"BUTTON", "Edit Value\xE2\x80\xA6", BS_PUSHBUTTON | WS_TABSTOP, 10, y, 100, 26, edit_id);
  AddDialogControl(d, L"BUTTON", "Reset Value", BS_PUSHBUTTON | WS_TABSTOP, 116, y, 100, 26, reset_id);
  AddDialogControl(d, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, width - 190, y, 85, 26, IDOK);
  AddDialogControl(d, L"BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, width - 95, y, 85, 26, IDCANCEL);
}

void SetOptionListRow(HWND list, int index, const OptionRowTexts& texts, bool insert, LPARAM key) {
  std::wstring columns[4] = {Utf8ToUtf16(texts.group), Utf8ToUtf16(texts.option), Utf8ToUtf16(texts.value),
                             Utf8ToUtf16(texts.default_value)};
  if (insert) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = columns[0].data();
    item.lParam = key;
    index = ListView_InsertItem(list, &item);
  } else {
    ListView_SetItemText(list, index, 0, columns[0].data());
  }
  for (int i = 1; i < 4; ++i) ListView_SetItemText(list, index, i, columns[i].data());
}

bool DrawDimRows(const NMHDR* header, int list_id, const std::vector<bool>& dim, LRESULT* result) {
  if (header->idFrom != static_cast<UINT_PTR>(list_id) || header->code != static_cast<UINT>(NM_CUSTOMDRAW))
    return false;
  const auto* draw = reinterpret_cast<const NMLVCUSTOMDRAW*>(header);
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
    *result = CDRF_NOTIFYITEMDRAW;
  } else {
    size_t row = static_cast<size_t>(draw->nmcd.lItemlParam);
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && row < dim.size() && dim[row])
      const_cast<NMLVCUSTOMDRAW*>(draw)->clrText = DimTextColour();
    *result = CDRF_DODEFAULT;
  }
  return true;
}

void AddComboEntry(HWND combo, const std::string& text) {
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToUtf16(text).c_str()));
}

int SelectedListRow(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

bool IsRowDoubleClick(const NMHDR* header, int list_id) {
  if (header->idFrom != static_cast<UINT_PTR>(list_id) || header->code != NM_DBLCLK) return false;
  return reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem >= 0;
}
