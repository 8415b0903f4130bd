// Where the controls of one row of an options page go, across the page: a
// labelled row puts them in the controls' column, beside the label; a row of
// buttons starts at the page's left edge or in that column. All in pixels.
#pragma once
#include <vector>

#include "combos/combos_editor.h"
#include "ui/layout_rect.h"

// The least width of the options area beside the list (Classic Layout), in
// 96-DPI units: its widest page's rows (the Combos tab's), the page's scroll
// bar and the tab strip's frame. Where both cannot have their room, the list
// gives way and scrolls sideways.
constexpr int kOptionsAreaLeastWidth = kCombosPageLeastWidth + 30;

struct RowMetrics {
  int left = 0, right = 0;  // the row's edges
  int control_x = 0;        // the controls' column
  int gap = 0;              // between two controls
  int min_stretch = 0;      // the least a stretching control is given
  int readable_stretch = 0; // what a stretching control needs to be of use
};

struct RowCellPlaces {
  // A labelled row too narrow for its controls beside the label puts them on
  // a line of their own under it, from the left edge.
  bool under_label = false;
  std::vector<int> x, w;
};

// `widths`: each control's width, 0 for one that stretches.
RowCellPlaces PlaceRowCells(const std::vector<int>& widths, bool labelled, bool at_control_column,
                            const RowMetrics& m);

// The options area's button row along the bottom of [left, right): Cancel at
// the right, OK before it, Restore Defaults at the left, narrowed rather than
// run under OK where the area is that narrow.
struct OptionsButtonRow {
  LayoutRect ok, cancel, restore;
};
OptionsButtonRow LayOptionsButtons(int left, int right, int row_y, int dpi);
