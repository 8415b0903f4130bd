// Access keys on a window's labels and buttons, and the focus moves they ask for.
#pragma once
#include <windows.h>

#include <string_view>

// Marks access keys (access_keys.h) on the window's own controls: first its
// labels (static controls that show prefixes, that is without SS_NOPREFIX),
// then its check boxes and push buttons (not the owner-drawn ones). The words
// stay; the platform underlines the keys when it shows keyboard cues.
void GiveAccessKeys(HWND window, std::string_view reserved);

// IsDialogMessage answers a label's access key with WM_NEXTDLGCTL to the
// window it searched (focus the label, then the control after it), which
// only the dialog manager's own dialogs act on by themselves. The launcher's
// windows that use IsDialogMessage pass their messages here first; true when
// it was that message.
bool AccessKeyFocusMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// A top-level window shows the access keys' underlines (and focus frames)
// as the platform decides: from the start when keyboard cues are always on,
// else once the keyboard is used, as a dialog does.
void HideKeyboardCuesUntilUsed(HWND window);
