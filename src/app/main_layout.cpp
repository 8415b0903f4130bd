#include "app/main_layout.h"

#include <algorithm>

#include "optionsarea/options_row_layout.h"
#include "ui/scale.h"

namespace {
constexpr int kMargin = 8;

struct Scaler {
  int dpi;
  int operator()(int v) const { return ScaleForDpi(v, dpi); }
};

void LayToolbar(MainLayout& out, const Scaler& s, int top) {
  int x = s(kMargin);
  for (int i = 0; i < kToolItemCount; ++i) {
    if (IsToolSeparator(i)) {
      out.tool_items[i] = {x, top, s(14), s(32)};
      x += s(16);
    } else {
      out.tool_items[i] = {x, top, s(38), s(32)};
      x += s(38) + s(2);
    }
  }
}
}  // namespace

MainLayout ComputeMainLayout(const MainLayoutInput& in) {
  const Scaler s{in.dpi};
  MainLayout out;
  const int margin = s(kMargin);
  int top = margin;
  if (in.toolbar) {
    LayToolbar(out, s, top);
    top += s(40);
  }

  // The list's width: the whole client in the separate layout, the splitter
  // position in Classic Layout (kept between its limits).
  const int inner_w = std::max(0, in.client_w - 2 * margin);
  int list_w = inner_w;
  if (in.classic) {
    int available = std::max(0, in.client_w - s(24));
    int wanted = in.splitter > 0 ? s(in.splitter) : available * 3 / 5;
    int most = available - s(kOptionsAreaLeastWidth);
    // Where both limits cannot hold (a narrow screen at a high DPI), the
    // options area keeps the room its rows need (they would be cut off at its
    // right edge, and its OK button slide under Restore Defaults), while the
    // list scrolls sideways.
    list_w = std::max(0, std::min(std::max(s(600), std::min(wanted, most)), most));
    out.splitter_px = list_w;
  }
  // Beside the list (separate layout), the preview takes its width from it.
  int pane_w = 0;
  if (in.preview && !in.classic) {
    // Left automatic, the pane takes what the list's columns leave, so that
    // the list needs no sideways scroll bar at the window's default size.
    int wanted = in.preview_split > 0  ? s(in.preview_split)
                 : in.list_needs_w > 0 ? std::clamp(inner_w - margin - in.list_needs_w, s(160), s(360))
                                       : std::clamp(inner_w / 3, s(200), s(360));
    pane_w = std::max(0, std::min(std::max(wanted, s(160)), inner_w - margin - s(300)));
    if (pane_w > 0) list_w = inner_w - pane_w - margin;
  }
  const int list_x = margin;
  const int list_right = list_x + list_w;
  const int pane_top = top;

  if (in.search_bar) {
    out.search_label = {list_x, top + s(5), s(52), s(20)};
    out.search_close = {list_right - s(90), top, s(90), s(26)};
    int edit_x = list_x + s(54);
    out.search_edit = {edit_x, top + s(1), std::max(0, list_right - s(96) - edit_x), s(24)};
    top += s(32);
  }
  if (in.filter_bar) {
    int share = std::max(0, list_w - s(96) - 3 * s(6));
    int x = list_x;
    for (int i = 0; i < 4; ++i) {
      int w = share / 4 + (i < share % 4 ? 1 : 0);
      out.filters[i] = {x, top, w, s(24)};
      x += w + s(6);
    }
    out.reset_filters = {list_right - s(90), top, s(90), s(26)};
    top += s(30);
  }

  const int bottom = std::max(top, in.client_h - in.status_h - margin);
  out.list = {list_x, top, list_w, bottom - top};
  if (pane_w > 0) {
    out.preview = {list_right + margin, pane_top, pane_w, bottom - pane_top};
    out.preview_grip = {list_right, pane_top, margin, bottom - pane_top};
  } else if (in.preview && in.classic) {
    // Under the list in Classic Layout, which keeps the options area beside it.
    int area_h = bottom - top;
    int wanted = in.preview_split > 0 ? s(in.preview_split) : std::clamp(area_h * 2 / 5, s(180), s(300));
    int pane_h = std::max(0, std::min(std::max(wanted, s(140)), area_h - margin - s(160)));
    if (pane_h > 0) {
      out.list.h = area_h - pane_h - margin;
      out.preview = {list_x, out.list.Bottom() + margin, list_w, pane_h};
      out.preview_grip = {list_x, out.list.Bottom(), list_w, margin};
    }
  }

  if (in.classic) {
    int area_x = list_right + margin;
    int area_w = std::max(0, in.client_w - margin - area_x);
    int row_y = bottom - s(26);
    out.options = {area_x, top, area_w, std::max(0, row_y - s(8) - top)};
    const OptionsButtonRow row = LayOptionsButtons(area_x, area_x + area_w, row_y, in.dpi);
    out.ok = row.ok;
    out.cancel = row.cancel;
    out.restore = row.restore;
    out.grip = {list_right, top, margin, bottom - top};
  }
  return out;
}

int SplitterFromPointer(int pointer_x, int dpi) {
  int px = pointer_x - ScaleForDpi(12, dpi);
  return std::max(1, px * 96 / dpi);
}

int PreviewSplitFromPointer(const MainLayoutInput& in, int pointer_x, int pointer_y) {
  // The pointer holds the middle of the band; the pane starts after the band.
  const int margin = ScaleForDpi(kMargin, in.dpi), after = margin - margin / 2;
  int px = in.classic ? in.client_h - in.status_h - margin - (pointer_y + after)
                      : in.client_w - margin - (pointer_x + after);
  return std::max(1, px * 96 / in.dpi);
}

void MainMinimumSize(bool classic, int dpi, int screen_w, int screen_h, int* w, int* h) {
  *w = std::min(ScaleForDpi(classic ? 1000 : 640, dpi), screen_w);
  *h = std::min(ScaleForDpi(700, dpi), screen_h);
}

ResetPlacement ResetWindowPlacement(bool classic, int dpi, WorkArea work, int options_w) {
  const Scaler s{dpi};
  ResetPlacement out;
  int w = std::min(s(classic ? 1200 : 860), work.w);
  int h = std::min(s(classic ? 800 : 720), work.h);
  out.main = {work.x + (work.w - w) / 2, work.y + (work.h - h) / 2, w, h};
  if (classic) return out;

  int ow = options_w > 0 ? options_w : s(560);
  int oh = std::min(s(800), work.h);
  int x = out.main.Right() + 8;
  int work_right = work.x + work.w;
  if (x + s(560) > work_right) {
    int remaining = work_right - x;
    if (remaining > s(460)) {
      ow = remaining;
    } else {
      x = work_right - ow;
    }
  } else {
    ow = s(560);
  }
  int y = std::max(work.y, std::min(out.main.y, work.y + work.h - oh));
  out.options = {x, y, ow, oh};
  return out;
}

std::vector<LayoutRect> RepaintAfterLayout(const std::vector<Placed>& before, const std::vector<Placed>& after) {
  std::vector<LayoutRect> out;
  for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
    const Placed &was = before[i], &is = after[i];
    if (was.shown == is.shown && (!is.shown || was.at == is.at)) continue;
    for (const Placed& p : {was, is})
      if (p.shown && p.at.w > 0 && p.at.h > 0) out.push_back(p.at);
  }
  return out;
}
