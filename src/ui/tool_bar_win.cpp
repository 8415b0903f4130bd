#include "ui/tool_bar_win.h"

#include <windowsx.h>

#include "ui/frameless_win.h"
#include "ui/icon_mask.h"
#include "ui/tool_bar_accessible_win.h"
#include "ui/icon_pixels.h"
#include "ui/theme_colours_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr wchar_t kClass[] = L"KorvoToolBar";

struct Tool {
  ToolBarItem item;
  bool enabled = true, checked = false;
};

struct Bar {
  std::vector<Tool> tools;
  int hot = -1, pressed = -1;  // indexes into tools
  bool tracking = false;       // a leave notice is asked for
};

Bar* BarOf(HWND window) { return reinterpret_cast<Bar*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

Tool* ToolOf(HWND bar, int command_id) {
  Bar* b = bar ? BarOf(bar) : nullptr;
  if (!b || command_id == 0) return nullptr;
  for (Tool& t : b->tools)
    if (t.item.command_id == command_id) return &t;
  return nullptr;
}

void Repaint(HWND window, const Tool& tool) { InvalidateRect(window, &tool.item.rect, FALSE); }

// The enabled button under `at`, or -1.
int ButtonAt(const Bar& b, POINT at) {
  for (size_t i = 0; i < b.tools.size(); ++i) {
    const Tool& t = b.tools[i];
    if (t.item.command_id != 0 && t.enabled && PtInRect(&t.item.rect, at)) return static_cast<int>(i);
  }
  return -1;
}

void SetHot(HWND window, Bar& b, int hot) {
  if (b.hot == hot) return;
  if (b.hot >= 0) Repaint(window, b.tools[static_cast<size_t>(b.hot)]);
  b.hot = hot;
  if (hot >= 0) Repaint(window, b.tools[static_cast<size_t>(hot)]);
}

void DrawSeparator(HDC dc, const RECT& rect) {
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

void DrawButton(HDC dc, const Tool& tool, bool hot, bool pushed) {
  const RECT& rect = tool.item.rect;
  COLORREF back = FaceColour();
  if (tool.enabled && (pushed || hot || tool.checked)) {
    back = ThemeColour(pushed ? ColourRole::ToolPushed : hot ? ColourRole::ToolHot : ColourRole::ToolChecked);
    HGDIOBJ old_brush = SelectObject(dc, KeptBrush(back));
    HGDIOBJ old_pen = SelectObject(dc, GetStockObject(NULL_PEN));
    // A null pen leaves the right and bottom edge out, so the box is one larger there.
    RoundRect(dc, rect.left + 1, rect.top + 1, rect.right, rect.bottom, S(8), S(8));
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
  }
  static IconMaskCache masks;
  const int size = S(20), icon = tool.item.icon;
  if (icon < 0 || icon >= kIconCount) return;
  DrawIcon(dc, rect, masks.Get(icon, icon == kIconStar && tool.checked, size), size, back,
           tool.enabled ? TextColour() : DimTextColour());
}

void Paint(HWND window, const Bar& b) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  FillRect(dc, &ps.rcPaint, FaceBrush());
  for (size_t i = 0; i < b.tools.size(); ++i) {
    const Tool& t = b.tools[i];
    RECT overlap;
    if (!IntersectRect(&overlap, &ps.rcPaint, &t.item.rect)) continue;
    if (t.item.command_id == 0)
      DrawSeparator(dc, t.item.rect);
    else
      DrawButton(dc, t, static_cast<int>(i) == b.hot && (b.pressed < 0 || b.pressed == b.hot),
                 static_cast<int>(i) == b.pressed && b.pressed == b.hot);
  }
  EndPaint(window, &ps);
}

LRESULT CALLBACK ToolBarProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Bar* b = BarOf(window);
  const POINT at = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Bar));
      break;
    case WM_NCDESTROY:
      delete b;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    case WM_ERASEBKGND:
      return 1;  // the paint fills every pixel
    case WM_PAINT:
      if (!b) break;
      Paint(window, *b);
      return 0;
    case WM_MOUSEMOVE:
      if (!b) break;
      if (!b->tracking) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
        b->tracking = TrackMouseEvent(&track) != FALSE;
      }
      SetHot(window, *b, ButtonAt(*b, at));
      return 0;
    case WM_MOUSELEAVE:
      if (!b) break;
      b->tracking = false;
      SetHot(window, *b, -1);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // quick clicks on a toggle are two clicks, not a double-click
      if (!b) break;
      b->pressed = ButtonAt(*b, at);
      SetHot(window, *b, b->pressed);
      if (b->pressed >= 0) {
        SetCapture(window);
        Repaint(window, b->tools[static_cast<size_t>(b->pressed)]);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!b || b->pressed < 0) break;
      const int pressed = b->pressed, released = ButtonAt(*b, at);
      b->pressed = -1;
      if (GetCapture() == window) ReleaseCapture();
      Repaint(window, b->tools[static_cast<size_t>(pressed)]);
      if (released == pressed) PressTool(window, b->tools[static_cast<size_t>(pressed)].item.command_id);
      return 0;
    }
    case WM_GETOBJECT: {
      LRESULT result = 0;
      if (ToolBarGetObject(window, wparam, lparam, &result)) return result;
      break;
    }
    case WM_CAPTURECHANGED:
      if (b && b->pressed >= 0 && reinterpret_cast<HWND>(lparam) != window) {
        Repaint(window, b->tools[static_cast<size_t>(b->pressed)]);
        b->pressed = -1;
      }
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
}  // namespace

