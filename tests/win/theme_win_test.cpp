// The look under Wine: a window with the controls the dark look paints itself,
// read back pixel by pixel in both looks.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "screenshot_win.h"
#include "ui/dark_menu_bar_win.h"
#include "ui/dark_paint_win.h"
#include "ui/icon_mask.h"
#include "ui/image_lists_win.h"
#include "ui/theme_win.h"
#include "ui/tool_button_win.h"
#include "ui/tooltips_win.h"
#include "ui/ui_metrics_win.h"

namespace {
struct Pixels {
  int width = 0, height = 0;
  std::vector<uint32_t> rgb;  // 0x00RRGGBB, top row first

  // The colour at a point, or 0xFFFFFFFF outside.
  uint32_t At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height ? rgb[static_cast<size_t>(y) * width + x] & 0xFFFFFF
                                                       : 0xFFFFFFFF;
  }
};

// The whole window, frame included, as it painted itself (read from its window
// DC, so nothing on the screen above it gets in the way).
Pixels CaptureWindow(HWND window) {
  Pixels shot;
  RECT rect;
  GetWindowRect(window, &rect);
  shot.width = rect.right - rect.left;
  shot.height = rect.bottom - rect.top;
  HDC source = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, shot.width, shot.height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* data = static_cast<const uint32_t*>(bits);
  shot.rgb.assign(data, data + static_cast<size_t>(shot.width) * shot.height);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, source);
  return shot;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (DarkMenuBarMessage(window, message, wparam, lparam, &result)) return result;
  switch (message) {
    case WM_DRAWITEM:
      if (DrawToolItem(reinterpret_cast<DRAWITEMSTRUCT*>(lparam))) return TRUE;
      break;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, FaceBrush());
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (ControlColours(message, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam), false, &result))
        return result;
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
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

