#include "ui/tooltips_win.h"

#include <commctrl.h>

#include "base/utf16_win.h"
#include "ui/subclass_win.h"
#include "ui/theme_colours_win.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"

namespace {
// The pointer's messages reach the tooltip through a subclass of our own
// rather than the control's TTF_SUBCLASS, whose subclassing costs two round
// trips to the server per message of the tool's window under Wine (see
// subclass_win.h); the game list hears dozens per keystroke.
LRESULT CALLBACK RelayPointerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                  DWORD_PTR data) {
  if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_NCMOUSEMOVE ||
      message == WM_MOUSELEAVE) {
    MSG relayed = {window, message, wparam, lparam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(reinterpret_cast<HWND>(data), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
  }
  if (message == WM_NCDESTROY) RemoveSubclass(window, RelayPointerProc, id);
  return CallNextSubclass(window, message, wparam, lparam);
}

// A quiet tooltip does not show: not even a tip whose wait began before it
// was made quiet, which Wine's tooltips still show when the wait ends.
constexpr UINT_PTR kQuietId = 0x4B51;
LRESULT CALLBACK QuietProc(HWND tips, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR quiet) {
  if (message == WM_WINDOWPOSCHANGING && quiet) reinterpret_cast<WINDOWPOS*>(lparam)->flags &= ~SWP_SHOWWINDOW;
  if (message == WM_NCDESTROY) RemoveSubclass(tips, QuietProc, id);
  return CallNextSubclass(tips, message, wparam, lparam);
}

void RelayPointerTo(HWND tips, HWND window) {
  AddSubclass(window, RelayPointerProc, reinterpret_cast<UINT_PTR>(tips), reinterpret_cast<DWORD_PTR>(tips));
}

TTTOOLINFOW ToolFor(HWND control) {
  TTTOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the control
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

constexpr UINT_PTR kCellTipsId = 0x4B54;  // the subclass's id

struct CellTips {
  HWND tips;
  CellTipText text;
  int row = -1, column = -1;  // the cell the shown tip is for
  std::wstring shown;
};

void CellUnderPointer(HWND list, int& row, int& column) {
  LVHITTESTINFO hit = {};
  GetCursorPos(&hit.pt);
  ScreenToClient(list, &hit.pt);
  row = ListView_SubItemHitTest(list, &hit);
  column = row >= 0 ? hit.iSubItem : -1;
}

LRESULT CALLBACK CellTipsProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR data) {
  auto* cells = reinterpret_cast<CellTips*>(data);
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lparam)->hwndFrom == cells->tips &&
      reinterpret_cast<NMHDR*>(lparam)->code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lparam);
    CellUnderPointer(list, cells->row, cells->column);
    cells->shown = cells->row >= 0 ? Utf8ToUtf16(cells->text(cells->row, cells->column)) : L"";
    info->lpszText = cells->shown.data();
    return 0;
  }
  if (message == WM_MOUSEMOVE) {
    int row, column;
    CellUnderPointer(list, row, column);
    if (row != cells->row || column != cells->column) SendMessageW(cells->tips, TTM_POP, 0, 0);
  }
  if (message == WM_NCDESTROY) {
    RemoveSubclass(list, CellTipsProc, id);
    delete cells;
  }
  return CallNextSubclass(list, message, wparam, lparam);
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
    DarkVisualStyle(tips, L"DarkMode_Explorer");
    // Honoured where the tooltip is drawn without a visual style.
    SendMessageW(tips, TTM_SETTIPBKCOLOR, ControlBackgroundColour(), 0);
    SendMessageW(tips, TTM_SETTIPTEXTCOLOR, TextColour(), 0);
  }
  return tips;
}

void QuietTooltips(HWND tips, bool quiet) {
  if (!tips) return;
  AddSubclass(tips, QuietProc, kQuietId, quiet);
  if (quiet) SendMessageW(tips, TTM_POP, 0, 0);
  SendMessageW(tips, TTM_ACTIVATE, !quiet, 0);
}

void AddTooltip(HWND tips, HWND control, const std::string& utf8_text) {
  if (!tips || !control) return;
  std::wstring text = Utf8ToUtf16(utf8_text);
  TTTOOLINFOW tool = ToolFor(control);
  bool known = SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
  tool = ToolFor(control);
  tool.lpszText = text.data();
  SendMessageW(tips, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!known) RelayPointerTo(tips, control);
}

void AddRectTooltip(HWND tips, HWND window, UINT_PTR id, const RECT& rect, const std::string& utf8_text) {
  if (!tips || !window) return;
  std::wstring text = Utf8ToUtf16(utf8_text);
  TTTOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = window;
  tool.uId = id;
  tool.rect = rect;
  tool.lpszText = text.data();
  SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  RelayPointerTo(tips, window);
}

void AddCellTooltips(HWND tips, HWND list, CellTipText text) {
  if (!tips || !list) return;
  auto* cells = new CellTips{tips, std::move(text)};
  if (!AddSubclass(list, CellTipsProc, kCellTipsId, reinterpret_cast<DWORD_PTR>(cells))) {
    delete cells;
    return;
  }
  TTTOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = list;  // the list hears the request for the text
  tool.uId = reinterpret_cast<UINT_PTR>(list);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  RelayPointerTo(tips, list);
}
