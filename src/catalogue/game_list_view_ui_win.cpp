#include "catalogue/game_list_view_ui_win.h"

#include <commctrl.h>

#include "base/utf16_win.h"
#include "catalogue/list_columns.h"
#include "catalogue/rom_scan.h"
#include "settings/settings.h"
#include "ui/image_lists_win.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"

namespace {
bool filling = false;
ColumnWidths remembered{};

int ColumnWidth(HWND list, int column) { return ListView_GetColumnWidth(list, column); }

void SetCell(HWND list, int row, int column, const std::string& utf8) {
  std::wstring text = Utf8ToUtf16(utf8);
  ListView_SetItemText(list, row, column, text.data());
}

void SetStatusImage(HWND list, int row, const GameEntry& entry, bool status_shown) {
  LVITEMW item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iSubItem = kStatusColumn;
  item.iImage = !status_shown ? I_IMAGENONE : static_cast<int>(GameRomStatus(entry));
  ListView_SetItem(list, &item);
}

void FillRow(HWND list, int position, const GameEntry& entry, int32_t index, bool favorite, bool status_shown) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
  item.iItem = position;
  item.pszText = const_cast<wchar_t*>(L"");
  item.iImage = I_IMAGENONE;
  item.lParam = index;
  int row = ListView_InsertItem(list, &item);
  if (row < 0) return;
  SetCell(list, row, 1, std::to_string(entry.number));
  SetCell(list, row, 2, entry.title);
  SetCell(list, row, 3, entry.info);
  SetStatusImage(list, row, entry, status_shown);
  SetCell(list, row, 5, std::string(BoardOf(entry)));
  if (entry.year != 0) SetCell(list, row, 6, std::to_string(entry.year));
  ListView_SetItemState(list, row, INDEXTOSTATEIMAGEMASK(favorite ? 2 : 1), LVIS_STATEIMAGEMASK);
}

void AddColumns(HWND list, const Settings& settings) {
  ColumnWidths widths = InitialColumnWidths(settings.columns_games, Ui().dpi);
  for (int c = 0; c < kListColumnCount; ++c) {
    std::wstring header = Utf8ToUtf16(kListColumns[c].header);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = header.data();
    column.cx = widths[c];
    column.iSubItem = c;
    ListView_InsertColumn(list, c, &column);
  }
  int order[kListColumnCount];
  for (int i = 0; i < kListColumnCount; ++i) order[i] = kColumnDisplayOrder[i];
  ListView_SetColumnOrderArray(list, kListColumnCount, order);
}

ColumnWidths CurrentWidths(HWND list) {
  ColumnWidths widths{};
  for (int c = 0; c < kListColumnCount; ++c) widths[c] = ColumnWidth(list, c);
  return widths;
}
}  // namespace

HWND CreateGameListView(HWND parent, int id, const Settings& settings) {
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                              0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Ui().instance,
                              nullptr);
  if (!list) return nullptr;
  SetUiFont(list);
  ListView_SetExtendedListViewStyle(list, LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES |
                                              LVS_EX_SUBITEMIMAGES);
  AddColumns(list, settings);
  ListView_SetImageList(list, StatusImageList(S(16)), LVSIL_SMALL);
  ListView_SetImageList(list, FavoriteImageList(S(16), DimTextColour(), TextColour()), LVSIL_STATE);
  if (IsDarkTheme()) ThemeControl(list, WC_LISTVIEWW);
  remembered = {};
  return list;
}

void FillGameListView(HWND list, const GameList& games, const std::vector<int32_t>& rows, const IdList& favorites,
                      int32_t selected_number, int32_t hidden_bits) {
  filling = true;
  const bool status_shown = (hidden_bits & (1 << kStatusColumn)) == 0;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(list);
  int selected_row = -1;
  for (size_t i = 0; i < rows.size(); ++i) {
    const GameEntry& entry = games[static_cast<size_t>(rows[i])];
    FillRow(list, static_cast<int>(i), entry, rows[i], IdListContains(favorites, entry.number), status_shown);
    if (selected_number != 0 && entry.number == selected_number) selected_row = static_cast<int>(i);
  }
  if (selected_row >= 0) {
    ListView_SetItemState(list, selected_row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, selected_row, FALSE);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  filling = false;
}

bool GameListViewFilling() { return filling; }

int GameIndexOfRow(HWND list, int row) {
  if (row < 0) return -1;
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!ListView_GetItem(list, &item)) return -1;
  return static_cast<int>(item.lParam);
}

