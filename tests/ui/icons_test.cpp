// The drawing of icons (masks, raster, pixels, palette) and the access keys of labels.
#include "ui/icon_mask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <tuple>

#include "support/test_support.h"
#include "ui/access_keys.h"
#include "ui/icon_pixels.h"
#include "ui/palette.h"
#include "ui/vector_raster.h"

namespace {
uint8_t At(const std::vector<uint8_t>& mask, int size, int x, int y) { return mask[y * size + x]; }
// What `draw` paints on `size` x `size` pixels over a grid of `grid` units.
template <class Draw>
std::vector<uint8_t> Drawn(int size, double grid, Draw draw) {
  VectorRaster raster(size, grid);
  draw(raster);
  return raster.Reduce();
}
}  // namespace

TEST(IconMask, EveryIconCentredAndAsLastLookedAtAndTheCache) {
  for (int size : {16, 20, 40})
    for (int icon = 0; icon < kIconCount; ++icon)
      for (bool filled : {false, true}) {
        auto mask = IconMask(icon, filled, size);
        ASSERT_EQ(mask.size(), static_cast<size_t>(size * size));
        // Full ink somewhere, the centre of mass near the middle, more than half the square wide.
        double sum = 0, cx = 0, cy = 0;
        int x0 = size, x1 = -1;
        for (int i = 0; i < size * size; ++i)
          if (uint8_t v = mask[i])
            sum += v, cx += v * (i % size + 0.5), cy += v * (i / size + 0.5), x0 = std::min(x0, i % size),
                x1 = std::max(x1, i % size);
        EXPECT_TRUE(*std::max_element(mask.begin(), mask.end()) == 255 && std::abs(cx / sum - size / 2.0) < size / 5.0 &&
                    std::abs(cy / sum - size / 2.0) < size / 5.0 && x1 - x0 + 1 > size / 2)
            << icon << " at " << size;
      }
  EXPECT_TRUE(IconMask(kIconCount, false, 16).empty() && IconMask(-1, false, 16).empty() &&
              IconMask(kIconPlay, false, 0).empty());

  // Every mask pixel as last looked at (tests/fixtures/icon-masks.txt); a deliberate change: KORVO_RECORD_ICONS=1.
  std::string digests;
  for (int icon = 0; icon < kIconCount; ++icon)
    for (bool filled : {false, true})
      for (int s : {16, 20, 40})
        digests += MaskDigestLine(std::to_string(icon) + " " + std::to_string(filled), s, IconMask(icon, filled, s));
  EXPECT_EQ(RecordedMasks("icon-masks.txt", digests), digests) << [] {
    std::string art;
    for (int icon = 0; icon < kIconCount; ++icon) art += MaskArt(IconMask(icon, icon == kIconStar, 20), 20);
    return art;
  }();

  IconMaskCache cache;
  const auto& star16 = cache.Get(kIconStar, true, 16);
  EXPECT_TRUE(star16 == IconMask(kIconStar, true, 16) && &cache.Get(kIconStar, true, 16) == &star16);
  for (auto [filled, size] : {std::pair{false, 16}, {true, 20}, {false, 20}, {true, 16}})  // and back to the first size
    EXPECT_EQ(cache.Get(kIconStar, filled, size), IconMask(kIconStar, filled, size)) << filled << " " << size;
  EXPECT_TRUE(cache.Get(kIconCount, false, 16).empty());
}

