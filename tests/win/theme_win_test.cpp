// The look: a window of the controls the dark look paints, read back pixel by pixel; tooltips.
#include <gtest/gtest.h>

#include <optional>

#include "dialog_script_win.h"
#include "ui/dark_paint_win.h"
#include "ui/flat_status_bar_win.h"
#include "ui/icon_mask.h"
#include "ui/tool_bar_win.h"
#include "ui/tooltips_win.h"

namespace {
int last_command = 0;  // the latest WM_COMMAND the host heard

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (DarkMenuBarMessage(window, message, wparam, lparam, &result)) return result;
  if (message == WM_COMMAND) last_command = LOWORD(wparam);
  if (message == WM_ERASEBKGND) {
    const RECT client = ClientRectOf(window);
    FillRect(reinterpret_cast<HDC>(wparam), &client, FaceBrush());
    return 1;
  }
  if (ControlColours(message, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam), false, &result))
    return result;
  return DefWindowProcW(window, message, wparam, lparam);
}

// One of each control the look touches, laid out at 96 DPI, in the current look.
struct ThemeHost {
  HWND window, tab, status, list, header, label, dim_label, ok, cancel, edit, disabled_edit, disabled_combo;
  HWND combo, number, spin, check;  // a drop-down list with a choice; a number field and its arrows; a ticked box
  HWND tools;  // Refresh (hot), the star (checked), Play (disabled), a separator, Settings

  // A point of the toolbar, from the left of button `id`.
  int X(int id, int x) const { return ToolRect(tools, id).left + x; }

