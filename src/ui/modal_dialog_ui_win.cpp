#include "ui/modal_dialog_ui_win.h"

#include "base/utf16_win.h"
#include "ui/shell_win.h"
#include "ui/tab_keys_win.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/window_placement_win.h"

namespace {
constexpr wchar_t kClassName[] = L"KorvoModal";
constexpr wchar_t kLinkProperty[] = L"klink";

ModalDialog* DialogOf(HWND window) { return reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

bool IsLink(HWND control) { return control && GetPropW(control, kLinkProperty) != nullptr; }

void EraseWithFace(HWND window, HDC dc) {
  RECT r;
  GetClientRect(window, &r);
  FillRect(dc, &r, IsDarkTheme() ? FaceBrush() : GetSysColorBrush(COLOR_BTNFACE));
}

// Answers the colour requests of the dialog's controls: links in the link
// colour on the face, everything else by the theme (dark) or the system.
bool Colours(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  HDC dc = reinterpret_cast<HDC>(wparam);
  HWND control = reinterpret_cast<HWND>(lparam);
  if (message == WM_CTLCOLORSTATIC && IsLink(control)) {
    SetTextColor(dc, LinkColour());
    SetBkMode(dc, TRANSPARENT);
    *result = reinterpret_cast<LRESULT>(IsDarkTheme() ? FaceBrush() : GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }
  return ControlColours(message, dc, control, false, result);
}

void Command(ModalDialog& d, int id, int code, HWND control) {
  if (id >= 1000 || (id != IDOK && id != IDCANCEL)) {
    if (d.on_command && d.on_command(d, id, code, control)) return;
    if (id >= 1000) return;
  }
  if (id == IDOK) {
    if (!d.on_ok || d.on_ok(d)) EndModalDialog(d, 1);
  } else if (id == IDCANCEL) {
    EndModalDialog(d, 0);
  }
}

void TakeReportText(HWND window, WPARAM control_id, LPARAM block) {
  auto* text = reinterpret_cast<std::wstring*>(block);
  if (window) SetDlgItemTextW(window, static_cast<int>(control_id), text->c_str());
  delete text;
}

LRESULT CALLBACK ModalProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  ModalDialog* d = DialogOf(window);
  if (!d) return DefWindowProcW(window, message, wparam, lparam);
  LRESULT result = 0;
  if (d->on_message && d->on_message(*d, message, wparam, lparam, &result)) return result;
  switch (message) {
    case WM_COMMAND:
      Command(*d, LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_NOTIFY:
      if (d->on_notify && d->on_notify(*d, reinterpret_cast<NMHDR*>(lparam), &result)) return result;
      break;
    case WM_TIMER:
      if (d->on_timer) d->on_timer(*d, wparam);
      return 0;
    case WM_CLOSE:
      EndModalDialog(*d, 0);
      return 0;
    case WM_ERASEBKGND:
      EraseWithFace(window, reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
      if (Colours(message, wparam, lparam, &result)) return result;
      break;
    case WM_SETCURSOR:
      if (IsLink(reinterpret_cast<HWND>(wparam))) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case kReportTextMessage:
      TakeReportText(window, wparam, lparam);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

RECT CentredOn(HWND owner, int width, int height, bool resizable) {
  RECT around = {};
  if (owner && !IsIconic(owner))
    GetWindowRect(owner, &around);
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  const int x = around.left + (around.right - around.left - width) / 2;
  const int y = around.top + (around.bottom - around.top - height) / 2;
  // Inside the work area of the owner's monitor, even when the owner sits
  // near a screen edge; one of a fixed size that cannot all fit keeps its
  // title bar reachable.
  return KeepOnItsMonitor({x, y, x + width, y + height}, resizable);
}

// Posted report texts that reached the queue after the dialog was gone are
// freed here; messages for other windows go on to them.
void DrainReportTexts(HWND gone) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, kReportTextMessage, kReportTextMessage, PM_REMOVE)) {
    if (msg.hwnd == gone || !IsWindow(msg.hwnd))
      TakeReportText(nullptr, msg.wParam, msg.lParam);
    else
      DispatchMessageW(&msg);
  }
}
}  // namespace

bool RegisterModalDialogClass(HINSTANCE instance) {
  // No background brush: WM_ERASEBKGND paints the face colour of the look.
  return RegisterLauncherClass(instance, kClassName, ModalProc, true);
}

bool CreateModalDialog(ModalDialog& d, HWND owner, const std::string& title, int width, int height) {
  d.owner = owner;
  d.done = false;
  d.result = 0;
  const DWORD style =
      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | (d.resizable ? WS_THICKFRAME | WS_MAXIMIZEBOX : 0);
  const DWORD ex_style = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT r = {0, 0, S(width), S(height)};
  AdjustWindowRectEx(&r, style, FALSE, ex_style);
  RECT at = CentredOn(owner, r.right - r.left, r.bottom - r.top, d.resizable);
  d.window = CreateWindowExW(ex_style, kClassName, Utf8ToUtf16(title).c_str(), style, at.left, at.top,
                             at.right - at.left, at.bottom - at.top, owner, nullptr, Ui().instance, &d);
  if (!d.window) return false;
  DarkTitleBar(d.window);
  return true;
}

HWND AddDialogControl(ModalDialog& d, const wchar_t* window_class, const std::string& text, DWORD style, int x,
                      int y, int width, int height, int id, DWORD ex_style) {
  HWND control = CreateWindowExW(ex_style, window_class, Utf8ToUtf16(text).c_str(), style | WS_CHILD | WS_VISIBLE,
                                 S(x), S(y), S(width), S(height), d.window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Ui().instance, nullptr);
  if (!control) return nullptr;
  SetUiFont(control);
  ThemeControl(control, window_class);
  return control;
}

HWND AddLinkLabel(ModalDialog& d, const std::string& text, int x, int y, int width, int height, int id) {
  HWND link = AddDialogControl(d, L"STATIC", text, SS_NOTIFY | SS_LEFT, x, y, width, height, id);
  if (link) SetPropW(link, kLinkProperty, reinterpret_cast<HANDLE>(1));
  return link;
}

int RunModalDialog(ModalDialog& d) {
  if (!d.window) return 0;
  ModalOpened();
  if (d.owner) EnableWindow(d.owner, FALSE);
  ShowWindow(d.window, SW_SHOW);
  UpdateWindow(d.window);
  if (!GetFocus() || !IsChild(d.window, GetFocus())) {
    HWND first = GetNextDlgTabItem(d.window, nullptr, FALSE);
    if (first) SetFocus(first);
  }
  MSG msg;
  while (!d.done) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends the program
      break;
    }
    if (got < 0) break;
    if (SwitchTabsByKey(msg) || IsDialogMessageW(d.window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  // Enable the owner before destroying, so that the focus goes back to it
  // rather than to another program's window.
  if (d.owner) EnableWindow(d.owner, TRUE);
  HWND gone = d.window;
  DestroyWindow(d.window);
  d.window = nullptr;
  DrainReportTexts(gone);
  if (d.owner) SetForegroundWindow(d.owner);
  ModalClosed();
  return d.result;
}

void EndModalDialog(ModalDialog& d, int result) {
  d.result = result;
  d.done = true;
}

bool PostReportText(HWND dialog, int control_id, const std::string& utf8_text) {
  auto* block = new std::wstring(Utf8ToUtf16(utf8_text));
  if (PostMessageW(dialog, kReportTextMessage, static_cast<WPARAM>(control_id), reinterpret_cast<LPARAM>(block)))
    return true;
  delete block;
  return false;
}

std::string ControlText(HWND control) {
  int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), length + 1)));
  return Utf16ToUtf8(text);
}

void SetControlText(HWND control, const std::string& utf8_text) {
  SetWindowTextW(control, Utf8ToUtf16(utf8_text).c_str());
}