TEST(Colours, BlendsPremultipliedPixelsAndToolButtonStates) {
  // Background to ink, with no bleeding between channels.
  for (auto [back, ink, coverage, blended] : std::initializer_list<std::tuple<uint32_t, uint32_t, uint8_t, uint32_t>>{
           {0x202020, 0xE8E8E8, 0, 0x202020}, {0x202020, 0xE8E8E8, 255, 0xE8E8E8}, {0xFF0000, 0x0000FF, 128, 0x7F0080},
           {0x00FF00, 0x00FF00, 77, 0x00FF00}})
    EXPECT_EQ(BlendCoverage(back, ink, coverage), blended) << coverage;
  for (auto [ink, coverage, pixel] : std::initializer_list<std::tuple<uint32_t, uint8_t, uint32_t>>{
           {0x2EA043, 0, 0}, {0x2EA043, 255, 0xFF2EA043}, {0xFFFFFF, 128, 0x80808080}, {0xD64541, 51, 0x332A0D0D}})
    EXPECT_EQ(PremultipliedPixel(ink, coverage), pixel) << coverage;
  EXPECT_EQ(BlendMask({0, 128, 255}, 0xFF0000, 0x0000FF), (std::vector<uint32_t>{0xFF0000, 0x7F0080, 0x0000FF}));
  EXPECT_EQ(PremultipliedImage({255, 51}, 0xD64541), (std::vector<uint32_t>{0xFFD64541, 0x332A0D0D}));

  for (bool dark : {true, false}) {
    uint32_t face = PaletteColour(ColourRole::Face, dark), hot = PaletteColour(ColourRole::ToolHot, dark);
    uint32_t checked = PaletteColour(ColourRole::ToolChecked, dark), pushed = PaletteColour(ColourRole::ToolPushed, dark);
    EXPECT_TRUE(hot != face && checked != face && checked != hot && pushed != hot) << dark;
    // Texts stand out from what they are drawn on, dim ones less; the statuses' colours differ.
    using R = ColourRole;
    auto bright = [dark](R r) {
      const uint32_t c = PaletteColour(r, dark);
      return static_cast<int>((c >> 16) * 299 + (c >> 8 & 0xFF) * 587 + (c & 0xFF) * 114) / 1000;
    };
    auto apart = [&](R a, R b) { return std::abs(bright(a) - bright(b)); };
    for (auto [ink, paper] : {std::pair{R::Text, R::DialogField}, {R::Text, R::Panel}, {R::DimText, R::Face},
                              {R::Link, R::Face}, {R::SelectionText, R::Selection}, {R::Text, R::SelectionUnfocused}})
      EXPECT_GE(apart(ink, paper), 100) << dark << " " << static_cast<int>(ink) << " on " << static_cast<int>(paper);
    EXPECT_TRUE(apart(R::DimText, R::Face) < apart(R::Text, R::Face) && apart(R::Separator, R::Panel) >= 10 &&
                apart(R::TabAccent, R::ControlBackground) >= 50 && apart(R::MenuHot, R::Face) >= 10 &&
                apart(R::MenuPushed, R::MenuHot) >= 10) << dark;
    std::set<uint32_t> statuses;
    for (R status : {R::StatusAvailable, R::StatusMissing, R::StatusDamaged, R::StatusNotChecked, R::StatusUnknown})
      statuses.insert(PaletteColour(status, dark));
    EXPECT_EQ(statuses.size(), 5u);
  }
  for (ColourRole own : {ColourRole::Panel, ColourRole::ToolHot, ColourRole::ToolChecked, ColourRole::ToolPushed})
    EXPECT_EQ(PaletteFor(own).light_system_index, -1) << static_cast<int>(own);  // our own colour in both looks
}