  HWND Child(const wchar_t* kind, const wchar_t* text, DWORD style, int x, int y, int w, int h, DWORD ex_style = 0) {
    HWND child = CreateWindowExW(ex_style, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, window, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetUiFont(child);
    ThemeControl(child, kind);
    return child;
  }

  ThemeHost() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    SetUiDpi(96);
    if (!Ui().font) Ui().font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    WNDCLASSW wc = {0, HostProc, 0, 0, GetModuleHandleW(nullptr), nullptr, LoadCursorW(nullptr, IDC_ARROW)};
    wc.lpszClassName = L"KorvoThemeTest";
    RegisterClassW(&wc);  // fails harmlessly from the second host on
    HMENU bar = CreateMenu();
    for (const wchar_t* name : {L"&File", L"&View", L"&Help"})
      AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), name);
    AppendMenuW(GetSubMenu(bar, 1), MF_STRING, 900, L"&Item");
    window = CreateWindowExW(WS_EX_TOPMOST, L"KorvoThemeTest", L"Theme", WS_OVERLAPPEDWINDOW, 40, 40, 600, 460,
                             nullptr, bar, GetModuleHandleW(nullptr), nullptr);
    DarkTitleBar(window);
    tools = CreateToolBar(window, 300);
    SetToolBarItems(tools, {{200, kIconRefresh, {0, 0, 38, 32}, "Refresh (F5)"},
                            {112, kIconStar, {40, 0, 78, 32}, "Favorites Only"}, {106, kIconPlay, {80, 0, 118, 32}, "Play"},
                            {0, -1, {120, 0, 136, 32}}, {116, kIconSettings, {138, 0, 176, 32}, "Settings"}});
    MoveWindow(tools, 8, 8, 178, 32, FALSE);
    ShowWindow(tools, SW_SHOWNA);
    SetToolChecked(tools, 112, true);
    SetToolEnabled(tools, 106, false);

    tab = Child(WC_TABCONTROLW, L"", WS_CLIPSIBLINGS, 8, 48, 400, 60);
    for (const wchar_t* name : {L"General", L"Video", L"Audio"}) {
      TCITEMW item = {TCIF_TEXT, 0, 0, const_cast<wchar_t*>(name)};
      TabCtrl_InsertItem(tab, TabCtrl_GetItemCount(tab), &item);
    }
    TabCtrl_SetCurSel(tab, 1);
    DarkTabs(tab);
    label = Child(L"STATIC", L"Keyboard", 0, 420, 52, 150, 20);  // as the header's last title
    dim_label = Child(L"STATIC", L"Dim label", 0, 420, 78, 150, 20);
    SetPropW(dim_label, L"dim", reinterpret_cast<HANDLE>(1));
    ok = Child(L"BUTTON", L"OK", BS_DEFPUSHBUTTON, 8, 294, 80, 26);
    cancel = Child(L"BUTTON", L"&Cancel", BS_PUSHBUTTON, 96, 294, 80, 26);
    edit = Child(L"EDIT", L"text", 0, 190, 294, 110, 23, WS_EX_CLIENTEDGE);
    disabled_edit = Child(L"EDIT", L"text", WS_DISABLED, 306, 294, 110, 23, WS_EX_CLIENTEDGE);
    disabled_combo = Child(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_DISABLED, 420, 294, 140, 200);
    combo = Child(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST, 8, 330, 140, 200);
    for (HWND drop : {disabled_combo, combo}) {
      SendMessageW(drop, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Choice"));
      SendMessageW(drop, CB_SETCURSEL, 0, 0);
    }
    number = Child(L"EDIT", L"5", ES_NUMBER, 160, 330, 60, 23, WS_EX_CLIENTEDGE);
    spin = Child(UPDOWN_CLASSW, L"", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 0, 0);
    SendMessageW(spin, UDM_SETRANGE32, 0, 32);
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(number), 0);
    check = Child(L"BUTTON", L"&Enable", BS_AUTOCHECKBOX | WS_TABSTOP, 240, 330, 120, 20);
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    list = Child(WC_LISTVIEWW, L"", LVS_REPORT, 8, 116, 560, 170, WS_EX_CLIENTEDGE);
    // The last column is as wide as its title needs in the light look; the second is sorted.
    const wchar_t* columns[] = {L"#", L"Game", L"Year", L"Keyboard"};
    for (int i = 0; i < 4; ++i) {
      LVCOLUMNW column = {LVCF_TEXT | LVCF_WIDTH, 0, i == 1 ? 260 : i == 3 ? ListView_GetStringWidth(list, columns[i]) + 12 : 80,
                          const_cast<wchar_t*>(columns[i])};
      ListView_InsertColumn(list, i, &column);
    }
    for (int i = 0; i < 40; ++i) {  // more rows than it shows: a scroll bar
      std::wstring number = std::to_wstring(i + 1);
      LVITEMW row = {LVIF_TEXT, i, 0, 0, 0, number.data()};
      ListView_InsertItem(list, &row);
    }
    header = ListView_GetHeader(list);
    HDITEMW sorted = {HDI_FORMAT, 0, nullptr, nullptr, 0, HDF_STRING | HDF_SORTUP};
    Header_SetItem(header, 1, &sorted);
    status = Child(STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, 0, 0, 0, 0);
    SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Ready."));
    FlatStatusBar(status);
    ShowWindow(window, SW_SHOW);
    Settle();
  }
  ~ThemeHost() { DestroyWindow(window); }

  void Settle() {
    PumpMessagesFor(100);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessagesFor(20);
  }
  // How many pixels of a control's client area (or of a rectangle of it) have this colour.
  int Count(const WindowPixels& shot, HWND control, uint32_t rgb, RECT r = {}) const {
    if (IsRectEmpty(&r)) GetClientRect(control, &r);
    return shot.Count(control, r, [rgb](uint32_t c) { return c == rgb; });
  }
};
}  // namespace