HWND Child(HWND parent, const wchar_t* window_class, const wchar_t* text, DWORD style, int x, int y, int w, int h) {
  HWND child = CreateWindowExW(0, window_class, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  SetUiFont(child);
  return child;
}

// A window holding one of each control the look touches, laid out at 96 DPI.
struct ThemeHost {
  HWND window = nullptr, tab = nullptr, status = nullptr, list = nullptr, header = nullptr;
  HWND refresh = nullptr, star = nullptr, play = nullptr, stop = nullptr, separator = nullptr;
  HWND label = nullptr, dim_label = nullptr, ok = nullptr, cancel = nullptr;

  ThemeHost() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    SetUiDpi(96);
    if (!Ui().font) Ui().font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    static bool registered = false;
    if (!registered) {
      WNDCLASSW wc = {};
      wc.lpfnWndProc = HostProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.lpszClassName = L"KorvoThemeTest";
      registered = RegisterClassW(&wc) != 0;
    }
    window = CreateWindowExW(WS_EX_TOPMOST, L"KorvoThemeTest", L"Theme", WS_OVERLAPPEDWINDOW, 40, 40, 600, 420,
                             nullptr, TestMenu(), GetModuleHandleW(nullptr), nullptr);
    DarkTitleBar(window);

    refresh = CreateToolButton(window, 200, kIconRefresh);
    star = CreateToolButton(window, 112, kIconStar);
    play = CreateToolButton(window, 106, kIconPlay);
    stop = CreateToolButton(window, 105, kIconStop);
    separator = CreateToolSeparator(window);
    HWND settings = CreateToolButton(window, 116, kIconSettings);
    int x = 8;
    for (HWND tool : {refresh, star, play, stop, separator, settings}) {
      int width = tool == separator ? 16 : 38;
      MoveWindow(tool, x, 8, width, 32, FALSE);
      x += width + 2;
    }
    SetToolChecked(star, true);
    EnableWindow(play, FALSE);

    tab = Child(window, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS, 8, 48, 400, 60);
    const wchar_t* names[] = {L"General", L"Video", L"Audio", L"Controls", L"Combos"};
    for (int i = 0; i < 5; ++i) {
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(names[i]);
      TabCtrl_InsertItem(tab, i, &item);
    }
    TabCtrl_SetCurSel(tab, 1);
    DarkTabs(tab);

    label = Child(window, L"STATIC", L"Plain label", 0, 420, 52, 150, 20);
    dim_label = Child(window, L"STATIC", L"Dim label", 0, 420, 78, 150, 20);
    SetPropW(dim_label, L"dim", reinterpret_cast<HANDLE>(1));

    list = Child(window, WC_LISTVIEWW, L"", LVS_REPORT | LVS_SINGLESEL, 8, 116, 560, 170);
    SetWindowLongPtrW(list, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    SetWindowPos(list, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    const wchar_t* columns[] = {L"#", L"Game", L"Year"};
    for (int i = 0; i < 3; ++i) {
      LVCOLUMNW column = {};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.pszText = const_cast<wchar_t*>(columns[i]);
      column.cx = i == 1 ? 260 : 80;
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
      wchar_t number[8];
      wsprintfW(number, L"%d", row + 1);
      item.pszText = number;
      ListView_InsertItem(list, &item);
      ListView_SetItemText(list, row, 1, const_cast<wchar_t*>(row == 1 ? L"Second game" : L"A game"));
    }
    ThemeControl(list, L"SysListView32");

    ok = Child(window, L"BUTTON", L"OK", BS_DEFPUSHBUTTON, 8, 294, 80, 26);
    cancel = Child(window, L"BUTTON", L"&Cancel", BS_PUSHBUTTON, 96, 294, 80, 26);
    ThemeControl(ok, L"BUTTON");
    ThemeControl(cancel, L"BUTTON");

    status = Child(window, STATUSCLASSNAMEW, L"", 0, 0, 0, 0, 0);
    SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Ready."));
    DarkStatusBar(status);

    ShowWindow(window, SW_SHOW);
    Settle();
  }
  ~ThemeHost() {
    DestroyWindow(window);
    Pump();
  }

  void Settle() {
    for (int i = 0; i < 5; ++i) {
      Pump();
      Sleep(20);
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
  }

  // A point of a control's client area in window coordinates (screenshots are of the whole window).
  POINT At(HWND control, int x, int y) const {
    POINT point = {x, y};
    ClientToScreen(control, &point);
    RECT frame;
    GetWindowRect(window, &frame);
    return {point.x - frame.left, point.y - frame.top};
  }
};

uint32_t Pixel(const Pixels& shot, POINT p) { return shot.At(p.x, p.y); }

// How many pixels of a control's client area have exactly this colour.
int CountColour(const Pixels& shot, const ThemeHost& host, HWND control, uint32_t rgb) {
  RECT client;
  GetClientRect(control, &client);
  int count = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) count += Pixel(shot, host.At(control, x, y)) == rgb;
  return count;
}

// The brightest pixels of a tool button: its icon drawn in the text colour.
int BrightPixels(const Pixels& shot, const ThemeHost& host, HWND button) {
  RECT client;
  GetClientRect(button, &client);
  int count = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) count += (Pixel(shot, host.At(button, x, y)) & 0xFF) > 0xA0;
  return count;
}

struct DarkLook {
  DarkLook() { ApplyTheme(true); }
  ~DarkLook() { ApplyTheme(false); }
};
}  // namespace

