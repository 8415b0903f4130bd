// Fitting, scaling and sniffing snapshot pictures, and the cache of scaled ones.
#include <gtest/gtest.h>

#include <cstdlib>

#include "preview/picture_cache.h"
#include "preview/picture_header.h"
#include "preview/picture_scale.h"
#include "preview/preview_view.h"

namespace {
// A source picture read through the strip interface, counting what was read.
struct Source {
  PictureSize size;
  std::vector<uint32_t> pixels;
  int rows_read = 0, fail_from = -1;
  PictureRows Rows() {
    return [this](int first, int count, uint32_t* out) {
      if (fail_from >= 0 && first + count > fail_from) return false;
      std::copy_n(&pixels[static_cast<size_t>(first * size.w)], count * size.w, out);
      rows_read += count;
      return true;
    };
  }
};

Source Gradient(int w, int h) {
  Source s{{w, h}, {}};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.pixels.push_back(0xFF000000u | uint32_t(x * 10) << 8 | uint32_t(y * 10));
  return s;
}

std::shared_ptr<const Picture> PictureOf(int w, int h) {
  return std::make_shared<const Picture>(Picture{w, h, std::vector<uint32_t>(static_cast<size_t>(w * h))});
}
}  // namespace

TEST(PictureFit, ArcadeScreensAreShownAtTheirMonitorsAspect) {
  const struct { PictureSize box, picture; bool keep_aspect; PictureSize expected; } cases[] = {
      {{400, 600}, {1552, 240}, true, {400, 300}},   // MAME's pong: very wide pixels, a 4:3 monitor
      {{400, 600}, {228, 1440}, true, {400, 533}},   // breakout: a vertical monitor, 3:4
      {{400, 200}, {640, 480}, true, {267, 200}},    // limited by the height
      {{400, 600}, {1552, 240}, false, {400, 62}},   // the picture's own aspect
      {{281, 335}, {640, 480}, false, {281, 211}},   {{0, 300}, {640, 480}, true, {}},
      {{400, 1}, {2, 1000}, false, {1, 1}},          {{300, 300}, {0, 480}, true, {}},  // never narrower than a pixel
      {{400, 300}, {800, 1}, false, {400, 1}},       // a picture one row high is still shown
  };
  for (const auto& c : cases)
    EXPECT_EQ(FitPicture(c.box, c.picture, c.keep_aspect), c.expected) << c.box.w << "x" << c.box.h;
  // What was made for a box fits it again unchanged, so the pane paints it 1:1.
  for (PictureSize box : {PictureSize{281, 335}, PictureSize{400, 150}, PictureSize{333, 97}})
    EXPECT_EQ(FitPicture(box, FitPicture(box, {1552, 240}, true), false), FitPicture(box, {1552, 240}, true)) << box.w;
}

TEST(PictureScale, SmoothWhenShrinkingSharpWhenGrowingTwiceOrMoreReadInStrips) {
  EXPECT_TRUE(ChooseScaleFilter({100, 100}, {200, 200}) == ScaleFilter::Sharp &&
              ChooseScaleFilter({100, 100}, {199, 400}) == ScaleFilter::Smooth &&
              ChooseScaleFilter({100, 100}, {50, 50}) == ScaleFilter::Smooth);
  Source same = Gradient(5, 3);  // the same size is an exact copy
  EXPECT_EQ(ScalePicture(same.size, same.size, same.Rows())->pixels, same.pixels);
  using Px = std::vector<uint32_t>;
  const uint32_t c = 0xFF102030, w = 0xFFFFFFFF;
  const struct { Source from; PictureSize to; Px expected; } cases[] = {
      {{{2, 2}, {0xFF000000, 0xFF102064, 0xFF3040C8, 0xFF000000}}, {1, 1}, {0xFF10184B}},  // halving: each 2 x 2 block's mean
      {{{3, 1}, {0xFF000000, 0xFF000090, 0xFF0000FF}}, {2, 1}, {0xFF000030, 0xFF0000DA}},  // each the mean of 1.5 pixels
      {{{2, 1}, {c, w}}, {6, 3}, {c, c, c, w, w, w, c, c, c, w, w, w, c, c, c, w, w, w}},  // three times: no blending
      // Growing by less than two blends between the two nearest, the edges held.
      {{{3, 1}, {0xFF000000, 0xFF0000C0, 0xFF000030}}, {5, 1}, {0xFF000000, 0xFF00004D, 0xFF0000C0, 0xFF00006A, 0xFF000030}},
  };
  for (auto k : cases) EXPECT_EQ(ScalePicture(k.from.size, k.to, k.from.Rows())->pixels, k.expected) << k.to.w;
  // A tall picture is read in strips, every row once; a damaged one stops the scaling.
  Source tall = Gradient(4, 2000);
  std::optional<Picture> small = ScalePicture(tall.size, {2, 100}, tall.Rows());
  EXPECT_TRUE(small && tall.rows_read == 2000 && small->pixels.size() == 200u) << tall.rows_read;
  tall.fail_from = 1500;
  EXPECT_FALSE(ScalePicture(tall.size, {2, 100}, tall.Rows()) || ScalePicture({0, 0}, {2, 2}, tall.Rows()));
}

