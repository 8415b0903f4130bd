#include "ui/theme_win.h"

namespace {
bool dark = false;
}
void ApplyTheme(bool d) { dark = d; }
bool IsDarkTheme() { return dark; }
void DarkTitleBar(HWND) {}
void ThemeControl(HWND, const wchar_t*) {}
COLORREF FaceColour() { return dark ? RGB(0x20, 0x20, 0x20) : GetSysColor(COLOR_BTNFACE); }
COLORREF ControlBackgroundColour() { return dark ? RGB(0x28, 0x28, 0x28) : GetSysColor(COLOR_WINDOW); }
COLORREF TextColour() { return dark ? RGB(0xE8, 0xE8, 0xE8) : GetSysColor(COLOR_WINDOWTEXT); }
COLORREF DimTextColour() { return dark ? RGB(0x8C, 0x8C, 0x8C) : GetSysColor(COLOR_GRAYTEXT); }
COLORREF PanelColour() { return dark ? RGB(0x30, 0x30, 0x30) : RGB(0xF2, 0xF2, 0xF2); }
HBRUSH FaceBrush() {
  static HBRUSH b = CreateSolidBrush(FaceColour());
  return b;
}
HBRUSH ControlBackgroundBrush() {
  static HBRUSH b = CreateSolidBrush(ControlBackgroundColour());
  return b;
}
COLORREF LinkColour() { return dark ? RGB(90, 170, 255) : RGB(0, 102, 204); }
bool ControlColours(UINT, HDC, HWND, bool, LRESULT*) { return false; }

// Stand-ins for the owner-drawn controls and image lists.
#include <commctrl.h>

#include "base/utf16_win.h"
#include "ui/dark_paint_win.h"
#include "ui/image_lists_win.h"
#include "ui/tool_button_win.h"
#include "ui/tooltips_win.h"
#include "ui/ui_metrics_win.h"

HIMAGELIST StatusImageList(int size) { return ImageList_Create(size, size, ILC_COLOR32, 2, 0); }
HIMAGELIST FavoriteImageList(int size, COLORREF, COLORREF) { return ImageList_Create(size, size, ILC_COLOR32, 2, 0); }
HWND CreateToolButton(HWND parent, int command_id, int icon) {
  static const wchar_t* names[] = {L"R", L"*", L"P", L"S", L"F", L"G", L"V", L"C", L"M", L"", L"", L"A", L"Au"};
  return CreateWindowExW(0, L"BUTTON", names[icon], WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(command_id)), Ui().instance, nullptr);
}
HWND CreateToolSeparator(HWND parent) {
  return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr, Ui().instance,
                         nullptr);
}
void SetToolChecked(HWND button, bool on) { SetPropW(button, L"tbchk", reinterpret_cast<HANDLE>(on ? 1 : 0)); }
bool IsToolChecked(HWND button) { return GetPropW(button, L"tbchk") != nullptr; }
bool DrawToolItem(const DRAWITEMSTRUCT*) { return false; }
HWND CreateTooltips(HWND parent) {
  return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, parent,
                         nullptr, Ui().instance, nullptr);
}
void AddTooltip(HWND tips, HWND control, const std::string& utf8_text) {
  std::wstring text = Utf8ToUtf16(utf8_text);
  TOOLINFOW info = {};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetParent(control);
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = text.data();
  SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}
void DarkTabs(HWND) {}
void DarkStatusBar(HWND) {}
bool DarkMenuBarMessage(HWND, UINT, WPARAM, LPARAM, LRESULT*) { return false; }
