#include "ui/icon_pixels.h"

#include <gtest/gtest.h>

#include "ui/palette.h"

TEST(IconPixels, BlendGoesFromBackgroundToInkChannelByChannel) {
  EXPECT_EQ(BlendCoverage(0x202020, 0xE8E8E8, 0), 0x202020u);
  EXPECT_EQ(BlendCoverage(0x202020, 0xE8E8E8, 255), 0xE8E8E8u);
  EXPECT_EQ(BlendCoverage(0xFF0000, 0x0000FF, 128), 0x7F0080u);
  EXPECT_EQ(BlendCoverage(0x00FF00, 0x00FF00, 77), 0x00FF00u);  // no bleeding between channels
  EXPECT_EQ(BlendMask({0, 255}, 0x3E3E3E, 0xE8E8E8), (std::vector<uint32_t>{0x3E3E3E, 0xE8E8E8}));
}

TEST(IconPixels, PremultipliedPixelsCarryCoverageAsAlpha) {
  EXPECT_EQ(PremultipliedPixel(0x2EA043, 0), 0u);
  EXPECT_EQ(PremultipliedPixel(0x2EA043, 255), 0xFF2EA043u);
  EXPECT_EQ(PremultipliedPixel(0xFFFFFF, 128), 0x80808080u);
  EXPECT_EQ(PremultipliedPixel(0xD64541, 51), 0x332A0D0Du);
  EXPECT_EQ(PremultipliedImage({255, 0}, 0xD64541), (std::vector<uint32_t>{0xFFD64541, 0}));
}

TEST(Palette, ToolButtonStatesStandOutFromTheFaceInBothLooks) {
  for (bool dark : {true, false}) {
    uint32_t face = PaletteColour(ColourRole::Face, dark), hot = PaletteColour(ColourRole::ToolHot, dark);
    uint32_t checked = PaletteColour(ColourRole::ToolChecked, dark), pushed = PaletteColour(ColourRole::ToolPushed, dark);
    EXPECT_TRUE(hot != face && checked != face && checked != hot && pushed != hot) << dark;
  }
  EXPECT_EQ(PaletteColour(ColourRole::Link, true), 0x5AAAFFu);
  EXPECT_EQ(PaletteColour(ColourRole::Link, false), 0x0066CCu);
  EXPECT_EQ(PaletteFor(ColourRole::Face).light_system_index, kSystemFace);
  EXPECT_EQ(PaletteFor(ColourRole::Panel).light_system_index, -1);
}
