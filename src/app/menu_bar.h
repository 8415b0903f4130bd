// The menu bar as data: each menu's lines in order. The main window builds
// its menus from it; the user's guide is checked against it.
#pragma once
#include <span>

// A command, a separator (id 0) or a submenu (id < 0, one of the kinds below).
struct MenuLine {
  int id;
  const char* text;  // with its & and, after a tab, its shortcut
};
constexpr int kSeparator = 0, kRecentSubmenu = -1, kThemeSubmenu = -2, kColumnsSubmenu = -3;
// Help > Korvo User's Guide.
constexpr int kUserGuideCommand = 260;

struct MenuBarMenu {
  const char* text;
  std::span<const MenuLine> lines;
};

// File, Game, Options, View and Help, left to right.
std::span<const MenuBarMenu> MenuBarMenus();
// View > Theme.
std::span<const MenuLine> ThemeMenuLines();
