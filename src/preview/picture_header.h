// What a picture file tells about itself in its first bytes: which kind of
// picture it is and how large. Read before a decoder sees the file, so that a
// file that is no picture, or one too large to hold in memory, is turned away
// without decoding it.
#pragma once
#include <cstdint>
#include <string_view>

#include "preview/picture_scale.h"

enum class PictureKind { Unknown, Png, Jpeg, Bmp };

struct PictureHeader {
  PictureKind kind = PictureKind::Unknown;
  bool size_known = false;  // a JPEG may name its size only after the first bytes
  PictureSize size;
};

// `head` is the start of the file (64 KiB are plenty).
PictureHeader ReadPictureHeader(std::string_view head);

// More pixels than this would take hundreds of megabytes to decode.
constexpr uint64_t kMaxPicturePixels = 64'000'000;
bool TooLargeToShow(PictureSize size);
