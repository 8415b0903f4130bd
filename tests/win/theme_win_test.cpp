// The look under Wine: a window with the controls the dark look paints itself,
// read back pixel by pixel in both looks.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "screenshot_win.h"
#include "ui/dark_paint_win.h"
#include "ui/icon_mask.h"
#include "ui/image_lists_win.h"
#include "ui/theme_win.h"
#include "ui/tool_button_win.h"
#include "ui/tooltips_win.h"
#include "ui/ui_metrics_win.h"

namespace {
using Pixels = WindowPixels;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (DarkMenuBarMessage(window, message, wparam, lparam, &result)) return result;
  if (message == WM_DRAWITEM && DrawToolItem(reinterpret_cast<DRAWITEMSTRUCT*>(lparam))) return TRUE;
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(reinterpret_cast<HDC>(wparam), &client, FaceBrush());
    return 1;
  }
  if (ControlColours(message, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam), false, &result))
    return result;
  return DefWindowProcW(window, message, wparam, lparam);
}

HMENU TestMenu() {
  HMENU bar = CreateMenu();
  for (const wchar_t* name : {L"&File", L"&View", L"&Help"}) {
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 900, L"&Item");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), name);
  }
  return bar;
}

// One of each control the look touches, laid out at 96 DPI, in the current look.
struct ThemeHost {
  HWND window, tab, status, list, header, label, dim_label, ok, cancel;
  HWND refresh, star, play, stop, separator;
  HWND edit, disabled_edit, disabled_combo;

