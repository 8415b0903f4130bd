// The menu bar, the keyboard accelerators, the menus' ticks and states, the
// recent-games submenu and the list's pop-up menus.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "app/main_menu_ui_win.h"

#include "app/main_window_ui_win.h"
#include "app/menu_bar.h"
#include "app/menu_state.h"
#include "app/recent_menu.h"
#include "base/utf16_win.h"
#include "catalogue/rom_scan.h"
#include "settings/app_state.h"

namespace {
void Item(HMENU menu, int id, const char* text) { AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), Utf8ToUtf16(text).c_str()); }
void Separator(HMENU menu) { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); }
void Submenu(HMENU menu, HMENU sub, const char* text) {
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), Utf8ToUtf16(text).c_str());
}

HMENU ColumnsMenu() {
  HMENU m = CreatePopupMenu();
  for (const ColumnMenuItem& c : kColumnMenu) Item(m, c.id, c.text);
  return m;
}

HMENU BuildMenu(std::span<const MenuLine> lines) {
  HMENU m = CreatePopupMenu();
  for (const MenuLine& line : lines) {
    switch (line.id) {
      case kSeparator: Separator(m); break;
      case kRecentSubmenu:
        Main().recent_menu = CreatePopupMenu();
        Submenu(m, Main().recent_menu, line.text);
        break;
      case kThemeSubmenu: Submenu(m, BuildMenu(ThemeMenuLines()), line.text); break;
      case kColumnsSubmenu: Submenu(m, ColumnsMenu(), line.text); break;
      default: Item(m, line.id, line.text);
    }
  }
  return m;
}

MenuFacts CurrentFacts() {
  MainWindow& m = Main();
  const Settings& s = App().settings;
  MenuFacts f;
  f.has_selection = SelectedGame() != nullptr;
  f.playable = SelectedPlayable();
  f.running = m.launch.running;
  f.classic = m.classic;
  f.favorites_only = Button_GetCheck(m.favorites_box) == BST_CHECKED;
  f.only_available = s.only_available != 0;
  f.hide_not_working = s.hide_not_working != 0;
  f.search_bar_shown = m.search_bar_state == 1 || (m.search_bar_state == -1 && !s.search_bar_hidden);
  f.toolbar_shown = !s.toolbar_hidden;
  f.filter_bar_shown = !s.filter_bar_hidden;
  f.preview_shown = s.preview_shown != 0;
  f.theme_mode = s.theme_mode;
  f.columns_hidden = s.columns_hidden;
  f.has_recent = !RecentMenuItems(s.recent, m.games).empty();
  return f;
}

void ApplyStates(HMENU menu, const std::vector<MenuItemState>& states) {
  for (const MenuItemState& st : states) {
    EnableMenuItem(menu, static_cast<UINT>(st.id), MF_BYCOMMAND | (st.enabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, static_cast<UINT>(st.id), MF_BYCOMMAND | (st.checked ? MF_CHECKED : MF_UNCHECKED));
  }
  CheckMenuRadioItem(menu, 224, 226, 224 + App().settings.theme_mode, MF_BYCOMMAND);
}

int TrackAt(HMENU menu, POINT screen) {
  return static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Main().window,
                                         nullptr));
}
}  // namespace

HMENU BuildMainMenu() {
  HMENU bar = CreateMenu();
  for (const MenuBarMenu& menu : MenuBarMenus()) Submenu(bar, BuildMenu(menu.lines), menu.text);
  return bar;
}

HACCEL BuildAccelerators() {
  ACCEL keys[] = {
      {FVIRTKEY, VK_F5, 200},
      {FVIRTKEY | FCONTROL, VK_RETURN, 205},
      {FVIRTKEY | FCONTROL, 'D', 207},
      {FVIRTKEY | FCONTROL, 'F', 213},
      {FVIRTKEY, VK_F9, 216},
      {FVIRTKEY | FCONTROL, 'P', kPreviewCommand},
      // Not Alt with a key: its release alone would then open the menu bar.
      {FVIRTKEY | FCONTROL, VK_PRIOR, kPreviousPictureCommand},
      {FVIRTKEY | FCONTROL, VK_NEXT, kNextPictureCommand},
  };
  return CreateAcceleratorTableW(keys, static_cast<int>(sizeof keys / sizeof keys[0]));
}

void RefreshMenuStates(HMENU menu) {
  if (menu) ApplyStates(menu, MenuStates(CurrentFacts()));
}

void RebuildRecentMenu() {
  MainWindow& m = Main();
  if (!m.recent_menu) return;
  while (GetMenuItemCount(m.recent_menu) > 0) DeleteMenu(m.recent_menu, 0, MF_BYPOSITION);
  std::vector<RecentMenuItem> items = RecentMenuItems(App().settings.recent, m.games);
  for (const RecentMenuItem& item : items) Item(m.recent_menu, item.id, item.text.c_str());
  if (items.empty()) AppendMenuW(m.recent_menu, MF_STRING | MF_GRAYED, 0, L"(No Recent Games)");
  EnableMenuItem(m.menu, 203, MF_BYCOMMAND | (items.empty() ? MF_GRAYED : MF_ENABLED));
}

int32_t RecentGameNumber(int id) {
  std::vector<RecentMenuItem> items = RecentMenuItems(App().settings.recent, Main().games);
  for (const RecentMenuItem& item : items)
    if (item.id == id) return item.game;
  return 0;
}

void ShowGameContextMenu(POINT screen) {
  const GameEntry* entry = SelectedGame();
  if (!entry) return;
  const bool playable = SelectedPlayable();
  HMENU menu = CreatePopupMenu();
  UINT play_flags = MF_STRING | (playable ? MF_ENABLED : MF_GRAYED);
  AppendMenuW(menu, play_flags, 205, L"Play");
  AppendMenuW(menu, play_flags, 251, L"Play Fullscreen");
  AppendMenuW(menu, play_flags, 252, L"Play Windowed");
  Separator(menu);
  bool own = FindGameSettings(App().game_settings, entry->number) != nullptr;
  Item(menu, 250, own ? "Game Settings\xE2\x80\xA6 (Own Settings Set)" : "Game Settings\xE2\x80\xA6");
  Item(menu, 253, "Check ROM Set\xE2\x80\xA6");
  Item(menu, 104, "Create Desktop Icon");
  bool favorite = IdListContains(App().settings.favorites, entry->number);
  Item(menu, 207, favorite ? "Remove From Favorite" : "Add To Favorite");
  int chosen = TrackAt(menu, screen);
  DestroyMenu(menu);
  if (chosen) SendMessageW(Main().window, WM_COMMAND, static_cast<WPARAM>(chosen), 0);
}

void ShowColumnMenu(POINT screen) {
  HMENU menu = ColumnsMenu();
  RefreshMenuStates(menu);
  int chosen = TrackAt(menu, screen);
  DestroyMenu(menu);
  if (chosen) SendMessageW(Main().window, WM_COMMAND, static_cast<WPARAM>(chosen), 0);
}