TEST(ThemeWin, DarkLookPaintsEveryControlAndTheMenuBarStaysDark) {
  const Look dark(true);
  SetCursorPos(0, 0);
  ThemeHost host;
  WindowPixels shot(host.window);
  SaveWindowScreenshot(host.window, "theme-dark");
  // Tab strip: the selected tab lighter with its accent bar on top, the others on the face.
  const RECT other = TabItemRect(host.tab, 0), selected = TabItemRect(host.tab, 1);
  EXPECT_EQ(shot.In(host.tab, other.left + 3, other.bottom - 3), 0x202020u);
  EXPECT_EQ(shot.In(host.tab, selected.left + 3, selected.bottom - 3), 0x282828u);
  EXPECT_EQ(shot.In(host.tab, selected.left + 3, selected.top + 1), 0x0078D7u);
  EXPECT_GT(host.Count(shot, host.tab, 0x8C8C8C), 10);  // the others' text
  // List header (its panel colour: the main window's test): a separator, a sort triangle on the sorted column only.
  const RECT game = HeaderItemRect(host.header, 1), keyboard = HeaderItemRect(host.header, 3);
  int middle = (game.top + game.bottom) / 2;
  EXPECT_EQ(shot.In(host.header, game.right - 1, middle), 0x505050u);
  EXPECT_EQ(shot.In(host.header, game.right - 10, middle), 0xE8E8E8u);
  EXPECT_EQ(host.Count(shot, host.header, 0xE8E8E8, keyboard), host.Count(shot, host.label, 0xE8E8E8))
      << "an unsorted title is not cut short for a sort mark";
  // Edit fields, drop-down lists and lists, enabled or not: a thin line round, their inside's colour up to it.
  for (HWND field : {host.edit, host.disabled_edit, host.disabled_combo, host.list}) {
    const RECT r = RectIn(field, nullptr);
    const int w = r.right - r.left, h = r.bottom - r.top;
    for (POINT p : {POINT{w / 2, 0}, POINT{w / 2, h - 1}, POINT{0, h / 2}, POINT{w - 1, h / 2}})
      EXPECT_EQ(shot.In(nullptr, r.left + p.x, r.top + p.y), 0x505050u) << field << " at " << p.x << "," << p.y;
    EXPECT_EQ(shot.In(nullptr, r.left + w / 2, r.top + h - 2),
              field == host.edit ? 0x383838u : field == host.list ? 0x282828u : 0x202020u) << field;
  }
  // The list's own scroll bar (thumb and track dark: the main window's test): light chevrons on its arrows; its thumb
  // held and dragged stays dark (pushed) while the rows follow, and is the thumb's colour again once let go.
  SCROLLBARINFO scroll = {sizeof scroll};
  ASSERT_TRUE(GetScrollBarInfo(host.list, OBJID_VSCROLL, &scroll));
  const RECT track = scroll.rcScrollBar;
  const int bar_x = (track.left + track.right) / 2, arrow = track.right - track.left;
  const POINT thumb = {bar_x, track.top + (scroll.xyThumbTop + scroll.xyThumbBottom) / 2};
  EXPECT_GT(host.Count(shot, nullptr, 0x8C8C8C, {track.left, track.top, track.right, track.top + arrow}), 2);
  std::optional<WindowPixels> dragging;
  DialogScript drag;  // the scroll bar's own loop runs it while the mouse holds the thumb
  drag.Then([&] { return SetCursorPos(thumb.x, thumb.y + 40), true; }).Then([&] {
    return ListView_GetTopIndex(host.list) > 0 && (dragging.emplace(host.window), PressMouse(false), true);
  });
  SetCursorPos(thumb.x, thumb.y);
  PressMouse(true);
  for (int i = 0; i < 50 && !drag.Finished(); ++i) PumpMessagesFor(20);
  ASSERT_TRUE(dragging);
  SetCursorPos(thumb.x, thumb.y + 41);  // still over the bar
  PumpMessagesFor(150);
  ASSERT_TRUE(GetScrollBarInfo(host.list, OBJID_VSCROLL, &scroll));
  const int dropped_y = track.top + (scroll.xyThumbTop + scroll.xyThumbBottom) / 2;
  EXPECT_TRUE(dragging->In(nullptr, bar_x, dropped_y) == 0x5C5C5Cu && dragging->In(nullptr, bar_x, thumb.y - 8) == 0x202020u);
  EXPECT_EQ(WindowPixels(host.window).In(nullptr, bar_x, dropped_y), 0x505050u);
  std::optional<WindowPixels> held;  // an arrow held down shows pushed, once the bar's own loop has painted it
  int looks = 0;
  drag.Then([&] {
    held.emplace(host.window);
    return (held->In(nullptr, track.left + 2, track.bottom - 3) == 0x5C5C5Cu || ++looks > 10) && (PressMouse(false), true);
  });
  SetCursorPos(bar_x, track.bottom - arrow / 2);
  PressMouse(true);
  for (int i = 0; i < 50 && !drag.Finished(); ++i) PumpMessagesFor(20);
  EXPECT_TRUE(held && held->In(nullptr, track.left + 2, track.bottom - 3) == 0x5C5C5Cu);
  // A drop-down list's arrow and a number's arrows: on the field's colour, the chevrons light; held down, an arrow
  // is pushed and steps the number.
  const RECT drop = ClientRectOf(host.combo), arrows = ClientRectOf(host.spin);
  const int half = arrows.bottom / 2;
  EXPECT_TRUE(shot.In(host.combo, drop.right - 3, drop.bottom / 2) == 0x383838u &&
              host.Count(shot, host.combo, 0xE8E8E8, {drop.right - 20, 0, drop.right, drop.bottom}) > 4);
  for (RECT r : {RECT{0, 0, arrows.right, half}, RECT{0, half, arrows.right, arrows.bottom}})
    EXPECT_TRUE(shot.In(host.spin, 0, (r.top + r.bottom) / 2) == 0x505050u && shot.In(host.spin, 2, r.top + 2) == 0x383838u &&
                host.Count(shot, host.spin, 0xE8E8E8, r) > 2) << r.top;
  POINT up = {arrows.right / 2, half / 2};
  ClientToScreen(host.spin, &up);
  SetCursorPos(up.x, up.y);
  PressMouse(true);
  host.Settle();
  EXPECT_EQ(WindowPixels(host.window).In(host.spin, 2, 2), 0x5C5C5Cu);
  PressMouse(false);
  host.Settle();
  EXPECT_EQ(WindowPixels(host.window).In(host.spin, 2, 2), 0x383838u);
  EXPECT_EQ(ControlText(host.number), "6");
  // A check box: its box on the field colour with a light tick (its label: every picture's check); a click takes the
  // tick away.
  const RECT tick_box = {0, 3, 13, 16};
  EXPECT_TRUE(shot.In(host.check, 10, 13) == 0x383838u && host.Count(shot, host.check, 0xE8E8E8, tick_box) > 5);
  POINT box = {6, 9};
  ClientToScreen(host.check, &box);
  SetCursorPos(box.x, box.y);
  PressMouse(true);
  PressMouse(false);
  host.Settle();
  EXPECT_TRUE(SendMessageW(host.check, BM_GETCHECK, 0, 0) == BST_UNCHECKED &&
              host.Count(WindowPixels(host.window), host.check, 0xE8E8E8, tick_box) == 0);
  // Toolbar (a hot button: the main window's test): disabled, enabled; a dim label; push buttons, the default outlined.
  EXPECT_EQ(host.Count(shot, host.tools, 0xE8E8E8, ToolRect(host.tools, 106)), 0);
  EXPECT_GT(host.Count(shot, host.tools, 0xE8E8E8, ToolRect(host.tools, 116)), 10);
  EXPECT_EQ(host.Count(shot, host.dim_label, 0xE8E8E8), 0);
  EXPECT_TRUE(shot.In(host.cancel, 6, 13) == 0x383838u && shot.In(host.ok, 40, 0) == 0x0078D7u);
  // Menu bar: the rest of the bar dark, its items' text light; and so through an open menu, whose item is pushed.
  MENUBARINFO bar = {sizeof bar};
  RECT file, view;
  ASSERT_TRUE(GetMenuBarInfo(host.window, OBJID_MENU, 0, &bar));
  ASSERT_TRUE(GetMenuItemRect(host.window, GetMenu(host.window), 0, &file));
  ASSERT_TRUE(GetMenuItemRect(host.window, GetMenu(host.window), 1, &view));
  const int beyond_x = bar.rcBar.right - 20, beyond_y = (bar.rcBar.top + bar.rcBar.bottom) / 2;
  EXPECT_TRUE(shot.In(nullptr, view.left + 2, view.top + 2) == 0x202020u && host.Count(shot, nullptr, 0xE8E8E8, file) > 5);
  std::optional<WindowPixels> open;
  const DWORD start = GetTickCount();
  DialogScript hand;  // the open menu's own loop runs the script
  hand.Then([&] { return GetTickCount() - start > 300 && (open.emplace(host.window), EndMenu(), true); });
  SetForegroundWindow(host.window);
  PostMessageW(host.window, WM_SYSCOMMAND, SC_KEYMENU, 'v');
  for (int i = 0; i < 30 && !open; ++i) PumpMessagesFor(20);
  ASSERT_TRUE(open);
  EXPECT_EQ(open->In(nullptr, view.left + 2, view.top + 2), 0x4E4E4Eu);
  EXPECT_EQ(open->In(nullptr, beyond_x, beyond_y), 0x202020u);
  // Where the bar's items are owner-drawn, Alt and a letter still open them.
  LRESULT result = 0;
  auto menu = reinterpret_cast<LPARAM>(GetMenu(host.window));
  ASSERT_TRUE(DarkMenuBarMessage(host.window, WM_MENUCHAR, MAKEWPARAM(L'h', MF_POPUP), menu, &result));
  EXPECT_EQ(result, MAKELRESULT(2, MNC_EXECUTE));
  EXPECT_FALSE(DarkMenuBarMessage(host.window, WM_MENUCHAR, MAKEWPARAM(L'q', MF_POPUP), menu, &result));
  // A status text too long for the bar is left out.
  std::wstring too_long(599, L'x');
  SendMessageW(host.status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(too_long.c_str()));
  host.Settle();
  EXPECT_EQ(host.Count(WindowPixels(host.window), host.status, 0xE8E8E8), 0);
}