  HWND Child(const wchar_t* window_class, const wchar_t* text, DWORD style, int x, int y, int w, int h) {
    HWND child = CreateWindowExW(0, window_class, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, window, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetUiFont(child);
    ThemeControl(child, window_class);
    return child;
  }

  ThemeHost() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    SetUiDpi(96);
    if (!Ui().font) Ui().font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    WNDCLASSW wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"KorvoThemeTest";
    RegisterClassW(&wc);  // fails harmlessly from the second host on
    window = CreateWindowExW(WS_EX_TOPMOST, L"KorvoThemeTest", L"Theme", WS_OVERLAPPEDWINDOW, 40, 40, 600, 420,
                             nullptr, TestMenu(), GetModuleHandleW(nullptr), nullptr);
    DarkTitleBar(window);

    refresh = CreateToolButton(window, 200, kIconRefresh);
    star = CreateToolButton(window, 112, kIconStar);
    play = CreateToolButton(window, 106, kIconPlay);
    stop = CreateToolButton(window, 105, kIconStop);
    separator = CreateToolSeparator(window);
    int x = 8;
    for (HWND tool : {refresh, star, play, stop, separator, CreateToolButton(window, 116, kIconSettings)}) {
      int width = tool == separator ? 16 : 38;
      MoveWindow(tool, x, 8, width, 32, FALSE);
      x += width + 2;
    }
    SetToolChecked(star, true);
    EnableWindow(play, FALSE);

    tab = Child(WC_TABCONTROLW, L"", WS_CLIPSIBLINGS, 8, 48, 400, 60);
    const wchar_t* names[] = {L"General", L"Video", L"Audio", L"Controls", L"Combos"};
    for (int i = 0; i < 5; ++i) {
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(names[i]);
      TabCtrl_InsertItem(tab, i, &item);
    }
    TabCtrl_SetCurSel(tab, 1);
    DarkTabs(tab);

    label = Child(L"STATIC", L"Plain label", 0, 420, 52, 150, 20);
    dim_label = Child(L"STATIC", L"Dim label", 0, 420, 78, 150, 20);
    SetPropW(dim_label, L"dim", reinterpret_cast<HANDLE>(1));
    ok = Child(L"BUTTON", L"OK", BS_DEFPUSHBUTTON, 8, 294, 80, 26);
    cancel = Child(L"BUTTON", L"&Cancel", BS_PUSHBUTTON, 96, 294, 80, 26);
    edit = Field(L"EDIT", 190, 294, 110, 23);
    disabled_edit = Field(L"EDIT", 306, 294, 110, 23);
    EnableWindow(disabled_edit, FALSE);
    disabled_combo = Field(WC_COMBOBOXW, 422, 294, 140, 200);
    SendMessageW(disabled_combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Choice"));
    SendMessageW(disabled_combo, CB_SETCURSEL, 0, 0);
    EnableWindow(disabled_combo, FALSE);

    list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 8, 116, 560, 170,
                           window, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetUiFont(list);
    // The last column is as wide as its title needs in the light look.
    const wchar_t* columns[] = {L"#", L"Game", L"Year", L"Keyboard"};
    for (int i = 0; i < 4; ++i) {
      LVCOLUMNW column = {};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.cx = i == 1 ? 260 : i == 3 ? TextWidth(columns[i]) + 12 : 80;
      column.pszText = const_cast<wchar_t*>(columns[i]);
      ListView_InsertColumn(list, i, &column);
    }
    header = ListView_GetHeader(list);
    HDITEMW sorted = {};
    sorted.mask = HDI_FORMAT;
    Header_GetItem(header, 1, &sorted);
    sorted.fmt |= HDF_SORTUP;
    Header_SetItem(header, 1, &sorted);
    for (int row = 0; row < 3; ++row) {
      LVITEMW item = {};
      item.mask = LVIF_TEXT;
      item.iItem = row;
      item.pszText = const_cast<wchar_t*>(L"1");
      ListView_InsertItem(list, &item);
      ListView_SetItemText(list, row, 1, const_cast<wchar_t*>(L"A game"));
    }
    ThemeControl(list, L"SysListView32");

    status = Child(STATUSCLASSNAMEW, L"", 0, 0, 0, 0, 0);
    SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Ready."));
    DarkStatusBar(status);

    ShowWindow(window, SW_SHOW);
    Settle();
  }
  HWND Field(const wchar_t* window_class, int x, int y, int w, int h) {
    const bool combo = lstrcmpW(window_class, WC_COMBOBOXW) == 0;
    HWND field = CreateWindowExW(combo ? 0 : WS_EX_CLIENTEDGE, window_class, L"text",
                                 WS_CHILD | WS_VISIBLE | (combo ? CBS_DROPDOWNLIST : 0), x, y, w, h, window, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetUiFont(field);
    ThemeControl(field, window_class);
    return field;
  }

  int TextWidth(const wchar_t* text) const {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, Ui().font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
  }

  // The pixels of `text` drawn whole in the font and colours of the dark header.
  int Ink(const wchar_t* text) const {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, 200, -40, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old_bitmap = SelectObject(memory, bitmap);
    RECT all = {0, 0, 200, 40};
    FillRect(memory, &all, KeptBrush(RGB(0x30, 0x30, 0x30)));
    HGDIOBJ old_font = SelectObject(memory, reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)));
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, RGB(0xE8, 0xE8, 0xE8));
    DrawTextW(memory, text, -1, &all, DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();
    int ink = 0;
    for (int i = 0; i < 200 * 40; ++i) ink += (static_cast<uint32_t*>(bits)[i] & 0xFFFFFF) == 0xE8E8E8;
    SelectObject(memory, old_font);
    SelectObject(memory, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return ink;
  }

  ~ThemeHost() {
    DestroyWindow(window);
    PumpMessagesFor(20);
  }

  void Settle() {
    PumpMessagesFor(100);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessagesFor(20);
  }

  // A point of a control's client area in window coordinates, where Pixels start.
  POINT At(HWND control, int x, int y) const {
    POINT point = {x, y};
    ClientToScreen(control, &point);
    RECT frame;
    GetWindowRect(window, &frame);
    return {point.x - frame.left, point.y - frame.top};
  }
  POINT AtScreen(int x, int y) const {
    RECT frame;
    GetWindowRect(window, &frame);
    return {x - frame.left, y - frame.top};
  }

  // How many pixels of a control's client area pass a test.
  template <typename Test>
  int CountIf(const Pixels& shot, HWND control, Test test) const {
    RECT client;
    GetClientRect(control, &client);
    int count = 0;
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x) count += test(shot.At(At(control, x, y)));
    return count;
  }
  int Count(const Pixels& shot, HWND control, uint32_t rgb) const {
    return CountIf(shot, control, [rgb](uint32_t p) { return p == rgb; });
  }
};

