#include "app/main_focus.h"

FocusHolder FocusOnActivation(FocusHolder had_it) {
  return had_it == FocusHolder::kSearchBox || had_it == FocusHolder::kControl ? had_it : FocusHolder::kGameList;
}

int FirstPressRow(int selected_row, int row_count) {
  if (row_count <= 0) return -1;
  return selected_row >= 0 && selected_row < row_count ? selected_row : 0;
}