TEST(ThemeWin, DarkLookPaintsTabsStatusBarHeaderAndToolbar) {
  DarkLook dark;
  ThemeHost host;
  RECT stop_rect;
  GetWindowRect(host.stop, &stop_rect);
  SetCursorPos((stop_rect.left + stop_rect.right) / 2, (stop_rect.top + stop_rect.bottom) / 2);
  SendMessageW(host.stop, WM_MOUSEMOVE, 0, MAKELPARAM(19, 16));
  host.Settle();
  Pixels shot = CaptureWindow(host.window);
  SaveWindowScreenshot(host.window, "theme-dark");

  // Tab strip: face, the selected tab lighter with its accent bar on top.
  RECT unselected, selected;
  TabCtrl_GetItemRect(host.tab, 0, &unselected);
  TabCtrl_GetItemRect(host.tab, 1, &selected);
  EXPECT_EQ(Pixel(shot, host.At(host.tab, unselected.left + 3, unselected.bottom - 3)), 0x202020u);
  EXPECT_EQ(Pixel(shot, host.At(host.tab, selected.left + 3, selected.bottom - 3)), 0x282828u);
  EXPECT_EQ(Pixel(shot, host.At(host.tab, selected.left + 3, selected.top)), 0x0078D7u);
  EXPECT_EQ(Pixel(shot, host.At(host.tab, selected.left + 3, selected.top + 1)), 0x0078D7u);
  EXPECT_EQ(Pixel(shot, host.At(host.tab, 200, 55)), 0x202020u);
  EXPECT_GT(CountColour(shot, host, host.tab, 0xE8E8E8), 10);  // the selected tab's text
  EXPECT_GT(CountColour(shot, host, host.tab, 0x8C8C8C), 10);  // the others'

  // Status bar: face with a line along its top and the text in the text colour.
  RECT status;
  GetClientRect(host.status, &status);
  EXPECT_EQ(Pixel(shot, host.At(host.status, 100, 0)), 0x505050u);
  EXPECT_EQ(Pixel(shot, host.At(host.status, 100, status.bottom - 2)), 0x202020u);
  EXPECT_GT(CountColour(shot, host, host.status, 0xE8E8E8), 10);

  // List header: panel colour, separators right and below each item, a sort triangle.
  RECT game;
  Header_GetItemRect(host.header, 1, &game);
  int middle = (game.top + game.bottom) / 2;
  EXPECT_EQ(Pixel(shot, host.At(host.header, game.right - 40, game.top + 2)), 0x303030u);
  EXPECT_EQ(Pixel(shot, host.At(host.header, game.right - 1, middle)), 0x505050u);
  EXPECT_EQ(Pixel(shot, host.At(host.header, game.right - 40, game.bottom - 1)), 0x505050u);
  EXPECT_EQ(Pixel(shot, host.At(host.header, game.right - 10, middle)), 0xE8E8E8u);
  RECT year;
  Header_GetItemRect(host.header, 2, &year);
  EXPECT_EQ(Pixel(shot, host.At(host.header, year.right - 10, middle)), 0x303030u);  // not sorted
  RECT list;
  GetClientRect(host.list, &list);
  EXPECT_EQ(Pixel(shot, host.At(host.list, 300, list.bottom - 5)), 0x282828u);
  EXPECT_EQ(Pixel(shot, host.At(host.list, 300, list.bottom + 1)), 0x505050u);  // the sunken edge, flat and dark
  EXPECT_EQ(Pixel(shot, host.At(host.list, 300, list.bottom)), 0x282828u);

  // Toolbar: checked, hot, plain and disabled buttons.
  EXPECT_EQ(Pixel(shot, host.At(host.star, 19, 3)), 0x3E3E3Eu);
  EXPECT_EQ(Pixel(shot, host.At(host.star, 0, 0)), 0x202020u);  // outside the rounded corner
  EXPECT_EQ(Pixel(shot, host.At(host.stop, 19, 3)), 0x444444u);
  EXPECT_EQ(Pixel(shot, host.At(host.refresh, 19, 3)), 0x202020u);
  EXPECT_GT(CountColour(shot, host, host.refresh, 0xE8E8E8), 20);
  EXPECT_EQ(Pixel(shot, host.At(host.play, 19, 3)), 0x202020u);
  EXPECT_GT(CountColour(shot, host, host.play, 0x8C8C8C), 20);
  EXPECT_EQ(CountColour(shot, host, host.play, 0xE8E8E8), 0);
  EXPECT_EQ(Pixel(shot, host.At(host.separator, 8, 16)), 0x8C8C8Cu);
  EXPECT_EQ(Pixel(shot, host.At(host.separator, 8, 2)), 0x202020u);

  // Plain controls take their colours from the host's control-colour answer.
  EXPECT_GT(CountColour(shot, host, host.label, 0xE8E8E8), 10);
  EXPECT_GT(CountColour(shot, host, host.dim_label, 0x8C8C8C), 10);
  EXPECT_EQ(CountColour(shot, host, host.dim_label, 0xE8E8E8), 0);

  // Push buttons: dark bodies, the default one outlined in the accent colour.
  // (Painted by the launcher where the platform has no dark style for them.)
  EXPECT_EQ(Pixel(shot, host.At(host.cancel, 6, 13)), 0x383838u);
  EXPECT_EQ(Pixel(shot, host.At(host.cancel, 40, 0)), 0x505050u);
  EXPECT_EQ(Pixel(shot, host.At(host.ok, 40, 0)), 0x0078D7u);
  EXPECT_GT(CountColour(shot, host, host.cancel, 0xE8E8E8), 10);

  // The menu bar and the line beneath it are the face colour.
  MENUBARINFO bar = {};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetMenuBarInfo(host.window, OBJID_MENU, 0, &bar));
  RECT frame;
  GetWindowRect(host.window, &frame);
  int bar_y = (bar.rcBar.top + bar.rcBar.bottom) / 2 - frame.top;
  EXPECT_EQ(shot.At(bar.rcBar.right - 20 - frame.left, bar_y), 0x202020u);
  EXPECT_EQ(shot.At(bar.rcBar.right - 20 - frame.left, bar.rcBar.bottom - frame.top), 0x202020u);
  RECT file_item;
  ASSERT_TRUE(GetMenuItemRect(host.window, GetMenu(host.window), 0, &file_item));
  int item_text = 0;
  for (int y = file_item.top; y < file_item.bottom; ++y)
    for (int x = file_item.left; x < file_item.right; ++x) item_text += shot.At(x - frame.left, y - frame.top) == 0xE8E8E8;
  EXPECT_GT(item_text, 5);
}