struct DarkLook {
  DarkLook() { ApplyTheme(true); }
  ~DarkLook() { ApplyTheme(false); }
};
}  // namespace

TEST(ThemeWin, DarkLookPaintsTabsStatusBarHeaderButtonsAndToolbar) {
  DarkLook dark;
  ThemeHost host;
  RECT stop;
  GetWindowRect(host.stop, &stop);
  SetCursorPos((stop.left + stop.right) / 2, (stop.top + stop.bottom) / 2);
  SendMessageW(host.stop, WM_MOUSEMOVE, 0, MAKELPARAM(19, 16));
  host.Settle();
  Pixels shot(host.window);
  SaveWindowScreenshot(host.window, "theme-dark");

  // Tab strip: face, the selected tab lighter with its accent bar on top.
  RECT other, selected;
  TabCtrl_GetItemRect(host.tab, 0, &other);
  TabCtrl_GetItemRect(host.tab, 1, &selected);
  EXPECT_EQ(shot.At(host.At(host.tab, other.left + 3, other.bottom - 3)), 0x202020u);
  EXPECT_EQ(shot.At(host.At(host.tab, selected.left + 3, selected.bottom - 3)), 0x282828u);
  EXPECT_EQ(shot.At(host.At(host.tab, selected.left + 3, selected.top)), 0x0078D7u);
  EXPECT_EQ(shot.At(host.At(host.tab, selected.left + 3, selected.top + 1)), 0x0078D7u);
  EXPECT_EQ(shot.At(host.At(host.tab, 200, 55)), 0x202020u);
  EXPECT_GT(host.Count(shot, host.tab, 0xE8E8E8), 10);  // the selected tab's text
  EXPECT_GT(host.Count(shot, host.tab, 0x8C8C8C), 10);  // the others'

  // Status bar: face with a line along its top, the text in the text colour.
  EXPECT_EQ(shot.At(host.At(host.status, 100, 0)), 0x505050u);
  EXPECT_EQ(shot.At(host.At(host.status, 100, 10)), 0x202020u);
  EXPECT_GT(host.Count(shot, host.status, 0xE8E8E8), 10);

  // List header: panel colour, separators right of and below each item, a sort
  // triangle on the sorted column only; the list and its edge dark.
  RECT game, year, list;
  Header_GetItemRect(host.header, 1, &game);
  Header_GetItemRect(host.header, 2, &year);
  int middle = (game.top + game.bottom) / 2;
  EXPECT_EQ(shot.At(host.At(host.header, game.right - 40, game.top + 2)), 0x303030u);
  EXPECT_EQ(shot.At(host.At(host.header, game.right - 1, middle)), 0x505050u);
  EXPECT_EQ(shot.At(host.At(host.header, game.right - 40, game.bottom - 1)), 0x505050u);
  EXPECT_EQ(shot.At(host.At(host.header, game.right - 10, middle)), 0xE8E8E8u);
  EXPECT_EQ(shot.At(host.At(host.header, year.right - 10, middle)), 0x303030u);
  GetClientRect(host.list, &list);
  EXPECT_EQ(shot.At(host.At(host.list, 300, list.bottom - 5)), 0x282828u);
  EXPECT_EQ(shot.At(host.At(host.list, 300, list.bottom + 1)), 0x505050u);
  RECT keyboard;
  Header_GetItemRect(host.header, 3, &keyboard);
  int ink = 0;
  for (int y = keyboard.top; y < keyboard.bottom; ++y)
    for (int x = keyboard.left; x < keyboard.right; ++x) ink += shot.At(host.At(host.header, x, y)) == 0xE8E8E8;
  EXPECT_EQ(ink, host.Ink(L"Keyboard")) << "an unsorted title is not cut short for a sort mark";

  // Edit fields and drop-down lists, enabled or not: a thin line round them
  // and their inside's colour up to it, none of the system's light edges.
  for (HWND field : {host.edit, host.disabled_edit, host.disabled_combo}) {
    RECT r;
    GetWindowRect(field, &r);
    const POINT o = host.AtScreen(r.left, r.top);
    const int w = r.right - r.left, h = r.bottom - r.top;
    for (POINT p : {POINT{w / 2, 0}, POINT{w / 2, h - 1}, POINT{0, h / 2}, POINT{w - 1, h / 2}})
      EXPECT_EQ(shot.At({o.x + p.x, o.y + p.y}), 0x505050u) << field << " at " << p.x << "," << p.y;
    EXPECT_EQ(shot.At({o.x + w / 2, o.y + h - 2}), field == host.edit ? 0x383838u : 0x202020u) << field;
  }

  // Toolbar: checked, hot, plain and disabled buttons, and a separator.
  EXPECT_EQ(shot.At(host.At(host.star, 19, 3)), 0x3E3E3Eu);
  EXPECT_EQ(shot.At(host.At(host.star, 0, 0)), 0x202020u);  // outside the rounded corner
  EXPECT_EQ(shot.At(host.At(host.stop, 19, 3)), 0x444444u);
  EXPECT_EQ(shot.At(host.At(host.refresh, 19, 3)), 0x202020u);
  EXPECT_GT(host.Count(shot, host.refresh, 0xE8E8E8), 20);
  EXPECT_EQ(shot.At(host.At(host.play, 19, 3)), 0x202020u);
  EXPECT_GT(host.Count(shot, host.play, 0x8C8C8C), 20);
  EXPECT_EQ(host.Count(shot, host.play, 0xE8E8E8), 0);
  EXPECT_EQ(shot.At(host.At(host.separator, 8, 16)), 0x8C8C8Cu);
  EXPECT_EQ(shot.At(host.At(host.separator, 8, 2)), 0x202020u);

  // Plain controls: labels through the control colours; push buttons dark,
  // the default one outlined in the accent colour.
  EXPECT_GT(host.Count(shot, host.label, 0xE8E8E8), 10);
  EXPECT_GT(host.Count(shot, host.dim_label, 0x8C8C8C), 10);
  EXPECT_EQ(host.Count(shot, host.dim_label, 0xE8E8E8), 0);
  EXPECT_EQ(shot.At(host.At(host.cancel, 6, 13)), 0x383838u);
  EXPECT_EQ(shot.At(host.At(host.cancel, 40, 0)), 0x505050u);
  EXPECT_EQ(shot.At(host.At(host.ok, 40, 0)), 0x0078D7u);

  // Menu bar: its items, the rest of the bar and the line beneath it.
  MENUBARINFO bar = {};
  bar.cbSize = sizeof bar;
  RECT file;
  ASSERT_TRUE(GetMenuBarInfo(host.window, OBJID_MENU, 0, &bar));
  ASSERT_TRUE(GetMenuItemRect(host.window, GetMenu(host.window), 0, &file));
  EXPECT_EQ(shot.At(host.AtScreen(bar.rcBar.right - 20, (bar.rcBar.top + bar.rcBar.bottom) / 2)), 0x202020u);
  EXPECT_EQ(shot.At(host.AtScreen(bar.rcBar.right - 20, bar.rcBar.bottom)), 0x202020u);
  EXPECT_EQ(shot.At(host.AtScreen(file.left + 1, file.top + 1)), 0x202020u);
  int text = 0;
  for (int y = file.top; y < file.bottom; ++y)
    for (int x = file.left; x < file.right; ++x) text += shot.At(host.AtScreen(x, y)) == 0xE8E8E8;
  EXPECT_GT(text, 5);

  // A status text too long for the bar is left out.
  std::wstring too_long(599, L'x');
  SendMessageW(host.status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(too_long.c_str()));
  // Unchecked, the Favorites Only button shows the outline star without highlight.
  auto bright = [](uint32_t p) { return (p & 0xFF) > 0xA0; };
  int filled_star = host.CountIf(shot, host.star, bright);
  SetToolChecked(host.star, false);
  host.Settle();
  Pixels later(host.window);
  EXPECT_EQ(host.Count(later, host.status, 0xE8E8E8), 0);
  EXPECT_GT(filled_star, host.CountIf(later, host.star, bright) * 3 / 2);
  EXPECT_EQ(later.At(host.At(host.star, 19, 3)), 0x202020u);
}