TEST(VectorRaster, FillsPensHolesArcsAndClipping) {
  // Grid of 4 units on 4 pixels: one unit is one output pixel.
  EXPECT_EQ(Drawn(4, 4, [](VectorRaster& r) { r.Polygon({{1, 1}, {3, 1}, {3, 3}, {1, 3}}, 0, true); }),
            (std::vector<uint8_t>{0, 0, 0, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 0, 0, 0}));

  // A pen one unit wide on the border between rows 3 and 4 covers half of each.
  auto mask = Drawn(8, 8, [](VectorRaster& r) { r.Line({1, 4}, {7, 4}, 1); });
  for (int x = 1; x <= 6; ++x)
    EXPECT_TRUE(At(mask, 8, x, 3) == 127 && At(mask, 8, x, 4) == 127 && At(mask, 8, x, 2) == 0) << x;
  // Round ends reach half a pen beyond the end points, no further.
  EXPECT_TRUE(At(mask, 8, 0, 3) > 0 && At(mask, 8, 0, 3) < 127);

  mask = Drawn(24, 24, [](VectorRaster& r) { r.Disc({12, 12}, 10), r.Disc({12, 12}, 5, Ink::Black); });
  EXPECT_TRUE(At(mask, 24, 12, 12) == 0 && At(mask, 24, 12, 4) == 255);
  // A large corner radius leaves the box's corners empty, and only them.
  mask = Drawn(24, 24, [](VectorRaster& r) { r.RoundRect({2, 2}, {22, 22}, 8, 0, true); });
  EXPECT_TRUE(At(mask, 24, 2, 2) == 0 && At(mask, 24, 21, 2) == 0 && At(mask, 24, 12, 2) == 255 &&
              At(mask, 24, 12, 12) == 255);
  // Between two points on the right, counter-clockwise on screen goes round the left.
  mask = Drawn(24, 24, [](VectorRaster& r) { r.ArcBetweenPoints({4, 4}, {20, 20}, {20, 8}, {20, 16}, 2); });
  EXPECT_TRUE(At(mask, 24, 4, 12) > 100 && At(mask, 24, 12, 4) > 100 && At(mask, 24, 20, 12) == 0);

  // Angles grow clockwise on screen: -42 to 42 is the right-hand side only.
  mask = Drawn(24, 24, [](VectorRaster& r) { r.ArcBetweenAngles({12, 12}, 8, -42, 42, 2); });
  EXPECT_TRUE(At(mask, 24, 20, 12) > 100 && At(mask, 24, 4, 12) == 0 && At(mask, 24, 12, 4) == 0 &&
              At(mask, 24, 12, 20) == 0);
  VectorRaster clipped(8, 8);
  clipped.Polygon({{-4, -4}, {12, -4}, {12, 12}, {-4, 12}}, 3, true);
  clipped.Line({-10, 4}, {20, 4}, 2);
  for (uint8_t value : clipped.Reduce()) EXPECT_EQ(value, 255);
  EXPECT_TRUE(VectorRaster(0).Reduce().empty());
}

TEST(AccessKeys, WordStartsFirstThenOtherLettersNeverReserved) {
  struct Case { std::vector<std::string> texts; const char* reserved; std::vector<std::string> marked; } cases[] = {
      {{"Speed", "Snapshot Size", "Sound"}, "", {"&Speed", "S&napshot Size", "S&ound"}},
      {{"Video Mode", "Fullscreen"}, "FGOVH", {"Video &Mode", "F&ullscreen"}},
      {{"Load & Save", "\xC3\x97", "~"}, "", {"&Load && Save", "\xC3\x97", "~"}},  // "&" shows; nothing to mark
      {{"Browse\xE2\x80\xA6", "Browse\xE2\x80\xA6"}, "", {"&Browse\xE2\x80\xA6", "B&rowse\xE2\x80\xA6"}},
      // The first text gives up its key so that the second can have one; with too few keys the later texts go without.
      {{"AB", "a"}, "", {"A&B", "&a"}},
      {{"A", "B", "AB"}, "", {"&A", "&B", "AB"}},
      {{"Player 1", "Player 2"}, "", {"&Player 1", "Player &2"}},  // digits are keys too
      {{"Gain 0dB"}, "G0", {"G&ain 0dB"}},  // a letter after a digit starts no word
  };
  for (const Case& c : cases) EXPECT_EQ(WithAccessKeys(c.texts, c.reserved), c.marked) << c.texts[0];

  // Random short texts: no key twice, each in its own text, none only when every letter is an earlier text's key.
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> texts(2 + random() % 5);
    for (std::string& text : texts)
      for (unsigned i = 0, n = 1 + random() % 3; i < n; ++i) text += static_cast<char>('A' + random() % 4);
    const std::vector<std::string> marked = WithAccessKeys(texts, "");
    std::map<char, size_t> holder;
    for (size_t t = 0; t < texts.size(); ++t) {
      const size_t at = marked[t].find('&');
      EXPECT_TRUE(at == std::string::npos || holder.emplace(marked[t][at + 1], t).second) << marked[t];
      EXPECT_EQ(at == std::string::npos ? marked[t] : std::string(marked[t]).erase(at, 1), texts[t]);
    }
    for (size_t t = 0; t < texts.size(); ++t)
      for (char c : marked[t] == texts[t] ? texts[t] : "")
        EXPECT_LT(holder.count(c) ? holder[c] : t, t) << texts[t] << " goes without, its " << c << " is free or later's";
  }
}