TEST(ThemeWin, CheckedFavoritesButtonShowsTheFilledStar) {
  DarkLook dark;
  ThemeHost host;
  int checked = BrightPixels(CaptureWindow(host.window), host, host.star);
  SetToolChecked(host.star, false);
  host.Settle();
  Pixels plain = CaptureWindow(host.window);
  int outline = BrightPixels(plain, host, host.star);
  EXPECT_GT(checked, outline * 3 / 2);
  EXPECT_EQ(Pixel(plain, host.At(host.star, 19, 3)), 0x202020u);  // no highlight once unchecked
}

TEST(ThemeWin, LightLookInstallsNoDarkHooks) {
  ApplyTheme(false);
  ThemeHost host;
  Pixels shot = CaptureWindow(host.window);
  SaveWindowScreenshot(host.window, "theme-light");
  EXPECT_FALSE(HasDarkPainting(host.tab));
  EXPECT_FALSE(HasDarkPainting(host.status));
  EXPECT_FALSE(HasDarkPainting(host.header));
  LRESULT result = 0;
  for (UINT message : {0x91u, 0x92u, static_cast<UINT>(WM_NCPAINT), static_cast<UINT>(WM_NCACTIVATE)})
    EXPECT_FALSE(DarkMenuBarMessage(host.window, message, 1, 0, &result)) << message;

  EXPECT_NE(Pixel(shot, host.At(host.status, 100, 0)), 0x505050u);
  EXPECT_NE(Pixel(shot, host.At(host.header, 20, 2)), 0x303030u);
  uint32_t face = RgbOf(GetSysColor(COLOR_3DFACE));
  EXPECT_EQ(Pixel(shot, host.At(host.refresh, 19, 3)), face);
  EXPECT_EQ(Pixel(shot, host.At(host.star, 19, 3)), 0xD6D6D6u);
  EXPECT_GT(CountColour(shot, host, host.dim_label, RgbOf(GetSysColor(COLOR_GRAYTEXT))), 10);
}