TEST(ThemeWin, LightLookInstallsNoDarkHooks) {
  ApplyTheme(false);
  ThemeHost host;
  Pixels shot(host.window);
  SaveWindowScreenshot(host.window, "theme-light");
  for (HWND control : {host.tab, host.status, host.header, host.cancel}) EXPECT_FALSE(HasDarkPainting(control));
  LRESULT result = 0;
  for (UINT message : {0x91u, 0x92u, static_cast<UINT>(WM_NCPAINT), static_cast<UINT>(WM_NCACTIVATE)})
    EXPECT_FALSE(DarkMenuBarMessage(host.window, message, 1, 0, &result)) << message;

  EXPECT_NE(shot.At(host.At(host.status, 100, 0)), 0x505050u);
  EXPECT_NE(shot.At(host.At(host.header, 20, 2)), 0x303030u);
  EXPECT_EQ(shot.At(host.At(host.refresh, 19, 3)), RgbOf(GetSysColor(COLOR_3DFACE)));
  EXPECT_EQ(shot.At(host.At(host.star, 19, 3)), 0xD6D6D6u);
  EXPECT_GT(host.Count(shot, host.dim_label, RgbOf(GetSysColor(COLOR_GRAYTEXT))), 10);
}

TEST(ThemeWin, ControlColoursAnswerByKindOfControlAndLook) {
  ThemeHost host;
  HWND edit = host.Child(L"EDIT", L"text", WS_BORDER, 420, 100, 100, 22);
  HDC dc = GetDC(host.window);
  LRESULT result = 0;
  {
    DarkLook dark;
    ASSERT_TRUE(ControlColours(WM_CTLCOLOREDIT, dc, edit, false, &result));
    EXPECT_EQ(GetBkColor(dc), RGB(0x38, 0x38, 0x38));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(result), KeptBrush(RGB(0x38, 0x38, 0x38)));
    ASSERT_TRUE(ControlColours(WM_CTLCOLORSTATIC, dc, host.label, true, &result));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(result), ControlBackgroundBrush());
    ASSERT_TRUE(ControlColours(WM_CTLCOLORSTATIC, dc, host.label, false, &result));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(result), FaceBrush());
    EXPECT_EQ(GetTextColor(dc), RGB(0xE8, 0xE8, 0xE8));
    EnableWindow(host.label, FALSE);
    ControlColours(WM_CTLCOLORBTN, dc, host.label, false, &result);
    EXPECT_EQ(GetTextColor(dc), RGB(0x8C, 0x8C, 0x8C));
  }
  EXPECT_FALSE(ControlColours(WM_CTLCOLOREDIT, dc, edit, false, &result));
  EXPECT_FALSE(ControlColours(WM_CTLCOLORSTATIC, dc, host.label, false, &result));
  EXPECT_TRUE(ControlColours(WM_CTLCOLORSTATIC, dc, host.dim_label, false, &result));
  EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_GRAYTEXT));
  ReleaseDC(host.window, dc);
}