TEST(PictureHeader, KindAndSizeFromTheFirstBytes) {
  std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x06\x10\0\0\0\xF0", 24);  // 1552 x 240, big-endian
  std::string bmp("BM\0\0\0\0\0\0\0\0\0\0\0\0\x28\0\0\0\x40\x01\0\0\x10\xFF\xFF\xFF", 26);  // 320 wide, -240 high
  std::string core_bmp("BM\0\0\0\0\0\0\0\0\0\0\0\0\x0C\0\0\0\x40\x01\xF0\0\0\0\0\0", 26);  // OS/2's header
  std::string jpeg("\xFF\xD8\xFF\xE0\0\x04xx\xFF\xC0\0\x0B\x08\x01\xE0\x02\x80\x03", 18);   // 640 x 480 after an APP0
  const struct { std::string head; PictureKind kind; bool size_known; PictureSize size; } cases[] = {
      {png, PictureKind::Png, true, {1552, 240}},   {bmp, PictureKind::Bmp, true, {320, 240}},
      {core_bmp, PictureKind::Bmp, true, {320, 240}}, {jpeg, PictureKind::Jpeg, true, {640, 480}},
      {jpeg.substr(0, 12), PictureKind::Jpeg, false, {}},  // the frame header comes later
      {std::string(png).replace(16, 4, 4, '\0'), PictureKind::Unknown, false, {}},  // no width
      {png.substr(0, 20), PictureKind::Unknown, false, {}},
      {"GIF89a", PictureKind::Unknown, false, {}},           {"", PictureKind::Unknown, false, {}},
  };
  for (const auto& c : cases) {
    PictureHeader h = ReadPictureHeader(c.head);
    EXPECT_TRUE(h.kind == c.kind && h.size_known == c.size_known && h.size == c.size) << c.head.size();
  }
  // 65535 x 65535: an area past the range of int.
  EXPECT_TRUE(!TooLargeToShow({8000, 8000}) && TooLargeToShow({8001, 8000}) && TooLargeToShow({65535, 65535}));
}

TEST(PictureCache, KeepsTheLast32AndReadsAChangedFileAgain) {
  PictureCache cache;
  const PictureSize box{300, 225};
  for (int i = 0; i < 40; ++i) cache.Put({"shot" + std::to_string(i), {100, 1}, box, true, PictureOf(300, 225)});
  EXPECT_FALSE(cache.Find("shot7", {100, 1}, box, true));  // dropped, least recently used
  ASSERT_TRUE(cache.Find("shot8", {100, 1}, box, true));    // now the most recently used
  cache.Put({"new", {1, 1}, box, true, PictureOf(300, 225)});
  EXPECT_TRUE(cache.Find("shot8", {100, 1}, box, true) && !cache.Find("shot9", {100, 1}, box, true));

  // Another box or aspect rule makes it anew; a changed size or time reads the file again, the old entry gone.
  EXPECT_TRUE(!cache.Find("shot10", {100, 1}, {400, 300}, true) && !cache.Find("shot10", {100, 1}, box, false) &&
              cache.Find("shot10", {100, 1}, box, true));
  EXPECT_FALSE(cache.Find("shot11", {100, 2}, box, true) || cache.Find("shot11", {100, 1}, box, true) ||
               cache.Find("shot12", {101, 1}, box, true));

  // A file that could not be shown is not tried again for any box until it changes.
  cache.Put({"broken", {5, 5}, box, true, nullptr});
  const CachedPicture* broken = cache.Find("broken", {5, 5}, {999, 999}, false);
  EXPECT_TRUE(broken && !broken->picture && !cache.Find("broken", {5, 6}, box, true));

  // However large the pane, the cache holds a bounded amount.
  PictureCache capped(32, 3 * 400 * 400 * 4);
  for (int i = 0; i < 5; ++i) capped.Put({"big" + std::to_string(i), {1, 1}, box, true, PictureOf(400, 400)});
  EXPECT_EQ(capped.size(), 3u);
}

