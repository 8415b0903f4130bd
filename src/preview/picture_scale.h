// Fitting a snapshot into the preview and scaling it there: the aspect ratio
// an arcade screen is shown at, smooth reduction, sharp enlargement.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct PictureSize {
  int w = 0, h = 0;
  bool operator==(const PictureSize&) const = default;
};

// 32-bit pixels as a Windows DIB holds them (0xAARRGGBB), top row first.
struct Picture {
  int w = 0, h = 0;
  std::vector<uint32_t> pixels;
};

// The largest size that fits the box with the picture's aspect ratio. With
// `keep_aspect` (MAME shows the game at the aspect of the arcade monitor) that
// is 4:3, or 3:4 for a picture taller than wide, whatever MAME's pixel size
// of the screen; otherwise the picture's own. Empty for an empty box or picture.
PictureSize FitPicture(PictureSize box, PictureSize picture, bool keep_aspect);

// Sharp (every pixel a block of whole pixels) when the picture grows at least
// twice in both directions; smooth otherwise (averaged when it shrinks).
enum class ScaleFilter { Smooth, Sharp };
ScaleFilter ChooseScaleFilter(PictureSize source, PictureSize target);

// Reads `count` rows of the source from row `first` into `out` (source.w
// pixels each); false when they cannot be read (a damaged file).
using PictureRows = std::function<bool(int first, int count, uint32_t* out)>;

// Scales a picture read top to bottom in strips, so that only a few source
// rows are held at a time however large the source is. Nothing when a strip
// cannot be read or a size is empty.
std::optional<Picture> ScalePicture(PictureSize source, PictureSize target, const PictureRows& rows);
