// The main window ("KorvoMain"). For now a plain window with the title
// "Korvo"; the menus, list and options area build on it.
#pragma once
#include <windows.h>

bool RegisterWindowClasses(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance, int show);
