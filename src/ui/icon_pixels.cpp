#include "ui/icon_pixels.h"

namespace {
uint32_t Channel(uint32_t colour, int shift) { return (colour >> shift) & 0xFF; }
}  // namespace

uint32_t BlendCoverage(uint32_t background, uint32_t ink, uint8_t coverage) {
  uint32_t pixel = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    uint32_t mixed = (Channel(background, shift) * (255u - coverage) + Channel(ink, shift) * coverage + 127) / 255;
    pixel |= mixed << shift;
  }
  return pixel;
}

uint32_t PremultipliedPixel(uint32_t colour, uint8_t coverage) {
  uint32_t pixel = static_cast<uint32_t>(coverage) << 24;
  for (int shift = 0; shift <= 16; shift += 8) pixel |= (Channel(colour, shift) * coverage / 255) << shift;
  return pixel;
}

std::vector<uint32_t> BlendMask(const std::vector<uint8_t>& mask, uint32_t background, uint32_t ink) {
  std::vector<uint32_t> pixels;
  pixels.reserve(mask.size());
  for (uint8_t coverage : mask) pixels.push_back(BlendCoverage(background, ink, coverage));
  return pixels;
}

std::vector<uint32_t> PremultipliedImage(const std::vector<uint8_t>& mask, uint32_t colour) {
  std::vector<uint32_t> pixels;
  pixels.reserve(mask.size());
  for (uint8_t coverage : mask) pixels.push_back(PremultipliedPixel(colour, coverage));
  return pixels;
}
