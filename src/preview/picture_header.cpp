#include "preview/picture_header.h"

namespace {
uint32_t Byte(std::string_view s, size_t at) { return static_cast<unsigned char>(s[at]); }
uint32_t Big16(std::string_view s, size_t at) { return Byte(s, at) << 8 | Byte(s, at + 1); }
uint32_t Big32(std::string_view s, size_t at) { return Big16(s, at) << 16 | Big16(s, at + 2); }
uint32_t Little16(std::string_view s, size_t at) { return Byte(s, at) | Byte(s, at + 1) << 8; }
uint32_t Little32(std::string_view s, size_t at) { return Little16(s, at) | Little16(s, at + 2) << 16; }

PictureHeader Sized(PictureKind kind, int64_t w, int64_t h) {
  PictureHeader header{kind, false, {}};
  if (w <= 0 || h <= 0 || w > INT32_MAX || h > INT32_MAX) return {};  // a size no picture has
  header.size_known = true;
  header.size = {static_cast<int>(w), static_cast<int>(h)};
  return header;
}

PictureHeader Png(std::string_view head) {
  if (head.size() < 24 || head.substr(12, 4) != "IHDR") return {};
  return Sized(PictureKind::Png, Big32(head, 16), Big32(head, 20));
}

PictureHeader Bmp(std::string_view head) {
  if (head.size() < 26) return {};
  if (Little32(head, 14) == 12) return Sized(PictureKind::Bmp, Little16(head, 18), Little16(head, 20));
  int64_t h = static_cast<int32_t>(Little32(head, 22));  // negative: stored top row first
  return Sized(PictureKind::Bmp, static_cast<int32_t>(Little32(head, 18)), h < 0 ? -h : h);
}

// Walks the JPEG markers up to the first frame header, which holds the size.
PictureHeader Jpeg(std::string_view head) {
  size_t at = 2;
  while (at + 4 <= head.size()) {
    if (Byte(head, at) != 0xFF) return {};
    uint32_t marker = Byte(head, at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // markers without a length
      at += 2;
      continue;
    }
    uint32_t length = Big16(head, at + 2);
    if (length < 2) return {};
    bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > head.size() || Big16(head, at + 5) == 0) break;  // a height of 0 is given later
      return Sized(PictureKind::Jpeg, Big16(head, at + 7), Big16(head, at + 5));
    }
    at += 2 + length;
  }
  return {PictureKind::Jpeg, false, {}};
}
}  // namespace

PictureHeader ReadPictureHeader(std::string_view head) {
  if (head.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8)) return Png(head);
  if (head.size() >= 3 && Byte(head, 0) == 0xFF && Byte(head, 1) == 0xD8 && Byte(head, 2) == 0xFF) return Jpeg(head);
  if (head.substr(0, 2) == "BM") return Bmp(head);
  return {};
}

bool TooLargeToShow(PictureSize size) {
  return static_cast<uint64_t>(size.w) * static_cast<uint64_t>(size.h) > kMaxPicturePixels;
}
