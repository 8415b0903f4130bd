#include "app/menu_bar.h"

#include "app/menu_state.h"
#include "romaudit/audit_texts.h"

namespace {
const MenuLine kFileMenu[] = {
    {200, "&Rescan Games\tF5"}, {kSeparator, nullptr},
    {201, "Open &MAME Folder"}, {202, "Open &ROMs Folder"}, {kSeparator, nullptr},
    {kRecentSubmenu, "Recent &Files"}, {203, "&Clear Recent Files"}, {kSeparator, nullptr},
    {254, "Open &Screenshots Folder"}, {257, "Open MAME &Input Mapping Folder (Cfg)"}, {kSeparator, nullptr},
    {255, "&Backup Settings\xE2\x80\xA6"}, {256, "Res&tore Settings\xE2\x80\xA6"}, {kSeparator, nullptr},
    {204, "E&xit"},
};
const MenuLine kGameMenu[] = {
    {205, "&Play\tEnter"}, {206, "&Stop"}, {251, "Play &Fullscreen"}, {252, "Play &Windowed"},
    {kSeparator, nullptr},
    {250, "Game S&ettings\xE2\x80\xA6"}, {253, "Check &ROM Set\xE2\x80\xA6"}, {258, kAuditMenuText},
    {207, "Toggle &Favorite\tCtrl+D"}, {104, "Create Desktop &Icon"},
};
const MenuLine kOptionsMenu[] = {
    {216, "Se&ttings\xE2\x80\xA6\tF9"}, {kSeparator, nullptr},
    {117, "&Video Settings"}, {209, "&Audio Settings"}, {118, "&Controls Settings"}, {119, "Co&mbos Settings"},
};
const MenuLine kThemeMenu[] = {{224, "&System"}, {225, "&Light"}, {226, "&Dark"}};
const MenuLine kViewMenu[] = {
    {kThemeSubmenu, "&Theme"}, {kSeparator, nullptr},
    {227, "&Favorites Only"}, {228, "List Only &Available ROMs"},
    {kHideNotWorkingCommand, "&Hide Games That Do Not Work"}, {kSeparator, nullptr},
    {kColumnsSubmenu, "List &Columns"}, {kSeparator, nullptr},
    {231, "Show Tool&bar"}, {229, "Show &Search Bar"}, {230, "Show Filter Ba&r"},
    {kPreviewCommand, "Show &Preview\tCtrl+P"}, {kSeparator, nullptr},
    {211, "Classic &Layout"}, {210, "&Reset Window Size"},
};
const MenuLine kHelpMenu[] = {
    {214, "&Keyboard Shortcuts"}, {kUserGuideCommand, "Korvo &User's Guide"}, {259, "&MAME Documentation (Web)"},
    {kSeparator, nullptr}, {215, "&About"},
};
const MenuBarMenu kMenuBar[] = {
    {"&File", kFileMenu}, {"&Game", kGameMenu}, {"&Options", kOptionsMenu}, {"&View", kViewMenu}, {"&Help", kHelpMenu},
};
}  // namespace

std::span<const MenuBarMenu> MenuBarMenus() { return kMenuBar; }
std::span<const MenuLine> ThemeMenuLines() { return kThemeMenu; }
