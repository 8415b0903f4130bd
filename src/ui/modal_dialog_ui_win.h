// The launcher's own modal dialogs (window class "KorvoModal").
//
// A caller fills a ModalDialog record with the handlers it needs, creates the
// window with a client size in 96-DPI units, adds its controls in the same
// units and runs it:
//
//   ModalDialog d;
//   d.on_ok = [&](ModalDialog&) { return ReadFields(); };   // false keeps it open
//   if (!CreateModalDialog(d, owner, "Title", 330, 118)) return false;
//   AddDialogControl(d, L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, 10, 30, 310, 23, 1001, WS_EX_CLIENTEDGE);
//   AddDialogControl(d, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 150, 80, 80, 26, IDOK);
//   bool ok = RunModalDialog(d) == 1;
//
// While it runs the owner is disabled and a local message loop (with Tab and
// arrow-key navigation) serves it; OK (id 1) closes with result 1 when the OK
// handler accepts, Cancel (id 2) and the close button with result 0. Control
// ids of 1000 and above go to the command handler first. Dark colours,
// link labels and the report-text message are handled here.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

constexpr UINT kReportTextMessage = WM_APP + 10;

struct ModalDialog {
  int kind = 0;  // the caller's tag, for handlers shared between dialogs
  HWND owner = nullptr;
  HWND window = nullptr;
  int result = 0;  // 1 for OK, 0 otherwise
  bool done = false;
  bool resizable = false;  // a sizing border and a maximize box; the caller lays out on WM_SIZE

  std::function<bool(ModalDialog&)> on_ok;
  // Ids >= 1000: true when handled.
  std::function<bool(ModalDialog&, int id, int code, HWND control)> on_command;
  // true when handled; *result is the notification's answer.
  std::function<bool(ModalDialog&, NMHDR* header, LRESULT* result)> on_notify;
  std::function<void(ModalDialog&, UINT_PTR timer)> on_timer;
  // Any other message before the frame's own handling (owner drawing, sizing):
  // true when handled, with *result as the answer.
  std::function<bool(ModalDialog&, UINT message, WPARAM, LPARAM, LRESULT* result)> on_message;
};

// Registers "KorvoModal"; start-up calls it once.
bool RegisterModalDialogClass(HINSTANCE instance);

// The window, not yet shown: client size in 96-DPI units, centred on the
// owner (or the work area without one).
bool CreateModalDialog(ModalDialog& d, HWND owner, const std::string& title, int width, int height);

// A child control at a position in 96-DPI units, with the shared font and the
// theme applied. WS_CHILD | WS_VISIBLE are added to `style`.
HWND AddDialogControl(ModalDialog& d, const wchar_t* window_class, const std::string& text, DWORD style, int x,
                      int y, int width, int height, int id, DWORD ex_style = 0);
// A label drawn in the link colour with the hand cursor; a click sends its id
// to the command handler.
HWND AddLinkLabel(ModalDialog& d, const std::string& text, int x, int y, int width, int height, int id);

// Shows the dialog and serves it until it ends; returns the result. The
// window is destroyed and the owner enabled and brought forward again.
int RunModalDialog(ModalDialog& d);
void EndModalDialog(ModalDialog& d, int result);

// From any thread: replaces the text of an edit field of a running dialog.
// The text travels in a heap block that the dialog frees, or this function
// when the dialog is gone.
bool PostReportText(HWND dialog, int control_id, const std::string& utf8_text);

// Text of a control as UTF-8.
std::string ControlText(HWND control);
void SetControlText(HWND control, const std::string& utf8_text);
