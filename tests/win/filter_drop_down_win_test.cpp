// The main window's filter drop-downs worked by pointer, keys and a screen reader (dark: the main window's test).

#include <gtest/gtest.h>

#include "app/main_window_proc_ui_win.h"
#include "main_window_fixture_win.h"
#include "base/utf16_win.h"
#include "ui/drop_down_win.h"
#include "ui/theme_colours_win.h"

namespace {
HWND HardwareField() { return Main().filters[static_cast<int>(FilterKind::Hardware)]; }

POINT ScreenMiddle(HWND window, RECT r) {
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  return MiddleOf(r);
}

// A key as the main window's message loop hands it on: through the window's keyboard navigation first.
bool ThroughNavigation(HWND window, WPARAM key) {
  MSG msg = {window, WM_KEYDOWN, key, 0, GetTickCount(), {}};
  if (!LauncherDialogMessage(msg)) return false;
  PumpMessagesFor(50);
  return true;
}

// The pointer moved to a point of the screen, as a mouse moves it.
void PointTo(POINT at) {
  SetCursorPos(at.x, at.y);
  mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
  PumpMessagesFor(100);
}

void Key(HWND window, WPARAM key, bool alt = false) {
  SendMessageW(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, alt ? (1 << 29) : 0);
  PumpMessagesFor(50);
}
}  // namespace

