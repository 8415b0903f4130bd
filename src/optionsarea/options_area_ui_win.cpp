#include "optionsarea/options_area_ui_win.h"

#include <commctrl.h>

#include <utility>

#include "base/utf16_win.h"
#include "optionsarea/options_row_layout.h"
#include "ui/access_keys_win.h"
#include "ui/dark_paint_win.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/window_placement_win.h"

namespace {
constexpr wchar_t kPageClass[] = L"KorvoPage";
constexpr wchar_t kOptionsClass[] = L"KorvoOptions";
constexpr const wchar_t* kTabNames[kOptionsTabCount] = {L"General", L"Video", L"Audio", L"Controls", L"Combos"};

PageMessageHook page_hook = nullptr;
PageBuilder page_builder = nullptr;
bool options_rect_known = false;
RECT options_rect = {};
// The area is made when first needed: in the separate layout that is when
// its window first shows, as its dozen windows (and the window itself) cost
// more at start-up than the whole game list.
bool separate_layout = false;
bool placement_waiting = false;
RECT waiting_placement = {};

void EraseWithFace(HWND window, HDC dc) {
  RECT r;
  GetClientRect(window, &r);
  FillRect(dc, &r, IsDarkTheme() ? FaceBrush() : GetSysColorBrush(COLOR_BTNFACE));
}

bool IsColourMessage(UINT message) {
  return message == WM_CTLCOLORSTATIC || message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ||
         message == WM_CTLCOLORBTN;
}

// A page hands its controls' commands and notifications to the main window,
// which routes them by id.
LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (page_hook && page_hook(page, message, wparam, lparam, &result)) return result;
  if (AccessKeyFocusMessage(page, message, wparam, lparam)) return 0;
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
      return SendMessageW(Options().main, message, wparam, lparam);
    case WM_ERASEBKGND: {
      // A page continues its selected tab: in the dark look both are the
      // control background, as its controls' colours are.
      RECT r;
      GetClientRect(page, &r);
      FillRect(reinterpret_cast<HDC>(wparam), &r,
               IsDarkTheme() ? ControlBackgroundBrush() : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
  }
  if (IsColourMessage(message) &&
      ControlColours(message, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam), true, &result))
    return result;
  return DefWindowProcW(page, message, wparam, lparam);
}

void RememberOptionsRect(HWND window) {
  if (IsWindowVisible(window) && !IsIconic(window) && !IsZoomed(window) && GetWindowRect(window, &options_rect))
    options_rect_known = true;
}

void LayOutOptionsWindow(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  InflateRect(&client, -S(8), -S(8));
  LayoutOptionsArea(client);
}

LRESULT CALLBACK OptionsWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (AccessKeyFocusMessage(window, message, wparam, lparam)) return 0;
  switch (message) {
    case WM_CLOSE:
      // Closing the window is Cancel: what was not applied is dropped.
      SendMessageW(Options().main, WM_COMMAND, 110, 0);
      return 0;
    case WM_SIZE:
      LayOutOptionsWindow(window);
      RememberOptionsRect(window);
      return 0;
    case WM_MOVE:
      RememberOptionsRect(window);
      return 0;
    case WM_DPICHANGED:
      FollowDpiChange(window, lparam);
      return 0;
    case WM_SHOWWINDOW:
      if (wparam) BuildOptionsPage(Options().current);
      break;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      info->ptMinTrackSize = {S(460), S(480)};
      return 0;
    }
    case WM_NOTIFY:
      if (OptionsAreaNotify(reinterpret_cast<NMHDR*>(lparam))) return 0;
      return SendMessageW(Options().main, message, wparam, lparam);
    case WM_COMMAND:
    case WM_DRAWITEM:
      return SendMessageW(Options().main, message, wparam, lparam);
    case WM_ERASEBKGND:
      EraseWithFace(window, reinterpret_cast<HDC>(wparam));
      return 1;
  }
  if (IsColourMessage(message) &&
      ControlColours(message, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam), false, &result))
    return result;
  return DefWindowProcW(window, message, wparam, lparam);
}

HWND MakeChild(HWND parent, const wchar_t* window_class, const wchar_t* text, DWORD style, int id) {
  HWND child = CreateWindowExW(0, window_class, text, style | WS_CHILD, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Ui().instance, nullptr);
  SetUiFont(child);
  ThemeControl(child, window_class);
  return child;
}

void CreateOptionsWindow() {
  OptionsArea& o = Options();
  o.window = CreateWindowExW(0, kOptionsClass, L"Settings", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                             CW_USEDEFAULT, S(560), S(800), o.main, nullptr, Ui().instance, nullptr);
  if (!o.window) return;
  DarkTitleBar(o.window);
  HideKeyboardCuesUntilUsed(o.window);
}
}  // namespace

OptionsArea& Options() {
  static OptionsArea area;
  return area;
}

void SetPageMessageHook(PageMessageHook hook) { page_hook = hook; }
void SetPageBuilder(PageBuilder builder) { page_builder = builder; }

void BuildOptionsPage(int tab) {
  OptionsArea& o = Options();
  if (tab < 0 || tab >= kOptionsTabCount || o.built[tab] || !o.pages[tab] || !page_builder) return;
  o.built[tab] = true;
  page_builder(o.pages[tab], tab);
}

bool RegisterOptionsClasses(HINSTANCE instance) {
  bool pages = RegisterLauncherClass(instance, kPageClass, PageProc, false);
  return RegisterLauncherClass(instance, kOptionsClass, OptionsWindowProc, true) && pages;
}