int SelectedGameIndex(HWND list) { return GameIndexOfRow(list, ListView_GetNextItem(list, -1, LVNI_SELECTED)); }

void SetRowFavorite(HWND list, int row, bool favorite) {
  bool was = filling;
  filling = true;
  ListView_SetItemState(list, row, INDEXTOSTATEIMAGEMASK(favorite ? 2 : 1), LVIS_STATEIMAGEMASK);
  filling = was;
}

std::string GameListCellTip(HWND list, const GameList& games, int row, int column) {
  int index = GameIndexOfRow(list, row);
  if (column != kStatusColumn || index < 0 || static_cast<size_t>(index) >= games.size()) return "";
  return RomStatusTip(GameRomStatus(games[static_cast<size_t>(index)]));
}

void ApplyColumnVisibility(HWND list, Settings& settings, const GameList& games) {
  bool was = filling;
  filling = true;
  ColumnWidths widths = CurrentWidths(list);
  settings.columns_hidden = ApplyColumnWidths(settings.columns_hidden, Ui().dpi, widths, remembered);
  for (int c = 0; c < kListColumnCount; ++c)
    if (ColumnWidth(list, c) != widths[c]) ListView_SetColumnWidth(list, c, widths[c]);
  const bool status_shown = (settings.columns_hidden & (1 << kStatusColumn)) == 0;
  // The status icons go and come back with their column.
  int count = ListView_GetItemCount(list);
  for (int row = 0; row < count; ++row) {
    int index = GameIndexOfRow(list, row);
    if (index >= 0 && static_cast<size_t>(index) < games.size())
      SetStatusImage(list, row, games[static_cast<size_t>(index)], status_shown);
  }
  filling = was;
  InvalidateRect(list, nullptr, TRUE);
}

void ResetColumnWidths(HWND list, Settings& settings, const GameList& games) {
  const int32_t none[kListColumnCount] = {};
  ColumnWidths widths = InitialColumnWidths(none, Ui().dpi);
  remembered = {};
  bool was = filling;
  filling = true;
  for (int c = 0; c < kListColumnCount; ++c) ListView_SetColumnWidth(list, c, widths[c]);
  filling = was;
  ApplyColumnVisibility(list, settings, games);
}

void SetSortMark(HWND list, int column, bool ascending) {
  HWND header = ListView_GetHeader(list);
  for (int c = 0; c < kListColumnCount; ++c) {
    HDITEMW item = {};
    item.mask = HDI_FORMAT;
    Header_GetItem(header, c, &item);
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (c == column) item.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
    Header_SetItem(header, c, &item);
  }
}

bool GameListHeaderNotify(HWND list, const NMHDR* header, int32_t hidden_bits, LRESULT* result) {
  if (header->hwndFrom != ListView_GetHeader(list)) return false;
  const auto* h = reinterpret_cast<const NMHEADERW*>(header);
  switch (header->code) {
    case HDN_BEGINTRACKW:
    case HDN_BEGINTRACKA:
      if (hidden_bits & (1 << h->iItem)) {
        *result = TRUE;  // a hidden column cannot be widened
        return true;
      }
      return false;
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGINGA:
      if (filling || !h->pitem || !(h->pitem->mask & HDI_WIDTH)) return false;
      if (!ColumnDragAllowed(h->iItem, h->pitem->cxy, ColumnWidth(list, h->iItem), hidden_bits, Ui().dpi)) {
        *result = TRUE;
        return true;
      }
      return false;
    case HDN_DIVIDERDBLCLICKW:
    case HDN_DIVIDERDBLCLICKA: {
      if (hidden_bits & (1 << h->iItem)) {
        *result = TRUE;
        return true;
      }
      SendMessageW(list, WM_SETREDRAW, FALSE, 0);
      ListView_SetColumnWidth(list, h->iItem, LVSCW_AUTOSIZE_USEHEADER);
      int fitted = FittedColumnWidth(h->iItem, ColumnWidth(list, h->iItem), Ui().dpi);
      ListView_SetColumnWidth(list, h->iItem, fitted);
      SendMessageW(list, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(list, nullptr, TRUE);
      *result = TRUE;
      return true;
    }
  }
  return false;
}

void StoreColumnWidths(HWND list, Settings& settings) {
  SavedColumnWidths(CurrentWidths(list), settings.columns_hidden, Ui().dpi, settings.columns_games);
}

bool PointOnHeader(HWND list, POINT screen) {
  RECT r;
  HWND header = ListView_GetHeader(list);
  return header && IsWindowVisible(header) && GetWindowRect(header, &r) && PtInRect(&r, screen);
}