namespace {
Pixels* g_open_menu = nullptr;
HWND g_menu_host = nullptr;
void CALLBACK CaptureOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_open_menu = new Pixels(g_menu_host);
  EndMenu();
}
}  // namespace

TEST(ThemeWin, MenuBarStaysDarkThroughAnOpenMenuAndKeepsItsMnemonics) {
  DarkLook dark;
  ThemeHost host;
  g_menu_host = host.window;
  SetForegroundWindow(host.window);
  SetTimer(nullptr, 0, 300, CaptureOpenMenu);
  PostMessageW(host.window, WM_SYSCOMMAND, SC_KEYMENU, 'v');
  for (int i = 0; i < 30 && !g_open_menu; ++i) PumpMessagesFor(20);
  host.Settle();
  ASSERT_NE(g_open_menu, nullptr);
  Pixels closed(host.window);

  RECT view;
  MENUBARINFO bar = {};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetMenuItemRect(host.window, GetMenu(host.window), 1, &view));
  ASSERT_TRUE(GetMenuBarInfo(host.window, OBJID_MENU, 0, &bar));
  POINT corner = host.AtScreen(view.left + 2, view.top + 2);
  POINT beyond = host.AtScreen(bar.rcBar.right - 20, (bar.rcBar.top + bar.rcBar.bottom) / 2);
  EXPECT_EQ(g_open_menu->At(corner), 0x4E4E4Eu);  // the open menu's item is pushed
  EXPECT_EQ(g_open_menu->At(beyond), 0x202020u);
  EXPECT_EQ(closed.At(corner), 0x202020u);
  EXPECT_EQ(closed.At(beyond), 0x202020u);
  delete g_open_menu;

  // Where the bar's items are owner-drawn, Alt and a letter still open them.
  LRESULT result = 0;
  auto menu = reinterpret_cast<LPARAM>(GetMenu(host.window));
  ASSERT_TRUE(DarkMenuBarMessage(host.window, WM_MENUCHAR, MAKEWPARAM(L'h', MF_POPUP), menu, &result));
  EXPECT_EQ(result, MAKELRESULT(2, MNC_EXECUTE));
  EXPECT_FALSE(DarkMenuBarMessage(host.window, WM_MENUCHAR, MAKEWPARAM(L'q', MF_POPUP), menu, &result));
}