TEST(PreviewView, TheCardUnderATallPaneBesideAWideOneAtEveryDpi) {
  EXPECT_EQ(PreviewBoardLine("Sony ZN-2 System", 1999), "Sony ZN-2 System, 1999");
  EXPECT_EQ(PreviewBoardLine("Konami GV", 0), "Konami GV");
  // The picture steps wrap round both ways; without pictures they stay put.
  EXPECT_TRUE(StepPicture(0, -1, 3) == 2 && StepPicture(2, 1, 3) == 0 && StepPicture(1, 1, 3) == 2 && StepPicture(0, 1, 0) == 0);
  // The counter under a picture; a picture that is shown leaves no line in the log.
  EXPECT_EQ(PreviewCounterText(1, 3), "2 / 3");
  EXPECT_EQ(PreviewFailureLine("C:\\MAME\\snap\\sfex2\\0000.png", PictureFailure::None, {}), "");
  for (int dpi : {96, 144}) {
    auto s = [dpi](int v) { return v * dpi / 96; };
    // Beside the list: a tall pane; the card under the picture, the picture keeping its 4:3 width.
    PreviewInput in{s(300), s(640), dpi, {s(300), s(225)}, true, true, s(16), {s(60), s(40), s(200)}, {s(70), s(50)}};
    ASSERT_FALSE(CardBeside(in.pane_w, in.pane_h, dpi));
    EXPECT_EQ(PreviewPictureBox(in.pane_w, in.pane_h, dpi).h, s(225));
    PreviewLayout under = LayoutPreview(in);
    EXPECT_EQ(under.next.y, s(225) + s(6));
    EXPECT_TRUE(under.previous.w == under.next.w && under.previous.Right() <= under.counter.x &&
                under.counter.Right() <= under.next.x && under.previous.y == under.next.y);  // the steps flank the counter
    EXPECT_LE(std::abs(under.counter.x * 2 + under.counter.w - under.picture.x * 2 - under.picture.w), 2);  // centred
    ASSERT_EQ(under.kinds.size(), 3u);
    EXPECT_EQ(under.kinds[0].w, s(60) + 2 * s(8));  // a kind's button: its text and a margin of 8 each side
    EXPECT_EQ(under.kinds[0].y, under.next.Bottom() + s(6));
    EXPECT_TRUE(under.kinds[1].y == under.kinds[0].y && under.kinds[2].y > under.kinds[0].Bottom());  // the third wraps
    EXPECT_TRUE(under.title.y > under.kinds[2].Bottom() && under.board.y > under.title.Bottom() &&
                under.status.y > under.board.Bottom() && under.played.y > under.status.Bottom() &&
                under.tabs[0].y > under.played.Bottom());
    EXPECT_TRUE(under.text.Bottom() == in.pane_h && under.text.h > s(100));  // the text takes the rest

    // Under the list in Classic Layout: a wide pane; the card beside the picture, from its top.
    in.pane_w = s(760), in.pane_h = s(260);
    ASSERT_TRUE(CardBeside(in.pane_w, in.pane_h, dpi));
    EXPECT_FALSE(CardBeside(s(500), s(400), dpi));  // wide enough, but less than half again as wide as tall
    PictureSize box = PreviewPictureBox(in.pane_w, in.pane_h, dpi);
    EXPECT_EQ(box.h, s(260) - s(30));
    in.picture = FitPicture(box, {4, 3}, true);
    PreviewLayout beside = LayoutPreview(in);
    EXPECT_TRUE(beside.kinds[0].x > beside.picture.Right() && beside.kinds[0].y == 0);
    EXPECT_TRUE(beside.text.Right() <= in.pane_w && beside.text.Bottom() == in.pane_h && beside.text.h > 0);

    // Too short for the text, and no game at all: the text box and the card go.
    in.pane_h = s(150), in.pane_w = s(240);
    EXPECT_EQ(LayoutPreview(in).text.w, 0);
    in.card = false;
    PreviewLayout empty = LayoutPreview(in);
    EXPECT_TRUE(empty.kinds.empty() && empty.tabs.empty() && empty.title.h == 0);
  }
  // A small picture: the icon half its smaller side, the note about the picture centred under it.
  PreviewLayout small = LayoutPreview({300, 500, 96, {60, 40}});
  EXPECT_TRUE(small.icon.w == 20 && small.note.y == small.icon.Bottom() + 8 &&
              small.note.x * 2 + small.note.w == small.picture.x * 2 + small.picture.w);
  // The chip mirrors itself across its notch's diagonal (legs whole on every side); the arrows mirror each other.
  for (int size : {16, 20, 48}) {
    std::vector<uint8_t> chip = BoardIconMask(size), next = ArrowMask(true, size), back = ArrowMask(false, size);
    ASSERT_TRUE(chip.size() == static_cast<size_t>(size * size) && next.size() == chip.size() && back.size() == chip.size());
    for (int i = 0; i < size * size; ++i) {
      ASSERT_EQ(chip[i], chip[i % size * size + i / size]) << size << ": " << i;
      ASSERT_EQ(next[i], back[i / size * size + size - 1 - i % size]) << size << ": " << i;
    }
    const int tip = size / 2 * size + size * 2 / 3;
    EXPECT_TRUE(next[tip] > 128 && back[tip] == 0) << size;
  }
}