HWND CreateToolBar(HWND parent, int control_id) {
  HINSTANCE instance = Ui().instance ? Ui().instance : GetModuleHandleW(nullptr);
  static bool registered = [instance] {
    WNDCLASSW wc = {CS_DBLCLKS, ToolBarProc, 0, 0, instance, nullptr, LoadCursorW(nullptr, IDC_ARROW)};
    wc.lpszClassName = kClass;
    return RegisterClassW(&wc) != 0;
  }();
  if (!registered) return nullptr;
  HWND bar = CreateWindowExW(0, kClass, L"Toolbar", WS_CHILD, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), instance, nullptr);
  SkipEmptyFramePaint(bar);
  return bar;
}

void SetToolBarItems(HWND bar, const std::vector<ToolBarItem>& items) {
  Bar* b = bar ? BarOf(bar) : nullptr;
  if (!b) return;
  bool same = b->tools.size() == items.size();
  for (size_t i = 0; same && i < items.size(); ++i)
    same = b->tools[i].item.command_id == items[i].command_id && b->tools[i].item.icon == items[i].icon &&
           EqualRect(&b->tools[i].item.rect, &items[i].rect);
  if (same) return;
  std::vector<Tool> tools;
  for (const ToolBarItem& item : items) {
    Tool t;
    t.item = item;
    if (const Tool* before = ToolOf(bar, item.command_id)) t.enabled = before->enabled, t.checked = before->checked;
    tools.push_back(t);
  }
  b->tools = std::move(tools);
  b->hot = b->pressed = -1;
  InvalidateRect(bar, nullptr, FALSE);
}

void SetToolEnabled(HWND bar, int command_id, bool on) {
  Tool* t = ToolOf(bar, command_id);
  if (!t || t->enabled == on) return;
  t->enabled = on;
  if (!on) {  // a disabled button gets no leave notice: it forgets the pointer now
    Bar* b = BarOf(bar);
    if (b->hot >= 0 && &b->tools[static_cast<size_t>(b->hot)] == t) b->hot = -1;
  }
  Repaint(bar, *t);
}

bool IsToolEnabled(HWND bar, int command_id) {
  const Tool* t = ToolOf(bar, command_id);
  return t && t->enabled;
}

void SetToolChecked(HWND bar, int command_id, bool on) {
  Tool* t = ToolOf(bar, command_id);
  if (!t || t->checked == on) return;
  t->checked = on;
  Repaint(bar, *t);
}

bool IsToolChecked(HWND bar, int command_id) {
  const Tool* t = ToolOf(bar, command_id);
  return t && t->checked;
}

std::vector<ToolBarItem> ToolBarItems(HWND bar) {
  std::vector<ToolBarItem> items;
  if (Bar* b = bar ? BarOf(bar) : nullptr)
    for (const Tool& t : b->tools) items.push_back(t.item);
  return items;
}

void PressTool(HWND bar, int command_id) {
  if (IsToolEnabled(bar, command_id))
    SendMessageW(GetParent(bar), WM_COMMAND, MAKEWPARAM(command_id, BN_CLICKED), reinterpret_cast<LPARAM>(bar));
}

RECT ToolRect(HWND bar, int command_id) {
  const Tool* t = ToolOf(bar, command_id);
  return t ? t->item.rect : RECT{};
}