TEST(ToolButtonWin, TracksThePointerAndKnowsItsOwnItems) {
  ThemeHost host;
  RECT rect;
  GetWindowRect(host.refresh, &rect);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  SendMessageW(host.refresh, WM_MOUSEMOVE, 0, MAKELPARAM(19, 16));
  EXPECT_NE(GetPropW(host.refresh, L"tbhot"), nullptr);
  SendMessageW(host.refresh, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(GetPropW(host.refresh, L"tbhot"), nullptr);
  SendMessageW(host.refresh, WM_MOUSEMOVE, 0, MAKELPARAM(19, 16));
  EnableWindow(host.refresh, FALSE);  // a disabled button hears no leave notice
  EXPECT_EQ(GetPropW(host.refresh, L"tbhot"), nullptr);

  EXPECT_TRUE(IsToolChecked(host.star));
  SetToolChecked(host.star, false);
  EXPECT_FALSE(IsToolChecked(host.star));
  DRAWITEMSTRUCT other = {};
  other.CtlType = ODT_BUTTON;
  other.hwndItem = host.label;
  EXPECT_FALSE(DrawToolItem(&other));
}

TEST(ImageListsWin, TwoPremultipliedImagesEach) {
  HIMAGELIST status = StatusImageList(16);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(status), 2);
  // Drawn over black, a premultiplied image shows its colour where covered.
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 16);
  HGDIOBJ old = SelectObject(memory, bitmap);
  RECT all = {0, 0, 32, 16};
  FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ImageList_Draw(status, 0, memory, 0, 0, ILD_NORMAL);
  ImageList_Draw(status, 1, memory, 16, 0, ILD_NORMAL);
  EXPECT_EQ(GetPixel(memory, 8, 2), RGB(0x2E, 0xA0, 0x43));
  EXPECT_EQ(GetPixel(memory, 16 + 8, 2), RGB(0xD6, 0x45, 0x41));
  EXPECT_EQ(GetPixel(memory, 0, 0), RGB(0, 0, 0));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  ImageList_Destroy(status);

  HIMAGELIST favourites = FavoriteImageList(20, RGB(0x8C, 0x8C, 0x8C), RGB(0xE8, 0xE8, 0xE8));
  EXPECT_EQ(ImageList_GetImageCount(favourites), 2);
  ImageList_Destroy(favourites);
}

TEST(TooltipsWin, OneToolPerControlWithTheLatestText) {
  ThemeHost host;
  HWND tips = CreateTooltips(host.window);
  AddTooltip(tips, host.refresh, "Refresh (F5)");
  AddTooltip(tips, host.star, "Favorites Only");
  AddTooltip(tips, host.refresh, "Refresh \xE2\x80\x94 again");
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
  wchar_t text[80] = {};
  TTTOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = host.window;
  tool.uId = reinterpret_cast<UINT_PTR>(host.refresh);
  tool.lpszText = text;
  SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Refresh \x2014 again");
  DestroyWindow(tips);
}
