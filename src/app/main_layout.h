// Where every control of the main window goes, as a pure function of the
// client size, the DPI and which bars and layout are shown. Designed in
// 96-DPI units and scaled.
#pragma once
#include <vector>

#include "ui/layout_rect.h"

struct MainLayoutInput {
  int client_w = 0, client_h = 0;
  int dpi = 96;
  int status_h = 0;  // the status bar's own height in pixels
  bool toolbar = true, search_bar = false, filter_bar = false;
  bool classic = false;  // options area beside the list
  int splitter = 0;      // Classic Layout: the list's width in 96-DPI units, 0 = automatic
  bool preview = false;  // the preview pane: beside the list, or under it in Classic Layout
  int preview_split = 0; // its width (beside) or height (under) in 96-DPI units, 0 = automatic
  int list_needs_w = 0;  // pixels the list needs for its shown columns and vertical bar, 0 = unknown
};

// The toolbar: 11 buttons and 2 separators, left to right.
constexpr int kToolItemCount = 13;
constexpr bool IsToolSeparator(int item) { return item == 3 || item == 7; }

struct MainLayout {
  LayoutRect tool_items[kToolItemCount];
  LayoutRect search_label, search_edit, search_close;
  LayoutRect filters[4];  // hardware, region, maker, genre (left to right)
  LayoutRect reset_filters;
  LayoutRect list;
  LayoutRect options;                 // Classic Layout: tabs and pages
  LayoutRect ok, cancel, restore;     // Classic Layout: the button row
  LayoutRect grip;                    // Classic Layout: the splitter band
  int splitter_px = 0;                // Classic Layout: the list's width in pixels
  LayoutRect preview, preview_grip;   // the preview pane and the band between it and the list
};

MainLayout ComputeMainLayout(const MainLayoutInput& in);

// Where a control is and whether it shows, before and after a layout change.
struct Placed {
  LayoutRect at;
  bool shown = false;
};
// What a layout change leaves to paint again: for every control that moved,
// changed size, came or went (by position in both lists), where it was and
// where it is now. A control that moves without painting leaves its old
// picture behind, and does not paint what it newly covers.
std::vector<LayoutRect> RepaintAfterLayout(const std::vector<Placed>& before, const std::vector<Placed>& after);

// The splitter from a pointer position while dragging (pixels → 96-DPI units).
int SplitterFromPointer(int pointer_x, int dpi);
// The preview's size from a pointer position while its band is dragged (96-DPI units).
int PreviewSplitFromPointer(const MainLayoutInput& in, int pointer_x, int pointer_y);

using WorkArea = LayoutRect;
// Smallest size of the main window: 640 (separate) or 1000 (Classic) × 700, scaled, capped at the screen.
void MainMinimumSize(bool classic, int dpi, int screen_w, int screen_h, int* w, int* h);

// Reset Window Size: the main window centred in the work area and, in the
// separate layout, the options window beside it.
struct ResetPlacement {
  LayoutRect main;
  LayoutRect options;
};
ResetPlacement ResetWindowPlacement(bool classic, int dpi, WorkArea work, int options_w);
