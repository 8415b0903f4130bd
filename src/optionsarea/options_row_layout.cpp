#include "optionsarea/options_row_layout.h"

#include <algorithm>

#include "ui/scale.h"

RowCellPlaces PlaceRowCells(const std::vector<int>& widths, bool labelled, bool at_control_column,
                            const RowMetrics& m) {
  RowCellPlaces out;
  int fixed = widths.empty() ? 0 : m.gap * static_cast<int>(widths.size() - 1), stretching = 0;
  for (int w : widths) {
    if (w)
      fixed += w;
    else
      ++stretching;
  }
  int x = labelled || at_control_column ? m.control_x : m.left;
  if (labelled) {
    // Beside the label while the controls keep their widths there; a single
    // one may give up a quarter of its width first.
    const bool single = widths.size() == 1 && widths[0];
    const int needed = single ? widths[0] - widths[0] / 4 : fixed + stretching * m.readable_stretch;
    out.under_label = x + needed > m.right && m.left < x;
    if (out.under_label) x = m.left;
  } else if (!stretching && x + fixed > m.right) {
    x = m.left;  // buttons that would run out of a narrow page start at its left edge
  }
  const int stretch = stretching ? std::max(m.min_stretch, (m.right - x - fixed) / stretching) : 0;
  for (int w : widths) {
    int width = w ? w : stretch;
    if (w && widths.size() == 1 && x + width > m.right) width = std::max(m.min_stretch, m.right - x);
    out.x.push_back(x);
    out.w.push_back(width);
    x += width + m.gap;
  }
  return out;
}

OptionsButtonRow LayOptionsButtons(int left, int right, int row_y, int dpi) {
  auto s = [dpi](int v) { return ScaleForDpi(v, dpi); };
  OptionsButtonRow row;
  row.cancel = {right - s(90), row_y, s(90), s(26)};
  row.ok = {row.cancel.x - s(8) - s(90), row_y, s(90), s(26)};
  row.restore = {left, row_y, std::max(0, std::min(s(130), row.ok.x - s(8) - left)), s(26)};
  return row;
}
