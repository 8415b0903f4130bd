#include "ui/drop_down_win.h"

#include <windowsx.h>

#include <string>
#include <vector>

#include "base/utf16_win.h"
#include "ui/control_paint_win.h"
#include "ui/drop_down.h"
#include "ui/drop_down_accessible_win.h"
#include "ui/theme_colours_win.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr wchar_t kClass[] = L"KorvoDropDown";
constexpr int kMostRows = 20;  // rows the open list shows before it scrolls

struct DropDown {
  std::vector<std::wstring> entries;
  int chosen = -1;
  HFONT font = nullptr;
  bool hot = false, tracking = false;
  bool scrolling = false;  // the list's scroll bar has the pointer for a moment
  HWND list = nullptr;     // made the first time the list opens
  std::string name;
};

DropDown* Of(HWND window) { return reinterpret_cast<DropDown*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

bool IsOpen(const DropDown& d) { return d.list && IsWindowVisible(d.list); }

void Notify(HWND window, int code) {
  SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code), reinterpret_cast<LPARAM>(window));
}

std::vector<std::string> EntriesUtf8(const DropDown& d) {
  std::vector<std::string> out;
  out.reserve(d.entries.size());
  for (const std::wstring& e : d.entries) out.push_back(Utf16ToUtf8(e));
  return out;
}

// The entry the open list shows as chosen, or the field's own.
int Highlighted(const DropDown& d) {
  if (!IsOpen(d)) return d.chosen;
  return static_cast<int>(SendMessageW(d.list, LB_GETCURSEL, 0, 0));
}

void Choose(HWND window, DropDown& d, int entry) {
  if (entry < 0 || entry == d.chosen) return;
  d.chosen = entry;
  InvalidateRect(window, nullptr, FALSE);
  Notify(window, CBN_SELCHANGE);
}

void Close(HWND window, DropDown& d, bool take) {
  if (!IsOpen(d)) return;
  const int highlighted = Highlighted(d);
  ShowWindow(d.list, SW_HIDE);
  if (GetCapture() == window) ReleaseCapture();
  InvalidateRect(window, nullptr, FALSE);
  if (take) Choose(window, d, highlighted);
  Notify(window, CBN_CLOSEUP);
}

HWND MakeList(HWND window, DropDown& d) {
  d.list = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"LISTBOX", L"",
                           WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, 0,
                           0, 0, 0, window, nullptr, Ui().instance, nullptr);
  if (d.list) SendMessageW(d.list, WM_SETFONT, reinterpret_cast<WPARAM>(d.font ? d.font : Ui().font), FALSE);
  DarkScrolling(d.list);
  return d.list;
}

