// What one row of the game list paints, as rules apart from drawing: where
// each shown cell lies, which picture a cell shows, and the row's colours.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "catalogue/game_table.h"
#include "catalogue/list_columns.h"
#include "ui/layout_rect.h"
#include "ui/palette.h"

// A shown column's span across a row, in pixels from the row's left edge.
struct RowCell {
  int column;
  int left;
  int right;
};
// The cells of a row, left to right: the columns in the header's display
// order, each as wide as the header has it; hidden columns (width 0) are left
// out, so they take no space and paint nothing.
std::vector<RowCell> RowCells(const std::array<int, kListColumnCount>& order, const ColumnWidths& widths);

// The pictures a row can show, in the order the row painter keeps them: the
// star, empty and filled, then the status images in RomStatus order.
constexpr int kStarEmptyImage = 0;
constexpr int kStarFilledImage = 1;
constexpr int kFirstStatusImage = 2;
constexpr int kStatusImageCount = 6;  // one per RomStatus
// The picture of a cell, or -1 for a cell that shows text: the Favorite cell
// its star, the Status cell its status (`status`: a RomStatus value) only
// while the Status column is shown.
int CellImage(int column, bool favorite, bool status_shown, int status);

// Where a cell's icon (the star, the status) is painted, relative to the
// row's top left: `icon` square, `pad` into the cell, centred in the row's
// height and cut at the cell's right edge.
LayoutRect IconRect(const RowCell& cell, int row_height, int icon, int pad);
// The star's icon rectangle; empty (w 0) while the Favorite column is hidden.
// A click toggles the favourite only inside it, wherever the column was dragged.
LayoutRect StarRect(const std::vector<RowCell>& cells, int row_height, int icon, int pad);

// The text of a text cell (empty for the others): played games show the
// last day in the short form, "1 Dec 2026", and the time played.
std::string CellText(const GameEntry& entry, int column);

// A row's background and text: selected rows stand out strongest while the
// list has the keyboard focus, and stay marked, more quietly, without it.
struct RowColours {
  ColourRole background;
  ColourRole text;
};
RowColours RowColoursOf(bool selected, bool list_focused);
