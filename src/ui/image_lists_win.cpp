#include "ui/image_lists_win.h"

#include <cstring>

#include "ui/icon_mask.h"
#include "ui/icon_pixels.h"
#include "ui/theme_colours_win.h"

namespace {
struct IconImage {
  int icon;
  bool filled;
  uint32_t rgb;
};

void AddImage(HIMAGELIST list, int size, const IconImage& image) {
  std::vector<uint32_t> pixels = PremultipliedImage(IconMask(image.icon, image.filled, size), image.rgb);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return;
  std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
  ImageList_Add(list, bitmap, nullptr);
  DeleteObject(bitmap);
}

HIMAGELIST MakeImageList(int size, const IconImage& first, const IconImage& second) {
  if (size < 1) return nullptr;
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32, 2, 0);
  if (!list) return nullptr;
  AddImage(list, size, first);
  AddImage(list, size, second);
  return list;
}
}  // namespace

HIMAGELIST StatusImageList(int size) {
  return MakeImageList(size, {kIconAvailable, false, PaletteColour(ColourRole::StatusAvailable, true)},
                       {kIconMissing, false, PaletteColour(ColourRole::StatusMissing, true)});
}

HIMAGELIST FavoriteImageList(int size, COLORREF outline, COLORREF filled) {
  return MakeImageList(size, {kIconStar, false, RgbOf(outline)}, {kIconStar, true, RgbOf(filled)});
}
