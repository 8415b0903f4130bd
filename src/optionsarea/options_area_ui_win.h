// The options area: the tab control (107) with its five "KorvoPage" pages and
// the OK (109), Cancel (110) and Restore Defaults (108) buttons. It lives in
// the separate "KorvoOptions" window (title "Settings") or beside the game
// list (Classic Layout); the main window decides where and forwards the
// commands. What the pages hold is options_pages_ui_win.h.
#pragma once
#include <windows.h>

enum OptionsTab { kTabGeneral, kTabVideo, kTabAudio, kTabControls, kTabCombos, kOptionsTabCount };

struct OptionsArea {
  HWND tabs = nullptr;
  HWND pages[kOptionsTabCount] = {};
  HWND ok = nullptr, cancel = nullptr, restore = nullptr;
  HWND window = nullptr;  // the separate options window, once it was first needed
  HWND main = nullptr;    // commands of the pages go here
  int current = kTabGeneral;
  bool built[kOptionsTabCount] = {};  // a page gets its controls when first shown
};
OptionsArea& Options();

// Registers "KorvoPage" and "KorvoOptions".
bool RegisterOptionsClasses(HINSTANCE instance);
// The tab control, the empty pages and the buttons: made now as children of
// the main window (Classic Layout), or in the separate layout together with
// the separate window when that is first needed. A page's controls are made
// by the page builder when the page is first shown (its hundreds of controls
// cost more than the window).
void CreateOptionsArea(HWND main, bool separate);
// Makes the area now if it was waiting.
void EnsureOptionsArea();
using PageBuilder = void (*)(HWND page, int tab);
void SetPageBuilder(PageBuilder builder);
// Builds a page now unless it was built (a page is also built when shown).
void BuildOptionsPage(int tab);
// Places the tab control and the current page in `area` (client coordinates
// of the area's parent) with the button row of 26 at its bottom.
void LayoutOptionsArea(RECT area);
// Shows one tab's page; in the separate layout also shows and raises the window.
void ShowOptionsTab(int tab);
// Moves the area into the separate window (created on first use) or back
// into the main window.
void MoveOptionsArea(bool separate);
bool OptionsWindowVisible();
void HideOptionsWindow();
// The separate window's rectangle when it was moved or sized (for the settings).
bool OptionsWindowRect(RECT* r);
// Puts the separate window at a rectangle (reset window size); a window not
// made yet is made there.
void PlaceOptionsWindow(const RECT& r);

// The tab control's selection change (either parent forwards it here).
bool OptionsAreaNotify(NMHDR* header);

// The page module's hook into every page's messages (scrolling, owner
// drawing); true when it answered the message with *result.
using PageMessageHook = bool (*)(HWND page, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
void SetPageMessageHook(PageMessageHook hook);
