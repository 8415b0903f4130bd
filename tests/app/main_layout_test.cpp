#include "app/main_layout.h"
#include "optionsarea/options_row_layout.h"

#include <gtest/gtest.h>

namespace {
std::string Rect(const LayoutRect& r) {
  return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.w) + "," + std::to_string(r.h);
}
// Every control but the toolbar's buttons, "name x,y,w,h"; empty ones left out.
std::string Dump(const MainLayout& l) {
  const std::pair<const char*, const LayoutRect*> parts[] = {
      {"list", &l.list},          {"preview", &l.preview},       {"pgrip", &l.preview_grip}, {"label", &l.search_label},
      {"edit", &l.search_edit},   {"close", &l.search_close},    {"f0", &l.filters[0]},      {"f1", &l.filters[1]},
      {"f2", &l.filters[2]},      {"f3", &l.filters[3]},         {"reset", &l.reset_filters}, {"options", &l.options},
      {"ok", &l.ok},              {"cancel", &l.cancel},         {"restore", &l.restore},    {"grip", &l.grip}};
  std::string out;
  for (const auto& [name, rect] : parts)
    if (!(*rect == LayoutRect{})) out += std::string(name) + " " + Rect(*rect) + " ";
  return out + "splitter " + std::to_string(l.splitter_px);
}
MainLayoutInput Input(bool classic, int dpi, bool bars, bool preview) {
  MainLayoutInput in;
  in.dpi = dpi, in.client_w = (classic ? 1184 : 844) * dpi / 96, in.client_h = 660 * dpi / 96, in.status_h = 22 * dpi / 96;
  in.toolbar = in.search_bar = in.filter_bar = bars, in.classic = classic, in.preview = preview;
  return in;
}
}  // namespace

// Each layout with every bar, at 144 DPI: every control's exact place.
TEST(MainLayout, EveryControlOfEachLayout) {
  EXPECT_EQ(Dump(ComputeMainLayout(Input(false, 144, true, true))),
            "list 12,165,816,780 preview 840,72,414,873 pgrip 828,72,12,873 label 12,79,78,30 edit 93,73,591,36 "
            "close 693,72,135,39 f0 12,120,162,36 f1 183,120,161,36 f2 353,120,161,36 f3 523,120,161,36 "
            "reset 693,120,135,39 splitter 0");
  EXPECT_EQ(Dump(ComputeMainLayout(Input(true, 144, true, true))),
            "list 12,165,1035,456 preview 12,633,1035,312 pgrip 12,621,1035,12 label 12,79,78,30 edit 93,73,810,36 "
            "close 912,72,135,39 f0 12,120,216,36 f1 237,120,216,36 f2 462,120,216,36 f3 687,120,216,36 "
            "reset 912,120,135,39 options 1059,165,705,729 ok 1482,906,135,39 cancel 1629,906,135,39 "
            "restore 1059,906,195,39 grip 1047,165,12,780 splitter 1035");
  EXPECT_EQ(Dump(ComputeMainLayout(Input(false, 96, false, false))), "list 8,8,828,622 splitter 0");
  MainLayout l = ComputeMainLayout(Input(false, 96, true, false));
  std::string tools;
  for (const LayoutRect& r : l.tool_items) tools += Rect(r) + " ";
  EXPECT_EQ(tools, "8,8,38,32 48,8,38,32 88,8,38,32 128,8,14,32 144,8,38,32 184,8,38,32 224,8,38,32 264,8,14,32 "
                   "280,8,38,32 320,8,38,32 360,8,38,32 400,8,38,32 440,8,38,32 ");
}

// A layout change repaints where each moved, new or gone control was and is; one unchanged or hidden throughout, not.
TEST(MainLayout, WhatALayoutChangeLeavesToPaintAgain) {
  const LayoutRect a{0, 0, 10, 10}, b{0, 20, 10, 10}, c{5, 5, 30, 30};
  std::string out;
  for (const LayoutRect& r : RepaintAfterLayout({{a, true}, {b, true}, {c, false}, {a, false}, {b, true}},
                                                {{a, true}, {a, true}, {c, true}, {b, false}, {b, false}}))
    out += Rect(r) + " ";
  EXPECT_EQ(out, "0,20,10,10 0,0,10,10 5,5,30,30 0,20,10,10 ");
}

