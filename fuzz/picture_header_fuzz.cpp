// The first bytes of a snapshot file: reading its kind and size never faults,
// a size it reports is a real one, and a picture of that size scales into a
// small pane whatever its proportions.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "preview/picture_header.h"
#include "preview/picture_scale.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view head(reinterpret_cast<const char*>(data), size);
  PictureHeader header = ReadPictureHeader(head);
  if (header.size_known && (header.size.w <= 0 || header.size.h <= 0)) std::abort();
  if (!header.size_known || TooLargeToShow(header.size) || int64_t{header.size.w} * header.size.h > (1 << 16)) return 0;
  PictureSize target = FitPicture({64, 48}, header.size, size % 2 == 0);
  std::optional<Picture> scaled = ScalePicture(header.size, target, [&](int first, int count, uint32_t* out) {
    for (int64_t i = 0; i < int64_t{count} * header.size.w; ++i)
      out[i] = size ? data[static_cast<size_t>((first * int64_t{header.size.w} + i) % int64_t(size))] * 0x01010101u : 0;
    return true;
  });
  if (!scaled || scaled->w != target.w || scaled->h != target.h ||
      scaled->pixels.size() != static_cast<size_t>(target.w) * static_cast<size_t>(target.h))
    std::abort();
  return 0;
}
