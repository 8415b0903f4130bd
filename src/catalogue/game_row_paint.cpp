#include "catalogue/game_row_paint.h"

#include <algorithm>
#include <cstddef>

#include "settings/play_stats.h"

std::vector<RowCell> RowCells(const std::array<int, kListColumnCount>& order, const ColumnWidths& widths) {
  std::vector<RowCell> cells;
  int x = 0;
  for (int column : order) {
    if (column < 0 || column >= kListColumnCount) continue;
    int width = widths[static_cast<std::size_t>(column)];
    if (width <= 0) continue;
    cells.push_back({column, x, x + width});
    x += width;
  }
  return cells;
}

int CellImage(int column, bool favorite, bool status_shown, int status) {
  if (column == 0) return favorite ? kStarFilledImage : kStarEmptyImage;
  if (column == kStatusColumn) return status_shown ? kFirstStatusImage + status : -1;
  return -1;
}

LayoutRect IconRect(const RowCell& cell, int row_height, int icon, int pad) {
  const int x = cell.left + pad;
  return {x, (row_height - icon) / 2, std::max(0, std::min(icon, cell.right - x)), icon};
}

LayoutRect StarRect(const std::vector<RowCell>& cells, int row_height, int icon, int pad) {
  for (const RowCell& cell : cells)
    if (cell.column == 0) return IconRect(cell, row_height, icon, pad);
  return {};
}

RowColours RowColoursOf(bool selected, bool list_focused) {
  if (!selected) return {ColourRole::ControlBackground, ColourRole::Text};
  if (list_focused) return {ColourRole::Selection, ColourRole::SelectionText};
  return {ColourRole::SelectionUnfocused, ColourRole::Text};
}

std::string CellText(const GameEntry& entry, int column) {
  switch (column) {
    case 1: return std::to_string(entry.number);
    case 2: return entry.title;
    case 3: return entry.info;
    case 5: return std::string(BoardOf(entry));
    case 6: return entry.year != 0 ? std::to_string(entry.year) : std::string();
    case 7: return entry.played.times > 0 ? PlayDateText(LocalDateOf(entry.played.last), true) : std::string();
    case 8: return entry.played.times > 0 ? PlayTimeText(entry.played.seconds) : std::string();
  }
  return "";
}
