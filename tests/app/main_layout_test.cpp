#include "app/main_layout.h"

#include <gtest/gtest.h>

namespace {
bool Inside(const LayoutRect& inner, int w, int h) {
  return inner.x >= 0 && inner.y >= 0 && inner.Right() <= w && inner.Bottom() <= h;
}
bool Overlap(const LayoutRect& a, const LayoutRect& b) {
  return a.w > 0 && b.w > 0 && a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}
}  // namespace

// Every bar and layout at each DPI, with and without the preview: the controls
// stay inside the client area, do not overlap, and the list (or the preview
// under it) ends 8 scaled pixels above the status bar.
TEST(MainLayout, EveryBarLayoutAndDpiCombination) {
  for (int dpi : {96, 120, 144, 192, 288}) {
    for (int bars = 0; bars < 16; ++bars) {
      for (bool classic : {false, true}) {
        MainLayoutInput in;
        in.preview = bars & 8;
        in.dpi = dpi;
        in.client_w = (classic ? 1184 : 844) * dpi / 96;
        in.client_h = 660 * dpi / 96;
        in.status_h = 22 * dpi / 96;
        in.toolbar = bars & 1;
        in.search_bar = bars & 2;
        in.filter_bar = bars & 4;
        in.classic = classic;
        MainLayout l = ComputeMainLayout(in);
        SCOPED_TRACE(testing::Message() << "dpi " << dpi << " bars " << bars << " classic " << classic);
        EXPECT_EQ(l.list.x, 8 * dpi / 96);
        const LayoutRect& lowest = classic && in.preview ? l.preview : l.list;
        EXPECT_EQ(lowest.Bottom(), in.client_h - in.status_h - 8 * dpi / 96);
        if (in.preview) {
          EXPECT_TRUE(Inside(l.preview, in.client_w, in.client_h));
          EXPECT_FALSE(Overlap(l.preview, l.list));
          EXPECT_FALSE(Overlap(l.preview, l.options));
          EXPECT_FALSE(Overlap(l.preview, l.search_close));
          EXPECT_FALSE(Overlap(l.preview, l.reset_filters));
          if (classic) {
            EXPECT_EQ(l.preview.y, l.list.Bottom() + 8 * dpi / 96);
            EXPECT_EQ(l.preview.w, l.list.w);
          } else {
            EXPECT_EQ(l.preview.x, l.list.Right() + 8 * dpi / 96);
            EXPECT_EQ(l.preview.Right(), in.client_w - 8 * dpi / 96);
          }
        } else {
          EXPECT_EQ(l.preview, LayoutRect{});
        }
        EXPECT_TRUE(Inside(l.list, in.client_w, in.client_h));
        int top = 8 * dpi / 96 + (in.toolbar ? 40 * dpi / 96 : 0) + (in.search_bar ? 32 * dpi / 96 : 0) +
                  (in.filter_bar ? 30 * dpi / 96 : 0);
        EXPECT_EQ(l.list.y, top);
        if (in.search_bar) {
          EXPECT_EQ(l.search_close.Right(), l.list.Right());
          EXPECT_EQ(l.search_edit.Right(), l.list.Right() - 96 * dpi / 96);
          EXPECT_FALSE(Overlap(l.search_edit, l.search_close));
        }
        if (in.filter_bar) {
          EXPECT_EQ(l.reset_filters.Right(), l.list.Right());
          for (int i = 0; i < 3; ++i) EXPECT_LT(l.filters[i].Right(), l.filters[i + 1].x);
          EXPECT_LE(l.filters[3].Right(), l.reset_filters.x);
        }
        if (classic) {
          EXPECT_EQ(l.options.x, l.list.Right() + 8 * dpi / 96);
          EXPECT_EQ(l.cancel.Right(), in.client_w - 8 * dpi / 96);
          EXPECT_FALSE(Overlap(l.options, l.ok));
          EXPECT_FALSE(Overlap(l.list, l.options));
        } else if (!in.preview) {
          EXPECT_EQ(l.list.Right(), in.client_w - 8 * dpi / 96);
        }
      }
    }
  }
}

TEST(MainLayout, ToolbarButtonsAndSeparators) {
  MainLayoutInput in;
  in.client_w = 844;
  in.client_h = 660;
  MainLayout l = ComputeMainLayout(in);
  EXPECT_EQ(l.tool_items[0], (LayoutRect{8, 8, 38, 32}));
  EXPECT_EQ(l.tool_items[1].x, 8 + 40);
  // A separator is a 16-wide gap between the groups.
  EXPECT_EQ(l.tool_items[4].x - l.tool_items[2].Right(), 2 + 16);
  EXPECT_EQ(l.tool_items[12].x, l.tool_items[8].x + 4 * 40);
}

