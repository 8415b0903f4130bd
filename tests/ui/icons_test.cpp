// The drawing of icons (masks, raster, pixels, palette) and the access keys of labels.
#include "ui/icon_mask.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "support/test_support.h"
#include "ui/access_keys.h"
#include "ui/icon_pixels.h"
#include "ui/palette.h"
#include "ui/vector_raster.h"

TEST(IconMask, EveryIconAsLastLookedAtAndTheCache) {
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
  // Background to ink channel by channel, none bleeding into another; premultiplied, the alpha is the coverage.
  EXPECT_EQ(BlendMask({0, 128, 255}, 0xFF0000, 0x0000FF), (std::vector<uint32_t>{0xFF0000, 0x7F0080, 0x0000FF}));
  EXPECT_EQ(BlendMask({77}, 0x00FF00, 0x00FF00), std::vector<uint32_t>{0x00FF00});
  EXPECT_EQ(PremultipliedImage({0, 255, 51}, 0xD64541), (std::vector<uint32_t>{0, 0xFFD64541, 0x332A0D0D}));
  EXPECT_EQ(PremultipliedImage({128}, 0xFFFFFF), std::vector<uint32_t>{0x80808080});

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

// The shapes themselves are pinned by the icons' recorded masks; what the icons never do is checked here.
TEST(VectorRaster, ClipsAtTheEdgesAndAnEmptyRasterReducesToNothing) {
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
      {{"A", "B", "AB"}, "", {"&A", "&B", "AB"}}, {{"A", "AD", "D"}, "", {"&A", "A&D", "D"}},
      {{"Player 1", "Player 2"}, "", {"&Player 1", "Player &2"}},  // digits are keys too
      {{"Gain 0dB"}, "G0", {"G&ain 0dB"}},  // a letter after a digit starts no word
  };
  for (const Case& c : cases) EXPECT_EQ(WithAccessKeys(c.texts, c.reserved), c.marked) << c.texts[0];
}
