#include "ui/tooltips_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "base/utf16_win.h"
#include "ui/theme_colours_win.h"
#include "ui/ui_metrics_win.h"

namespace {
TTTOOLINFOW ToolFor(HWND control) {
  TTTOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the control
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}
}  // namespace

HWND CreateTooltips(HWND parent) {
  HINSTANCE instance = Ui().instance ? Ui().instance : GetModuleHandleW(nullptr);
  HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, instance,
                              nullptr);
  if (!tips) return nullptr;
  SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, S(400));
  if (IsDarkTheme()) {
    SetWindowTheme(tips, L"DarkMode_Explorer", nullptr);
    // Honoured where the tooltip is drawn without a visual style.
    SendMessageW(tips, TTM_SETTIPBKCOLOR, ControlBackgroundColour(), 0);
    SendMessageW(tips, TTM_SETTIPTEXTCOLOR, TextColour(), 0);
  }
  return tips;
}

void AddTooltip(HWND tips, HWND control, const std::string& utf8_text) {
  if (!tips || !control) return;
  std::wstring text = Utf8ToUtf16(utf8_text);
  TTTOOLINFOW tool = ToolFor(control);
  bool known = SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
  tool = ToolFor(control);
  tool.lpszText = text.data();
  SendMessageW(tips, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}
