#include "combos/pad_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "combos/sequence_pad.h"

namespace {

struct Centroid {
  double x = 0, y = 0;  // where the ink of a mask lies, relative to its middle (-0.5 .. 0.5)
  long ink = 0;
};
Centroid InkCentre(const std::vector<uint8_t>& mask, int size) {
  Centroid c;
  for (int i = 0; i < size * size; ++i)
    c.x += mask[i] * (i % size + 0.5), c.y += mask[i] * (i / size + 0.5), c.ink += mask[i];
  if (c.ink) c.x = c.x / c.ink / size - 0.5, c.y = c.y / c.ink / size - 0.5;
  return c;
}

TEST(PadPictures, EightArrowsAndSixMotionsPointTheirWayTheRestIsText) {
  int pictures = 0;
  for (const PadButton& b : SequencePadButtons())
    for (int size : {24, 36}) pictures += PadPictureMask(b.token, size).size() == static_cast<size_t>(size * size);
  EXPECT_EQ(pictures, 2 * 14);
  EXPECT_TRUE(PadPictureMask("HP", 24).empty() && PadPictureMask("U", 0).empty());
  // The head carries more ink than the tail; a straight arrow is centred across.
  for (auto [token, dx, dy] : std::initializer_list<std::tuple<const char*, int, int>>{
           {"U", 0, -1}, {"D", 0, 1}, {"L", -1, 0}, {"R", 1, 0}, {"UL", -1, -1}, {"UR", 1, -1}, {"DL", -1, 1},
           {"DR", 1, 1}}) {
    Centroid c = InkCentre(PadPictureMask(token, 48), 48);
    EXPECT_TRUE(dx ? c.x * dx > 0.02 : std::abs(c.x) < 0.02) << token;
    EXPECT_TRUE(dy ? c.y * dy > 0.02 : std::abs(c.y) < 0.02) << token;
  }
  // Forward and back motions are mirror images.
  for (auto [forward, back] : {std::pair{"QCF", "QCB"}, {"HCF", "HCB"}, {"FCF", "FCB"}}) {
    Centroid f = InkCentre(PadPictureMask(forward, 48), 48), b = InkCentre(PadPictureMask(back, 48), 48);
    EXPECT_NEAR(f.x, -b.x, 0.02) << forward;
    EXPECT_NEAR(f.y, b.y, 0.02) << forward;
    EXPECT_NEAR(static_cast<double>(f.ink) / b.ink, 1.0, 0.05) << forward;
  }
}

}  // namespace