TEST(MainLayout, ClassicSplitterStaysWithinItsLimits) {
  MainLayoutInput in;
  in.client_w = 1184;
  in.client_h = 760;
  in.classic = true;
  EXPECT_EQ(ComputeMainLayout(in).list.w, (1184 - 24) * 3 / 5);  // automatic
  in.splitter = 100;
  EXPECT_EQ(ComputeMainLayout(in).list.w, 600);
  in.splitter = 5000;
  EXPECT_EQ(ComputeMainLayout(in).list.w, 1184 - 24 - 300);
  in.splitter = 700;
  in.dpi = 192;
  in.client_w = 2368;
  EXPECT_EQ(ComputeMainLayout(in).list.w, 1400);
  EXPECT_EQ(SplitterFromPointer(1400 + 24, 192), 700);
  // A client narrower than the limits allow keeps the list inside it.
  in.client_w = 500;
  MainLayout narrow = ComputeMainLayout(in);
  EXPECT_LE(narrow.list.Right(), 500);
}

TEST(MainLayout, PreviewSizeFollowsItsBandWithinLimits) {
  struct Case {
    bool classic;
    int dpi, split;
    int expected;  // the preview's width beside the list, or its height under it
  } cases[] = {
      {false, 96, 0, 276},              // automatic: a third of the inner width
      {false, 96, 100, 160},            // never narrower than 160
      {false, 96, 900, 828 - 8 - 300},  // the list keeps 300
      {false, 144, 250, 375},
      {true, 96, 0, 256},               // automatic: two fifths of the list's column
      {true, 96, 50, 140},
      {true, 96, 900, 640 - 8 - 160},   // the list keeps 160
  };
  for (const Case& c : cases) {
    MainLayoutInput in;
    in.dpi = c.dpi;
    in.client_w = (c.classic ? 1184 : 844) * c.dpi / 96;
    in.client_h = 656 * c.dpi / 96;
    in.toolbar = false;
    in.classic = c.classic;
    in.preview = true;
    in.preview_split = c.split;
    MainLayout l = ComputeMainLayout(in);
    SCOPED_TRACE(testing::Message() << "classic " << c.classic << " dpi " << c.dpi << " split " << c.split);
    EXPECT_EQ(c.classic ? l.preview.h : l.preview.w, c.expected);
    // Holding the middle of the band keeps the size.
    const LayoutRect& g = l.preview_grip;
    EXPECT_EQ(PreviewSplitFromPointer(in, g.x + g.w / 2, g.y + g.h / 2), c.expected * 96 / c.dpi);
  }
}

TEST(MainLayout, MinimumSizeIsCappedAtTheScreen) {
  int w = 0, h = 0;
  MainMinimumSize(false, 96, 1920, 1080, &w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 700);
  MainMinimumSize(true, 192, 1920, 1080, &w, &h);
  EXPECT_EQ(w, 1920);
  EXPECT_EQ(h, 1080);
}

TEST(ResetWindowPlacement, OptionsWindowBesideTheMainWindowOrAtTheEdge) {
  // Room to the right: 560 wide, 8 pixels right of the main window.
  ResetPlacement wide = ResetWindowPlacement(false, 96, {0, 0, 2560, 1400}, 0);
  EXPECT_EQ(wide.main, (LayoutRect{850, 340, 860, 720}));
  EXPECT_EQ(wide.options, (LayoutRect{1718, 340, 560, 800}));
  // Less than 560 but more than 460 left: it takes the rest.
  ResetPlacement some = ResetWindowPlacement(false, 96, {0, 0, 1900, 1000}, 560);
  EXPECT_EQ(some.options.x, some.main.Right() + 8);
  EXPECT_EQ(some.options.Right(), 1900);
  EXPECT_GT(some.options.w, 460);
  // Not even that: it keeps its width at the work area's right edge, height clamped.
  ResetPlacement tight = ResetWindowPlacement(false, 96, {100, 0, 1280, 700}, 500);
  EXPECT_EQ(tight.options, (LayoutRect{880, 0, 500, 700}));
  EXPECT_EQ(tight.main.h, 700);
  // Classic Layout: only the main window, 1200 x 800.
  ResetPlacement classic = ResetWindowPlacement(true, 96, {0, 0, 1920, 1040}, 0);
  EXPECT_EQ(classic.main, (LayoutRect{360, 120, 1200, 800}));
}
