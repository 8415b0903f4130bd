// A snapshot file's first bytes: reading its kind and size never faults, and a size it reports is a real one.
#include "fuzz_target.h"
#include "preview/picture_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PictureHeader header = ReadPictureHeader(FuzzText(data, size));
  if (header.size_known && (header.size.w <= 0 || header.size.h <= 0)) std::abort();
  if (header.size_known && header.kind == PictureKind::Unknown) std::abort();
  return 0;
}
