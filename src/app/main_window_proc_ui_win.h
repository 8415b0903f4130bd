// Creating the main window and its window procedure (see main_window_ui_win.h).
#pragma once
#include <windows.h>

bool RegisterMainWindowClass(HINSTANCE instance);
// Creates, shows and lays out the window; starts the timer and the loading.
HWND CreateMainWindow(HINSTANCE instance, int show);
// The message loop's filter: accelerators and Enter on the list, search box
// and favourites box. True when the message was used.
bool PreTranslateMainMessage(MSG& msg);
// The loop's next filter: Tab, the arrow keys and access keys within the
// launcher's windows (IsDialogMessage). True when the message was used.
bool LauncherDialogMessage(MSG& msg);
// The loop's step before it waits: once the first paint is done, a list that
// arrived during it is shown, and then the tooltips are made. A timer does the
// same where another loop runs, only later.
void MainWindowIdle();
