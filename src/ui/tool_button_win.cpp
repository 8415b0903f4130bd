#include "ui/tool_button_win.h"

#include <commctrl.h>

#include "ui/icon_mask.h"
#include "ui/icon_pixels.h"
#include "ui/theme_colours_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr wchar_t kIcon[] = L"tbico";  // icon index + 1
constexpr wchar_t kHot[] = L"tbhot";
constexpr wchar_t kChecked[] = L"tbchk";
constexpr wchar_t kSeparator[] = L"tbsep";
constexpr UINT_PTR kToolId = 0x5442;

void SetFlag(HWND window, const wchar_t* name, bool on) {
  if (on)
    SetPropW(window, name, reinterpret_cast<HANDLE>(1));
  else
    RemovePropW(window, name);
}

bool Flag(HWND window, const wchar_t* name) { return GetPropW(window, name) != nullptr; }

void Repaint(HWND window) { InvalidateRect(window, nullptr, FALSE); }

LRESULT CALLBACK ToolProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!Flag(window, kHot)) {
        SetFlag(window, kHot, true);
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
        Repaint(window);
      }
      break;
    case WM_MOUSELEAVE:
      SetFlag(window, kHot, false);
      Repaint(window);
      break;
    case WM_ENABLE:
      // A disabled button gets no leave notice, so it forgets the pointer now.
      if (!wparam) SetFlag(window, kHot, false);
      Repaint(window);
      break;
    case WM_LBUTTONDBLCLK:
      // Quick clicks on a toggle are two clicks, not a double-click.
      return DefSubclassProc(window, WM_LBUTTONDOWN, wparam, lparam);
    case WM_NCDESTROY:
      for (const wchar_t* name : {kIcon, kHot, kChecked, kSeparator}) RemovePropW(window, name);
      RemoveWindowSubclass(window, ToolProc, id);
      break;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

HWND CreateTool(HWND parent, const wchar_t* window_class, DWORD style, int id) {
  HINSTANCE instance = Ui().instance ? Ui().instance : GetModuleHandleW(nullptr);
  HWND window = CreateWindowExW(0, window_class, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, S(38), S(32), parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (window) SetWindowSubclass(window, ToolProc, kToolId, 0);
  return window;
}

void DrawSeparator(HDC dc, const RECT& rect) {
  FillRect(dc, &rect, FaceBrush());
  int height = rect.bottom - rect.top;
  int x = (rect.left + rect.right) / 2;
  RECT line = {x, rect.top + height / 5, x + 1, rect.bottom - height / 5};
  FillRect(dc, &line, KeptBrush(DimTextColour()));
}

void DrawIcon(HDC dc, const RECT& rect, const std::vector<uint8_t>& mask, int size, COLORREF back, COLORREF ink) {
  if (mask.size() != static_cast<size_t>(size) * size) return;
  std::vector<uint32_t> pixels = BlendMask(mask, RgbOf(back), RgbOf(ink));
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;  // top-down, as the mask is stored
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  int x = (rect.left + rect.right - size) / 2, y = (rect.top + rect.bottom - size) / 2;
  SetDIBitsToDevice(dc, x, y, size, size, 0, 0, 0, size, pixels.data(), &info, DIB_RGB_COLORS);
}

void DrawButton(const DRAWITEMSTRUCT* item, int icon) {
  HWND button = item->hwndItem;
  HDC dc = item->hDC;
  const RECT& rect = item->rcItem;
  FillRect(dc, &rect, FaceBrush());
  bool disabled = (item->itemState & ODS_DISABLED) || !IsWindowEnabled(button);
  bool checked = Flag(button, kChecked);
  COLORREF back = FaceColour();
  if (!disabled) {
    bool pushed = item->itemState & ODS_SELECTED;
    bool hot = Flag(button, kHot);
    if (pushed || hot || checked) {
      back = ThemeColour(pushed ? ColourRole::ToolPushed : hot ? ColourRole::ToolHot : ColourRole::ToolChecked);
      HGDIOBJ old_brush = SelectObject(dc, KeptBrush(back));
      HGDIOBJ old_pen = SelectObject(dc, GetStockObject(NULL_PEN));
      // A null pen leaves the right and bottom edge out, so the box is one larger there.
      RoundRect(dc, rect.left + 1, rect.top + 1, rect.right, rect.bottom, S(8), S(8));
      SelectObject(dc, old_pen);
      SelectObject(dc, old_brush);
    }
  }
  static IconMaskCache masks;
  int size = S(20);
  DrawIcon(dc, rect, masks.Get(icon, icon == kIconStar && checked, size), size, back,
           disabled ? DimTextColour() : TextColour());
}
}  // namespace

HWND CreateToolButton(HWND parent, int command_id, int icon) {
  HWND button = CreateTool(parent, L"BUTTON", BS_OWNERDRAW, command_id);
  if (button) SetPropW(button, kIcon, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(icon + 1)));
  return button;
}

HWND CreateToolSeparator(HWND parent) {
  HWND separator = CreateTool(parent, L"STATIC", SS_OWNERDRAW, 0);
  if (separator) SetFlag(separator, kSeparator, true);
  return separator;
}

void SetToolChecked(HWND button, bool on) {
  if (Flag(button, kChecked) == on) return;
  SetFlag(button, kChecked, on);
  Repaint(button);
}

bool IsToolChecked(HWND button) { return Flag(button, kChecked); }

bool DrawToolItem(const DRAWITEMSTRUCT* item) {
  if (!item || !item->hwndItem) return false;
  if (Flag(item->hwndItem, kSeparator)) {
    DrawSeparator(item->hDC, item->rcItem);
    return true;
  }
  int icon = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(item->hwndItem, kIcon))) - 1;
  if (icon < 0 || icon >= kIconCount) return false;
  DrawButton(item, icon);
  return true;
}