TEST(MainLayout, SplitterPreviewAndMinimumSizeStayWithinTheirLimits) {
  MainLayoutInput in = Input(true, 96, true, false);
  in.client_w = 1400;
  // Automatic, the list's least, and the most the options area (the room of its widest page) leaves.
  for (auto [split, list_w] : {std::pair{0, (1400 - 24) * 3 / 5}, {100, 600}, {5000, 1400 - 24 - kOptionsAreaLeastWidth}}) {
    in.splitter = split;
    EXPECT_EQ(ComputeMainLayout(in).list.w, list_w) << split;
  }
  in.splitter = 700, in.dpi = 192, in.client_w = 2800;
  EXPECT_EQ(ComputeMainLayout(in).list.w, 1400);
  EXPECT_TRUE(SplitterFromPointer(1400 + 24, 192) == 700 && SplitterFromPointer(0, 96) == 1);
  in.client_w = 500;  // narrower than the limits allow: the list stays inside
  EXPECT_LE(ComputeMainLayout(in).list.Right(), 500);
  // 1280 wide at 144 DPI: the list gives way, the options area keeps its rows' room and its buttons apart, in order.
  in.splitter = 0, in.dpi = 144, in.client_w = 1264;
  MainLayout narrow = ComputeMainLayout(in);
  EXPECT_EQ(narrow.options.w, kOptionsAreaLeastWidth * 3 / 2);
  EXPECT_TRUE(narrow.restore.Right() + 12 <= narrow.ok.x && narrow.ok.Right() <= narrow.cancel.x &&
              narrow.cancel.Right() <= 1264 - 12);

  // expected: the preview's width beside the list, or its height under it.
  const struct { bool classic; int dpi, split, expected; } cases[] = {
      {false, 96, 0, 276},   {false, 96, 100, 160}, {false, 96, 900, 828 - 8 - 300}, {false, 144, 250, 375},
      {true, 96, 0, 256},    {true, 96, 50, 140},   {true, 96, 900, 640 - 8 - 160},
  };
  for (const auto& c : cases) {
    MainLayoutInput p = Input(c.classic, c.dpi, false, true);
    p.client_h = 656 * c.dpi / 96, p.status_h = 0, p.preview_split = c.split;
    MainLayout l = ComputeMainLayout(p);
    SCOPED_TRACE(testing::Message() << "classic " << c.classic << " dpi " << c.dpi << " split " << c.split);
    EXPECT_EQ(c.classic ? l.preview.h : l.preview.w, c.expected);
    // Holding the middle of the band keeps the size.
    const LayoutRect& g = l.preview_grip;
    EXPECT_EQ(PreviewSplitFromPointer(p, g.x + g.w / 2, g.y + g.h / 2), c.expected * 96 / c.dpi);
  }

  // Automatic beside the list, the pane takes what the columns leave, within its limits; a user's own width holds.
  const struct { int client_w, split, pane_w; } beside[] = {{844, 0, 185}, {1280, 0, 360}, {700, 0, 160}, {844, 300, 300}};
  for (const auto& c : beside) {
    MainLayoutInput p = Input(false, 96, true, true);
    p.client_w = c.client_w, p.preview_split = c.split, p.list_needs_w = 635;
    MainLayout l = ComputeMainLayout(p);
    SCOPED_TRACE(testing::Message() << "client " << c.client_w << " split " << c.split);
    EXPECT_TRUE(l.preview.w == c.pane_w && l.list.w + 8 + l.preview.w == c.client_w - 16) << l.preview.w << " " << l.list.w;
  }

  int w = 0, h = 0;
  auto least = [&](bool classic, int dpi) { return MainMinimumSize(classic, dpi, 1920, 1080, &w, &h), Rect({0, 0, w, h}); };
  EXPECT_EQ(least(false, 96) + " " + least(true, 192) + " " + least(true, 96), "0,0,640,700 0,0,1920,1080 0,0,1000,700");
}

TEST(ResetWindowPlacement, OptionsWindowBesideTheMainWindowOrAtTheEdge) {
  // Room to the right: 560 wide, 8 pixels right of the main window.
  ResetPlacement wide = ResetWindowPlacement(false, 96, {0, 0, 2560, 1400}, 0);
  EXPECT_EQ(Rect(wide.main) + " " + Rect(wide.options), "850,340,860,720 1718,340,560,800");
  // Less than 560 but more than 460 left: it takes the rest.
  EXPECT_EQ(Rect(ResetWindowPlacement(false, 96, {0, 0, 1798, 1000}, 500).options), "1337,140,461,800");
  EXPECT_EQ(Rect(ResetWindowPlacement(false, 96, {0, 0, 1796, 1000}, 500).options), "1296,140,500,800");
  // Not even that: it keeps its width at the work area's right edge, height clamped.
  ResetPlacement tight = ResetWindowPlacement(false, 96, {100, 0, 1280, 700}, 500);
  EXPECT_EQ(Rect(tight.main) + " " + Rect(tight.options), "310,0,860,700 880,0,500,700");
  EXPECT_EQ(Rect(ResetWindowPlacement(false, 96, {0, 0, 1280, 700}, 0).options), "720,0,560,700");  // none saved
  // Classic Layout: only the main window, 1200 x 800.
  ResetPlacement classic = ResetWindowPlacement(true, 96, {0, 0, 1920, 1040}, 0);
  EXPECT_EQ(Rect(classic.main) + " " + Rect(classic.options), "360,120,1200,800 0,0,0,0");
}
