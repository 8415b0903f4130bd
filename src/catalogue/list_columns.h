// The game list's nine columns: their headers and widths, the display
// order, and the width arithmetic of hiding, showing and resizing them.
// Widths are pixels at the given DPI; the settings keep 96-DPI units.
#pragma once
#include <array>
#include <cstdint>

struct ListColumnSpec {
  const char* header;
  int created;      // width at creation
  int shown_again;  // width when shown again without a remembered width
  int smallest;
};
constexpr int kListColumnCount = 9;
extern const ListColumnSpec kListColumns[kListColumnCount];
// Left to right: "#", "Status", "Favorite", "Game", "Hardware", "Year", "Info",
// "Last Played", "Time Played".
extern const int kColumnDisplayOrder[kListColumnCount];
constexpr int kGameColumn = 2;    // can never be hidden
constexpr int kStatusColumn = 4;  // its icons go with it

using ColumnWidths = std::array<int, kListColumnCount>;

// Widths at creation: the saved widths (96-DPI units, 0 = none) or the
// table's, scaled.
ColumnWidths InitialColumnWidths(const int32_t saved[kListColumnCount], int dpi);

// Hides the columns whose bit is set (remembering their width) and gives the
// others back their remembered width, or the table's "shown again" width.
// Bit 2 is cleared first. Returns the corrected bits.
int32_t ApplyColumnWidths(int32_t hidden_bits, int dpi, ColumnWidths& widths, ColumnWidths& remembered);

// Whether a drag of a divider to `new_width` is allowed.
bool ColumnDragAllowed(int column, int new_width, int old_width, int32_t hidden_bits, int dpi);
// A double-click on a divider: the fitted width, at least the smallest width.
int FittedColumnWidth(int column, int fitted, int dpi);

// The widths to save: shown columns with a width above 0, in 96-DPI units;
// a hidden column keeps the width saved before, so it comes back with it.
void SavedColumnWidths(const ColumnWidths& widths, int32_t hidden_bits, int dpi, int32_t out[kListColumnCount]);
