#include "combos/combos_pad_ui_win.h"

#include <map>
#include <string>
#include <vector>

#include "base/utf16_win.h"
#include "combos/combos_tab_ui_win.h"
#include "combos/pad_pictures.h"
#include "combos/sequence_pad.h"
#include "ui/glyph_button_win.h"
#include "ui/icon_pixels.h"
#include "ui/theme_win.h"
#include "ui/tooltips_win.h"
#include "ui/ui_metrics_win.h"

namespace {

HWND buttons[kIdComboPadLast - kIdComboPadFirst + 1] = {};

// Masks at one size, drawn on first use.
struct PictureCache {
  int size = 0;
  std::map<std::string, std::vector<uint8_t>> masks;
  const std::vector<uint8_t>& Get(const char* token, int wanted) {
    if (wanted != size) {
      masks.clear();
      size = wanted;
    }
    auto found = masks.find(token);
    if (found == masks.end()) found = masks.emplace(token, PadPictureMask(token, wanted)).first;
    return found->second;
  }
};
PictureCache pictures;

uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// The mask blended from the face to the ink colour, copied centred into `r`.
void DrawMask(HDC dc, const RECT& r, const std::vector<uint8_t>& mask, int size, COLORREF face, COLORREF ink) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels = BlendMask(mask, Rgb(face), Rgb(ink));
  int x = (r.left + r.right - size) / 2, y = (r.top + r.bottom - size) / 2;
  SetDIBitsToDevice(dc, x, y, size, size, 0, 0, 0, size, pixels.data(), &info, DIB_RGB_COLORS);
}

}  // namespace

void CreatePadButtons(HWND page, HWND tips) {
  auto table = SequencePadButtons();
  for (size_t i = 0; i < table.size(); ++i) {
    const PadButton& b = table[i];
    // Named by what it stands for; it shows a picture of its token.
    HWND button = CreateWindowExW(0, L"BUTTON", Utf8ToUtf16(b.tooltip).c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0, 0, page,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdComboPadFirst + i)),
                                  Ui().instance, nullptr);
    SetUiFont(button);
    AddTooltip(tips, button, b.tooltip);
    buttons[i] = button;
  }
}

int LayoutPadButtons(int x, int y, int width, bool apply) {
  const int place = width / kPadPlaces, height = S(30), pitch = S(32);
  if (apply) {
    auto table = SequencePadButtons();
    for (size_t i = 0; i < table.size(); ++i)
      MoveWindow(buttons[i], x + table[i].place * place, y + table[i].row * pitch, place - S(3), height, TRUE);
  }
  return 2 * pitch + height;
}

const char* PadButtonToken(int id) {
  auto table = SequencePadButtons();
  int index = id - kIdComboPadFirst;
  return index >= 0 && index < static_cast<int>(table.size()) ? table[index].token : nullptr;
}

bool DrawPadButton(const DRAWITEMSTRUCT* item) {
  if (item->CtlType != ODT_BUTTON) return false;
  const char* token = PadButtonToken(static_cast<int>(item->CtlID));
  if (!token) return false;
  const ButtonBody body = DrawButtonBody(item);
  const int size = S(24);
  const std::vector<uint8_t>& mask = pictures.Get(token, size);
  if (!mask.empty()) {
    DrawMask(item->hDC, body.inside, mask, size, body.face, body.ink);
  } else {
    DrawButtonText(item, body, Utf8ToUtf16(token).c_str());
  }
  DrawButtonFocus(item, body.ink);
  return true;
}
