#include "ui/theme_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "ui/dark_button_win.h"
#include "ui/dark_drop_list_win.h"
#include "ui/dark_list_selection_win.h"
#include "ui/dark_paint_win.h"
#include "ui/dark_scroll_bars_win.h"
#include "ui/dark_spin_win.h"
#include "ui/flat_header_win.h"
#include "ui/frameless_win.h"

namespace {
// The platform's dark-mode switches exist only as unnamed exports of uxtheme;
// where they are missing the calls are skipped.
using PreferredAppModeFn = int(WINAPI*)(int mode);
using FlushMenuThemesFn = void(WINAPI*)();
using AllowDarkModeForWindowFn = bool(WINAPI*)(HWND window, bool allow);
AllowDarkModeForWindowFn g_allow_dark_for_window = nullptr;

constexpr int kPreferDark = 2;

HMODULE SystemLibrary(const wchar_t* name) {
  HMODULE module = GetModuleHandleW(name);
  return module ? module : LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

template <typename Fn>
Fn Export(HMODULE module, int ordinal) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))))
                : nullptr;
}

void SetPreferredAppMode(int mode) {
  HMODULE uxtheme = SystemLibrary(L"uxtheme.dll");
  if (auto prefer = Export<PreferredAppModeFn>(uxtheme, 135)) prefer(mode);
  if (auto flush = Export<FlushMenuThemesFn>(uxtheme, 136)) flush();
  g_allow_dark_for_window = Export<AllowDarkModeForWindowFn>(uxtheme, 133);
}

void AllowDark(HWND window) {
  if (g_allow_dark_for_window) g_allow_dark_for_window(window, true);
}

bool IsClass(const wchar_t* class_name, const wchar_t* wanted) {
  return class_name && CompareStringOrdinal(class_name, -1, wanted, -1, TRUE) == CSTR_EQUAL;
}

void ThemeListView(HWND list) {
  DarkVisualStyle(list, L"DarkMode_Explorer");
  if (HWND header = ListView_GetHeader(list)) DarkVisualStyle(header, L"DarkMode_ItemsView");
  DarkEdge(list);
  COLORREF background = ControlBackgroundColour();
  ListView_SetBkColor(list, background);
  ListView_SetTextBkColor(list, background);
  ListView_SetTextColor(list, TextColour());
  DarkListSelection(list);
}

}  // namespace

void ApplyTheme(bool dark) {
  bool was_dark = IsDarkTheme();
  SetDarkThemeFlag(dark);
  if (dark)
    SetPreferredAppMode(kPreferDark);
  else if (was_dark)
    SetPreferredAppMode(0);  // back to the system's default menus and dialogs
}

// The dark visual styles come with the platform's dark mode: where it is
// missing (older systems, Wine) the control would only reopen its light
// style, a theme lookup and a redraw per control at start-up.
void DarkVisualStyle(HWND window, const wchar_t* style) {
  if (!g_allow_dark_for_window || !window) return;
  g_allow_dark_for_window(window, true);
  SetWindowTheme(window, style, nullptr);
}

void DarkTitleBar(HWND window) {
  // Systems without the dark-mode exports have no dark title bar either:
  // loading the window manager's library would be for nothing.
  if (!IsDarkTheme() || !window || !g_allow_dark_for_window) return;
  AllowDark(window);
  using SetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, const void*, DWORD);
  HMODULE dwmapi = SystemLibrary(L"dwmapi.dll");
  auto set_attribute = dwmapi ? reinterpret_cast<SetAttributeFn>(
                                    reinterpret_cast<void*>(GetProcAddress(dwmapi, "DwmSetWindowAttribute")))
                              : nullptr;
  if (!set_attribute) return;
  BOOL on = TRUE;
  // 20 is the attribute's number since 2004; earlier builds knew it as 19.
  if (FAILED(set_attribute(window, 20, &on, sizeof on))) set_attribute(window, 19, &on, sizeof on);
}

void DarkMenuBar(HWND window) {
  if (IsDarkTheme() && !g_allow_dark_for_window) MakeMenuBarOwnerDrawn(window);
}

void DarkScrolling(HWND window) {
  if (!IsDarkTheme() || !window) return;
  if (g_allow_dark_for_window)
    DarkVisualStyle(window, L"DarkMode_Explorer");
  else
    DarkScrollBars(window);
}

void ThemeControl(HWND control, const wchar_t* class_name) {
  if (!control) return;
  SkipEmptyFramePaint(control);
  if (IsClass(class_name, L"SysListView32")) FlatHeader(ListView_GetHeader(control));
  if (!IsDarkTheme()) return;
  if (IsClass(class_name, L"BUTTON") || IsClass(class_name, L"SCROLLBAR")) {
    DarkVisualStyle(control, L"DarkMode_Explorer");
    // Without the platform's dark mode the visual style stays light: paint it.
    if (!g_allow_dark_for_window && IsClass(class_name, L"BUTTON")) DarkButton(control);
  } else if (IsClass(class_name, L"SysListView32")) {
    ThemeListView(control);
    if (!g_allow_dark_for_window) DarkScrollBars(control);
  } else if (IsClass(class_name, L"COMBOBOX")) {
    if (!g_allow_dark_for_window) {  // no dark visual style to ask for: paint it
      DarkDropList(control);
      COMBOBOXINFO info = {};
      info.cbSize = sizeof info;
      if (GetComboBoxInfo(control, &info)) DarkScrollBars(info.hwndList);
      return;
    }
    DarkVisualStyle(control, L"DarkMode_CFD");
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (g_allow_dark_for_window && GetComboBoxInfo(control, &info) && info.hwndList)
      DarkVisualStyle(info.hwndList, L"DarkMode_Explorer");
    DarkEdge(control);  // the visual style keeps a light border on a disabled one
  } else if (IsClass(class_name, L"EDIT")) {
    bool multi_line = GetWindowLongPtrW(control, GWL_STYLE) & ES_MULTILINE;
    DarkVisualStyle(control, multi_line ? L"DarkMode_Explorer" : L"DarkMode_CFD");
    if (multi_line && !g_allow_dark_for_window) DarkScrollBars(control);
    DarkEdge(control);
  } else if (IsClass(class_name, UPDOWN_CLASSW)) {
    DarkSpin(control);
  } else if (IsClass(class_name, PROGRESS_CLASSW)) {
    DarkProgress(control);
  }
}
