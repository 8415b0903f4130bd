#include "catalogue/list_columns.h"

#include <algorithm>

namespace {
int Scaled(int v, int dpi) { return v * dpi / 96; }
}  // namespace

const ListColumnSpec kListColumns[kListColumnCount] = {
    {"Favorite", 64, 64, 32}, {"#", 40, 40, 32},         {"Game", 260, 260, 64}, {"Info", 140, 140, 64},
    {"Status", 40, 64, 32},   {"Hardware", 170, 190, 64}, {"Year", 40, 64, 32},
    {"Last Played", 96, 96, 48}, {"Time Played", 84, 84, 48},
};

const int kColumnDisplayOrder[kListColumnCount] = {1, 4, 0, 2, 5, 6, 3, 7, 8};

ColumnWidths InitialColumnWidths(const int32_t saved[kListColumnCount], int dpi) {
  ColumnWidths widths{};
  for (int c = 0; c < kListColumnCount; ++c)
    widths[c] = Scaled(saved[c] > 0 ? saved[c] : kListColumns[c].created, dpi);
  return widths;
}

int32_t ApplyColumnWidths(int32_t hidden_bits, int dpi, ColumnWidths& widths, ColumnWidths& remembered) {
  hidden_bits &= ~(1 << kGameColumn);
  for (int c = 0; c < kListColumnCount; ++c) {
    bool hidden = (hidden_bits & (1 << c)) != 0;
    if (hidden && widths[c] > 0) {
      remembered[c] = widths[c];
      widths[c] = 0;
    } else if (!hidden && widths[c] == 0) {
      widths[c] = remembered[c] > 0 ? remembered[c] : Scaled(kListColumns[c].shown_again, dpi);
    }
  }
  return hidden_bits;
}

bool ColumnDragAllowed(int column, int new_width, int old_width, int32_t hidden_bits, int dpi) {
  if (column < 0 || column >= kListColumnCount) return true;
  if (hidden_bits & (1 << column)) return false;
  int smallest = Scaled(kListColumns[column].smallest, dpi);
  return !(new_width < smallest && new_width < old_width);
}

int FittedColumnWidth(int column, int fitted, int dpi) {
  if (column < 0 || column >= kListColumnCount) return fitted;
  return std::max(fitted, Scaled(kListColumns[column].smallest, dpi));
}

void SavedColumnWidths(const ColumnWidths& widths, int32_t hidden_bits, int dpi, int32_t out[kListColumnCount]) {
  for (int c = 0; c < kListColumnCount; ++c) {
    bool shown = (hidden_bits & (1 << c)) == 0;
    if (shown && widths[c] > 0) out[c] = widths[c] * 96 / dpi;
  }
}