TEST(FilterDropDown, PointerKeysAndScreenReaderChooseAndTheListFollows) {
  MainWindowFixture f("filters_bar=1\r\n");
  ASSERT_TRUE(f.Open());
  HWND field = HardwareField();
  const std::vector<std::string> entries = ComboEntries(field);
  ASSERT_GT(entries.size(), 3u);

  // The pointer over the closed field lights its border; moved away, the border dims again.
  const auto border = [&] { return WindowPixels(field).In(field, 0, ClientRectOf(field).bottom / 2); };
  const POINT away = ScreenMiddle(Main().list, ClientRectOf(Main().list));
  PointTo(away);
  const uint32_t dim = border();
  PointTo(ScreenMiddle(field, ClientRectOf(field)));
  EXPECT_NE(border(), dim) << "no hover look";
  PointTo(away);
  EXPECT_TRUE(WaitFor([&] { return border() == dim; }, 3000)) << std::hex << border() << " " << dim;

  // A click opens the list with every entry; a click on one takes it and narrows the games.
  ClickScreen(ScreenMiddle(field, ClientRectOf(field)));
  HWND list = DropDownList(field);
  ASSERT_TRUE(list && GetFocus() == field) << "the list did not open, or took the keyboard from the field";
  PumpMessagesFor(1500);  // the pointer rests on the field: no tip over its open list
  EXPECT_FALSE(IsWindowVisible(Main().tooltips));
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(entries.size()));
  // A click on the field itself closes the list, nothing chosen; another (not a double click) opens it again.
  const POINT middle = ScreenMiddle(field, ClientRectOf(field));
  ClickScreen({middle.x - 10, middle.y});
  EXPECT_TRUE(!DropDownList(field) && ChosenEntry(field) == entries[0]);
  ClickScreen(middle);
  ASSERT_TRUE((list = DropDownList(field)));
  RECT second;
  SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&second));
  ClickScreen(ScreenMiddle(list, second));
  EXPECT_TRUE(!DropDownList(field) && ChosenEntry(field) == entries[2]);
  EXPECT_TRUE(f.Rows() < 462 && App().settings.filter_hardware == entries[2]);
  PointTo(ScreenMiddle(field, ClientRectOf(field)));  // closed, the field's tip is back
  EXPECT_TRUE(WaitFor([] { return IsWindowVisible(Main().tooltips) != FALSE; }, 3000));
  bool tip_over_menu = true;  // nor over a menu opened meanwhile
  DialogScript hand;          // the menu's own loop runs it
  hand.Then([&] { return tip_over_menu = IsWindowVisible(Main().tooltips) != FALSE, EndMenu(), true; });
  PostMessageW(Main().window, WM_SYSCOMMAND, SC_KEYMENU, 'v');
  EXPECT_TRUE(WaitFor([&] { return hand.Finished(); }, 3000) && !tip_over_menu);

  // Keys on the closed field choose at once; Home goes back to all the games.
  Key(field, VK_HOME);
  EXPECT_TRUE(ChosenEntry(field) == entries[0] && f.Rows() == 462);
  Key(field, VK_DOWN);
  EXPECT_EQ(ChosenEntry(field), entries[1]);
  const int narrowed = f.Rows();
  EXPECT_LT(narrowed, 462);
  // Open, the keys only mark: Escape keeps what was chosen, Enter takes the mark.
  Key(field, VK_DOWN, true);
  ASSERT_TRUE(DropDownList(field));
  Key(field, VK_END);
  Key(field, VK_ESCAPE);
  EXPECT_TRUE(!DropDownList(field) && ChosenEntry(field) == entries[1] && f.Rows() == narrowed);
  // F4 closes it as Enter does. Enter and Escape reach the open field through the window's keyboard navigation; Tab
  // moves on and closes it.
  Key(field, VK_F4), Key(field, VK_HOME), Key(field, VK_F4);
  EXPECT_TRUE(!DropDownList(field) && ChosenEntry(field) == entries.front());
  Key(field, VK_F4);
  Key(field, VK_END);
  EXPECT_TRUE(ThroughNavigation(field, VK_RETURN));
  EXPECT_TRUE(!DropDownList(field) && ChosenEntry(field) == entries.back());
  Key(field, VK_F4);
  EXPECT_TRUE(ThroughNavigation(field, VK_TAB));
  EXPECT_TRUE(!DropDownList(field) && GetFocus() != field && ChosenEntry(field) == entries.back());
  SetFocus(field);
  PumpMessagesFor(50);
  // Focused, the field marks its entry and draws the dotted focus cue round the mark.
  const RECT box = ClientRectOf(field);
  WindowPixels focused(field);
  const uint32_t mark = focused.In(field, 3, box.bottom / 2);
  EXPECT_EQ(mark, RgbOf(ThemeColour(ColourRole::Selection)));
  EXPECT_GT(focused.Count(field, {3, 2, box.right - 24, 3}, [mark](uint32_t c) { return c != mark; }), 5);
  // The wheel over it steps its entry.
  PointTo(ScreenMiddle(field, box));
  mouse_event(MOUSEEVENTF_WHEEL, 0, 0, WHEEL_DELTA, 0);
  PumpMessagesFor(100);
  EXPECT_EQ(ChosenEntry(field), entries[entries.size() - 2]);
  // A letter takes the next entry starting with it.
  SendMessageW(field, WM_CHAR, L'a', 0);
  EXPECT_EQ(ChosenEntry(field) + " " + std::to_string(f.Rows()), "All Hardware 462");

  // A list longer than it shows scrolls by its bar and stays open (no filter has that many: the field gets more). A
  // click elsewhere then closes it and changes nothing, not even to the entry marked.
  HWND makers = Main().filters[static_cast<int>(FilterKind::Maker)];
  for (int i = SendMessageW(makers, CB_GETCOUNT, 0, 0); i < 40; ++i)
    SendMessageW(makers, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Zz"));
  ClickScreen(ScreenMiddle(makers, ClientRectOf(makers)));
  HWND long_list = DropDownList(makers);
  ASSERT_TRUE(long_list);
  Key(makers, VK_DOWN);
  SCROLLBARINFO bar = {sizeof bar};
  GetScrollBarInfo(long_list, OBJID_VSCROLL, &bar);
  ClickScreen({(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2, bar.rcScrollBar.bottom - 3});  // the down arrow
  EXPECT_TRUE(DropDownList(makers) && SendMessageW(long_list, LB_GETTOPINDEX, 0, 0) > 0);
  ClickScreen(ScreenMiddle(Main().list, ClientRectOf(Main().list)));
  EXPECT_TRUE(!DropDownList(makers) && ChosenEntry(makers) == "All Makers");
  field = HardwareField();
  SetFocus(field);

  // A screen reader finds a combo box with its name and value, and can open and close it; its text is the entry.
  EXPECT_EQ(ControlText(field), "All Hardware");
  EXPECT_EQ(Accessible(field, CHILDID_SELF, STATE_SYSTEM_COLLAPSED, /*press=*/true),
            "Hardware Filter|All Hardware|" + std::to_string(ROLE_SYSTEM_COMBOBOX) + "|" + std::to_string(STATE_SYSTEM_COLLAPSED) + "|Alt+Down");
  EXPECT_TRUE(DropDownList(field));
  Accessible(field, CHILDID_SELF, 0, /*press=*/true);
  EXPECT_FALSE(DropDownList(field));
}
