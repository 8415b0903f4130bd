#include "ui/image_lists_win.h"

#include <cstring>
#include <initializer_list>

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

HIMAGELIST MakeImageList(int size, std::initializer_list<IconImage> images) {
  if (size < 1) return nullptr;
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32, static_cast<int>(images.size()), 0);
  if (!list) return nullptr;
  for (const IconImage& image : images) AddImage(list, size, image);
  return list;
}
}  // namespace

HIMAGELIST StatusImageList(int size) {
  const uint32_t green = PaletteColour(ColourRole::StatusAvailable, true);
  return MakeImageList(size, {{kIconAvailable, false, green},
                              {kIconMissing, false, PaletteColour(ColourRole::StatusMissing, true)},
                              {kIconChecked, false, green},
                              {kIconDamaged, false, PaletteColour(ColourRole::StatusDamaged, true)},
                              {kIconNotChecked, false, PaletteColour(ColourRole::StatusNotChecked, true)},
                              {kIconUnknown, false, PaletteColour(ColourRole::StatusUnknown, true)}});
}

HIMAGELIST FavoriteImageList(int size, COLORREF outline, COLORREF filled) {
  return MakeImageList(size, {{kIconStar, false, RgbOf(outline)}, {kIconStar, true, RgbOf(filled)}});
}