// The light look: a flat status bar with its grip only where it works, toolbar states, frames, tooltips.
TEST(ThemeWin, LightLookStatusBarToolbarFramesAndTooltips) {
  ApplyTheme(false);
  SetCursorPos(0, 0);
  ThemeHost host;
  WindowPixels shot(host.window);
  SaveWindowScreenshot(host.window, "theme-light");
  for (HWND control : {host.tab, host.status, host.header, host.cancel}) EXPECT_FALSE(HasDarkPainting(control));
  EXPECT_EQ(shot.In(host.tools, host.X(112, 19), 3), 0xD6D6D6u);
  EXPECT_GT(host.Count(shot, host.dim_label, RgbOf(GetSysColor(COLOR_GRAYTEXT))), 10);
  const uint32_t face = RgbOf(FaceColour());
  RECT bar = ClientRectOf(host.status);
  auto grip_dot = [&](const WindowPixels& seen) { return seen.In(host.status, bar.right - 3, bar.bottom - 3); };
  EXPECT_TRUE(shot.In(host.status, 20, 0) == 0xD5D5D5u && shot.In(host.status, 3, bar.bottom - 3) == face);
  EXPECT_GT(host.Count(shot, host.status, RgbOf(TextColour())), 10) << "the text";
  EXPECT_EQ(grip_dot(shot), RgbOf(DimTextColour()));

  // A click on a button sends its command, on a disabled one or a separator nothing, nor a press let go elsewhere,
  // nor one whose mouse another window took meanwhile (as a box that pops up does).
  for (auto [id, x, x_up, heard, taken] : {std::tuple{112, 19, 19, 112, false}, {106, 19, 19, 0, false},
                                           {0, 4, 4, 0, false}, {116, 19, -60, 0, false}, {116, 19, 19, 0, true}}) {
    const int left = id ? ToolRect(host.tools, id).left : ToolRect(host.tools, 106).right + 2;
    last_command = 0;
    PostMessageW(host.tools, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(left + x, 16));
    if (taken) PumpMessagesFor(30), SetCapture(host.tab), ReleaseCapture();
    PostMessageW(host.tools, WM_LBUTTONUP, 0, MAKELPARAM(left + x_up, 16));
    PumpMessagesFor(30);
    EXPECT_EQ(last_command, heard) << id;
  }
  // A screen reader finds each button by its name, role, state, place and action, steps from one to the next and can
  // press it; nothing past them.
  IAccessible* reader = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(host.tools, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&reader)), S_OK);
  const RECT bar_at = RectIn(host.tools, nullptr);
  std::string seen;  // name|value|role|state|left,top,width|its action|the next one|the command a press sent
  for (long i = 1; i <= 6; ++i) {
    VARIANT id = {}, next = {};
    id.vt = VT_I4, id.lVal = i, last_command = 0;
    long x = 0, y = 0, w = 0, h = 0;
    BSTR action = nullptr;
    const bool placed = reader->accLocation(&x, &y, &w, &h, id) == S_OK;
    reader->accNavigate(NAVDIR_NEXT, id, &next), reader->get_accDefaultAction(id, &action);
    seen += Accessible(host.tools, i, STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_CHECKED | STATE_SYSTEM_INVISIBLE, true);
    seen += "|" + (placed ? std::to_string(x - bar_at.left) + "," + std::to_string(y - bar_at.top) + "," + std::to_string(w) : "") +
            "|" + Utf16ToUtf8(action ? action : L"") + "|" + std::to_string(next.vt == VT_I4 ? next.lVal : 0) + "|" +
            std::to_string(last_command) + " ";
    SysFreeString(action);
  }
  EXPECT_EQ(seen, "Refresh (F5)||43|0|0,0,38|Press|2|200 Favorites Only||43|16|40,0,38|Press|3|112 Play||43|1|80,0,38|Press|4|0 "
                  "-||21|0|120,0,16||5|0 Settings||43|0|138,0,38|Press|0|116 -||0|0|||0|0 ");
  VARIANT self = {}, first = {}, final = {}, previous = {};
  self.vt = VT_I4;
  reader->accNavigate(NAVDIR_FIRSTCHILD, self, &first), reader->accNavigate(NAVDIR_LASTCHILD, self, &final);
  EXPECT_TRUE(first.lVal == 1 && final.lVal == 5 && reader->accNavigate(NAVDIR_PREVIOUS, first, &previous) == S_FALSE);
  reader->Release();
  // And asking what is under the pointer, it hears the button there.
  POINT settings = {host.X(116, 19), 16};
  ClientToScreen(host.tools, &settings);
  IAccessible* under = nullptr;
  VARIANT child = {};
  BSTR name = nullptr;
  ASSERT_EQ(AccessibleObjectFromPoint(settings, &under, &child), S_OK);
  under->get_accName(child, &name);
  EXPECT_EQ(name ? Utf16ToUtf8(name) : "", "Settings");
  SysFreeString(name), under->Release();

  // One tooltip per control, with the latest text.
  HWND tips = CreateTooltips(host.window);
  AddTooltip(tips, host.ok, "Refresh (F5)");
  AddTooltip(tips, host.ok, "Refresh \xE2\x80\x94 again");
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
  // The pointer resting on the control shows it.
  SendMessageW(tips, TTM_SETDELAYTIME, TTDT_INITIAL, 10);
  const RECT ok = RectIn(host.ok, nullptr);
  SetCursorPos(ok.left + 5, ok.top + 5);
  PumpMessagesFor(100);
  SetCursorPos(ok.left + 6, ok.top + 6);
  PumpMessagesFor(300);
  EXPECT_TRUE(IsWindowVisible(tips) && ControlText(tips) == "Refresh \xE2\x80\x94 again");
  SetCursorPos(0, 0);
  DestroyWindow(tips);

  ShowWindow(host.window, SW_MAXIMIZE);
  host.Settle();
  bar = ClientRectOf(host.status);
  EXPECT_EQ(grip_dot(WindowPixels(host.window)), face) << "no grip on a maximised window";
  ShowWindow(host.window, SW_RESTORE);
  host.Settle();
  // The edit field's edge is drawn; a label given a border afterwards shows it.
  const RECT edit = RectIn(host.edit, nullptr), label = RectIn(host.label, nullptr);
  WindowPixels before(host.window);
  const uint32_t edge = before.In(nullptr, edit.left, (edit.top + edit.bottom) / 2);
  EXPECT_NE(edge, face);
  EXPECT_NE(edge, before.In(nullptr, (edit.left + edit.right) / 2, edit.bottom - 3)) << "the edge, not the inside";
  EXPECT_EQ(before.In(nullptr, label.left, (label.top + label.bottom) / 2), face);
  SetWindowLongPtrW(host.label, GWL_STYLE, GetWindowLongPtrW(host.label, GWL_STYLE) | WS_BORDER);
  SetWindowPos(host.label, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  host.Settle();
  EXPECT_NE(WindowPixels(host.window).In(nullptr, label.left, (label.top + label.bottom) / 2), face);
}