void Open(HWND window, DropDown& d) {
  if (IsOpen(d) || (!d.list && !MakeList(window, d))) return;
  Notify(window, CBN_DROPDOWN);
  SendMessageW(d.list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(d.list, LB_RESETCONTENT, 0, 0);
  for (const std::wstring& e : d.entries) SendMessageW(d.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
  SendMessageW(d.list, LB_SETCURSEL, static_cast<WPARAM>(d.chosen), 0);
  SendMessageW(d.list, WM_SETREDRAW, TRUE, 0);
  RECT field;
  GetWindowRect(window, &field);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const int row_h = static_cast<int>(SendMessageW(d.list, LB_GETITEMHEIGHT, 0, 0));
  DropDownRect place = DropDownListRect({field.left, field.top, field.right - field.left, field.bottom - field.top},
                                        static_cast<int>(d.entries.size()), row_h, kMostRows,
                                        GetSystemMetrics(SM_CYBORDER), 0,
                                        {work.left, work.top, work.right - work.left, work.bottom - work.top});
  SetWindowPos(d.list, HWND_TOPMOST, place.x, place.y, place.w, place.h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // The field keeps the keyboard; the pointer's clicks come here wherever
  // they land, as a click outside closes the list.
  SetCapture(window);
  InvalidateRect(window, nullptr, FALSE);
}

// A key while the field has the focus; true when it was the field's.
bool Key(HWND window, DropDown& d, WPARAM key, bool alt) {
  const bool open = IsOpen(d);
  if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
    if (open)
      Close(window, d, true);
    else
      Open(window, d);
    return true;
  }
  if (open && (key == VK_RETURN || key == VK_ESCAPE)) {
    Close(window, d, key == VK_RETURN);
    return true;
  }
  DropDownKey step;
  switch (key) {
    case VK_UP: case VK_LEFT: step = DropDownKey::Up; break;
    case VK_DOWN: case VK_RIGHT: step = DropDownKey::Down; break;
    case VK_HOME: step = DropDownKey::Home; break;
    case VK_END: step = DropDownKey::End; break;
    case VK_PRIOR: step = DropDownKey::PageUp; break;
    case VK_NEXT: step = DropDownKey::PageDown; break;
    default: return false;
  }
  const int next = DropDownStep(step, Highlighted(d), static_cast<int>(d.entries.size()), open ? kMostRows - 1 : 1);
  if (open)
    SendMessageW(d.list, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
  else
    Choose(window, d, next);
  return true;
}

void Letter(HWND window, DropDown& d, wchar_t letter) {
  if (letter < L' ') return;
  const int next = DropDownEntryByLetter(EntriesUtf8(d), Highlighted(d), static_cast<char32_t>(letter));
  if (next < 0) return;
  if (IsOpen(d))
    SendMessageW(d.list, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
  else
    Choose(window, d, next);
}

// The pointer while the list is open (the field holds the capture): over the
// list it marks and, let go, takes an entry; a press outside closes the list.
void PointerWhileOpen(HWND window, DropDown& d, UINT message, LPARAM lparam) {
  POINT at = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  ClientToScreen(window, &at);
  RECT list_client;
  GetClientRect(d.list, &list_client);
  MapWindowPoints(d.list, HWND_DESKTOP, reinterpret_cast<POINT*>(&list_client), 2);
  RECT list_window;
  GetWindowRect(d.list, &list_window);
  if (PtInRect(&list_client, at)) {
    POINT in = at;
    ScreenToClient(d.list, &in);
    LRESULT hit = SendMessageW(d.list, LB_ITEMFROMPOINT, 0, MAKELPARAM(in.x, in.y));
    if (HIWORD(hit) == 0) {
      SendMessageW(d.list, LB_SETCURSEL, LOWORD(hit), 0);
      if (message == WM_LBUTTONUP) Close(window, d, true);
    }
  } else if (message == WM_LBUTTONDOWN && PtInRect(&list_window, at)) {
    // The list's scroll bar: it follows the pointer itself until let go.
    d.scrolling = true;
    ReleaseCapture();
    SendMessageW(d.list, WM_NCLBUTTONDOWN, SendMessageW(d.list, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)),
                 MAKELPARAM(at.x, at.y));
    d.scrolling = false;
    if (IsOpen(d)) SetCapture(window);
  } else if (message == WM_LBUTTONDOWN) {
    Close(window, d, false);
  }
}

// The field is drawn flat in both looks, in the look's colours: a visual
// style's drop-down parts cost several milliseconds each to draw under Wine,
// four fields a frame's worth at start and at every change of look.
void Paint(HWND window, HDC dc, const RECT& client) {
  DropDown* d = Of(window);
  if (!d) return;
  const bool enabled = IsWindowEnabled(window) != FALSE, open = IsOpen(*d), focused = GetFocus() == window;
  const bool dark = IsDarkTheme(), lit = enabled && (d->hot || open);
  const COLORREF border = dark ? (lit ? DimTextColour() : ThemeColour(ColourRole::Separator))
                               : (lit ? TextColour() : DimTextColour());
  const bool chosen = d->chosen >= 0 && static_cast<size_t>(d->chosen) < d->entries.size();
  PaintDropFace(window, dc, client,
                {ControlBackgroundBrush(), border, enabled, focused && !open,
                 chosen ? d->entries[static_cast<size_t>(d->chosen)] : std::wstring()});
}

// The combo box messages the owner, the tests and the window benchmark use.
bool ComboMessage(HWND window, DropDown& d, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  const int count = static_cast<int>(d.entries.size());
  const auto entry = [&](WPARAM i) -> const std::wstring* {
    return static_cast<int>(i) >= 0 && static_cast<int>(i) < count ? &d.entries[i] : nullptr;
  };
  switch (message) {
    case CB_ADDSTRING:
      if (!lparam) return *result = CB_ERR, true;
      d.entries.emplace_back(reinterpret_cast<const wchar_t*>(lparam));
      *result = count;
      return true;
    case CB_RESETCONTENT:
      d.entries.clear();
      d.chosen = -1;
      InvalidateRect(window, nullptr, FALSE);
      *result = CB_OKAY;
      return true;
    case CB_GETCOUNT:
      *result = count;
      return true;
    case CB_GETCURSEL:
      *result = d.chosen;
      return true;
    case CB_SETCURSEL:
      d.chosen = entry(wparam) ? static_cast<int>(wparam) : -1;
      InvalidateRect(window, nullptr, FALSE);
      *result = d.chosen >= 0 ? d.chosen : CB_ERR;
      return true;
    case CB_GETLBTEXTLEN:
      *result = entry(wparam) ? static_cast<LRESULT>(entry(wparam)->size()) : CB_ERR;
      return true;
    case CB_GETLBTEXT:
      if (!entry(wparam) || !lparam) return *result = CB_ERR, true;
      lstrcpyW(reinterpret_cast<wchar_t*>(lparam), entry(wparam)->c_str());
      *result = static_cast<LRESULT>(entry(wparam)->size());
      return true;
    case CB_GETDROPPEDSTATE:
      *result = IsOpen(d);
      return true;
    case CB_SHOWDROPDOWN:
      if (wparam)
        Open(window, d);
      else
        Close(window, d, false);
      *result = TRUE;
      return true;
    case WM_GETTEXTLENGTH:
      *result = entry(static_cast<WPARAM>(d.chosen)) ? static_cast<LRESULT>(d.entries[d.chosen].size()) : 0;
      return true;
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<wchar_t*>(lparam);
      if (!out || wparam == 0) return *result = 0, true;
      const std::wstring text = entry(static_cast<WPARAM>(d.chosen)) ? d.entries[d.chosen] : std::wstring();
      const size_t n = std::min(text.size(), static_cast<size_t>(wparam) - 1);
      text.copy(out, n);
      out[n] = L'\0';
      *result = static_cast<LRESULT>(n);
      return true;
    }
  }
  return false;
}

LRESULT CALLBACK DropDownProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DropDown* d = Of(window);
  LRESULT result = 0;
  if (d && ComboMessage(window, *d, message, wparam, lparam, &result)) return result;
  if (PaintMessage(window, message, wparam, Paint, &result)) return result;
  switch (message) {
    case WM_NCCREATE:
      d = new DropDown;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(d));
      break;
    case WM_NCDESTROY:
      if (d) {
        if (d->list) DestroyWindow(d->list);
        delete d;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      }
      break;
    case WM_SETFONT:
      if (d) d->font = reinterpret_cast<HFONT>(wparam);
      if (d && d->list) SendMessageW(d->list, WM_SETFONT, wparam, FALSE);
      if (lparam) InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(d ? d->font : nullptr);
    case WM_ENABLE:
      if (!wparam && d) Close(window, *d, false);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_SETFOCUS:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_KILLFOCUS:
      if (d) Close(window, *d, false);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_CAPTURECHANGED:
      // Taken by another window, the pointer closes the list; lent to the
      // list's scroll bar, it comes back.
      if (d && !d->scrolling && IsOpen(*d) && reinterpret_cast<HWND>(lparam) != window) Close(window, *d, false);
      return 0;
    case WM_GETDLGCODE: {
      // While the list is open, Enter and Escape are its own; Tab and the
      // other dialog keys go on to the window's navigation (the list closes
      // as the field loses the focus).
      const auto* msg = reinterpret_cast<const MSG*>(lparam);
      const bool own = d && IsOpen(*d) && msg && msg->message == WM_KEYDOWN &&
                       (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE);
      return DLGC_WANTARROWS | DLGC_WANTCHARS | (own ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (d && Key(window, *d, wparam, message == WM_SYSKEYDOWN)) return 0;
      break;
    case WM_CHAR:
      if (d) Letter(window, *d, static_cast<wchar_t>(wparam));
      return 0;
    case WM_MOUSEWHEEL:
      if (d && GET_WHEEL_DELTA_WPARAM(wparam) != 0) {
        if (IsOpen(*d))
          SendMessageW(d->list, WM_MOUSEWHEEL, wparam, lparam);
        else if (GetFocus() == window)
          Key(window, *d, GET_WHEEL_DELTA_WPARAM(wparam) > 0 ? VK_UP : VK_DOWN, false);
      }
      return 0;
    case WM_LBUTTONDOWN:
      if (!d) break;
      if (IsOpen(*d)) {
        POINT at = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        RECT client;
        GetClientRect(window, &client);
        if (PtInRect(&client, at))
          Close(window, *d, false);
        else
          PointerWhileOpen(window, *d, message, lparam);
        return 0;
      }
      SetFocus(window);
      Open(window, *d);
      return 0;
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
      if (!d) break;
      if (IsOpen(*d)) {
        PointerWhileOpen(window, *d, message, lparam);
      } else if (message == WM_MOUSEMOVE && !d->hot) {
        d->hot = true;
        TRACKMOUSEEVENT track = {};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = window;
        d->tracking = TrackMouseEvent(&track) != FALSE;
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_MOUSELEAVE:
      if (d) d->hot = d->tracking = false;
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_GETOBJECT:
      if (d && DropDownGetObject(window, d->name, wparam, lparam, &result)) return result;
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
}  // namespace

HWND CreateDropDown(HWND parent, int control_id, const RECT& at, bool visible) {
  RegisterLauncherClass(Ui().instance, kClass, DropDownProc, false);
  HWND window = CreateWindowExW(0, kClass, L"", WS_CHILD | WS_TABSTOP | (visible ? WS_VISIBLE : 0), at.left, at.top,
                                at.right - at.left, at.bottom - at.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), Ui().instance, nullptr);
  if (window) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Ui().font), FALSE);
  return window;
}

void SetDropDownName(HWND drop_down, const char* name) {
  if (DropDown* d = drop_down ? Of(drop_down) : nullptr) d->name = name ? name : "";
}

bool IsDropDown(HWND window) {
  wchar_t name[16] = L"";
  return window && GetClassNameW(window, name, 16) && !lstrcmpW(name, kClass);
}

HWND DropDownList(HWND drop_down) {
  DropDown* d = drop_down ? Of(drop_down) : nullptr;
  return d && IsOpen(*d) ? d->list : nullptr;
}
