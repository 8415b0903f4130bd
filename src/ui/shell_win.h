// What the main window offers every other window: the timed status text, the
// owner of message boxes and dialogs, and the count of open modal windows.
// The main window installs its functions at creation; until then (and in
// tests without a main window) the status text goes nowhere and boxes have
// no owner.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

struct ShellServices {
  std::function<void(const std::string&)> show_status;  // status-bar text cleared after 5 s
  std::function<HWND()> dialog_owner;                    // options window when shown, else the main window
  std::function<void()> modals_closed;                   // the last open box or dialog has closed
};
void SetShellServices(ShellServices services);

void ShowStatus(const std::string& text);
HWND DialogOwner();

// A message box owned by DialogOwner() that counts as an open modal window
// while it runs. Returns the button pressed (IDOK, IDYES, ...).
int ShowMessage(const std::string& text, const std::string& title, UINT flags);
// The same box over a given window: a modal dialog's own messages go over
// the dialog, so that it stays disabled while the box is open.
int ShowMessageOver(HWND owner, const std::string& text, const std::string& title, UINT flags);

// Puts a text on the clipboard (as Unicode text); false when the clipboard is busy.
bool CopyTextToClipboard(HWND owner, const std::string& utf8_text);

// Message boxes and modal dialogs that are running now. The main window's
// timer leaves its enabled state alone while one is open, and events that
// would open a box of their own wait until the count is back to zero.
int OpenModalCount();
// Every box or dialog brackets its run with these two.
void ModalOpened();
void ModalClosed();