TEST(ThemeWin, DarkLookHooksTheListHeaderButNotTheList) {
  DarkLook dark;
  ThemeHost host;
  EXPECT_TRUE(HasDarkPainting(host.tab));
  EXPECT_TRUE(HasDarkPainting(host.status));
  EXPECT_TRUE(HasDarkPainting(host.header));
  EXPECT_FALSE(HasDarkPainting(host.list));
  EXPECT_EQ(ListView_GetBkColor(host.list), RGB(0x28, 0x28, 0x28));
  EXPECT_EQ(ListView_GetTextColor(host.list), RGB(0xE8, 0xE8, 0xE8));

  // The dark status bar leaves out texts too long for it.
  std::wstring longest(598, L'x'), too_long(599, L'x');
  SendMessageW(host.status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(longest.c_str()));
  host.Settle();
  EXPECT_GT(CountColour(CaptureWindow(host.window), host, host.status, 0xE8E8E8), 10);
  SendMessageW(host.status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(too_long.c_str()));
  host.Settle();
  EXPECT_EQ(CountColour(CaptureWindow(host.window), host, host.status, 0xE8E8E8), 0);
}

TEST(ThemeWin, ControlColoursAnswerByKindOfControlAndLook) {
  ThemeHost host;
  HWND edit = Child(host.window, L"EDIT", L"text", WS_BORDER, 420, 100, 100, 22);
  HDC dc = GetDC(host.window);
  LRESULT result = 0;
  {
    DarkLook dark;
    ASSERT_TRUE(ControlColours(WM_CTLCOLOREDIT, dc, edit, false, &result));
    EXPECT_EQ(GetBkColor(dc), RGB(0x38, 0x38, 0x38));
    EXPECT_EQ(GetTextColor(dc), RGB(0xE8, 0xE8, 0xE8));
    LOGBRUSH brush;
    GetObjectW(reinterpret_cast<HBRUSH>(result), sizeof brush, &brush);
    EXPECT_EQ(brush.lbColor, RGB(0x38, 0x38, 0x38));

    ASSERT_TRUE(ControlColours(WM_CTLCOLORSTATIC, dc, host.label, true, &result));
    EXPECT_EQ(GetBkColor(dc), RGB(0x28, 0x28, 0x28));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(result), ControlBackgroundBrush());
    ASSERT_TRUE(ControlColours(WM_CTLCOLORSTATIC, dc, host.label, false, &result));
    EXPECT_EQ(GetBkColor(dc), RGB(0x20, 0x20, 0x20));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(result), FaceBrush());
    EXPECT_EQ(GetTextColor(dc), RGB(0xE8, 0xE8, 0xE8));
    EnableWindow(host.label, FALSE);
    ControlColours(WM_CTLCOLORBTN, dc, host.label, false, &result);
    EXPECT_EQ(GetTextColor(dc), RGB(0x8C, 0x8C, 0x8C));
    EXPECT_EQ(LinkColour(), RGB(90, 170, 255));
  }
  EXPECT_FALSE(ControlColours(WM_CTLCOLOREDIT, dc, edit, false, &result));
  EXPECT_FALSE(ControlColours(WM_CTLCOLORSTATIC, dc, host.label, false, &result));
  EXPECT_TRUE(ControlColours(WM_CTLCOLORSTATIC, dc, host.dim_label, false, &result));
  EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_GRAYTEXT));
  EXPECT_EQ(LinkColour(), RGB(0, 102, 204));
  EXPECT_EQ(FaceColour(), GetSysColor(COLOR_3DFACE));
  ReleaseDC(host.window, dc);
}