void CreateOptionsArea(HWND main, bool separate) {
  Options().main = main;
  separate_layout = separate;
  placement_waiting = false;
  if (!separate) EnsureOptionsArea();
}

void EnsureOptionsArea() {
  OptionsArea& o = Options();
  if (o.tabs || !o.main) return;
  if (separate_layout && !o.window) CreateOptionsWindow();
  HWND parent = separate_layout && o.window ? o.window : o.main;
  o.tabs = MakeChild(parent, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, 107);
  for (int i = 0; i < kOptionsTabCount; ++i) {
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(kTabNames[i]);
    TabCtrl_InsertItem(o.tabs, i, &item);
    o.pages[i] = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL, 0,
                                 0, 0, 0, parent, nullptr, Ui().instance, nullptr);
    DarkScrolling(o.pages[i]);
  }
  o.ok = MakeChild(parent, L"BUTTON", L"OK", BS_PUSHBUTTON | WS_TABSTOP, 109);
  o.cancel = MakeChild(parent, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 110);
  o.restore = MakeChild(parent, L"BUTTON", L"Restore Defaults", BS_PUSHBUTTON | WS_TABSTOP, 108);
  DarkTabs(o.tabs);
  if (parent != o.window) return;
  if (placement_waiting)
    SetWindowPos(o.window, nullptr, waiting_placement.left, waiting_placement.top,
                 waiting_placement.right - waiting_placement.left, waiting_placement.bottom - waiting_placement.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  LayOutOptionsWindow(o.window);
}

void LayoutOptionsArea(RECT area) {
  OptionsArea& o = Options();
  EnsureOptionsArea();
  if (!o.tabs) return;
  const int button_h = S(26), gap = S(8);
  const int row_y = area.bottom - button_h;
  const OptionsButtonRow row = LayOptionsButtons(area.left, area.right, row_y, Ui().dpi);
  for (auto [button, r] : {std::pair{o.ok, row.ok}, {o.cancel, row.cancel}, {o.restore, row.restore}})
    MoveWindow(button, r.x, r.y, r.w, r.h, TRUE);
  RECT tabs = {area.left, area.top, area.right, row_y - gap};
  if (tabs.bottom < tabs.top) tabs.bottom = tabs.top;
  MoveWindow(o.tabs, tabs.left, tabs.top, tabs.right - tabs.left, tabs.bottom - tabs.top, TRUE);
  RECT page = {0, 0, tabs.right - tabs.left, tabs.bottom - tabs.top};
  TabCtrl_AdjustRect(o.tabs, FALSE, &page);
  // The page that shows now needs its controls; a hidden options window waits.
  if (IsWindowVisible(GetParent(o.tabs))) BuildOptionsPage(o.current);
  for (int i = 0; i < kOptionsTabCount; ++i) {
    MoveWindow(o.pages[i], tabs.left + page.left, tabs.top + page.top, page.right - page.left,
               page.bottom - page.top, TRUE);
    ShowWindow(o.pages[i], i == o.current ? SW_SHOW : SW_HIDE);
  }
  for (HWND w : {o.tabs, o.ok, o.cancel, o.restore}) ShowWindow(w, SW_SHOW);
  // Pages sit above the tab control in the z-order so they get the clicks.
  for (HWND p : o.pages) SetWindowPos(p, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ShowOptionsTab(int tab) {
  OptionsArea& o = Options();
  EnsureOptionsArea();
  if (tab < 0 || tab >= kOptionsTabCount || !o.tabs) return;
  o.current = tab;
  BuildOptionsPage(tab);
  TabCtrl_SetCurSel(o.tabs, tab);
  for (int i = 0; i < kOptionsTabCount; ++i) ShowWindow(o.pages[i], i == tab ? SW_SHOW : SW_HIDE);
  if (o.window && GetParent(o.tabs) == o.window) {
    if (IsIconic(o.window)) ShowWindow(o.window, SW_RESTORE);
    ShowWindow(o.window, SW_SHOW);
    SetForegroundWindow(o.window);
  }
}

bool OptionsAreaNotify(NMHDR* header) {
  OptionsArea& o = Options();
  if (!header || header->hwndFrom != o.tabs || header->code != TCN_SELCHANGE) return false;
  ShowOptionsTab(TabCtrl_GetCurSel(o.tabs));
  return true;
}

void MoveOptionsArea(bool separate) {
  OptionsArea& o = Options();
  separate_layout = separate;
  if (!o.tabs) {
    if (!separate) EnsureOptionsArea();  // the main window shows it now
    return;
  }
  if (separate && !o.window) CreateOptionsWindow();
  HWND parent = separate && o.window ? o.window : o.main;
  for (HWND w : {o.tabs, o.ok, o.cancel, o.restore}) SetParent(w, parent);
  for (HWND p : o.pages) SetParent(p, parent);
  if (!separate && o.window) ShowWindow(o.window, SW_HIDE);
}

bool OptionsWindowVisible() {
  OptionsArea& o = Options();
  return o.window && IsWindowVisible(o.window) && GetParent(o.tabs) == o.window;
}

void HideOptionsWindow() {
  OptionsArea& o = Options();
  if (o.window) ShowWindow(o.window, SW_HIDE);
}

bool OptionsWindowRect(RECT* r) {
  if (!Options().window || !options_rect_known) return false;
  *r = options_rect;
  return true;
}

void PlaceOptionsWindow(const RECT& r) {
  OptionsArea& o = Options();
  if (!o.window) {
    placement_waiting = true;
    waiting_placement = r;
    return;
  }
  SetWindowPos(o.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}
