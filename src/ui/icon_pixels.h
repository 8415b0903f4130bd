// Turning a coverage mask into pixels. Colours are 0xRRGGBB; pixels are
// 0xAARRGGBB, which is the byte order of a 32-bit device-independent bitmap.
#pragma once
#include <cstdint>
#include <vector>

// Coverage 0 gives the background, 255 the ink, values between a mix of both.
uint32_t BlendCoverage(uint32_t background, uint32_t ink, uint8_t coverage);

// An image-list pixel with premultiplied alpha: alpha = coverage, each colour
// channel = channel × coverage / 255.
uint32_t PremultipliedPixel(uint32_t colour, uint8_t coverage);

// Whole masks at once, in the mask's order.
std::vector<uint32_t> BlendMask(const std::vector<uint8_t>& mask, uint32_t background, uint32_t ink);
std::vector<uint32_t> PremultipliedImage(const std::vector<uint8_t>& mask, uint32_t colour);
