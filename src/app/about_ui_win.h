// Help > About and Help > Keyboard Shortcuts.
#pragma once
#include <windows.h>

void ShowAboutWindow(HWND owner);
void ShowKeyboardShortcuts(HWND owner);
// Opens a web page in the user's browser.
void OpenWebPage(const char* address);

// The pages About's two links open.
extern const char kEarlierLauncherAddress[];
extern const char kKorvoAddress[];
extern const char kMameDocumentationAddress[];
// The user's guide on the web, for a korvo.exe without its README.txt.
extern const char kUserGuideAddress[];