TEST(ToolButtonWin, TracksThePointerCheckedStateAndKnowsItsOwnItems) {
  ThemeHost host;
  EXPECT_TRUE(IsToolChecked(host.star));
  EXPECT_FALSE(IsToolChecked(host.refresh));
  SetToolChecked(host.refresh, true);
  EXPECT_TRUE(IsToolChecked(host.refresh));
  SetToolChecked(host.refresh, false);
  EXPECT_FALSE(IsToolChecked(host.refresh));

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

  EXPECT_EQ(GetPropW(host.star, L"tbico"), reinterpret_cast<HANDLE>(kIconStar + 1));
  EXPECT_NE(GetPropW(host.separator, L"tbsep"), nullptr);
  DRAWITEMSTRUCT other = {};
  other.CtlType = ODT_BUTTON;
  other.hwndItem = host.label;
  other.hDC = GetDC(host.window);
  EXPECT_FALSE(DrawToolItem(&other));
  EXPECT_FALSE(DrawToolItem(nullptr));
  ReleaseDC(host.window, other.hDC);
}

TEST(ImageListsWin, TwoPremultipliedImagesEach) {
  HIMAGELIST status = StatusImageList(16);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(status), 2);
  int width = 0, height = 0;
  ImageList_GetIconSize(status, &width, &height);
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 16);

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
  ASSERT_NE(favourites, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(favourites), 2);
  ImageList_Destroy(favourites);
}

TEST(TooltipsWin, OneToolPerControlWithTheLatestText) {
  ThemeHost host;
  HWND tips = CreateTooltips(host.window);
  ASSERT_NE(tips, nullptr);
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

namespace {
Pixels g_open_menu;
HWND g_menu_host = nullptr;
void CALLBACK CaptureOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_open_menu = CaptureWindow(g_menu_host);
  EndMenu();
}
}  // namespace

TEST(ThemeWin, MenuBarStaysDarkAfterAMenuWasOpened) {
  DarkLook dark;
  ThemeHost host;
  g_menu_host = host.window;
  SetForegroundWindow(host.window);
  SetTimer(nullptr, 0, 300, CaptureOpenMenu);
  PostMessageW(host.window, WM_SYSCOMMAND, SC_KEYMENU, 'v');
  for (int i = 0; i < 30 && g_open_menu.rgb.empty(); ++i) {
    Pump();
    Sleep(20);
  }
  host.Settle();
  Pixels closed = CaptureWindow(host.window);
  ASSERT_FALSE(g_open_menu.rgb.empty());

  RECT frame, view;
  GetWindowRect(host.window, &frame);
  ASSERT_TRUE(GetMenuItemRect(host.window, GetMenu(host.window), 1, &view));
  MENUBARINFO bar = {};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetMenuBarInfo(host.window, OBJID_MENU, 0, &bar));
  POINT corner = {view.left + 2 - frame.left, view.top + 2 - frame.top};
  POINT beyond = {bar.rcBar.right - 20 - frame.left, (bar.rcBar.top + bar.rcBar.bottom) / 2 - frame.top};
  EXPECT_EQ(g_open_menu.At(corner.x, corner.y), 0x4E4E4Eu);  // the open menu's item is pushed
  EXPECT_EQ(g_open_menu.At(beyond.x, beyond.y), 0x202020u);
  EXPECT_EQ(closed.At(corner.x, corner.y), 0x202020u);
  EXPECT_EQ(closed.At(beyond.x, beyond.y), 0x202020u);

  // Owner-drawn bar items still open by their mnemonic.
  LRESULT result = 0;
  ASSERT_TRUE(DarkMenuBarMessage(host.window, WM_MENUCHAR, MAKEWPARAM(L'h', MF_POPUP),
                                 reinterpret_cast<LPARAM>(GetMenu(host.window)), &result));
  EXPECT_EQ(result, MAKELRESULT(2, MNC_EXECUTE));
  EXPECT_FALSE(DarkMenuBarMessage(host.window, WM_MENUCHAR, MAKEWPARAM(L'q', MF_POPUP),
                                  reinterpret_cast<LPARAM>(GetMenu(host.window)), &result));
}
